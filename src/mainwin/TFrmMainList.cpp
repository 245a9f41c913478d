// The main window's commands on the resident list and its detail pages.
#include "TFrmMain.h"

#include "ResidentListPanel.h"
#include "grid/DataGrid.h"
#include "grid/GridExport.h"
#include "grid/GridLayouts.h"
#include "grid/SqlRowModel.h"
#include "grid/TfrmRowArrangeGl.h"
#include "reports/Reports.h"
#include "reports/TFrmReportGl.h"
#include "residents/ResidentCursor.h"
#include "residents/TfrmHKbiangeEdit.h"
#include "residents/TfrmZuzavEdit.h"
#include "support/Messages.h"

#include <QAction>
#include <QLayout>
#include <QMenu>
#include <QToolBar>

namespace {

const char *const kReportTemplates[] = {"frHkXianqing", "frHkBianGeng", "frHkList",   "frHkDengJiBiao",
                                        "frHkFenLei",   "frHKreport1",  "frHKreport2", "frHKreport3",
                                        "frHKreport4",  "frHKreport5",  "frHKreport6"};

void popupFor(QWidget *w, QMenu *menu)
{
    w->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(w, &QWidget::customContextMenuRequested, menu,
                     [w, menu](const QPoint &p) { menu->popup(w->mapToGlobal(p)); });
}

// The resident editor walks and reopens the main list through this.
class ListPanelCursor : public ResidentCursor
{
public:
    explicit ListPanelCursor(ResidentListPanel *list)
        : m_list(list)
    {
    }
    int rowCount() const override { return m_list->rowCount(); }
    int currentRow() const override { return m_list->grid()->currentRow(); }
    void setCurrentRow(int row) override { m_list->grid()->setCurrentRow(row); }
    qint64 currentId() const override { return m_list->currentValue(QStringLiteral("F_ID")).toLongLong(); }
    void reopenAt(qint64 id) override { m_list->reopenAt(QStringLiteral("F_ID"), id); }

private:
    ResidentListPanel *m_list;
};

} // namespace

void TFrmMain::createListPanel()
{
    m_list = new ResidentListPanel(this);
    centralWidget()->layout()->addWidget(m_list);
    connect(this, &TFrmMain::listRebuildRequested, m_list, [this] { m_list->refreshList(); });
    connect(m_list, &ResidentListPanel::residentDoubleClicked, this, [this] { runIfVisible(QStringLiteral("Action902")); });
    connect(m_list, &ResidentListPanel::detailDoubleClicked, this, [this] { runIfVisible(QStringLiteral("Action202")); });
    if (QAction *tree = findChild<QAction *>(QStringLiteral("actViewTree"))) {
        connect(m_list, &ResidentListPanel::treePanelVisibilityChanged, tree, [tree](bool on) {
            const QSignalBlocker block(tree);
            tree->setChecked(on);
        });
    }

    QToolBar *detailBar = m_list->detailToolBar();
    for (const char *n : {"Action201", "Action202", "Action203", "Action204", "Action301"})
        detailBar->addAction(action(QString::fromLatin1(n)));

    auto *popup1 = new QMenu(this);
    popup1->setObjectName(QStringLiteral("PopupMenu1"));
    for (const char *n : {"Action901", "Action207", "Action902", "Action903", "-", "Action904", "Action31", "Action905", "Action906"})
        n[0] == '-' ? (void)popup1->addSeparator() : popup1->addAction(action(QString::fromLatin1(n)));
    popupFor(m_list->grid(), popup1);

    auto *popup4 = new QMenu(this);
    popup4->setObjectName(QStringLiteral("PopupMenu4"));
    for (const char *n : {"Action201", "Action202", "Action203", "-", "Action204", "Action301", "Action205", "Action206"})
        n[0] == '-' ? (void)popup4->addSeparator() : popup4->addAction(action(QString::fromLatin1(n)));
    popupFor(m_list->detailGrid1(), popup4);
    popupFor(m_list->detailGrid3(), popup4);

    createListHandlers();
}

Reports::MainSources TFrmMain::reportSources() const
{
    Reports::MainSources s;
    s.residents = m_list->listModel();
    s.currentRow = qMax(0, m_list->grid()->currentRow());
    s.listSql = m_list->listSql();
    return s;
}

