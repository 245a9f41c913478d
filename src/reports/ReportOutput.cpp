#include "ReportOutput.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <xlsxwriter.h>

namespace Rpt {

namespace {

QPageLayout layoutOf(const PreparedReport &report, int page)
{
    const QSizeF mm = report.pageSizeMm(page);
    const bool landscape = mm.width() > mm.height();
    const QSizeF portrait = landscape ? mm.transposed() : mm;
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter),
        landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

constexpr int kPdfResolution = 300;

} // namespace

bool ReportOutput::writePdf(
    const PreparedReport &report, const QString &path, QString *error, const PageProgress &progress)
{
    bool ok = true;
    {
        QPdfWriter writer(path);
        writer.setResolution(kPdfResolution);
        writer.setCreator(QStringLiteral("岚舟户口管理软件"));
        writer.setPageLayout(report.pageCount() > 0 ? layoutOf(report, 0) : QPageLayout());
        QPainter painter;
        if (!painter.begin(&writer)) {
            if (error)
                *error = QStringLiteral("无法写入文件 %1").arg(path);
            return false;
        }
        const qreal scale = kPdfResolution / 96.0;
        for (int i = 0; i < report.pageCount(); ++i) {
            if (progress && !progress(i, report.pageCount())) {
                ok = false;
                if (error)
                    error->clear();
                break;
            }
            if (i > 0) {
                writer.setPageLayout(layoutOf(report, i));
                writer.newPage();
            }
            painter.save();
            painter.scale(scale, scale);
            report.paintPage(painter, i);
            painter.restore();
        }
        painter.end();
    }
    if (!ok)
        QFile::remove(path);
    return ok;
}

bool ReportOutput::print(
    const PreparedReport &report, QPrinter &printer, int from, int to, const PageProgress &progress)
{
    if (report.pageCount() == 0)
        return false;
    const int first = from > 0 ? from - 1 : 0;
    const int last = to > 0 ? qMin(to, report.pageCount()) - 1 : report.pageCount() - 1;
    if (first > last)
        return false;
    printer.setFullPage(true);
    printer.setPageLayout(layoutOf(report, first));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    for (int i = first; i <= last; ++i) {
        if (progress && !progress(i - first, last - first + 1)) {
            printer.abort();
            return false;
        }
        if (i > first) {
            printer.setPageLayout(layoutOf(report, i));
            printer.newPage();
        }
        const qreal scale = printer.resolution() / 96.0;
        painter.save();
        painter.scale(scale, scale);
        report.paintPage(painter, i);
        painter.restore();
    }
    return painter.end();
}

bool ReportOutput::printWithDialog(const PreparedReport &report, QWidget *parent)
{
    if (report.pageCount() == 0)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(layoutOf(report, 0));
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("打印"));
    dialog.setMinMax(1, report.pageCount());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    int from = 0, to = 0;
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage();
        to = printer.toPage();
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        from = to = 1;
    }
    ProgressShower shower(parent, QStringLiteral("正在打印…"));
    return print(report, printer, from, to, shower.pageProgress());
}

bool ReportOutput::writeXlsx(Report &report, const QString &path, QString *error, const Report::Progress &progress)
{
    Report::Table table;
    if (!report.tabulate(table, progress)) {
        if (error)
            *error = table.captions.isEmpty() ? QStringLiteral("这个报表没有数据列表，不能导出为 Excel。") : QString();
        return false;
    }
    const QByteArray file = path.toUtf8();
    lxw_workbook *wb = workbook_new(file.constData());
    if (!wb) {
        if (error)
            *error = QStringLiteral("无法写入文件 %1").arg(path);
        return false;
    }
    lxw_worksheet *ws = workbook_add_worksheet(wb, nullptr);
    lxw_format *titleFormat = workbook_add_format(wb);
    format_set_bold(titleFormat);
    format_set_font_size(titleFormat, 14);
    format_set_align(titleFormat, LXW_ALIGN_CENTER);
    lxw_format *captionFormat = workbook_add_format(wb);
    format_set_bold(captionFormat);
    format_set_border(captionFormat, LXW_BORDER_THIN);
    format_set_align(captionFormat, LXW_ALIGN_CENTER);
    lxw_format *cellFormat = workbook_add_format(wb);
    format_set_border(cellFormat, LXW_BORDER_THIN);

    const int columns = int(table.captions.size());
    lxw_row_t row = 0;
    if (!table.title.isEmpty() && columns > 0) {
        const QByteArray t = table.title.toUtf8();
        if (columns > 1)
            worksheet_merge_range(ws, 0, 0, 0, lxw_col_t(columns - 1), t.constData(), titleFormat);
        else
            worksheet_write_string(ws, 0, 0, t.constData(), titleFormat);
        row = 1;
    }
    for (int c = 0; c < columns; ++c) {
        const QByteArray t = table.captions.at(c).toUtf8();
        worksheet_write_string(ws, row, lxw_col_t(c), t.constData(), captionFormat);
        worksheet_set_column(
            ws, lxw_col_t(c), lxw_col_t(c), qBound(8.0, table.captions.at(c).size() * 2.5 + 4, 40.0), nullptr);
    }
    ++row;
    for (const QVariantList &r : table.rows) {
        for (int c = 0; c < columns; ++c) {
            const QVariant v = r.value(c);
            bool isNum = false;
            const double d = v.toDouble(&isNum);
            if (table.numeric.value(c) && !v.isNull() && isNum) {
                worksheet_write_number(ws, row, lxw_col_t(c), d, cellFormat);
            } else {
                QString text = v.toString().left(32767);
                for (QChar &ch : text)
                    if (ch.unicode() < 0x20 && ch != QLatin1Char('\n'))
                        ch = QLatin1Char(' ');
                const QByteArray t = text.toUtf8();
                worksheet_write_string(ws, row, lxw_col_t(c), t.constData(), cellFormat);
            }
        }
        ++row;
    }
    const lxw_error rc = workbook_close(wb);
    if (rc != LXW_NO_ERROR) {
        if (error)
            *error = QString::fromUtf8(lxw_strerror(rc));
        QFile::remove(path);
        return false;
    }
    return true;
}

struct ProgressShower::Impl
{
    std::unique_ptr<QProgressDialog> dialog;
};

ProgressShower::ProgressShower(QWidget *parent, const QString &label)
    : d(std::make_unique<Impl>())
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    d->dialog = std::make_unique<QProgressDialog>(label, QStringLiteral("取消"), 0, 100, parent);
    d->dialog->setWindowTitle(QStringLiteral("报表"));
    d->dialog->setWindowModality(Qt::WindowModal);
    d->dialog->setMinimumDuration(800);
    d->dialog->setAutoClose(false);
    d->dialog->setAutoReset(false);
    d->dialog->setValue(0);
}

ProgressShower::~ProgressShower() = default;

bool ProgressShower::update(qint64 done, qint64 total)
{
    if (!d->dialog)
        return true;
    d->dialog->setMaximum(int(qMin<qint64>(total, INT_MAX)));
    d->dialog->setValue(int(qMin<qint64>(done, INT_MAX)));
    QCoreApplication::processEvents();
    return !d->dialog->wasCanceled();
}

Report::Progress ProgressShower::rowProgress()
{
    return [this](qint64 done, qint64 total) { return update(done, total); };
}

ReportOutput::PageProgress ProgressShower::pageProgress()
{
    return [this](int done, int total) { return update(done, total); };
}

} // namespace Rpt
