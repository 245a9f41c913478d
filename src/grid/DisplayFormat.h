#pragma once

#include <QDateTime>
#include <QString>

// Display formats as the stored grid layouts write them: FormatFloat patterns
// ("￥,0.00", "0.##", "#,##0.00") and date patterns ("yyyy-MM-dd hh:nn:ss").
namespace DisplayFormat {

// Sections "positive;negative;zero", '0' and '#' digits, '.' the point, ',' anywhere
// turns on thousands grouping, quoted text and other characters are literal.
// Halves round away from zero on the value's 15 significant digits.
QString formatFloat(const QString &format, double value);

// True when the pattern is a date/time pattern rather than a number pattern.
bool isDatePattern(const QString &format);
// Delphi date letters: yyyy yy m mm (minutes after h) d dd hh nn ss, quoted literals.
QString formatDateTime(const QString &format, const QDateTime &value);

// Reads "yyyy-MM-dd", "yyyy-MM-dd hh:mm:ss" (or with 'T') and QDate/QDateTime values.
QDateTime toDateTime(const QVariant &value);

// The same pattern as a spreadsheet number format ("￥,0.00" → "\"￥\"#,##0.00",
// "yyyy-MM-dd hh:nn:ss" → "yyyy-mm-dd hh:mm:ss").
QString excelNumberFormat(const QString &format);

} // namespace DisplayFormat
