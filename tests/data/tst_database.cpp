#include "TestSupport.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>
#include <sqlite3.h>

class TestDatabase : public QObject
{
    Q_OBJECT
private slots:
    void init() { initTestResources(); }
    void cleanup() { Database::close(); }

    void newFileHoldsEveryTableAndColumn();
    void textComparesWithoutCase();
    void openRefusesWhatIsNotOurs_data();
    void openRefusesWhatIsNotOurs();
    void missingFileIsNotCreatedOutsideDefault();
    void failedCreationLeavesNothing();
    void backupIsConsistentCopy();
    void textSizes_data();
    void textSizes();
    void olderFileIsUpgraded();

private:
    QTemporaryDir m_dir;
};

void TestDatabase::newFileHoldsEveryTableAndColumn()
{
    const QString folder = m_dir.path() + QStringLiteral("/fresh/");
    QString error;
    const auto result = Database::open(folder, true, &error);
    QVERIFY2(result == Database::OpenResult::Opened, qPrintable(error));
    QVERIFY(QFile::exists(folder + QStringLiteral("ZuZav.db")));
    for (const Schema::Table &t : Schema::tables()) {
        const QSqlRecord rec = Database::db().record(QString::fromLatin1(t.name));
        QVERIFY2(!rec.isEmpty(), t.name);
        for (const Schema::Column &c : t.columns)
            QVERIFY2(rec.indexOf(QString::fromLatin1(c.name)) >= 0, c.name);
    }
    QSqlQuery q;
    QVERIFY(Database::exec(q, QStringLiteral("PRAGMA user_version")) && q.next());
    QCOMPARE(q.value(0).toInt(), Schema::kVersion);
    QVERIFY(Database::exec(q, QStringLiteral("select count(*) from OperList where F_Name = 'ADMIN'")) && q.next());
    QCOMPARE(q.value(0).toInt(), 1);
    // booleans default to false
    QVERIFY(Database::exec(q, QStringLiteral("insert into ZuZav(F_Name) values('x')")));
    QVERIFY(Database::exec(q, QStringLiteral("select count(*) from ZuZav where F_ZXflag = false and F_DBflag = false")) && q.next());
    QCOMPARE(q.value(0).toInt(), 1);
    Database::close();
    // reopening finds the same file
    QCOMPARE(Database::open(folder, false), Database::OpenResult::Opened);
}

void TestDatabase::textComparesWithoutCase()
{
    QCOMPARE(Database::open(m_dir.path() + QStringLiteral("/case/"), true), Database::OpenResult::Opened);
    QSqlQuery q;
    QVERIFY(Database::exec(q, QStringLiteral("insert into OperList(F_Name) values('Wang')")));
    QVERIFY(Database::exec(q, QStringLiteral("select count(*) from operlist where f_name = ?"), QVariantList{QStringLiteral("WANG")}));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 1);
}

void TestDatabase::openRefusesWhatIsNotOurs_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("emptySqlite");
    QTest::newRow("text file") << QByteArray("this is not a database\n") << false;
    QTest::newRow("empty file") << QByteArray() << false;
    QTest::newRow("truncated header") << QByteArray("SQLite format 3\0", 16) << false;
    QTest::newRow("other sqlite database") << QByteArray() << true;
}

