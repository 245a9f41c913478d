#include "PreparedReport.h"

#include <QFontDatabase>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace Rpt {

namespace {

constexpr qreal kGapX = 2.0;
constexpr qreal kGapY = 1.0;

// Templates name the fonts of Chinese Windows; map them onto what is installed.
QString installedFamily(const QString &name)
{
    static QHash<QString, QString> cache;
    const auto it = cache.constFind(name);
    if (it != cache.constEnd())
        return it.value();
    QString family = name;
    if (!QFontDatabase::hasFamily(name)) {
        static const QStringList serif = { QStringLiteral("宋体"), QStringLiteral("新宋体"), QStringLiteral("simsun"),
            QStringLiteral("nsimsun"), QStringLiteral("仿宋"), QStringLiteral("仿宋_gb2312"),
            QStringLiteral("fangsong"), QStringLiteral("楷体"), QStringLiteral("楷体_gb2312"), QStringLiteral("kaiti"),
            QStringLiteral("隶书") };
        static const QStringList sans = { QStringLiteral("黑体"), QStringLiteral("simhei"), QStringLiteral("微软雅黑"),
            QStringLiteral("microsoft yahei"), QStringLiteral("幼圆") };
        const QString lower = name.toLower();
        QStringList candidates;
        if (serif.contains(lower))
            candidates = { QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC") };
        else if (sans.contains(lower))
            candidates = { QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Serif CJK SC") };
        for (const QString &c : candidates)
            if (QFontDatabase::hasFamily(c)) {
                family = c;
                break;
            }
    }
    cache.insert(name, family);
    return family;
}

Qt::Alignment alignmentOf(const ReportObject &o)
{
    Qt::Alignment a;
    switch (o.hAlign) {
    case HAlign::Left:
        a = Qt::AlignLeft;
        break;
    case HAlign::Center:
        a = Qt::AlignHCenter;
        break;
    case HAlign::Right:
        a = Qt::AlignRight;
        break;
    case HAlign::Block:
        a = Qt::AlignJustify;
        break;
    }
    switch (o.vAlign) {
    case VAlign::Top:
        a |= Qt::AlignTop;
        break;
    case VAlign::Center:
        a |= Qt::AlignVCenter;
        break;
    case VAlign::Bottom:
        a |= Qt::AlignBottom;
        break;
    }
    return a;
}

void drawFrame(QPainter &p, const QRectF &r, const ReportObject &o)
{
    if (!o.frameTyp)
        return;
    p.setPen(QPen(Qt::black, o.frameWidth, Qt::SolidLine, Qt::SquareCap));
    // one operation instead of four: table cells are framed all round
    if ((o.frameTyp & 15) == 15) {
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
        return;
    }
    if (o.frameTyp & 1)
        p.drawLine(r.topLeft(), r.bottomLeft());
    if (o.frameTyp & 2)
        p.drawLine(r.topRight(), r.bottomRight());
    if (o.frameTyp & 4)
        p.drawLine(r.topLeft(), r.topRight());
    if (o.frameTyp & 8)
        p.drawLine(r.bottomLeft(), r.bottomRight());
}

} // namespace

QFont PreparedReport::fontOf(const ReportObject &o)
{
    QFont f(installedFamily(o.fontName));
    f.setPixelSize(o.fontHeight);
    f.setBold(o.fontStyle & 1);
    f.setItalic(o.fontStyle & 2);
    f.setUnderline(o.fontStyle & 4);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

const Page &PreparedReport::pageTemplate(int page) const
{
    static const Page fallback;
    if (!source || page < 0 || page >= pageCount())
        return fallback;
    const int t = pages.at(page).templatePage;
    return t >= 0 && t < int(source->pages.size()) ? source->pages.at(t) : fallback;
}

QSizeF PreparedReport::pageSizeMm(int page) const
{
    const Page &p = pageTemplate(page);
    return QSizeF(p.paperWidth, p.paperHeight);
}

QSizeF PreparedReport::pageSizePx(int page) const
{
    const Page &p = pageTemplate(page);
    return QSizeF(p.widthPx(), p.heightPx());
}

QString PreparedReport::itemText(int page, const PageItem &item) const
{
    QString t = pages.at(page).text.mid(item.textPos, item.textLength);
    if (item.flags & PageItem::NeedsTotal)
        t.replace(QChar(kTotalMark), QString::number(pageCount()));
    return t;
}

QStringList PreparedReport::pageTexts(int page) const
{
    QStringList out;
    if (page < 0 || page >= pageCount())
        return out;
    for (const PageItem &item : pages.at(page).items)
        if (item.kind == PageItem::Text && item.textLength > 0)
            out << itemText(page, item);
    return out;
}

void PreparedReport::paintPage(QPainter &p, int page) const
{
    if (page < 0 || page >= pageCount())
        return;
    const PreparedPage &pg = pages.at(page);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const ReportObject *lastFontObject = nullptr;
    for (const PageItem &item : pg.items) {
        const ReportObject &o = *objects.at(item.object);
        const QRectF r(item.x, item.y, item.w, item.h);
        switch (item.kind) {
        case PageItem::Text: {
            if (o.fillColor.isValid())
                p.fillRect(r, o.fillColor);
            if (item.textLength > 0) {
                if (lastFontObject != &o) {
                    p.setFont(fontOf(o));
                    lastFontObject = &o;
                }
                p.setPen(o.fontColor);
                int flags = int(alignmentOf(o));
                if (o.wordWrap)
                    flags |= Qt::TextWordWrap;
                p.drawText(r.adjusted(kGapX, kGapY, -kGapX, -kGapY), flags, itemText(page, item));
            }
            drawFrame(p, r, o);
            break;
        }
        case PageItem::Line:
            p.setPen(QPen(Qt::black, o.frameWidth));
            p.drawLine(QPointF(item.x, item.y), QPointF(item.x + item.w, item.y + item.h));
            break;
        case PageItem::Shape:
            p.setPen(o.frameWidth > 0 ? QPen(Qt::black, o.frameWidth) : QPen(Qt::NoPen));
            p.setBrush(o.fillColor.isValid() ? QBrush(o.fillColor) : QBrush(Qt::NoBrush));
            if (o.ellipse)
                p.drawEllipse(r);
            else
                p.drawRect(r);
            p.setBrush(Qt::NoBrush);
            break;
        case PageItem::Picture:
            if (item.image >= 0 && item.image < int(images.size())) {
                const QImage &img = images.at(item.image);
                const QSizeF s = QSizeF(img.size()).scaled(r.size(), Qt::KeepAspectRatio);
                const QRectF target(r.center() - QPointF(s.width() / 2, s.height() / 2), s);
                p.drawImage(target, img);
            }
            drawFrame(p, r, o);
            break;
        case PageItem::Check: {
            const qreal side = qMin(r.width(), r.height());
            const QRectF box(r.center() - QPointF(side / 2, side / 2), QSizeF(side, side));
            p.setPen(QPen(Qt::black, 1.0));
            p.drawRect(box.adjusted(1, 1, -1, -1));
            if (item.flags & PageItem::Checked) {
                QPainterPath tick;
                tick.moveTo(box.left() + side * 0.2, box.top() + side * 0.5);
                tick.lineTo(box.left() + side * 0.42, box.top() + side * 0.75);
                tick.lineTo(box.left() + side * 0.8, box.top() + side * 0.25);
                p.setPen(QPen(Qt::black, qMax<qreal>(1.0, side / 8)));
                p.drawPath(tick);
            }
            drawFrame(p, r, o);
            break;
        }
        }
    }
    p.restore();
}

qint64 PreparedReport::memoryBytes() const
{
    qint64 bytes = qint64(pages.capacity() * sizeof(PreparedPage));
    for (const PreparedPage &pg : pages)
        bytes += qint64(pg.items.capacity() * sizeof(PageItem)) + qint64(pg.text.capacity()) * 2;
    for (const QImage &img : images)
        bytes += img.sizeInBytes();
    return bytes;
}

} // namespace Rpt
