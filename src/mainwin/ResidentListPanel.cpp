#include "ResidentListPanel.h"
#include "ui_ResidentListPanel.h"

#include "data/DataModule.h"
#include "grid/DataGrid.h"
#include "grid/GridLayouts.h"
#include "grid/SqlRowModel.h"
#include "residents/TDLGzidingyiXZ.h"
#include "support/Messages.h"

#include <QKeyEvent>
#include <QShortcut>
#include <QSignalBlocker>

namespace {

const QString kOpenFailed = QStringLiteral("打开操作失败，请检查数据连接... ");

GridColumn column(const char *field, const char *caption, int width)
{
    GridColumn c;
    c.fieldName = QString::fromLatin1(field);
    c.caption = QString::fromUtf8(caption);
    c.width = width;
    return c;
}

// What the resident grid shows when no stored layout exists.
QList<GridColumn> designedListColumns()
{
    return { column("ID", "序号", 46), column("F_Code", "编号", 90), column("F_Name", "姓名", 70),
        column("F_HKtype", "户口类别", 80), column("F_LDcode", "楼(幢)号", 70), column("F_HScode", "户(室)号", 70),
        column("F_HZname", "户主姓名", 70), column("F_HZguanxi", "与户主关系", 80),
        column("F_SFZcode", "身份证号", 150), column("F_CSdate", "出生日期", 86), column("F_sex", "性别", 40),
        column("F_ZZaddress", "现住址", 200), column("F_ZXflag", "注销", 40) };
}

QList<GridColumn> changeColumns()
{
    return { column("F_Date", "变更日期", 86), column("F_BGtype", "变更类型", 100), column("F_Memo1", "原始内容", 200),
        column("F_Memo2", "变更后内容", 200), column("F_EmpName", "经手人", 70), column("F_Memo3", "备注", 160) };
}

QList<GridColumn> reminderColumns()
{
    return { column("F_AwokeDate", "提醒日期", 86), column("F_AwokeTime", "提醒时间", 70),
        column("F_Caption", "主题", 200), column("F_Memo1", "内容", 320) };
}

const char *const kFamilyFields[] = { "F_HZname", "F_HJstatus", "F_ZZaddress", "F_HKcode", "F_JTphone", "F_Znum",
    "F_Nnum", "F_Fnum", "F_SRprice", "F_JJstatus", "F_ZStype", "F_memo2" };

} // namespace

ResidentListPanel::ResidentListPanel(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::ResidentListPanel)
    , m_list(new SqlRowModel(this))
    , m_detail1(new SqlRowModel(this))
    , m_detail3(new SqlRowModel(this))
{
    ui->setupUi(this);
    ui->ComboBox2->hide();
    ui->SpeedButton3->hide();
    ui->Splitter1->setStretchFactor(1, 1);
    ui->Splitter2->setStretchFactor(0, 3);
    ui->Splitter2->setStretchFactor(1, 1);
    ui->Splitter1->setSizes({ 190, 900 });
    setupAgeTree();
    setupGrids();

    connect(ui->CheckBox1, &QCheckBox::clicked, this, [this] { refreshList(); });
    connect(ui->SpeedButton1, &QToolButton::toggled, this, &ResidentListPanel::setTreePanelVisible);
    connect(ui->ComboBox1, &QComboBox::currentIndexChanged, this, &ResidentListPanel::chooseEntry);
    connect(ui->Edit1, &QLineEdit::textChanged, this, &ResidentListPanel::valueChanged);
    connect(ui->ComboBox2, &QComboBox::currentTextChanged, this, &ResidentListPanel::valueChanged);
    connect(ui->BitBtn1, &QPushButton::clicked, this, [this] { refreshList(); });
    auto *f3 = new QShortcut(QKeySequence(Qt::Key_F3), this);
    f3->setContext(Qt::WidgetWithChildrenShortcut);
    connect(f3, &QShortcut::activated, ui->BitBtn1, &QPushButton::click);
    connect(ui->SpeedButton2, &QToolButton::clicked, this, &ResidentListPanel::advancedQueryClicked);
    connect(ui->tvTree, &QTreeWidget::itemDoubleClicked, this, [this] { refreshList(); });
    connect(ui->tvTree1, &QTreeWidget::itemDoubleClicked, this, [this] { refreshList(); });
    connect(ui->ListView1, &QListWidget::currentRowChanged, this, &ResidentListPanel::pickDetailPage);

    for (QWidget *w : { static_cast<QWidget *>(ui->CheckBox1), static_cast<QWidget *>(ui->ComboBox1),
             static_cast<QWidget *>(ui->Edit1), static_cast<QWidget *>(ui->ComboBox2) })
        w->installEventFilter(this);
}

