#include "TFrmCodeMan.h"

#include "ButtonKeys.h"
#include "CodeStore.h"
#include "CodeTableModel.h"
#include "ui_TFrmCodeMan.h"

#include "grid/DataGrid.h"
#include "grid/SqlRowModel.h"
#include "reports/Reports.h"
#include "support/Messages.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QToolButton>

// Lets "保存" take in a name still being typed in the grid.
class PostingDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        m_editor = editor;
        return editor;
    }
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override
    {
        if (editor == m_editor)
            m_editor = nullptr;
        QStyledItemDelegate::destroyEditor(editor, index);
    }
    void post()
    {
        if (!m_editor)
            return;
        QWidget *editor = m_editor;
        m_editor = nullptr;
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    void drop()
    {
        if (!m_editor)
            return;
        QWidget *editor = m_editor;
        m_editor = nullptr;
        emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    }

private:
    mutable QPointer<QWidget> m_editor;
};

namespace {
constexpr int kTabsPerLine = 9;
}

TFrmCodeMan::TFrmCodeMan(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::TFrmCodeMan)
    , m_model(new CodeTableModel(this))
    , m_tabs(new QButtonGroup(this))
{
    ui->setupUi(this);
    m_delegate = new PostingDelegate(ui->DBGrid1);
    ui->DBGrid1->setItemDelegate(m_delegate);
    ui->DBGrid1->setModel(m_model);
    ui->DBGrid1->verticalHeader()->setDefaultSectionSize(ui->DBGrid1->fontMetrics().height() + 8);
    ui->DBGrid1->installEventFilter(this);

    // Button-style tabs over several lines, so every type is in sight at once.
    auto *strip = new QGridLayout(ui->PageControl1);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->setSpacing(2);
    const QList<CodeType> &types = CodeStore::managedTypes();
    for (int i = 0; i < types.size(); ++i) {
        auto *b = new QToolButton(ui->PageControl1);
        b->setObjectName(types.at(i).tabName());
        b->setText(types.at(i).caption);
        b->setCheckable(true);
        b->setAutoRaise(false);
        b->setFocusPolicy(Qt::TabFocus);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        strip->addWidget(b, i / kTabsPerLine, i % kTabsPerLine);
        m_tabs->addButton(b, i);
    }
    m_tabs->setExclusive(true);
    connect(m_tabs, &QButtonGroup::idClicked, this, &TFrmCodeMan::activateTab);

    bindKey(this, QKeySequence(Qt::CTRL | Qt::Key_A), ui->tbNew);
    bindKey(this, QKeySequence(Qt::CTRL | Qt::Key_E), ui->tbEdit);
    bindKey(this, QKeySequence(Qt::CTRL | Qt::Key_S), ui->tbSave);
    bindKey(this, QKeySequence(Qt::Key_Delete), ui->tbDel);
    connect(ui->tbNew, &QToolButton::clicked, this, &TFrmCodeMan::addRow);
    connect(ui->tbEdit, &QToolButton::clicked, this, &TFrmCodeMan::editRows);
    connect(ui->tbDel, &QToolButton::clicked, this, &TFrmCodeMan::deleteRow);
    connect(ui->tbSave, &QToolButton::clicked, this, &TFrmCodeMan::saveRows);
    connect(ui->tbCancel, &QToolButton::clicked, this, &TFrmCodeMan::cancelRows);
    connect(ui->tbPrint, &QToolButton::clicked, this, &TFrmCodeMan::printList);
    connect(ui->tbRefresh, &QToolButton::clicked, this, &TFrmCodeMan::refreshList);
    connect(ui->tbExit, &QToolButton::clicked, this, &QDialog::close);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &TFrmCodeMan::updateStatus);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &TFrmCodeMan::updateStatus);
    connect(m_model, &QAbstractItemModel::modelReset, this, &TFrmCodeMan::updateStatus);

    setEditing(false);
    activateTab(0);
}

TFrmCodeMan::~TFrmCodeMan()
{
    delete ui;
}

int TFrmCodeMan::execute()
{
    activateTab(0);
    return exec();
}

QString TFrmCodeMan::currentKey() const
{
    return m_tab >= 0 ? CodeStore::managedTypes().at(m_tab).key : QString();
}

QString TFrmCodeMan::currentCaption() const
{
    return m_tab >= 0 ? CodeStore::managedTypes().at(m_tab).caption : QString();
}

void TFrmCodeMan::activateTab(int index)
{
    const QList<CodeType> &types = CodeStore::managedTypes();
    if (m_editing || index < 0 || index >= types.size())
        return;
    m_tab = index;
    m_tabs->button(index)->setChecked(true);
    m_model->setCaption(types.at(index).caption);
    m_model->load(types.at(index).key);
    selectRow(0);
}

