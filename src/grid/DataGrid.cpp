#include "DataGrid.h"

#include "DisplayFormat.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

namespace {

const QString kNullDateLimit = QStringLiteral("1901-08-14");

Qt::Alignment cellAlignment(const GridColumn &c)
{
    return (c.alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
}

} // namespace

// Presents the grid's columns over the row model; the view's columns are the
// grid's logical columns.
class GridViewModel : public QAbstractTableModel
{
public:
    explicit GridViewModel(DataGrid *grid)
        : QAbstractTableModel(grid)
        , m_grid(grid)
    {
    }
    void reset(const std::function<void()> &change)
    {
        beginResetModel();
        change();
        endResetModel();
    }
    void begin() { beginResetModel(); }
    void end() { endResetModel(); }
    void aboutToRelayout() { emit layoutAboutToBeChanged(); }
    void relayout() { emit layoutChanged(); }
    void titlesChanged(int first, int last) { emit headerDataChanged(Qt::Horizontal, first, last); }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() || !m_grid->m_rows ? 0 : m_grid->m_rows->rowCount();
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : m_grid->columnCount();
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        switch (role) {
        case Qt::DisplayRole:
            return m_grid->displayText(index.row(), index.column());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(cellAlignment(m_grid->m_columns.at(index.column())));
        case Qt::ForegroundRole:
        case Qt::BackgroundRole: {
            const auto style = m_grid->rowStyle(index.row());
            if (!style)
                return {};
            const QColor c = role == Qt::ForegroundRole ? style->foreground : style->background;
            return c.isValid() ? QVariant(c) : QVariant();
        }
        default:
            return {};
        }
    }
    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= m_grid->columnCount())
            return {};
        const GridColumn &c = m_grid->m_columns.at(section);
        switch (role) {
        case Qt::DisplayRole:
            return c.caption;
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        case Qt::DecorationRole:
            if (c.marker == GridColumn::Marker::None)
                return {};
            return m_grid->style()->standardIcon(
                c.marker == GridColumn::Marker::Up ? QStyle::SP_ArrowUp : QStyle::SP_ArrowDown);
        default:
            return {};
        }
    }

private:
    DataGrid *m_grid;
};

// The footer row under the cells, lined up with the header's sections.
class GridFooter : public QWidget
{
public:
    explicit GridFooter(DataGrid *grid)
        : QWidget(grid)
        , m_grid(grid)
    {
    }
    int rowHeight() const { return fontMetrics().height() + 8; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().window());
        const QHeaderView *h = m_grid->horizontalHeader();
        p.setPen(palette().color(QPalette::Mid));
        for (int logical = 0; logical < m_grid->columnCount(); ++logical) {
            if (h->isSectionHidden(logical))
                continue;
            const QRect cell(h->sectionViewportPosition(logical), 0, h->sectionSize(logical), height());
            if (cell.right() < 0 || cell.left() > width())
                continue;
            p.setPen(palette().color(QPalette::Mid));
            p.drawRect(cell.adjusted(0, 0, -1, -1));
            p.setPen(palette().color(QPalette::WindowText));
            p.drawText(cell.adjusted(4, 0, -4, 0), int(cellAlignment(m_grid->m_columns.at(logical))),
                m_grid->footerText(logical));
        }
    }

private:
    DataGrid *m_grid;
};

DataGrid::DataGrid(QWidget *parent)
    : QTableView(parent)
    , m_view(new GridViewModel(this))
    , m_footer(new GridFooter(this))
{
    setModel(m_view);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setSortingEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView *h = horizontalHeader();
    h->setSectionsMovable(true);
    h->setSectionsClickable(true);
    h->setHighlightSections(false);
    h->setStretchLastSection(false);
    h->setDefaultAlignment(Qt::AlignCenter);
    connect(h, &QHeaderView::sectionClicked, this, &DataGrid::titleClick);
    connect(h, &QHeaderView::sectionMoved, this, [this] {
        if (!m_applying)
            rememberHeader();
        m_footer->update();
    });
    connect(h, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (!m_applying && size > 0 && logical < m_columns.size())
            m_columns[logical].width = size;
        m_footer->update();
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_footer, qOverload<>(&QWidget::update));
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex &current) { emit currentRowChanged(current.isValid() ? current.row() : -1); });
    updateFooter();
}

DataGrid::~DataGrid() = default;

void DataGrid::setRowModel(SqlRowModel *model)
{
    if (m_rows)
        disconnect(m_rows, nullptr, this, nullptr);
    m_view->begin();
    m_rows = model;
    m_view->end();
    applyHeader();
    if (!model)
        return;
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_view->begin(); });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        m_view->end();
        applyHeader();
        if (m_rows->rowCount() > 0)
            setCurrentRow(0);
        m_footer->update();
    });
    connect(model, &QAbstractItemModel::layoutAboutToBeChanged, this, [this] { m_view->aboutToRelayout(); });
    connect(model, &QAbstractItemModel::layoutChanged, this, [this] {
        m_view->relayout();
        viewport()->update();
    });
    connect(model, &QObject::destroyed, this, [this] { setRowModel(nullptr); });
    if (model->rowCount() > 0)
        setCurrentRow(0);
}

