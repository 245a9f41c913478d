#pragma once

#include <QColor>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// A report template: the subset of the banded report XML that Qr/README.md
// describes. Geometry is in pixels at 96 per inch, paper in millimetres.
namespace Rpt {

enum class BandType {
    ReportTitle,
    PageHeader,
    ColumnHeader,
    Header,
    MasterData,
    DetailData,
    GroupHeader,
    GroupFooter,
    Footer,
    ReportSummary,
    PageFooter
};
enum class ObjectType { Memo, Line, Shape, Picture, CheckBox };
enum class HAlign { Left, Center, Right, Block };
enum class VAlign { Top, Center, Bottom };
enum class StretchMode { DontStretch, ActualHeight, MaxHeight };
enum class FormatKind { Text, Numeric, DateTime, Boolean };

// One piece of memo text: literal text or a bracketed expression.
struct Segment
{
    enum class Kind { Literal, Field, Date, Time, Page, TotalPages, Line, LineThrough, Count, Sum, Unknown };
    Kind kind = Kind::Literal;
    QString text; // literal text, or the whole "[...]" for unknown expressions
    QString dataSet; // Field
    QString field; // Field, Sum
    QString band; // Count, Sum
};

// Splits memo text into literal runs and expressions.
std::vector<Segment> parseText(const QString &text);
// The expression inside brackets (or a group condition) as a segment.
Segment parseExpression(const QString &expression);

struct ReportObject
{
    ObjectType type = ObjectType::Memo;
    QString name;
    QRectF geometry;
    QString text;
    QString fontName = QStringLiteral("宋体");
    int fontHeight = 13; // pixels
    int fontStyle = 0; // 1 bold, 2 italic, 4 underline
    QColor fontColor = Qt::black;
    QColor fillColor; // invalid = transparent
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    int frameTyp = 0; // 1 left, 2 right, 4 top, 8 bottom
    double frameWidth = 1.0;
    bool wordWrap = true;
    bool allowExpressions = true; // false: the text prints as written
    StretchMode stretch = StretchMode::DontStretch;
    FormatKind formatKind = FormatKind::Text;
    QString formatStr;
    QString dataSet; // picture, check box
    QString dataField;
    bool diagonal = false; // line
    bool ellipse = false; // shape
    std::vector<Segment> segments; // parsed text
};

struct Band
{
    BandType type = BandType::MasterData;
    QString name;
    QRectF geometry;
    QString dataSet;
    QString condition; // group header
    bool startNewPage = false;
    bool stretched = false;
    bool currentRowOnly = false; // RangeBegin="rbCurrent": only the data set's current row
    int rowCount = 0; // a data band without a data set prints this many times
    bool printOnFirstPage = true; // page header and footer
    bool reprintOnNewPage = false; // data header, group header
    std::vector<ReportObject> objects;
};

struct Page
{
    QString name;
    double paperWidth = 210; // mm, as printed (landscape already swapped)
    double paperHeight = 297;
    bool landscape = false;
    double leftMargin = 10, rightMargin = 10, topMargin = 10, bottomMargin = 10;
    bool titleBeforeHeader = true;
    std::vector<Band> bands;

    double widthPx() const;
    double heightPx() const;
    QRectF printableRect() const; // pixels
};

struct Template
{
    std::vector<Page> pages;
    QStringList warnings; // elements, attributes and expressions we could not use
    QString error; // set when the file is not a template at all

    bool isEmpty() const { return pages.empty(); }

    // Reads the XML. A document that is not XML or has another root leaves the
    // template empty with error set; what cannot be used is listed in warnings.
    static Template fromXml(const QByteArray &xml);
    static Template load(const QString &path, bool *exists = nullptr);
    QByteArray toXml() const;
    bool save(const QString &path, QString *error = nullptr) const;

    ReportObject *findObject(const QString &name);
};

double mmToPx(double mm);
const char *bandElementName(BandType type);

} // namespace Rpt
