#pragma once

#include <QString>
#include <functional>

class DataGrid;
class QUrl;

// Copies a grid into a new .xlsx workbook and opens it with the desktop's
// default program.
class GridExport
{
public:
    // Asks where to save (title + ".xlsx" in the documents folder), writes every
    // row of the grid's model, then opens the file when show is true. False when
    // cancelled or failed; a failed or cancelled export leaves no file behind.
    static bool ExportGridToExcel(DataGrid *grid, const QString &title, bool show);

    // Writes the workbook to path without asking or opening anything.
    // cancelled (optional) is set when the user stopped the progress dialog.
    static bool writeWorkbook(
        DataGrid *grid, const QString &path, const QString &title, QString *error, bool *cancelled = nullptr);

    // A worksheet name Excel accepts: no []:*?/\, not quoted, at most 31 characters.
    static QString sheetName(const QString &title);

    // Opens a saved file; tests replace it. Returns the previous opener.
    using FileOpener = std::function<bool(const QUrl &)>;
    static FileOpener setFileOpener(FileOpener opener);

    // How long an export runs before its progress dialog appears.
    static void setProgressDelay(int milliseconds);

    static constexpr int kMaxRows = 1048576;
};
