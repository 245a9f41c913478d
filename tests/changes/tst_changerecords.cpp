#include "TestSupport.h"
#include "data/DataModule.h"
#include "data/Database.h"
#include "data/RunValues.h"
#include "grid/DataGrid.h"
#include "grid/SqlRowModel.h"
#include "residents/ChangeRecordStore.h"
#include "residents/PersonSummary.h"
#include "residents/TfrmHKbiangeEdit.h"
#include "support/Messages.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QToolBar>
#include <QtTest>

// A person and the change-record grid of the main window, as the editor sees them.
class ChangeFixture
{
public:
    ChangeFixture()
    {
        DataModule::ExecSql(QStringLiteral("insert into ZuZav(F_mainID,F_Code,F_Name,F_HKtype,F_LDcode,F_HScode,F_CSdate,F_memo1) "
                                           "values(7,'00000007','王小红','城镇','3栋','201','1990-05-06','备注''一')"));
        model.setQuery(QStringLiteral("select * from t_BGrec where F_mainID = ?"), QVariantList{7});
        grid.setRowModel(&model);
        GridColumn date;
        date.fieldName = QStringLiteral("F_date");
        date.caption = QStringLiteral("变更日期");
        GridColumn type;
        type.fieldName = QStringLiteral("F_BGtype");
        type.caption = QStringLiteral("变更类型");
        grid.setColumns({date, type});
        person = [](const QString &field) {
            return DataModule::QueryText(QStringLiteral("select %1 from ZuZav where F_mainID = 7").arg(field));
        };
    }
    qint64 add(const QString &date, const QString &type)
    {
        ChangeRecord r;
        r.mainId = 7;
        r.date = date;
        r.type = type;
        return ChangeRecordStore::save(r);
    }
    SqlRowModel model;
    DataGrid grid;
    PersonValue person;
};

class TestChangeRecords : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_home = std::make_unique<TestHome>();
        Run::CurrentOperator = QStringLiteral("李干事");
    }
    void cleanup()
    {
        m_home.reset();
        Run::CurrentOperator.clear();
    }

    void summary_data();
    void summary();
    void addWithContinuousEntry();
    void emptyRecordSaves();
    void editKeepsEntryTimeAndPerson();
    void navigatorWalksTheList();
    void failedSaveKeepsForm();
    void overlongTypeRefused();
    void textRoundTrips();

private:
    template<typename T> static T *child(QWidget &w, const char *name) { return w.findChild<T *>(QString::fromLatin1(name)); }
    std::unique_ptr<TestHome> m_home;
};

void TestChangeRecords::summary_data()
{
    QTest::addColumn<QString>("birth");
    QTest::addColumn<bool>("hasBirthLine");
    QTest::newRow("birth date") << "1990-05-06" << true;
    QTest::newRow("null date") << "1900-08-14" << false;
    QTest::newRow("boundary shown") << "1901-08-14" << true;
    QTest::newRow("none") << "" << false;
}

void TestChangeRecords::summary()
{
    QFETCH(QString, birth);
    QFETCH(bool, hasBirthLine);
    const QString text = PersonSummaryText([&](const QString &f) -> QVariant {
        if (f == QLatin1String("F_csDate"))
            return birth;
        if (f == QLatin1String("F_name"))
            return QStringLiteral("王小红");
        return QString();
    });
    const QStringList lines = text.split(QLatin1Char('\n'));
    QCOMPARE(lines.first(), QString());
    QCOMPARE(lines.at(2), QStringLiteral("  户口名称:王小红"));
    QCOMPARE(lines.size(), hasBirthLine ? 15 : 14);
    QCOMPARE(text.contains(QStringLiteral("  出生日期:") + birth), hasBirthLine);
    QCOMPARE(lines.last(), QStringLiteral("  备    注:"));
}

