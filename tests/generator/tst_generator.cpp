#include "IdentityNumber.h"
#include "RegisterGenerator.h"
#include "TestSupport.h"
#include "data/Database.h"

#include <QCryptographicHash>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QDate kToday(2026, 6, 15);

bool generate(const QString &path, qint64 count, quint64 seed, RegisterGenerator::Totals *totals = nullptr)
{
    QString error;
    if (!Database::createFile(path, &error))
        return false;
    RegisterGenerator g({ count, seed, kToday });
    const bool ok = g.fill(path, &error);
    if (!ok)
        qWarning() << error;
    if (totals)
        *totals = g.totals();
    return ok;
}

// Every row of the filled tables, in key order, as one digest.
QByteArray digest(const QString &path)
{
    QCryptographicHash h(QCryptographicHash::Sha1);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("digest"));
        db.setDatabaseName(path);
        db.open();
        for (const char *table : { "ZuZav", "t_JTinfo", "t_BGrec", "t_TXrec" }) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("SELECT * FROM %1 ORDER BY F_ID").arg(QLatin1String(table)));
            const int columns = q.record().count();
            while (q.next())
                for (int i = 0; i < columns; ++i)
                    h.addData(q.value(i).toString().toUtf8() + '\x1f');
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("digest"));
    return h.result();
}

qint64 scalar(const QString &sql)
{
    QSqlQuery q(Database::db());
    if (!q.exec(sql) || !q.next()) {
        qWarning() << sql;
        return -1;
    }
    return q.value(0).toLongLong();
}

} // namespace

class TestGenerator : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { Database::close(); }

    void checkCharacter_data();
    void checkCharacter();
    void validity_data();
    void validity();
    void madeNumbersCarryBirthAndSex_data();
    void madeNumbersCarryBirthAndSex();

    void opensWithMatchingCounts();
    void keysAreUnique();
    void identityNumbersMatchPersons();
    void householdsShareAddressAndHead();
    void familiesMatchTheirMembers();
    void recordsPointAtPersons();
    void datesAreIsoOrNullDate();
    void statusesAreConsistent();
    void sameSeedSameRegister();
    void refusesFilledFile();

private:
    QTemporaryDir m_dir;
    RegisterGenerator::Totals m_totals;
    static constexpr qint64 kCount = 2000;
};

void TestGenerator::initTestCase()
{
    initTestResources();
    QVERIFY(generate(m_dir.filePath(QStringLiteral("ZuZav.db")), kCount, 42, &m_totals));
    QString error;
    QCOMPARE(Database::open(m_dir.path() + QLatin1Char('/'), false, &error), Database::OpenResult::Opened);
}

void TestGenerator::checkCharacter_data()
{
    QTest::addColumn<QString>("id");
    QTest::newRow("check X") << "11010519491231002X";
    QTest::newRow("born 1880") << "440524188001010014";
    QTest::newRow("Chengdu") << "510104198506151234";
    QTest::newRow("Shanghai") << "310115197708080128";
    QTest::newRow("born 2020") << "110108202001010014";
    QTest::newRow("Urumqi") << "650102196604123674";
}

void TestGenerator::checkCharacter()
{
    QFETCH(QString, id);
    const std::string s = id.toStdString();
    QCOMPARE(IdentityNumber::checkChar(s.substr(0, 17)), s[17]);
    QVERIFY(IdentityNumber::isValid(s));
}

void TestGenerator::validity_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("checkRight"); // so that the date alone makes the difference
    QTest::addColumn<bool>("valid");
    QTest::newRow("good") << "11010519491231002X" << true << true;
    QTest::newRow("wrong check") << "110105194912310021" << false << false;
    QTest::newRow("lower-case x") << "11010519491231002x" << false << false;
    QTest::newRow("February 30") << "11010519900230001X" << true << false;
    QTest::newRow("29 February of a leap year") << "110105200002290013" << true << true;
    QTest::newRow("29 February of 1900") << "110105190002290017" << true << false;
    QTest::newRow("month 13") << "110105199013010018" << true << false;
    QTest::newRow("17 characters") << "11010519491231002" << false << false;
    QTest::newRow("letter inside") << "1101051949123A002X" << false << false;
}

