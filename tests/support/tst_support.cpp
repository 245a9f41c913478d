#include "TestSupport.h"
#include "support/Compact.h"
#include "support/FileDialogs.h"
#include "support/Messages.h"
#include "support/Passwords.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <sqlite3.h>

class TestSupportLayer : public QObject
{
    Q_OBJECT
private slots:
    void passwordRoundTrip_data();
    void passwordRoundTrip();
    void storedFormHidesPassword();
    void emptyStoredValueIsEmptyPassword();
    void messageBoxButtons_data();
    void messageBoxButtons();
    void responderAnswers();
    void fileDialogResponder();
    void compactDatabase();
};

void TestSupportLayer::passwordRoundTrip_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("attempt");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("empty") << "" << "" << true;
    QTest::newRow("empty refuses text") << "" << "x" << false;
    QTest::newRow("exact") << "s3cret" << "s3cret" << true;
    QTest::newRow("case matters") << "s3cret" << "S3cret" << false;
    QTest::newRow("blank matters") << "abc" << "abc " << false;
    QTest::newRow("chinese") << "户口管理2024" << "户口管理2024" << true;
    QTest::newRow("quote") << "a'b\"c" << "a'b\"c" << true;
}

void TestSupportLayer::passwordRoundTrip()
{
    QFETCH(QString, password);
    QFETCH(QString, attempt);
    QFETCH(bool, accepted);
    const QString stored = SavePass(password);
    QVERIFY(!stored.isEmpty());
    QVERIFY(stored.size() <= 255);
    QCOMPARE(CheckPass(stored, attempt), accepted);
}

void TestSupportLayer::storedFormHidesPassword()
{
    const QString a = SavePass(QStringLiteral("letmein"));
    const QString b = SavePass(QStringLiteral("letmein"));
    QVERIFY(a != b); // salted
    QVERIFY(!a.contains(QStringLiteral("letmein")));
    QVERIFY(a.startsWith(QStringLiteral("$argon2id$")));
}

void TestSupportLayer::emptyStoredValueIsEmptyPassword()
{
    QVERIFY(CheckPass(QString(), QString()));
    QVERIFY(!CheckPass(QString(), QStringLiteral("x")));
    QVERIFY(!CheckPass(QStringLiteral("garbage"), QStringLiteral("garbage")));
}

void TestSupportLayer::messageBoxButtons_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<int>("icon");
    QTest::newRow("information") << int(MessInfo) << QStringList{QStringLiteral("确定")} << int(QMessageBox::Information);
    QTest::newRow("question") << int(MessQuestion) << QStringList{QStringLiteral("确定"), QStringLiteral("取消")}
                              << int(QMessageBox::Question);
    QTest::newRow("warning") << int(MessWarning) << QStringList{QStringLiteral("确定")} << int(QMessageBox::Warning);
    QTest::newRow("error") << int(MessError) << QStringList{QStringLiteral("确定")} << int(QMessageBox::Critical);
}

void TestSupportLayer::messageBoxButtons()
{
    QFETCH(int, kind);
    QFETCH(QStringList, buttons);
    QFETCH(int, icon);
    resetMessResponder();
    QStringList seen;
    int seenIcon = -1;
    QString seenText;
    // the real box: read it, then press its last button (Cancel for a question)
    QTimer::singleShot(50, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        for (QAbstractButton *b : box->buttons())
            seen << b->text();
        seenIcon = box->icon();
        seenText = box->text();
        box->buttons().constLast()->click();
    });
    const int r = ShowMess(QStringLiteral("第一行\\r第二行"), kind);
    std::sort(seen.begin(), seen.end());
    std::sort(buttons.begin(), buttons.end());
    QCOMPARE(seen, buttons);
    QCOMPARE(seenIcon, icon);
    QCOMPARE(seenText, QStringLiteral("第一行\n第二行"));
    QCOMPARE(r, kind == MessQuestion ? int(MessCancel) : int(MessOk));
}

void TestSupportLayer::responderAnswers()
{
    MessageRecorder rec;
    rec.answers = {MessCancel};
    QCOMPARE(ShowMess(QStringLiteral("删除吗？"), MessQuestion), int(MessCancel));
    QCOMPARE(ShowMess(QStringLiteral("再删？"), MessQuestion), int(MessOk));
    QCOMPARE(rec.texts(), (QStringList{QStringLiteral("删除吗？"), QStringLiteral("再删？")}));
}

void TestSupportLayer::fileDialogResponder()
{
    FileDialogAnswers answers;
    answers.answers = {QStringLiteral("/tmp/a.db")};
    QCOMPARE(chooseOpenFile(nullptr, QStringLiteral("连接网络数据库"), QStringLiteral("/tmp"), QString()), QStringLiteral("/tmp/a.db"));
    QCOMPARE(chooseDirectory(nullptr, QStringLiteral("备份"), QStringLiteral("/tmp")), QString());
    QCOMPARE(answers.titles, (QStringList{QStringLiteral("连接网络数据库"), QStringLiteral("备份")}));
}

void TestSupportLayer::compactDatabase()
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/x.db");
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_exec(db, "create table t(x); with recursive c(i) as (select 1 union all select i+1 from c where i<20000) "
                     "insert into t select randomblob(100) from c; delete from t;",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    const qint64 before = QFileInfo(path).size();
    QVERIFY(CompactDatabase(path));
    QVERIFY(QFileInfo(path).size() < before / 4);
    QVERIFY(!CompactDatabase(dir.path() + QStringLiteral("/missing.db")));
    QFile junk(dir.path() + QStringLiteral("/junk.db"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a database at all, not at all, not at all");
    junk.close();
    QVERIFY(!CompactDatabase(junk.fileName()));
}

QTEST_MAIN(TestSupportLayer)
#include "tst_support.moc"