ResidentListPanel::~ResidentListPanel()
{
    delete ui;
}

void ResidentListPanel::setupAgeTree()
{
    const char *const nodes[] = { "全部", "自定义范围", "成年人", "未成年人", "老年人", "学龄前儿童", "1-9", "10-19",
        "20-29", "30-39", "40-49", "50-59", "60-69", "70-79", "80-89", "90-99", "100以上" };
    int number = 1;
    for (const char *text : nodes) {
        auto *item = new QTreeWidgetItem(QStringList { QString::fromUtf8(text) });
        item->setData(0, Qt::UserRole, number++);
        ui->tvTree1->addTopLevelItem(item);
    }
}

void ResidentListPanel::setupGrids()
{
    m_list->setCalculatedField(QStringLiteral("ID"), [](int row) { return QVariant(row + 1); });
    DataGrid *g = ui->DBGridEh1;
    g->setRowModel(m_list);
    g->setColumns(designedListColumns());
    for (const char *f : { "F_QFdate", "F_QRdate", "F_QCdate", "F_SWdate", "F_ZXdate" })
        g->setNullDateRule(QString::fromLatin1(f), NullDateRule::UpTo);
    g->setNullDateRule(QStringLiteral("F_CSdate"), NullDateRule::None);
    g->setRowStyleRule([this](int row) -> std::optional<DataGrid::RowStyle> {
        if (m_list->value(row, QStringLiteral("F_ZXflag")).toBool())
            return DataGrid::RowStyle { QColor(Qt::red), palette().color(QPalette::Button) };
        return std::nullopt;
    });
    g->setSortablePredicate([](const QString &field) { return field.compare(QLatin1String("id"), Qt::CaseInsensitive) != 0; });
    connect(g, &DataGrid::currentRowChanged, this, &ResidentListPanel::currentResidentChanged);
    connect(g, &QAbstractItemView::doubleClicked, this, &ResidentListPanel::residentDoubleClicked);

    ui->DBGridEh2->setRowModel(m_detail1);
    ui->DBGridEh2->setColumns(changeColumns());
    ui->DBGridEh2->setFooterVisible(true);
    connect(ui->DBGridEh2, &DataGrid::currentRowChanged, this, [this](int row) {
        ui->DBMemo1->setPlainText(row < 0 ? QString() : m_detail1->value(row, QStringLiteral("F_Memo3")).toString());
    });
    connect(ui->DBGridEh2, &QAbstractItemView::doubleClicked, this, &ResidentListPanel::detailDoubleClicked);

    ui->DBGridEh3->setRowModel(m_detail3);
    ui->DBGridEh3->setColumns(reminderColumns());
    ui->DBGridEh3->setNullDateRule(QStringLiteral("F_AwokeDate"), NullDateRule::Before);
    connect(ui->DBGridEh3, &QAbstractItemView::doubleClicked, this, &ResidentListPanel::detailDoubleClicked);
}

void ResidentListPanel::fillChooser()
{
    const QSignalBlocker block(ui->ComboBox1);
    ui->ComboBox1->clear();
    ui->ComboBox1->addItems(ResidentStore::fieldCaptions());
    ui->ComboBox1->setCurrentIndex(-1);
}

void ResidentListPanel::firstShowSetup()
{
    fillChooser();
    try {
        DataModule::FillTypeTree(ui->tvTree);
    } catch (const DataError &) {
        ShowMess(QStringLiteral("操作失败，请检查数据连接... "), MessError);
    }
    if (ui->tvTree->topLevelItemCount() > 0)
        ui->tvTree->setCurrentItem(ui->tvTree->topLevelItem(0));
    refreshList();
    GridLayouts::LoadGridLayout(ui->DBGridEh1, QStringLiteral("hukoumain"));
    if (ui->DBGridEh1->currentRow() < 0 && rowCount() > 0) {
        ui->DBGridEh1->setCurrentRow(0);
        currentResidentChanged();
    }
}

void ResidentListPanel::chooseEntry(int entry)
{
    const bool hadValue = !valueText().isEmpty();
    {
        m_switching = true;
        ui->Edit1->clear();
        ui->ComboBox2->clear();
        ui->SpeedButton3->hide();
        const QStringList items = ResidentStore::choiceItems(entry);
        const bool dropDown = entry >= 0 && !ResidentStore::fieldEntries().at(entry).choices.isEmpty();
        if (dropDown) {
            ui->ComboBox2->addItems(items);
            ui->ComboBox2->setCurrentIndex(items.value(0).isEmpty() ? 0 : -1);
        }
        ui->Edit1->setVisible(!dropDown);
        ui->ComboBox2->setVisible(dropDown);
        ui->Label2->setBuddy(dropDown ? static_cast<QWidget *>(ui->ComboBox2) : ui->Edit1);
        m_switching = false;
    }
    // emptying a value that was there is a change of the value
    if (hadValue)
        refreshList();
}

