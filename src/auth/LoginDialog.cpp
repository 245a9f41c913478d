#include "LoginDialog.h"

#include "ui_TfrmOperLogin.h"

#include "Permissions.h"
#include "app/IniFile.h"
#include "data/DataModule.h"
#include "data/Database.h"
#include "data/RunValues.h"
#include "mainwin/TFrmMain.h"
#include "support/Messages.h"
#include "support/Passwords.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QKeyEvent>
#include <QSqlQuery>

LoginDialog::LoginDialog(Mode mode, TFrmMain *mainWindow, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , ui(new Ui::TfrmOperLogin)
    , m_mode(mode)
    , m_main(mainWindow)
{
    ui->setupUi(this);
    connect(ui->btnOk, &QPushButton::clicked, this, &LoginDialog::tryLogin);
    connect(ui->btnCancel, &QPushButton::clicked, this, &LoginDialog::cancelLogin);
    DataModule::FillItems(QStringLiteral("select F_name from OperList where F_name <> '' order by F_ID"), ui->cbbOperName);
    ui->cbbOperName->setEditText(appConfig().readString(QStringLiteral("Config"), QStringLiteral("CurOperName")));
    if (ui->cbbOperName->currentText().isEmpty())
        ui->cbbOperName->setFocus();
    else
        ui->edtPassWord->setFocus();
}

LoginDialog::~LoginDialog()
{
    delete ui;
}

void LoginDialog::tryLogin()
{
    const QString name = ui->cbbOperName->currentText().trimmed();
    if (name.isEmpty()) {
        ShowMess(QStringLiteral("请选择用户！"), MessInfo);
        ui->cbbOperName->setFocus();
        return;
    }
    if (DataModule::QueryInteger(QStringLiteral("select F_ID from OperList where F_name = ?"), QVariantList{name}) <= 0) {
        ShowMess(QStringLiteral("此操作员并不存在，请重新选择操作员！"), MessInfo);
        ui->cbbOperName->setFocus();
        return;
    }
    const QString stored = DataModule::QueryText(QStringLiteral("select f_PassWord from OperList Where F_Name = ?"),
                                                 QVariantList{name});
    if (CheckPass(stored, ui->edtPassWord->text())) {
        StartSession(ui->cbbOperName->currentText(), m_main);
        finishWith(LoggedIn);
        return;
    }
    ++m_failCount;
    if (m_failCount < 4) {
        ShowMess(QStringLiteral("用户名或密码不正确，请重新输入！"), MessInfo);
        ui->edtPassWord->selectAll();
        ui->edtPassWord->setFocus();
        return;
    }
    if (m_mode == ChangeOperator) {
        DataModule::WriteLog(QStringLiteral("更换操作员失败！"));
        ShowMess(QStringLiteral("更换操作员失败!"), MessError);
        finishWith(Cancelled);
    } else {
        DataModule::WriteLog(QStringLiteral("登录失败！"));
        ShowMess(QStringLiteral("非法操作员!"), MessError);
        finishWith(Terminate);
    }
}

void LoginDialog::cancelLogin()
{
    finishWith(m_mode == ChangeOperator ? Cancelled : Terminate);
}

void LoginDialog::finishWith(Outcome o)
{
    m_outcome = o;
    m_closing = true;
    done(o == LoggedIn ? QDialog::Accepted : QDialog::Rejected);
}

void LoginDialog::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (focusWidget() == ui->btnOk)
            tryLogin();
        else if (focusWidget() == ui->btnCancel)
            cancelLogin();
        else if (focusWidget() == ui->edtPassWord)
            ui->btnOk->setFocus();
        else
            focusNextChild();
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        // Esc backs out of a change of operator; at start-up only "取消" ends the program
        if (m_mode == ChangeOperator)
            cancelLogin();
        return;
    }
    QDialog::keyPressEvent(e);
}

void LoginDialog::closeEvent(QCloseEvent *e)
{
    if (m_closing)
        e->accept();
    else
        e->ignore();
}

void LoginDialog::reject()
{
    if (m_closing)
        QDialog::reject();
}

LoginDialog::Outcome ShowLogin(LoginDialog::Mode mode, TFrmMain *mainWindow)
{
    LoginDialog dlg(mode, mainWindow, mainWindow && mainWindow->isVisible() ? mainWindow : nullptr);
    dlg.exec();
    return dlg.outcome();
}

void StartSession(const QString &typedName, TFrmMain *mainWindow)
{
    Run::CurrentOperator = typedName.trimmed();
    appConfig().writeString(QStringLiteral("Config"), QStringLiteral("CurOperName"), Run::CurrentOperator);

    QSqlQuery q;
    if (Database::exec(q, QStringLiteral("select F_code,F_ZDhkcode from SysInfo order by F_ID")) && q.next())
        Run::AutoNumbering = q.value(1).toInt() != 0;

    Run::CustomValues.fill(QString());
    if (Database::exec(q, QStringLiteral("select F_Value from KeyValue where F_flag = 1 order by F_ID"))) {
        for (int k = 1; k <= 12 && q.next(); ++k)
            Run::CustomValues[k] = q.value(0).toString();
    }
    // A missing or malformed decimals slot falls back to two places.
    bool ok = false;
    int decimals = Run::CustomValues[12].trimmed().toInt(&ok);
    if (!ok || decimals < 0 || decimals > 10)
        decimals = 2;
    Run::AmountFormat = DataModule::MoneyFormat(decimals, 3);

    if (mainWindow) {
        Permissions::SetLimits(mainWindow, typedName);
        mainWindow->setStatusPanel(1, typedName);
        mainWindow->setStatusPanel(3, QLatin1Char(' ') + QDateTime(QDate::currentDate(), QTime(0, 0)).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    }
}
