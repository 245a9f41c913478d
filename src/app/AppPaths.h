#pragma once

#include <QString>

// The program folder is the executable's folder unless ZUZAV_HOME names another.
namespace AppPaths {
QString programFolder(); // with a trailing separator
QString configFile();
QString defaultDataFolder(); // with a trailing separator
QString templateFolder();
QString helpFolder();
void setProgramFolder(const QString &folder); // tests
} // namespace AppPaths
