#include "SqlRowModel.h"

#include "data/Database.h"
#include "data/Dialect.h"
#include "data/Schema.h"
#include "support/Messages.h"

#include <QSqlError>
#include <QTimer>
#include <algorithm>
#include <numeric>
#include <sqlite3.h>

namespace {

QString quoted(const QString &name)
{
    return QLatin1Char('`') + QString(name).replace(QLatin1Char('`'), QLatin1String("``")) + QLatin1Char('`');
}

// The caller's statement as a subquery: a trailing ';' would end it early.
QString inner(const QString &sql)
{
    QString s = sql.trimmed();
    while (s.endsWith(QLatin1Char(';')))
        s = s.chopped(1).trimmed();
    return QLatin1Char('(') + s + QLatin1Char(')');
}

// The statement without a final top-level "order by": counting never needs the
// order, and SQLite counts an ordered subquery by building every row.
QString withoutOrder(const QString &sql)
{
    QString s = sql.trimmed();
    while (s.endsWith(QLatin1Char(';')))
        s = s.chopped(1).trimmed();
    int depth = 0;
    qsizetype last = -1;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype j = s.indexOf(c, i + 1);
            if (j < 0)
                return s;
            i = j;
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            --depth;
        } else if (depth == 0 && (c == QLatin1Char('o') || c == QLatin1Char('O'))
                   && (i == 0 || s.at(i - 1).isSpace())
                   && QStringView(s).mid(i).startsWith(QLatin1String("order"), Qt::CaseInsensitive)) {
            qsizetype j = i + 5;
            while (j < s.size() && s.at(j).isSpace())
                ++j;
            if (j > i + 5 && QStringView(s).mid(j).startsWith(QLatin1String("by"), Qt::CaseInsensitive))
                last = i;
        }
    }
    // "limit" after the order changes which rows count: keep such statements whole
    if (last < 0 || QStringView(s).mid(last).contains(QLatin1String("limit"), Qt::CaseInsensitive))
        return s;
    return s.left(last).trimmed();
}

SqlRowModel::FieldKind kindFromSchema(Schema::Kind k)
{
    using K = Schema::Kind;
    switch (k) {
    case K::AutoKey:
    case K::Integer:
        return SqlRowModel::FieldKind::Integer;
    case K::Float:
        return SqlRowModel::FieldKind::Number;
    case K::Date:
    case K::DateText:
        return SqlRowModel::FieldKind::Date;
    case K::Bool:
        return SqlRowModel::FieldKind::Bool;
    case K::Binary:
        return SqlRowModel::FieldKind::Blob;
    case K::Text:
    case K::Memo:
        break;
    }
    return SqlRowModel::FieldKind::Text;
}

SqlRowModel::FieldKind kindFromDecl(const QString &decl)
{
    const QString d = decl.toUpper();
    using F = SqlRowModel::FieldKind;
    if (d.contains(QLatin1String("BOOL")))
        return F::Bool;
    if (d.contains(QLatin1String("INT")))
        return F::Integer;
    for (const char *w : { "REAL", "FLOA", "DOUB", "NUM", "DEC", "MONEY", "CURR" })
        if (d.contains(QLatin1String(w)))
            return F::Number;
    if (d.contains(QLatin1String("DATE")) || d.contains(QLatin1String("TIME")))
        return F::Date;
    if (d.contains(QLatin1String("BLOB")) || d.contains(QLatin1String("BINARY")) || d.contains(QLatin1String("IMAGE")))
        return F::Blob;
    return F::Text;
}

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

// SQLite's order of values: null, numbers, text, blobs; text without regard to case.
int compareValues(const QVariant &a, const QVariant &b)
{
    auto rank = [](const QVariant &v) {
        if (v.isNull())
            return 0;
        if (isNumber(v))
            return 1;
        return v.typeId() == QMetaType::QByteArray ? 3 : 2;
    };
    const int ra = rank(a), rb = rank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (ra == 1) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (ra == 2)
        return a.toString().compare(b.toString(), Qt::CaseInsensitive);
    return 0;
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    if (isNumber(a) && isNumber(b))
        return a.toDouble() == b.toDouble();
    return a.toString().compare(b.toString(), Qt::CaseInsensitive) == 0;
}

} // namespace

SqlRowModel::SqlRowModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

SqlRowModel::~SqlRowModel() = default;

