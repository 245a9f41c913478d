#include "TestSupport.h"
#include "data/DataModule.h"
#include "data/Database.h"
#include "data/RunValues.h"
#include "support/Messages.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTreeWidget>
#include <QtTest>

class TestDataServices : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_home = std::make_unique<TestHome>(); }
    void cleanup() { m_home.reset(); }

    void emptyResults();
    void failuresShowMessageAndReturnEmpty_data();
    void failuresShowMessageAndReturnEmpty();
    void boundValuesAreNeverSql();
    void fillItems();
    void selectItemText();
    void nextCode_data();
    void nextCode();
    void nextCodeFailsOnBadTail_data();
    void nextCodeFailsOnBadTail();
    void nextCodeFromTable();
    void moneyFormat_data();
    void moneyFormat();
    void writeLog();
    void deleteRecord();
    void fillTypeTree();
    void hasPermission();
    void transactionRollsBack();
    void autoBackup();
    void autoBackupFolderCreation();
    void autoBackupFolderRefused();

private:
    std::unique_ptr<TestHome> m_home;
};

void TestDataServices::emptyResults()
{
    MessageRecorder rec;
    QCOMPARE(DataModule::QueryInteger(QStringLiteral("select F_ID from t_BGrec")), 0);
    QCOMPARE(DataModule::QueryText(QStringLiteral("select F_Memo1 from t_BGrec")), QString());
    QCOMPARE(DataModule::QueryBoolean(QStringLiteral("select F_ZXflag from ZuZav")), false);
    QVERIFY(rec.messages.isEmpty());
}

void TestDataServices::failuresShowMessageAndReturnEmpty_data()
{
    QTest::addColumn<int>("service");
    QTest::addColumn<QString>("message");
    const QString op = QStringLiteral("操作失败，请检查数据连接... ");
    QTest::newRow("ExecSql") << 0 << op;
    QTest::newRow("QueryText") << 1 << op;
    QTest::newRow("QueryInteger") << 2 << op;
    QTest::newRow("QueryBoolean") << 3 << op;
    QTest::newRow("OpenSql") << 4 << QStringLiteral("打开操作失败，请检查数据连接... ");
    QTest::newRow("DeleteRecord") << 5 << QStringLiteral("删除操作失败，请检查数据连接... ");
}

void TestDataServices::failuresShowMessageAndReturnEmpty()
{
    QFETCH(int, service);
    QFETCH(QString, message);
    MessageRecorder rec;
    const QString bad = QStringLiteral("select nothing from no_such_table");
    QSqlQuery q;
    switch (service) {
    case 0: QVERIFY(!DataModule::ExecSql(bad)); break;
    case 1: QCOMPARE(DataModule::QueryText(bad), QString()); break;
    case 2: QCOMPARE(DataModule::QueryInteger(bad), 0); break;
    case 3: QCOMPARE(DataModule::QueryBoolean(bad), false); break;
    case 4: QVERIFY(!DataModule::OpenSql(bad, q)); break;
    case 5: QVERIFY(!DataModule::DeleteRecord(QStringLiteral("no_such_table"), 1)); break;
    }
    QCOMPARE(rec.messages.size(), 1);
    QCOMPARE(rec.messages.first().text, message);
    QCOMPARE(rec.messages.first().kind, int(MessError));
}

void TestDataServices::boundValuesAreNeverSql()
{
    MessageRecorder rec;
    const QString evil = QStringLiteral("x' or '1'='1%_\"; drop table ZuZav; --");
    QVERIFY(DataModule::ExecSql(QStringLiteral("insert into t_code(F_type,F_name) values(?,?)"),
                                QVariantList{QStringLiteral("q"), evil}));
    QCOMPARE(DataModule::QueryText(QStringLiteral("select F_name from t_code where F_type = ? and F_name = ?"),
                                   QVariantList{QStringLiteral("q"), evil}),
             evil);
    QCOMPARE(DataModule::QueryInteger(QStringLiteral("select count(*) from t_code where F_name = :n"),
                                      QVariantMap{{QStringLiteral("n"), QStringLiteral("x")}}),
             0);
    QVERIFY(rec.messages.isEmpty());
}

