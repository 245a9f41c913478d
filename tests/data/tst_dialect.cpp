#include "TestSupport.h"
#include "data/Database.h"
#include "data/Dialect.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

// Each construct of the desktop-database dialect must keep its meaning on SQLite.
class TestDialect : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { m_home = std::make_unique<TestHome>(); }
    void cleanupTestCase() { m_home.reset(); }

    void rewrite_data();
    void rewrite();
    void evaluate_data();
    void evaluate();
    void dateIsLocalToday();
    void likeIgnoresCase();
    void bracketTableAndCaseInsensitiveNames();
    void alwaysFalseKeepsColumns();

private:
    QVariant scalar(const QString &sql)
    {
        QSqlQuery q;
        if (!Database::exec(q, sql) || !q.next()) {
            qWarning() << sql << q.lastError().text();
            return QVariant(QStringLiteral("<error>"));
        }
        return q.value(0);
    }
    std::unique_ptr<TestHome> m_home;
};

void TestDialect::rewrite_data()
{
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");
    QTest::newRow("date literal") << "F_CSdate >= #2024-01-31#" << "F_CSdate >= '2024-01-31'";
    QTest::newRow("short date literal") << "a < #2024-1-5#" << "a < '2024-01-05'";
    QTest::newRow("hash inside string kept") << "F_name = '#2024-01-31#'" << "F_name = '#2024-01-31#'";
    QTest::newRow("right call") << "Right(F_code,8)" << "jet_right(F_code,8)";
    QTest::newRow("left call any case") << "LEFT (F_code, 2)" << "jet_left (F_code, 2)";
    QTest::newRow("right inside string kept") << "x = 'Right(a,1)'" << "x = 'Right(a,1)'";
    QTest::newRow("join words stay") << "a left join b on x" << "a left join b on x";
    QTest::newRow("copyright column stays") << "select copyright(1)" << "select copyright(1)";
    QTest::newRow("double quoted text") << "DateDiff(\"yyyy\",F_CSdate,Date())" << "DateDiff('yyyy',F_CSdate,Date())";
    QTest::newRow("plus after string") << "'0000000' + F_code" << "'0000000' || F_code";
    QTest::newRow("plus before string") << "F_code + 'x'" << "F_code || 'x'";
    QTest::newRow("numeric plus kept") << "F_SZ1 + 1" << "F_SZ1 + 1";
    QTest::newRow("escaped quote") << "x = 'it''s #1#' + y" << "x = 'it''s #1#' || y";
}

void TestDialect::rewrite()
{
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    QCOMPARE(Dialect::jetToSqlite(jet), sqlite);
}

void TestDialect::evaluate_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariant>("expected");
    // calendar years, not completed years of age
    QTest::newRow("datediff yyyy across new year") << "select DateDiff(\"yyyy\", #2023-12-31#, #2024-01-01#)" << QVariant(1);
    QTest::newRow("datediff yyyy same year") << "select DateDiff('yyyy', '2024-01-01', '2024-12-31')" << QVariant(0);
    QTest::newRow("datediff yyyy negative") << "select DateDiff(\"yyyy\", #2030-06-01#, #2024-06-01#)" << QVariant(-6);
    QTest::newRow("datediff y days") << "select DateDiff(\"y\", #2024-02-28#, #2024-03-01#)" << QVariant(2);
    QTest::newRow("datediff y negative") << "select DateDiff(\"y\", #2024-03-01#, #2024-02-28#)" << QVariant(-2);
    QTest::newRow("datediff with time part") << "select DateDiff('d', '2024-01-01 23:00:00', '2024-01-02')" << QVariant(1);
    QTest::newRow("datediff m") << "select DateDiff('m', #2023-11-30#, #2024-01-01#)" << QVariant(2);
    QTest::newRow("right") << "select Right('A00000099', 8)" << QVariant("00000099");
    QTest::newRow("right longer than text") << "select Right('12', 8)" << QVariant("12");
    QTest::newRow("left") << "select Left('户口管理', 2)" << QVariant("户口");
    QTest::newRow("concat pad") << "select Right('0000000' + '25', 8)" << QVariant("00000025");
    QTest::newRow("true") << "select true" << QVariant(1);
    QTest::newRow("false") << "select (1<>1) = false" << QVariant(1);
    QTest::newRow("always true") << "select (1=1)" << QVariant(1);
    QTest::newRow("max text order") << "select max(x) from (select '9' as x union select '10')" << QVariant("9");
    QTest::newRow("date literal compares") << "select '2024-02-01' > #2024-1-31#" << QVariant(1);
    QTest::newRow("sqlite date() with args untouched") << "select date('2024-01-31', '+1 day')" << QVariant("2024-02-01");
    QTest::newRow("year month day") << "select Year(#2024-03-05#) * 10000 + Month(#2024-03-05#) * 100 + Day(#2024-03-05#)" << QVariant(20240305);
}

void TestDialect::evaluate()
{
    QFETCH(QString, sql);
    QFETCH(QVariant, expected);
    const QVariant v = scalar(sql);
    QCOMPARE(v.toString(), expected.toString());
}

void TestDialect::dateIsLocalToday()
{
    // TZ is Asia/Shanghai in the test environment: UTC's date differs before 08:00
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    QCOMPARE(scalar(QStringLiteral("select Date()")).toString(), today);
    QCOMPARE(scalar(QStringLiteral("select date()")).toString(), today);
    QCOMPARE(scalar(QStringLiteral("select DateDiff(\"yyyy\", #2000-06-30#, Date())")).toInt(),
             QDate::currentDate().year() - 2000);
}

void TestDialect::likeIgnoresCase()
{
    QSqlQuery ins;
    QVERIFY(Database::exec(ins, QStringLiteral("insert into t_code(F_type,F_name) values('zz_test','ABC汉字')")));
    QCOMPARE(scalar(QStringLiteral("select count(*) from t_code where F_name like '%abc%' and F_type = 'ZZ_TEST'")).toInt(), 1);
    QCOMPARE(scalar(QStringLiteral("select count(*) from t_code where F_name = 'abc汉字'")).toInt(), 1);
}

void TestDialect::bracketTableAndCaseInsensitiveNames()
{
    QCOMPARE(scalar(QStringLiteral("select count(*) from [T_CODE]")).toInt(),
             scalar(QStringLiteral("select count(*) from t_code")).toInt());
    QCOMPARE(scalar(QStringLiteral("select count(F_NAME) from SYSINFO")).toInt(), 1);
}

void TestDialect::alwaysFalseKeepsColumns()
{
    QSqlQuery q;
    QVERIFY(Database::exec(q, QStringLiteral("select * from ZuZav where (1<>1)")));
    QVERIFY(!q.next());
    QVERIFY(q.record().indexOf(QStringLiteral("F_SFZcode")) >= 0);
}

QTEST_MAIN(TestDialect)
#include "tst_dialect.moc"
