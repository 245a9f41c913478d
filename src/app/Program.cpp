#include "Program.h"

#include "Startup.h"
#include "TfrmSplash.h"
#include "auth/LoginDialog.h"
#include "data/RunValues.h"
#include "mainwin/TFrmMain.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QThread>
#include <QTranslator>

static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace Program {

void initApplication(QApplication &app)
{
    initResources();
    app.setApplicationName(QStringLiteral("ZuZav"));
    app.setApplicationDisplayName(Run::AppTitle);
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    // standard dialogs and buttons in Chinese
    auto *tr = new QTranslator(&app);
    if (tr->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(tr);
}

int run(QApplication &app)
{
    auto *splash = new TfrmSplash;
    splash->show();
    splash->setStatus(splash->status());
    app.setApplicationDisplayName(Run::AppTitle);

    if (!Startup::connectDatabase(splash)) {
        delete splash;
        return 0;
    }
    if (!splash) {
        splash = new TfrmSplash;
        splash->show();
    }
    splash->setStatus(QStringLiteral("连接成功，正在登录 ....."));

    TFrmMain main;
    splash->setStatus(QStringLiteral("连接成功，正在登录 ..."));
    QThread::msleep(20);
    splash->setStatus(QStringLiteral("连接成功，正在登录 ....."));
    delete splash;

    if (ShowLogin(LoginDialog::FirstLogin, &main) != LoginDialog::LoggedIn)
        return 0;
    main.show();
    return app.exec();
}

} // namespace Program
