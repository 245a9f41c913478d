#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVariantList>

struct sqlite3;

// The one connection of the program. Every screen's statements run on it.
class Database
{
public:
    static constexpr const char *kFileName = "ZuZav.db";
    static constexpr const char *kNullDate = "1900-08-14";

    enum class OpenResult { Opened, Missing, NotADatabase, Failed };

    // Opens folder + ZuZav.db. With create, a missing file is made with the whole
    // schema and the delivered content first. The file must hold this program's
    // tables; an older schema is upgraded in place.
    static OpenResult open(const QString &folder, bool create, QString *error = nullptr);
    static void close();
    static bool isOpen();
    static QSqlDatabase db();
    static sqlite3 *handle();
    static QString filePath();

    // Makes a new database file with the schema and the delivered content.
    static bool createFile(const QString &path, QString *error = nullptr);
    // True when the file is an SQLite database holding this program's tables.
    static bool isValidFile(const QString &path, QString *error = nullptr);

    // Consistent copy of the open database through SQLite's online backup.
    static bool backupTo(const QString &targetPath, QString *error = nullptr);

    // Prepares a statement in the program's dialect and binds the values in
    // order (positional ?) or, for a QVariantMap, by :name.
    static bool prepare(class QSqlQuery &q, const QString &sql, const QVariant &params = {});
    static bool exec(class QSqlQuery &q, const QString &sql, const QVariant &params = {});
    // Values as the file keeps them: dates as "yyyy-MM-dd", date-times with a blank.
    static QVariant storable(const QVariant &v);

    static constexpr const char *kConnectionName = "zuzav";
};

// All-or-nothing work on the shared connection. Nested uses become savepoints.
class Transaction
{
public:
    Transaction();
    ~Transaction(); // rolls back unless committed
    bool commit();
    bool ok() const { return m_ok; }

private:
    QString m_savepoint;
    bool m_ok = false;
    bool m_done = false;
    static int s_depth;
};
