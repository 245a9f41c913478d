#pragma once

#include <QDate>
#include <QString>

// Rules of the resident identity card number (15 or 18 characters).
namespace IdentityNumber {

// 15 or 18 characters, digits only except an X (either case) as the last of 18.
bool hasValidForm(const QString &number);
// The 18th character agrees with ISO 7064 MOD 11-2 over the first seventeen.
bool checkDigitMatches(const QString &number);
// The check character the first seventeen digits call for; null when they are not digits.
QChar expectedCheckDigit(const QString &number);
// The birth date the number holds (18: yyyyMMdd, 15: yyMMdd in the 1900s);
// invalid when it holds no possible date (in the future or before 1850 included).
QDate birthDate(const QString &number);
// "男" for an odd sequence digit (17th of 18, 15th of 15), "女" for an even one.
QString sex(const QString &number);

} // namespace IdentityNumber
