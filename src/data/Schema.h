#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace Schema {

enum class Kind { AutoKey, Integer, Float, Text, Memo, Date, DateText, Bool, Binary };

struct Column {
    const char *name;
    Kind kind;
    int size; // characters, for Text; 0 = not fixed
};

struct Table {
    const char *name;
    std::vector<Column> columns;
};

// Version written to PRAGMA user_version; upgrades are ordered steps in Schema.cpp.
constexpr int kVersion = 2;

const std::vector<Table> &tables();
const Table *table(const QString &name);
const Column *column(const QString &table, const QString &column);
// Largest length a text column takes, 0 when not fixed.
int textSize(const QString &table, const QString &column);

QStringList createStatements();
QStringList indexStatements();
// What takes a file from fromVersion to kVersion, in order.
QStringList upgradeStatements(int fromVersion);

} // namespace Schema
