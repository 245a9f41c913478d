#include "CodeStore.h"

#include "data/Database.h"
#include "data/Schema.h"

#include <QSqlQuery>

QString CodeType::tabName() const
{
    return QLatin1Char('t') + key;
}

const QList<CodeType> &CodeStore::managedTypes()
{
    // Captions keep their padding: they line the tab labels up and are shown
    // as the grid's title.
    static const QList<CodeType> types {
        { QStringLiteral("hzguanxi"), QStringLiteral("与户主关系") },
        { QStringLiteral("hktype"), QStringLiteral(" 户口类别 ") },
        { QStringLiteral("xx"), QStringLiteral(" 血    型 ") },
        { QStringLiteral("jkmem"), QStringLiteral(" 健康状况 ") },
        { QStringLiteral("minzu"), QStringLiteral(" 民    族 ") },
        { QStringLiteral("whchengdu"), QStringLiteral(" 文化程度 ") },
        { QStringLiteral("hymem"), QStringLiteral(" 婚姻状况 ") },
        { QStringLiteral("bymem"), QStringLiteral(" 兵役状况 ") },
        { QStringLiteral("zjxinyang"), QStringLiteral(" 宗教信仰 ") },
        { QStringLiteral("zzmianmao"), QStringLiteral(" 政治面貌 ") },
        { QStringLiteral("work"), QStringLiteral(" 职    业 ") },
        { QStringLiteral("qrtype"), QStringLiteral(" 迁移类别 ") },
        { QStringLiteral("hjstatus"), QStringLiteral(" 户籍状况 ") },
        { QStringLiteral("jjstatus"), QStringLiteral(" 经济状况 ") },
        { QStringLiteral("zstype"), QStringLiteral(" 住所类型 ") },
        { QStringLiteral("dbreason"), QStringLiteral(" 低保原因 ") },
        { QStringLiteral("jystatus"), QStringLiteral(" 就业状况 ") },
        { QStringLiteral("yftype"), QStringLiteral(" 优抚类型 ") },
        { QStringLiteral("ldnengli"), QStringLiteral(" 劳动能力 ") },
        { QStringLiteral("shnengli"), QStringLiteral(" 生活能力 ") },
        { QStringLiteral("gystatus"), QStringLiteral(" 供养情况 ") },
        { QStringLiteral("jzmem"), QStringLiteral(" 居住情况 ") },
        { QStringLiteral("pomem"), QStringLiteral(" 配偶情况 ") },
        { QStringLiteral("mtmem"), QStringLiteral(" 目前情况 ") },
        { QStringLiteral("jjlaiyuan"), QStringLiteral(" 经济来源 ") },
        { QStringLiteral("tsmem"), QStringLiteral(" 特殊人员 ") },
        { QStringLiteral("cjstatus"), QStringLiteral(" 残疾人员 ") },
        { QStringLiteral("bgtype"), QStringLiteral(" 变更类型 ") },
        { QStringLiteral("empname"), QStringLiteral(" 经 手 人 ") },
        { QStringLiteral("awoketime"), QStringLiteral(" 提醒时间 ") },
        { QStringLiteral("txcaption"), QStringLiteral(" 提醒主题 ") },
        { QStringLiteral("hkxingzhi"), QStringLiteral(" 户口性质 ") },
        { QStringLiteral("JNtechang"), QStringLiteral(" 技能特长 ") },
        { QStringLiteral("WAZreason"), QStringLiteral("未安置原因") },
        { QStringLiteral("abSheet1"), QStringLiteral(" 特殊字符 ") },
    };
    return types;
}

QString CodeStore::itemsSql()
{
    return QStringLiteral("select distinct F_name from t_code where (F_name <> '') and F_type = ?");
}

int CodeStore::nameLimit()
{
    return Schema::textSize(QStringLiteral("t_code"), QStringLiteral("F_name"));
}

bool CodeStore::tooLong(const QString &name)
{
    // The limit counts characters, and an emoji is one character but two UTF-16 units.
    const int limit = nameLimit();
    return limit > 0 && name.toUcs4().size() > limit;
}

QString CodeStore::tooLongMessage()
{
    return QStringLiteral("名称不能超过%1个字符！").arg(nameLimit());
}

std::optional<QList<CodeRow>> CodeStore::rows(const QString &key)
{
    QSqlQuery q;
    if (!Database::exec(
            q, QStringLiteral("select F_ID, F_name from t_code where F_type = ? order by F_ID"), QVariantList { key }))
        return std::nullopt;
    QList<CodeRow> out;
    while (q.next())
        out.append({ q.value(0).toLongLong(), q.value(1).toString() });
    return out;
}

qint64 CodeStore::add(const QString &key, const QString &name)
{
    QSqlQuery q;
    if (!Database::exec(
            q, QStringLiteral("insert into t_code(F_type, F_name) values(?, ?)"), QVariantList { key, name }))
        return 0;
    return q.lastInsertId().toLongLong();
}

bool CodeStore::remove(qint64 id)
{
    QSqlQuery q;
    return Database::exec(q, QStringLiteral("delete from t_code where F_ID = ?"), QVariantList { id });
}

bool CodeStore::apply(const QString &key, QList<CodeRow> &inserted, const QList<CodeRow> &renamed)
{
    Transaction t;
    if (!t.ok())
        return false;
    QSqlQuery q;
    for (const CodeRow &r : renamed) {
        if (!Database::exec(q, QStringLiteral("update t_code set F_name = ?, F_type = ? where F_ID = ?"),
                QVariantList { r.name, key, r.id }))
            return false;
    }
    QList<qint64> ids;
    for (const CodeRow &r : inserted) {
        if (!Database::exec(
                q, QStringLiteral("insert into t_code(F_type, F_name) values(?, ?)"), QVariantList { key, r.name }))
            return false;
        ids << q.lastInsertId().toLongLong();
    }
    if (!t.commit())
        return false;
    for (int i = 0; i < inserted.size(); ++i)
        inserted[i].id = ids.at(i);
    return true;
}