void ResidentListPanel::valueChanged()
{
    if (!m_switching)
        refreshList();
}

QString ResidentListPanel::valueText() const
{
    return (ui->ComboBox2->isVisibleTo(this) ? ui->ComboBox2->currentText() : ui->Edit1->text()).trimmed();
}

bool ResidentListPanel::currentFilter(ResidentStore::Filter &filter)
{
    filter.field = ui->ComboBox1->currentIndex();
    filter.value = valueText();
    filter.includeCancelled = ui->CheckBox1->isChecked();
    if (ui->rpcTVtree->currentIndex() == 0) {
        const QList<QTreeWidgetItem *> sel = ui->tvTree->selectedItems();
        if (!sel.isEmpty() && ui->tvTree->indexOfTopLevelItem(sel.first()) != 0)
            filter.householdType = sel.first()->text(0).trimmed();
        return true;
    }
    const QList<QTreeWidgetItem *> sel = ui->tvTree1->selectedItems();
    if (sel.isEmpty())
        return true;
    const int number = sel.first()->data(0, Qt::UserRole).toInt();
    if (number == AgeAll)
        return true;
    if (number == AgeCustom) {
        int a = 0, b = 0;
        if (TDLGzidingyiXZ::AskAgeBand(a, b, this))
            filter.age = ResidentStore::AgeRange { a, b };
        return true;
    }
    filter.age = ResidentStore::ageBand(sel.first()->text(0));
    return filter.age.has_value();
}

bool ResidentListPanel::refreshList()
{
    if (ui->SpeedButton2->isChecked())
        setAdvancedDown(false);
    ResidentStore::Filter filter;
    if (!currentFilter(filter)) {
        // an age node without bounds: the statement cannot be made
        m_listSql = {};
        m_list->close();
        ShowMess(kOpenFailed, MessError);
        ui->lblCLTnum->setText(ResidentStore::countText(0));
        currentResidentChanged();
        emit listRebuilt(0);
        return false;
    }
    m_listSql = ResidentStore::listStatement(filter);
    return openList(m_listSql.sql + ResidentStore::listOrder(), m_listSql.params);
}

bool ResidentListPanel::openList(const QString &sql, const QVariantList &params)
{
    const bool ok = m_list->setQuery(sql, params);
    ui->lblCLTnum->setText(ResidentStore::countText(m_list->rowCount()));
    // a freshly opened list stands on its first resident, and the details follow him
    if (m_list->rowCount() > 0)
        ui->DBGridEh1->setCurrentRow(0);
    currentResidentChanged();
    emit listRebuilt(m_list->rowCount());
    return ok;
}

bool ResidentListPanel::reopenAt(const QString &field, const QVariant &value)
{
    const bool ok = m_list->isOpen() ? m_list->refresh() : refreshList();
    if (ok && !ui->DBGridEh1->locate(field, value) && m_list->rowCount() > 0)
        ui->DBGridEh1->setCurrentRow(0);
    ui->lblCLTnum->setText(ResidentStore::countText(m_list->rowCount()));
    currentResidentChanged();
    return ok;
}

void ResidentListPanel::currentResidentChanged()
{
    if (m_list->rowCount() == 0 || ui->DBGridEh1->currentRow() < 0) {
        m_detail1->close();
        m_detail3->close();
    } else {
        const QVariant mainId = currentValue(QStringLiteral("F_mainID"));
        const ResidentStore::Statement changes = ResidentStore::changeRecords(mainId);
        const ResidentStore::Statement reminders = ResidentStore::reminders(mainId);
        m_detail1->setQuery(changes.sql, changes.params);
        m_detail3->setQuery(reminders.sql, reminders.params);
    }
    const int row = ui->DBGridEh2->currentRow();
    ui->DBMemo1->setPlainText(row < 0 ? QString() : m_detail1->value(row, QStringLiteral("F_Memo3")).toString());
    showFamily();
}

void ResidentListPanel::showFamily()
{
    QLineEdit *const edits[] = { ui->DBEdit1, ui->DBEdit2, ui->DBEdit3, ui->DBEdit4, ui->DBEdit5, ui->DBEdit6,
        ui->DBEdit7, ui->DBEdit8, ui->DBEdit9, ui->DBEdit10, ui->DBEdit11, ui->DBEdit12 };
    for (int i = 0; i < 12; ++i) {
        edits[i]->setText(currentValue(QString::fromLatin1(kFamilyFields[i])).toString());
        edits[i]->setCursorPosition(0);
    }
}

