#include "TestSupport.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>
#include <memory>

// What a new database brings with it, checked against the schema and the
// statements that will read it.
class TestSeed : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void permissionCatalogue();
    void flaggedKeyValues();
    void ageBands_data();
    void ageBands();
    void decadeBandsCoverEveryAgeOnce();
    void codeTypes_data();
    void codeTypes();
    void gridKeysAreExactlyTheKnownOnes();
    void gridLayouts_data();
    void gridLayouts();
    void importMap();
    void statistics_data();
    void statistics();

private:
    QVariantList column(const QString &sql, const QVariant &params = {});
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<MessageRecorder> m_messages;
    int m_current = 0; // residents not cancelled, added by initTestCase
    int m_reliefFlags = 0; // relief flags set on them
};

QVariantList TestSeed::column(const QString &sql, const QVariant &params)
{
    QSqlQuery q;
    if (!Database::exec(q, sql, params))
        qFatal("%s", qPrintable(sql));
    QVariantList out;
    while (q.next())
        out << q.value(0);
    return out;
}

void TestSeed::initTestCase()
{
    m_messages = std::make_unique<MessageRecorder>();
    m_home = std::make_unique<TestHome>(false);
    QString error;
    QVERIFY2(Database::open(m_home->dataFolder(), true, &error) == Database::OpenResult::Opened, qPrintable(error));

    // A small register for the statistics: unknown values, the empty birth date
    // and no birth date at all, people in two relief categories, and a cancelled
    // person who must not count.
    struct Person
    {
        QString name, sex, minzu, birth;
        bool db, cj, cancelled;
    };
    const QDate today = QDate::currentDate();
    auto bornYearsAgo = [&](int years) { return today.addYears(-years).toString(QStringLiteral("yyyy-MM-dd")); };
    const QList<Person> people = {
        { QStringLiteral("张一"), QStringLiteral("男"), QStringLiteral("汉族"), bornYearsAgo(4), true, false, false },
        { QStringLiteral("张二"), QStringLiteral("女"), QStringLiteral("回族"), bornYearsAgo(35), true, true, false },
        { QStringLiteral("李三"), QStringLiteral(""), QStringLiteral(""), QString::fromLatin1(Database::kNullDate),
            false, false, false },
        { QStringLiteral("王四"), QStringLiteral("女"), QStringLiteral("汉族"), bornYearsAgo(82), false, true, false },
        { QStringLiteral("赵五"), QString(), QString(), QString(), false, false, false },
        { QStringLiteral("钱六"), QStringLiteral("男"), QStringLiteral("汉族"), bornYearsAgo(35), true, false, true },
    };
    for (const Person &p : people) {
        QSqlQuery q;
        QVERIFY(Database::exec(q,
            QStringLiteral("insert into ZuZav(F_Name, F_sex, F_MinZu, F_CSdate, F_DBflag, F_CJflag, F_ZXflag) "
                           "values(?, ?, ?, ?, ?, ?, ?)"),
            QVariantList { p.name, p.sex, p.minzu, p.birth, p.db, p.cj, p.cancelled }));
        if (!p.cancelled) {
            ++m_current;
            m_reliefFlags += int(p.db) + int(p.cj);
        }
    }
}

void TestSeed::cleanupTestCase()
{
    m_home.reset();
    m_messages.reset();
}

void TestSeed::permissionCatalogue()
{
    QStringList expected;
    const QList<QPair<int, int>> groups = { { 101, 105 }, { 201, 210 }, { 301, 313 }, { 401, 411 }, { 501, 505 } };
    for (const auto &g : groups)
        for (int c = g.first; c <= g.second; ++c)
            expected << QString::number(c);

    QStringList offered;
    for (const QVariant &v : column(QStringLiteral("select F_code from Limits where F_flag = true order by F_code")))
        offered << v.toString();
    QCOMPARE(offered, expected);

    // grants name a permission by its label, so labels must be unique and present
    QCOMPARE(
        column(QStringLiteral("select count(distinct F_name) from Limits where Trim(F_name) <> ''")).value(0).toInt(),
        column(QStringLiteral("select count(*) from Limits")).value(0).toInt());
}

