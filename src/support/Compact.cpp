#include "Compact.h"

#include <QFile>
#include <sqlite3.h>

bool CompactDatabase(const QString &path)
{
    if (!QFile::exists(path))
        return false;
    sqlite3 *db = nullptr;
    bool ok = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
    if (ok) {
        sqlite3_busy_timeout(db, 10000);
        sqlite3_stmt *st = nullptr;
        ok = sqlite3_prepare_v2(db, "PRAGMA integrity_check(1)", -1, &st, nullptr) == SQLITE_OK
            && sqlite3_step(st) == SQLITE_ROW
            && qstrcmp(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)), "ok") == 0;
        sqlite3_finalize(st);
        ok = ok && sqlite3_exec(db, "VACUUM", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    sqlite3_close(db);
    return ok;
}
