#include "TFrmDispFieldXZ.h"

#include "ui_TFrmDispFieldXZ.h"

#include <QKeyEvent>

TFrmDispFieldXZ::TFrmDispFieldXZ(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , ui(new Ui::TFrmDispFieldXZ)
{
    ui->setupUi(this);
    ui->btnOK->setDefault(true);
    connect(ui->btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    ui->clbFields->installEventFilter(this);
}

TFrmDispFieldXZ::~TFrmDispFieldXZ()
{
    delete ui;
}

void TFrmDispFieldXZ::setFields(const QStringList &titles, const QList<bool> &visible)
{
    ui->clbFields->clear();
    for (int i = 0; i < titles.size(); ++i) {
        auto *item = new QListWidgetItem(titles.at(i), ui->clbFields);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(visible.value(i) ? Qt::Checked : Qt::Unchecked);
    }
    if (ui->clbFields->count() > 0)
        ui->clbFields->setCurrentRow(0);
}

QList<bool> TFrmDispFieldXZ::ticked() const
{
    QList<bool> out;
    for (int i = 0; i < ui->clbFields->count(); ++i)
        out << (ui->clbFields->item(i)->checkState() == Qt::Checked);
    return out;
}

bool TFrmDispFieldXZ::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the list moves on to the buttons instead of closing the dialog
    if (watched == ui->clbFields && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