void TestSeed::flaggedKeyValues()
{
    QSqlQuery q;
    QVERIFY(Database::exec(q, QStringLiteral("select KeyID, F_Value from KeyValue where F_flag = 1 order by F_ID")));
    QStringList keys;
    QString last;
    while (q.next()) {
        keys << q.value(0).toString();
        last = q.value(1).toString();
    }
    QCOMPARE(keys,
        QStringList({ QStringLiteral("ZF1"), QStringLiteral("ZF2"), QStringLiteral("ZF3"), QStringLiteral("ZF4"),
            QStringLiteral("ZF5"), QStringLiteral("SZ1"), QStringLiteral("SZ2"), QStringLiteral("SZ3"),
            QStringLiteral("RQ1"), QStringLiteral("RQ2"), QStringLiteral("RQ3"), QStringLiteral("XS") }));
    QCOMPARE(last, QStringLiteral("2"));
}

void TestSeed::ageBands_data()
{
    QTest::addColumn<QString>("node");
    for (const char *node : { "成年人", "未成年人", "老年人", "学龄前儿童", "1-9", "10-19", "20-29", "30-39", "40-49",
             "50-59", "60-69", "70-79", "80-89", "90-99", "100以上" })
        QTest::newRow(node) << QString::fromUtf8(node);
}

void TestSeed::ageBands()
{
    QFETCH(QString, node);
    // the resident list reads a node's bounds with exactly this lookup
    QSqlQuery q;
    QVERIFY(Database::exec(q,
        QStringLiteral("select F_from, F_to, F_flag from KeyValue where KeyID like 'nl%' and F_name = ?"),
        QVariantList { node }));
    QVERIFY2(q.next(), "no band");
    QVERIFY(q.value(0).toInt() <= q.value(1).toInt());
    QCOMPARE(q.value(2).toInt(), 0);
    QVERIFY2(!q.next(), "more than one band");
}

void TestSeed::decadeBandsCoverEveryAgeOnce()
{
    QSqlQuery q;
    QVERIFY(Database::exec(q,
        QStringLiteral("select F_from, F_to from KeyValue where KeyID like 'nl%' "
                       "and (F_name like '%-%' or F_name = ?)"),
        QVariantList { QStringLiteral("100以上") }));
    QList<QPair<int, int>> bands;
    while (q.next())
        bands.append({ q.value(0).toInt(), q.value(1).toInt() });
    for (int age = 0; age <= 120; ++age) {
        int holding = 0;
        for (const auto &b : bands)
            holding += age >= b.first && age <= b.second;
        QVERIFY2(holding == 1, qPrintable(QStringLiteral("age %1 in %2 bands").arg(age).arg(holding)));
    }
}

void TestSeed::codeTypes_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("delivered");
    for (const char *t : { "hzguanxi", "hktype", "xx", "jkmem", "minzu", "whchengdu", "hymem", "bymem", "zjxinyang",
             "zzmianmao", "work", "qrtype", "hjstatus", "jjstatus", "zstype", "dbreason", "jystatus", "yftype",
             "ldnengli", "shnengli", "gystatus", "jzmem", "pomem", "mtmem", "jjlaiyuan", "tsmem", "cjstatus", "bgtype",
             "awoketime", "txcaption", "hkxingzhi", "JNtechang", "WAZreason", "abSheet1", "qctype" })
        QTest::newRow(t) << QString::fromLatin1(t) << true;
    // handlers are the office's own staff; they also feed the operator-name list
    QTest::newRow("empname") << QStringLiteral("empname") << false;
}

void TestSeed::codeTypes()
{
    QFETCH(QString, type);
    QFETCH(bool, delivered);
    // the drop-down statement every screen uses
    const QVariantList names
        = column(QStringLiteral("select distinct F_name from t_code where (F_name <> '') and F_type = ?"),
            QVariantList { type });
    QCOMPARE(!names.isEmpty(), delivered);
    const QVariantList doubled
        = column(QStringLiteral("select F_name from t_code where F_type = ? group by F_name having count(*) > 1"),
            QVariantList { type });
    QVERIFY2(doubled.isEmpty(), qPrintable(doubled.value(0).toString()));
    // the code manager shows a type's rows by its key exactly as it stores it
    QCOMPARE(column(QStringLiteral("select count(*) from t_code where F_type = ? and F_type <> ? collate binary"),
                 QVariantList { type, type })
                 .value(0)
                 .toInt(),
        0);
}

