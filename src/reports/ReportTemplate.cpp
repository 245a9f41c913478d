#include "ReportTemplate.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace Rpt {

namespace {

struct BandName
{
    const char *element;
    BandType type;
};

constexpr BandName kBands[] = {
    { "TfrxReportTitle", BandType::ReportTitle },
    { "TfrxPageHeader", BandType::PageHeader },
    { "TfrxColumnHeader", BandType::ColumnHeader },
    { "TfrxHeader", BandType::Header },
    { "TfrxMasterData", BandType::MasterData },
    { "TfrxDetailData", BandType::DetailData },
    { "TfrxGroupHeader", BandType::GroupHeader },
    { "TfrxGroupFooter", BandType::GroupFooter },
    { "TfrxFooter", BandType::Footer },
    { "TfrxReportSummary", BandType::ReportSummary },
    { "TfrxPageFooter", BandType::PageFooter },
};

struct ObjectName
{
    const char *element;
    ObjectType type;
};

constexpr ObjectName kObjects[] = {
    { "TfrxMemoView", ObjectType::Memo },
    { "TfrxLineView", ObjectType::Line },
    { "TfrxShapeView", ObjectType::Shape },
    { "TfrxPictureView", ObjectType::Picture },
    { "TfrxCheckBoxView", ObjectType::CheckBox },
};

// The delphi colour "none"; system colours are negative.
constexpr qint64 kColorNone = 536870911;

bool toBool(const QStringView v)
{
    return v.compare(u"True", Qt::CaseInsensitive) == 0 || v == u"1";
}

double toNumber(const QStringView v, double fallback)
{
    bool ok = false;
    const double d = v.trimmed().toDouble(&ok);
    return ok ? d : fallback;
}

QColor toColor(const QStringView v)
{
    const QString s = v.trimmed().toString();
    if (s.startsWith(QLatin1Char('#')))
        return QColor(s);
    if (s.compare(QLatin1String("clNone"), Qt::CaseInsensitive) == 0)
        return {};
    static const QHash<QString, QColor> named = {
        { QStringLiteral("clblack"), Qt::black },
        { QStringLiteral("clwhite"), Qt::white },
        { QStringLiteral("clred"), Qt::red },
        { QStringLiteral("clblue"), Qt::blue },
        { QStringLiteral("clgray"), Qt::gray },
        { QStringLiteral("clsilver"), QColor(192, 192, 192) },
        { QStringLiteral("clnavy"), QColor(0, 0, 128) },
        { QStringLiteral("clmaroon"), QColor(128, 0, 0) },
        { QStringLiteral("clbtnface"), QColor(240, 240, 240) },
    };
    if (named.contains(s.toLower()))
        return named.value(s.toLower());
    bool ok = false;
    const qint64 n = s.toLongLong(&ok);
    if (!ok || n == kColorNone)
        return {};
    if (n < 0)
        return QColor(240, 240, 240);
    return QColor(int(n & 0xff), int((n >> 8) & 0xff), int((n >> 16) & 0xff));
}

QString colorText(const QColor &c)
{
    if (!c.isValid())
        return QString::number(kColorNone);
    return QString::number(c.red() | (c.green() << 8) | (c.blue() << 16));
}

QString boolText(bool b)
{
    return b ? QStringLiteral("True") : QStringLiteral("False");
}

QString numText(double d)
{
    return QString::number(d, 'g', 10);
}

const QHash<QString, HAlign> &hAligns()
{
    static const QHash<QString, HAlign> h
        = { { QStringLiteral("haleft"), HAlign::Left }, { QStringLiteral("hacenter"), HAlign::Center },
              { QStringLiteral("haright"), HAlign::Right }, { QStringLiteral("hablock"), HAlign::Block } };
    return h;
}

const QHash<QString, VAlign> &vAligns()
{
    static const QHash<QString, VAlign> h = { { QStringLiteral("vatop"), VAlign::Top },
        { QStringLiteral("vacenter"), VAlign::Center }, { QStringLiteral("vabottom"), VAlign::Bottom } };
    return h;
}

const QHash<QString, StretchMode> &stretchModes()
{
    static const QHash<QString, StretchMode> h = { { QStringLiteral("smdontstretch"), StretchMode::DontStretch },
        { QStringLiteral("smactualheight"), StretchMode::ActualHeight },
        { QStringLiteral("smmaxheight"), StretchMode::MaxHeight } };
    return h;
}

const QHash<QString, FormatKind> &formatKinds()
{
    static const QHash<QString, FormatKind> h = { { QStringLiteral("fktext"), FormatKind::Text },
        { QStringLiteral("fknumeric"), FormatKind::Numeric }, { QStringLiteral("fkdatetime"), FormatKind::DateTime },
        { QStringLiteral("fkboolean"), FormatKind::Boolean } };
    return h;
}

template <typename T> QString keyOf(const QHash<QString, T> &h, T value, const char *prefix)
{
    for (auto it = h.cbegin(); it != h.cend(); ++it)
        if (it.value() == value) {
            // stored lower-case; give the written form its capitals back
            QString k = it.key();
            const int p = int(qstrlen(prefix));
            return QLatin1String(prefix) + k.mid(p, 1).toUpper() + k.mid(p + 1);
        }
    return {};
}

QString canonicalStretch(StretchMode m)
{
    switch (m) {
    case StretchMode::ActualHeight:
        return QStringLiteral("smActualHeight");
    case StretchMode::MaxHeight:
        return QStringLiteral("smMaxHeight");
    case StretchMode::DontStretch:
        break;
    }
    return QStringLiteral("smDontStretch");
}

QString canonicalFormat(FormatKind k)
{
    switch (k) {
    case FormatKind::Numeric:
        return QStringLiteral("fkNumeric");
    case FormatKind::DateTime:
        return QStringLiteral("fkDateTime");
    case FormatKind::Boolean:
        return QStringLiteral("fkBoolean");
    case FormatKind::Text:
        break;
    }
    return QStringLiteral("fkText");
}

QRectF geometryOf(const QXmlStreamAttributes &a, const QRectF &fallback = {})
{
    return QRectF(toNumber(a.value(QLatin1String("Left")), fallback.x()),
        toNumber(a.value(QLatin1String("Top")), fallback.y()),
        toNumber(a.value(QLatin1String("Width")), fallback.width()),
        toNumber(a.value(QLatin1String("Height")), fallback.height()));
}

ReportObject readObject(ObjectType type, const QXmlStreamAttributes &a)
{
    ReportObject o;
    o.type = type;
    o.name = a.value(QLatin1String("Name")).toString();
    o.geometry = geometryOf(a);
    for (const char *key : { "Text", "Memo.UTF8W", "Memo.UTF8", "Memo.Text" })
        if (a.hasAttribute(QLatin1String(key))) {
            o.text = a.value(QLatin1String(key)).toString();
            break;
        }
    o.text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (a.hasAttribute(QLatin1String("Font.Name")))
        o.fontName = a.value(QLatin1String("Font.Name")).toString();
    if (a.hasAttribute(QLatin1String("Font.Height")))
        o.fontHeight = qMax(1, qAbs(qRound(toNumber(a.value(QLatin1String("Font.Height")), -13))));
    o.fontStyle = int(toNumber(a.value(QLatin1String("Font.Style")), 0));
    if (a.hasAttribute(QLatin1String("Font.Color"))) {
        const QColor c = toColor(a.value(QLatin1String("Font.Color")));
        o.fontColor = c.isValid() ? c : QColor(Qt::black);
    }
    if (a.hasAttribute(QLatin1String("Color")))
        o.fillColor = toColor(a.value(QLatin1String("Color")));
    o.hAlign = hAligns().value(a.value(QLatin1String("HAlign")).toString().toLower(), HAlign::Left);
    o.vAlign = vAligns().value(a.value(QLatin1String("VAlign")).toString().toLower(), VAlign::Top);
    o.frameTyp = int(toNumber(a.value(QLatin1String("Frame.Typ")), 0));
    o.frameWidth = toNumber(a.value(QLatin1String("Frame.Width")), 1.0);
    if (a.hasAttribute(QLatin1String("WordWrap")))
        o.wordWrap = toBool(a.value(QLatin1String("WordWrap")));
    o.stretch
        = stretchModes().value(a.value(QLatin1String("StretchMode")).toString().toLower(), StretchMode::DontStretch);
    o.formatKind
        = formatKinds().value(a.value(QLatin1String("DisplayFormat.Kind")).toString().toLower(), FormatKind::Text);
    o.formatStr = a.value(QLatin1String("DisplayFormat.FormatStr")).toString();
    if (a.hasAttribute(QLatin1String("DisplayFormat.FormatStr"))
        && !a.hasAttribute(QLatin1String("DisplayFormat.Kind")))
        o.formatKind = FormatKind::Numeric;
    o.dataSet = a.value(QLatin1String("DataSetName")).toString();
    o.dataField = a.value(QLatin1String("DataField")).toString();
    o.diagonal = toBool(a.value(QLatin1String("Diagonal")));
    o.ellipse = a.value(QLatin1String("Shape")).compare(u"skEllipse", Qt::CaseInsensitive) == 0;
    if (a.hasAttribute(QLatin1String("AllowExpressions")))
        o.allowExpressions = toBool(a.value(QLatin1String("AllowExpressions")));
    if (type == ObjectType::Memo)
        o.segments = o.allowExpressions ? parseText(o.text)
                                        : std::vector<Segment> { { Segment::Kind::Literal, o.text, {}, {}, {} } };
    return o;
}

} // namespace

