#pragma once

#include "ResidentStore.h"

#include <QString>
#include <QVariant>
#include <QWidget>
#include <functional>

class DataGrid;
class SqlRowModel;
class QToolBar;
class QTreeWidgetItem;

namespace Ui {
class ResidentListPanel;
}

// The resident list of the main window: filter bar, household-type and age
// trees, the resident grid, its count and the detail pages of the current
// resident. The main window wires its actions to the public methods.
class ResidentListPanel : public QWidget
{
    Q_OBJECT
public:
    // Numbers of the age-tree nodes.
    enum AgeNode { AgeAll = 1, AgeCustom = 2 };

    explicit ResidentListPanel(QWidget *parent = nullptr);
    ~ResidentListPanel() override;

    // First show of the main window: chooser entries, household types (first
    // node selected), the list, and the stored column layout.
    void firstShowSetup();
    // The 28 chooser entries, none selected.
    void fillChooser();

    // Rebuilds the list from the filter controls; false when the statement failed
    // (the message was shown, the grid is empty).
    bool refreshList();
    // Reopens the same statement and moves to the row whose field equals value
    // (editors after saving); rewrites the count.
    bool reopenAt(const QString &field, const QVariant &value);

    int rowCount() const;
    QVariant currentValue(const QString &field) const;
    DataGrid *grid() const;
    DataGrid *detailGrid1() const;
    DataGrid *detailGrid3() const;
    SqlRowModel *listModel() const { return m_list; }
    SqlRowModel *detailModel1() const { return m_detail1; }
    SqlRowModel *detailModel3() const { return m_detail3; }
    QToolBar *detailToolBar() const;
    // 0 until an entry of the page list is picked, then 1, 2 or 3.
    int detailPage() const { return m_detailPage; }
    QString countText() const;

    // The last rebuilt statement without ordering, and its values.
    QString listSql() const { return m_listSql.sql; }
    QVariantList listParams() const { return m_listSql.params; }

    void setTreePanelVisible(bool visible);
    bool treePanelVisible() const;

    // Delete of the main menu group: asks, deletes the resident with his
    // change records and reminders, rebuilds the list.
    void deleteResident();
    // Delete of the detail group, by the chosen page.
    void deleteDetail();

    // The advanced query: returns a complete statement, or empty when cancelled.
    // Without one, the button says the feature is not finished.
    void setQueryDialog(std::function<QString(QWidget *)> dialog) { m_queryDialog = std::move(dialog); }
    bool advancedQueryActive() const;

signals:
    void residentDoubleClicked();
    void detailDoubleClicked();
    void detailPageChanged(int page);
    void treePanelVisibilityChanged(bool visible);
    void listRebuilt(int rows);

private:
    void setupGrids();
    void setupAgeTree();
    void chooseEntry(int entry);
    void valueChanged();
    void advancedQueryClicked(bool down);
    void setAdvancedDown(bool down);
    bool openList(const QString &sql, const QVariantList &params);
    void currentResidentChanged();
    void showFamily();
    void pickDetailPage(int row);
    // Builds the filter from the controls; false when the age band has no bounds.
    bool currentFilter(ResidentStore::Filter &filter);
    QString valueText() const;
    bool eventFilter(QObject *watched, QEvent *event) override;

    Ui::ResidentListPanel *ui;
    SqlRowModel *m_list;
    SqlRowModel *m_detail1;
    SqlRowModel *m_detail3;
    ResidentStore::Statement m_listSql;
    std::function<QString(QWidget *)> m_queryDialog;
    int m_detailPage = 0;
    bool m_layoutLoaded = false;
    bool m_switching = false;
    QVariant m_shownMainId;
};
