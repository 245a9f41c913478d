#include "TestSupport.h"
#include "app/AppPaths.h"
#include "app/IniFile.h"
#include "auth/LoginDialog.h"
#include "auth/Permissions.h"
#include "data/DataModule.h"
#include "data/RunValues.h"
#include "mainwin/TFrmMain.h"
#include "support/Messages.h"
#include "support/Passwords.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

class TestLogin : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void adminWithEmptyPassword_data();
    void adminWithEmptyPassword();
    void namesTheDialogRefusesWithoutCounting_data();
    void namesTheDialogRefusesWithoutCounting();
    void fourWrongPasswordsAtStartUp();
    void fourWrongPasswordsWhenChanging();
    void cancelByMode();
    void rememberedNameIsPreset();
    void sessionLoadsRunWideValues();
    void operatorSeesOnlyGrantedMenus();
    void grant201ShowsBothNewCommands();
    void changingOperatorReplacesRights();
    void enterMovesOn();

private:
    void addOperator(const QString &name, const QString &password, const QStringList &codes);
    static void type(LoginDialog &dlg, const QString &name, const QString &password)
    {
        dlg.findChild<QComboBox *>(QStringLiteral("cbbOperName"))->setEditText(name);
        dlg.findChild<QLineEdit *>(QStringLiteral("edtPassWord"))->setText(password);
    }
    static void clickOk(LoginDialog &dlg) { QTest::mouseClick(dlg.findChild<QPushButton *>(QStringLiteral("btnOk")), Qt::LeftButton); }
    static bool visible(TFrmMain &m, const char *name) { return m.action(QString::fromLatin1(name))->isVisible(); }
    static bool menuVisible(TFrmMain &m, const char *name)
    {
        return m.findChild<QMenu *>(QString::fromLatin1(name))->menuAction()->isVisible();
    }
    int logRows(const QString &what)
    {
        return DataModule::QueryInteger(QStringLiteral("select count(*) from LogRec where F_OperType = ?"), QVariantList{what});
    }

    std::unique_ptr<TestHome> m_home;
};

void TestLogin::init()
{
    m_home = std::make_unique<TestHome>();
    Run::CurrentOperator.clear();
}

void TestLogin::cleanup()
{
    m_home.reset();
}

void TestLogin::addOperator(const QString &name, const QString &password, const QStringList &codes)
{
    QVERIFY(DataModule::ExecSql(QStringLiteral("insert into OperList(F_Name, F_PassWord) values(?, ?)"),
                                QVariantList{name, SavePass(password)}));
    for (const QString &code : codes)
        QVERIFY(DataModule::ExecSql(QStringLiteral("insert into OperLimit(F_OperName, F_lmtName) "
                                                   "select ?, F_name from Limits where F_code = ?"),
                                    QVariantList{name, code}));
}

void TestLogin::adminWithEmptyPassword_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("admin") << "admin";
    QTest::newRow("capitals") << "ADMIN";
    QTest::newRow("mixed") << "Admin";
    QTest::newRow("blanks") << "  admin ";
}

void TestLogin::adminWithEmptyPassword()
{
    QFETCH(QString, typed);
    MessageRecorder rec;
    TFrmMain main;
    LoginDialog dlg(LoginDialog::FirstLogin, &main);
    QVERIFY(dlg.findChild<QLineEdit *>(QStringLiteral("edtPassWord"))->echoMode() == QLineEdit::Password);
    type(dlg, typed, QString());
    clickOk(dlg);
    QCOMPARE(dlg.outcome(), LoginDialog::LoggedIn);
    QVERIFY(rec.messages.isEmpty());
    QCOMPARE(Run::CurrentOperator, typed.trimmed());
    // the status bar shows the name as typed until the first show
    QCOMPARE(main.statusPanel(1), typed);
    for (const Permissions::Entry &e : Permissions::catalogue())
        QVERIFY2(main.action(QStringLiteral("Action") + e.code)->isVisible(), qPrintable(e.code));
    QCOMPARE(IniFile(AppPaths::configFile()).readString(QStringLiteral("Config"), QStringLiteral("CurOperName")), typed.trimmed());
}

void TestLogin::namesTheDialogRefusesWithoutCounting_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << "   " << QStringLiteral("请选择用户！");
    QTest::newRow("unknown") << "nobody" << QStringLiteral("此操作员并不存在，请重新选择操作员！");
    QTest::newRow("quote") << "x' or '1'='1" << QStringLiteral("此操作员并不存在，请重新选择操作员！");
}