void TestGenerator::validity()
{
    QFETCH(QString, id);
    QFETCH(bool, checkRight);
    QFETCH(bool, valid);
    const std::string s = id.toStdString();
    if (checkRight)
        QCOMPARE(IdentityNumber::checkChar(s.substr(0, 17)), s[17]);
    QCOMPARE(IdentityNumber::isValid(s), valid);
}

void TestGenerator::madeNumbersCarryBirthAndSex_data()
{
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<int>("sequence");
    QTest::addColumn<bool>("male");
    QTest::newRow("man") << QDate(1949, 12, 31) << 1 << true;
    QTest::newRow("woman") << QDate(1949, 12, 31) << 2 << false;
    QTest::newRow("leap day") << QDate(2000, 2, 29) << 999 << true;
    QTest::newRow("sequence zero") << QDate(2026, 1, 1) << 0 << false;
}

void TestGenerator::madeNumbersCarryBirthAndSex()
{
    QFETCH(QDate, birth);
    QFETCH(int, sequence);
    QFETCH(bool, male);
    const std::string id = IdentityNumber::make("110105", birth.year(), birth.month(), birth.day(), sequence);
    QCOMPARE(id.size(), std::size_t(18));
    QVERIFY(IdentityNumber::isValid(id));
    QCOMPARE(QString::fromStdString(id.substr(0, 6)), QStringLiteral("110105"));
    QCOMPARE(QString::fromStdString(id.substr(6, 8)), birth.toString(QStringLiteral("yyyyMMdd")));
    QCOMPARE(IdentityNumber::isMale(id), male);
}

void TestGenerator::opensWithMatchingCounts()
{
    QCOMPARE(m_totals.persons, kCount);
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM ZuZav")), kCount);
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM t_JTinfo")), m_totals.families);
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM t_BGrec")), m_totals.changes);
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM t_TXrec")), m_totals.reminders);
    QCOMPARE(
        scalar(QStringLiteral("SELECT count(DISTINCT F_LDcode || '/' || F_HScode) FROM ZuZav")), m_totals.households);
    // Shares the later screens and benchmarks rely on: every kind of row is there.
    QVERIFY(m_totals.families > m_totals.households / 3);
    QVERIFY(m_totals.changes > kCount / 10);
    QVERIFY(m_totals.reminders > 0);
    QVERIFY(scalar(QStringLiteral("SELECT count(*) FROM sqlite_stat1")) > 0);
}

void TestGenerator::keysAreUnique()
{
    QCOMPARE(scalar(QStringLiteral("SELECT count(DISTINCT F_mainID) FROM ZuZav")), kCount);
    QCOMPARE(scalar(QStringLiteral("SELECT min(F_mainID) FROM ZuZav")), 1);
    QCOMPARE(scalar(QStringLiteral("SELECT max(F_mainID) FROM ZuZav")), kCount);
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM ZuZav WHERE F_Code <> substr('0000000' || F_mainID, -8)")), 0);
    QCOMPARE(scalar(QStringLiteral("SELECT count(DISTINCT F_code) FROM t_JTinfo")), m_totals.families);
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM t_JTinfo WHERE length(F_code) <> 8")), 0);
}