void TFrmMain::createListHandlers()
{
    m_handlers.insert(QStringLiteral("Action201"), [this] { detailAdd(); });
    m_handlers.insert(QStringLiteral("Action202"), [this] { detailEdit(); });
    m_handlers.insert(QStringLiteral("Action203"), [this] { m_list->deleteDetail(); });
    m_handlers.insert(QStringLiteral("Action204"), [this] { detailSort(); });
    m_handlers.insert(QStringLiteral("Action205"), [this] { GridLayouts::ChooseDisplayFields(m_list->detailGrid1()); });
    m_handlers.insert(QStringLiteral("Action206"), [this] { detailSaveLayout(); });
    m_handlers.insert(QStringLiteral("Action301"), [this] { detailExport(); });
    m_handlers.insert(QStringLiteral("Action903"), [this] { m_list->deleteResident(); });
    m_handlers.insert(QStringLiteral("Action901"), [this] {
        ListPanelCursor cursor(m_list);
        TfrmZuzavEdit::Open(TfrmZuzavEdit::Add, &cursor, this);
    });
    m_handlers.insert(QStringLiteral("Action902"), [this] {
        if (m_list->rowCount() == 0) {
            ShowMess(QStringLiteral("此表为空，没有客户记录需要修改！"), MessError);
            return;
        }
        ListPanelCursor cursor(m_list);
        TfrmZuzavEdit::Open(TfrmZuzavEdit::Edit, &cursor, this);
    });
    m_handlers.insert(QStringLiteral("Action207"), [this] {
        if (m_list->rowCount() == 0) {
            ShowMess(QStringLiteral("户口记录是空，不能复制！"), MessInfo);
            return;
        }
        ListPanelCursor cursor(m_list);
        TfrmZuzavEdit::Open(TfrmZuzavEdit::Copy, &cursor, this);
    });
    m_handlers.insert(QStringLiteral("Action904"), [this] {
        if (const auto sort = TfrmRowArrangeGl::run(m_list->grid()))
            m_list->grid()->applySortText(*sort);
    });
    m_handlers.insert(QStringLiteral("Action905"), [this] { GridLayouts::ChooseDisplayFields(m_list->grid()); });
    m_handlers.insert(QStringLiteral("Action906"), [this] {
        if (ShowMess(QStringLiteral("真的要保存当前网格设置吗？"), MessQuestion) == MessOk)
            GridLayouts::SaveGridLayout(m_list->grid(), QStringLiteral("hukoumain"));
    });
    m_handlers.insert(QStringLiteral("Action31"), [this] {
        GridExport::ExportGridToExcel(m_list->grid(), QStringLiteral("户口档案管理资料"), true);
    });
    m_handlers.insert(QStringLiteral("Action302"), [this] {
        TFrmReportGl chooser(reportSources(), this);
        chooser.exec();
    });
    for (int i = 0; i < 11; ++i) {
        const QString name = QString::fromLatin1(kReportTemplates[i]);
        m_handlers.insert(QStringLiteral("Action%1").arg(303 + i), [this, name] {
            if (m_list->rowCount() > 0)
                Reports::previewMainTemplate(name, reportSources(), this);
        });
    }
}

void TFrmMain::detailAdd()
{
    const int page = m_list->detailPage();
    if (page != 1 && page != 3)
        return;
    if (m_list->rowCount() == 0) {
        ShowMess(page == 1 ? QStringLiteral("请先选择要增加变更记录的户口！") : QStringLiteral("请先选择要增加提醒事务的户口！"),
                 MessInfo);
        m_list->grid()->setFocus();
        return;
    }
    if (page == 1) {
        TfrmHKbiangeEdit editor(m_list->detailGrid1(), [this](const QString &f) { return m_list->currentValue(f); }, this);
        editor.ShowEditor(0);
    } else {
        ShowMess(QStringLiteral("此功能尚未完成"), MessInfo);
    }
}

void TFrmMain::detailEdit()
{
    const int page = m_list->detailPage();
    if (page == 1) {
        if (m_list->detailModel1()->rowCount() == 0) {
            ShowMess(QStringLiteral("此表为空，没有户口变更记录需要修改！"), MessError);
            return;
        }
        TfrmHKbiangeEdit editor(m_list->detailGrid1(), [this](const QString &f) { return m_list->currentValue(f); }, this);
        editor.ShowEditor(1);
    } else if (page == 3) {
        if (m_list->detailModel3()->rowCount() == 0) {
            ShowMess(QStringLiteral("此表为空，没有提醒记录需要修改！"), MessError);
            return;
        }
        ShowMess(QStringLiteral("此功能尚未完成"), MessInfo);
    }
}

void TFrmMain::detailSort()
{
    const int page = m_list->detailPage();
    DataGrid *g = page == 1 ? m_list->detailGrid1() : page == 3 ? m_list->detailGrid3() : nullptr;
    if (!g)
        return;
    if (const auto sort = TfrmRowArrangeGl::run(g))
        g->applySortText(*sort);
}

void TFrmMain::detailExport()
{
    const int page = m_list->detailPage();
    if (page == 1)
        GridExport::ExportGridToExcel(m_list->detailGrid1(), QStringLiteral("户口变更"), true);
    else if (page == 3)
        GridExport::ExportGridToExcel(m_list->detailGrid3(), QStringLiteral("事务提醒"), true);
}

void TFrmMain::detailSaveLayout()
{
    if (ShowMess(QStringLiteral("真的要保存当前网格设置吗？"), MessQuestion) != MessOk)
        return;
    const int page = m_list->detailPage();
    if (page == 1)
        GridLayouts::SaveGridLayout(m_list->detailGrid1(), QStringLiteral("detail1"));
    else if (page == 2)
        GridLayouts::SaveGridLayout(m_list->detailGrid1(), QStringLiteral("detail2"));
}
