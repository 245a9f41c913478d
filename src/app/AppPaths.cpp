#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString g_override;

QString withSlash(QString p)
{
    if (!p.endsWith(QLatin1Char('/')))
        p += QLatin1Char('/');
    return p;
}
} // namespace

namespace AppPaths {

QString programFolder()
{
    if (!g_override.isEmpty())
        return withSlash(g_override);
    const QString env = qEnvironmentVariable("ZUZAV_HOME");
    if (!env.trimmed().isEmpty())
        return withSlash(QDir(env).absolutePath());
    return withSlash(QCoreApplication::applicationDirPath());
}

QString configFile()
{
    return programFolder() + QStringLiteral("Config.ini");
}

QString defaultDataFolder()
{
    return programFolder() + QStringLiteral("data/");
}

QString templateFolder()
{
    return programFolder() + QStringLiteral("Qr/");
}

QString helpFolder()
{
    return programFolder() + QStringLiteral("help/");
}

void setProgramFolder(const QString &folder)
{
    g_override = folder;
}

} // namespace AppPaths
