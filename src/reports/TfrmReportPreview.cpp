#include "TfrmReportPreview.h"
#include "ui_TfrmReportPreview.h"

#include "ReportOutput.h"
#include "support/FileDialogs.h"
#include "support/Messages.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStandardPaths>

class ReportPageView : public QWidget
{
public:
    explicit ReportPageView(QWidget *parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void show(const Rpt::PreparedReport *pages, int page, double zoom)
    {
        m_pages = pages;
        m_page = page;
        m_zoom = zoom;
        const QSizeF px = pages && page < pages->pageCount() ? pages->pageSizePx(page) : QSizeF(794, 1123);
        resize((px * zoom).toSize() + QSize(2 * kBorder, 2 * kBorder));
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Dark));
        if (!m_pages || m_page >= m_pages->pageCount())
            return;
        const QRect paper = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
        p.fillRect(paper, Qt::white);
        p.translate(paper.topLeft());
        p.scale(m_zoom, m_zoom);
        m_pages->paintPage(p, m_page);
    }

private:
    static constexpr int kBorder = 12;
    const Rpt::PreparedReport *m_pages = nullptr;
    int m_page = 0;
    double m_zoom = 1.0;
};

namespace {
// Zoom list: the first two fit the window, the rest are fixed.
const double kZooms[] = { -2, -1, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0 };
}

TfrmReportPreview::TfrmReportPreview(
    std::shared_ptr<Rpt::Report> report, std::shared_ptr<Rpt::PreparedReport> pages, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TfrmReportPreview>())
    , m_report(std::move(report))
    , m_pages(pages ? std::move(pages) : std::make_shared<Rpt::PreparedReport>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    m_view = new ReportPageView(ui->scrollArea);
    ui->scrollArea->setWidget(m_view);
    ui->cbbZoom->addItems(
        { QStringLiteral("整页"), QStringLiteral("页宽"), QStringLiteral("50%"), QStringLiteral("75%"),
            QStringLiteral("100%"), QStringLiteral("125%"), QStringLiteral("150%"), QStringLiteral("200%") });
    ui->cbbZoom->setCurrentIndex(4);
    connect(ui->cbbZoom, &QComboBox::currentIndexChanged, this, &TfrmReportPreview::applyZoomChoice);
    connect(ui->btnFirst, &QPushButton::clicked, this, [this] { setCurrentPage(0); });
    connect(ui->btnPrior, &QPushButton::clicked, this, [this] { setCurrentPage(m_page - 1); });
    connect(ui->btnNext, &QPushButton::clicked, this, [this] { setCurrentPage(m_page + 1); });
    connect(ui->btnLast, &QPushButton::clicked, this, [this] { setCurrentPage(m_pages->pageCount() - 1); });
    connect(ui->spnPage, &QSpinBox::valueChanged, this, [this](int v) { setCurrentPage(v - 1); });
    connect(ui->btnPrint, &QPushButton::clicked, this, [this] { Rpt::ReportOutput::printWithDialog(*m_pages, this); });
    connect(ui->btnPdf, &QPushButton::clicked, this, [this] { exportPdf(); });
    connect(ui->btnXlsx, &QPushButton::clicked, this, [this] { exportXlsx(); });
    connect(ui->btnClose, &QPushButton::clicked, this, &QDialog::reject);

    const int count = m_pages->pageCount();
    ui->spnPage->setMaximum(qMax(1, count));
    ui->lblPageCount->setText(QStringLiteral("/ %1").arg(count));
    for (QWidget *w : { static_cast<QWidget *>(ui->btnPrint), static_cast<QWidget *>(ui->btnPdf),
             static_cast<QWidget *>(ui->btnXlsx), static_cast<QWidget *>(ui->spnPage) })
        w->setEnabled(count > 0);
    ui->btnXlsx->setEnabled(count > 0 && m_report);
    const QString warning = m_pages->warnings.isEmpty()
        ? QString()
        : QStringLiteral("报表模板有问题：") + m_pages->warnings.join(QStringLiteral("；"));
    ui->lblStatus->setText(warning.isEmpty() ? QStringLiteral("共 %1 页").arg(count) : warning);
    if (!warning.isEmpty())
        ui->lblStatus->setStyleSheet(QStringLiteral("color: #a00000;"));
    if (m_report && !m_report->templatePath().isEmpty())
        setWindowTitle(QStringLiteral("报表预览 - %1").arg(QFileInfo(m_report->templatePath()).completeBaseName()));
    updatePage();
}