void SqlRowModel::setCalculatedField(const QString &name, std::function<QVariant(int)> value)
{
    beginResetModel();
    m_calculated.insert(name.toLower(), value);
    const int i = fieldIndex(name);
    if (i >= 0 && m_fields[i].calc)
        m_fields[i].calc = value;
    else if (m_open)
        m_fields.append({ name, FieldKind::Integer, {}, -1, value });
    endResetModel();
}

bool SqlRowModel::setQuery(const QString &sql, const QVariant &params)
{
    m_sql = sql;
    m_params = params;
    m_sort.clear();
    return refresh();
}

bool SqlRowModel::refresh()
{
    beginResetModel();
    const bool ok = open();
    endResetModel();
    return ok;
}

void SqlRowModel::close()
{
    beginResetModel();
    clearState();
    endResetModel();
}

// Forgets the statement's result: rows, pages, sums and fields.
void SqlRowModel::clearState()
{
    dropCursor();
    m_open = false;
    m_count = 0;
    m_full = false;
    m_rows.clear();
    m_order.clear();
    m_pages.clear();
    m_pageAge.clear();
    m_sums.clear();
    m_fields.clear();
}

bool SqlRowModel::open()
{
    clearState();

    QString error;
    QSqlQuery q;
    bool ok = describe(&error);
    if (ok) {
        ok = Database::exec(q, QStringLiteral("select count(*) from ") + inner(withoutOrder(m_sql)), m_params) && q.next();
        if (ok)
            m_count = q.value(0).toInt();
    }
    if (!ok) {
        m_fields.clear();
        ShowMess(QStringLiteral("打开操作失败，请检查数据连接... "), MessError);
        return false;
    }
    m_open = true;
    // a sort field may be gone after the statement changed
    QList<SortKey> keys;
    for (const SortKey &k : std::as_const(m_sort)) {
        const int f = fieldIndex(k.field);
        if (f >= 0 && m_fields[f].loadedAt >= 0)
            keys << SortKey { m_fields[f].name, k.descending };
    }
    m_sort = keys;
    if (m_count <= m_fullLoadLimit) {
        m_full = true;
        loadAll();
        sortInMemory();
    }
    return true;
}

bool SqlRowModel::describe(QString *error)
{
    sqlite3 *db = Database::handle();
    if (!db) {
        *error = QStringLiteral("no connection");
        return false;
    }
    const QByteArray text = (QStringLiteral("select * from ") + inner(Dialect::jetToSqlite(m_sql))).toUtf8();
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &st, nullptr) != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(st);
        return false;
    }
    int loaded = 0;
    for (int i = 0; i < sqlite3_column_count(st); ++i) {
        Field f;
        f.name = QString::fromUtf8(sqlite3_column_name(st, i));
        const char *table = sqlite3_column_table_name(st, i);
        const char *origin = sqlite3_column_origin_name(st, i);
        const char *decl = sqlite3_column_decltype(st, i);
        f.table = table ? QString::fromUtf8(table) : QString();
        const Schema::Column *c = table && origin ? Schema::column(f.table, QString::fromUtf8(origin)) : nullptr;
        f.kind = c ? kindFromSchema(c->kind) : kindFromDecl(decl ? QString::fromUtf8(decl) : QString());
        if (f.kind != FieldKind::Blob)
            f.loadedAt = loaded++;
        m_fields.append(f);
    }
    sqlite3_finalize(st);
    for (auto it = m_calculated.cbegin(); it != m_calculated.cend(); ++it) {
        const int i = fieldIndex(it.key());
        if (i >= 0) {
            m_fields[i].calc = it.value();
            m_fields[i].loadedAt = -1;
        } else {
            m_fields.append({ it.key(), FieldKind::Integer, {}, -1, it.value() });
        }
    }
    // positions in a fetched row follow the select list, so renumber after calculated ones
    loaded = 0;
    for (Field &f : m_fields)
        f.loadedAt = (f.calc || f.kind == FieldKind::Blob) ? -1 : loaded++;
    return true;
}

QString SqlRowModel::selectList() const
{
    QStringList cols;
    for (const Field &f : m_fields)
        if (f.loadedAt >= 0)
            cols << quoted(f.name);
    return cols.isEmpty() ? QStringLiteral("1") : cols.join(QLatin1Char(','));
}