void ResidentListPanel::pickDetailPage(int row)
{
    m_detailPage = (row < 0 ? 0 : row) + 1;
    ui->rpcList->setCurrentIndex(m_detailPage - 1);
    emit detailPageChanged(m_detailPage);
}

void ResidentListPanel::advancedQueryClicked(bool down)
{
    if (!down) {
        setAdvancedDown(false);
        refreshList();
        return;
    }
    if (!m_queryDialog) {
        setAdvancedDown(false);
        ShowMess(QStringLiteral("此功能尚未完成"), MessInfo);
        return;
    }
    const QString sql = m_queryDialog(this);
    if (sql.trimmed().isEmpty()) {
        setAdvancedDown(false);
        ui->lblCLTnum->setText(ResidentStore::countText(m_list->rowCount()));
        return;
    }
    setAdvancedDown(true);
    openList(sql, {});
}

void ResidentListPanel::setAdvancedDown(bool down)
{
    const QSignalBlocker block(ui->SpeedButton2);
    ui->SpeedButton2->setChecked(down);
    ui->SpeedButton2->setStyleSheet(down ? QStringLiteral("color: red;") : QString());
}

bool ResidentListPanel::advancedQueryActive() const
{
    return ui->SpeedButton2->isChecked();
}

int ResidentListPanel::rowCount() const
{
    return m_list->rowCount();
}

QVariant ResidentListPanel::currentValue(const QString &field) const
{
    return ui->DBGridEh1->currentValue(field);
}

DataGrid *ResidentListPanel::grid() const
{
    return ui->DBGridEh1;
}

DataGrid *ResidentListPanel::detailGrid1() const
{
    return ui->DBGridEh2;
}

DataGrid *ResidentListPanel::detailGrid3() const
{
    return ui->DBGridEh3;
}

QToolBar *ResidentListPanel::detailToolBar() const
{
    return ui->ToolBar2;
}

QString ResidentListPanel::countText() const
{
    return ui->lblCLTnum->text();
}

void ResidentListPanel::setTreePanelVisible(bool visible)
{
    ui->Panel4->setVisible(visible);
    {
        const QSignalBlocker block(ui->SpeedButton1);
        ui->SpeedButton1->setChecked(visible);
    }
    emit treePanelVisibilityChanged(visible);
}

bool ResidentListPanel::treePanelVisible() const
{
    return ui->Panel4->isVisibleTo(this);
}

void ResidentListPanel::deleteResident()
{
    if (rowCount() == 0)
        return;
    const QString name = currentValue(QStringLiteral("F_Name")).toString();
    if (ShowMess(ResidentStore::deleteResidentQuestion(name), MessQuestion) == MessCancel)
        return;
    const int row = ui->DBGridEh1->currentRow();
    if (!ResidentStore::deleteResident(currentValue(QStringLiteral("F_mainID")), currentValue(QStringLiteral("F_ID"))))
        return;
    refreshList();
    if (row > 0 && rowCount() > 0)
        ui->DBGridEh1->setCurrentRow(qMin(row, rowCount() - 1));
}

void ResidentListPanel::deleteDetail()
{
    if (m_detailPage == 1) {
        const int row = ui->DBGridEh2->currentRow();
        if (m_detail1->rowCount() == 0 || row < 0)
            return;
        const QString date = m_detail1->value(row, QStringLiteral("F_Date")).toString();
        if (ShowMess(ResidentStore::deleteChangeQuestion(date), MessQuestion) == MessCancel)
            return;
        if (ResidentStore::deleteChangeRecord(m_detail1->value(row, QStringLiteral("F_ID")).toLongLong()))
            ui->DBGridEh2->refresh();
        return;
    }
    if (m_detailPage == 3) {
        const int row = ui->DBGridEh3->currentRow();
        if (m_detail3->rowCount() == 0 || row < 0)
            return;
        const QString day = m_detail3->value(row, QStringLiteral("F_editDate")).toString();
        if (ShowMess(ResidentStore::deleteReminderQuestion(day), MessQuestion) == MessCancel)
            return;
        if (ResidentStore::deleteReminder(m_detail3->value(row, QStringLiteral("F_ID")).toLongLong()))
            ui->DBGridEh3->refresh();
        return;
    }
    ShowMess(QStringLiteral("请点击一下相关的表格。"), MessInfo);
}

bool ResidentListPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