void DataGrid::setColumns(const QList<GridColumn> &columns)
{
    m_view->reset([&] {
        m_columns = columns;
        m_visual.clear();
        for (int i = 0; i < m_columns.size(); ++i)
            m_visual << i;
    });
    applyHeader();
    updateFooter();
}

void DataGrid::setColumn(int logical, const GridColumn &column)
{
    if (logical < 0 || logical >= m_columns.size())
        return;
    m_columns[logical] = column;
    applyHeader();
    m_view->titlesChanged(logical, logical);
    viewport()->update();
    updateFooter();
}

QList<int> DataGrid::visualOrder() const
{
    return m_visual;
}

QList<GridColumn> DataGrid::columnsInOrder() const
{
    QList<GridColumn> out;
    for (int logical : m_visual)
        out << m_columns.at(logical);
    return out;
}

int DataGrid::columnOfField(const QString &field) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns.at(i).fieldName.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void DataGrid::setColumnVisible(int logical, bool visible)
{
    if (logical < 0 || logical >= m_columns.size())
        return;
    m_columns[logical].visible = visible;
    applyHeader();
    m_footer->update();
}

void DataGrid::rememberHeader()
{
    const QHeaderView *h = horizontalHeader();
    m_visual.clear();
    for (int v = 0; v < h->count(); ++v)
        m_visual << h->logicalIndex(v);
}

void DataGrid::applyHeader()
{
    // A model reset gives the header back its default sections; put ours back.
    QHeaderView *h = horizontalHeader();
    if (h->count() != m_columns.size())
        return;
    m_applying = true;
    for (int v = 0; v < m_visual.size(); ++v) {
        const int from = h->visualIndex(m_visual.at(v));
        if (from != v)
            h->moveSection(from, v);
    }
    for (int i = 0; i < m_columns.size(); ++i) {
        h->resizeSection(i, m_columns.at(i).width);
        h->setSectionHidden(i, !m_columns.at(i).visible);
    }
    m_applying = false;
}