void TestChangeRecords::addWithContinuousEntry()
{
    ChangeFixture fx;
    TfrmHKbiangeEdit dlg(&fx.grid, fx.person);
    QTimer::singleShot(0, [&] {
        QCOMPARE(dlg.windowTitle(), QStringLiteral("户口项目变更 - 新增"));
        QVERIFY(child<QPlainTextEdit>(dlg, "Memo1")->toPlainText().contains(QStringLiteral("王小红")));
        QCOMPARE(child<QComboBox>(dlg, "cbbEmpName")->currentText(), QStringLiteral("李干事"));
        QVERIFY(!child<QToolBar>(dlg, "navBar")->isVisible());
        QVERIFY(child<QCheckBox>(dlg, "cbContinue")->isChecked());
        child<QDateEdit>(dlg, "dtpDate")->setDate(QDate(2024, 3, 1));
        child<QComboBox>(dlg, "cbbBGtype")->setEditText(QStringLiteral(" 迁入 "));
        child<QPlainTextEdit>(dlg, "Memo2")->setPlainText(QStringLiteral("原：无"));
        child<QPlainTextEdit>(dlg, "Memo3")->setPlainText(QStringLiteral("现：3栋201"));
        QTest::keyClick(&dlg, Qt::Key_S, Qt::ControlModifier);
        // continuous entry: the form is empty again and still open
        QVERIFY(dlg.isVisible());
        QCOMPARE(child<QPlainTextEdit>(dlg, "Memo2")->toPlainText(), QString());
        child<QComboBox>(dlg, "cbbBGtype")->setEditText(QStringLiteral("变更住址"));
        child<QCheckBox>(dlg, "cbContinue")->setChecked(false);
        QTest::mouseClick(child<QPushButton>(dlg, "btnOk"), Qt::LeftButton);
    });
    QCOMPARE(dlg.ShowEditor(0), int(QDialog::Accepted));
    QSqlQuery q;
    QVERIFY(Database::exec(q, QStringLiteral("select F_mainID,F_Date,F_BGtype,F_Memo1,F_Memo2,F_EmpName,F_editDate from t_BGrec order by F_ID")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 7);
    QCOMPARE(q.value(1).toString(), QStringLiteral("2024-03-01"));
    QCOMPARE(q.value(2).toString(), QStringLiteral("迁入"));
    QCOMPARE(q.value(3).toString(), QStringLiteral("原：无"));
    QCOMPARE(q.value(4).toString(), QStringLiteral("现：3栋201"));
    QCOMPARE(q.value(5).toString(), QStringLiteral("李干事"));
    QVERIFY(QDateTime::fromString(q.value(6).toString(), QStringLiteral("yyyy-MM-dd hh:mm:ss")).isValid());
    QVERIFY(q.next());
    QCOMPARE(q.value(2).toString(), QStringLiteral("变更住址"));
    // the list was reopened on the last row
    QCOMPARE(fx.model.rowCount(), 2);
    QCOMPARE(fx.grid.currentRow(), 1);
    // a handler typed by hand is not added to the code list
    QCOMPARE(DataModule::QueryInteger(QStringLiteral("select count(*) from t_code where F_type='empname' and F_name='李干事'")), 0);
}

void TestChangeRecords::emptyRecordSaves()
{
    ChangeFixture fx;
    Run::CurrentOperator.clear();
    TfrmHKbiangeEdit dlg(&fx.grid, fx.person);
    QTimer::singleShot(0, [&] {
        child<QCheckBox>(dlg, "cbContinue")->setChecked(false);
        QTest::mouseClick(child<QPushButton>(dlg, "btnOk"), Qt::LeftButton);
    });
    QCOMPARE(dlg.ShowEditor(0), int(QDialog::Accepted));
    QCOMPARE(DataModule::QueryInteger(QStringLiteral("select count(*) from t_BGrec where F_mainID = 7 and F_BGtype = ''")), 1);
}

void TestChangeRecords::editKeepsEntryTimeAndPerson()
{
    ChangeFixture fx;
    const qint64 id = fx.add(QStringLiteral("2020-01-01"), QStringLiteral("出生"));
    DataModule::ExecSql(QStringLiteral("update t_BGrec set F_editDate = '2020-01-02 08:00:00' where F_ID = ?"), QVariantList{id});
    fx.grid.refresh();
    fx.grid.setCurrentRow(0);
    TfrmHKbiangeEdit dlg(&fx.grid, fx.person);
    QTimer::singleShot(0, [&] {
        QCOMPARE(dlg.windowTitle(), QStringLiteral("户口项目变更 - 修改"));
        QVERIFY(!child<QCheckBox>(dlg, "cbContinue")->isVisible());
        QCOMPARE(child<QComboBox>(dlg, "cbbBGtype")->currentText(), QStringLiteral("出生"));
        QCOMPARE(child<QLineEdit>(dlg, "edtEditDate")->text(), QStringLiteral("2020-01-02 08:00:00"));
        child<QComboBox>(dlg, "cbbBGtype")->setEditText(QStringLiteral("出生登记"));
        QTest::mouseClick(child<QPushButton>(dlg, "btnOk"), Qt::LeftButton);
    });
    QCOMPARE(dlg.ShowEditor(1), int(QDialog::Accepted));
    QSqlQuery q;
    QVERIFY(Database::exec(q, QStringLiteral("select F_BGtype, F_editDate, F_mainID, count(*) from t_BGrec")) && q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("出生登记"));
    QCOMPARE(q.value(1).toString(), QStringLiteral("2020-01-02 08:00:00"));
    QCOMPARE(q.value(2).toInt(), 7);
    QCOMPARE(q.value(3).toInt(), 1);
}

void TestChangeRecords::navigatorWalksTheList()
{
    ChangeFixture fx;
    fx.add(QStringLiteral("2020-01-01"), QStringLiteral("一"));
    fx.add(QStringLiteral("2021-01-01"), QStringLiteral("二"));
    fx.add(QStringLiteral("2022-01-01"), QStringLiteral("三"));
    fx.grid.refresh();
    fx.grid.setCurrentRow(0);
    TfrmHKbiangeEdit dlg(&fx.grid, fx.person);
    QTimer::singleShot(0, [&] {
        auto type = [&] { return child<QComboBox>(dlg, "cbbBGtype")->currentText(); };
        QCOMPARE(type(), QStringLiteral("一"));
        child<QAction>(dlg, "tbNext")->trigger();
        QCOMPARE(type(), QStringLiteral("二"));
        child<QAction>(dlg, "tbLast")->trigger();
        QCOMPARE(type(), QStringLiteral("三"));
        child<QAction>(dlg, "tbNext")->trigger();
        QCOMPARE(type(), QStringLiteral("三"));
        child<QAction>(dlg, "tbPrior")->trigger();
        QCOMPARE(type(), QStringLiteral("二"));
        child<QAction>(dlg, "tbFirst")->trigger();
        QCOMPARE(type(), QStringLiteral("一"));
        QTest::keyClick(&dlg, Qt::Key_Escape);
    });
    QCOMPARE(dlg.ShowEditor(1), int(QDialog::Rejected));
}

void TestChangeRecords::failedSaveKeepsForm()
{
    ChangeFixture fx;
    DataModule::ExecSql(QStringLiteral("create trigger no_insert before insert on t_BGrec begin select raise(abort, 'locked'); end"));
    MessageRecorder rec;
    TfrmHKbiangeEdit dlg(&fx.grid, fx.person);
    QTimer::singleShot(0, [&] {
        child<QPlainTextEdit>(dlg, "Memo3")->setPlainText(QStringLiteral("保留的内容"));
        child<QCheckBox>(dlg, "cbContinue")->setChecked(false);
        QTest::mouseClick(child<QPushButton>(dlg, "btnOk"), Qt::LeftButton);
        QVERIFY(dlg.isVisible());
        QCOMPARE(child<QPlainTextEdit>(dlg, "Memo3")->toPlainText(), QStringLiteral("保留的内容"));
        dlg.reject();
    });
    dlg.ShowEditor(0);
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("保存失败，请检测数据库连接！")});
    QCOMPARE(DataModule::QueryInteger(QStringLiteral("select count(*) from t_BGrec")), 0);
}

void TestChangeRecords::overlongTypeRefused()
{
    ChangeRecord r;
    r.mainId = 7;
    r.type = QString(256, QLatin1Char('x'));
    QString error;
    QCOMPARE(ChangeRecordStore::save(r, &error), 0);
    QVERIFY(error.contains(QStringLiteral("变更类型")));
    r.type = QString(255, QLatin1Char('x'));
    QVERIFY(ChangeRecordStore::save(r, &error) > 0);
}

void TestChangeRecords::textRoundTrips()
{
    ChangeRecord r;
    r.mainId = 7;
    r.type = QStringLiteral("it's 100%_😀");
    r.before = QStringLiteral("line1\nline2 ' \" %");
    const qint64 id = ChangeRecordStore::save(r);
    ChangeRecord back;
    QVERIFY(ChangeRecordStore::load(id, &back));
    QCOMPARE(back.type, r.type);
    QCOMPARE(back.before, r.before);
}

QTEST_MAIN(TestChangeRecords)
#include "tst_changerecords.moc"
