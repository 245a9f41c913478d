#include "TfrmModPass.h"

#include "OperatorStore.h"
#include "ui_TfrmModPass.h"

#include "data/RunValues.h"
#include "support/FormPos.h"
#include "support/Messages.h"

#include <QKeyEvent>

TfrmModPass::TfrmModPass(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::TfrmModPass)
{
    ui->setupUi(this);
    ui->lblOperator->setText(QStringLiteral("当前操作员：") + Run::CurrentOperator + QLatin1Char(' '));
    connect(ui->btnOK, &QPushButton::clicked, this, &TfrmModPass::confirm);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmModPass::~TfrmModPass()
{
    delete ui;
}

void TfrmModPass::confirm()
{
    using R = OperatorStore::PasswordResult;
    const R r = OperatorStore::changePassword(
        Run::CurrentOperator, ui->edtOldPass->text(), ui->edtNewPass->text(), ui->edtRepPass->text());
    switch (r) {
    case R::NoOperator:
        break;
    case R::WrongOld:
        ShowMess(QStringLiteral("旧口令输入错误，不能更改！"), MessWarning);
        break;
    case R::Mismatch:
        ShowMess(QStringLiteral("新口令错误，不能更改！"), MessInfo);
        ui->edtNewPass->clear();
        ui->edtRepPass->clear();
        break;
    case R::Failed:
        ShowMess(QStringLiteral("操作失败，请检查数据连接... "), MessError);
        break;
    case R::Changed:
        ShowMess(QStringLiteral("更改口令成功！"), MessInfo);
        break;
    }
    done(r == R::Changed ? QDialog::Accepted : QDialog::Rejected);
}

void TfrmModPass::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (auto *b = qobject_cast<QPushButton *>(focusWidget()))
            b->click();
        else
            focusNextChild();
        return;
    }
    QDialog::keyPressEvent(e);
}

void showPasswordChange(QWidget *parent)
{
    TfrmModPass dlg(parent);
    DispFormPos(&dlg, 1);
    dlg.exec();
}
