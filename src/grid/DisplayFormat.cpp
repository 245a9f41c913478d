#include "DisplayFormat.h"

#include <QStringList>
#include <QVariant>
#include <cmath>

namespace DisplayFormat {

namespace {

QStringList splitSections(const QString &format)
{
    QStringList out;
    QString cur;
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            out << cur;
            cur.clear();
            continue;
        }
        cur += c;
    }
    out << cur;
    return out;
}

// A number section taken apart: literals before and after the digits, digit counts.
struct NumberSection
{
    QString prefix;
    QString suffix;
    bool thousands = false;
    bool point = false;
    int intZeros = 0; // placeholders from the first '0' up to the point
    int decimals = 0; // placeholders after the point
    int decZeros = 0; // decimals always shown (up to the last '0')
    bool anyDigit = false;
};

NumberSection parseSection(const QString &s)
{
    NumberSection n;
    bool seenZero = false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        QString literal;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype j = s.indexOf(c, i + 1);
            literal = s.mid(i + 1, (j < 0 ? s.size() : j) - i - 1);
            i = j < 0 ? s.size() : j;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            n.anyDigit = true;
            if (n.point) {
                ++n.decimals;
                if (c == QLatin1Char('0'))
                    n.decZeros = n.decimals;
            } else if (c == QLatin1Char('0') || seenZero) {
                seenZero = true;
                ++n.intZeros;
            }
            continue;
        } else if (c == QLatin1Char('.')) {
            if (!n.point) {
                n.point = true;
                continue;
            }
            literal = c;
        } else if (c == QLatin1Char(',')) {
            n.thousands = true;
            continue;
        } else {
            literal = c;
        }
        (n.anyDigit ? n.suffix : n.prefix) += literal;
    }
    return n;
}

// |value| rounded half away from zero to `decimals` places, on its 15 significant digits.
void roundedDigits(double value, int decimals, QString *intPart, QString *fracPart)
{
    const QString e = QString::number(std::fabs(value), 'e', 14); // d.dddddddddddddde±XX
    QString digits = e.left(1) + e.mid(2, 14);
    const int exponent = e.mid(e.indexOf(QLatin1Char('e')) + 1).toInt();
    int pointAt = exponent + 1; // digits before the decimal point
    if (pointAt < 0) {
        digits.prepend(QString(-pointAt, QLatin1Char('0')));
        pointAt = 0;
    }
    if (digits.size() < pointAt + decimals + 1)
        digits += QString(pointAt + decimals + 1 - digits.size(), QLatin1Char('0'));
    const int keep = pointAt + decimals;
    QString kept = digits.left(keep);
    if (digits.at(keep) >= QLatin1Char('5')) {
        int i = kept.size() - 1;
        for (; i >= 0; --i) {
            if (kept.at(i) == QLatin1Char('9')) {
                kept[i] = QLatin1Char('0');
            } else {
                kept[i] = QChar(kept.at(i).unicode() + 1);
                break;
            }
        }
        if (i < 0) {
            kept.prepend(QLatin1Char('1'));
            ++pointAt;
        }
    }
    *intPart = kept.left(pointAt);
    *fracPart = kept.mid(pointAt);
    while (intPart->startsWith(QLatin1Char('0')))
        intPart->remove(0, 1);
}

QString group(const QString &digits)
{
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits.at(i);
    }
    return out;
}

QString applySection(const NumberSection &n, double value)
{
    QString ip, fp;
    roundedDigits(value, n.decimals, &ip, &fp);
    if (ip.size() < n.intZeros)
        ip.prepend(QString(n.intZeros - ip.size(), QLatin1Char('0')));
    while (fp.size() > n.decZeros && fp.endsWith(QLatin1Char('0')))
        fp.chop(1);
    if (n.thousands)
        ip = group(ip);
    QString out = n.prefix + ip;
    if (!fp.isEmpty())
        out += QLatin1Char('.') + fp;
    return out + n.suffix;
}

bool roundsToZero(const NumberSection &n, double value)
{
    QString ip, fp;
    roundedDigits(value, n.decimals, &ip, &fp);
    return ip.isEmpty() && fp.count(QLatin1Char('0')) == fp.size();
}

QString quoteExcel(const QString &literal)
{
    if (literal.isEmpty())
        return {};
    return QLatin1Char('"') + QString(literal).remove(QLatin1Char('"')) + QLatin1Char('"');
}

