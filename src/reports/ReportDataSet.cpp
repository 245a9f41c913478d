#include "ReportDataSet.h"

#include "grid/DataGrid.h"

ReportDataSet::~ReportDataSet() = default;

std::shared_ptr<ModelDataSet> ModelDataSet::fromSql(const QString &sql, const QVariant &params)
{
    std::shared_ptr<ModelDataSet> ds(new ModelDataSet);
    ds->m_own = std::make_unique<SqlRowModel>();
    ds->m_model = ds->m_own.get();
    ds->m_own->setQuery(sql, params);
    return ds;
}

std::shared_ptr<ModelDataSet> ModelDataSet::fromModel(SqlRowModel *model, int currentRow)
{
    std::shared_ptr<ModelDataSet> ds(new ModelDataSet);
    ds->m_model = model;
    ds->m_current = qMax(0, currentRow);
    return ds;
}

bool ModelDataSet::isOpen() const
{
    return m_model && m_model->isOpen();
}

int ModelDataSet::rowCount() const
{
    return isOpen() ? m_model->rowCount() : 0;
}

int ModelDataSet::fieldIndex(const QString &name) const
{
    return m_model ? m_model->fieldIndex(name) : -1;
}

QVariant ModelDataSet::value(int row, int field) const
{
    return isOpen() ? m_model->value(row, field) : QVariant();
}

ReportDataSet::Kind ModelDataSet::fieldKind(int field) const
{
    return m_model ? m_model->fieldKind(field) : Kind::Text;
}

DetailDataSet::DetailDataSet(
    const QString &sql, const QString &paramName, const QString &masterDataSet, const QString &masterField)
    : m_sql(sql)
    , m_param(paramName)
{
    m_master = masterDataSet;
    m_masterField = masterField;
    m_own = std::make_unique<SqlRowModel>();
    m_model = m_own.get();
    // no rows yet, but the fields are known before the first master row
    m_own->setQuery(m_sql, QVariantMap { { m_param, QVariant() } });
}

bool DetailDataSet::setMasterValue(const QVariant &value)
{
    // consecutive master rows often share nothing, but a repeated key needs no query
    if (m_opened && value == m_lastKey)
        return m_own->isOpen();
    m_opened = true;
    m_lastKey = value;
    m_current = 0;
    return m_own->setQuery(m_sql, QVariantMap { { m_param, value } });
}

RowsDataSet::RowsDataSet(const QStringList &fields, const QList<QVariantList> &rows, const QList<Kind> &kinds)
    : m_fields(fields)
    , m_rows(rows)
    , m_kinds(kinds)
{
}

int RowsDataSet::fieldIndex(const QString &name) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant RowsDataSet::value(int row, int field) const
{
    if (row < 0 || row >= m_rows.size())
        return {};
    return m_rows.at(row).value(field);
}

ReportDataSet::Kind RowsDataSet::fieldKind(int field) const
{
    return m_kinds.value(field, Kind::Text);
}

GridDataSet::GridDataSet(DataGrid *grid)
    : m_grid(grid)
{
    if (!grid)
        return;
    for (int logical : grid->visualOrder())
        if (grid->column(logical).visible && !grid->isColumnHidden(logical))
            m_columns << logical;
}

int GridDataSet::rowCount() const
{
    return m_grid && m_grid->rowModel() && m_grid->rowModel()->isOpen() ? m_grid->rowModel()->rowCount() : 0;
}

int GridDataSet::fieldIndex(const QString &name) const
{
    if (!name.startsWith(QLatin1Char('C'), Qt::CaseInsensitive))
        return -1;
    bool ok = false;
    const int i = name.mid(1).toInt(&ok);
    return ok && i >= 0 && i < m_columns.size() ? i : -1;
}

QVariant GridDataSet::value(int row, int field) const
{
    if (!m_grid || field < 0 || field >= m_columns.size())
        return {};
    return m_grid->displayText(row, m_columns.at(field));
}
