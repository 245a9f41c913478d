#include "TestSupport.h"
#include "app/AppPaths.h"
#include "app/IniFile.h"
#include "app/Startup.h"
#include "app/TfrmSplash.h"
#include "data/DataModule.h"
#include "data/Database.h"
#include "data/RunValues.h"
#include "mainwin/TFrmMain.h"
#include "support/Messages.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSqlQuery>
#include <QtTest>
#include <iconv.h>

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void iniCaseInsensitive();
    void iniKeepsOtherLinesAndWritesUtf8();
    void iniReadsGbk();
    void iniCorruptYieldsDefaults_data();
    void iniCorruptYieldsDefaults();
    void blankDsCreatesDefaultDatabase_data();
    void blankDsCreatesDefaultDatabase();
    void recoveryStoresChosenFolder();
    void recoveryCancelEnds();
    void brokenDatabaseLeadsToRecovery();
    void connectActionOnlyRewritesDs();
    void mainWindowStatusBarAndCaption();
    void exitQuestion_data();
    void exitQuestion();
    void autoBackupSchedule_data();
    void autoBackupSchedule();
};

static QByteArray toGbk(const QString &s)
{
    QByteArray in = s.toUtf8();
    QByteArray out(in.size() * 2 + 8, '\0');
    iconv_t cd = iconv_open("GBK", "UTF-8");
    char *ip = in.data();
    size_t il = in.size();
    char *op = out.data();
    size_t ol = out.size();
    iconv(cd, &ip, &il, &op, &ol);
    iconv_close(cd);
    out.truncate(op - out.data());
    return out;
}

void TestStartup::iniCaseInsensitive()
{
    QTemporaryDir dir;
    IniFile ini(dir.filePath(QStringLiteral("Config.ini")));
    QVERIFY(ini.writeString(QStringLiteral("config"), QStringLiteral("ds"), QStringLiteral("/srv/share/")));
    QVERIFY(ini.writeString(QStringLiteral("Config"), QStringLiteral("CurOperName"), QStringLiteral("张三")));
    IniFile again(ini.path());
    QCOMPARE(again.readString(QStringLiteral("CONFIG"), QStringLiteral("DS")), QStringLiteral("/srv/share/"));
    QCOMPARE(again.readString(QStringLiteral("config"), QStringLiteral("curopername")), QStringLiteral("张三"));
    QFile f(ini.path());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll().count("[config]") + 0, 1); // one section, not two
    QCOMPARE(again.readInteger(QStringLiteral("set"), QStringLiteral("awokeday"), 7), 7);
    QCOMPARE(again.readBool(QStringLiteral("set"), QStringLiteral("awokeflag"), false), false);
    again.writeBool(QStringLiteral("set"), QStringLiteral("awokeflag"), true);
    QCOMPARE(IniFile(ini.path()).readBool(QStringLiteral("SET"), QStringLiteral("AwokeFlag"), false), true);
}

void TestStartup::iniKeepsOtherLinesAndWritesUtf8()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Config.ini"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("; office settings\r\n[Config]\r\nds=\r\niMin=18\r\n[other]\r\nkeep=me\r\n");
    f.close();
    IniFile ini(path);
    QCOMPARE(ini.readInteger(QStringLiteral("config"), QStringLiteral("imin"), 1), 18);
    ini.writeString(QStringLiteral("config"), QStringLiteral("CurOperName"), QStringLiteral("李四"));
    ini.writeInteger(QStringLiteral("config"), QStringLiteral("ibak"), 2);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    QVERIFY(text.contains(QStringLiteral("; office settings")));
    QVERIFY(text.contains(QStringLiteral("keep=me")));
    QVERIFY(text.contains(QStringLiteral("CurOperName=李四")));
    // new keys go into their own section, before the next one
    QVERIFY(text.indexOf(QStringLiteral("ibak=2")) < text.indexOf(QStringLiteral("[other]")));
}

void TestStartup::iniReadsGbk()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Config.ini"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(toGbk(QStringLiteral("[Config]\r\nCurOperName=王小明\r\nds=/数据/\r\n")));
    f.close();
    IniFile ini(path);
    QCOMPARE(ini.readString(QStringLiteral("config"), QStringLiteral("CurOperName")), QStringLiteral("王小明"));
    ini.writeString(QStringLiteral("config"), QStringLiteral("iMax"), QStringLiteral("90"));
    // rewritten as UTF-8 without losing the GBK-read text
    IniFile again(path);
    QCOMPARE(again.readString(QStringLiteral("config"), QStringLiteral("ds")), QStringLiteral("/数据/"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains(QStringLiteral("王小明").toUtf8()));
}

