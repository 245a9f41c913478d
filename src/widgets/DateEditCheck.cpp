#include "DateEditCheck.h"

#include "data/Database.h"
#include "grid/DisplayFormat.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>

DateEditCheck::DateEditCheck(QWidget *parent)
    : QWidget(parent)
    , m_check(new QCheckBox(this))
    , m_date(new QDateEdit(this))
{
    m_check->setObjectName(QStringLiteral("check"));
    m_date->setObjectName(QStringLiteral("date"));
    m_date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_date->setCalendarPopup(true);
    auto *lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(2);
    lay->addWidget(m_check);
    lay->addWidget(m_date, 1);
    setFocusProxy(m_check);
    connect(m_check, &QCheckBox::toggled, m_date, &QWidget::setEnabled);
    clear();
}

bool DateEditCheck::isChecked() const
{
    return m_check->isChecked();
}

void DateEditCheck::setChecked(bool checked)
{
    m_check->setChecked(checked);
    m_date->setEnabled(checked);
}

QDate DateEditCheck::date() const
{
    return m_date->date();
}

void DateEditCheck::setDate(const QDate &date)
{
    m_date->setDate(date);
}

QString DateEditCheck::storedText() const
{
    return isChecked() ? m_date->date().toString(QStringLiteral("yyyy-MM-dd"))
                       : QString::fromLatin1(Database::kNullDate);
}

void DateEditCheck::setStoredValue(const QVariant &value)
{
    const QDate d = DisplayFormat::toDateTime(value).date();
    if (!d.isValid() || d < QDate(1901, 8, 14)) {
        clear();
        return;
    }
    m_date->setDate(d);
    setChecked(true);
}

void DateEditCheck::clear()
{
    m_date->setDate(QDate::currentDate());
    setChecked(false);
}
