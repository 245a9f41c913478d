#include "TDLGaddText.h"

#include "ui_TDLGaddText.h"

#include "support/Messages.h"

#include <QKeyEvent>

TDLGaddText::TDLGaddText(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::TDLGaddText)
{
    ui->setupUi(this);
    connect(ui->btnOK, &QPushButton::clicked, this, &TDLGaddText::accept);
    connect(ui->btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

TDLGaddText::~TDLGaddText()
{
    delete ui;
}

QString TDLGaddText::name() const
{
    return ui->edtName->text();
}

void TDLGaddText::accept()
{
    const QString typed = ui->edtName->text();
    if (typed.trimmed().isEmpty()) {
        ShowMess(QStringLiteral("名称不能为空！"), MessInfo);
        ui->edtName->setFocus();
        return;
    }
    if (m_maxChars > 0 && typed.trimmed().toUcs4().size() > m_maxChars) {
        ShowMess(QStringLiteral("名称不能超过%1个字符！").arg(m_maxChars), MessInfo);
        ui->edtName->setFocus();
        return;
    }
    QDialog::accept();
}

bool TDLGaddText::ask(QWidget *parent, QString *name, int maxChars)
{
    TDLGaddText dlg(parent);
    dlg.setMaxChars(maxChars);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    if (name)
        *name = dlg.name();
    return true;
}

void TDLGaddText::keyPressEvent(QKeyEvent *e)
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