void TestLogin::namesTheDialogRefusesWithoutCounting()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    MessageRecorder rec;
    TFrmMain main;
    LoginDialog dlg(LoginDialog::FirstLogin, &main);
    for (int i = 0; i < 5; ++i) {
        type(dlg, name, QStringLiteral("pw"));
        clickOk(dlg);
    }
    QCOMPARE(rec.texts(), QStringList(5, message));
    QCOMPARE(dlg.failCount(), 0);
    QCOMPARE(dlg.outcome(), LoginDialog::Cancelled); // still open, nothing decided
    QCOMPARE(int(rec.messages.first().kind), int(MessInfo));
}

void TestLogin::fourWrongPasswordsAtStartUp()
{
    addOperator(QStringLiteral("clerk"), QStringLiteral("right"), {});
    MessageRecorder rec;
    TFrmMain main;
    LoginDialog dlg(LoginDialog::FirstLogin, &main);
    for (int i = 0; i < 4; ++i) {
        type(dlg, QStringLiteral("clerk"), QStringLiteral("wrong"));
        clickOk(dlg);
    }
    const QString wrong = QStringLiteral("用户名或密码不正确，请重新输入！");
    QCOMPARE(rec.texts(), (QStringList{wrong, wrong, wrong, QStringLiteral("非法操作员!")}));
    QCOMPARE(rec.messages.last().kind, int(MessError));
    QCOMPARE(dlg.outcome(), LoginDialog::Terminate);
    QCOMPARE(logRows(QStringLiteral("登录失败！")), 1);
    QCOMPARE(DataModule::QueryText(QStringLiteral("select F_EmpName from LogRec")), QString());
    QVERIFY(Run::CurrentOperator.isEmpty());
}

void TestLogin::fourWrongPasswordsWhenChanging()
{
    addOperator(QStringLiteral("clerk"), QStringLiteral("right"), {QStringLiteral("101")});
    MessageRecorder rec;
    TFrmMain main;
    StartSession(QStringLiteral("admin"), &main);
    LoginDialog dlg(LoginDialog::ChangeOperator, &main);
    for (int i = 0; i < 4; ++i) {
        type(dlg, QStringLiteral("clerk"), QStringLiteral("Right"));
        clickOk(dlg);
    }
    QCOMPARE(rec.texts().last(), QStringLiteral("更换操作员失败!"));
    QCOMPARE(dlg.outcome(), LoginDialog::Cancelled);
    QCOMPARE(logRows(QStringLiteral("更换操作员失败！")), 1);
    // the log names the operator still in charge
    QCOMPARE(DataModule::QueryText(QStringLiteral("select F_EmpName from LogRec")), QStringLiteral("admin"));
    QCOMPARE(Run::CurrentOperator, QStringLiteral("admin"));
    QVERIFY(visible(main, "Action503"));

    // the right password on the third try still logs in
    rec.clear();
    LoginDialog again(LoginDialog::ChangeOperator, &main);
    for (const QString &pw : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("right")}) {
        type(again, QStringLiteral("CLERK"), pw);
        clickOk(again);
    }
    QCOMPARE(again.outcome(), LoginDialog::LoggedIn);
    QCOMPARE(Run::CurrentOperator, QStringLiteral("CLERK"));
}

void TestLogin::cancelByMode()
{
    TFrmMain main;
    LoginDialog first(LoginDialog::FirstLogin, &main);
    QTest::mouseClick(first.findChild<QPushButton *>(QStringLiteral("btnCancel")), Qt::LeftButton);
    QCOMPARE(first.outcome(), LoginDialog::Terminate);

    LoginDialog change(LoginDialog::ChangeOperator, &main);
    QTest::mouseClick(change.findChild<QPushButton *>(QStringLiteral("btnCancel")), Qt::LeftButton);
    QCOMPARE(change.outcome(), LoginDialog::Cancelled);

    // the close box and Alt+F4 do nothing
    LoginDialog noClose(LoginDialog::FirstLogin, &main);
    noClose.show();
    QVERIFY(!noClose.close());
    QVERIFY(noClose.isVisible());
    QTest::keyClick(&noClose, Qt::Key_Escape);
    QVERIFY(noClose.isVisible());
}

void TestLogin::rememberedNameIsPreset()
{
    addOperator(QStringLiteral("王芳"), QString(), {});
    appConfig().writeString(QStringLiteral("Config"), QStringLiteral("CurOperName"), QStringLiteral("王芳"));
    TFrmMain main;
    LoginDialog dlg(LoginDialog::FirstLogin, &main);
    auto *box = dlg.findChild<QComboBox *>(QStringLiteral("cbbOperName"));
    QCOMPARE(box->currentText(), QStringLiteral("王芳"));
    QCOMPARE(box->itemText(0), QString());
    QVERIFY(box->findText(QStringLiteral("admin")) > 0);
    QVERIFY(box->findText(QStringLiteral("王芳")) > 0);
}