void TestDataServices::fillItems()
{
    for (const QString &v : {QStringLiteral("A"), QString(), QStringLiteral(" "), QStringLiteral("B")})
        DataModule::ExecSql(QStringLiteral("insert into t_code(F_type,F_name) values('fi',?)"), QVariantList{v});
    QComboBox box;
    box.addItem(QStringLiteral("old"));
    DataModule::FillItems(QStringLiteral("select F_name from t_code where F_type='fi' order by F_ID"), &box);
    QCOMPARE(box.count(), 3);
    QCOMPARE(box.itemText(0), QString());
    QCOMPARE(box.itemText(1), QStringLiteral("A"));
    QCOMPARE(box.itemText(2), QStringLiteral("B"));

    // a statement that cannot run leaves the items as they were
    MessageRecorder rec;
    DataModule::FillItems(QStringLiteral("select nope from nowhere"), &box);
    QCOMPARE(box.count(), 3);
    QCOMPARE(rec.messages.size(), 1);
}

void TestDataServices::selectItemText()
{
    QComboBox box;
    box.addItems({QString(), QStringLiteral("ABC"), QStringLiteral("汉族"), QStringLiteral("abc")});
    DataModule::SelectItemText(QStringLiteral("abc "), &box);
    QCOMPARE(box.currentIndex(), 3); // the last equal item stays selected
    DataModule::SelectItemText(QStringLiteral("汉族"), &box);
    QCOMPARE(box.currentIndex(), 2);
    QVERIFY(!box.isEditable());
    DataModule::SelectItemText(QStringLiteral("不在列表"), &box);
    QVERIFY(box.isEditable());
    QCOMPARE(box.currentText(), QStringLiteral("不在列表"));
}

void TestDataServices::nextCode_data()
{
    QTest::addColumn<QString>("highest");
    QTest::addColumn<QString>("next");
    QTest::newRow("no rows") << QString() << "00000001";
    QTest::newRow("plain") << "00000025" << "00000026";
    QTest::newRow("head kept") << "A00000099" << "A00000100";
    QTest::newRow("wraps") << "99999999" << "00000000";
    QTest::newRow("carry into thousands") << "00000999" << "00001000";
    QTest::newRow("short code") << "7" << "8";
}

void TestDataServices::nextCode()
{
    QFETCH(QString, highest);
    QFETCH(QString, next);
    QCOMPARE(DataModule::NextCodeAfter(highest, 8), next);
}

void TestDataServices::nextCodeFailsOnBadTail_data()
{
    QTest::addColumn<QString>("highest");
    QTest::newRow("letters in tail") << "0000ABCD";
    QTest::newRow("sign in tail") << "-0000001";
}

void TestDataServices::nextCodeFailsOnBadTail()
{
    QFETCH(QString, highest);
    QVERIFY_THROWS_EXCEPTION(DataError, DataModule::NextCodeAfter(highest, 8));
}

void TestDataServices::nextCodeFromTable()
{
    QCOMPARE(DataModule::NextCode(QStringLiteral("select max(F_code) from ZuZav "), 8), QStringLiteral("00000001"));
    DataModule::ExecSql(QStringLiteral("insert into ZuZav(F_Code,F_Name) values('00000009','a'),('00000010','b')"));
    QCOMPARE(DataModule::NextCode(QStringLiteral("select max(F_code) from ZuZav "), 8), QStringLiteral("00000011"));
}

