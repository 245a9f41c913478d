#pragma once

#include "grid/SqlRowModel.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

class DataGrid;

// Rows a report reads under a data-set name. Field names are matched without
// regard to case. Rows are read in order, so a source may page through them.
class ReportDataSet
{
public:
    using Kind = SqlRowModel::FieldKind;
    virtual ~ReportDataSet();

    virtual int rowCount() const = 0;
    virtual int fieldIndex(const QString &name) const = 0; // -1 when absent
    virtual QVariant value(int row, int field) const = 0;
    virtual Kind fieldKind(int field) const = 0;
    // Values that are already display text (a grid's cells) skip formatting.
    virtual bool preformatted() const { return false; }

    // A detail set reads the rows of one master row; false when it cannot.
    virtual bool setMasterValue(const QVariant &) { return true; }
    virtual bool isDetail() const { return false; }
    QString masterDataSet() const { return m_master; }
    QString masterField() const { return m_masterField; }

    // The row shown outside a data band and by bands with RangeBegin rbCurrent.
    int currentRow() const { return m_current; }
    void setCurrentRow(int row) { m_current = row; }

protected:
    QString m_master;
    QString m_masterField;
    int m_current = 0;
};

// The rows of an SQL statement with bound parameters, or of a row model that
// a screen already shows (in its displayed order).
class ModelDataSet : public ReportDataSet
{
public:
    // Opens sql with params; a statement that fails leaves the set empty.
    static std::shared_ptr<ModelDataSet> fromSql(const QString &sql, const QVariant &params = {});
    // A model owned by someone else; it must outlive the report.
    static std::shared_ptr<ModelDataSet> fromModel(SqlRowModel *model, int currentRow = 0);

    int rowCount() const override;
    int fieldIndex(const QString &name) const override;
    QVariant value(int row, int field) const override;
    Kind fieldKind(int field) const override;
    bool isOpen() const;

protected:
    ModelDataSet() = default;
    std::unique_ptr<SqlRowModel> m_own;
    QPointer<SqlRowModel> m_model;
};

// Rows of a statement with one parameter taken from the current row of a
// master set, e.g. "select * from t_BGrec where F_mainID = :F_mainID".
class DetailDataSet : public ModelDataSet
{
public:
    DetailDataSet(
        const QString &sql, const QString &paramName, const QString &masterDataSet, const QString &masterField);
    bool setMasterValue(const QVariant &value) override;
    bool isDetail() const override { return true; }

private:
    QString m_sql;
    QString m_param;
    QVariant m_lastKey;
    bool m_opened = false;
};

// A small table held in memory (a settings row, a chart's categories, tests).
class RowsDataSet : public ReportDataSet
{
public:
    RowsDataSet(const QStringList &fields, const QList<QVariantList> &rows, const QList<Kind> &kinds = {});
    int rowCount() const override { return int(m_rows.size()); }
    int fieldIndex(const QString &name) const override;
    QVariant value(int row, int field) const override;
    Kind fieldKind(int field) const override;

private:
    QStringList m_fields;
    QList<QVariantList> m_rows;
    QList<Kind> m_kinds;
};

// A grid's visible columns in their on-screen order, as display text. Fields
// are named C0, C1, … in that order.
class GridDataSet : public ReportDataSet
{
public:
    explicit GridDataSet(DataGrid *grid);
    int rowCount() const override;
    int fieldIndex(const QString &name) const override;
    QVariant value(int row, int field) const override;
    Kind fieldKind(int) const override { return Kind::Text; }
    bool preformatted() const override { return true; }
    QList<int> columns() const { return m_columns; } // logical indexes

private:
    QPointer<DataGrid> m_grid;
    QList<int> m_columns;
};