QString excelSection(const QString &s)
{
    const NumberSection n = parseSection(s);
    if (!n.anyDigit)
        return quoteExcel(n.prefix + n.suffix);
    QString ip = QString(n.intZeros, QLatin1Char('0'));
    if (n.thousands) {
        if (ip.size() < 4)
            ip = QString(4 - ip.size(), QLatin1Char('#')) + ip;
        ip = group(ip);
    } else if (ip.isEmpty()) {
        ip = QStringLiteral("#");
    }
    QString out = quoteExcel(n.prefix) + ip;
    if (n.decimals > 0)
        out += QLatin1Char('.') + QString(n.decZeros, QLatin1Char('0'))
            + QString(n.decimals - n.decZeros, QLatin1Char('#'));
    return out + quoteExcel(n.suffix);
}

} // namespace

QString formatFloat(const QString &format, double value)
{
    if (std::isnan(value) || std::isinf(value))
        return QString::number(value);
    if (format.trimmed().isEmpty())
        return QString::number(value, 'g', 15);
    const QStringList sections = splitSections(format);
    const NumberSection positive = parseSection(sections.at(0));
    if (value < 0 && sections.size() >= 2 && !sections.at(1).isEmpty())
        return applySection(parseSection(sections.at(1)), value);
    if (sections.size() >= 3 && !sections.at(2).isEmpty() && roundsToZero(positive, value))
        return applySection(parseSection(sections.at(2)), value);
    const QString text = applySection(positive, value);
    return value < 0 && !roundsToZero(positive, value) ? QLatin1Char('-') + text : text;
}

bool isDatePattern(const QString &format)
{
    const QString f = format.toLower();
    if (f.contains(QLatin1Char('0')) || f.contains(QLatin1Char('#')))
        return false;
    return f.contains(QLatin1String("yy")) || f.contains(QLatin1String("dd")) || f.contains(QLatin1String("hh"))
        || f.contains(QLatin1String("nn"));
}

QString formatDateTime(const QString &format, const QDateTime &value)
{
    if (!value.isValid())
        return {};
    // Translate to Qt's pattern, with every literal quoted.
    QString qt;
    QString literal;
    auto flushLiteral = [&] {
        if (!literal.isEmpty())
            qt += QLatin1Char('\'') + literal.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
        literal.clear();
    };
    bool afterHour = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype j = format.indexOf(c, i + 1);
            literal += format.mid(i + 1, (j < 0 ? format.size() : j) - i - 1);
            i = j < 0 ? format.size() : j + 1;
            continue;
        }
        const QChar l = c.toLower();
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run).toLower() == l)
            ++run;
        QString token;
        if (l == QLatin1Char('y'))
            token = run >= 3 ? QStringLiteral("yyyy") : QStringLiteral("yy");
        else if (l == QLatin1Char('m'))
            token = afterHour ? QString(qMin<qsizetype>(run, 2), QLatin1Char('m'))
                              : QString(qMin<qsizetype>(run, 4), QLatin1Char('M'));
        else if (l == QLatin1Char('n'))
            token = QString(qMin<qsizetype>(run, 2), QLatin1Char('m'));
        else if (l == QLatin1Char('d'))
            token = QString(qMin<qsizetype>(run, 4), QLatin1Char('d'));
        else if (l == QLatin1Char('h'))
            token = QString(qMin<qsizetype>(run, 2), QLatin1Char('h'));
        else if (l == QLatin1Char('s'))
            token = QString(qMin<qsizetype>(run, 2), QLatin1Char('s'));
        else if (l == QLatin1Char('z'))
            token = QStringLiteral("zzz");
        if (token.isEmpty()) {
            literal += format.mid(i, run);
        } else {
            flushLiteral();
            qt += token;
            // Delphi reads m right after an hour as minutes
            afterHour = l == QLatin1Char('h');
        }
        i += run;
    }
    flushLiteral();
    return value.toString(qt);
}

QDateTime toDateTime(const QVariant &value)
{
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    if (value.typeId() == QMetaType::QDate)
        return QDateTime(value.toDate(), QTime(0, 0));
    QString t = value.toString().trimmed();
    if (t.size() >= 19) {
        const QDateTime dt = QDateTime::fromString(
            t.left(19).replace(QLatin1Char('T'), QLatin1Char(' ')), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        if (dt.isValid())
            return dt;
    }
    const QDate d = QDate::fromString(t.left(10), QStringLiteral("yyyy-MM-dd"));
    return d.isValid() ? QDateTime(d, QTime(0, 0)) : QDateTime();
}

QString excelNumberFormat(const QString &format)
{
    if (format.trimmed().isEmpty())
        return {};
    if (isDatePattern(format)) {
        QString f = format.toLower();
        f.replace(QLatin1String("nn"), QLatin1String("mm"));
        return f;
    }
    QStringList out;
    for (const QString &s : splitSections(format))
        out << excelSection(s);
    return out.join(QLatin1Char(';'));
}

} // namespace DisplayFormat
