#pragma once

#include <QString>

// Compacts and checks a closed database file in place; true on success.
// The file is left untouched when it is not a sound database.
bool CompactDatabase(const QString &path);
