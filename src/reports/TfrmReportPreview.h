#pragma once

#include "PreparedReport.h"
#include "Report.h"

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmReportPreview;
}

class ReportPageView;

// The preview window: one page at a time, page navigation, zoom, print,
// export to PDF and to a spreadsheet. Warnings about the template show in
// the status line at the bottom.
class TfrmReportPreview : public QDialog
{
    Q_OBJECT
public:
    // The report stays with its data sets for the spreadsheet export.
    TfrmReportPreview(
        std::shared_ptr<Rpt::Report> report, std::shared_ptr<Rpt::PreparedReport> pages, QWidget *parent = nullptr);
    ~TfrmReportPreview() override;

    int currentPage() const; // 0-based
    void setCurrentPage(int page);
    double zoom() const { return m_zoom; }
    void setZoom(double zoom); // 1.0 = real size
    const Rpt::PreparedReport &pages() const { return *m_pages; }

    bool exportPdf(const QString &path = {}); // asks for the file when empty
    bool exportXlsx(const QString &path = {});

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void applyZoomChoice(int index);
    void updatePage();

    std::unique_ptr<Ui::TfrmReportPreview> ui;
    std::shared_ptr<Rpt::Report> m_report;
    std::shared_ptr<Rpt::PreparedReport> m_pages;
    ReportPageView *m_view = nullptr;
    int m_page = 0;
    double m_zoom = 1.0;
};