TfrmReportPreview::~TfrmReportPreview() = default;

int TfrmReportPreview::currentPage() const
{
    return m_page;
}

void TfrmReportPreview::setCurrentPage(int page)
{
    const int count = m_pages->pageCount();
    page = count == 0 ? 0 : qBound(0, page, count - 1);
    if (page == m_page && ui->spnPage->value() == page + 1 && m_view->isVisible())
        return;
    m_page = page;
    updatePage();
}

void TfrmReportPreview::setZoom(double zoom)
{
    m_zoom = qBound(0.1, zoom, 8.0);
    updatePage();
}

void TfrmReportPreview::applyZoomChoice(int index)
{
    if (index < 0 || index >= int(std::size(kZooms)))
        return;
    const double z = kZooms[index];
    if (z > 0) {
        setZoom(z);
        return;
    }
    const QSizeF px = m_pages->pageCount() ? m_pages->pageSizePx(m_page) : QSizeF(794, 1123);
    const QSize room = ui->scrollArea->viewport()->size() - QSize(28, 28);
    const double byWidth = room.width() / px.width();
    setZoom(z < -1.5 ? qMin(byWidth, room.height() / px.height()) : byWidth);
}

void TfrmReportPreview::updatePage()
{
    const int count = m_pages->pageCount();
    {
        const QSignalBlocker block(ui->spnPage);
        ui->spnPage->setValue(m_page + 1);
    }
    ui->btnFirst->setEnabled(m_page > 0);
    ui->btnPrior->setEnabled(m_page > 0);
    ui->btnNext->setEnabled(m_page + 1 < count);
    ui->btnLast->setEnabled(m_page + 1 < count);
    m_view->show(m_pages.get(), m_page, m_zoom);
    m_view->setVisible(true);
}

bool TfrmReportPreview::exportPdf(const QString &path)
{
    QString file = path;
    if (file.isEmpty()) {
        const QString base = m_report ? QFileInfo(m_report->templatePath()).completeBaseName() : QStringLiteral("报表");
        const QString proposed
            = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                  .filePath((base.isEmpty() ? QStringLiteral("报表") : base) + QStringLiteral(".pdf"));
        file = chooseSaveFile(this, QStringLiteral("导出PDF"), proposed, QStringLiteral("PDF 文件 (*.pdf)"));
        if (file.isEmpty())
            return false;
    }
    Rpt::ProgressShower shower(this, QStringLiteral("正在导出PDF…"));
    QString error;
    if (!Rpt::ReportOutput::writePdf(*m_pages, file, &error, shower.pageProgress())) {
        if (!error.isEmpty())
            ShowMess(QStringLiteral("导出PDF失败：") + error, MessError);
        return false;
    }
    return true;
}

bool TfrmReportPreview::exportXlsx(const QString &path)
{
    if (!m_report)
        return false;
    QString file = path;
    if (file.isEmpty()) {
        const QString base = QFileInfo(m_report->templatePath()).completeBaseName();
        const QString proposed
            = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                  .filePath((base.isEmpty() ? QStringLiteral("报表") : base) + QStringLiteral(".xlsx"));
        file = chooseSaveFile(this, QStringLiteral("导出Excel"), proposed, QStringLiteral("Excel 工作簿 (*.xlsx)"));
        if (file.isEmpty())
            return false;
    }
    Rpt::ProgressShower shower(this, QStringLiteral("正在导出Excel…"));
    QString error;
    if (!Rpt::ReportOutput::writeXlsx(*m_report, file, &error, shower.rowProgress())) {
        if (!error.isEmpty())
            ShowMess(QStringLiteral("导出Excel失败：") + error, MessError);
        return false;
    }
    return true;
}

void TfrmReportPreview::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        setCurrentPage(m_page + 1);
        return;
    case Qt::Key_PageUp:
        setCurrentPage(m_page - 1);
        return;
    case Qt::Key_Home:
        if (event->modifiers() & Qt::ControlModifier) {
            setCurrentPage(0);
            return;
        }
        break;
    case Qt::Key_End:
        if (event->modifiers() & Qt::ControlModifier) {
            setCurrentPage(m_pages->pageCount() - 1);
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter moves on; it never closes the window
        focusNextChild();
        return;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}
