#pragma once

#include "ReportTemplate.h"

#include <QFont>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <memory>
#include <vector>

class QPainter;

namespace Rpt {

// One thing to draw on a laid-out page. Text lives in the page's text buffer;
// the look (font, alignment, frame) is the template object's, by index.
struct PageItem
{
    enum Kind : quint8 { Text, Line, Shape, Picture, Check };
    enum Flag : quint8 { NeedsTotal = 1, Checked = 2 };
    float x = 0, y = 0, w = 0, h = 0;
    quint32 textPos = 0;
    quint32 textLength = 0;
    quint32 object = 0; // index into PreparedReport::objects
    qint32 image = -1; // index into PreparedReport::images
    Kind kind = Text;
    quint8 flags = 0;
};

struct PreparedPage
{
    int templatePage = 0; // which page template gave the paper and margins
    std::vector<PageItem> items;
    QString text;
};

// Laid-out pages as compact display lists: memory grows with what the pages
// show, not with a picture of each page.
class PreparedReport
{
public:
    // The private-use character that stands for the page total until painting.
    static constexpr char16_t kTotalMark = 0xE000;

    std::shared_ptr<const Template> source;
    std::vector<const ReportObject *> objects;
    std::vector<PreparedPage> pages;
    std::vector<QImage> images;
    QStringList warnings;

    int pageCount() const { return int(pages.size()); }
    const Page &pageTemplate(int page) const;
    QSizeF pageSizeMm(int page) const;
    QSizeF pageSizePx(int page) const;

    // Draws a page with the painter's coordinates in pixels at 96 per inch.
    void paintPage(QPainter &painter, int page) const;
    // The texts of a page as painted (page totals filled in), in order.
    QStringList pageTexts(int page) const;
    QString itemText(int page, const PageItem &item) const;

    // Bytes held by the laid-out pages: items, texts and pictures.
    qint64 memoryBytes() const;

    static QFont fontOf(const ReportObject &o);
};

} // namespace Rpt
