#include "TDLGzidingyiXZ.h"
#include "ui_TDLGzidingyiXZ.h"

#include "app/IniFile.h"
#include "support/Messages.h"

#include <QKeyEvent>

TDLGzidingyiXZ::TDLGzidingyiXZ(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::TDLGzidingyiXZ)
{
    ui->setupUi(this);
    ui->seMin->setValue(appConfig().readInteger(QStringLiteral("Config"), QStringLiteral("iMin"), 1));
    ui->seMax->setValue(appConfig().readInteger(QStringLiteral("Config"), QStringLiteral("iMax"), 100));
    connect(ui->btnOK, &QPushButton::clicked, this, &TDLGzidingyiXZ::confirm);
    connect(ui->btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

TDLGzidingyiXZ::~TDLGzidingyiXZ()
{
    delete ui;
}

int TDLGzidingyiXZ::minAge() const
{
    return ui->seMin->value();
}

int TDLGzidingyiXZ::maxAge() const
{
    return ui->seMax->value();
}

void TDLGzidingyiXZ::confirm()
{
    if (maxAge() < minAge()) {
        ShowMess(QStringLiteral("自定义范围有误，请得新指定！"), MessWarning);
        ui->seMax->setFocus();
        return;
    }
    accept();
}

void TDLGzidingyiXZ::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (focusWidget() == ui->btnOK)
            confirm();
        else if (focusWidget() == ui->btnClose)
            reject();
        else
            focusNextChild();
        return;
    }
    QDialog::keyPressEvent(e); // Esc rejects
}

bool TDLGzidingyiXZ::AskAgeBand(int &min, int &max, QWidget *parent)
{
    TDLGzidingyiXZ dlg(parent);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    min = dlg.minAge();
    max = dlg.maxAge();
    appConfig().writeInteger(QStringLiteral("Config"), QStringLiteral("iMin"), min);
    appConfig().writeInteger(QStringLiteral("Config"), QStringLiteral("iMax"), max);
    return true;
}
