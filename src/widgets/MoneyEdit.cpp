#include "MoneyEdit.h"

#include "data/DataModule.h"
#include "data/RunValues.h"
#include "grid/DisplayFormat.h"

#include <QLineEdit>

MoneyEdit::MoneyEdit(QWidget *parent)
    : QDoubleSpinBox(parent)
{
    setDecimals(4);
    setRange(-1e12, 1e12);
    setButtonSymbols(QAbstractSpinBox::NoButtons);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setDisplayFormat(Run::AmountFormat);
}

void MoneyEdit::setDisplayFormat(const QString &format)
{
    // before login or custom settings nothing has set it
    m_format = format.trimmed().isEmpty() ? DataModule::MoneyFormat(2, 3) : format;
    lineEdit()->setText(textFromValue(value()));
}

QString MoneyEdit::textFromValue(double value) const
{
    return DisplayFormat::formatFloat(m_format, value);
}

QString MoneyEdit::plainNumber(const QString &text)
{
    QString out;
    for (QChar c : text)
        if (c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char('-'))
            out += c;
    return out;
}

double MoneyEdit::valueFromText(const QString &text) const
{
    return QLocale::c().toDouble(plainNumber(text));
}

QValidator::State MoneyEdit::validate(QString &text, int &) const
{
    const QString n = plainNumber(text);
    if (n.isEmpty() || n == QLatin1String("-") || n == QLatin1String("."))
        return QValidator::Intermediate;
    bool ok = false;
    const double v = QLocale::c().toDouble(n, &ok);
    if (!ok)
        return QValidator::Invalid;
    return v >= minimum() && v <= maximum() ? QValidator::Acceptable : QValidator::Invalid;
}
