#include "IdentityNumber.h"

namespace {

bool allDigits(QStringView s)
{
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

} // namespace

namespace IdentityNumber {

bool hasValidForm(const QString &number)
{
    if (number.size() == 15)
        return allDigits(number);
    if (number.size() == 18)
        return allDigits(QStringView(number).left(17))
            && (allDigits(QStringView(number).mid(17)) || number.at(17).toUpper() == QLatin1Char('X'));
    return false;
}

QChar expectedCheckDigit(const QString &number)
{
    static constexpr int weights[17] = { 7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2 };
    static constexpr char checks[] = "10X98765432";
    if (number.size() < 17 || !allDigits(QStringView(number).left(17)))
        return {};
    int sum = 0;
    for (int i = 0; i < 17; ++i)
        sum += (number.at(i).unicode() - '0') * weights[i];
    return QLatin1Char(checks[sum % 11]);
}

bool checkDigitMatches(const QString &number)
{
    if (number.size() != 18)
        return false;
    const QChar expected = expectedCheckDigit(number);
    return !expected.isNull() && number.at(17).toUpper() == expected;
}

QDate birthDate(const QString &number)
{
    QDate d;
    if (number.size() == 18 && allDigits(QStringView(number).mid(6, 8)))
        d = QDate::fromString(number.mid(6, 8), QStringLiteral("yyyyMMdd"));
    else if (number.size() == 15 && allDigits(QStringView(number).mid(6, 6)))
        d = QDate::fromString(QStringLiteral("19") + number.mid(6, 6), QStringLiteral("yyyyMMdd"));
    if (!d.isValid() || d > QDate::currentDate() || d.year() < 1850)
        return {};
    return d;
}

QString sex(const QString &number)
{
    const int at = number.size() == 18 ? 16 : number.size() == 15 ? 14 : -1;
    if (at < 0 || !allDigits(QStringView(number).mid(at, 1)))
        return {};
    return (number.at(at).unicode() - '0') % 2 ? QStringLiteral("男") : QStringLiteral("女");
}

} // namespace IdentityNumber