void TFrmCodeMan::setEditing(bool editing)
{
    m_editing = editing;
    m_model->setEditable(editing);
    for (QToolButton *b : { ui->tbNew, ui->tbEdit, ui->tbDel, ui->tbExit, ui->tbRefresh, ui->tbPrint })
        b->setEnabled(!editing);
    ui->PageControl1->setEnabled(!editing);
    ui->tbSave->setEnabled(editing);
    ui->tbCancel->setEnabled(editing);
}

void TFrmCodeMan::addRow()
{
    if (m_editing)
        return;
    setEditing(true);
    const int row = m_model->appendRow();
    selectRow(row);
    ui->DBGrid1->setFocus();
    ui->DBGrid1->edit(m_model->index(row, 0));
}

void TFrmCodeMan::editRows()
{
    if (m_editing)
        return;
    if (m_model->rowCount() == 0) {
        ShowMess(QStringLiteral("此表为空，没有记录需要修改！"), MessError);
        return;
    }
    setEditing(true);
    ui->DBGrid1->setFocus();
}

bool TFrmCodeMan::saveRows()
{
    if (!m_editing)
        return false;
    postEdit();
    int bad = -1;
    switch (m_model->apply(currentKey(), &bad)) {
    case CodeTableModel::ApplyResult::Applied:
        setEditing(false);
        return true;
    case CodeTableModel::ApplyResult::TooLong:
        ShowMess(CodeStore::tooLongMessage(), MessInfo);
        selectRow(bad);
        ui->DBGrid1->setFocus();
        return false;
    case CodeTableModel::ApplyResult::Failed:
        // The edits stay cached, so nothing typed is lost.
        ShowMess(QStringLiteral("保存失败，请检测数据库连接！"), MessError);
        return false;
    }
    return false;
}

void TFrmCodeMan::cancelRows()
{
    if (!m_editing)
        return;
    const int row = currentRow();
    setEditing(false);
    m_delegate->drop();
    m_model->discard();
    selectRow(qMin(row, m_model->rowCount() - 1));
}

void TFrmCodeMan::deleteRow()
{
    if (m_editing)
        return;
    if (m_model->rowCount() == 0) {
        ShowMess(QStringLiteral("此表是空表，不需要删除！"), MessInfo);
        return;
    }
    const int row = qMax(0, currentRow());
    const QString question = QStringLiteral("真的要删除 \"") + currentCaption() + QLatin1Char('"') + m_model->name(row)
        + QStringLiteral("吗？");
    if (ShowMess(question, MessQuestion) != MessOk)
        return;
    if (!m_model->removeNow(row)) {
        ShowMess(QStringLiteral("删除操作失败，请检查数据连接... "), MessError);
        return;
    }
    selectRow(qMin(row, m_model->rowCount() - 1));
}

void TFrmCodeMan::printList()
{
    if (m_editing)
        return;
    // The printed grid reads the stored rows, which browsing shows unchanged.
    SqlRowModel rows;
    if (!rows.setQuery(
            QStringLiteral("select F_name from t_code where F_type = ? order by F_ID"), QVariantList { currentKey() }))
        return;
    DataGrid grid;
    grid.setRowModel(&rows);
    GridColumn column;
    column.fieldName = QStringLiteral("F_name");
    column.caption = currentCaption();
    column.width = qMax(80, ui->DBGrid1->columnWidth(0));
    grid.setColumns({ column });
    Reports::PrintGrid(&grid, currentCaption() + QStringLiteral("设置"), QString(), QStringLiteral("date"), 1);
}

void TFrmCodeMan::refreshList()
{
    if (m_editing)
        return;
    const int row = currentRow();
    m_model->load(currentKey());
    selectRow(qMin(qMax(row, 0), m_model->rowCount() - 1));
}

void TFrmCodeMan::postEdit()
{
    m_delegate->post();
}

void TFrmCodeMan::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    ui->DBGrid1->setCurrentIndex(m_model->index(row, 0));
}

int TFrmCodeMan::currentRow() const
{
    const QModelIndex i = ui->DBGrid1->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void TFrmCodeMan::updateStatus()
{
    ui->StatusBar1->showMessage(QStringLiteral("共 %1 条").arg(m_model->rowCount()));
}

void TFrmCodeMan::keyPressEvent(QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Escape:
        if (ui->tbCancel->isEnabled())
            cancelRows();
        else
            close();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        focusNextChild();
        return;
    default:
        QDialog::keyPressEvent(e);
    }
}

bool TFrmCodeMan::eventFilter(QObject *watched, QEvent *event)
{
    // While editing, moving down past the last row or Insert appends a row, as
    // the grid of the original list did; an untouched new last row is reused.
    if (watched == ui->DBGrid1 && m_editing && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const int last = m_model->rowCount() - 1;
        const bool atEnd = currentRow() == last;
        if ((key == Qt::Key_Down && atEnd) || key == Qt::Key_Insert) {
            if (!(m_model->rowIsNew(last) && m_model->name(last).isEmpty()))
                selectRow(m_model->appendRow());
            else
                selectRow(last);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void showCodeManager(QWidget *parent)
{
    TFrmCodeMan form(parent);
    form.execute();
}
