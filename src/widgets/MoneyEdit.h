#pragma once

#include <QDoubleSpinBox>

// An amount of money shown with a FormatFloat pattern (the run's AmountFormat
// unless another is set); typing accepts plain numbers.
class MoneyEdit : public QDoubleSpinBox
{
    Q_OBJECT
public:
    explicit MoneyEdit(QWidget *parent = nullptr);

    void setDisplayFormat(const QString &format);
    QString displayFormat() const { return m_format; }

    QString textFromValue(double value) const override;
    double valueFromText(const QString &text) const override;
    QValidator::State validate(QString &text, int &pos) const override;

private:
    static QString plainNumber(const QString &text);
    QString m_format;
};
