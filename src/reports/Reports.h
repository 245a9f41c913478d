#pragma once

#include "PreparedReport.h"
#include "Report.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class DataGrid;
class QUrl;
class QWidget;
class SqlRowModel;

// What the screens call to print: templates of Qr/ with their data sets,
// grids without a template, the designer, and batch printing.
namespace Reports {

// Qr/<name>.fr3 beside the program.
QString templatePath(const QString &name);

// The main window's data sets: frxMain on its resident list as shown (rows
// in displayed order, currentRow the selected one), frxDetail1 (change
// records) and frxDetail3 (reminders) following each resident by F_mainID,
// frxDetail2 on t_ZXrec. listSql is the list statement without its ordering.
struct MainSources
{
    SqlRowModel *residents = nullptr;
    int currentRow = 0;
    QString listSql;
};
void bindMainWindow(Rpt::Report &report, const MainSources &sources);
// frxSysInfo, the community's own row; every report has it.
void bindCommon(Rpt::Report &report);

// Loads the template and shows it. Missing template: an empty preview without
// a message. Returns false when nothing was shown (cancelled while laying out).
bool previewReport(std::shared_ptr<Rpt::Report> report, QWidget *parent);

// The main window's print actions 303–313 and the report chooser's 预览.
// Does nothing on an empty resident list. frHkFenLei first reopens the list
// statement ordered by household type as frxDM.
bool previewMainTemplate(const QString &name, const MainSources &sources, QWidget *parent);

// A list screen's 打印: frxDM on the screen's rows. Nothing on an empty list.
// memoTexts sets memo objects by name after loading (frStatFx: Memo1, Memo2).
bool previewListTemplate(
    const QString &name, SqlRowModel *rows, QWidget *parent, const QHash<QString, QString> &memoTexts = {});

// Any binding: the caller fills the data sets.
bool previewTemplate(
    const QString &name, const QHash<QString, std::shared_ptr<ReportDataSet>> &dataSets, QWidget *parent);

// 设计 / 设置 / 报表设置: opens the template file in the desktop's editor for
// it. A missing template is first written as an empty A4 page. A clear
// message names the file when no editor opens.
bool designTemplate(const QString &name, QWidget *parent);

// Prints a grid as it is shown, without a template: visible columns in their
// on-screen order with their captions and cell texts. fitMode 0 fits the page
// width and lets rows grow for long texts, 1 fits the page width by the
// columns' widths, any other value keeps the mode of the last call (1 at
// first). The title is printed between two empty lines; a non-blank header
// goes to the left of every page's top, a non-blank footer to the right of its
// bottom, where "date" stands for 打印日期：yyyy年MM月dd日.
void PrintGrid(DataGrid *grid, const QString &title, const QString &pageHeader, const QString &footer, int fitMode);
// The report PrintGrid shows, for callers that want the pages themselves.
std::shared_ptr<Rpt::Report> gridReport(
    DataGrid *grid, const QString &title, const QString &pageHeader, const QString &footer, int fitMode);

// Command line: "--report <name> --pdf <file.pdf>" (or "--xlsx <file.xlsx>")
// renders a template over the program's database without a window. The data
// sets are those the printing screen gives at its start: the resident list of
// start-up for the main window's templates, the screen's first list for the
// others. Returns the process exit code; problems go to stderr.
bool isCommandLine(const QStringList &args);
int runCommandLine(const QStringList &args);

// Binds the data sets a template reads, as its screen does at start-up.
void bindDefaultData(Rpt::Report &report, const QString &name);

// Seams for tests: how a preview is shown and how a file is opened for design.
using PreviewPresenter
    = std::function<void(std::shared_ptr<Rpt::Report>, std::shared_ptr<Rpt::PreparedReport>, QWidget *)>;
PreviewPresenter setPreviewPresenter(PreviewPresenter presenter);
using FileOpener = std::function<bool(const QUrl &)>;
FileOpener setDesignOpener(FileOpener opener);

} // namespace Reports
