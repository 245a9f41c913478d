#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <optional>

// Statements and rules of the resident list, without widgets.
class ResidentStore
{
public:
    // One entry of the field chooser.
    struct FieldEntry
    {
        QString caption;
        QString column;
        bool contains = true; // false: the value must begin the column
        // Empty: the value box. "sex": the two fixed items. Else a t_code type
        // whose names fill the drop-down.
        QString choices;
    };
    static const QList<FieldEntry> &fieldEntries();
    static QStringList fieldCaptions();
    // Items of a drop-down entry (first item empty); empty for value-box entries.
    static QStringList choiceItems(int entry);

    struct AgeRange
    {
        int from = 0;
        int to = 0;
    };

    struct Filter
    {
        int field = -1; // chooser entry 0..27, -1 none
        QString value; // trimmed here
        QString householdType; // empty: every type
        std::optional<AgeRange> age; // calendar-year difference to today, both included
        bool includeCancelled = false;
    };

    // A statement with its bound values, without ordering.
    struct Statement
    {
        QString sql;
        QVariantList params;
    };

    static Statement listStatement(const Filter &filter, const QDate &today = QDate::currentDate());
    static QString listOrder() { return QStringLiteral(" order by F_code"); }
    // The bounds of an age-tree node, from its KeyValue row; nothing when the row
    // is missing or a bound is empty.
    static std::optional<AgeRange> ageBand(const QString &nodeText);
    // The birth-date condition equal to DateDiff("yyyy",F_CSdate,Date()) between
    // from and to for dates kept as "yyyy-MM-dd", with its two bound values.
    static QString ageCondition(const AgeRange &range, const QDate &today, QVariantList &params);

    // LIKE pattern that matches the value literally (escape character '\').
    static QString likeLiteral(const QString &value);

    static Statement changeRecords(const QVariant &mainId);
    static Statement reminders(const QVariant &mainId);

    // Deletes the resident with his change records and reminders, all or
    // nothing; on failure shows the error and changes nothing.
    static bool deleteResident(const QVariant &mainId, const QVariant &rowId);
    static bool deleteChangeRecord(qint64 id);
    static bool deleteReminder(qint64 id);

    static QString countText(int rows);
    static QString deleteResidentQuestion(const QString &name);
    static QString deleteChangeQuestion(const QString &date);
    static QString deleteReminderQuestion(const QString &editDate);
};
