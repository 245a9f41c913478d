#include "TfrmOperGl.h"

#include "OperatorStore.h"
#include "TFrmLimitGl.h"
#include "ui_TfrmOperGl.h"

#include "codes/ButtonKeys.h"
#include "grid/SqlRowModel.h"
#include "support/FormPos.h"
#include "support/Messages.h"

#include <QKeyEvent>

TfrmOperGl::TfrmOperGl(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::TfrmOperGl)
    , m_rows(new SqlRowModel(this))
{
    ui->setupUi(this);
    ui->DBCheckBox1->setAttribute(Qt::WA_TransparentForMouseEvents);
    ui->DBGrid1->setRowModel(m_rows);
    GridColumn name;
    name.fieldName = QStringLiteral("F_Name");
    name.caption = QStringLiteral("操作员");
    name.width = 200;
    ui->DBGrid1->setColumns({ name });
    ui->DBGrid1->horizontalHeader()->setStretchLastSection(true);

    bindKey(this, QKeySequence(Qt::CTRL | Qt::Key_A), ui->tbNew);
    bindKey(this, QKeySequence(Qt::CTRL | Qt::Key_E), ui->tbEdit);
    bindKey(this, QKeySequence(Qt::Key_Delete), ui->tbDel);
    connect(ui->tbNew, &QPushButton::clicked, this, &TfrmOperGl::addOperator);
    connect(ui->tbEdit, &QPushButton::clicked, this, &TfrmOperGl::editOperator);
    connect(ui->tbDel, &QPushButton::clicked, this, &TfrmOperGl::deleteOperator);
    connect(ui->tbExit, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->DBGrid1, &QAbstractItemView::doubleClicked, this, &TfrmOperGl::editOperator);
    connect(ui->DBGrid1, &DataGrid::currentRowChanged, this, &TfrmOperGl::showDetails);
    connect(ui->cbShowDisabled, &QCheckBox::clicked, this, [this] { reload(); });
    reload();
}

TfrmOperGl::~TfrmOperGl()
{
    delete ui;
}

void TfrmOperGl::reload(const QString &locateName)
{
    m_rows->setQuery(OperatorStore::listSql(ui->cbShowDisabled->isChecked()));
    if (locateName.isEmpty() || !ui->DBGrid1->locate(QStringLiteral("F_Name"), locateName))
        ui->DBGrid1->setCurrentRow(0);
    showDetails();
}

void TfrmOperGl::showDetails()
{
    ui->DBMemo1->setPlainText(ui->DBGrid1->currentValue(QStringLiteral("F_Mem")).toString());
    ui->DBCheckBox1->setChecked(ui->DBGrid1->currentValue(QStringLiteral("F_xtFlag")).toInt() != 0);
}

void TfrmOperGl::openEditor(int mode, qint64 id)
{
    TFrmLimitGl editor(static_cast<TFrmLimitGl::Mode>(mode), id, this);
    connect(&editor, &TFrmLimitGl::saved, this, [this](const QString &name) { reload(name); });
    DispFormPos(&editor, 1);
    editor.exec();
}

void TfrmOperGl::addOperator()
{
    openEditor(TFrmLimitGl::NewMode, 0);
}

void TfrmOperGl::editOperator()
{
    if (m_rows->rowCount() == 0 || ui->DBGrid1->currentRow() < 0) {
        ShowMess(QStringLiteral("此表为空，没有记录需要修改！"), MessError);
        return;
    }
    if (OperatorStore::isAdministrator(ui->DBGrid1->currentValue(QStringLiteral("F_Name")).toString())) {
        ShowMess(QStringLiteral("此用户为系统默认用户，不能修改和编辑！"), MessError);
        return;
    }
    openEditor(TFrmLimitGl::EditMode, ui->DBGrid1->currentValue(QStringLiteral("F_ID")).toLongLong());
}

void TfrmOperGl::deleteOperator()
{
    if (m_rows->rowCount() == 0 || ui->DBGrid1->currentRow() < 0)
        return;
    const QString name = ui->DBGrid1->currentValue(QStringLiteral("F_Name")).toString();
    if (OperatorStore::isAdministrator(name)) {
        ShowMess(QStringLiteral("此用户为系统默认用户，不能删除！"), MessError);
        return;
    }
    if (ShowMess(QStringLiteral("真的要删除当前操作员 \"") + name + QStringLiteral("\" 吗？"), MessQuestion) != MessOk)
        return;
    const int row = ui->DBGrid1->currentRow();
    if (!OperatorStore::remove(ui->DBGrid1->currentValue(QStringLiteral("F_ID")).toLongLong())) {
        ShowMess(QStringLiteral("删除操作失败，请检查数据连接... "), MessError);
        return;
    }
    reload();
    ui->DBGrid1->setCurrentRow(qMin(row, m_rows->rowCount() - 1));
    showDetails();
}

void TfrmOperGl::keyPressEvent(QKeyEvent *e)
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

void showOperatorList(QWidget *parent)
{
    TfrmOperGl list(parent);
    // Centred on the main window rather than the screen.
    if (parent) {
        list.adjustSize();
        const QRect host = parent->window()->frameGeometry();
        list.move(host.center() - QPoint(list.width() / 2, list.height() / 2));
    }
    list.exec();
}
