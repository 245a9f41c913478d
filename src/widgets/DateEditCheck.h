#pragma once

#include <QDate>
#include <QWidget>

class QCheckBox;
class QDateEdit;

// A date that may be empty: a tick box beside the date. Unticked is stored as
// the null date "1900-08-14"; a stored date before 1901-08-14 (or none) shows
// unticked, set to today.
class DateEditCheck : public QWidget
{
    Q_OBJECT
public:
    explicit DateEditCheck(QWidget *parent = nullptr);

    bool isChecked() const;
    void setChecked(bool checked);
    QDate date() const;
    void setDate(const QDate &date);

    // "yyyy-MM-dd" when ticked, "1900-08-14" when not.
    QString storedText() const;
    // Takes a stored date or date text; "today, unticked" for the null date.
    void setStoredValue(const QVariant &value);
    // Unticked, today.
    void clear();

    QCheckBox *checkBox() const { return m_check; }
    QDateEdit *dateEdit() const { return m_date; }

private:
    QCheckBox *m_check;
    QDateEdit *m_date;
};