void TestDatabase::openRefusesWhatIsNotOurs()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, emptySqlite);
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/ZuZav.db");
    if (emptySqlite) {
        sqlite3 *db = nullptr;
        sqlite3_open(QFile::encodeName(path).constData(), &db);
        sqlite3_exec(db, "create table other(x)", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    const QByteArray before = [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    QString error;
    const auto r = Database::open(dir.path() + QLatin1Char('/'), true, &error);
    QVERIFY(r != Database::OpenResult::Opened);
    QVERIFY(!error.isEmpty());
    QVERIFY(!Database::isOpen());
    QVERIFY(!Database::isValidFile(path));
    // the file the user had is never replaced or changed
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
}

void TestDatabase::missingFileIsNotCreatedOutsideDefault()
{
    const QString folder = m_dir.path() + QStringLiteral("/elsewhere/");
    QCOMPARE(Database::open(folder, false), Database::OpenResult::Missing);
    QVERIFY(!QFile::exists(folder + QStringLiteral("ZuZav.db")));
    // a folder without its trailing separator names a different file
    QCOMPARE(Database::open(m_dir.path() + QStringLiteral("/fresh"), false), Database::OpenResult::Missing);
}

void TestDatabase::failedCreationLeavesNothing()
{
    // a file where the folder should be: nothing can be created
    const QString blocker = m_dir.path() + QStringLiteral("/blocker");
    QFile f(blocker);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(Database::open(blocker + QStringLiteral("/data/"), true) != Database::OpenResult::Opened);
    QCOMPARE(QDir(m_dir.path()).entryList(QStringList{QStringLiteral("*.new-*")}, QDir::Files).size(), 0);
}

void TestDatabase::backupIsConsistentCopy()
{
    const QString folder = m_dir.path() + QStringLiteral("/live/");
    QCOMPARE(Database::open(folder, true), Database::OpenResult::Opened);
    QSqlQuery q;
    QVERIFY(Database::exec(q, QStringLiteral("insert into ZuZav(F_Code,F_Name) values('00000001','赵六')")));
    const QString target = m_dir.path() + QStringLiteral("/dp20240131.back");
    {
        // an open, uncommitted transaction is not part of the copy
        Transaction t;
        QVERIFY(Database::exec(q, QStringLiteral("insert into ZuZav(F_Code,F_Name) values('00000002','未提交')")));
        QVERIFY(Database::backupTo(target));
    }
    QVERIFY(Database::isValidFile(target));
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open_v2(QFile::encodeName(target).constData(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, "select group_concat(F_Name) from ZuZav", -1, &st, nullptr);
    QCOMPARE(sqlite3_step(st), SQLITE_ROW);
    QCOMPARE(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0))), QStringLiteral("赵六"));
    sqlite3_finalize(st);
    sqlite3_close(db);
    QVERIFY(!QFile::exists(target + QStringLiteral(".part")));
}

void TestDatabase::textSizes_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("size");
    QTest::newRow("name") << "ZuZav" << "F_Name" << 50;
    QTest::newRow("any case") << "zuzav" << "f_csaddress" << 255;
    QTest::newRow("community address") << "SysInfo" << "F_Name" << 10;
    QTest::newRow("memo not fixed") << "ZuZav" << "F_memo1" << 0;
    QTest::newRow("not text") << "ZuZav" << "F_SZ1" << 0;
    QTest::newRow("unknown") << "ZuZav" << "nope" << 0;
}

void TestDatabase::textSizes()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(int, size);
    QCOMPARE(Schema::textSize(table, column), size);
}

void TestDatabase::olderFileIsUpgraded()
{
    const QString folder = m_dir.path() + QStringLiteral("/old/");
    QCOMPARE(Database::open(folder, true), Database::OpenResult::Opened);
    QSqlQuery q;
    QVERIFY(Database::exec(q, QStringLiteral("insert into ZuZav(F_Code,F_Name) values('00000001','旧数据')")));
    for (const char *ix : {"ix_zuzav_zx_code", "ix_zuzav_zx_name", "ix_zuzav_zx_csdate"})
        QVERIFY(Database::exec(q, QStringLiteral("drop index %1").arg(QLatin1String(ix))));
    QVERIFY(Database::exec(q, QStringLiteral("PRAGMA user_version=1")));
    Database::close();

    QCOMPARE(Database::open(folder, false), Database::OpenResult::Opened);
    QVERIFY(Database::exec(q, QStringLiteral("PRAGMA user_version")) && q.next());
    QCOMPARE(q.value(0).toInt(), Schema::kVersion);
    QVERIFY(Database::exec(q, QStringLiteral("select count(*) from sqlite_master where type='index' and name like 'ix_zuzav_zx_%'")) && q.next());
    QCOMPARE(q.value(0).toInt(), 3);
    QVERIFY(Database::exec(q, QStringLiteral("select F_Name from ZuZav")) && q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("旧数据"));
}

QTEST_MAIN(TestDatabase)
#include "tst_database.moc"
