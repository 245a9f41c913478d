#include "Reports.h"

#include <QSqlQuery>

#include "ReportCatalogue.h"
#include "ReportOutput.h"
#include "TfrmReportPreview.h"
#include "app/AppPaths.h"
#include "app/Startup.h"
#include "data/DataModule.h"
#include "data/Database.h"
#include "grid/DataGrid.h"
#include "support/Messages.h"

#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QUrl>
#include <cstdio>

namespace Reports {

namespace {

PreviewPresenter &presenter()
{
    static PreviewPresenter p;
    return p;
}

FileOpener &designOpener()
{
    static FileOpener o;
    return o;
}

void showPreview(std::shared_ptr<Rpt::Report> report, std::shared_ptr<Rpt::PreparedReport> pages, QWidget *parent)
{
    if (presenter()) {
        presenter()(std::move(report), std::move(pages), parent);
        return;
    }
    TfrmReportPreview preview(std::move(report), std::move(pages), parent);
    preview.exec();
}

bool hasPicture(const Rpt::Template &t)
{
    for (const Rpt::Page &p : t.pages)
        for (const Rpt::Band &b : p.bands)
            for (const Rpt::ReportObject &o : b.objects)
                if (o.type == Rpt::ObjectType::Picture)
                    return true;
    return false;
}

int g_lastFitMode = 1;

void errorLine(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace

PreviewPresenter setPreviewPresenter(PreviewPresenter p)
{
    PreviewPresenter old = presenter();
    presenter() = std::move(p);
    return old;
}

FileOpener setDesignOpener(FileOpener o)
{
    FileOpener old = designOpener();
    designOpener() = std::move(o);
    return old;
}

QString templatePath(const QString &name)
{
    return AppPaths::templateFolder() + name + QStringLiteral(".fr3");
}

void bindCommon(Rpt::Report &report)
{
    report.bind(
        QStringLiteral("frxSysInfo"), ModelDataSet::fromSql(QStringLiteral("select * from SysInfo order by F_ID")));
}

namespace {

// The resident list never holds photo bytes; a template that shows the photo
// reads it for the row it prints.
class ResidentListDataSet : public ModelDataSet
{
public:
    ResidentListDataSet(SqlRowModel *model, int currentRow)
    {
        m_model = model;
        m_current = qMax(0, currentRow);
    }
    int fieldIndex(const QString &name) const override
    {
        const int i = ModelDataSet::fieldIndex(name);
        if (i >= 0 || name.compare(QLatin1String("F_EmpImage"), Qt::CaseInsensitive) != 0 || !m_model)
            return i;
        return m_model->fieldNames().size();
    }
    QVariant value(int row, int field) const override
    {
        if (!m_model || field < m_model->fieldNames().size())
            return ModelDataSet::value(row, field);
        QSqlQuery q;
        if (Database::exec(q, QStringLiteral("select F_EmpImage from ZuZav where F_ID = ?"),
                QVariantList { m_model->value(row, QStringLiteral("F_ID")) })
            && q.next())
            return q.value(0);
        return {};
    }
    Kind fieldKind(int field) const override
    {
        return m_model && field >= m_model->fieldNames().size() ? Kind::Blob : ModelDataSet::fieldKind(field);
    }
};

} // namespace

void bindMainWindow(Rpt::Report &report, const MainSources &sources)
{
    report.bind(QStringLiteral("frxMain"), std::make_shared<ResidentListDataSet>(sources.residents, sources.currentRow));
    report.bind(QStringLiteral("frxDetail1"),
        std::make_shared<DetailDataSet>(ReportCatalogue::changeRecordsSql(), QStringLiteral(":F_mainID"),
            QStringLiteral("frxMain"), QStringLiteral("F_mainID")));
    report.bind(QStringLiteral("frxDetail2"), ModelDataSet::fromSql(ReportCatalogue::cancellationRecordsSql()));
    report.bind(QStringLiteral("frxDetail3"),
        std::make_shared<DetailDataSet>(ReportCatalogue::remindersSql(), QStringLiteral(":F_mainID"),
            QStringLiteral("frxMain"), QStringLiteral("F_mainID")));
}

bool previewReport(std::shared_ptr<Rpt::Report> report, QWidget *parent)
{
    std::unique_ptr<Rpt::PreparedReport> pages;
    {
        Rpt::ProgressShower shower(parent, QStringLiteral("正在生成报表…"));
        pages = report->prepare(shower.rowProgress());
    }
    if (!pages)
        return false;
    showPreview(std::move(report), std::shared_ptr<Rpt::PreparedReport>(std::move(pages)), parent);
    return true;
}

bool previewMainTemplate(const QString &name, const MainSources &sources, QWidget *parent)
{
    if (!sources.residents || !sources.residents->isOpen() || sources.residents->rowCount() == 0)
        return false;
    auto report = std::make_shared<Rpt::Report>();
    report->loadTemplate(name);
    bindCommon(*report);
    bindMainWindow(*report, sources);
    if (name.compare(QStringLiteral("frHkFenLei"), Qt::CaseInsensitive) == 0)
        report->bind(QStringLiteral("frxDM"),
            ModelDataSet::fromSql(sources.listSql + QStringLiteral(" order by F_HKtype, F_code")));
    return previewReport(report, parent);
}

bool previewListTemplate(
    const QString &name, SqlRowModel *rows, QWidget *parent, const QHash<QString, QString> &memoTexts)
{
    if (!rows || !rows->isOpen() || rows->rowCount() == 0)
        return false;
    auto report = std::make_shared<Rpt::Report>();
    report->loadTemplate(name);
    // a template without these objects still prints
    for (auto it = memoTexts.cbegin(); it != memoTexts.cend(); ++it)
        report->setMemoText(it.key(), it.value());
    bindCommon(*report);
    report->bind(QStringLiteral("frxDM"), ModelDataSet::fromModel(rows, 0));
    return previewReport(report, parent);
}

bool previewTemplate(
    const QString &name, const QHash<QString, std::shared_ptr<ReportDataSet>> &dataSets, QWidget *parent)
{
    auto report = std::make_shared<Rpt::Report>();
    report->loadTemplate(name);
    bindCommon(*report);
    for (auto it = dataSets.cbegin(); it != dataSets.cend(); ++it)
        report->bind(it.key(), it.value());
    return previewReport(report, parent);
}

bool designTemplate(const QString &name, QWidget *)
{
    const QString path = templatePath(name);
    if (!QFileInfo::exists(path)) {
        Rpt::Template blank;
        Rpt::Page page;
        page.name = QStringLiteral("Page1");
        blank.pages.push_back(page);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QString error;
        if (!blank.save(path, &error)) {
            ShowMess(
                QStringLiteral("无法建立报表模板文件：\r%1\r%2").arg(QDir::toNativeSeparators(path), error), MessError);
            return false;
        }
    }
    const QUrl url = QUrl::fromLocalFile(path);
    const bool opened = designOpener() ? designOpener()(url) : QDesktopServices::openUrl(url);
    if (!opened)
        ShowMess(QStringLiteral("没有找到可以编辑报表模板的程序。\r请用文本编辑器打开下面的模板文件进行修改：\r%1")
                     .arg(QDir::toNativeSeparators(path)),
            MessWarning);
    return opened;
}

// ---------------------------------------------------------------------------
// Grid printing

std::shared_ptr<Rpt::Report> gridReport(
    DataGrid *grid, const QString &title, const QString &pageHeader, const QString &footer, int fitMode)
{
    using namespace Rpt;
    if (fitMode == 0 || fitMode == 1)
        g_lastFitMode = fitMode;
    const bool stretchRows = g_lastFitMode == 0;
    auto data = std::make_shared<GridDataSet>(grid);
    const QList<int> columns = data->columns();

    Page page;
    page.name = QStringLiteral("Page1");
    page.titleBeforeHeader = false;
    double total = 0;
    QList<double> widths;
    for (int logical : columns) {
        const double w
            = qMax(20, grid->columnWidth(logical) > 0 ? grid->columnWidth(logical) : grid->column(logical).width);
        widths << w;
        total += w;
    }
    // a wide grid turns the paper rather than shrinking its text to nothing
    if (total > page.printableRect().width() * 1.25) {
        std::swap(page.paperWidth, page.paperHeight);
        page.landscape = true;
    }
    const QRectF area = page.printableRect();
    const double scale = total > area.width() ? area.width() / total : 1.0;

    auto memo = [](double x, double y, double w, double h, const QString &text) {
        ReportObject o;
        o.type = ObjectType::Memo;
        o.geometry = QRectF(x, y, w, h);
        o.text = text;
        o.fontHeight = 12; // 9 pt
        o.vAlign = VAlign::Center;
        o.allowExpressions = false;
        o.segments = { { Segment::Kind::Literal, text, {}, {}, {} } };
        return o;
    };
    auto hAlignOf = [](Qt::Alignment a) {
        if (a & Qt::AlignHCenter)
            return HAlign::Center;
        if (a & Qt::AlignRight)
            return HAlign::Right;
        return HAlign::Left;
    };

    Band titleBand;
    titleBand.type = BandType::ReportTitle;
    titleBand.name = QStringLiteral("ReportTitle1");
    titleBand.geometry = QRectF(0, 0, area.width(), 64);
    ReportObject t = memo(0, 18, area.width(), 28, title);
    t.fontHeight = 19;
    t.fontStyle = 1;
    t.hAlign = HAlign::Center;
    titleBand.objects.push_back(t);
    page.bands.push_back(titleBand);

    if (!pageHeader.trimmed().isEmpty()) {
        Band b;
        b.type = BandType::PageHeader;
        b.name = QStringLiteral("PageHeader1");
        b.geometry = QRectF(0, 70, area.width(), 22);
        b.objects.push_back(memo(0, 0, area.width(), 20, pageHeader.trimmed()));
        page.bands.push_back(b);
    }

    Band captions, rows, sums;
    captions.type = BandType::ColumnHeader;
    captions.name = QStringLiteral("ColumnHeader1");
    captions.geometry = QRectF(0, 100, area.width(), 24);
    rows.type = BandType::MasterData;
    rows.name = QStringLiteral("MasterData1");
    rows.dataSet = QStringLiteral("grid");
    rows.geometry = QRectF(0, 130, area.width(), 20);
    rows.stretched = stretchRows;
    sums.type = BandType::Footer;
    sums.name = QStringLiteral("Footer1");
    sums.geometry = QRectF(0, 160, area.width(), 20);
    double x = 0;
    bool anyFooter = false;
    for (int i = 0; i < columns.size(); ++i) {
        const GridColumn c = grid->column(columns.at(i));
        const double w = widths.at(i) * scale;
        ReportObject cap = memo(x, 0, w, 24, c.caption.isEmpty() ? c.fieldName : c.caption);
        cap.fontStyle = 1;
        cap.hAlign = HAlign::Center;
        cap.frameTyp = 15;
        cap.fillColor = QColor(235, 235, 235);
        cap.wordWrap = false;
        captions.objects.push_back(cap);

        ReportObject cell = memo(x, 0, w, 20, QStringLiteral("[grid.\"C%1\"]").arg(i));
        cell.allowExpressions = true;
        cell.segments = parseText(cell.text);
        cell.hAlign = hAlignOf(c.alignment);
        cell.frameTyp = 15;
        cell.wordWrap = stretchRows;
        // cells of a row share its height, so the frames meet
        cell.stretch = stretchRows ? StretchMode::MaxHeight : StretchMode::DontStretch;
        rows.objects.push_back(cell);

        const QString foot = grid->footerText(columns.at(i));
        anyFooter = anyFooter || c.footerType != GridColumn::Footer::None;
        ReportObject f = memo(x, 0, w, 20, foot);
        f.hAlign = hAlignOf(c.alignment);
        f.frameTyp = 15;
        f.wordWrap = false;
        sums.objects.push_back(f);
        x += w;
    }
    page.bands.push_back(captions);
    page.bands.push_back(rows);
    if (anyFooter && grid->footerShown())
        page.bands.push_back(sums);

    Band pf;
    pf.type = BandType::PageFooter;
    pf.name = QStringLiteral("PageFooter1");
    pf.geometry = QRectF(0, 200, area.width(), 24);
    ReportObject pageNo
        = memo(area.width() / 3, 4, area.width() / 3, 20, QStringLiteral("第 [Page#] 页，共 [TotalPages#] 页"));
    pageNo.allowExpressions = true;
    pageNo.segments = parseText(pageNo.text);
    pageNo.hAlign = HAlign::Center;
    pf.objects.push_back(pageNo);
    QString right = footer.trimmed();
    if (right == QLatin1String("date"))
        right = QStringLiteral("打印日期：") + QDate::currentDate().toString(QStringLiteral("yyyy年MM月dd日"));
    if (!right.isEmpty()) {
        ReportObject r = memo(area.width() / 3 * 2, 4, area.width() / 3, 20, right);
        r.hAlign = HAlign::Right;
        pf.objects.push_back(r);
    }
    page.bands.push_back(pf);

    Template tpl;
    tpl.pages.push_back(page);
    auto report = std::make_shared<Report>();
    report->setTemplate(std::move(tpl));
    report->bind(QStringLiteral("grid"), data);
    return report;
}

void PrintGrid(DataGrid *grid, const QString &title, const QString &pageHeader, const QString &footer, int fitMode)
{
    if (!grid)
        return;
    previewReport(gridReport(grid, title, pageHeader, footer, fitMode), grid->window());
}

// ---------------------------------------------------------------------------
// Batch printing

void bindDefaultData(Rpt::Report &report, const QString &name)
{
    const ReportCatalogue::Entry *entry = ReportCatalogue::find(name);
    if (entry && entry->source == ReportCatalogue::Source::List) {
        if (entry->name == QLatin1String("frStatFx")) {
            const QString stat = DataModule::QueryText(QStringLiteral("select F_name from cfg_stat order by F_ID"));
            const QString sql = DataModule::QueryText(
                QStringLiteral("select F_SQLtext from cfg_stat where F_name = ?"), QVariantList { stat });
            report.setMemoText(QStringLiteral("Memo1"), stat + QStringLiteral("/户口数分析图"));
            report.setMemoText(QStringLiteral("Memo2"), stat);
            if (!sql.isEmpty())
                report.bind(QStringLiteral("frxDM"), ModelDataSet::fromSql(sql));
            return;
        }
        report.bind(QStringLiteral("frxDM"), ModelDataSet::fromSql(entry->listSql));
        return;
    }
    const QString list = ReportCatalogue::residentListSql(hasPicture(report.templ()));
    auto main = ModelDataSet::fromSql(list + QStringLiteral("order by F_code"));
    MainSources sources;
    bindMainWindow(report, sources);
    report.bind(QStringLiteral("frxMain"), main);
    // a template of our own making may read either name
    if (!entry || entry->source == ReportCatalogue::Source::Classified)
        report.bind(QStringLiteral("frxDM"),
            entry ? ModelDataSet::fromSql(list + QStringLiteral("order by F_HKtype, F_code")) : main);
}

bool isCommandLine(const QStringList &args)
{
    return args.contains(QStringLiteral("--report"));
}

int runCommandLine(const QStringList &args)
{
    QString name, pdf, xlsx;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const QString next = i + 1 < args.size() ? args.at(i + 1) : QString();
        if (a == QLatin1String("--report"))
            name = next, ++i;
        else if (a == QLatin1String("--pdf"))
            pdf = next, ++i;
        else if (a == QLatin1String("--xlsx"))
            xlsx = next, ++i;
    }
    if (name.isEmpty() || (pdf.isEmpty() && xlsx.isEmpty())) {
        errorLine(QStringLiteral("用法：zuzav --report <模板名> --pdf <输出.pdf> [--xlsx <输出.xlsx>]"));
        return 2;
    }
    auto report = std::make_shared<Rpt::Report>();
    const bool readable = report->loadTemplate(name);
    if (!report->templateExists()) {
        errorLine(QStringLiteral("报表模板不存在：%1").arg(QDir::toNativeSeparators(report->templatePath())));
        return 3;
    }
    if (!readable) {
        errorLine(QStringLiteral("报表模板无法使用：%1：%2")
                      .arg(QDir::toNativeSeparators(report->templatePath()), report->templateError()));
        return 4;
    }
    if (!Database::isOpen()) {
        bool isDefault = false;
        const QString folder = Startup::databaseFolder(&isDefault);
        QString error;
        if (Database::open(folder, isDefault, &error) != Database::OpenResult::Opened) {
            errorLine(QStringLiteral("无法打开数据库：%1 %2").arg(QDir::toNativeSeparators(folder), error));
            return 5;
        }
    }
    // no message box may wait for a click in a batch run
    const MessResponder previous = setMessResponder([](const QString &text, int) {
        errorLine(QString(text).replace(QLatin1Char('\r'), QLatin1Char(' ')));
        return int(MessOk);
    });
    struct Restore
    {
        MessResponder r;
        ~Restore()
        {
            if (r)
                setMessResponder(r);
            else
                resetMessResponder();
        }
    } restore { previous };

    bindCommon(*report);
    bindDefaultData(*report, name);
    auto pages = report->prepare();
    for (const QString &w : pages->warnings)
        errorLine(QStringLiteral("提示：") + w);
    int rc = 0;
    QString error;
    if (!pdf.isEmpty() && !Rpt::ReportOutput::writePdf(*pages, pdf, &error)) {
        errorLine(QStringLiteral("无法写入 PDF：%1 %2").arg(QDir::toNativeSeparators(pdf), error));
        rc = 6;
    }
    if (!xlsx.isEmpty() && !Rpt::ReportOutput::writeXlsx(*report, xlsx, &error)) {
        errorLine(QStringLiteral("无法写入 Excel：%1 %2").arg(QDir::toNativeSeparators(xlsx), error));
        rc = 6;
    }
    return rc;
}

} // namespace Reports
