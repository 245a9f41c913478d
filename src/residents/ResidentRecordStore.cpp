#include "ResidentRecordStore.h"

#include "data/DataModule.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>

namespace {

const QString kTable = QStringLiteral("ZuZav");

struct ColumnCaption
{
    const char *column;
    const char *caption;
};

// clang-format off
constexpr ColumnCaption kColumns[] = {
    {"F_Code", "编号"}, {"F_Name", "姓名"}, {"F_HKtype", "类别"}, {"F_LDcode", "楼(幢)号"},
    {"F_HScode", "户(室)号"}, {"F_ZYname", "曾用名"}, {"F_HZname", "户主姓名"}, {"F_HZguanxi", "与户主关系"},
    {"F_SFZcode", "身份证号"}, {"F_QFwork", "签发机关"}, {"F_QFdate", "签发日期"}, {"F_CSdate", "出生日期"},
    {"F_CSaddress", "出生地"}, {"F_sex", "性别"}, {"F_SG", "身高"}, {"F_XX", "血型"},
    {"F_JKmem", "健康状况"}, {"F_HJaddress", "户籍所在地"}, {"F_MinZu", "民族"}, {"F_JGaddress", "籍贯"},
    {"F_ZZaddress", "现住址"}, {"F_QTaddress", "其他住址"}, {"F_WHchengdu", "文化程度"}, {"F_HYmem", "婚姻状况"},
    {"F_BYmem", "兵役状况"}, {"F_ZJxinyang", "宗教信仰"}, {"F_ZZmianmao", "政治面貌"}, {"F_work", "职业"},
    {"F_workAddress", "服务处所"}, {"F_memo1", "备注"}, {"F_QRflag", "已迁入"}, {"F_QCflag", "已迁出"},
    {"F_QRdate", "迁入日期"}, {"F_OLDaddress", "原住址"}, {"F_QRtype", "迁入类别"}, {"F_QRreason", "迁入原因"},
    {"F_QCdate", "迁出日期"}, {"F_NewAddress", "迁出到"}, {"F_QCtype", "迁出类别"}, {"F_QCreason", "迁出原因"},
    {"F_WGflag", "已亡故"}, {"F_ZXflag", "户口已注销"}, {"F_SWdate", "死亡日期"}, {"F_SWreason", "死亡情况"},
    {"F_ZXdate", "注销日期"}, {"F_ZXreason", "注销原因"},
    {"F_ZF1", "字符项一"}, {"F_ZF2", "字符项二"}, {"F_ZF3", "字符项三"}, {"F_ZF4", "字符项四"}, {"F_ZF5", "字符项五"},
    {"F_SZ1", "数值项一"}, {"F_SZ2", "数值项二"}, {"F_SZ3", "数值项三"},
    {"F_RQ1", "日期项一"}, {"F_RQ2", "日期项二"}, {"F_RQ3", "日期项三"},
    {"F_HKcode", "户口簿号"}, {"F_JSflag", "军属"}, {"F_HJstatus", "户籍状况"}, {"F_JTphone", "联系电话"},
    {"F_SRprice", "月均收入"}, {"F_JJstatus", "经济状况"}, {"F_ZStype", "住所类型"}, {"F_memo2", "家庭备注"},
    {"F_DBflag", "低保户"}, {"F_SYflag", "失业"}, {"F_YFflag", "优抚对象"}, {"F_LLflag", "两劳人员"},
    {"F_LNflag", "老年人"}, {"F_CJflag", "残疾人"}, {"F_editDate", "登记日期"}, {"F_HKxingzhi", "户口性质"},
    {"F_JTcode", "家庭编号"},
};
// clang-format on

Schema::Kind kindOf(const QString &column)
{
    const Schema::Column *c = Schema::column(kTable, column);
    return c ? c->kind : Schema::Kind::Text;
}

bool isText(Schema::Kind k)
{
    return k == Schema::Kind::Text || k == Schema::Kind::Memo || k == Schema::Kind::DateText;
}

QVariant valueToStore(const QString &column, const QVariant &v)
{
    switch (kindOf(column)) {
    case Schema::Kind::Bool:
        return v.toBool() ? 1 : 0;
    case Schema::Kind::Float:
        return v.toDouble();
    case Schema::Kind::Integer:
        return v.toLongLong();
    default:
        return v.toString().trimmed();
    }
}

QString selectList()
{
    return QStringLiteral("F_ID,F_mainID,") + ResidentRecordStore::columns().join(QLatin1Char(','))
        + QStringLiteral(",F_EmpImage,F_imagePath");
}

// The caller holds the transaction; these reads see what it will commit against.
qint64 other(const char *column, const QString &value, qint64 exceptId, bool *ok = nullptr)
{
    QSqlQuery q;
    const bool done = Database::exec(q,
        QStringLiteral("select F_ID from ZuZav where %1 = ? and F_ID <> ? limit 1").arg(QLatin1String(column)),
        QVariantList { value, exceptId });
    if (ok)
        *ok = done;
    return done && q.next() ? q.value(0).toLongLong() : 0;
}

} // namespace

const QStringList &ResidentRecordStore::columns()
{
    static const QStringList list = [] {
        QStringList l;
        for (const ColumnCaption &c : kColumns)
            l << QLatin1String(c.column);
        return l;
    }();
    return list;
}