void TestLogin::sessionLoadsRunWideValues()
{
    DataModule::ExecSql(QStringLiteral("update KeyValue set F_Value = '4' where F_flag = 1 and F_ID = (select max(F_ID) from KeyValue where F_flag = 1)"));
    DataModule::ExecSql(QStringLiteral("update KeyValue set F_Value = '身高备注' where F_flag = 1 and F_ID = (select min(F_ID) from KeyValue where F_flag = 1)"));
    DataModule::ExecSql(QStringLiteral("update SysInfo set F_ZDhkcode = 0"));
    StartSession(QStringLiteral(" admin "), nullptr);
    QCOMPARE(Run::CurrentOperator, QStringLiteral("admin"));
    QCOMPARE(Run::AutoNumbering, false);
    QCOMPARE(Run::CustomValues[1], QStringLiteral("身高备注"));
    QCOMPARE(Run::CustomValues[12], QStringLiteral("4"));
    QCOMPARE(Run::AmountFormat, QStringLiteral("￥,0.00##"));

    // a decimals slot that is not a number falls back to two places
    DataModule::ExecSql(QStringLiteral("update KeyValue set F_Value = 'x' where F_flag = 1 and F_ID = (select max(F_ID) from KeyValue where F_flag = 1)"));
    DataModule::ExecSql(QStringLiteral("update SysInfo set F_ZDhkcode = 1"));
    StartSession(QStringLiteral("admin"), nullptr);
    QCOMPARE(Run::AmountFormat, QStringLiteral("￥,0.00"));
    QCOMPARE(Run::AutoNumbering, true);
}

void TestLogin::operatorSeesOnlyGrantedMenus()
{
    addOperator(QStringLiteral("nogrant"), QString(), {});
    TFrmMain main;
    StartSession(QStringLiteral("nogrant"), &main);
    for (const char *menu : {"mi100", "mi200", "mi300", "mi400", "mi500"})
        QVERIFY2(!menuVisible(main, menu), menu);
    for (const char *menu : {"N9", "N45", "nFz"})
        QVERIFY2(menuVisible(main, menu), menu);
    for (const char *a : {"Action901", "Action906", "Action31", "Action505"})
        QVERIFY2(!visible(main, a), a);
    // ungated toolbar buttons stay
    QVERIFY(visible(main, "tbRelogin"));
    QVERIFY(visible(main, "tbClose"));
    // a hidden action does nothing even when triggered
    MessageRecorder rec;
    main.action(QStringLiteral("Action502"))->trigger();
    QVERIFY(rec.messages.isEmpty());
}

void TestLogin::grant201ShowsBothNewCommands()
{
    addOperator(QStringLiteral("clerk"), QString(), {QStringLiteral("201"), QStringLiteral("301"), QStringLiteral("505")});
    TFrmMain main;
    StartSession(QStringLiteral("clerk"), &main);
    QVERIFY(visible(main, "Action201"));
    QVERIFY(visible(main, "Action901"));
    QVERIFY(!visible(main, "Action202"));
    QVERIFY(!visible(main, "Action902"));
    QVERIFY(visible(main, "Action31"));
    QVERIFY(menuVisible(main, "mi200"));
    QVERIFY(menuVisible(main, "mi300"));
    QVERIFY(menuVisible(main, "mi500"));
    QVERIFY(!menuVisible(main, "mi100"));
    QVERIFY(!menuVisible(main, "mi400"));
    QVERIFY(!visible(main, "Action504"));
}

void TestLogin::changingOperatorReplacesRights()
{
    addOperator(QStringLiteral("clerk"), QString(), {QStringLiteral("101")});
    TFrmMain main;
    StartSession(QStringLiteral("clerk"), &main);
    QVERIFY(!visible(main, "Action503"));
    StartSession(QStringLiteral("admin"), &main);
    QVERIFY(visible(main, "Action503"));
    QVERIFY(menuVisible(main, "mi500"));
    StartSession(QStringLiteral("clerk"), &main);
    QVERIFY(!visible(main, "Action503"));
    QVERIFY(!menuVisible(main, "mi500"));
    QVERIFY(visible(main, "Action101"));
}

void TestLogin::enterMovesOn()
{
    TFrmMain main;
    LoginDialog dlg(LoginDialog::FirstLogin, &main);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    auto *name = dlg.findChild<QComboBox *>(QStringLiteral("cbbOperName"));
    name->setFocus();
    name->setEditText(QStringLiteral("admin"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), dlg.findChild<QLineEdit *>(QStringLiteral("edtPassWord")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), dlg.findChild<QPushButton *>(QStringLiteral("btnOk")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(dlg.outcome(), LoginDialog::LoggedIn);
}

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
