#pragma once

#include <QDialog>

class TFrmMain;

namespace Ui {
class TfrmOperLogin;
}

// The login dialog "登录窗口".
class LoginDialog : public QDialog
{
    Q_OBJECT
public:
    enum Mode { FirstLogin = 0, ChangeOperator = 1 };
    // How the dialog ended: a session started, nothing changed, or the program must end.
    enum Outcome { LoggedIn, Cancelled, Terminate };

    LoginDialog(Mode mode, TFrmMain *mainWindow, QWidget *parent = nullptr);
    ~LoginDialog() override;

    Outcome outcome() const { return m_outcome; }
    int failCount() const { return m_failCount; }

    void tryLogin();  // "确定"
    void cancelLogin(); // "取消"

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void reject() override;

private:
    void finishWith(Outcome o);

    Ui::TfrmOperLogin *ui;
    Mode m_mode;
    TFrmMain *m_main;
    int m_failCount = 0;
    Outcome m_outcome = Cancelled;
    bool m_closing = false;
};

// Shows the dialog modally and returns how it ended.
LoginDialog::Outcome ShowLogin(LoginDialog::Mode mode, TFrmMain *mainWindow);

// After a correct password: run-wide values, remembered name, permissions,
// status bar. typedName is the name box's text as typed.
void StartSession(const QString &typedName, TFrmMain *mainWindow);
