#include "Report.h"

#include "app/AppPaths.h"
#include "grid/DisplayFormat.h"

#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <optional>

namespace Rpt {

namespace {

constexpr qreal kGapX = 2.0;
constexpr qreal kGapY = 1.0;
const QString kNullDateLimit = QStringLiteral("1901-08-14");

bool isNullDateText(const QString &text)
{
    return text.left(10) < kNullDateLimit;
}

} // namespace

QString formatNumber(double value, const QString &formatStr)
{
    const QString f = formatStr.trimmed();
    if (f.isEmpty())
        return QString::number(value, 'g', 15);
    static const QRegularExpression printfFormat(
        QStringLiteral(R"(%(-?)(\d*)(?:\.(\d+))?([dfngme]))"), QRegularExpression::CaseInsensitiveOption);
    const auto m = printfFormat.match(f);
    if (!m.hasMatch())
        return DisplayFormat::formatFloat(f, value);
    const int width = m.captured(2).isEmpty() ? 0 : m.captured(2).toInt();
    const bool hasPrec = !m.captured(3).isEmpty();
    const int prec = hasPrec ? m.captured(3).toInt() : -1;
    const QChar kind = m.captured(4).at(0).toLower();
    QString body;
    switch (kind.unicode()) {
    case 'd':
        body = QString::number(qRound64(value));
        if (prec > 0)
            body = body.rightJustified(prec, QLatin1Char('0'));
        break;
    case 'f':
        body = QString::number(value, 'f', hasPrec ? prec : 2);
        break;
    case 'e':
        body = QString::number(value, 'e', hasPrec ? prec : 6);
        break;
    case 'n':
    case 'm': {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::DefaultNumberOptions);
        body = c.toString(value, 'f', hasPrec ? prec : 2);
        if (kind == QLatin1Char('m'))
            body.prepend(QStringLiteral("￥"));
        break;
    }
    default: // g
        body = QString::number(value, 'g', hasPrec ? qMax(1, prec) : 15);
        break;
    }
    if (body.size() < width)
        body = m.captured(1).isEmpty() ? body.rightJustified(width) : body.leftJustified(width);
    return f.left(m.capturedStart()) + body + f.mid(m.capturedEnd());
}

