#include "ResidentStore.h"

#include "data/Database.h"
#include "data/DataModule.h"
#include "support/Messages.h"

#include <QSqlQuery>

namespace {

// Photo bytes stay out of the list: a screenful would read megabytes.
const char *const kColumns =
    "select F_ID,F_mainID,F_Code,F_Name,F_HKtype,F_LDcode,F_HScode,F_ZYname,F_HZname,F_HZguanxi,F_SFZcode,"
    "F_QFwork,F_QFdate,F_CSdate,F_CSaddress,F_sex,F_SG,F_XX,F_JKmem,F_HJaddress,F_MinZu,F_JGaddress,"
    "F_ZZaddress,F_QTaddress,F_WHchengdu,F_HYmem,F_BYmem,F_ZJxinyang,F_ZZmianmao,F_work,F_workAddress,"
    "F_memo1,F_QRflag,F_QCflag,F_QRdate,F_OLDaddress,F_QRtype,F_QRreason,F_QCdate,F_NewAddress,F_QCtype,"
    "F_QCreason,F_WGflag,F_ZXflag,F_SWdate,F_SWreason,F_ZXdate,F_ZXreason,F_ZF1,F_ZF2,F_ZF3,F_ZF4,F_ZF5,"
    "F_SZ1,F_SZ2,F_SZ3,F_RQ1,F_RQ2,F_RQ3,F_HKcode,F_JSflag,F_HJstatus,F_JTphone,F_Znum,F_Nnum,F_Fnum,"
    "F_SRprice,F_JJstatus,F_ZStype,F_memo2,F_DBflag,F_SYflag,F_YFflag,F_LLflag,F_LNflag,F_CJflag,"
    "F_editDate,F_imagePath,F_HKxingzhi,F_JTcode,F_JTaddress from ZuZav where (1=1) ";

QString yearStart(int year)
{
    return QStringLiteral("%1-01-01").arg(qBound(0, year, 9999), 4, 10, QLatin1Char('0'));
}

} // namespace

const QList<ResidentStore::FieldEntry> &ResidentStore::fieldEntries()
{
    static const QList<FieldEntry> entries {
        { QStringLiteral("编号"), QStringLiteral("F_code"), true, {} },
        { QStringLiteral("姓名"), QStringLiteral("F_name"), true, {} },
        { QStringLiteral("楼(幢)号"), QStringLiteral("F_LDcode"), true, {} },
        { QStringLiteral("户(室)号"), QStringLiteral("F_HScode"), true, {} },
        { QStringLiteral("曾用名"), QStringLiteral("F_ZYname"), true, {} },
        { QStringLiteral("户主姓名"), QStringLiteral("F_HZname"), true, {} },
        { QStringLiteral("与户主关系"), QStringLiteral("F_HZguanxi"), false, QStringLiteral("hzguanxi") },
        { QStringLiteral("身份证号"), QStringLiteral("F_SFZcode"), true, {} },
        { QStringLiteral("签发单位"), QStringLiteral("F_QFwork"), true, {} },
        { QStringLiteral("出生地"), QStringLiteral("F_CSaddress"), true, {} },
        { QStringLiteral("性别"), QStringLiteral("F_sex"), false, QStringLiteral("sex") },
        { QStringLiteral("身高"), QStringLiteral("F_SG"), true, {} },
        { QStringLiteral("血型"), QStringLiteral("F_XX"), false, QStringLiteral("xx") },
        { QStringLiteral("健康状况"), QStringLiteral("F_JKmem"), false, QStringLiteral("jkmem") },
        { QStringLiteral("户籍所在地"), QStringLiteral("F_HJaddress"), true, {} },
        { QStringLiteral("民族"), QStringLiteral("F_minZu"), false, QStringLiteral("minzu") },
        { QStringLiteral("籍贯"), QStringLiteral("F_JGaddress"), true, {} },
        { QStringLiteral("现住址"), QStringLiteral("F_ZZaddress"), true, {} },
        { QStringLiteral("其他住址"), QStringLiteral("F_QTaddress"), true, {} },
        { QStringLiteral("文化程度"), QStringLiteral("F_WHchengdu"), false, QStringLiteral("whchengdu") },
        { QStringLiteral("婚姻状况"), QStringLiteral("F_HYmem"), false, QStringLiteral("hymem") },
        { QStringLiteral("兵役状况"), QStringLiteral("F_BYmem"), false, QStringLiteral("bymem") },
        { QStringLiteral("宗教信仰"), QStringLiteral("F_ZJxinyang"), false, QStringLiteral("zjxinyang") },
        { QStringLiteral("政治面貌"), QStringLiteral("F_ZZmianmao"), false, QStringLiteral("zzmianmao") },
        { QStringLiteral("职业"), QStringLiteral("F_work"), false, QStringLiteral("work") },
        { QStringLiteral("服务处所"), QStringLiteral("F_workAddress"), true, {} },
        // a drop-down, yet matched anywhere in the column
        { QStringLiteral("户口性质"), QStringLiteral("F_HKxingzhi"), true, QStringLiteral("hkxingzhi") },
        { QStringLiteral("备注"), QStringLiteral("F_memo1"), true, {} },
    };
    return entries;
}

QStringList ResidentStore::fieldCaptions()
{
    QStringList out;
    for (const FieldEntry &e : fieldEntries())
        out << e.caption;
    return out;
}

