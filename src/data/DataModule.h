#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <stdexcept>

class QComboBox;
class QTreeWidget;

// Raised where a service lets errors reach the caller (NextCode, FillTypeTree).
class DataError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The data services every screen uses instead of talking to the connection.
// Statements are in the program's dialect; user values go in params (a
// QVariantList for ?, a QVariantMap for :name), never into the text.
class DataModule
{
public:
    static bool DeleteRecord(const QString &table, qint64 id);
    static bool ExecSql(const QString &sql, const QVariant &params = {});
    static QString QueryText(const QString &sql, const QVariant &params = {});
    static int QueryInteger(const QString &sql, const QVariant &params = {});
    static bool QueryBoolean(const QString &sql, const QVariant &params = {});
    // Opens a statement into query (scrollable when forwardOnly is false).
    static bool OpenSql(const QString &sql, QSqlQuery &query, const QVariant &params = {});
    static void FillItems(const QString &sql, QComboBox *combo, const QVariant &params = {});
    static void SelectItemText(const QString &text, QComboBox *combo);
    static void WriteLog(const QString &operation);
    // Next code after the highest one the statement selects; throws DataError.
    static QString NextCode(const QString &sql, int width, const QVariant &params = {});
    static QString NextCodeAfter(const QString &highest, int width);
    // Fills the household-type tree; throws DataError.
    static void FillTypeTree(QTreeWidget *tree);
    static QString MoneyFormat(int decimals, int kind);
    static bool HasPermission(const QString &code);
    // Copies the open database to the backup folder at most once a day.
    static void AutoBackup();

    static QString backupFileName(const QDate &day);
};
