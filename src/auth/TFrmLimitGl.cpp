#include "TFrmLimitGl.h"

#include "OperatorStore.h"
#include "ui_TFrmLimitGl.h"

#include "codes/ButtonKeys.h"
#include "codes/CodeStore.h"
#include "data/DataModule.h"
#include "support/Messages.h"

#include <QKeyEvent>
#include <QListWidgetItem>

TFrmLimitGl::TFrmLimitGl(Mode mode, qint64 operatorId, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::TFrmLimitGl)
    , m_mode(mode)
    , m_id(mode == EditMode ? operatorId : 0)
{
    ui->setupUi(this);
    connect(ui->btnSelectAll, &QPushButton::clicked, this, [this] { setAllTicked(true); });
    connect(ui->btnClear, &QPushButton::clicked, this, [this] { setAllTicked(false); });
    connect(ui->btnSave, &QPushButton::clicked, this, &TFrmLimitGl::save);
    connect(ui->btnClose, &QPushButton::clicked, this, &QDialog::reject);
    bindKey(this, QKeySequence(Qt::CTRL | Qt::Key_S), ui->btnSave);
    ui->cbbName->installEventFilter(this);
    ui->clbOperLimt->installEventFilter(this);

    for (const QString &label : OperatorStore::offeredPermissions()) {
        auto *item = new QListWidgetItem(label, ui->clbOperLimt);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    if (m_mode == EditMode)
        loadOperator();
    else
        clearEditor();
}

TFrmLimitGl::~TFrmLimitGl()
{
    delete ui;
}

void TFrmLimitGl::clearEditor()
{
    ui->cbbName->setEditText(QString());
    ui->edtPassWord->clear();
    ui->edtRepPass->clear();
    ui->Mem1->clear();
    ui->CheckBox1->setChecked(false);
    ui->cbXtFlag->setChecked(false);
    setAllTicked(false);
    ui->cbbName->setFocus();
}

void TFrmLimitGl::loadOperator()
{
    const auto op = OperatorStore::byId(m_id);
    if (!op)
        return;
    ui->cbbName->setEditText(op->name);
    ui->Mem1->setPlainText(op->mem);
    ui->CheckBox1->setChecked(op->disabled);
    ui->cbXtFlag->setChecked(op->ownOnly);
    const QStringList grants = OperatorStore::grantsOf(op->name);
    for (int i = 0; i < ui->clbOperLimt->count(); ++i) {
        QListWidgetItem *item = ui->clbOperLimt->item(i);
        item->setCheckState(grants.contains(item->text()) ? Qt::Checked : Qt::Unchecked);
    }
}

void TFrmLimitGl::setAllTicked(bool ticked)
{
    for (int i = 0; i < ui->clbOperLimt->count(); ++i)
        ui->clbOperLimt->item(i)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void TFrmLimitGl::refillNames()
{
    // Refilling the items must not lose what is typed in the box.
    const QString typed = ui->cbbName->currentText();
    DataModule::FillItems(CodeStore::itemsSql(), ui->cbbName, QVariantList { QStringLiteral("empname") });
    ui->cbbName->setCurrentIndex(-1);
    ui->cbbName->setEditText(typed);
}

bool TFrmLimitGl::save()
{
    OperatorInput in;
    in.name = ui->cbbName->currentText();
    in.password = ui->edtPassWord->text();
    in.confirm = ui->edtRepPass->text();
    in.mem = ui->Mem1->toPlainText();
    in.disabled = ui->CheckBox1->isChecked();
    in.ownOnly = ui->cbXtFlag->isChecked();
    for (int i = 0; i < ui->clbOperLimt->count(); ++i)
        if (ui->clbOperLimt->item(i)->checkState() == Qt::Checked)
            in.grants << ui->clbOperLimt->item(i)->text();

    using R = OperatorStore::SaveResult;
    switch (OperatorStore::save(m_id, in)) {
    case R::EmptyName:
        ShowMess(QStringLiteral("操作员名称不能为空！"), MessInfo);
        ui->cbbName->setFocus();
        return false;
    case R::NameTooLong:
        ShowMess(QStringLiteral("操作员名称不能超过%1个字符！").arg(OperatorStore::nameLimit()), MessInfo);
        ui->cbbName->setFocus();
        return false;
    case R::PasswordMismatch:
        ShowMess(QStringLiteral("验正码不正确，请重新确认输入！"), MessInfo);
        ui->edtRepPass->setFocus();
        return false;
    case R::Duplicate:
        ShowMess(QStringLiteral("操作员名称重复，请重新输入！"), MessInfo);
        ui->cbbName->setFocus();
        return false;
    case R::Failed:
        ShowMess(QStringLiteral("保存失败，请检测数据库连接！"), MessError);
        return false;
    case R::Saved:
        break;
    }
    emit saved(in.name.trimmed());
    if (m_mode == NewMode)
        clearEditor();
    else
        accept();
    return true;
}

void TFrmLimitGl::keyPressEvent(QKeyEvent *e)
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

bool TFrmLimitGl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->cbbName && event->type() == QEvent::FocusIn)
        refillNames();
    if (watched == ui->clbOperLimt && event->type() == QEvent::Resize) {
        // Two entries to a line, however wide the window is.
        QListWidget *list = ui->clbOperLimt;
        const int width = (list->viewport()->width() - 2) / 2;
        list->setGridSize(QSize(qMax(width, 60), list->fontMetrics().height() + 8));
    }
    return QDialog::eventFilter(watched, event);
}
