#pragma once

#include <QString>
#include <Qt>

// One column of a list grid, as a stored layout describes it.
struct GridColumn
{
    enum class Footer { None = 0, Text = 1, Sum = 2 };
    enum class Marker { None, Down, Up };

    QString fieldName;
    QString caption;
    int width = 80;
    bool visible = true;
    bool readOnly = true;
    Qt::Alignment alignment = Qt::AlignLeft;
    QString displayFormat; // Delphi-style FormatFloat or date pattern
    Footer footerType = Footer::None;
    QString footerValue;
    Marker marker = Marker::None;
};

// How a date column shows the stored empty-date value.
enum class NullDateRule {
    Auto, // blank before 1901-08-14 for date columns, nothing for others
    None, // show as stored
    Before, // blank when the text sorts before "1901-08-14"
    UpTo // blank when the text sorts before or equals "1901-08-14"
};
