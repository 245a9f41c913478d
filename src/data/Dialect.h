#pragma once

#include <QString>

struct sqlite3;

// The SQL of this program is written in the desktop-database dialect its stored
// statements (statistics, filters) use. jetToSqlite rewrites what SQLite would
// read differently; the registered functions give the rest their meaning.
namespace Dialect {

// #yyyy-MM-dd# literals become '...' strings, "..." strings become '...',
// Right(/Left( calls become jet_right(/jet_left( (SQLite reserves the words),
// and '+' next to a string literal becomes '||'. Text inside single-quoted
// strings is never touched.
QString jetToSqlite(const QString &sql);

// Registers Date() (local today), Now(), DateDiff, jet_right, jet_left, Year,
// Month, Day, IIf, Len, Mid and Val on a connection.
bool registerFunctions(sqlite3 *db);

} // namespace Dialect