QString formatValue(const QVariant &value, ReportDataSet::Kind kind, FormatKind format, const QString &formatStr)
{
    using K = ReportDataSet::Kind;
    if (value.isNull())
        return {};
    const int type = value.typeId();
    const bool dateValue = type == QMetaType::QDate || type == QMetaType::QDateTime;
    if (kind == K::Blob)
        return {};
    if (kind == K::Bool || type == QMetaType::Bool) {
        const QString t = value.toString().trimmed().toLower();
        const bool on = t == QLatin1String("true") || (t != QLatin1String("false") && value.toLongLong() != 0);
        if (format == FormatKind::Boolean && formatStr.contains(QLatin1Char(','))) {
            const int comma = formatStr.indexOf(QLatin1Char(','));
            return on ? formatStr.mid(comma + 1) : formatStr.left(comma);
        }
        return on ? QStringLiteral("√") : QString();
    }
    if (kind == K::Date || dateValue || format == FormatKind::DateTime) {
        const QDateTime dt = DisplayFormat::toDateTime(value);
        if (!dt.isValid()) {
            const QString raw = value.toString();
            // a text that only looks like a date still follows the null-date rule
            return (kind == K::Date && isNullDateText(raw)) ? QString() : raw;
        }
        if (dt.date().toString(QStringLiteral("yyyy-MM-dd")) < kNullDateLimit)
            return {};
        if (format == FormatKind::DateTime && !formatStr.trimmed().isEmpty())
            return DisplayFormat::formatDateTime(formatStr, dt);
        return dt.toString(
            dt.time() == QTime(0, 0) ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    }
    bool isNum = false;
    const double d = value.toDouble(&isNum);
    const bool stored = type == QMetaType::Double || type == QMetaType::LongLong || type == QMetaType::Int;
    if (isNum && (stored || kind == K::Number || kind == K::Integer)) {
        if (format == FormatKind::Numeric)
            return formatNumber(d, formatStr);
        if (kind == K::Integer || type == QMetaType::LongLong || type == QMetaType::Int)
            return QString::number(value.toLongLong());
        return QString::number(d, 'g', 15);
    }
    return value.toString();
}

// ---------------------------------------------------------------------------

class Layout
{
public:
    Layout(Report &report, PreparedReport &out, const Report::Progress &progress)
        : m_report(report)
        , m_out(out)
        , m_progress(progress)
    {
    }

    bool run();
    // The master band's columns as a table for the spreadsheet export.
    bool tabulate(Report::Table &table);

private:
    struct CompiledSeg
    {
        Segment::Kind kind;
        QString text;
        ReportDataSet *ds = nullptr;
        int field = -1;
        int band = -1; // Count, Sum
        int slot = -1; // Sum
    };
    struct SumSlot
    {
        int band;
        ReportDataSet *ds;
        int field;
        double total = 0;
        std::vector<double> groups;
    };
    struct CompiledObject
    {
        const ReportObject *o = nullptr;
        quint32 index = 0;
        std::vector<CompiledSeg> segs;
        bool dynamic = false;
        bool needsTotal = false;
        QString staticText;
        ReportDataSet *ds = nullptr; // picture, check box
        int field = -1;
        mutable std::optional<QFontMetricsF> metrics;
    };
    struct CompiledBand
    {
        const Band *b = nullptr;
        int index = -1;
        std::vector<CompiledObject> objects;
        ReportDataSet *ds = nullptr;
        CompiledSeg condition;
        bool hasCondition = false;
    };
    struct DetailBlock
    {
        int detail = -1, header = -1, footer = -1;
    };
    struct Block
    {
        int master = -1, header = -1, footer = -1;
        std::vector<int> groups; // outer to inner
        std::vector<int> groupFooters; // same order, -1 when none
        std::vector<DetailBlock> details;
    };
    struct Placed
    {
        const CompiledObject *co;
        QRectF r;
        QString text;
        qint32 image = -1;
        quint8 flags = 0;
    };

    void warn(const QString &w)
    {
        if (!m_report.m_runWarnings.contains(w))
            m_report.m_runWarnings << w;
    }
    ReportDataSet *findDataSet(const QString &name, bool warnMissing);
    CompiledSeg compileSeg(const Segment &s, ReportDataSet *bandDs);
    void compilePage(const Page &page);
    void buildBlocks();
    QString evaluate(const CompiledObject &co) const;
    QString evalSeg(const CompiledSeg &s, const ReportObject &o) const;
    QVariant conditionValue(const CompiledBand &cb) const;
    double layoutBand(const CompiledBand &cb, std::vector<Placed> &placed);
    void place(const std::vector<Placed> &placed, double x, double y);
    void printBand(int band, bool data = true);
    void printFixed(int band, double y);
    void newPage();
    void endPage();
    bool runBlock(const Block &block);
    bool printDetails(const Block &block, ReportDataSet *masterDs, int row);

    Report &m_report;
    PreparedReport &m_out;
    const Report::Progress &m_progress;

    const Page *m_page = nullptr;
    int m_pageIndex = 0;
    std::vector<CompiledBand> m_bands;
    int m_title = -1, m_pageHeader = -1, m_columnHeader = -1, m_pageFooter = -1, m_summary = -1;
    std::vector<Block> m_blocks;

    QRectF m_area;
    double m_y = 0;
    double m_bodyTop = 0;
    bool m_pageOpen = false;
    bool m_firstSheet = true; // of this page template
    bool m_pageHasData = false;
    int m_reprintHeader = -1;
    int m_line = 0;
    int m_lineThrough = 0;
    const Block *m_countBlock = nullptr;
    int m_groupLevel = -1; // group footer being printed
    std::vector<qint64> m_bandCounts;
    std::vector<qint64> m_groupCounts;
    std::vector<SumSlot> m_sums;
    void addSums(int band);
    void resetGroupSums(int level);
    QSet<QString> m_missing;
    bool m_cancelled = false;
};

ReportDataSet *Layout::findDataSet(const QString &name, bool warnMissing)
{
    auto ds = m_report.dataSet(name);
    if (!ds && warnMissing && !name.isEmpty() && !m_missing.contains(name.toLower())) {
        m_missing.insert(name.toLower());
        warn(QStringLiteral("数据集 %1 不存在").arg(name));
    }
    return ds.get();
}

Layout::CompiledSeg Layout::compileSeg(const Segment &s, ReportDataSet *)
{
    CompiledSeg c { s.kind, s.text };
    switch (s.kind) {
    case Segment::Kind::Field:
        c.ds = findDataSet(s.dataSet, true);
        if (c.ds) {
            c.field = c.ds->fieldIndex(s.field);
            if (c.field < 0) {
                warn(QStringLiteral("数据集 %1 中没有字段 %2").arg(s.dataSet, s.field));
                c.ds = nullptr;
            }
        }
        break;
    case Segment::Kind::Count:
    case Segment::Kind::Sum:
        for (const CompiledBand &b : m_bands)
            if (b.b->name.compare(s.band, Qt::CaseInsensitive) == 0)
                c.band = b.index;
        if (c.band < 0) {
            warn(QStringLiteral("表达式 %1 中的数据带 %2 不存在").arg(s.text, s.band));
            c.kind = Segment::Kind::Unknown;
            break;
        }
        if (s.kind == Segment::Kind::Sum) {
            c.ds = findDataSet(s.dataSet, true);
            c.field = c.ds ? c.ds->fieldIndex(s.field) : -1;
            if (c.ds && c.field < 0)
                warn(QStringLiteral("数据集 %1 中没有字段 %2").arg(s.dataSet, s.field));
            if (c.field < 0) {
                c.kind = Segment::Kind::Unknown;
                break;
            }
            c.slot = int(m_sums.size());
            m_sums.push_back({ c.band, c.ds, c.field, 0, {} });
        }
        break;
    case Segment::Kind::Unknown:
        warn(QStringLiteral("不认识的表达式：%1").arg(s.text));
        break;
    default:
        break;
    }
    return c;
}

void Layout::compilePage(const Page &page)
{
    m_bands.clear();
    m_blocks.clear();
    m_sums.clear();
    m_title = m_pageHeader = m_columnHeader = m_pageFooter = m_summary = -1;
    std::vector<const Band *> sorted;
    for (const Band &b : page.bands)
        sorted.push_back(&b);
    std::stable_sort(sorted.begin(), sorted.end(),
        [](const Band *a, const Band *b) { return a->geometry.top() < b->geometry.top(); });

    // bands first, so that COUNT() can name any band of the page
    for (const Band *b : sorted) {
        CompiledBand cb;
        cb.b = b;
        cb.index = int(m_bands.size());
        m_bands.push_back(std::move(cb));
    }
    for (CompiledBand &cb : m_bands) {
        const Band *b = cb.b;
        if (!b->dataSet.isEmpty())
            cb.ds = findDataSet(b->dataSet, true);
        for (const ReportObject &o : b->objects) {
            CompiledObject co;
            co.o = &o;
            co.index = quint32(m_out.objects.size());
            m_out.objects.push_back(&o);
            for (const Segment &s : o.segments) {
                co.segs.push_back(compileSeg(s, cb.ds));
                const Segment::Kind k = co.segs.back().kind;
                if (k != Segment::Kind::Literal && k != Segment::Kind::Unknown)
                    co.dynamic = true;
                if (k == Segment::Kind::TotalPages)
                    co.needsTotal = true;
            }
            if (o.type == ObjectType::Picture || o.type == ObjectType::CheckBox) {
                co.ds = findDataSet(o.dataSet.isEmpty() ? b->dataSet : o.dataSet, true);
                if (co.ds) {
                    co.field = co.ds->fieldIndex(o.dataField);
                    if (co.field < 0) {
                        warn(QStringLiteral("数据集 %1 中没有字段 %2").arg(o.dataSet, o.dataField));
                        co.ds = nullptr;
                    }
                }
            }
            if (!co.dynamic)
                co.staticText = evaluate(co);
            cb.objects.push_back(std::move(co));
        }
        if (b->type == BandType::GroupHeader) {
            QString cond = b->condition.trimmed();
            if (cond.startsWith(QLatin1Char('[')) && cond.endsWith(QLatin1Char(']')))
                cond = cond.mid(1, cond.size() - 2);
            if (!cond.isEmpty()) {
                cb.condition = compileSeg(parseExpression(cond), cb.ds);
                cb.hasCondition = cb.condition.kind != Segment::Kind::Unknown;
            }
        }
    }
    buildBlocks();
    m_bandCounts.assign(m_bands.size(), 0);
}

void Layout::buildBlocks()
{
    std::vector<int> pendingGroups;
    int pendingHeader = -1;
    Block *current = nullptr;
    DetailBlock *lastDetail = nullptr;
    for (const CompiledBand &cb : m_bands) {
        const int i = cb.index;
        switch (cb.b->type) {
        case BandType::ReportTitle:
            if (m_title < 0)
                m_title = i;
            break;
        case BandType::PageHeader:
            if (m_pageHeader < 0)
                m_pageHeader = i;
            break;
        case BandType::ColumnHeader:
            if (m_columnHeader < 0)
                m_columnHeader = i;
            break;
        case BandType::PageFooter:
            if (m_pageFooter < 0)
                m_pageFooter = i;
            break;
        case BandType::ReportSummary:
            if (m_summary < 0)
                m_summary = i;
            break;
        case BandType::Header:
            pendingHeader = i;
            break;
        case BandType::GroupHeader:
            pendingGroups.push_back(i);
            break;
        case BandType::MasterData: {
            m_blocks.push_back({});
            current = &m_blocks.back();
            current->master = i;
            current->header = pendingHeader;
            current->groups = pendingGroups;
            current->groupFooters.assign(pendingGroups.size(), -1);
            pendingGroups.clear();
            pendingHeader = -1;
            lastDetail = nullptr;
            break;
        }
        case BandType::DetailData:
            if (!current) {
                warn(QStringLiteral("明细数据带 %1 上面没有主数据带，未打印").arg(cb.b->name));
                break;
            }
            current->details.push_back({ i, pendingHeader, -1 });
            lastDetail = &current->details.back();
            pendingHeader = -1;
            break;
        case BandType::GroupFooter: {
            lastDetail = nullptr;
            bool placed = false;
            if (current)
                for (int k = int(current->groups.size()) - 1; k >= 0 && !placed; --k)
                    if (current->groupFooters[k] < 0) {
                        current->groupFooters[k] = i;
                        placed = true;
                    }
            if (!placed)
                warn(QStringLiteral("分组尾 %1 没有对应的分组头，未打印").arg(cb.b->name));
            break;
        }
        case BandType::Footer:
            if (lastDetail && lastDetail->footer < 0)
                lastDetail->footer = i;
            else if (current && current->footer < 0)
                current->footer = i;
            lastDetail = nullptr;
            break;
        }
    }
    if (!pendingGroups.empty())
        warn(QStringLiteral("分组头下面没有主数据带，未打印"));
}

QString Layout::evalSeg(const CompiledSeg &s, const ReportObject &o) const
{
    switch (s.kind) {
    case Segment::Kind::Literal:
    case Segment::Kind::Unknown:
        return s.text;
    case Segment::Kind::Field: {
        if (!s.ds)
            return {};
        const int row = s.ds->currentRow();
        if (row < 0 || row >= s.ds->rowCount())
            return {};
        const QVariant v = s.ds->value(row, s.field);
        if (s.ds->preformatted())
            return v.toString();
        return formatValue(v, s.ds->fieldKind(s.field), o.formatKind, o.formatStr);
    }
    case Segment::Kind::Date:
        if (o.formatKind == FormatKind::DateTime && !o.formatStr.trimmed().isEmpty())
            return DisplayFormat::formatDateTime(o.formatStr, m_report.m_runTime);
        return m_report.m_runTime.toString(QStringLiteral("yyyy-MM-dd"));
    case Segment::Kind::Time:
        return m_report.m_runTime.toString(QStringLiteral("hh:mm:ss"));
    case Segment::Kind::Page:
        return QString::number(m_out.pageCount());
    case Segment::Kind::TotalPages:
        return QString(QChar(PreparedReport::kTotalMark));
    case Segment::Kind::Line:
        return QString::number(m_line);
    case Segment::Kind::LineThrough:
        return QString::number(m_lineThrough);
    case Segment::Kind::Count: {
        if (m_countBlock && m_countBlock->master == s.band && m_groupLevel >= 0)
            return QString::number(m_groupCounts.at(m_groupLevel));
        return QString::number(m_bandCounts.at(s.band));
    }
    case Segment::Kind::Sum: {
        const SumSlot &slot = m_sums.at(s.slot);
        const bool inGroup = m_countBlock && m_countBlock->master == s.band && m_groupLevel >= 0
            && m_groupLevel < int(slot.groups.size());
        const double v = inGroup ? slot.groups.at(m_groupLevel) : slot.total;
        return o.formatKind == FormatKind::Numeric ? formatNumber(v, o.formatStr) : QString::number(v, 'g', 15);
    }
    }
    return {};
}

QString Layout::evaluate(const CompiledObject &co) const
{
    if (co.o->type != ObjectType::Memo)
        return {};
    if (!co.dynamic && !co.staticText.isNull())
        return co.staticText;
    if (co.segs.size() == 1)
        return evalSeg(co.segs.front(), *co.o);
    QString out;
    for (const CompiledSeg &s : co.segs)
        out += evalSeg(s, *co.o);
    return out;
}

QVariant Layout::conditionValue(const CompiledBand &cb) const
{
    if (!cb.hasCondition)
        return {};
    const CompiledSeg &s = cb.condition;
    if (s.kind == Segment::Kind::Field) {
        if (!s.ds || s.ds->currentRow() >= s.ds->rowCount())
            return {};
        return s.ds->value(s.ds->currentRow(), s.field);
    }
    ReportObject none;
    return evalSeg(s, none);
}

double Layout::layoutBand(const CompiledBand &cb, std::vector<Placed> &placed)
{
    placed.clear();
    const Band &b = *cb.b;
    double height = b.geometry.height();
    for (const CompiledObject &co : cb.objects) {
        Placed p { &co, co.o->geometry, evaluate(co) };
        if (co.ds && co.field >= 0 && co.ds->currentRow() < co.ds->rowCount()) {
            const QVariant v = co.ds->value(co.ds->currentRow(), co.field);
            if (co.o->type == ObjectType::CheckBox) {
                if (formatValue(v, ReportDataSet::Kind::Bool, FormatKind::Text, {}) == QStringLiteral("√"))
                    p.flags |= PageItem::Checked;
            } else if (co.o->type == ObjectType::Picture) {
                QImage img = QImage::fromData(v.toByteArray());
                if (!img.isNull()) {
                    // 300 dots per inch is as fine as any printer needs
                    const QSize most = (co.o->geometry.size() * 300.0 / 96.0).toSize();
                    if (img.width() > most.width() || img.height() > most.height())
                        img = img.scaled(most, Qt::KeepAspectRatio, Qt::SmoothTransformation);
                    p.image = qint32(m_out.images.size());
                    m_out.images.push_back(std::move(img));
                }
            }
        }
        if (co.needsTotal)
            p.flags |= PageItem::NeedsTotal;
        placed.push_back(std::move(p));
    }
    if (!b.stretched)
        return height;

    // grow memos to their text, push what lies below them down by as much
    std::vector<size_t> order(placed.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(
        order.begin(), order.end(), [&](size_t a, size_t c) { return placed[a].r.top() < placed[c].r.top(); });
    std::vector<double> growth(placed.size(), 0.0);
    for (size_t oi = 0; oi < order.size(); ++oi) {
        Placed &p = placed[order[oi]];
        const QRectF design = p.co->o->geometry;
        double shift = 0;
        for (size_t pj = 0; pj < oi; ++pj) {
            const size_t j = order[pj];
            const QRectF above = placed[j].co->o->geometry;
            if (design.top() >= above.bottom() - 0.5 && design.left() < above.right() && above.left() < design.right())
                shift = std::max(shift, (placed[j].r.bottom() - above.bottom()));
        }
        p.r.moveTop(design.top() + shift);
        const ReportObject &o = *p.co->o;
        if (o.type == ObjectType::Memo && o.stretch != StretchMode::DontStretch && !p.text.isEmpty()) {
            if (!p.co->metrics)
                p.co->metrics.emplace(PreparedReport::fontOf(o));
            int flags = 0;
            if (o.wordWrap)
                flags |= Qt::TextWordWrap;
            const double w = std::max(1.0, design.width() - 2 * kGapX);
            const double need = p.co->metrics->boundingRect(QRectF(0, 0, w, 1e6), flags, p.text).height() + 2 * kGapY;
            if (need > design.height())
                p.r.setHeight(need);
        }
        growth[order[oi]] = p.r.bottom() - design.bottom();
        height = std::max(height, p.r.bottom());
    }
    for (Placed &p : placed)
        if (p.co->o->stretch == StretchMode::MaxHeight)
            p.r.setBottom(height);
    return height;
}

void Layout::place(const std::vector<Placed> &placed, double x, double y)
{
    PreparedPage &pg = m_out.pages.back();
    for (const Placed &p : placed) {
        PageItem item;
        item.x = float(x + p.r.x());
        item.y = float(y + p.r.y());
        item.w = float(p.r.width());
        item.h = float(p.r.height());
        item.object = p.co->index;
        item.flags = p.flags;
        item.image = p.image;
        switch (p.co->o->type) {
        case ObjectType::Memo:
            item.kind = PageItem::Text;
            item.textPos = quint32(pg.text.size());
            item.textLength = quint32(p.text.size());
            pg.text += p.text;
            break;
        case ObjectType::Line:
            item.kind = PageItem::Line;
            break;
        case ObjectType::Shape:
            item.kind = PageItem::Shape;
            break;
        case ObjectType::Picture:
            item.kind = PageItem::Picture;
            break;
        case ObjectType::CheckBox:
            item.kind = PageItem::Check;
            break;
        }
        pg.items.push_back(item);
    }
}

void Layout::printFixed(int band, double y)
{
    std::vector<Placed> placed;
    layoutBand(m_bands[band], placed);
    place(placed, m_area.left() + m_bands[band].b->geometry.left(), y);
}

void Layout::endPage()
{
    if (!m_pageOpen)
        return;
    if (m_pageFooter >= 0 && (m_out.pageCount() > 1 || m_bands[m_pageFooter].b->printOnFirstPage)) {
        const double h = m_bands[m_pageFooter].b->geometry.height();
        printFixed(m_pageFooter, m_area.bottom() - h);
    }
    m_out.pages.back().items.shrink_to_fit();
    m_out.pages.back().text.squeeze();
    m_pageOpen = false;
}

void Layout::newPage()
{
    endPage();
    m_out.pages.push_back({});
    m_out.pages.back().templatePage = m_pageIndex;
    m_pageOpen = true;
    m_pageHasData = false;
    m_y = m_area.top();
    const bool firstOfReport = m_out.pageCount() == 1;
    auto header = [&] {
        if (m_pageHeader >= 0 && (!firstOfReport || m_bands[m_pageHeader].b->printOnFirstPage))
            printBand(m_pageHeader, false);
    };
    if (m_firstSheet && m_title >= 0 && m_page->titleBeforeHeader)
        printBand(m_title, false);
    header();
    if (m_firstSheet && m_title >= 0 && !m_page->titleBeforeHeader)
        printBand(m_title, false);
    m_firstSheet = false;
    if (m_columnHeader >= 0)
        printBand(m_columnHeader, false);
    if (m_reprintHeader >= 0)
        printBand(m_reprintHeader, false);
    m_bodyTop = m_y;
}

void Layout::printBand(int band, bool data)
{
    std::vector<Placed> placed;
    const double h = layoutBand(m_bands[band], placed);
    const double bottom = m_area.bottom() - (m_pageFooter >= 0 ? m_bands[m_pageFooter].b->geometry.height() : 0.0);
    // a band taller than a whole page goes on as it is rather than looping
    if (data && m_y + h > bottom + 0.01 && m_y > m_bodyTop + 0.01) {
        newPage();
        layoutBand(m_bands[band], placed); // page numbers may have changed
    }
    place(placed, m_area.left() + m_bands[band].b->geometry.left(), m_y);
    m_y += h;
    if (data)
        m_pageHasData = true;
}

void Layout::addSums(int band)
{
    for (SumSlot &slot : m_sums) {
        if (slot.band != band || slot.ds->currentRow() >= slot.ds->rowCount())
            continue;
        const double v = slot.ds->value(slot.ds->currentRow(), slot.field).toDouble();
        slot.total += v;
        for (double &g : slot.groups)
            g += v;
    }
}

void Layout::resetGroupSums(int level)
{
    for (SumSlot &slot : m_sums)
        if (level < int(slot.groups.size()))
            slot.groups[level] = 0;
}

bool Layout::printDetails(const Block &block, ReportDataSet *masterDs, int row)
{
    for (const DetailBlock &d : block.details) {
        const CompiledBand &cb = m_bands[d.detail];
        ReportDataSet *ds = cb.ds;
        if (!ds)
            continue;
        if (ds->isDetail()) {
            const int keyField = masterDs ? masterDs->fieldIndex(ds->masterField()) : -1;
            if (keyField < 0) {
                warn(QStringLiteral("数据集 %1 没有连接字段 %2").arg(cb.b->dataSet, ds->masterField()));
                continue;
            }
            ds->setMasterValue(masterDs->value(row, keyField));
        }
        const int n = ds->rowCount();
        if (n == 0)
            continue;
        const int saveLine = m_line;
        m_bandCounts[d.detail] = 0;
        for (SumSlot &slot : m_sums)
            if (slot.band == d.detail)
                slot.total = 0;
        const int outerReprint = m_reprintHeader;
        if (d.header >= 0) {
            printBand(d.header);
            if (m_bands[d.header].b->reprintOnNewPage)
                m_reprintHeader = d.header;
        }
        for (int r = 0; r < n; ++r) {
            ds->setCurrentRow(r);
            m_line = r + 1;
            ++m_bandCounts[d.detail];
            addSums(d.detail);
            printBand(d.detail);
        }
        m_reprintHeader = outerReprint;
        if (d.footer >= 0)
            printBand(d.footer);
        m_line = saveLine;
    }
    return true;
}

bool Layout::runBlock(const Block &block)
{
    const CompiledBand &master = m_bands[block.master];
    ReportDataSet *ds = master.ds;
    const Band &mb = *master.b;
    qint64 first = 0, end = 0;
    const int savedCurrent = ds ? ds->currentRow() : 0;
    if (ds) {
        end = ds->rowCount();
        if (mb.currentRowOnly) {
            first = std::clamp<qint64>(savedCurrent, 0, end);
            end = std::min<qint64>(first + 1, end);
        }
    } else if (mb.dataSet.isEmpty()) {
        end = mb.rowCount;
    }
    if (end <= first)
        return true;
    m_countBlock = &block;
    m_groupCounts.assign(block.groups.size(), 0);
    m_bandCounts[block.master] = 0;
    for (SumSlot &slot : m_sums)
        if (slot.band == block.master)
            slot.groups.assign(block.groups.size(), 0.0);
    std::vector<QVariant> groupValues(block.groups.size());
    if (block.header >= 0) {
        printBand(block.header);
        if (m_bands[block.header].b->reprintOnNewPage)
            m_reprintHeader = block.header;
    }
    m_line = 0;
    for (qint64 r = first; r < end; ++r) {
        if (m_progress && (r - first) % 200 == 0 && !m_progress(r - first, end - first)) {
            m_cancelled = true;
            return false;
        }
        if (ds)
            ds->setCurrentRow(int(r));
        int changed = -1;
        for (size_t k = 0; k < block.groups.size(); ++k) {
            const QVariant v = conditionValue(m_bands[block.groups[k]]);
            if (r == first || (changed < 0 && v.toString() != groupValues[k].toString()))
                changed = changed < 0 ? int(k) : changed;
            groupValues[k] = v;
        }
        if (changed >= 0) {
            if (r != first) {
                // footers speak of the group that ends: the previous row
                ds->setCurrentRow(int(r - 1));
                for (int k = int(block.groups.size()) - 1; k >= changed; --k)
                    if (block.groupFooters[k] >= 0) {
                        m_groupLevel = k;
                        printBand(block.groupFooters[k]);
                        m_groupLevel = -1;
                    }
                ds->setCurrentRow(int(r));
            }
            for (size_t k = size_t(changed); k < block.groups.size(); ++k) {
                const int g = block.groups[k];
                if (m_bands[g].b->startNewPage && m_pageHasData) {
                    if (ds && r > first) {
                        ds->setCurrentRow(int(r - 1));
                        endPage();
                        ds->setCurrentRow(int(r));
                    }
                    newPage();
                }
                m_groupCounts[k] = 0;
                resetGroupSums(int(k));
                printBand(g);
            }
            m_line = 0;
        }
        if (mb.startNewPage && m_pageHasData) {
            // the page that ends belongs to the previous row
            if (ds && r > first) {
                ds->setCurrentRow(int(r - 1));
                endPage();
                ds->setCurrentRow(int(r));
            }
            newPage();
        }
        ++m_line;
        ++m_lineThrough;
        ++m_bandCounts[block.master];
        for (qint64 &c : m_groupCounts)
            ++c;
        addSums(block.master);
        printBand(block.master);
        printDetails(block, ds, int(r));
    }
    for (int k = int(block.groups.size()) - 1; k >= 0; --k)
        if (block.groupFooters[k] >= 0) {
            m_groupLevel = k;
            printBand(block.groupFooters[k]);
            m_groupLevel = -1;
        }
    if (block.footer >= 0)
        printBand(block.footer);
    m_reprintHeader = -1;
    if (ds)
        ds->setCurrentRow(savedCurrent);
    return true;
}

bool Layout::run()
{
    m_out.source = m_report.m_template;
    const Template &t = *m_report.m_template;
    for (size_t i = 0; i < t.pages.size(); ++i) {
        m_page = &t.pages[i];
        m_pageIndex = int(i);
        m_area = m_page->printableRect();
        compilePage(*m_page);
        m_firstSheet = true;
        newPage();
        for (const Block &b : m_blocks)
            if (!runBlock(b))
                return false;
        if (m_summary >= 0)
            printBand(m_summary);
        endPage();
    }
    return !m_cancelled;
}

bool Layout::tabulate(Report::Table &table)
{
    const Template &t = *m_report.m_template;
    for (size_t i = 0; i < t.pages.size(); ++i) {
        m_page = &t.pages[i];
        m_pageIndex = int(i);
        compilePage(*m_page);
        if (m_blocks.empty())
            continue;
        const Block &block = m_blocks.front();
        const CompiledBand &master = m_bands[block.master];
        std::vector<const CompiledObject *> columns;
        for (const CompiledObject &co : master.objects)
            if (co.o->type == ObjectType::Memo && co.dynamic)
                columns.push_back(&co);
        std::stable_sort(columns.begin(), columns.end(), [](const CompiledObject *a, const CompiledObject *b) {
            return a->o->geometry.left() < b->o->geometry.left();
        });
        // a caption is the header memo standing over the column's middle
        const int headerBands[] = { block.header, m_columnHeader, m_pageHeader };
        for (const CompiledObject *col : columns) {
            const double mid = col->o->geometry.center().x();
            QString caption;
            for (int hb : headerBands) {
                if (hb < 0 || !caption.isEmpty())
                    continue;
                for (const CompiledObject &h : m_bands[hb].objects)
                    if (h.o->type == ObjectType::Memo && h.o->geometry.left() <= mid && mid <= h.o->geometry.right()
                        && !h.dynamic)
                        caption = evaluate(h).trimmed();
            }
            table.captions << caption;
            const bool numeric = col->segs.size() == 1 && col->segs.front().ds
                && (col->segs.front().ds->fieldKind(col->segs.front().field) == ReportDataSet::Kind::Number
                    || col->segs.front().ds->fieldKind(col->segs.front().field) == ReportDataSet::Kind::Integer)
                && col->o->formatKind != FormatKind::Numeric;
            table.numeric << numeric;
        }
        if (m_title >= 0)
            for (const CompiledObject &co : m_bands[m_title].objects)
                if (co.o->type == ObjectType::Memo && table.title.isEmpty())
                    table.title = evaluate(co).trimmed();
        ReportDataSet *ds = master.ds;
        if (!ds)
            return true;
        qint64 first = 0, end = ds->rowCount();
        const int saved = ds->currentRow();
        if (master.b->currentRowOnly) {
            first = std::clamp<qint64>(saved, 0, end);
            end = std::min<qint64>(first + 1, end);
        }
        for (qint64 r = first; r < end; ++r) {
            if (m_progress && (r - first) % 200 == 0 && !m_progress(r - first, end - first)) {
                ds->setCurrentRow(saved);
                return false;
            }
            ds->setCurrentRow(int(r));
            m_line = int(r - first + 1);
            QVariantList row;
            for (size_t c = 0; c < columns.size(); ++c) {
                const CompiledObject *col = columns[c];
                if (table.numeric.at(int(c))) {
                    const CompiledSeg &s = col->segs.front();
                    row << s.ds->value(s.ds->currentRow(), s.field);
                } else {
                    row << evaluate(*col);
                }
            }
            table.rows << row;
        }
        ds->setCurrentRow(saved);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------

Report::Report()
    : m_template(std::make_shared<Template>())
{
}

Report::~Report() = default;

bool Report::loadTemplate(const QString &name)
{
    return loadFile(AppPaths::templateFolder() + name + QStringLiteral(".fr3"));
}

bool Report::loadFile(const QString &path)
{
    m_path = path;
    m_template = std::make_shared<Template>(Template::load(path, &m_exists));
    m_runWarnings.clear();
    return m_template->error.isEmpty();
}

void Report::setTemplate(Template t)
{
    m_template = std::make_shared<Template>(std::move(t));
    m_exists = true;
    m_runWarnings.clear();
}

void Report::bind(const QString &name, std::shared_ptr<ReportDataSet> dataSet)
{
    if (dataSet)
        m_dataSets.insert(name.toLower(), std::move(dataSet));
    else
        m_dataSets.remove(name.toLower());
}

std::shared_ptr<ReportDataSet> Report::dataSet(const QString &name) const
{
    return m_dataSets.value(name.toLower());
}

bool Report::setMemoText(const QString &objectName, const QString &text)
{
    ReportObject *o = m_template->findObject(objectName);
    if (!o || o->type != ObjectType::Memo)
        return false;
    o->text = text;
    o->segments
        = o->allowExpressions ? parseText(text) : std::vector<Segment> { { Segment::Kind::Literal, text, {}, {}, {} } };
    return true;
}

std::unique_ptr<PreparedReport> Report::prepare(const Progress &progress)
{
    m_runWarnings.clear();
    m_runTime = m_printTime.isValid() ? m_printTime : QDateTime::currentDateTime();
    auto out = std::make_unique<PreparedReport>();
    Layout layout(*this, *out, progress);
    const bool done = layout.run();
    if (!done)
        return nullptr;
    out->warnings = warnings();
    return out;
}

bool Report::tabulate(Table &table, const Progress &progress)
{
    m_runWarnings.clear();
    m_runTime = m_printTime.isValid() ? m_printTime : QDateTime::currentDateTime();
    PreparedReport scratch;
    scratch.source = m_template;
    Layout layout(*this, scratch, progress);
    return layout.tabulate(table);
}

QStringList Report::warnings() const
{
    QStringList all;
    if (!m_template->error.isEmpty())
        all << QStringLiteral("模板文件 %1 不是有效的报表模板：%2").arg(m_path, m_template->error);
    all << m_template->warnings;
    for (const QString &w : m_runWarnings)
        if (!all.contains(w))
            all << w;
    return all;
}

QString Report::warningText() const
{
    const QStringList w = warnings();
    return w.isEmpty() ? QString() : QStringLiteral("报表模板有问题：") + w.join(QStringLiteral("；"));
}

} // namespace Rpt
