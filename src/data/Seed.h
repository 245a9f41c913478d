#pragma once

#include <QString>

class QSqlDatabase;

// The delivered content of a new database: permission catalogue, administrator,
// community row, custom captions, age bands, code values, grid layouts, import
// map and stored statistics.
namespace Seed {
bool apply(QSqlDatabase &db, QString *error);
}