void TestStartup::iniCorruptYieldsDefaults_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x01garbage\x00=\x00", 14);
    QTest::newRow("no sections") << QByteArray("ds=/x/\nibak=3\n");
    QTest::newRow("bad numbers") << QByteArray("[config]\nibak=abc\n[set]\nawokeday=1e9x\n");
    QTest::newRow("unterminated section") << QByteArray("[config\nibak=3\n");
}

void TestStartup::iniCorruptYieldsDefaults()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Config.ini"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    IniFile ini(path);
    QCOMPARE(ini.readInteger(QStringLiteral("config"), QStringLiteral("ibak"), 0), 0);
    QCOMPARE(ini.readInteger(QStringLiteral("set"), QStringLiteral("awokeday"), 0), 0);
    QCOMPARE(ini.readString(QStringLiteral("config"), QStringLiteral("ds")), QString());
}

void TestStartup::blankDsCreatesDefaultDatabase_data()
{
    QTest::addColumn<QString>("ds");
    QTest::newRow("missing key") << QString();
    QTest::newRow("blanks") << QStringLiteral("   ");
}

void TestStartup::blankDsCreatesDefaultDatabase()
{
    QFETCH(QString, ds);
    TestHome home(false);
    if (!ds.isNull())
        appConfig().writeString(QStringLiteral("config"), QStringLiteral("ds"), ds);
    FileDialogAnswers dialogs;
    TfrmSplash *splash = new TfrmSplash;
    QVERIFY(Startup::connectDatabase(splash));
    QVERIFY(splash);
    QCOMPARE(splash->status(), QStringLiteral("连接成功，正在登录 ..."));
    delete splash;
    QVERIFY(dialogs.titles.isEmpty());
    QCOMPARE(QFileInfo(Database::filePath()).absoluteFilePath(),
             QFileInfo(home.dataFolder() + QStringLiteral("ZuZav.db")).absoluteFilePath());
    QCOMPARE(DataModule::QueryInteger(QStringLiteral("select count(*) from SysInfo")), 1);
}

void TestStartup::recoveryStoresChosenFolder()
{
    TestHome home(false);
    // a real database in a shared folder
    QTemporaryDir share;
    QVERIFY(Database::createFile(share.path() + QStringLiteral("/ZuZav.db")));
    appConfig().writeString(QStringLiteral("config"), QStringLiteral("ds"), QStringLiteral("/no/such/folder/"));
    FileDialogAnswers dialogs;
    // whatever file is picked, its folder's ZuZav.db is used
    dialogs.answers = {share.path() + QStringLiteral("/other.db")};
    TfrmSplash *splash = new TfrmSplash;
    QVERIFY(Startup::connectDatabase(splash));
    delete splash;
    QCOMPARE(dialogs.titles, QStringList{QStringLiteral("连接网络数据库")});
    QCOMPARE(IniFile(AppPaths::configFile()).readString(QStringLiteral("config"), QStringLiteral("ds")),
             share.path() + QLatin1Char('/'));
    QCOMPARE(Database::filePath(), QFileInfo(share.path() + QStringLiteral("/ZuZav.db")).absoluteFilePath());
    // the default folder was never created
    QVERIFY(!QFile::exists(home.dataFolder() + QStringLiteral("ZuZav.db")));
}

void TestStartup::recoveryCancelEnds()
{
    TestHome home(false);
    appConfig().writeString(QStringLiteral("config"), QStringLiteral("ds"), QStringLiteral("/no/such/folder/"));
    FileDialogAnswers dialogs; // cancels
    MessageRecorder rec;
    TfrmSplash *splash = new TfrmSplash;
    QVERIFY(!Startup::connectDatabase(splash));
    QVERIFY(!splash);
    QVERIFY(!Database::isOpen());
    QVERIFY(rec.messages.isEmpty()); // no error text, only the dialog
}

