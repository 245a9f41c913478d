#pragma once

#include <QDialog>

namespace Ui {
class TfrmModPass;
}

// "更改密码": the logged-in operator changes his own password.
class TfrmModPass : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmModPass(QWidget *parent = nullptr);
    ~TfrmModPass() override;

    void confirm(); // 确定(&O)

protected:
    void keyPressEvent(QKeyEvent *e) override;

private:
    Ui::TfrmModPass *ui;
};

// Main window's "更改密码".
void showPasswordChange(QWidget *parent);
