#pragma once

#include "Photo.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

// One person of the register as the record editor reads and writes him.
struct ResidentRecord
{
    qint64 id = 0; // F_ID; 0 for a person not yet stored
    qint64 mainId = 0; // F_mainID, the person serial
    // Column (spelled as ResidentRecordStore::columns()) → value: texts, dates as
    // "yyyy-MM-dd" (or "1900-08-14" for none), booleans, doubles.
    QVariantMap values;
    Photo photo;

    QString text(const QString &column) const { return values.value(column).toString(); }
};

// The statements and rules of the resident record editor (table ZuZav).
class ResidentRecordStore
{
public:
    // The editor's columns besides F_mainID, F_EmpImage and F_imagePath, in save order.
    static const QStringList &columns();
    // Caption of a column for messages, such as "姓名".
    static QString caption(const QString &column);

    // Reads the person with this F_ID, photo included.
    static bool load(qint64 id, ResidentRecord *out);

    // The largest serial plus one (1 for an empty register).
    static qint64 nextMainId();
    // The number after the largest stored one; throws DataError when its tail is not a counter.
    static QString nextCode();
    // F_ID of a person other than exceptId with this number or name (compared
    // trimmed, without regard to case); 0 when there is none or the read failed.
    static qint64 otherWithCode(const QString &code, qint64 exceptId);
    static qint64 otherWithName(const QString &name, qint64 exceptId);

    // The first text column whose trimmed value is longer than the column holds; empty when all fit.
    static QString tooLongColumn(const ResidentRecord &r);
    static QString tooLongMessage(const QString &column);

    enum class Result { Saved, CodeTaken, NoNextCode, Failed };
    struct Outcome
    {
        Result result = Result::Failed;
        qint64 id = 0; // F_ID of the saved row
        qint64 mainId = 0; // serial written
        QString code; // number written
        QString message; // why it was not saved
    };
    // Inserts (id 0) or updates the person in one transaction. The serial of a
    // new person, and with autoNumber a replacement for a number another person
    // holds, are taken inside it, so two editors never write the same ones.
    // Texts are stored trimmed. Nothing is written unless everything is.
    static Outcome save(const ResidentRecord &r, bool autoNumber);
};
