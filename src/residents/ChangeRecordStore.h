#pragma once

#include <QString>
#include <QVariant>

// One household change record of a person (table t_BGrec).
struct ChangeRecord {
    qint64 id = 0; // 0 for a new record
    qint64 mainId = 0;
    QString date; // yyyy-MM-dd
    QString type;
    QString before;
    QString after;
    QString remark;
    QString handler;
    QString editDate; // yyyy-MM-dd hh:mm:ss, set once on insert
};

class ChangeRecordStore
{
public:
    static bool load(qint64 id, ChangeRecord *out);
    // Inserts (id 0) or updates in one transaction; returns the row's key or 0.
    // error receives why a save failed.
    static qint64 save(const ChangeRecord &record, QString *error = nullptr);
};