void TestGenerator::identityNumbersMatchPersons()
{
    QSqlQuery q(Database::db());
    QVERIFY(q.exec(QStringLiteral("SELECT F_SFZcode, F_CSdate, F_sex, F_Name FROM ZuZav")));
    QSet<QString> seen;
    while (q.next()) {
        const QString id = q.value(0).toString();
        const std::string s = id.toStdString();
        QVERIFY2(IdentityNumber::isValid(s), qPrintable(id));
        QCOMPARE(id.mid(6, 8), QString(q.value(1).toString()).remove(QLatin1Char('-')));
        QCOMPARE(IdentityNumber::isMale(s), q.value(2).toString() == QStringLiteral("男"));
        QVERIFY2(!seen.contains(id), qPrintable(id));
        seen.insert(id);
        const QString name = q.value(3).toString();
        QVERIFY2(name.size() >= 2 && name.size() <= 4, qPrintable(name));
    }
    QCOMPARE(seen.size(), kCount);
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM ZuZav WHERE F_CSdate > '2026-06-15' "
                                   "OR F_CSdate < '1925-06-15'")),
        0);
}

void TestGenerator::householdsShareAddressAndHead()
{
    // The first person written is a household head: that gives the head's label
    // whatever words the code table uses.
    QSqlQuery q(Database::db());
    QVERIFY(q.exec(QStringLiteral("SELECT F_HZguanxi FROM ZuZav WHERE F_mainID = 1")) && q.next());
    const QString head = q.value(0).toString();
    QVERIFY(!head.isEmpty());
    QVERIFY(q.prepare(QStringLiteral(
        "SELECT count(*) FROM (SELECT F_LDcode, F_HScode FROM ZuZav GROUP BY F_LDcode, F_HScode "
        "HAVING sum(F_HZguanxi = ?) <> 1 OR count(DISTINCT F_HZname) <> 1 OR count(DISTINCT F_HKcode) <> 1 "
        "OR count(DISTINCT F_ZZaddress) <> 1)")));
    q.addBindValue(head);
    QVERIFY(q.exec() && q.next());
    QCOMPARE(q.value(0).toInt(), 0);
    QVERIFY(q.prepare(QStringLiteral("SELECT count(*) FROM ZuZav WHERE F_HZguanxi = ? AND F_HZname <> F_Name")));
    q.addBindValue(head);
    QVERIFY(q.exec() && q.next());
    QCOMPARE(q.value(0).toInt(), 0);
}

void TestGenerator::familiesMatchTheirMembers()
{
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM ZuZav WHERE F_JTcode <> '' "
                                   "AND F_JTcode NOT IN (SELECT F_code FROM t_JTinfo)")),
        0);
    QCOMPARE(scalar(QStringLiteral(
                 "SELECT count(*) FROM t_JTinfo j WHERE "
                 "F_Znum <> (SELECT count(*) FROM ZuZav z WHERE z.F_JTcode = j.F_code) "
                 "OR F_Nnum <> (SELECT count(*) FROM ZuZav z WHERE z.F_JTcode = j.F_code AND z.F_sex = '男') "
                 "OR F_Fnum <> (SELECT count(*) FROM ZuZav z WHERE z.F_JTcode = j.F_code AND z.F_sex = '女') "
                 "OR F_Znum = 0")),
        0);
    // What the family editor copies into its members is the family's own value.
    QCOMPARE(
        scalar(QStringLiteral("SELECT count(*) FROM ZuZav z JOIN t_JTinfo j ON z.F_JTcode = j.F_code WHERE "
                              "z.F_Znum <> j.F_Znum OR z.F_LDcode <> j.F_LDcode OR z.F_HScode <> j.F_HScode "
                              "OR z.F_HZname <> j.F_HZname OR z.F_DBflag <> j.F_DBflag OR z.F_JSflag <> j.F_JSflag")),
        0);
    // A family holds no one who has left the register.
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM ZuZav WHERE F_JTcode <> '' "
                                   "AND (F_ZXflag OR F_WGflag OR F_QCflag)")),
        0);
}

