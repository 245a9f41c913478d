#include "TDLGeditCurList.h"

#include "ui_TDLGeditCurList.h"

#include <QKeyEvent>

TDLGeditCurList::TDLGeditCurList(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::TDLGeditCurList)
{
    ui->setupUi(this);
    connect(ui->btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TDLGeditCurList::~TDLGeditCurList()
{
    delete ui;
}

QString TDLGeditCurList::value() const
{
    return ui->edtCurValue->text();
}

QString TDLGeditCurList::ask(QWidget *parent)
{
    TDLGeditCurList dlg(parent);
    return dlg.exec() == QDialog::Accepted ? dlg.value() : QString();
}

void TDLGeditCurList::keyPressEvent(QKeyEvent *e)
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