double mmToPx(double mm)
{
    return mm * 96.0 / 25.4;
}

const char *bandElementName(BandType type)
{
    for (const BandName &b : kBands)
        if (b.type == type)
            return b.element;
    return "TfrxMasterData";
}

double Page::widthPx() const
{
    return mmToPx(paperWidth);
}

double Page::heightPx() const
{
    return mmToPx(paperHeight);
}

QRectF Page::printableRect() const
{
    return QRectF(QPointF(mmToPx(leftMargin), mmToPx(topMargin)),
        QPointF(widthPx() - mmToPx(rightMargin), heightPx() - mmToPx(bottomMargin)));
}

Segment parseExpression(const QString &expression)
{
    Segment s;
    QString e = expression.trimmed();
    s.text = QLatin1Char('[') + expression + QLatin1Char(']');
    if (e.startsWith(QLatin1Char('<')) && e.endsWith(QLatin1Char('>')))
        e = e.mid(1, e.size() - 2).trimmed();
    static const QRegularExpression field(QStringLiteral(R"x(^([A-Za-z_]\w*)\s*\.\s*"([^"]+)"$)x"));
    static const QRegularExpression count(
        QStringLiteral(R"(^COUNT\s*\(\s*([A-Za-z_]\w*)\s*\)$)"), QRegularExpression::CaseInsensitiveOption);
    const auto m = field.match(e);
    if (m.hasMatch()) {
        s.kind = Segment::Kind::Field;
        s.dataSet = m.captured(1);
        s.field = m.captured(2);
        return s;
    }
    const auto c = count.match(e);
    if (c.hasMatch()) {
        s.kind = Segment::Kind::Count;
        s.band = c.captured(1);
        return s;
    }
    static const QRegularExpression sum(
        QStringLiteral(R"x(^SUM\s*\(\s*<?\s*([A-Za-z_]\w*)\s*\.\s*"([^"]+)"\s*>?\s*,\s*([A-Za-z_]\w*)\s*\)$)x"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m2 = sum.match(e);
    if (m2.hasMatch()) {
        s.kind = Segment::Kind::Sum;
        s.dataSet = m2.captured(1);
        s.field = m2.captured(2);
        s.band = m2.captured(3);
        return s;
    }
    static const QHash<QString, Segment::Kind> words = {
        { QStringLiteral("date"), Segment::Kind::Date },
        { QStringLiteral("time"), Segment::Kind::Time },
        { QStringLiteral("page#"), Segment::Kind::Page },
        { QStringLiteral("totalpages#"), Segment::Kind::TotalPages },
        { QStringLiteral("line#"), Segment::Kind::Line },
        { QStringLiteral("linethrough#"), Segment::Kind::LineThrough },
    };
    s.kind = words.value(e.toLower(), Segment::Kind::Unknown);
    return s;
}

std::vector<Segment> parseText(const QString &text)
{
    std::vector<Segment> out;
    QString literal;
    auto flush = [&] {
        if (!literal.isEmpty())
            out.push_back({ Segment::Kind::Literal, literal, {}, {}, {} });
        literal.clear();
    };
    int i = 0;
    while (i < text.size()) {
        const QChar ch = text.at(i);
        if (ch != QLatin1Char('[')) {
            literal += ch;
            ++i;
            continue;
        }
        // find the matching bracket; brackets inside quoted names do not count
        int depth = 0;
        bool quoted = false;
        int j = i;
        for (; j < text.size(); ++j) {
            const QChar c = text.at(j);
            if (c == QLatin1Char('"'))
                quoted = !quoted;
            else if (!quoted && c == QLatin1Char('['))
                ++depth;
            else if (!quoted && c == QLatin1Char(']') && --depth == 0)
                break;
        }
        if (j >= text.size()) { // no closing bracket: the rest is text
            literal += text.mid(i);
            break;
        }
        flush();
        out.push_back(parseExpression(text.mid(i + 1, j - i - 1)));
        i = j + 1;
    }
    flush();
    return out;
}

Template Template::fromXml(const QByteArray &xml)
{
    Template t;
    QXmlStreamReader r(xml);
    QSet<QString> unknown;
    bool ignoredTopLevel = false;
    if (!r.readNextStartElement()) {
        t.error = r.hasError() ? r.errorString() : QStringLiteral("空文件");
        return t;
    }
    if (r.name() != u"TfrxReport") {
        t.error = QStringLiteral("根元素是 %1，不是 TfrxReport").arg(r.name().toString());
        return t;
    }
    while (r.readNextStartElement()) {
        if (r.name() != u"TfrxReportPage") {
            ignoredTopLevel = true;
            r.skipCurrentElement();
            continue;
        }
        Page page;
        const auto pa = r.attributes();
        page.name = pa.value(QLatin1String("Name")).toString();
        page.paperWidth = toNumber(pa.value(QLatin1String("PaperWidth")), 210);
        page.paperHeight = toNumber(pa.value(QLatin1String("PaperHeight")), 297);
        page.landscape = pa.value(QLatin1String("Orientation")).compare(u"poLandscape", Qt::CaseInsensitive) == 0;
        // a landscape page written with portrait measures is turned here
        if (page.landscape && page.paperWidth < page.paperHeight)
            std::swap(page.paperWidth, page.paperHeight);
        page.leftMargin = toNumber(pa.value(QLatin1String("LeftMargin")), 10);
        page.rightMargin = toNumber(pa.value(QLatin1String("RightMargin")), 10);
        page.topMargin = toNumber(pa.value(QLatin1String("TopMargin")), 10);
        page.bottomMargin = toNumber(pa.value(QLatin1String("BottomMargin")), 10);
        if (pa.hasAttribute(QLatin1String("TitleBeforeHeader")))
            page.titleBeforeHeader = toBool(pa.value(QLatin1String("TitleBeforeHeader")));
        const double printable = page.printableRect().width();
        while (r.readNextStartElement()) {
            const BandName *bn = nullptr;
            for (const BandName &b : kBands)
                if (r.name() == QLatin1String(b.element))
                    bn = &b;
            if (!bn) {
                unknown.insert(r.name().toString());
                r.skipCurrentElement();
                continue;
            }
            Band band;
            const auto ba = r.attributes();
            band.type = bn->type;
            band.name = ba.value(QLatin1String("Name")).toString();
            band.geometry = geometryOf(ba, QRectF(0, 0, printable, 20));
            band.dataSet = ba.value(QLatin1String("DataSetName")).toString();
            if (band.dataSet.isEmpty())
                band.dataSet = ba.value(QLatin1String("DataSet")).toString();
            band.condition = ba.value(QLatin1String("Condition")).toString();
            band.startNewPage = toBool(ba.value(QLatin1String("StartNewPage")));
            band.stretched = toBool(ba.value(QLatin1String("Stretched")));
            band.currentRowOnly = ba.value(QLatin1String("RangeBegin")).compare(u"rbCurrent", Qt::CaseInsensitive) == 0;
            band.rowCount = int(toNumber(ba.value(QLatin1String("RowCount")), 0));
            if (ba.hasAttribute(QLatin1String("PrintOnFirstPage")))
                band.printOnFirstPage = toBool(ba.value(QLatin1String("PrintOnFirstPage")));
            band.reprintOnNewPage = toBool(ba.value(QLatin1String("ReprintOnNewPage")));
            while (r.readNextStartElement()) {
                const ObjectName *on = nullptr;
                for (const ObjectName &o : kObjects)
                    if (r.name() == QLatin1String(o.element))
                        on = &o;
                if (!on) {
                    unknown.insert(r.name().toString());
                    r.skipCurrentElement();
                    continue;
                }
                band.objects.push_back(readObject(on->type, r.attributes()));
                r.skipCurrentElement();
            }
            page.bands.push_back(std::move(band));
        }
        t.pages.push_back(std::move(page));
    }
    if (r.hasError()) {
        // a document cut short still yields the pages read so far
        t.warnings << QStringLiteral("模板文件在第 %1 行有错误（%2），只使用了它前面的部分")
                          .arg(r.lineNumber())
                          .arg(r.errorString());
        if (t.pages.empty())
            t.error = r.errorString();
    }
    if (ignoredTopLevel)
        t.warnings << QStringLiteral("模板中的数据页、变量和脚本不被使用");
    if (!unknown.isEmpty()) {
        QStringList names = unknown.values();
        names.sort();
        t.warnings << QStringLiteral("不支持的元素已忽略：%1").arg(names.join(QStringLiteral("、")));
    }
    return t;
}

Template Template::load(const QString &path, bool *exists)
{
    QFile f(path);
    if (exists)
        *exists = f.exists();
    if (!f.open(QIODevice::ReadOnly)) {
        Template t;
        if (f.exists())
            t.error = f.errorString();
        return t;
    }
    return fromXml(f.readAll());
}

QByteArray Template::toXml() const
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(1);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("TfrxReport"));
    w.writeAttribute(QStringLiteral("Version"), QStringLiteral("4.0"));
    for (const Page &p : pages) {
        w.writeStartElement(QStringLiteral("TfrxReportPage"));
        if (!p.name.isEmpty())
            w.writeAttribute(QStringLiteral("Name"), p.name);
        w.writeAttribute(QStringLiteral("PaperWidth"), numText(p.paperWidth));
        w.writeAttribute(QStringLiteral("PaperHeight"), numText(p.paperHeight));
        w.writeAttribute(
            QStringLiteral("Orientation"), p.landscape ? QStringLiteral("poLandscape") : QStringLiteral("poPortrait"));
        w.writeAttribute(QStringLiteral("LeftMargin"), numText(p.leftMargin));
        w.writeAttribute(QStringLiteral("RightMargin"), numText(p.rightMargin));
        w.writeAttribute(QStringLiteral("TopMargin"), numText(p.topMargin));
        w.writeAttribute(QStringLiteral("BottomMargin"), numText(p.bottomMargin));
        if (!p.titleBeforeHeader)
            w.writeAttribute(QStringLiteral("TitleBeforeHeader"), boolText(false));
        for (const Band &b : p.bands) {
            w.writeStartElement(QLatin1String(bandElementName(b.type)));
            if (!b.name.isEmpty())
                w.writeAttribute(QStringLiteral("Name"), b.name);
            w.writeAttribute(QStringLiteral("Left"), numText(b.geometry.x()));
            w.writeAttribute(QStringLiteral("Top"), numText(b.geometry.y()));
            w.writeAttribute(QStringLiteral("Width"), numText(b.geometry.width()));
            w.writeAttribute(QStringLiteral("Height"), numText(b.geometry.height()));
            if (!b.dataSet.isEmpty())
                w.writeAttribute(QStringLiteral("DataSetName"), b.dataSet);
            if (!b.condition.isEmpty())
                w.writeAttribute(QStringLiteral("Condition"), b.condition);
            if (b.startNewPage)
                w.writeAttribute(QStringLiteral("StartNewPage"), boolText(true));
            if (b.stretched)
                w.writeAttribute(QStringLiteral("Stretched"), boolText(true));
            if (b.currentRowOnly)
                w.writeAttribute(QStringLiteral("RangeBegin"), QStringLiteral("rbCurrent"));
            if (b.rowCount > 0)
                w.writeAttribute(QStringLiteral("RowCount"), QString::number(b.rowCount));
            if (!b.printOnFirstPage)
                w.writeAttribute(QStringLiteral("PrintOnFirstPage"), boolText(false));
            if (b.reprintOnNewPage)
                w.writeAttribute(QStringLiteral("ReprintOnNewPage"), boolText(true));
            for (const ReportObject &o : b.objects) {
                for (const ObjectName &on : kObjects)
                    if (on.type == o.type)
                        w.writeStartElement(QLatin1String(on.element));
                if (!o.name.isEmpty())
                    w.writeAttribute(QStringLiteral("Name"), o.name);
                w.writeAttribute(QStringLiteral("Left"), numText(o.geometry.x()));
                w.writeAttribute(QStringLiteral("Top"), numText(o.geometry.y()));
                w.writeAttribute(QStringLiteral("Width"), numText(o.geometry.width()));
                w.writeAttribute(QStringLiteral("Height"), numText(o.geometry.height()));
                if (o.type == ObjectType::Memo) {
                    w.writeAttribute(QStringLiteral("Font.Name"), o.fontName);
                    w.writeAttribute(QStringLiteral("Font.Height"), QString::number(-o.fontHeight));
                    if (o.fontStyle)
                        w.writeAttribute(QStringLiteral("Font.Style"), QString::number(o.fontStyle));
                    if (o.fontColor != QColor(Qt::black))
                        w.writeAttribute(QStringLiteral("Font.Color"), colorText(o.fontColor));
                    if (o.hAlign != HAlign::Left)
                        w.writeAttribute(QStringLiteral("HAlign"), keyOf(hAligns(), o.hAlign, "ha"));
                    if (o.vAlign != VAlign::Top)
                        w.writeAttribute(QStringLiteral("VAlign"), keyOf(vAligns(), o.vAlign, "va"));
                    if (!o.wordWrap)
                        w.writeAttribute(QStringLiteral("WordWrap"), boolText(false));
                    if (!o.allowExpressions)
                        w.writeAttribute(QStringLiteral("AllowExpressions"), boolText(false));
                    if (o.formatKind != FormatKind::Text)
                        w.writeAttribute(QStringLiteral("DisplayFormat.Kind"), canonicalFormat(o.formatKind));
                    if (!o.formatStr.isEmpty())
                        w.writeAttribute(QStringLiteral("DisplayFormat.FormatStr"), o.formatStr);
                }
                if (o.fillColor.isValid())
                    w.writeAttribute(QStringLiteral("Color"), colorText(o.fillColor));
                if (o.frameTyp)
                    w.writeAttribute(QStringLiteral("Frame.Typ"), QString::number(o.frameTyp));
                if (o.frameWidth != 1.0)
                    w.writeAttribute(QStringLiteral("Frame.Width"), numText(o.frameWidth));
                if (o.stretch != StretchMode::DontStretch)
                    w.writeAttribute(QStringLiteral("StretchMode"), canonicalStretch(o.stretch));
                if (!o.dataSet.isEmpty())
                    w.writeAttribute(QStringLiteral("DataSetName"), o.dataSet);
                if (!o.dataField.isEmpty())
                    w.writeAttribute(QStringLiteral("DataField"), o.dataField);
                if (o.diagonal)
                    w.writeAttribute(QStringLiteral("Diagonal"), boolText(true));
                if (o.ellipse)
                    w.writeAttribute(QStringLiteral("Shape"), QStringLiteral("skEllipse"));
                if (o.type == ObjectType::Memo)
                    w.writeAttribute(
                        QStringLiteral("Text"), QString(o.text).replace(QLatin1Char('\n'), QLatin1String("\r\n")));
                w.writeEndElement();
            }
            w.writeEndElement();
        }
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

bool Template::save(const QString &path, QString *error) const
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(toXml()) < 0 || !f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

ReportObject *Template::findObject(const QString &name)
{
    for (Page &p : pages)
        for (Band &b : p.bands)
            for (ReportObject &o : b.objects)
                if (o.name.compare(name, Qt::CaseInsensitive) == 0)
                    return &o;
    return nullptr;
}

} // namespace Rpt