QStringList ResidentStore::choiceItems(int entry)
{
    if (entry < 0 || entry >= fieldEntries().size())
        return {};
    const QString &choices = fieldEntries().at(entry).choices;
    if (choices.isEmpty())
        return {};
    if (choices == QLatin1String("sex"))
        return { QStringLiteral("男"), QStringLiteral("女") };
    QStringList items { QString() };
    QSqlQuery q;
    if (!Database::exec(q,
            QStringLiteral("select F_name from t_code where (F_name <> '') and F_type = ? group by F_name "
                           "order by min(F_ID)"),
            QVariantList { choices })) {
        ShowMess(QStringLiteral("操作失败，请检查数据连接... "), MessError);
        return items;
    }
    while (q.next())
        if (!q.value(0).toString().trimmed().isEmpty())
            items << q.value(0).toString();
    return items;
}

QString ResidentStore::likeLiteral(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

QString ResidentStore::ageCondition(const AgeRange &range, const QDate &today, QVariantList &params)
{
    // DateDiff("yyyy") compares calendar years only, so an age between from and to
    // is a birth year between today's year - to and today's year - from. As a
    // range on the text the birth-date index serves it; empty and NULL dates fall
    // outside like DateDiff's NULL, and the null date 1900-08-14 is a year as any.
    const int year = today.year();
    params << yearStart(year - range.to);
    if (year - range.from + 1 > 9999)
        return QStringLiteral("and F_CSdate >= ? ");
    params << yearStart(year - range.from + 1);
    return QStringLiteral("and F_CSdate >= ? and F_CSdate < ? ");
}

ResidentStore::Statement ResidentStore::listStatement(const Filter &filter, const QDate &today)
{
    Statement s { QString::fromLatin1(kColumns), {} };
    if (filter.field >= 0 && filter.field < fieldEntries().size()) {
        const FieldEntry &e = fieldEntries().at(filter.field);
        s.sql += QStringLiteral("and %1 like ? escape '\\' ").arg(e.column);
        // one bound pattern keeps a prefix match open to the column's index
        s.params << (e.contains ? QStringLiteral("%") : QString()) + likeLiteral(filter.value.trimmed())
                + QStringLiteral("%");
    }
    if (!filter.householdType.trimmed().isEmpty()) {
        s.sql += QStringLiteral("and F_HKtype = ? ");
        s.params << filter.householdType.trimmed();
    }
    if (filter.age)
        s.sql += ageCondition(*filter.age, today, s.params);
    // Nearly everyone is not cancelled: searching that flag's index row by row is
    // slower than reading the table, so with a field or type filter the flag is
    // only checked (+), and the index stays for the plain list and age bands.
    const bool otherFilter = (filter.field >= 0 && filter.field < fieldEntries().size())
        || !filter.householdType.trimmed().isEmpty();
    if (!filter.includeCancelled)
        s.sql += otherFilter && !filter.age ? QStringLiteral("and +F_ZXflag = false ") : QStringLiteral("and F_ZXflag = false ");
    return s;
}

std::optional<ResidentStore::AgeRange> ResidentStore::ageBand(const QString &nodeText)
{
    QSqlQuery q;
    if (!Database::exec(q,
            QStringLiteral("select F_from,F_to from KeyValue where KeyID like 'nl%' and F_name = ? order by KeyID"),
            QVariantList { nodeText })
        || !q.next())
        return std::nullopt;
    if (q.value(0).isNull() || q.value(1).isNull())
        return std::nullopt;
    return AgeRange { q.value(0).toInt(), q.value(1).toInt() };
}

ResidentStore::Statement ResidentStore::changeRecords(const QVariant &mainId)
{
    return { QStringLiteral("select * from t_BGrec where F_mainID = ? order by F_ID"), { mainId } };
}

ResidentStore::Statement ResidentStore::reminders(const QVariant &mainId)
{
    return { QStringLiteral("select * from t_TXrec where F_mainID = ? order by F_ID"), { mainId } };
}

bool ResidentStore::deleteResident(const QVariant &mainId, const QVariant &rowId)
{
    bool ok = false;
    {
        Transaction t;
        QSqlQuery q;
        if (mainId.isNull()) {
            // without a serial nothing can hang on him: remove just his row
            ok = t.ok() && Database::exec(q, QStringLiteral("delete from ZuZav where F_ID = ?"), QVariantList { rowId });
        } else {
            ok = t.ok()
                && Database::exec(q, QStringLiteral("delete from ZuZav where F_mainID = ?"), QVariantList { mainId })
                && Database::exec(q, QStringLiteral("delete from t_BGrec where F_mainID = ?"), QVariantList { mainId })
                && Database::exec(q, QStringLiteral("delete from t_TXrec where F_mainID = ?"), QVariantList { mainId });
        }
        ok = ok && t.commit();
    }
    if (!ok)
        ShowMess(QStringLiteral("操作失败，请检查连接..."), MessError);
    return ok;
}

bool ResidentStore::deleteChangeRecord(qint64 id)
{
    return DataModule::DeleteRecord(QStringLiteral("t_BGrec"), id);
}

bool ResidentStore::deleteReminder(qint64 id)
{
    return DataModule::DeleteRecord(QStringLiteral("t_TXrec"), id);
}

QString ResidentStore::countText(int rows)
{
    return QStringLiteral("户口总数： %1 个").arg(rows);
}

QString ResidentStore::deleteResidentQuestion(const QString &name)
{
    return QStringLiteral("删除当前户口资料，将删除当前户口所有的相关记录，\n真的要删除当前姓名为“") + name
        + QStringLiteral("”的相关资料吗？");
}

QString ResidentStore::deleteChangeQuestion(const QString &date)
{
    return QStringLiteral("真的要删除当前变更日期为“") + date + QStringLiteral("”的户口变更记录吗？");
}

QString ResidentStore::deleteReminderQuestion(const QString &editDate)
{
    return QStringLiteral("真的要删除当前") + editDate + QStringLiteral("日的事务提醒记录吗？");
}
