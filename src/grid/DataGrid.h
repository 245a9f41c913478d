#pragma once

#include "GridColumn.h"
#include "SqlRowModel.h"

#include <QColor>
#include <QHash>
#include <QPointer>
#include <QTableView>
#include <functional>
#include <optional>

class GridViewModel;
class GridFooter;

// The list grid of every list screen: read-only, whole-row selection, columns
// from a column list (or a stored layout), a footer row, title-click sort with
// markers, row colouring by a rule, and columns the user can drag.
class DataGrid : public QTableView
{
    Q_OBJECT
public:
    struct RowStyle
    {
        QColor foreground;
        QColor background;
    };
    using RowStyleRule = std::function<std::optional<RowStyle>(int row)>;
    using SortablePredicate = std::function<bool(const QString &field)>;

    explicit DataGrid(QWidget *parent = nullptr);
    ~DataGrid() override;

    // The rows shown; the grid does not own the model.
    void setRowModel(SqlRowModel *model);
    SqlRowModel *rowModel() const { return m_rows; }

    // Columns are kept in the order they were given (their logical index);
    // columnsInOrder() gives them as they stand on screen after dragging.
    void setColumns(const QList<GridColumn> &columns);
    int columnCount() const { return static_cast<int>(m_columns.size()); }
    GridColumn column(int logical) const { return m_columns.value(logical); }
    void setColumn(int logical, const GridColumn &column);
    QList<int> visualOrder() const; // logical indexes, left to right
    QList<GridColumn> columnsInOrder() const;
    int columnOfField(const QString &field) const; // logical, -1 when absent
    void setColumnVisible(int logical, bool visible);

    // What a cell shows: the column's format, the null-date rule, booleans as a tick.
    QString displayText(int row, int logical) const;
    QString footerText(int logical) const;
    // Shown when asked for, and always while a column has a footer.
    void setFooterVisible(bool visible);
    bool footerShown() const;

    void setNullDateRule(const QString &field, NullDateRule rule);
    NullDateRule nullDateRule(int logical) const; // resolved, never Auto
    void setRowStyleRule(RowStyleRule rule);
    // Extra exclusion for title-click sorting (the marker still changes).
    void setSortablePredicate(SortablePredicate predicate) { m_sortable = std::move(predicate); }

    int currentRow() const;
    void setCurrentRow(int row);
    QVariant currentValue(const QString &field) const;
    // Moves to the first row whose field equals value; false when none.
    bool locate(const QString &field, const QVariant &value);
    // Runs the statement again and comes back to the same record (by keyField
    // when given, else by position).
    bool refresh(const QString &keyField = {});

    // A click on a column title: cycles its marker and sorts by it.
    void titleClick(int logical);
    // Applies a sort text such as "f_name DESC,f_code ASC,"; empty removes the sort.
    bool applySortText(const QString &text);
    static QList<SqlRowModel::SortKey> parseSortText(const QString &text);

    // Same rules as the grid, for any value (used by export and tests).
    static QString formatValue(
        const QVariant &value, SqlRowModel::FieldKind kind, const QString &format, NullDateRule rule);

signals:
    void currentRowChanged(int row);

protected:
    void updateGeometries() override;

private:
    friend class GridViewModel;
    friend class GridFooter;
    void rememberHeader();
    void applyHeader();
    void updateFooter();
    std::optional<RowStyle> rowStyle(int row) const;

    QPointer<SqlRowModel> m_rows;
    GridViewModel *m_view = nullptr;
    GridFooter *m_footer = nullptr;
    QList<GridColumn> m_columns;
    QList<int> m_visual;
    QHash<QString, NullDateRule> m_nullRules; // by lowercase field name
    RowStyleRule m_rowStyle;
    SortablePredicate m_sortable;
    bool m_footerWanted = false;
    bool m_applying = false;
};
