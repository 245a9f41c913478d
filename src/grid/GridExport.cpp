#include "GridExport.h"

#include "DataGrid.h"
#include "DisplayFormat.h"
#include "support/FileDialogs.h"
#include "support/Messages.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QUrl>
#include <QUuid>
#include <xlsxwriter.h>

namespace {

GridExport::FileOpener &opener()
{
    static GridExport::FileOpener o = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    return o;
}

// Excel keeps at most 32767 characters in a cell, and XML has no place for
// most control characters.
QByteArray cellText(const QString &text)
{
    QString t = text.left(32767);
    for (QChar &c : t)
        if (c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            c = QLatin1Char(' ');
    return t.toUtf8();
}

struct ExportColumn
{
    int logical;
    int sheetColumn;
    int field;
    SqlRowModel::FieldKind kind;
    bool dateFormat;
    bool hasFormat;
    lxw_format *format;
};

int g_progressDelay = 800;

} // namespace

void GridExport::setProgressDelay(int milliseconds)
{
    g_progressDelay = milliseconds;
}

GridExport::FileOpener GridExport::setFileOpener(FileOpener o)
{
    FileOpener old = opener();
    opener() = o ? std::move(o) : FileOpener([](const QUrl &url) { return QDesktopServices::openUrl(url); });
    return old;
}

QString GridExport::sheetName(const QString &title)
{
    QString name = title;
    for (QChar &c : name)
        if (QStringLiteral("[]:*?/\\").contains(c) || c.unicode() < 0x20)
            c = QLatin1Char('_');
    while (name.startsWith(QLatin1Char('\'')))
        name.remove(0, 1);
    name = name.left(31);
    while (name.endsWith(QLatin1Char('\'')))
        name.chop(1);
    name = name.trimmed();
    return name.isEmpty() ? QStringLiteral("Sheet1") : name;
}

bool GridExport::writeWorkbook(
    DataGrid *grid, const QString &path, const QString &title, QString *error, bool *cancelled)
{
    if (cancelled)
        *cancelled = false;
    SqlRowModel *model = grid->rowModel();
    const int rows = model && model->isOpen() ? model->rowCount() : 0;
    if (rows + 1 > kMaxRows) {
        *error = QStringLiteral("共 %1 行，超过 Excel 工作表的上限 %2 行").arg(rows).arg(kMaxRows - 1);
        return false;
    }

    lxw_workbook_options options {};
    options.constant_memory = LXW_TRUE; // rows go to disk as written: a whole register fits
    options.use_zip64 = LXW_TRUE;
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook *wb = workbook_new_opt(file.constData(), &options);
    if (!wb) {
        *error = QStringLiteral("无法创建文件");
        return false;
    }
    lxw_worksheet *ws = workbook_add_worksheet(wb, sheetName(title).toUtf8().constData());
    lxw_format *textFormat = workbook_add_format(wb);
    format_set_num_format(textFormat, "@");

    QList<ExportColumn> columns;
    const QList<int> order = grid->visualOrder();
    for (int j = 0; j < order.size(); ++j) {
        const GridColumn c = grid->column(order.at(j));
        if (ws)
            worksheet_set_column(ws, j, j, qMax(2.0, c.width / 7.0), nullptr);
        if (!c.visible)
            continue;
        ExportColumn e { order.at(j), j, model ? model->fieldIndex(c.fieldName) : -1, SqlRowModel::FieldKind::Text,
            DisplayFormat::isDatePattern(c.displayFormat), !c.displayFormat.trimmed().isEmpty(), textFormat };
        if (e.field >= 0)
            e.kind = model->fieldKind(e.field);
        if (e.hasFormat) {
            e.format = workbook_add_format(wb);
            format_set_num_format(e.format, DisplayFormat::excelNumberFormat(c.displayFormat).toUtf8().constData());
        }
        columns << e;
        if (ws)
            worksheet_write_string(ws, 0, j, cellText(c.caption).constData(), nullptr);
    }

    QProgressDialog progress(QStringLiteral("正在导出到 Excel……"), QStringLiteral("取消"), 0, rows, grid->window());
    progress.setWindowTitle(QStringLiteral("导出"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(g_progressDelay);
    progress.setAutoReset(false);

    bool stopped = false;
    lxw_error failed = LXW_NO_ERROR;
    for (int r = 0; ws && r < rows && !stopped && failed == LXW_NO_ERROR; ++r) {
        if (r % 256 == 0) {
            progress.setValue(r);
            stopped = progress.wasCanceled();
        }
        for (const ExportColumn &e : std::as_const(columns)) {
            const QString text = grid->displayText(r, e.logical);
            if (text.isEmpty() || text.trimmed() == QLatin1String("1900-08-14"))
                continue;
            const QVariant v = model->value(r, e.field);
            const bool numeric = e.kind == SqlRowModel::FieldKind::Number || e.kind == SqlRowModel::FieldKind::Integer;
            bool isNum = false;
            const double d = numeric ? v.toDouble(&isNum) : 0.0;
            lxw_error rc;
            if (numeric && isNum && !e.dateFormat) {
                rc = worksheet_write_number(ws, r + 1, e.sheetColumn, d, e.hasFormat ? e.format : nullptr);
            } else if (e.kind == SqlRowModel::FieldKind::Date && e.hasFormat && e.dateFormat
                && DisplayFormat::toDateTime(v).isValid()) {
                const QDateTime dt = DisplayFormat::toDateTime(v);
                lxw_datetime x { dt.date().year(), dt.date().month(), dt.date().day(), dt.time().hour(),
                    dt.time().minute(), static_cast<double>(dt.time().second()) };
                rc = worksheet_write_datetime(ws, r + 1, e.sheetColumn, &x, e.format);
            } else {
                rc = worksheet_write_string(ws, r + 1, e.sheetColumn, cellText(text).constData(), e.format);
            }
            if (rc != LXW_NO_ERROR) {
                failed = rc;
                break;
            }
        }
    }
    progress.setValue(rows);
    const lxw_error closed = workbook_close(wb);
    if (stopped) {
        if (cancelled)
            *cancelled = true;
        QFile::remove(path);
        return false;
    }
    if (!ws || failed != LXW_NO_ERROR || closed != LXW_NO_ERROR) {
        *error = QString::fromUtf8(lxw_strerror(!ws ? LXW_ERROR_INVALID_SHEETNAME_CHARACTER
                : failed != LXW_NO_ERROR            ? failed
                                                    : closed));
        QFile::remove(path);
        return false;
    }
    return true;
}

bool GridExport::ExportGridToExcel(DataGrid *grid, const QString &title, bool show)
{
    QString base = title.trimmed();
    for (QChar &c : base)
        if (QStringLiteral("\\/:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    if (base.isEmpty())
        base = QStringLiteral("导出");
    const QString proposed = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                 .filePath(base + QStringLiteral(".xlsx"));
    QString path
        = chooseSaveFile(grid, QStringLiteral("导出到 Excel"), proposed, QStringLiteral("Excel 工作簿 (*.xlsx)"));
    if (path.isEmpty())
        return false;
    if (!path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        path += QStringLiteral(".xlsx");

    // written beside the target and moved into place, so a failure never leaves
    // a half-written workbook under the chosen name
    const QFileInfo target(path);
    const QString part = target.dir().filePath(
        QStringLiteral(".%1.%2.part")
            .arg(target.completeBaseName(), QUuid::createUuid().toString(QUuid::Id128).left(8)));
    QString error;
    bool cancelled = false;
    bool ok = writeWorkbook(grid, part, title, &error, &cancelled);
    if (cancelled)
        return false;
    if (ok) {
        if (QFile::exists(path) && !QFile::remove(path)) {
            ok = false;
            error = QStringLiteral("原文件正在使用，无法覆盖");
        } else if (!QFile::rename(part, path)) {
            ok = false;
            error = QStringLiteral("无法写入目标文件");
        }
        if (!ok)
            QFile::remove(part);
    }
    if (!ok) {
        ShowMess(QStringLiteral("导出 Excel 文件失败：%1\n%2").arg(error, QDir::toNativeSeparators(path)), MessError);
        return false;
    }
    if (show && !opener()(QUrl::fromLocalFile(target.absoluteFilePath())))
        ShowMess(QStringLiteral("数据已导出到文件：\n%1\n系统中没有可以打开该文件的程序，请自行打开。")
                     .arg(QDir::toNativeSeparators(target.absoluteFilePath())),
            MessInfo);
    return true;
}