static const QStringList kGridKeys = {
    QStringLiteral("hukoumain"),
    QStringLiteral("detail1"),
    QStringLiteral("detail2"),
    QStringLiteral("jzduxianggl1"),
    QStringLiteral("jzduxianggl2"),
    QStringLiteral("jzduxianggl3"),
    QStringLiteral("jzduxianggl4"),
    QStringLiteral("jzduxianggl5"),
    QStringLiteral("jzduxianggl6"),
    QStringLiteral("tongxulugl"),
    QStringLiteral("awokegl"),
    QStringLiteral("jiatinggl"),
    QStringLiteral("dlgjiatingxz"),
    QStringLiteral("txldetailtj"),
    QStringLiteral("sqdetailtj"),
    QStringLiteral("xzdetailtj"),
    QStringLiteral("swdetailtj"),
    QStringLiteral("qrdetailtj"),
    QStringLiteral("qcdetailtj"),
    QStringLiteral("zxdetailtj"),
    QStringLiteral("jtdetailtj"),
    QStringLiteral("jzdetailtj1"),
    QStringLiteral("jzdetailtj2"),
    QStringLiteral("jzdetailtj3"),
    QStringLiteral("jzdetailtj4"),
    QStringLiteral("jzdetailtj5"),
    QStringLiteral("jzdetailtj6"),
};

void TestSeed::gridKeysAreExactlyTheKnownOnes()
{
    QStringList stored;
    for (const QVariant &v : column(QStringLiteral("select distinct F_name from cfg_Grid")))
        stored << v.toString();
    // saving writes the key in lowercase and matches rows exactly
    for (const QString &k : stored)
        QVERIFY2(k == k.toLower(), qPrintable(k));
    QCOMPARE(QSet<QString>(stored.cbegin(), stored.cend()), QSet<QString>(kGridKeys.cbegin(), kGridKeys.cend()));
}

void TestSeed::gridLayouts_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("tables");
    QTest::addColumn<QStringList>("calculated");
    for (const QString &key : kGridKeys) {
        QStringList tables { QStringLiteral("ZuZav") };
        QStringList calculated;
        if (key == QLatin1String("hukoumain"))
            calculated << QStringLiteral("ID");
        else if (key.startsWith(QLatin1String("detail")))
            tables = { QStringLiteral("t_BGrec") };
        else if (key == QLatin1String("awokegl")) {
            tables << QStringLiteral("t_TXrec");
            calculated << QStringLiteral("f_num");
        } else if (key == QLatin1String("jiatinggl") || key == QLatin1String("dlgjiatingxz")
            || key == QLatin1String("jtdetailtj"))
            tables = { QStringLiteral("t_JTinfo") };
        QTest::newRow(qPrintable(key)) << key << tables << calculated;
    }
}

void TestSeed::gridLayouts()
{
    QFETCH(QString, key);
    QFETCH(QStringList, tables);
    QFETCH(QStringList, calculated);

    // the statement the grids load their layout with
    QSqlQuery q;
    QVERIFY(Database::exec(q,
        QStringLiteral("Select * from cfg_Grid Where (F_name = ? and F_fieldname <> '') order by F_Order"),
        QVariantList { key }));
    QSet<QString> fields, captions;
    int position = 0;
    while (q.next()) {
        const QString field = q.value(QStringLiteral("F_FieldName")).toString();
        const QString caption = q.value(QStringLiteral("F_Caption")).toString();
        const Schema::Column *col = nullptr;
        for (const QString &t : tables)
            if (!col)
                col = Schema::column(t, field);
        QVERIFY2(col || calculated.contains(field, Qt::CaseInsensitive), qPrintable(field));
        QVERIFY2(!fields.contains(field.toLower()), qPrintable(field));
        fields << field.toLower();
        // the sort dialog finds a column by its title
        QVERIFY2(!caption.isEmpty() && !captions.contains(caption), qPrintable(caption));
        captions << caption;

        QCOMPARE(q.value(QStringLiteral("F_Order")).toInt(), position++);
        QVERIFY(q.value(QStringLiteral("F_Width")).toInt() > 0);
        QVERIFY(q.value(QStringLiteral("F_Visible")).toBool());
        QVERIFY(q.value(QStringLiteral("F_ReadOnly")).toBool());
        const int align = q.value(QStringLiteral("F_AlignMent")).toInt();
        QVERIFY(align >= 0 && align <= 2);
        const int footer = q.value(QStringLiteral("F_FooterType")).toInt();
        QVERIFY(footer >= 0 && footer <= 2);
        if (footer == 2)
            QVERIFY2(
                col && (col->kind == Schema::Kind::Integer || col->kind == Schema::Kind::Float), qPrintable(field));
        if (footer == 1)
            QVERIFY(!q.value(QStringLiteral("F_FooterValue")).toString().isEmpty());
        const QString format = q.value(QStringLiteral("F_DisplayFormat")).toString();
        if (format.startsWith(QLatin1String("yyyy")))
            QVERIFY2(col && col->kind == Schema::Kind::Date, qPrintable(field));
        if (format.contains(QLatin1String("0.")))
            QVERIFY2(col && col->kind == Schema::Kind::Float, qPrintable(field));
    }
    QVERIFY2(position > 0, "no layout");
}

