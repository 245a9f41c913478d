#pragma once

#include <QList>
#include <QString>
#include <optional>

// One lookup value of t_code.
struct CodeRow
{
    qint64 id = 0; // 0 for a row not yet in the database
    QString name;
};

// A code type the manager keeps: its tab's objectName ("t" + key) and caption.
struct CodeType
{
    QString key;
    QString caption;
    QString tabName() const;
};

// The rules and statements of the lookup-code tables (t_code).
class CodeStore
{
public:
    // Every type the manager shows, in the order of its tabs.
    static const QList<CodeType> &managedTypes();

    // Distinct non-empty names of one type (bound: the key), for FillItems.
    static QString itemsSql();

    static int nameLimit();
    static bool tooLong(const QString &name);
    static QString tooLongMessage();

    // All rows of one type in stored order; nothing when the read fails.
    static std::optional<QList<CodeRow>> rows(const QString &key);
    // Stores one value at once; its new id, or 0 on failure.
    static qint64 add(const QString &key, const QString &name);
    static bool remove(qint64 id);
    // Writes renamed rows and inserts new ones (id 0) under key, all or nothing.
    // New ids are written back into the rows.
    static bool apply(const QString &key, QList<CodeRow> &inserted, const QList<CodeRow> &renamed);
};