QString SqlRowModel::orderClause() const
{
    QStringList keys;
    for (const SortKey &k : m_sort)
        keys << quoted(k.field) + QStringLiteral(" COLLATE NOCASE")
                + (k.descending ? QStringLiteral(" DESC") : QString());
    return keys.isEmpty() ? QString() : QStringLiteral(" order by ") + keys.join(QLatin1Char(','));
}

QString SqlRowModel::pagedSql(const QString &columns, qint64 offset, qint64 limit) const
{
    return QStringLiteral("select %1 from %2%3 limit %4 offset %5")
        .arg(columns, inner(m_sql), m_full ? QString() : orderClause())
        .arg(limit)
        .arg(offset);
}

void SqlRowModel::loadAll() const
{
    QSqlQuery q;
    const int n = static_cast<int>(
        std::count_if(m_fields.cbegin(), m_fields.cend(), [](const Field &f) { return f.loadedAt >= 0; }));
    m_rows.clear();
    m_rows.reserve(m_count);
    if (Database::exec(q, pagedSql(selectList(), 0, -1), m_params)) {
        while (q.next()) {
            Row r;
            r.reserve(n);
            for (int i = 0; i < n; ++i)
                r << q.value(i);
            m_rows << r;
        }
    }
    // the table may have changed between the count and the read
    m_rows.resize(m_count);
}

void SqlRowModel::dropCursor() const
{
    m_cursor.reset();
    m_cursorRow = -1;
}

void SqlRowModel::fetchPage(int page) const
{
    const qint64 start = static_cast<qint64>(page) * m_pageSize;
    const int want = static_cast<int>(qMin<qint64>(m_pageSize, m_count - start));
    const int n = static_cast<int>(
        std::count_if(m_fields.cbegin(), m_fields.cend(), [](const Field &f) { return f.loadedAt >= 0; }));
    QList<Row> rows;
    rows.reserve(want);
    for (int attempt = 0; attempt < 2 && rows.isEmpty(); ++attempt) {
        const bool reuse = attempt == 0 && m_cursor && m_cursorRow <= start && start - m_cursorRow <= 2 * m_pageSize;
        if (!reuse) {
            m_cursor = std::make_unique<QSqlQuery>();
            if (!Database::exec(*m_cursor, pagedSql(selectList(), start, -1), m_params)) {
                dropCursor();
                break;
            }
            m_cursorRow = start;
        }
        while (m_cursorRow < start && m_cursor->next())
            ++m_cursorRow;
        while (rows.size() < want && m_cursorRow == start + rows.size() && m_cursor->next()) {
            Row r;
            r.reserve(n);
            for (int i = 0; i < n; ++i)
                r << m_cursor->value(i);
            rows << r;
            ++m_cursorRow;
        }
        if (rows.size() < want)
            dropCursor(); // ended early: the data changed or the cursor was aborted
    }
    rows.resize(want);
    if (m_cursor) {
        // an idle cursor keeps a read open on the file; let it go soon
        QTimer::singleShot(2000, this, [this, row = m_cursorRow] {
            if (m_cursorRow == row)
                dropCursor();
        });
    }
    m_pages.insert(page, rows);
    m_pageAge.removeOne(page);
    m_pageAge.append(page);
    while (m_pageAge.size() > m_maxPages)
        m_pages.remove(m_pageAge.takeFirst());
}

const SqlRowModel::Row *SqlRowModel::row(int r) const
{
    if (!m_open || r < 0 || r >= m_count)
        return nullptr;
    if (m_full)
        return &m_rows.at(m_order.at(r));
    const int page = r / m_pageSize;
    auto it = m_pages.constFind(page);
    if (it == m_pages.cend()) {
        fetchPage(page);
        it = m_pages.constFind(page);
    } else if (m_pageAge.last() != page) {
        m_pageAge.removeOne(page);
        m_pageAge.append(page);
    }
    return &it->at(r % m_pageSize);
}

QStringList SqlRowModel::fieldNames() const
{
    QStringList out;
    for (const Field &f : m_fields)
        out << f.name;
    return out;
}

int SqlRowModel::fieldIndex(const QString &name) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

SqlRowModel::FieldKind SqlRowModel::fieldKind(int field) const
{
    return field >= 0 && field < m_fields.size() ? m_fields.at(field).kind : FieldKind::Text;
}

QString SqlRowModel::originTable(int field) const
{
    return field >= 0 && field < m_fields.size() ? m_fields.at(field).table : QString();
}