void TestSeed::importMap()
{
    QSqlQuery q;
    // the statement the import wizard reads its map with
    QVERIFY(Database::exec(q, QStringLiteral("select * from cfg_import where (F_tablename = ?)and(F_iFlag = 1) "),
        QVariantList { QStringLiteral("ZuZav") }));
    QSet<QString> targets;
    while (q.next()) {
        const QString target = q.value(QStringLiteral("S_Field")).toString();
        const Schema::Column *col = Schema::column(QStringLiteral("ZuZav"), target);
        QVERIFY2(col, qPrintable(target));
        // keys, flags and pictures are not the sheet's business
        QVERIFY2(
            col->kind != Schema::Kind::AutoKey && col->kind != Schema::Kind::Bool && col->kind != Schema::Kind::Binary,
            qPrintable(target));
        QVERIFY2(target.compare(QLatin1String("F_mainID"), Qt::CaseInsensitive) != 0, "F_mainID");
        QVERIFY2(!targets.contains(target.toLower()), qPrintable(target));
        targets << target.toLower();
        QVERIFY(!q.value(QStringLiteral("F_FieldName")).toString().isEmpty());
        QCOMPARE(q.value(QStringLiteral("F_Field")).toString(), q.value(QStringLiteral("F_FieldName")).toString());
    }
    QVERIFY(targets.contains(QStringLiteral("f_name")));
    QVERIFY(column(QStringLiteral("select count(*) from cfg_import where F_tablename <> 'ZuZav' or F_iFlag <> 1"))
                .value(0)
                .toInt()
        == 0);
}

void TestSeed::statistics_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("partition");
    QTest::addColumn<QString>("category");
    QTest::addColumn<int>("count");
    // one category each statistic must give for the register of initTestCase
    const QHash<QString, QPair<QString, int>> known = {
        { QStringLiteral("性别"), { QStringLiteral("未填写"), 2 } },
        { QStringLiteral("民族"), { QStringLiteral("汉族"), 2 } },
        { QStringLiteral("年龄段"), { QStringLiteral("30-39岁"), 1 } },
        { QStringLiteral("年龄结构"), { QStringLiteral("学龄前儿童(0-6岁)"), 1 } },
        { QStringLiteral("救助对象"), { QStringLiteral("低保"), 2 } },
    };
    QSqlQuery q;
    QVERIFY(Database::exec(q, QStringLiteral("select F_name, F_SQLtext from cfg_stat order by F_ID")));
    while (q.next()) {
        const QString name = q.value(0).toString();
        // relief categories overlap and leave people out; every other statistic
        // puts each resident into exactly one category
        QTest::newRow(qPrintable(name)) << q.value(1).toString() << (name != QStringLiteral("救助对象"))
                                        << known.value(name).first << known.value(name).second;
    }
}

void TestSeed::statistics()
{
    QFETCH(QString, sql);
    QFETCH(bool, partition);
    QFETCH(QString, category);
    QFETCH(int, count);
    QSqlQuery q;
    QVERIFY2(Database::exec(q, sql), qPrintable(q.lastError().text()));
    const QSqlRecord rec = q.record();
    QVERIFY(rec.indexOf(QStringLiteral("F_name")) >= 0);
    QVERIFY(rec.indexOf(QStringLiteral("F_num")) >= 0);
    int total = 0;
    QHash<QString, int> counts;
    while (q.next()) {
        const QString name = q.value(QStringLiteral("F_name")).toString();
        QVERIFY2(!name.trimmed().isEmpty(), "unnamed category");
        QVERIFY2(!counts.contains(name), qPrintable(name));
        counts.insert(name, q.value(QStringLiteral("F_num")).toInt());
        total += counts.value(name);
    }
    QCOMPARE(total, partition ? m_current : m_reliefFlags);
    if (!category.isEmpty())
        QCOMPARE(counts.value(category, -1), count);
}

QTEST_MAIN(TestSeed)
#include "tst_seed.moc"