QString ResidentRecordStore::caption(const QString &column)
{
    for (const ColumnCaption &c : kColumns)
        if (column.compare(QLatin1String(c.column), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(c.caption);
    return column;
}

bool ResidentRecordStore::load(qint64 id, ResidentRecord *out)
{
    QSqlQuery q;
    if (!Database::exec(q, QStringLiteral("select ") + selectList() + QStringLiteral(" from ZuZav where F_ID = ?"),
            QVariantList { id })
        || !q.next())
        return false;
    ResidentRecord r;
    r.id = q.value(0).toLongLong();
    r.mainId = q.value(1).toLongLong();
    const QStringList &cols = columns();
    for (int i = 0; i < cols.size(); ++i) {
        const QVariant v = q.value(i + 2);
        switch (kindOf(cols.at(i))) {
        case Schema::Kind::Bool:
            r.values.insert(cols.at(i), v.toInt() != 0);
            break;
        case Schema::Kind::Float:
            r.values.insert(cols.at(i), v.toDouble());
            break;
        default:
            r.values.insert(cols.at(i), v.isNull() ? QString() : v.toString());
        }
    }
    r.photo = Photo::fromStored(q.value(cols.size() + 2).toByteArray(), q.value(cols.size() + 3).toString());
    *out = r;
    return true;
}

qint64 ResidentRecordStore::nextMainId()
{
    return DataModule::QueryInteger(QStringLiteral("select max(F_mainID) from ZuZav")) + 1;
}

QString ResidentRecordStore::nextCode()
{
    return DataModule::NextCode(QStringLiteral("select max(F_code) from ZuZav "), 8);
}

qint64 ResidentRecordStore::otherWithCode(const QString &code, qint64 exceptId)
{
    return other("F_Code", code.trimmed(), exceptId);
}

qint64 ResidentRecordStore::otherWithName(const QString &name, qint64 exceptId)
{
    return other("F_Name", name.trimmed(), exceptId);
}

QString ResidentRecordStore::tooLongColumn(const ResidentRecord &r)
{
    for (const QString &c : columns()) {
        const int size = Schema::textSize(kTable, c);
        if (size > 0 && r.text(c).trimmed().size() > size)
            return c;
    }
    if (r.photo.storedName().size() > Schema::textSize(kTable, QStringLiteral("F_imagePath")))
        return QStringLiteral("F_imagePath");
    return {};
}

QString ResidentRecordStore::tooLongMessage(const QString &column)
{
    const QString name = column == QLatin1String("F_imagePath") ? QStringLiteral("相片文件名") : caption(column);
    return QStringLiteral("“%1”太长，最多 %2 个字。").arg(name).arg(Schema::textSize(kTable, column));
}

ResidentRecordStore::Outcome ResidentRecordStore::save(const ResidentRecord &r, bool autoNumber)
{
    Outcome o;
    const QString failed = QStringLiteral("保存失败，请检测数据库连接！");
    Transaction t;
    if (!t.ok()) {
        o.message = failed;
        return o;
    }
    o.code = r.text(QStringLiteral("F_Code")).trimmed();
    // rechecked here: another workstation may have taken the number since the form asked
    if (!o.code.isEmpty()) {
        bool ok = false;
        const bool taken = other("F_Code", o.code, r.id, &ok) != 0;
        if (!ok) {
            o.message = failed;
            return o;
        }
        if (taken && !autoNumber) {
            o.result = Result::CodeTaken;
            o.message = QStringLiteral("户口编号重复，请重新输入！");
            return o;
        }
        if (taken) {
            try {
                o.code = nextCode();
            } catch (const DataError &e) {
                o.result = Result::NoNextCode;
                o.message = QStringLiteral("无法生成下一个户口编号：%1").arg(QString::fromStdString(e.what()));
                return o;
            }
        }
    }

    o.mainId = r.mainId;
    if (r.id == 0) {
        QSqlQuery q;
        if (!Database::exec(q, QStringLiteral("select coalesce(max(F_mainID),0) + 1 from ZuZav")) || !q.next()) {
            o.message = failed;
            return o;
        }
        o.mainId = q.value(0).toLongLong();
    } else if (o.mainId < 1) {
        o.mainId = r.id;
    }

    QVariantMap p;
    for (const QString &c : columns())
        p.insert(c, valueToStore(c, r.values.value(c)));
    p.insert(QStringLiteral("F_Code"), o.code);
    p.insert(QStringLiteral("F_mainID"), o.mainId);
    p.insert(QStringLiteral("F_EmpImage"),
        r.photo.isNull() ? QVariant(QMetaType(QMetaType::QByteArray)) : QVariant(r.photo.bytes()));
    p.insert(QStringLiteral("F_imagePath"), r.photo.storedName());

    QStringList all = columns();
    all << QStringLiteral("F_EmpImage") << QStringLiteral("F_imagePath");
    QString sql;
    if (r.id == 0) {
        all.prepend(QStringLiteral("F_mainID"));
        QStringList params;
        for (const QString &c : all)
            params << QLatin1Char(':') + c;
        sql = QStringLiteral("insert into ZuZav(%1) values(%2)")
                  .arg(all.join(QLatin1Char(',')), params.join(QLatin1Char(',')));
    } else {
        all.prepend(QStringLiteral("F_mainID"));
        QStringList sets;
        for (const QString &c : all)
            sets << c + QStringLiteral(" = :") + c;
        sql = QStringLiteral("update ZuZav set %1 where F_ID = :F_ID").arg(sets.join(QLatin1Char(',')));
        p.insert(QStringLiteral("F_ID"), r.id);
    }
    QSqlQuery q;
    if (!Database::exec(q, sql, p)) {
        o.message = failed;
        return o;
    }
    if (r.id != 0 && q.numRowsAffected() == 0) {
        o.message = QStringLiteral("要修改的户口记录已不存在，可能已被删除！");
        return o;
    }
    o.id = r.id == 0 ? q.lastInsertId().toLongLong() : r.id;
    if (!t.commit()) {
        o.message = failed;
        return o;
    }
    o.result = Result::Saved;
    return o;
}