void TestGenerator::recordsPointAtPersons()
{
    QCOMPARE(
        scalar(QStringLiteral("SELECT count(*) FROM t_BGrec WHERE F_mainID NOT IN (SELECT F_mainID FROM ZuZav)")), 0);
    QCOMPARE(
        scalar(QStringLiteral("SELECT count(*) FROM t_TXrec WHERE F_mainID NOT IN (SELECT F_mainID FROM ZuZav)")), 0);
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM t_TXrec WHERE F_AwokeDate NOT BETWEEN '2026-04-16' AND "
                                   "'2026-08-14' OR F_OperName <> 'admin' OR F_editDate > '2026-06-15 99' "
                                   "OR F_editDate NOT GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] "
                                   "[0-9][0-9]:[0-9][0-9]:[0-9][0-9]'")),
        0);
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM t_BGrec WHERE F_Date > '2026-06-15' "
                                   "OR F_editDate > '2026-06-15' OR F_BGtype = ''")),
        0);
}

void TestGenerator::datesAreIsoOrNullDate()
{
    const QString iso = QStringLiteral("'[12][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]'");
    for (const char *column : { "F_CSdate", "F_editDate", "F_QFdate", "F_QRdate", "F_QCdate", "F_SWdate", "F_RQ1" }) {
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM ZuZav WHERE %1 IS NULL OR length(%1) <> 10 "
                                       "OR %1 NOT GLOB %2 OR date(%1) IS NULL")
                            .arg(QLatin1String(column), iso)),
            0);
    }
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM ZuZav WHERE F_editDate > '2026-06-15' "
                                   "OR F_editDate < F_CSdate")),
        0);
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM ZuZav WHERE F_EmpImage IS NOT NULL")), 0);
}

void TestGenerator::statusesAreConsistent()
{
    // Each flag carries its date; the events happen after birth and before today.
    QCOMPARE(
        scalar(QStringLiteral("SELECT count(*) FROM ZuZav WHERE "
                              "(F_QRflag <> (F_QRdate <> '1900-08-14')) OR (F_QCflag <> (F_QCdate <> '1900-08-14')) "
                              "OR (F_WGflag <> (F_SWdate <> '1900-08-14')) OR (F_ZXflag <> (F_ZXdate <> '')) "
                              "OR (F_QRflag AND (F_QRdate < F_CSdate OR F_QRdate > '2026-06-15')) "
                              "OR (F_WGflag AND (F_SWdate < F_CSdate OR F_SWdate > '2026-06-15')) "
                              "OR (F_ZXflag AND (F_ZXdate < F_CSdate OR F_ZXdate > '2026-06-15' OR F_ZXreason = ''))")),
        0);
    QCOMPARE(scalar(QStringLiteral(
                 "SELECT count(*) FROM ZuZav WHERE (F_DBflag AND F_JTcode = '' AND F_DBZcode IS NULL) "
                 "OR (F_SYflag AND F_SYdate IS NULL) OR (F_LLflag AND F_CYdate IS NULL) "
                 "OR (F_LNflag AND (F_JZmem IS NULL OR F_CSdate > '1966-06-15')) "
                 "OR (F_CJflag AND substr(F_CJZcode, 1, 18) <> F_SFZcode) "
                 "OR (F_TXflag AND F_TXhandphone NOT GLOB '1[3-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]')")),
        0);
    const qint64 cancelled = scalar(QStringLiteral("SELECT count(*) FROM ZuZav WHERE F_ZXflag"));
    QVERIFY2(cancelled > kCount / 100 && cancelled < kCount / 20, qPrintable(QString::number(cancelled)));
}

void TestGenerator::sameSeedSameRegister()
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.db")), b = dir.filePath(QStringLiteral("b.db")),
                  c = dir.filePath(QStringLiteral("c.db"));
    QVERIFY(generate(a, 300, 5));
    QVERIFY(generate(b, 300, 5));
    QVERIFY(generate(c, 300, 6));
    QCOMPARE(digest(a), digest(b));
    QVERIFY(digest(a) != digest(c));
}

void TestGenerator::refusesFilledFile()
{
    const QString path = m_dir.filePath(QStringLiteral("ZuZav.db"));
    RegisterGenerator again({ 10, 1, kToday });
    QString error;
    QVERIFY(!again.fill(path, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM ZuZav")), kCount);
}

QTEST_GUILESS_MAIN(TestGenerator)
#include "tst_generator.moc"
