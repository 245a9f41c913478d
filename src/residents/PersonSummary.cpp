#include "PersonSummary.h"

#include <QDate>
#include <QDateTime>
#include <QPlainTextEdit>

namespace {

QString asText(const QVariant &v)
{
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd"));
    return v.toString();
}

} // namespace

QString PersonSummaryText(const PersonValue &value)
{
    struct Line {
        const char16_t *label;
        const char *field;
    };
    static const Line lines[] = {
        {u"  户口编号:", "F_code"},      {u"  户口名称:", "F_name"},     {u"  类    别:", "F_HKtype"},
        {u"  楼(幢)号:", "F_LDcode"},    {u"  户(室)号:", "F_HScode"},   {u"  户主姓名:", "F_HZname"},
        {u"  与户主关系：", "F_HZguanxi"}, {u"  出生日期:", "F_csDate"},   {u"  出 生 地:", "F_CSaddress"},
        {u"  户籍所在地:", "F_HJaddress"}, {u"  文化程度:", "F_WHchengdu"}, {u"  政治面貌:", "F_ZZmianmao"},
        {u"  职    业:", "F_work"},      {u"  备    注:", "F_memo1"},
    };
    QStringList out{QString()};
    for (const Line &l : lines) {
        const QString field = QString::fromLatin1(l.field);
        const QString text = value ? asText(value(field)) : QString();
        // an empty birth date (stored as the null date) gets no line
        if (field == QLatin1String("F_csDate") && text.left(10) < QLatin1String("1901-08-14"))
            continue;
        out << QString::fromUtf16(l.label) + (field == QLatin1String("F_csDate") ? text.left(10) : text);
    }
    return out.join(QLatin1Char('\n'));
}

void FillPersonSummary(QPlainTextEdit *memo, const PersonValue &value)
{
    memo->setPlainText(PersonSummaryText(value));
}