QVariant SqlRowModel::value(int r, int field) const
{
    if (!m_open || field < 0 || field >= m_fields.size() || r < 0 || r >= m_count)
        return {};
    const Field &f = m_fields.at(field);
    if (f.calc)
        return f.calc(r);
    if (f.loadedAt < 0) {
        // a blob, read for this one row only
        QSqlQuery q;
        const int at = m_full ? m_order.value(r, r) : r;
        if (Database::exec(q, pagedSql(quoted(f.name), at, 1), m_params) && q.next())
            return q.value(0);
        return {};
    }
    const Row *row = this->row(r);
    return row && f.loadedAt < row->size() ? row->at(f.loadedAt) : QVariant();
}

QVariant SqlRowModel::value(int r, const QString &field) const
{
    return value(r, fieldIndex(field));
}

int SqlRowModel::find(const QString &field, const QVariant &wanted, int from) const
{
    const int f = fieldIndex(field);
    if (!m_open || f < 0)
        return -1;
    from = qMax(0, from);
    if (!m_full && m_fields.at(f).loadedAt >= 0) {
        // ask the database for the position, then make sure the page agrees
        QSqlQuery q;
        const QString sql = QStringLiteral("select rn from (select row_number() over (%1) - 1 as rn, %2 as v from %3) "
                                           "where v = ? and rn >= %4 limit 1")
                                .arg(orderClause().trimmed(), quoted(m_fields.at(f).name), inner(m_sql))
                                .arg(from);
        QVariantList params = m_params.typeId() == QMetaType::QVariantList ? m_params.toList() : QVariantList();
        const bool positional = m_params.typeId() != QMetaType::QVariantMap;
        if (positional) {
            if (m_params.isValid() && m_params.typeId() != QMetaType::QVariantList)
                params << m_params;
            params << wanted;
            if (Database::exec(q, sql, params) && q.next()) {
                const int r = q.value(0).toInt();
                if (sameValue(value(r, f), wanted))
                    return r;
            }
        }
    }
    for (int r = from; r < m_count; ++r)
        if (sameValue(value(r, f), wanted))
            return r;
    return -1;
}

double SqlRowModel::sum(const QString &field) const
{
    const int f = fieldIndex(field);
    if (!m_open || f < 0)
        return 0;
    const QString key = m_fields.at(f).name.toLower();
    if (auto it = m_sums.constFind(key); it != m_sums.cend())
        return *it;
    double total = 0;
    if (m_full || m_fields.at(f).calc) {
        for (int r = 0; r < m_count; ++r)
            total += value(r, f).toDouble();
    } else {
        QSqlQuery q;
        if (Database::exec(
                q, QStringLiteral("select total(%1) from %2").arg(quoted(m_fields.at(f).name), inner(m_sql)), m_params)
            && q.next())
            total = q.value(0).toDouble();
    }
    m_sums.insert(key, total);
    return total;
}

bool SqlRowModel::setSort(const QList<SortKey> &keys)
{
    QList<SortKey> valid;
    for (const SortKey &k : keys) {
        const int f = fieldIndex(k.field);
        if (f >= 0 && m_fields.at(f).loadedAt >= 0)
            valid << SortKey { m_fields.at(f).name, k.descending };
    }
    if (!m_open) {
        m_sort = valid;
        return false;
    }
    if (m_full) {
        emit layoutAboutToBeChanged();
        m_sort = valid;
        sortInMemory();
        emit layoutChanged();
        return true;
    }
    m_sort = valid;
    return refresh();
}

void SqlRowModel::sortInMemory()
{
    m_order.resize(m_rows.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    QList<int> keys, desc;
    for (const SortKey &k : std::as_const(m_sort)) {
        keys << m_fields.at(fieldIndex(k.field)).loadedAt;
        desc << k.descending;
    }
    if (keys.isEmpty())
        return;
    std::stable_sort(m_order.begin(), m_order.end(), [&](int ia, int ib) {
        const Row &a = m_rows.at(ia), &b = m_rows.at(ib);
        for (int i = 0; i < keys.size(); ++i) {
            const int c = compareValues(a.value(keys[i]), b.value(keys[i]));
            if (c != 0)
                return desc[i] ? c > 0 : c < 0;
        }
        return false;
    });
}

int SqlRowModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_count;
}

int SqlRowModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_fields.size());
}

QVariant SqlRowModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return value(index.row(), index.column());
}

QVariant SqlRowModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_fields.size())
        return m_fields.at(section).name;
    return QAbstractTableModel::headerData(section, orientation, role);
}