void TestStartup::brokenDatabaseLeadsToRecovery()
{
    TestHome home(false);
    QDir().mkpath(home.dataFolder());
    QFile f(home.dataFolder() + QStringLiteral("ZuZav.db"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("definitely not a database, just some text that fills a page");
    f.close();
    FileDialogAnswers dialogs;
    TfrmSplash *splash = new TfrmSplash;
    QVERIFY(!Startup::connectDatabase(splash));
    QCOMPARE(dialogs.titles.size(), 1);
    // the broken file is left for the office to rescue
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().startsWith("definitely"));
}

void TestStartup::connectActionOnlyRewritesDs()
{
    TestHome home;
    TFrmMain main;
    FileDialogAnswers dialogs;
    MessageRecorder rec;
    dialogs.answers = {QStringLiteral("/mnt/share/ZuZav.db")};
    const QString before = Database::filePath();
    main.action(QStringLiteral("Action505"))->trigger();
    QCOMPARE(IniFile(AppPaths::configFile()).readString(QStringLiteral("config"), QStringLiteral("ds")),
             QStringLiteral("/mnt/share/"));
    QCOMPARE(Database::filePath(), before);
    QVERIFY(Database::isOpen());
    QVERIFY(rec.messages.isEmpty());
    // cancelling changes nothing
    main.action(QStringLiteral("Action505"))->trigger();
    QCOMPARE(IniFile(AppPaths::configFile()).readString(QStringLiteral("config"), QStringLiteral("ds")),
             QStringLiteral("/mnt/share/"));
}

void TestStartup::mainWindowStatusBarAndCaption()
{
    TestHome home;
    Run::CurrentOperator = QStringLiteral("admin");
    TFrmMain main;
    QCOMPARE(main.statusPanel(0), QStringLiteral(" 当前用户"));
    QCOMPARE(main.statusPanel(2), QStringLiteral(" 当前日期时间"));
    QCOMPARE(main.statusPanel(4), QStringLiteral("岚舟户口管理软件(社区版)"));
    main.firstShow();
    QCOMPARE(main.windowTitle(), QStringLiteral("岚舟户口管理软件 v1.85(社区版) "));
    QCOMPARE(main.statusPanel(1), QStringLiteral(" admin"));
    QVERIFY(QRegularExpression(QStringLiteral("^ \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$")).match(main.statusPanel(3)).hasMatch());
    // the clock moves on by itself
    main.setStatusPanel(3, QString());
    QTRY_VERIFY_WITH_TIMEOUT(!main.statusPanel(3).isEmpty(), 2500);
    Run::CurrentOperator.clear();
}

void TestStartup::exitQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::newRow("ok") << int(MessOk) << true;
    QTest::newRow("cancel") << int(MessCancel) << false;
}

void TestStartup::exitQuestion()
{
    QFETCH(int, answer);
    QFETCH(bool, closed);
    TestHome home;
    TFrmMain main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    MessageRecorder rec;
    rec.answers = {answer};
    QTest::keyClick(&main, Qt::Key_Escape);
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("真的要退出“岚舟户口管理软件 ”软件吗？")});
    QCOMPARE(main.isVisible(), !closed);
}

void TestStartup::autoBackupSchedule_data()
{
    QTest::addColumn<int>("ibak");
    QTest::addColumn<bool>("expected");
    const QDate today = QDate::currentDate();
    QTest::newRow("never") << 0 << false;
    QTest::newRow("every start") << 1 << true;
    QTest::newRow("mondays") << 2 << (today.dayOfWeek() == Qt::Monday);
    QTest::newRow("first of month") << 3 << (today.day() == 1);
    QTest::newRow("unknown value") << 7 << false;
}

void TestStartup::autoBackupSchedule()
{
    QFETCH(int, ibak);
    QFETCH(bool, expected);
    TestHome home;
    MessageRecorder rec;
    const QString folder = home.folder() + QStringLiteral("backup");
    QDir().mkpath(folder);
    DataModule::ExecSql(QStringLiteral("update SysInfo set F_BakPath = ?"), QVariantList{folder});
    appConfig().writeInteger(QStringLiteral("config"), QStringLiteral("ibak"), ibak);
    TFrmMain main;
    main.firstShow();
    QCOMPARE(QFile::exists(folder + QLatin1Char('/') + DataModule::backupFileName(QDate::currentDate())), expected);
    QVERIFY(rec.messages.isEmpty());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
