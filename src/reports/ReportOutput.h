#pragma once

#include "PreparedReport.h"
#include "Report.h"

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace Rpt {

// Where laid-out pages go: a PDF file, a printer, a spreadsheet.
namespace ReportOutput {

using PageProgress = std::function<bool(int done, int total)>;

// Writes every page; a failed or cancelled export leaves no file behind.
bool writePdf(
    const PreparedReport &report, const QString &path, QString *error = nullptr, const PageProgress &progress = {});

// Pages from..to (1-based, inclusive; 0 for all) on an already set-up printer.
bool print(
    const PreparedReport &report, QPrinter &printer, int from = 0, int to = 0, const PageProgress &progress = {});

// The system's print dialog (printer, copies, page range), then printing.
bool printWithDialog(const PreparedReport &report, QWidget *parent);

// The list a report shows (captions and one row per master row) as .xlsx.
bool writeXlsx(Report &report, const QString &path, QString *error = nullptr, const Report::Progress &progress = {});

} // namespace ReportOutput

// A progress dialog that appears when work runs long and can be cancelled.
// Without a window system (batch runs) it does nothing.
class ProgressShower
{
public:
    ProgressShower(QWidget *parent, const QString &label);
    ~ProgressShower();
    bool update(qint64 done, qint64 total); // false when cancelled
    Report::Progress rowProgress();
    ReportOutput::PageProgress pageProgress();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace Rpt
