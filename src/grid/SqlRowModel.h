#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

// Rows of one SQL statement, one column per column of the statement.
//
// The row count comes from "select count(*)", so it is exact before any row is
// read. A statement with at most fullLoadLimit() rows is read whole and sorted in
// memory; a larger one is read in pages as rows are asked for, and sorted by a new
// query with ORDER BY on validated column names. Blob columns are read only when
// value() asks for them.
class SqlRowModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum class FieldKind { Text, Number, Integer, Bool, Date, Blob };
    struct SortKey
    {
        QString field;
        bool descending = false;
        bool operator==(const SortKey &) const = default;
    };

    explicit SqlRowModel(QObject *parent = nullptr);
    ~SqlRowModel() override;

    // Opens the statement (program dialect) with bound params; keeps no sort.
    // On error shows the open-failure message and leaves the model closed, empty.
    bool setQuery(const QString &sql, const QVariant &params = {});
    // Runs the same statement again with the same sort.
    bool refresh();
    void close();
    bool isOpen() const { return m_open; }
    QString sql() const { return m_sql; }

    void setFullLoadLimit(int rows) { m_fullLoadLimit = rows; }
    int fullLoadLimit() const { return m_fullLoadLimit; }
    void setPageSize(int rows) { m_pageSize = qMax(1, rows); }
    // True when every row is held in memory (sorting needs no query).
    bool allLoaded() const { return m_full; }

    // A field whose value is computed from the row position (e.g. a row number).
    void setCalculatedField(const QString &name, std::function<QVariant(int row)> value);

    QStringList fieldNames() const;
    int fieldIndex(const QString &name) const; // case-insensitive, -1 when absent
    FieldKind fieldKind(int field) const;
    QString originTable(int field) const;

    QVariant value(int row, int field) const;
    QVariant value(int row, const QString &field) const;
    // First row at or after `from` whose field equals value (text compared
    // without regard to case); -1 when none.
    int find(const QString &field, const QVariant &value, int from = 0) const;
    double sum(const QString &field) const;

    // Keys whose field is not a column of the statement are dropped. An empty
    // list restores the statement's own order. False when the query fails.
    bool setSort(const QList<SortKey> &keys);
    QList<SortKey> sort() const { return m_sort; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct Field
    {
        QString name;
        FieldKind kind = FieldKind::Text;
        QString table;
        int loadedAt = -1; // position in a fetched row, -1 for blobs and calculated fields
        std::function<QVariant(int)> calc;
    };
    using Row = QList<QVariant>;

    bool open();
    void clearState();
    bool describe(QString *error);
    QString selectList() const;
    QString orderClause() const;
    QString pagedSql(const QString &columns, qint64 offset, qint64 limit) const;
    void loadAll() const;
    const Row *row(int r) const;
    void fetchPage(int page) const;
    void dropCursor() const;
    void sortInMemory();

    QString m_sql;
    QVariant m_params;
    QList<Field> m_fields;
    QHash<QString, std::function<QVariant(int)>> m_calculated;
    QList<SortKey> m_sort;
    bool m_open = false;
    int m_count = 0;
    int m_fullLoadLimit = 2000;
    int m_pageSize = 200;
    int m_maxPages = 64;

    bool m_full = false;
    mutable QList<Row> m_rows; // whole result in full mode, in the statement's order
    QList<int> m_order; // display row -> index in m_rows
    mutable QHash<int, QList<Row>> m_pages;
    mutable QList<int> m_pageAge; // least recently used first
    // A cursor left open after the last page read, so scrolling on reads on.
    mutable std::unique_ptr<QSqlQuery> m_cursor;
    mutable qint64 m_cursorRow = -1;
    mutable QHash<QString, double> m_sums;
};