QString DataGrid::formatValue(
    const QVariant &value, SqlRowModel::FieldKind kind, const QString &format, NullDateRule rule)
{
    using K = SqlRowModel::FieldKind;
    auto blankedDate = [rule](const QString &text) {
        return (rule == NullDateRule::Before && text < kNullDateLimit)
            || (rule == NullDateRule::UpTo && text <= kNullDateLimit);
    };
    if (value.isNull())
        return {};
    switch (kind) {
    case K::Bool: {
        const QString t = value.toString().trimmed().toLower();
        return t == QLatin1String("true") || value.toLongLong() != 0 ? QStringLiteral("√") : QString();
    }
    case K::Date: {
        const QDateTime dt = DisplayFormat::toDateTime(value);
        if (!dt.isValid()) {
            const QString raw = value.toString();
            return blankedDate(raw) ? QString() : raw;
        }
        if (blankedDate(dt.date().toString(QStringLiteral("yyyy-MM-dd"))))
            return {};
        if (!format.trimmed().isEmpty())
            return DisplayFormat::formatDateTime(format, dt);
        return dt.toString(
            dt.time() == QTime(0, 0) ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    }
    case K::Blob:
        return {};
    case K::Integer:
    case K::Number:
    case K::Text: {
        bool isNum = false;
        const double d = value.toDouble(&isNum);
        const bool stored = value.typeId() == QMetaType::Double || value.typeId() == QMetaType::LongLong
            || value.typeId() == QMetaType::Int;
        if (isNum && (stored || kind != K::Text)) {
            if (!format.trimmed().isEmpty() && !DisplayFormat::isDatePattern(format))
                return DisplayFormat::formatFloat(format, d);
            if (kind == K::Integer || value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int)
                return QString::number(value.toLongLong());
            return QString::number(d, 'g', 15);
        }
        const QString text = value.toString();
        return blankedDate(text) ? QString() : text;
    }
    }
    return value.toString();
}

NullDateRule DataGrid::nullDateRule(int logical) const
{
    if (logical < 0 || logical >= m_columns.size())
        return NullDateRule::None;
    const NullDateRule r = m_nullRules.value(m_columns.at(logical).fieldName.toLower(), NullDateRule::Auto);
    if (r != NullDateRule::Auto)
        return r;
    const int f = m_rows ? m_rows->fieldIndex(m_columns.at(logical).fieldName) : -1;
    return f >= 0 && m_rows->fieldKind(f) == SqlRowModel::FieldKind::Date ? NullDateRule::Before : NullDateRule::None;
}

QString DataGrid::displayText(int row, int logical) const
{
    if (!m_rows || logical < 0 || logical >= m_columns.size())
        return {};
    const GridColumn &c = m_columns.at(logical);
    const int f = m_rows->fieldIndex(c.fieldName);
    if (f < 0)
        return {};
    return formatValue(m_rows->value(row, f), m_rows->fieldKind(f), c.displayFormat, nullDateRule(logical));
}

QString DataGrid::footerText(int logical) const
{
    if (logical < 0 || logical >= m_columns.size())
        return {};
    const GridColumn &c = m_columns.at(logical);
    switch (c.footerType) {
    case GridColumn::Footer::Text:
        return c.footerValue;
    case GridColumn::Footer::Sum: {
        const double total = m_rows && m_rows->isOpen() ? m_rows->sum(c.fieldName) : 0.0;
        return DisplayFormat::formatFloat(
            DisplayFormat::isDatePattern(c.displayFormat) ? QString() : c.displayFormat, total);
    }
    case GridColumn::Footer::None:
        break;
    }
    return {};
}

void DataGrid::setFooterVisible(bool visible)
{
    m_footerWanted = visible;
    updateFooter();
}

bool DataGrid::footerShown() const
{
    if (m_footerWanted)
        return true;
    return std::any_of(m_columns.cbegin(), m_columns.cend(),
        [](const GridColumn &c) { return c.footerType != GridColumn::Footer::None; });
}

void DataGrid::updateFooter()
{
    const bool shown = footerShown();
    m_footer->setVisible(shown);
    setViewportMargins(0, 0, 0, shown ? m_footer->rowHeight() : 0);
    updateGeometries();
    m_footer->update();
}

void DataGrid::updateGeometries()
{
    QTableView::updateGeometries();
    if (!m_footer || !m_footer->isVisibleTo(this))
        return;
    const QRect vg = viewport()->geometry();
    m_footer->setGeometry(vg.left(), vg.bottom() + 1, vg.width(), m_footer->rowHeight());
}

void DataGrid::setNullDateRule(const QString &field, NullDateRule rule)
{
    m_nullRules.insert(field.toLower(), rule);
    viewport()->update();
}

void DataGrid::setRowStyleRule(RowStyleRule rule)
{
    m_rowStyle = std::move(rule);
    viewport()->update();
}

std::optional<DataGrid::RowStyle> DataGrid::rowStyle(int row) const
{
    return m_rowStyle ? m_rowStyle(row) : std::nullopt;
}

int DataGrid::currentRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

void DataGrid::setCurrentRow(int row)
{
    if (!m_rows || row < 0 || row >= m_rows->rowCount() || m_columns.isEmpty())
        return;
    int column = 0;
    for (int logical : std::as_const(m_visual))
        if (m_columns.at(logical).visible) {
            column = logical;
            break;
        }
    const QModelIndex i = m_view->index(row, column);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(i);
}

QVariant DataGrid::currentValue(const QString &field) const
{
    return m_rows ? m_rows->value(currentRow(), field) : QVariant();
}

bool DataGrid::locate(const QString &field, const QVariant &value)
{
    if (!m_rows)
        return false;
    const int row = m_rows->find(field, value);
    if (row < 0)
        return false;
    setCurrentRow(row);
    return true;
}

bool DataGrid::refresh(const QString &keyField)
{
    if (!m_rows)
        return false;
    const int row = currentRow();
    const QVariant key = keyField.isEmpty() ? QVariant() : currentValue(keyField);
    if (!m_rows->refresh())
        return false;
    if (key.isValid() && locate(keyField, key))
        return true;
    setCurrentRow(qMin(row, m_rows->rowCount() - 1));
    return true;
}

void DataGrid::titleClick(int logical)
{
    if (!m_rows || !m_rows->isOpen() || logical < 0 || logical >= m_columns.size())
        return;
    GridColumn &c = m_columns[logical];
    c.marker = c.marker == GridColumn::Marker::Up ? GridColumn::Marker::Down : GridColumn::Marker::Up;
    m_view->titlesChanged(logical, logical);
    // memo-like columns keep their order; a field the statement lacks has nothing to sort
    if (c.fieldName.toLower().contains(QLatin1String("mem")) || m_rows->fieldIndex(c.fieldName) < 0)
        return;
    if (m_sortable && !m_sortable(c.fieldName))
        return;
    m_rows->setSort({ { c.fieldName, c.marker == GridColumn::Marker::Down } });
}

QList<SqlRowModel::SortKey> DataGrid::parseSortText(const QString &text)
{
    QList<SqlRowModel::SortKey> keys;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList words = part.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        keys << SqlRowModel::SortKey { words.first(),
            words.size() > 1 && words.at(1).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0 };
    }
    return keys;
}

bool DataGrid::applySortText(const QString &text)
{
    return m_rows && m_rows->setSort(parseSortText(text));
}