void TestDataServices::moneyFormat_data()
{
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("format");
    QTest::newRow("kind 1, 2") << 2 << 1 << "0.##";
    QTest::newRow("kind 1, 3") << 3 << 1 << "0.###";
    QTest::newRow("kind 3, 0") << 0 << 3 << "￥,0.";
    QTest::newRow("kind 3, 2") << 2 << 3 << "￥,0.00";
    QTest::newRow("kind 2, 4") << 4 << 2 << "￥,0.00##";
    QTest::newRow("kind 3, 1") << 1 << 3 << "￥,0.0";
    QTest::newRow("other kind") << 2 << 0 << "";
}

void TestDataServices::moneyFormat()
{
    QFETCH(int, decimals);
    QFETCH(int, kind);
    QFETCH(QString, format);
    QCOMPARE(DataModule::MoneyFormat(decimals, kind), format);
}

void TestDataServices::writeLog()
{
    Run::CurrentOperator = QStringLiteral("张三");
    DataModule::WriteLog(QStringLiteral("登录失败！"));
    QSqlQuery q;
    QVERIFY(Database::exec(q, QStringLiteral("select F_EmpName, F_OperType, F_OperDate, F_OperTime from LogRec")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("张三"));
    QCOMPARE(q.value(1).toString(), QStringLiteral("登录失败！"));
    QCOMPARE(q.value(2).toString(), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(q.value(3).toString()).hasMatch());
    Run::CurrentOperator.clear();
    q.finish();

    // a log that cannot be written is lost silently
    QVERIFY(DataModule::ExecSql(QStringLiteral("drop table LogRec")));
    MessageRecorder rec;
    DataModule::WriteLog(QStringLiteral("x"));
    QVERIFY(rec.messages.isEmpty());
}

void TestDataServices::deleteRecord()
{
    DataModule::ExecSql(QStringLiteral("insert into t_code(F_type,F_name) values('d','x')"));
    const int id = DataModule::QueryInteger(QStringLiteral("select F_ID from t_code where F_type='d'"));
    QVERIFY(id > 0);
    QVERIFY(DataModule::DeleteRecord(QStringLiteral("t_code"), id));
    QCOMPARE(DataModule::QueryInteger(QStringLiteral("select count(*) from t_code where F_type='d'")), 0);
}

void TestDataServices::fillTypeTree()
{
    QTreeWidget tree;
    tree.addTopLevelItem(new QTreeWidgetItem(QStringList{QStringLiteral("旧")}));
    DataModule::ExecSql(QStringLiteral("delete from t_code where F_type = 'hktype'"));
    DataModule::FillTypeTree(&tree);
    QCOMPARE(tree.topLevelItemCount(), 1); // no types: unchanged
    DataModule::ExecSql(QStringLiteral("insert into t_code(F_type,F_name) values('hktype','城镇'),('HKTYPE',''),('hktype','农村')"));
    DataModule::FillTypeTree(&tree);
    QCOMPARE(tree.topLevelItemCount(), 4);
    QCOMPARE(tree.topLevelItem(0)->text(0), QStringLiteral("全部"));
    QCOMPARE(tree.topLevelItem(1)->text(0), QStringLiteral("城镇"));
    QCOMPARE(tree.topLevelItem(2)->text(0), QString());
    QCOMPARE(tree.topLevelItem(3)->text(0), QStringLiteral("农村"));
}

void TestDataServices::hasPermission()
{
    DataModule::ExecSql(QStringLiteral("insert into Limits(F_name,F_code,F_flag) values('测试权限','999',1)"));
    DataModule::ExecSql(QStringLiteral("insert into OperLimit(F_OperName,F_lmtName) values('王五','测试权限')"));
    Run::CurrentOperator = QStringLiteral("王五");
    QVERIFY(DataModule::HasPermission(QStringLiteral("999")));
    QVERIFY(!DataModule::HasPermission(QStringLiteral("998")));
    Run::CurrentOperator = QStringLiteral("王五' or '1'='1");
    QVERIFY(!DataModule::HasPermission(QStringLiteral("999")));
    Run::CurrentOperator.clear();
}

void TestDataServices::transactionRollsBack()
{
    {
        Transaction t;
        QVERIFY(t.ok());
        DataModule::ExecSql(QStringLiteral("insert into t_code(F_type,F_name) values('tx','1')"));
        {
            Transaction inner;
            DataModule::ExecSql(QStringLiteral("insert into t_code(F_type,F_name) values('tx','2')"));
            // inner not committed: its row goes, the outer one stays
        }
        QCOMPARE(DataModule::QueryInteger(QStringLiteral("select count(*) from t_code where F_type='tx'")), 1);
        // outer not committed either
    }
    QCOMPARE(DataModule::QueryInteger(QStringLiteral("select count(*) from t_code where F_type='tx'")), 0);
    {
        Transaction t;
        DataModule::ExecSql(QStringLiteral("insert into t_code(F_type,F_name) values('tx','3')"));
        QVERIFY(t.commit());
    }
    QCOMPARE(DataModule::QueryInteger(QStringLiteral("select count(*) from t_code where F_type='tx'")), 1);
}

void TestDataServices::autoBackup()
{
    MessageRecorder rec;
    const QString folder = m_home->folder() + QStringLiteral("bak");
    QDir().mkpath(folder);
    DataModule::ExecSql(QStringLiteral("update SysInfo set F_BakPath = ?"), QVariantList{folder});
    DataModule::ExecSql(QStringLiteral("insert into ZuZav(F_Code,F_Name) values('00000001','李四')"));
    DataModule::AutoBackup();
    const QString target = folder + QLatin1Char('/') + DataModule::backupFileName(QDate::currentDate());
    QVERIFY(QFile::exists(target));
    QVERIFY(rec.messages.isEmpty());
    QCOMPARE(DataModule::backupFileName(QDate(2024, 1, 31)), QStringLiteral("dp20240131.back"));
    // the copy is a sound database with the live content
    QVERIFY(Database::isValidFile(target));

    // a second run the same day leaves that day's file alone
    const QDateTime stamp = QFileInfo(target).lastModified();
    QFile f(target);
    QVERIFY(f.open(QIODevice::ReadWrite));
    const qint64 size = f.size();
    f.close();
    DataModule::ExecSql(QStringLiteral("insert into ZuZav(F_Code,F_Name) values('00000002','王五')"));
    DataModule::AutoBackup();
    QCOMPARE(QFileInfo(target).size(), size);
    QCOMPARE(QFileInfo(target).lastModified(), stamp);
}

void TestDataServices::autoBackupFolderCreation()
{
    MessageRecorder rec;
    const QString folder = m_home->folder() + QStringLiteral("new/deep/bak");
    DataModule::ExecSql(QStringLiteral("update SysInfo set F_BakPath = ?"), QVariantList{folder});
    DataModule::AutoBackup();
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("当前目录") + folder + QStringLiteral(" 不存在，是否创建！")});
    QVERIFY(QFile::exists(folder + QLatin1Char('/') + DataModule::backupFileName(QDate::currentDate())));
}

void TestDataServices::autoBackupFolderRefused()
{
    MessageRecorder rec;
    // a plain file where the folder should be: creation fails
    const QString blocker = m_home->folder() + QStringLiteral("blocker");
    QFile f(blocker);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    const QString folder = blocker + QStringLiteral("/bak");
    DataModule::ExecSql(QStringLiteral("update SysInfo set F_BakPath = ?"), QVariantList{folder});
    DataModule::AutoBackup();
    QCOMPARE(rec.texts(), (QStringList{QStringLiteral("当前目录") + folder + QStringLiteral(" 不存在，是否创建！"),
                                       QStringLiteral("目录") + folder + QStringLiteral(" 创建失败,请检测路径是否合法!")}));

    // Cancel ends silently
    rec.clear();
    rec.answers = {MessCancel};
    DataModule::AutoBackup();
    QCOMPARE(rec.messages.size(), 1);
}

QTEST_MAIN(TestDataServices)
#include "tst_dataservices.moc"
