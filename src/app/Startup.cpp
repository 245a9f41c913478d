#include "Startup.h"

#include "AppPaths.h"
#include "IniFile.h"
#include "TfrmSplash.h"
#include "data/Database.h"
#include "support/FileDialogs.h"

#include <QFileInfo>

namespace Startup {

namespace {

const QString kTitle = QStringLiteral("连接网络数据库");
const QString kFilter = QStringLiteral("数据库文件 (ZuZav.db *.db);;所有文件 (*)");

QString folderOf(const QString &file)
{
    QString f = QFileInfo(file).absolutePath();
    if (!f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    return f;
}

} // namespace

QString databaseFolder(bool *isDefault)
{
    const QString ds = appConfig().readString(QStringLiteral("config"), QStringLiteral("ds"));
    if (isDefault)
        *isDefault = ds.trimmed().isEmpty();
    return ds.trimmed().isEmpty() ? AppPaths::defaultDataFolder() : ds;
}

bool connectDatabase(TfrmSplash *&splash)
{
    for (;;) {
        appConfig().reload();
        bool isDefault = false;
        const QString folder = databaseFolder(&isDefault);
        if (splash)
            splash->setStatus(QStringLiteral("正在连接数据库 ....."));
        if (Database::open(folder, isDefault) == Database::OpenResult::Opened) {
            if (splash)
                splash->setStatus(QStringLiteral("连接成功，正在登录 ..."));
            return true;
        }
        delete splash;
        splash = nullptr;
        const QString file = chooseOpenFile(nullptr, kTitle, AppPaths::programFolder(), kFilter);
        if (file.isEmpty())
            return false;
        appConfig().writeString(QStringLiteral("config"), QStringLiteral("ds"), folderOf(file));
        splash = new TfrmSplash;
        splash->show();
        splash->setStatus(splash->status());
    }
}

bool chooseDatabaseLocation(QWidget *parent)
{
    const QString file = chooseOpenFile(parent, kTitle, AppPaths::programFolder(), kFilter);
    if (file.isEmpty())
        return false;
    return appConfig().writeString(QStringLiteral("config"), QStringLiteral("ds"), folderOf(file));
}

} // namespace Startup
