#include "Schema.h"

namespace Schema {

namespace {

using K = Kind;

std::vector<Table> build()
{
    std::vector<Table> t;

    t.push_back({"ZuZav",
                 {
                     {"F_ID", K::AutoKey, 0},
                     {"F_mainID", K::Integer, 0},
                     {"F_Code", K::Text, 50},
                     {"F_Name", K::Text, 50},
                     {"F_HKtype", K::Text, 50},
                     {"F_LDcode", K::Text, 50},
                     {"F_HScode", K::Text, 50},
                     {"F_ZYname", K::Text, 50},
                     {"F_HZname", K::Text, 50},
                     {"F_HZguanxi", K::Text, 50},
                     {"F_SFZcode", K::Text, 50},
                     {"F_QFwork", K::Text, 50},
                     {"F_QFdate", K::Date, 0},
                     {"F_CSdate", K::Date, 0},
                     {"F_CSaddress", K::Text, 255},
                     {"F_sex", K::Text, 50},
                     {"F_SG", K::Text, 50},
                     {"F_XX", K::Text, 50},
                     {"F_JKmem", K::Memo, 0},
                     {"F_HJaddress", K::Text, 255},
                     {"F_MinZu", K::Text, 50},
                     {"F_JGaddress", K::Text, 255},
                     {"F_ZZaddress", K::Text, 255},
                     {"F_QTaddress", K::Text, 255},
                     {"F_WHchengdu", K::Text, 50},
                     {"F_HYmem", K::Memo, 0},
                     {"F_BYmem", K::Memo, 0},
                     {"F_ZJxinyang", K::Text, 50},
                     {"F_ZZmianmao", K::Text, 50},
                     {"F_work", K::Text, 50},
                     {"F_workAddress", K::Text, 255},
                     {"F_HKxingzhi", K::Text, 50},
                     {"F_memo1", K::Memo, 0},
                     {"F_JSflag", K::Bool, 0},
                     {"F_editDate", K::Date, 0},
                     {"F_EmpImage", K::Binary, 0},
                     {"F_imagePath", K::Text, 255},
                     // movement and status
                     {"F_QRflag", K::Bool, 0},
                     {"F_QRdate", K::Date, 0},
                     {"F_OLDaddress", K::Text, 255},
                     {"F_QRtype", K::Text, 50},
                     {"F_QRreason", K::Text, 255},
                     {"F_QCflag", K::Bool, 0},
                     {"F_QCdate", K::Date, 0},
                     {"F_NewAddress", K::Text, 255},
                     {"F_QCtype", K::Text, 50},
                     {"F_QCreason", K::Memo, 0},
                     {"F_WGflag", K::Bool, 0},
                     {"F_SWdate", K::Date, 0},
                     {"F_SWreason", K::Text, 50},
                     {"F_ZXflag", K::Bool, 0},
                     {"F_ZXdate", K::Text, 50},
                     {"F_ZXreason", K::Text, 50},
                     // custom fields
                     {"F_ZF1", K::Text, 50},
                     {"F_ZF2", K::Text, 50},
                     {"F_ZF3", K::Text, 50},
                     {"F_ZF4", K::Text, 50},
                     {"F_ZF5", K::Text, 50},
                     {"F_SZ1", K::Float, 0},
                     {"F_SZ2", K::Float, 0},
                     {"F_SZ3", K::Float, 0},
                     {"F_RQ1", K::Date, 0},
                     {"F_RQ2", K::Date, 0},
                     {"F_RQ3", K::Date, 0},
                     // family data held in the person's row
                     {"F_JTcode", K::Text, 50},
                     {"F_JTaddress", K::Text, 255},
                     {"F_HKcode", K::Text, 255},
                     {"F_HJstatus", K::Text, 50},
                     {"F_JTphone", K::Text, 255},
                     {"F_Znum", K::Integer, 0},
                     {"F_Nnum", K::Integer, 0},
                     {"F_Fnum", K::Integer, 0},
                     {"F_SRprice", K::Float, 0},
                     {"F_JJstatus", K::Text, 255},
                     {"F_ZStype", K::Text, 50},
                     {"F_memo2", K::Memo, 0},
                     // relief: subsistence allowance
                     {"F_DBflag", K::Bool, 0},
                     {"F_DBZcode", K::Text, 50},
                     {"F_DBreason", K::Text, 255},
                     {"F_BZprice", K::Float, 0},
                     {"F_DBfromDate", K::Date, 0},
                     {"F_DBtoDate", K::Date, 0},
                     {"F_memo3", K::Memo, 0},
                     // unemployed
                     {"F_SYflag", K::Bool, 0},
                     {"F_SYdate", K::Date, 0},
                     {"F_SYZcode", K::Text, 255},
                     {"F_OLDwork", K::Text, 50},
                     {"F_OLDunit", K::Text, 255},
                     {"F_JYstatus", K::Text, 50},
                     {"F_XSflag", K::Bool, 0},
                     {"F_XStoDate", K::Date, 0},
                     {"F_YBLflag", K::Bool, 0},
                     {"F_QZmem", K::Memo, 0},
                     {"F_YQprice", K::Float, 0},
                     {"F_memo4", K::Memo, 0},
                     // special care
                     {"F_YFflag", K::Bool, 0},
                     {"F_YFZcode", K::Text, 50},
                     {"F_YFtype", K::Text, 255},
                     {"F_LDnengli", K::Text, 50},
                     {"F_SHnengli", K::Text, 50},
                     {"F_YFJYstatus", K::Text, 50},
                     {"F_YFprice", K::Float, 0},
                     {"F_GYstatus", K::Text, 50},
                     {"F_memo5", K::Memo, 0},
                     // released offenders
                     {"F_LLflag", K::Bool, 0},
                     {"F_CYdate", K::Date, 0},
                     {"F_LJaddress", K::Text, 255},
                     {"F_xingQI", K::Text, 255},
                     {"F_AYreason", K::Memo, 0},
                     {"F_LFflag", K::Bool, 0},
                     {"F_LOLDwork", K::Text, 50},
                     {"F_Xaddress", K::Text, 255},
                     {"F_AZdate", K::Date, 0},
                     {"F_WAZreason", K::Memo, 0},
                     {"F_memo6", K::Memo, 0},
                     // elderly
                     {"F_LNflag", K::Bool, 0},
                     {"F_workTime", K::Text, 50},
                     {"F_LTtime", K::Text, 50},
                     {"F_LTprice", K::Float, 0},
                     {"F_JZmem", K::Text, 50},
                     {"F_LTmem", K::Memo, 0},
                     {"F_POmem", K::Text, 50},
                     {"F_MTmem", K::Text, 50},
                     {"F_JJlaiyuan", K::Text, 50},
                     {"F_TSmem", K::Memo, 0},
                     {"F_memo7", K::Memo, 0},
                     // disabled
                     {"F_CJflag", K::Bool, 0},
                     {"F_CJZcode", K::Text, 50},
                     {"F_CJstatus", K::Text, 50},
                     {"F_JHempName", K::Text, 50},
                     {"F_CJLDnengLI", K::Text, 255},
                     {"F_JNtechang", K::Text, 255},
                     {"F_memo8", K::Memo, 0},
                     // address book
                     {"F_TXflag", K::Bool, 0},
                     {"F_TXhandphone", K::Text, 255},
                     {"F_TXphone", K::Text, 255},
                     {"F_TXworkPhone", K::Text, 255},
                     {"F_TXfax", K::Text, 255},
                     {"F_TXqq", K::Text, 255},
                     {"F_TXhomepage", K::Text, 255},
                     {"F_TXemail", K::Text, 255},
                     {"F_memo9", K::Memo, 0},
                 }});

    t.push_back({"t_BGrec",
                 {{"F_ID", K::AutoKey, 0},
                  {"F_mainID", K::Integer, 0},
                  {"F_Date", K::Date, 0},
                  {"F_BGtype", K::Text, 255},
                  {"F_Memo1", K::Memo, 0},
                  {"F_Memo2", K::Memo, 0},
                  {"F_Memo3", K::Memo, 0},
                  {"F_EmpName", K::Text, 50},
                  {"F_editDate", K::Date, 0}}});

    t.push_back({"t_TXrec",
                 {{"F_ID", K::AutoKey, 0},
                  {"F_mainID", K::Integer, 0},
                  {"F_AwokeDate", K::Date, 0},
                  {"F_AwokeTime", K::Text, 50},
                  {"F_Caption", K::Text, 255},
                  {"F_Memo1", K::Memo, 0},
                  {"F_OperName", K::Text, 50},
                  {"F_editDate", K::DateText, 50}}});

    t.push_back({"t_JTinfo",
                 {{"F_ID", K::AutoKey, 0},
                  {"F_code", K::Text, 50},
                  {"F_HKcode", K::Text, 255},
                  {"F_HZname", K::Text, 50},
                  {"F_LDcode", K::Text, 50},
                  {"F_HScode", K::Text, 50},
                  {"F_HJstatus", K::Text, 50},
                  {"F_JTaddress", K::Text, 255},
                  {"F_JTphone", K::Text, 255},
                  {"F_Znum", K::Integer, 0},
                  {"F_Nnum", K::Integer, 0},
                  {"F_Fnum", K::Integer, 0},
                  {"F_SRprice", K::Float, 0},
                  {"F_JJstatus", K::Text, 255},
                  {"F_ZStype", K::Text, 50},
                  {"F_memo1", K::Memo, 0},
                  {"F_flag", K::Bool, 0},
                  {"F_JSflag", K::Bool, 0},
                  {"F_DBflag", K::Bool, 0},
                  {"F_YFflag", K::Bool, 0}}});

    t.push_back({"t_code", {{"F_ID", K::AutoKey, 0}, {"F_type", K::Text, 50}, {"F_name", K::Text, 255}}});

    t.push_back({"SysInfo",
                 {{"F_ID", K::AutoKey, 0},
                  {"F_Code", K::Text, 50},
                  {"F_Name", K::Text, 10},
                  {"F_Manager", K::Text, 50},
                  {"F_Phone", K::Text, 50},
                  {"F_HandPhone", K::Text, 50},
                  {"F_Homepage", K::Text, 255},
                  {"F_Email", K::Text, 255},
                  {"F_Enroler", K::Text, 50},
                  {"F_Mem", K::Text, 255},
                  {"F_BakPath", K::Text, 255},
                  {"F_ZDhkcode", K::Bool, 0}}});

    t.push_back({"OperList",
                 {{"F_ID", K::AutoKey, 0},
                  {"F_Name", K::Text, 50},
                  {"F_PassWord", K::Text, 255},
                  {"F_Mem", K::Memo, 0},
                  {"F_Flag", K::Bool, 0},
                  {"F_xtFlag", K::Bool, 0}}});

    t.push_back({"OperLimit",
                 {{"F_ID", K::AutoKey, 0}, {"F_OperName", K::Text, 50}, {"F_lmtName", K::Text, 50}}});

    t.push_back({"Limits",
                 {{"F_ID", K::AutoKey, 0}, {"F_name", K::Text, 50}, {"F_code", K::Text, 10}, {"F_flag", K::Bool, 0}}});

    t.push_back({"LogRec",
                 {{"F_ID", K::AutoKey, 0},
                  {"F_EmpName", K::Text, 50},
                  {"F_OperType", K::Text, 255},
                  {"F_OperDate", K::DateText, 50},
                  {"F_OperTime", K::Text, 50}}});

    t.push_back({"cfg_Grid",
                 {{"F_ID", K::AutoKey, 0},
                  {"F_name", K::Text, 50},
                  {"F_FieldName", K::Text, 50},
                  {"F_Caption", K::Text, 50},
                  {"F_Width", K::Integer, 0},
                  {"F_Visible", K::Bool, 0},
                  {"F_ReadOnly", K::Bool, 0},
                  {"F_Order", K::Integer, 0},
                  {"F_AlignMent", K::Integer, 0},
                  {"F_DisplayFormat", K::Text, 50},
                  {"F_FooterValue", K::Text, 50},
                  {"F_FooterType", K::Integer, 0}}});

    t.push_back({"cfg_import",
                 {{"F_ID", K::AutoKey, 0},
                  {"F_tablename", K::Text, 50},
                  {"F_iFlag", K::Integer, 0},
                  {"S_Field", K::Text, 50},
                  {"F_FieldName", K::Text, 50},
                  {"F_Field", K::Text, 50}}});

    t.push_back({"cfg_stat", {{"F_ID", K::AutoKey, 0}, {"F_name", K::Text, 50}, {"F_SQLtext", K::Memo, 0}}});

    t.push_back({"KeyValue",
                 {{"F_ID", K::AutoKey, 0},
                  {"KeyID", K::Text, 50},
                  {"F_name", K::Text, 50},
                  {"F_Value", K::Text, 255},
                  {"F_flag", K::Integer, 0},
                  {"F_from", K::Integer, 0},
                  {"F_to", K::Integer, 0}}});

    t.push_back({"t_ZXrec",
                 {{"F_ID", K::AutoKey, 0},
                  {"F_mainID", K::Integer, 0},
                  {"F_date", K::Date, 0},
                  {"F_Memo1", K::Memo, 0},
                  {"F_empName", K::Text, 50},
                  {"F_editDate", K::Date, 0}}});
    return t;
}

QString columnSql(const Column &c)
{
    const QString name = QString::fromLatin1(c.name);
    switch (c.kind) {
    case K::AutoKey:
        return name + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT");
    case K::Integer:
        return name + QStringLiteral(" INTEGER");
    case K::Float:
        return name + QStringLiteral(" REAL");
    case K::Text:
    case K::DateText:
        return c.size > 0 ? QStringLiteral("%1 TEXT(%2) COLLATE NOCASE").arg(name).arg(c.size)
                          : name + QStringLiteral(" TEXT COLLATE NOCASE");
    case K::Memo:
        return name + QStringLiteral(" TEXT COLLATE NOCASE");
    case K::Date:
        return name + QStringLiteral(" DATE COLLATE NOCASE");
    case K::Bool:
        return name + QStringLiteral(" INTEGER NOT NULL DEFAULT 0");
    case K::Binary:
        return name + QStringLiteral(" BLOB");
    }
    return name;
}

} // namespace

const std::vector<Table> &tables()
{
    static const std::vector<Table> all = build();
    return all;
}

const Table *table(const QString &name)
{
    for (const Table &t : tables())
        if (name.compare(QLatin1String(t.name), Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

const Column *column(const QString &tableName, const QString &columnName)
{
    const Table *t = table(tableName);
    if (!t)
        return nullptr;
    for (const Column &c : t->columns)
        if (columnName.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

int textSize(const QString &tableName, const QString &columnName)
{
    const Column *c = column(tableName, columnName);
    return c && (c->kind == K::Text || c->kind == K::DateText) ? c->size : 0;
}

QStringList createStatements()
{
    QStringList out;
    for (const Table &t : tables()) {
        QStringList cols;
        for (const Column &c : t.columns)
            cols << columnSql(c);
        out << QStringLiteral("CREATE TABLE %1 (\n  %2\n)").arg(QLatin1String(t.name), cols.join(QStringLiteral(",\n  ")));
    }
    return out;
}

QStringList upgradeStatements(int fromVersion)
{
    QStringList out;
    if (fromVersion < 2)
        out << QStringLiteral("CREATE INDEX IF NOT EXISTS ix_zuzav_zx_code ON ZuZav(F_ZXflag, F_Code)")
            << QStringLiteral("CREATE INDEX IF NOT EXISTS ix_zuzav_zx_name ON ZuZav(F_ZXflag, F_Name)")
            << QStringLiteral("CREATE INDEX IF NOT EXISTS ix_zuzav_zx_csdate ON ZuZav(F_ZXflag, F_CSdate)")
            // the planner misjudges new indexes until they have statistics
            << QStringLiteral("ANALYZE");
    return out;
}

QStringList indexStatements()
{
    return {
        QStringLiteral("CREATE INDEX ix_zuzav_code ON ZuZav(F_Code)"),
        QStringLiteral("CREATE INDEX ix_zuzav_name ON ZuZav(F_Name)"),
        QStringLiteral("CREATE INDEX ix_zuzav_mainid ON ZuZav(F_mainID)"),
        QStringLiteral("CREATE INDEX ix_zuzav_sfz ON ZuZav(F_SFZcode)"),
        QStringLiteral("CREATE INDEX ix_zuzav_jt ON ZuZav(F_JTcode)"),
        QStringLiteral("CREATE INDEX ix_zuzav_hktype ON ZuZav(F_HKtype)"),
        QStringLiteral("CREATE INDEX ix_zuzav_csdate ON ZuZav(F_CSdate)"),
        QStringLiteral("CREATE INDEX ix_zuzav_ld ON ZuZav(F_LDcode, F_HScode)"),
        QStringLiteral("CREATE INDEX ix_bgrec_main ON t_BGrec(F_mainID)"),
        // every list hides cancelled residents: these serve that filter with its order
        QStringLiteral("CREATE INDEX ix_zuzav_zx_code ON ZuZav(F_ZXflag, F_Code)"),
        QStringLiteral("CREATE INDEX ix_zuzav_zx_name ON ZuZav(F_ZXflag, F_Name)"),
        QStringLiteral("CREATE INDEX ix_zuzav_zx_csdate ON ZuZav(F_ZXflag, F_CSdate)"),
        QStringLiteral("CREATE INDEX ix_txrec_main ON t_TXrec(F_mainID)"),
        QStringLiteral("CREATE INDEX ix_txrec_date ON t_TXrec(F_AwokeDate)"),
        QStringLiteral("CREATE INDEX ix_jtinfo_code ON t_JTinfo(F_code)"),
        QStringLiteral("CREATE INDEX ix_code_type ON t_code(F_type)"),
        QStringLiteral("CREATE UNIQUE INDEX ix_grid_name ON cfg_Grid(F_name, F_FieldName)"),
        QStringLiteral("CREATE INDEX ix_operlimit_oper ON OperLimit(F_OperName)"),
        QStringLiteral("CREATE UNIQUE INDEX ix_limits_name ON Limits(F_name)"),
    };
}

} // namespace Schema
