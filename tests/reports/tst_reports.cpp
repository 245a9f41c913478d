#include "TestSupport.h"
#include "app/AppPaths.h"
#include "data/Database.h"
#include "grid/DataGrid.h"
#include "reports/Report.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportOutput.h"
#include "reports/Reports.h"
#include "reports/TFrmReportGl.h"
#include "reports/TfrmReportPreview.h"
#include "support/Messages.h"

#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

using namespace Rpt;

namespace {

void exec(const QString &sql, const QVariant &params = {})
{
    QSqlQuery q;
    if (!Database::exec(q, sql, params))
        qFatal("fixture statement failed: %s", qPrintable(sql));
}

const QString kCommunity = QStringLiteral("幸福里社区");

// A small register: one household of three, and persons who moved in, moved
// out, died or were cancelled, with relief marks, contacts, change records,
// a reminder and a family.
void addRegister()
{
    exec(QStringLiteral("update SysInfo set F_Code = ?, F_Manager = ?, F_Phone = ?"),
        QVariantList { kCommunity, QStringLiteral("周主任"), QStringLiteral("010-88886666") });
    const QString cols = QStringLiteral(
        "F_mainID,F_Code,F_Name,F_sex,F_CSdate,F_MinZu,F_HKtype,F_LDcode,F_HScode,F_HZname,F_HZguanxi,F_SFZcode,"
        "F_ZZaddress,F_HYmem,F_QFdate,F_ZXflag,F_ZXdate,F_ZXreason,F_WGflag,F_SWdate,F_SWreason,F_QRflag,F_QRdate,"
        "F_OLDaddress,F_QCflag,F_QCdate,F_NewAddress,F_SRprice,F_Znum,F_JJstatus,F_DBflag,F_DBZcode,F_BZprice,"
        "F_SYflag,F_YFflag,F_LLflag,F_CYdate,F_AZdate,F_LNflag,F_CJflag,F_TXflag,F_TXhandphone,F_memo1,F_HKxingzhi,"
        "F_JTaddress");
    const QString marks = QStringLiteral("?,").repeated(cols.count(QLatin1Char(',')) + 1).chopped(1);
    const QString none = QString::fromLatin1(Database::kNullDate);
    const QString addr = QStringLiteral("北京市朝阳区幸福里小区1栋101");
    const QList<QVariantList> rows = {
        { 1, "00000001", "张伟", "男", "1970-03-15", "汉族", "非农业", "1栋", "101", "张伟", "户主",
            "110105197003150012", addr, "已婚", none, 0, "", "", 0, none, "", 0, none, "", 0, none, "", 1200.5, 3,
            "困难", 1, "DB2020001", 800.0, 0, 0, 0, none, none, 0, 0, 1, "13800000001", "社区志愿者", "城镇", addr },
        { 2, "00000002", "李秀英", "女", "1972-07-01", "汉族", "非农业", "1栋", "101", "张伟", "妻",
            "110105197207010024", addr, "已婚", "2010-05-06", 0, "", "", 0, none, "", 0, none, "", 0, none, "", 1200.5,
            3, "困难", 0, "", 0.0, 1, 0, 0, none, none, 0, 0, 0, "", "", "城镇", addr },
        { 3, "00000003", "王小明", "男", "2015-09-10", "回族", "农业", "2栋", "202", "王建", "子", "110105201509100031",
            QStringLiteral("北京市朝阳区幸福里小区2栋202"), "未婚", none, 0, "", "", 0, none, "", 0, none, "", 0, none,
            "", 0.0, 1, "一般", 0, "", 0.0, 0, 0, 0, none, none, 0, 0, 0, "", "", "农村", "" },
        { 4, "00000004", "赵德福", "男", "1940-01-20", "满族", "非农业", "3栋", "301", "赵德福", "户主",
            "110105194001200015", QStringLiteral("北京市朝阳区幸福里小区3栋301"), "丧偶", none, 0, "", "", 1,
            "2023-05-01", "病故", 0, none, "", 0, none, "", 0.0, 1, "一般", 0, "", 0.0, 0, 0, 0, none, none, 0, 0, 0,
            "", "", "城镇", "" },
        { 5, "00000005", "孙立新", "男", "1980-11-11", "汉族", "非农业", "4栋", "402", "孙立新", "户主",
            "130102198011110019", QStringLiteral("北京市朝阳区幸福里小区4栋402"), "离婚", none, 0, "", "", 0, none, "",
            1, "2021-06-18", QStringLiteral("河北省石家庄市长安区"), 0, none, "", 0.0, 1, "一般", 0, "", 0.0, 0, 1, 1,
            "2019-03-01", none, 0, 0, 0, "", "", "城镇", "" },
        { 6, "00000006", "刘桂兰", "女", "1938-02-02", "汉族", "非农业", "3栋", "302", "刘桂兰", "户主",
            "110105193802020026", QStringLiteral("北京市朝阳区幸福里小区3栋302"), "丧偶", none, 0, "", "", 0, none, "",
            0, none, "", 0, none, "", 0.0, 1, "一般", 0, "", 0.0, 0, 0, 0, none, none, 1, 1, 0, "", "", "城镇", "" },
        { 7, "00000007", "陈静", "女", "1990-04-04", "汉族", "非农业", "5栋", "501", "陈静", "户主",
            "110105199004040047", QStringLiteral("北京市朝阳区幸福里小区5栋501"), "未婚", none, 1, "2022-08-08",
            "迁出注销", 0, none, "", 0, none, "", 1, "2022-08-01", QStringLiteral("上海市浦东新区"), 0.0, 1, "一般", 0,
            "", 0.0, 0, 0, 0, none, none, 0, 0, 0, "", "", "城镇", "" },
    };
    for (const QVariantList &r : rows)
        exec(QStringLiteral("insert into ZuZav(%1) values(%2)").arg(cols, marks), r);
    exec(QStringLiteral("insert into t_BGrec(F_mainID,F_Date,F_BGtype,F_Memo1,F_Memo2,F_EmpName) values(?,?,?,?,?,?)"),
        QVariantList { 1, "2020-01-02", "地址变更", "2栋201", "1栋101", "周主任" });
    exec(QStringLiteral("insert into t_BGrec(F_mainID,F_Date,F_BGtype,F_Memo1,F_Memo2,F_EmpName) values(?,?,?,?,?,?)"),
        QVariantList { 1, "2021-03-04", "婚姻变更", "未婚", "已婚", "周主任" });
    exec(QStringLiteral("insert into t_BGrec(F_mainID,F_Date,F_BGtype,F_Memo1,F_Memo2,F_EmpName) values(?,?,?,?,?,?)"),
        QVariantList { 3, "2022-05-06", "户口迁入", "", "2栋202", "周主任" });
    exec(QStringLiteral("insert into t_TXrec(F_mainID,F_AwokeDate,F_AwokeTime,F_Caption,F_Memo1,F_OperName,F_editDate) "
                        "values(?,?,?,?,?,?,?)"),
        QVariantList { 1, QDate::currentDate().addDays(3).toString(Qt::ISODate), "上午", "低保复审", "带户口簿",
            "admin", "2024-01-01 09:00:00" });
    exec(QStringLiteral("insert into t_JTinfo(F_code,F_HKcode,F_HZname,F_LDcode,F_HScode,F_JTaddress,F_JTphone,F_Znum,"
                        "F_Nnum,F_Fnum,F_SRprice,F_JJstatus,F_flag,F_DBflag) values(?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
        QVariantList { "00000001", "HK0001", "张伟", "1栋", "101", QStringLiteral("北京市朝阳区幸福里小区1栋101"),
            "010-66668888", 3, 2, 1, 3601.5, "困难", 0, 1 });
}

QString dumpRegister()
{
    QCryptographicHash h(QCryptographicHash::Sha1);
    for (const char *table : { "ZuZav", "t_BGrec", "t_TXrec", "t_JTinfo", "SysInfo" }) {
        QSqlQuery q;
        Database::exec(q, QStringLiteral("select * from %1 order by F_ID").arg(QLatin1String(table)));
        while (q.next())
            for (int i = 0; i < q.record().count(); ++i)
                h.addData(q.value(i).toString().toUtf8() + '|');
    }
    return QString::fromLatin1(h.result().toHex());
}

void copyTemplates(const QString &programFolder)
{
    QDir src(QStringLiteral(ZUZAV_QR_DIR));
    QDir().mkpath(programFolder + QStringLiteral("Qr"));
    for (const QString &f : src.entryList({ QStringLiteral("*.fr3") }, QDir::Files))
        QFile::copy(src.filePath(f), programFolder + QStringLiteral("Qr/") + f);
}

QStringList allTexts(const PreparedReport &r)
{
    QStringList out;
    for (int p = 0; p < r.pageCount(); ++p)
        out << r.pageTexts(p);
    return out;
}

bool containsText(const QStringList &texts, const QString &needle)
{
    for (const QString &t : texts)
        if (t.contains(needle))
            return true;
    return false;
}

// A template from bands and objects written inline, on an A4 page whose
// printable area starts at 0 (no margins) for simple arithmetic.
QByteArray page(const QString &bands, const QString &extra = {})
{
    return (
        QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?><TfrxReport>%1<TfrxReportPage PaperWidth=\"210\" "
                       "PaperHeight=\"297\" LeftMargin=\"0\" RightMargin=\"0\" TopMargin=\"0\" BottomMargin=\"0\">%2"
                       "</TfrxReportPage></TfrxReport>")
            .arg(extra, bands))
        .toUtf8();
}

std::shared_ptr<RowsDataSet> numbers(int n, const QString &prefix = QStringLiteral("行"))
{
    QList<QVariantList> rows;
    for (int i = 1; i <= n; ++i)
        rows << QVariantList { i, prefix + QString::number(i),
            i % 3 == 0 ? QStringLiteral("丙") : QStringLiteral("甲") };
    return std::make_shared<RowsDataSet>(QStringList { QStringLiteral("N"), QStringLiteral("T"), QStringLiteral("K") },
        rows,
        QList<ReportDataSet::Kind> {
            ReportDataSet::Kind::Integer, ReportDataSet::Kind::Text, ReportDataSet::Kind::Text });
}

std::unique_ptr<PreparedReport> prepare(Report &r)
{
    r.setPrintTime(QDateTime(QDate(2024, 3, 5), QTime(9, 30)));
    return r.prepare();
}

const PageItem *itemWithText(const PreparedReport &r, int page, const QString &text)
{
    for (const PageItem &it : r.pages.at(page).items)
        if (it.kind == PageItem::Text && r.itemText(page, it) == text)
            return &it;
    return nullptr;
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void parseExpressions_data();
    void parseExpressions();
    void displayFormats_data();
    void displayFormats();
    void stretchGrowsBandAndShiftsBelow();
    void pageBreaksRepeatHeadersAndFooters();
    void pageNumbersAndTotal();
    void titleBeforeOrAfterHeader();
    void groupsWithCountsAndSums();
    void masterDetailFollowsMasterRows();
    void currentRowOnly();
    void startNewPagePerRow();
    void cancelStopsLayout();
    void badInput_data();
    void badInput();
    void missingTemplateGivesEmptyReport();
    void xmlRoundTrip();
    void everyTemplateRenders_data();
    void everyTemplateRenders();
    void catalogueHasEveryTemplate();
    void spreadsheetOfList();
    void printGridAsShown();
    void printGridStretchesRowsInMode0();
    void commandLine_data();
    void commandLine();
    void chooserBlankItemDoesNothing();
    void chooserPreviewsMainTemplates();
    void mainReportsSkipEmptyList();
    void classifiedReportOrdersByType();
    void designOpensTemplateOrSaysWhere();
    void previewNavigatesAndExports();

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<MessageRecorder> m_messages;
};

void TestReports::init()
{
    m_home = std::make_unique<TestHome>();
    m_messages = std::make_unique<MessageRecorder>();
    copyTemplates(m_home->folder());
    addRegister();
}

void TestReports::cleanup()
{
    Reports::setPreviewPresenter({});
    Reports::setDesignOpener({});
    m_messages.reset();
    m_home.reset();
}

void TestReports::parseExpressions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("parts"); // kind:payload

    QTest::newRow("field") << QStringLiteral("姓名：[frxMain.\"F_Name\"]")
                           << QStringList { "L:姓名：", "F:frxMain.F_Name" };
    QTest::newRow("angle field") << QStringLiteral("[<frxDM.\"F_code\">]") << QStringList { "F:frxDM.F_code" };
    QTest::newRow("pages") << QStringLiteral("第[Page#]页/共[TotalPages#]页")
                           << QStringList { "L:第", "P:", "L:页/共", "T:", "L:页" };
    QTest::newRow("date time line") << QStringLiteral("[Date] [Time] [Line#]")
                                    << QStringList { "D:", "L: ", "t:", "L: ", "N:" };
    QTest::newRow("unknown kept") << QStringLiteral("a[IIF(x,1,2)]b") << QStringList { "L:a", "U:[IIF(x,1,2)]", "L:b" };
    QTest::newRow("unclosed") << QStringLiteral("a[b") << QStringList { "L:a[b" };
    QTest::newRow("count sum") << QStringLiteral("[COUNT(MasterData1)][SUM(<frxDM.\"F_num\">,MasterData1)]")
                               << QStringList { "C:MasterData1", "S:frxDM.F_num@MasterData1" };
}

void TestReports::parseExpressions()
{
    QFETCH(QString, text);
    QFETCH(QStringList, parts);
    QStringList got;
    for (const Segment &s : parseText(text)) {
        switch (s.kind) {
        case Segment::Kind::Literal:
            got << QStringLiteral("L:") + s.text;
            break;
        case Segment::Kind::Field:
            got << QStringLiteral("F:%1.%2").arg(s.dataSet, s.field);
            break;
        case Segment::Kind::Page:
            got << QStringLiteral("P:");
            break;
        case Segment::Kind::TotalPages:
            got << QStringLiteral("T:");
            break;
        case Segment::Kind::Date:
            got << QStringLiteral("D:");
            break;
        case Segment::Kind::Time:
            got << QStringLiteral("t:");
            break;
        case Segment::Kind::Line:
            got << QStringLiteral("N:");
            break;
        case Segment::Kind::Count:
            got << QStringLiteral("C:") + s.band;
            break;
        case Segment::Kind::Sum:
            got << QStringLiteral("S:%1.%2@%3").arg(s.dataSet, s.field, s.band);
            break;
        default:
            got << QStringLiteral("U:") + s.text;
        }
    }
    QCOMPARE(got, parts);
}

void TestReports::displayFormats_data()
{
    using K = ReportDataSet::Kind;
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("formatStr");
    QTest::addColumn<QString>("expected");

    const int text = int(FormatKind::Text), num = int(FormatKind::Numeric), dt = int(FormatKind::DateTime),
              boo = int(FormatKind::Boolean);
    QTest::newRow("null date blank") << QVariant(QStringLiteral("1900-08-14")) << int(K::Date) << text << QString()
                                     << QString();
    QTest::newRow("day before limit blank")
        << QVariant(QStringLiteral("1901-08-13")) << int(K::Date) << text << QString() << QString();
    QTest::newRow("limit shown") << QVariant(QStringLiteral("1901-08-14")) << int(K::Date) << text << QString()
                                 << QStringLiteral("1901-08-14");
    QTest::newRow("date default") << QVariant(QStringLiteral("2024-03-05")) << int(K::Date) << text << QString()
                                  << QStringLiteral("2024-03-05");
    QTest::newRow("date formatted") << QVariant(QStringLiteral("2024-03-05")) << int(K::Date) << dt
                                    << QStringLiteral("yyyy\"年\"mm\"月\"dd\"日\"") << QStringLiteral("2024年03月05日");
    QTest::newRow("null date formatted blank") << QVariant(QStringLiteral("1900-08-14")) << int(K::Date) << dt
                                               << QStringLiteral("yyyy\"年\"m\"月\"d\"日\"") << QString();
    QTest::newRow("text date rule") << QVariant(QStringLiteral("1900-08-14")) << int(K::Text) << dt
                                    << QStringLiteral("yyyy-mm-dd") << QString();
    QTest::newRow("delphi %2.2f") << QVariant(1234.5) << int(K::Number) << num << QStringLiteral("%2.2f")
                                  << QStringLiteral("1234.50");
    QTest::newRow("delphi %n") << QVariant(1234567.891) << int(K::Number) << num << QStringLiteral("%2.2n")
                               << QStringLiteral("1,234,567.89");
    QTest::newRow("delphi with text") << QVariant(800) << int(K::Number) << num << QStringLiteral("%.2f 元")
                                      << QStringLiteral("800.00 元");
    QTest::newRow("formatfloat") << QVariant(1234.5) << int(K::Number) << num << QStringLiteral("#,##0.00")
                                 << QStringLiteral("1,234.50");
    QTest::newRow("integer plain") << QVariant(qint64(42)) << int(K::Integer) << text << QString()
                                   << QStringLiteral("42");
    QTest::newRow("bool default") << QVariant(1) << int(K::Bool) << text << QString() << QStringLiteral("√");
    QTest::newRow("bool false default") << QVariant(0) << int(K::Bool) << text << QString() << QString();
    QTest::newRow("bool words") << QVariant(1) << int(K::Bool) << boo << QStringLiteral("否,是")
                                << QStringLiteral("是");
    QTest::newRow("null") << QVariant() << int(K::Text) << text << QString() << QString();
    QTest::newRow("code stays text") << QVariant(QStringLiteral("00000012")) << int(K::Text) << text << QString()
                                     << QStringLiteral("00000012");
}

void TestReports::displayFormats()
{
    QFETCH(QVariant, value);
    QFETCH(int, kind);
    QFETCH(int, format);
    QFETCH(QString, formatStr);
    QFETCH(QString, expected);
    QCOMPARE(formatValue(value, ReportDataSet::Kind(kind), FormatKind(format), formatStr), expected);
}

void TestReports::stretchGrowsBandAndShiftsBelow()
{
    Report r;
    const QString longText = QStringLiteral("很长的备注").repeated(40);
    auto ds = std::make_shared<RowsDataSet>(
        QStringList { QStringLiteral("M") }, QList<QVariantList> { { longText }, { QStringLiteral("短") } });
    r.bind(QStringLiteral("d"), ds);
    r.setTemplate(Template::fromXml(page(QStringLiteral(
        "<TfrxMasterData Name=\"MasterData1\" Top=\"0\" Height=\"48\" DataSetName=\"d\" Stretched=\"True\">"
        "<TfrxMemoView Left=\"0\" Top=\"0\" Width=\"100\" Height=\"24\" StretchMode=\"smActualHeight\" "
        "Text='[d.\"M\"]'/>"
        "<TfrxMemoView Left=\"0\" Top=\"24\" Width=\"100\" Height=\"24\" Text=\"下方\"/>"
        "<TfrxMemoView Left=\"200\" Top=\"0\" Width=\"50\" Height=\"24\" StretchMode=\"smMaxHeight\" Frame.Typ=\"15\" "
        "Text=\"框\"/>"
        "</TfrxMasterData>"))));
    auto out = prepare(r);
    QVERIFY(out);
    QVERIFY(r.warnings().isEmpty());
    const auto &items = out->pages.at(0).items;
    QCOMPARE(int(items.size()), 6);
    const PageItem &grown = items[0];
    QVERIFY2(grown.h > 60, qPrintable(QString::number(grown.h)));
    // the memo below moved down by as much as the one above grew
    QCOMPARE(items[1].y, grown.y + grown.h);
    // the frame reaches the band's bottom
    QCOMPARE(items[2].y + items[2].h, items[1].y + items[1].h);
    // the second row starts where the stretched first one ended and keeps its design height
    QCOMPARE(items[3].y, items[1].y + items[1].h);
    QCOMPARE(items[3].h, 24.f);
    QCOMPARE(items[4].y, items[3].y + 24);
}

void TestReports::pageBreaksRepeatHeadersAndFooters()
{
    Report r;
    r.bind(QStringLiteral("d"), numbers(120));
    r.setTemplate(Template::fromXml(
        page(QStringLiteral("<TfrxReportTitle Top=\"0\" Height=\"50\"><TfrxMemoView Width=\"300\" Height=\"40\" "
                            "Text=\"标题\"/></TfrxReportTitle>"
                            "<TfrxPageHeader Top=\"60\" Height=\"30\"><TfrxMemoView Width=\"300\" Height=\"30\" "
                            "Text=\"页眉\"/></TfrxPageHeader>"
                            "<TfrxMasterData Name=\"MasterData1\" Top=\"100\" Height=\"20\" DataSetName=\"d\">"
                            "<TfrxMemoView Width=\"300\" Height=\"20\" Text='[d.\"T\"]'/></TfrxMasterData>"
                            "<TfrxPageFooter Top=\"200\" Height=\"25\"><TfrxMemoView Width=\"300\" Height=\"20\" "
                            "Text=\"页脚\"/></TfrxPageFooter>"))));
    auto out = prepare(r);
    QVERIFY(out);
    // A4 is 1122.5 px high: 1122.5 - 25 footer - 30 header leaves 53 rows; the first page also holds the title
    QCOMPARE(out->pageCount(), 3);
    QStringList rows;
    for (int p = 0; p < out->pageCount(); ++p) {
        const QStringList t = out->pageTexts(p);
        QCOMPARE(t.count(QStringLiteral("页眉")), 1);
        QCOMPARE(t.count(QStringLiteral("页脚")), 1);
        QCOMPARE(t.count(QStringLiteral("标题")), p == 0 ? 1 : 0);
        const PageItem *footer = itemWithText(*out, p, QStringLiteral("页脚"));
        QVERIFY(footer);
        QVERIFY(qAbs(footer->y - (out->pageSizePx(p).height() - 25)) < 0.01);
        for (const QString &s : t)
            if (s.startsWith(QStringLiteral("行")))
                rows << s;
        // no row crosses into the footer
        for (const PageItem &it : out->pages.at(p).items)
            if (out->itemText(p, it).startsWith(QStringLiteral("行")))
                QVERIFY(it.y + it.h <= footer->y + 0.01);
    }
    QCOMPARE(rows.size(), 120);
    QCOMPARE(rows.first(), QStringLiteral("行1"));
    QCOMPARE(rows.last(), QStringLiteral("行120"));
    QCOMPARE(out->pageTexts(0).at(2), QStringLiteral("行1"));
    QCOMPARE(out->pageTexts(1).at(1), QStringLiteral("行%1").arg(out->pageTexts(0).size() - 3 + 1));
}

void TestReports::pageNumbersAndTotal()
{
    Report r;
    r.bind(QStringLiteral("d"), numbers(100));
    r.setTemplate(Template::fromXml(page(QStringLiteral(
        "<TfrxMasterData Top=\"0\" Height=\"30\" DataSetName=\"d\"><TfrxMemoView Width=\"300\" Height=\"20\" "
        "Text='[Line#]. [d.\"T\"]'/></TfrxMasterData>"
        "<TfrxPageFooter Top=\"200\" Height=\"22\"><TfrxMemoView Width=\"300\" Height=\"20\" "
        "Text=\"第[Page#]页/共[TotalPages#]页 [Date] [Time]\"/></TfrxPageFooter>"))));
    auto out = prepare(r);
    QVERIFY(out);
    const int n = out->pageCount();
    // 36 rows of 30 px above a 22 px footer on 1122.5 px
    QCOMPARE(n, 3);
    for (int p = 0; p < n; ++p)
        QVERIFY(out->pageTexts(p).contains(QStringLiteral("第%1页/共%2页 2024-03-05 09:30:00").arg(p + 1).arg(n)));
    QCOMPARE(out->pageTexts(0).first(), QStringLiteral("1. 行1"));
    QVERIFY(out->pageTexts(n - 1).contains(QStringLiteral("100. 行100")));
}

void TestReports::titleBeforeOrAfterHeader()
{
    for (bool titleFirst : { true, false }) {
        Report r;
        r.setTemplate(Template::fromXml(QStringLiteral("<TfrxReport><TfrxReportPage TitleBeforeHeader=\"%1\">"
                                                       "<TfrxPageHeader Top=\"60\" Height=\"30\"><TfrxMemoView "
                                                       "Width=\"300\" Height=\"30\" Text=\"页眉\"/></TfrxPageHeader>"
                                                       "<TfrxReportTitle Top=\"0\" Height=\"50\"><TfrxMemoView "
                                                       "Width=\"300\" Height=\"40\" Text=\"标题\"/></TfrxReportTitle>"
                                                       "</TfrxReportPage></TfrxReport>")
                                            .arg(titleFirst ? QStringLiteral("True") : QStringLiteral("False"))
                                            .toUtf8()));
        auto out = prepare(r);
        QCOMPARE(out->pageTexts(0),
            titleFirst ? QStringList({ QStringLiteral("标题"), QStringLiteral("页眉") })
                       : QStringList({ QStringLiteral("页眉"), QStringLiteral("标题") }));
        // margins of 10 mm by default
        QVERIFY(qAbs(out->pages.at(0).items.at(0).y - mmToPx(10)) < 0.01);
    }
}

void TestReports::groupsWithCountsAndSums()
{
    QList<QVariantList> rows = {
        { QStringLiteral("农业"), QStringLiteral("甲"), 10 },
        { QStringLiteral("农业"), QStringLiteral("乙"), 20 },
        { QStringLiteral("非农业"), QStringLiteral("丙"), 5 },
        { QStringLiteral("非农业"), QStringLiteral("丁"), 1 },
        { QStringLiteral("非农业"), QStringLiteral("戊"), 4 },
        { QStringLiteral("自理口粮"), QStringLiteral("己"), 7 },
    };
    Report r;
    r.bind(QStringLiteral("frxDM"),
        std::make_shared<RowsDataSet>(
            QStringList { QStringLiteral("F_HKtype"), QStringLiteral("F_name"), QStringLiteral("F_num") }, rows,
            QList<ReportDataSet::Kind> {
                ReportDataSet::Kind::Text, ReportDataSet::Kind::Text, ReportDataSet::Kind::Integer }));
    r.setTemplate(Template::fromXml(page(QStringLiteral(
        "<TfrxGroupHeader Name=\"G\" Top=\"0\" Height=\"20\" Condition='frxDM.\"F_HKtype\"'>"
        "<TfrxMemoView Width=\"300\" Height=\"20\" Text='类别：[frxDM.\"F_HKtype\"]'/></TfrxGroupHeader>"
        "<TfrxMasterData Name=\"MasterData1\" Top=\"30\" Height=\"20\" DataSetName=\"frxDM\">"
        "<TfrxMemoView Width=\"300\" Height=\"20\" Text='[Line#] [frxDM.\"F_name\"]'/></TfrxMasterData>"
        "<TfrxGroupFooter Top=\"60\" Height=\"20\"><TfrxMemoView Width=\"300\" Height=\"20\" "
        "Text='[frxDM.\"F_HKtype\"]小计 [COUNT(MasterData1)] 人 "
        "[SUM(&lt;frxDM.\"F_num\"&gt;,MasterData1)]'/></TfrxGroupFooter>"
        "<TfrxReportSummary Top=\"90\" Height=\"20\"><TfrxMemoView Width=\"300\" Height=\"20\" "
        "Text='合计 [COUNT(MasterData1)] 人 [SUM(frxDM.\"F_num\",MasterData1)]'/></TfrxReportSummary>"))));
    auto out = prepare(r);
    QVERIFY2(r.warnings().isEmpty(), qPrintable(r.warningText()));
    QCOMPARE(out->pageTexts(0),
        QStringList({ "类别：农业", "1 甲", "2 乙", "农业小计 2 人 30", "类别：非农业", "1 丙", "2 丁", "3 戊",
            "非农业小计 3 人 10", "类别：自理口粮", "1 己", "自理口粮小计 1 人 7", "合计 6 人 47" }));
}

void TestReports::masterDetailFollowsMasterRows()
{
    Report r;
    r.bind(QStringLiteral("frxMain"),
        ModelDataSet::fromSql(
            QStringLiteral("select F_mainID, F_Name from ZuZav where F_mainID in (1,2,3) order by F_code")));
    r.bind(QStringLiteral("frxDetail1"),
        std::make_shared<DetailDataSet>(ReportCatalogue::changeRecordsSql(), QStringLiteral(":F_mainID"),
            QStringLiteral("frxMain"), QStringLiteral("F_mainID")));
    r.setTemplate(Template::fromXml(
        page(QStringLiteral("<TfrxMasterData Name=\"M\" Top=\"0\" Height=\"20\" DataSetName=\"frxMain\">"
                            "<TfrxMemoView Width=\"300\" Height=\"20\" Text='[frxMain.\"F_Name\"]'/></TfrxMasterData>"
                            "<TfrxHeader Top=\"25\" Height=\"20\"><TfrxMemoView Width=\"300\" Height=\"20\" "
                            "Text=\"变更记录\"/></TfrxHeader>"
                            "<TfrxDetailData Name=\"D\" Top=\"50\" Height=\"20\" DataSetName=\"frxDetail1\">"
                            "<TfrxMemoView Width=\"300\" Height=\"20\" Text='[Line#] [frxDetail1.\"F_Date\"] "
                            "[frxDetail1.\"F_BGtype\"]'/></TfrxDetailData>"
                            "<TfrxFooter Top=\"75\" Height=\"20\"><TfrxMemoView Width=\"300\" Height=\"20\" "
                            "Text=\"共[COUNT(D)]条\"/></TfrxFooter>"))));
    auto out = prepare(r);
    QVERIFY2(r.warnings().isEmpty(), qPrintable(r.warningText()));
    QCOMPARE(out->pageTexts(0),
        QStringList({ "张伟", "变更记录", "1 2020-01-02 地址变更", "2 2021-03-04 婚姻变更", "共2条", "李秀英", "王小明",
            "变更记录", "1 2022-05-06 户口迁入", "共1条" }));
}

void TestReports::currentRowOnly()
{
    Report r;
    auto ds = numbers(5);
    ds->setCurrentRow(3);
    r.bind(QStringLiteral("d"), ds);
    r.setTemplate(Template::fromXml(page(QStringLiteral(
        "<TfrxReportTitle Top=\"0\" Height=\"20\"><TfrxMemoView Width=\"300\" Height=\"20\" "
        "Text='标题[d.\"T\"]'/></TfrxReportTitle>"
        "<TfrxMasterData Top=\"30\" Height=\"20\" DataSetName=\"d\" RangeBegin=\"rbCurrent\" RangeEnd=\"reCurrent\">"
        "<TfrxMemoView Width=\"300\" Height=\"20\" Text='[d.\"T\"]'/></TfrxMasterData>"))));
    auto out = prepare(r);
    QCOMPARE(out->pageTexts(0), QStringList({ "标题行4", "行4" }));
    QCOMPARE(ds->currentRow(), 3);
}

void TestReports::startNewPagePerRow()
{
    Report r;
    r.bind(QStringLiteral("d"), numbers(3));
    r.setTemplate(Template::fromXml(
        page(QStringLiteral("<TfrxMasterData Top=\"0\" Height=\"20\" DataSetName=\"d\" StartNewPage=\"True\">"
                            "<TfrxMemoView Width=\"300\" Height=\"20\" Text='[d.\"T\"]'/></TfrxMasterData>"))));
    auto out = prepare(r);
    QCOMPARE(out->pageCount(), 3);
    QCOMPARE(out->pageTexts(2), QStringList({ "行3" }));
}

void TestReports::cancelStopsLayout()
{
    Report r;
    r.bind(QStringLiteral("d"), numbers(1000));
    r.setTemplate(Template::fromXml(page(QStringLiteral("<TfrxMasterData Top=\"0\" Height=\"20\" DataSetName=\"d\">"
                                                        "<TfrxMemoView Width=\"300\" Height=\"20\" Text='[d.\"T\"]'/>"
                                                        "</TfrxMasterData>"))));
    QList<qint64> seen;
    auto out = r.prepare([&](qint64 done, qint64 total) {
        seen << done;
        return total == 1000 && done < 400;
    });
    QVERIFY(!out);
    QCOMPARE(seen, QList<qint64>({ 0, 200, 400 }));
    // a later run is whole again
    QCOMPARE(r.prepare()->pageCount(), 18);
}

void TestReports::badInput_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("stillShown");

    const QString row
        = QStringLiteral("<TfrxMasterData Top=\"0\" Height=\"20\" DataSetName=\"frxMain\">%1</TfrxMasterData>");
    const QString name = QStringLiteral("<TfrxMemoView Width=\"300\" Height=\"20\" Text='[frxMain.\"F_Name\"]'/>");
    QTest::newRow("not xml") << QByteArray("这不是一个模板 {") << QStringLiteral("不是有效的报表模板") << QString();
    QTest::newRow("other root") << QByteArray("<html><body/></html>") << QStringLiteral("不是有效的报表模板")
                                << QString();
    QTest::newRow("cut short") << page(row.arg(name)).left(page(row.arg(name)).size() - 40) << QStringLiteral("有错误")
                               << QStringLiteral("张伟");
    QTest::newRow("unknown element") << page(
        row.arg(name + QStringLiteral("<TfrxBarCodeView Width=\"10\"/>")) + QStringLiteral("<TfrxChild/>"))
                                     << QStringLiteral("TfrxBarCodeView、TfrxChild") << QStringLiteral("张伟");
    QTest::newRow("script page") << page(row.arg(name), QStringLiteral("<TfrxDataPage/><Variables/>"))
                                 << QStringLiteral("数据页、变量和脚本") << QStringLiteral("张伟");
    QTest::newRow("missing dataset") << page(row.arg(name)
        + QStringLiteral("<TfrxReportSummary Top=\"50\" Height=\"20\"><TfrxMemoView Width=\"300\" "
                         "Height=\"20\" Text='合计[frxNone.\"X\"]'/></TfrxReportSummary>"))
                                     << QStringLiteral("数据集 frxNone 不存在") << QStringLiteral("合计");
    QTest::newRow("missing band dataset")
        << page(QStringLiteral("<TfrxMasterData Top=\"0\" Height=\"20\" DataSetName=\"frxGone\">%1</TfrxMasterData>"
                               "<TfrxPageFooter Top=\"90\" Height=\"20\"><TfrxMemoView Width=\"100\" Height=\"20\" "
                               "Text=\"页脚\"/></TfrxPageFooter>")
                    .arg(name))
        << QStringLiteral("数据集 frxGone 不存在") << QStringLiteral("页脚");
    QTest::newRow("missing field") << page(row.arg(name
        + QStringLiteral("<TfrxMemoView Left=\"300\" Width=\"100\" Height=\"20\" Text='[frxMain.\"F_Nothing\"]'/>")))
                                   << QStringLiteral("没有字段 F_Nothing") << QStringLiteral("张伟");
    QTest::newRow("unknown expression") << page(row.arg(
        name + QStringLiteral("<TfrxMemoView Left=\"300\" Width=\"200\" Height=\"20\" Text=\"[IIF(1,2,3)]\"/>")))
                                        << QStringLiteral("不认识的表达式：[IIF(1,2,3)]")
                                        << QStringLiteral("[IIF(1,2,3)]");
    QTest::newRow("bad numbers") << page(
        row.arg(QStringLiteral("<TfrxMemoView Left=\"x\" Width=\"-5\" Height=\"abc\" Font.Height=\"0\" Frame.Typ=\"q\" "
                               "Text='[frxMain.\"F_Name\"]'/>")))
                                 << QString() << QStringLiteral("张伟");
    QTest::newRow("group without master")
        << page(QStringLiteral("<TfrxGroupHeader Top=\"0\" Height=\"20\" Condition=\"Nonsense\"/>"))
        << QStringLiteral("分组头下面没有主数据带") << QString();
}

void TestReports::badInput()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, warning);
    QFETCH(QString, stillShown);
    const QString before = dumpRegister();
    QFile f(AppPaths::templateFolder() + QStringLiteral("frBad.fr3"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(xml);
    f.close();

    auto report = std::make_shared<Report>();
    report->loadTemplate(QStringLiteral("frBad"));
    Reports::bindCommon(*report);
    Reports::bindDefaultData(*report, QStringLiteral("frBad"));
    std::shared_ptr<PreparedReport> shown;
    QWidget *shownParent = reinterpret_cast<QWidget *>(1);
    Reports::setPreviewPresenter([&](auto, std::shared_ptr<PreparedReport> pages, QWidget *parent) {
        shown = pages;
        shownParent = parent;
    });
    QVERIFY(Reports::previewReport(report, nullptr));
    QVERIFY(shown);
    QVERIFY(!shownParent);
    if (warning.isEmpty()) {
        QVERIFY2(shown->warnings.isEmpty(), qPrintable(shown->warnings.join('|')));
    } else {
        QVERIFY2(shown->warnings.join('|').contains(warning), qPrintable(shown->warnings.join('|')));
        // a single line for the status bar
        QVERIFY(report->warningText().startsWith(QStringLiteral("报表模板有问题：")));
        QVERIFY(!report->warningText().contains('\n'));
    }
    if (!stillShown.isEmpty())
        QVERIFY2(containsText(allTexts(*shown), stillShown), qPrintable(allTexts(*shown).join('|')));
    // the preview window copes with it too
    TfrmReportPreview preview(report, shown);
    QCOMPARE(
        preview.findChild<QLabel *>(QStringLiteral("lblStatus"))->text().contains(QStringLiteral("报表模板有问题")),
        !warning.isEmpty());
    const QString pdf = m_home->folder() + QStringLiteral("bad.pdf");
    QVERIFY(ReportOutput::writePdf(*shown, pdf));
    QVERIFY(m_messages->messages.isEmpty());
    QCOMPARE(dumpRegister(), before);
}

void TestReports::missingTemplateGivesEmptyReport()
{
    QFile::remove(AppPaths::templateFolder() + QStringLiteral("frQRdetailTJ.fr3"));
    SqlRowModel rows;
    rows.setQuery(ReportCatalogue::find(QStringLiteral("frQRdetailTJ"))->listSql);
    QVERIFY(rows.rowCount() > 0);
    std::shared_ptr<PreparedReport> shown;
    Reports::setPreviewPresenter([&](auto, std::shared_ptr<PreparedReport> pages, QWidget *) { shown = pages; });
    QVERIFY(Reports::previewListTemplate(QStringLiteral("frQRdetailTJ"), &rows, nullptr));
    QVERIFY(shown);
    QCOMPARE(shown->pageCount(), 0);
    QVERIFY(shown->warnings.isEmpty());
    QVERIFY(m_messages->messages.isEmpty());
}

void TestReports::xmlRoundTrip()
{
    Report original;
    original.loadTemplate(QStringLiteral("frHkBianGeng"));
    Reports::bindCommon(original);
    Reports::bindDefaultData(original, QStringLiteral("frHkBianGeng"));
    auto first = prepare(original);

    Report again;
    again.setTemplate(Template::fromXml(original.templ().toXml()));
    QVERIFY(again.templ().warnings.isEmpty());
    Reports::bindCommon(again);
    Reports::bindDefaultData(again, QStringLiteral("frHkBianGeng"));
    auto second = prepare(again);
    QCOMPARE(second->pageCount(), first->pageCount());
    for (int p = 0; p < first->pageCount(); ++p) {
        QCOMPARE(second->pageTexts(p), first->pageTexts(p));
        QCOMPARE(second->pages.at(p).items.size(), first->pages.at(p).items.size());
        for (size_t i = 0; i < first->pages.at(p).items.size(); ++i) {
            const PageItem &a = first->pages.at(p).items.at(i);
            const PageItem &b = second->pages.at(p).items.at(i);
            QCOMPARE(QRectF(a.x, a.y, a.w, a.h), QRectF(b.x, b.y, b.w, b.h));
        }
    }
}

void TestReports::everyTemplateRenders_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shows");
    const QHash<QString, QString> shows = {
        { "frJZduXiangGL2", "李秀英" },
        { "frJZdetailTJ2", "李秀英" },
        { "frJZduXiangGL3", "孙立新" },
        { "frJZdetailTJ3", "孙立新" },
        { "frJZduXiangGL4", "孙立新" },
        { "frJZdetailTJ4", "孙立新" },
        { "frJZduXiangGL5", "刘桂兰" },
        { "frJZdetailTJ5", "刘桂兰" },
        { "frJZduXiangGL6", "刘桂兰" },
        { "frJZdetailTJ6", "刘桂兰" },
        { "frSWdetailTJ", "赵德福" },
        { "frQRdetailTJ", "孙立新" },
        { "frQCdetailTJ", "陈静" },
        { "frZXdetailTJ", "陈静" },
        { "frStatFx", "性别" },
    };
    for (const ReportCatalogue::Entry &e : ReportCatalogue::entries())
        QTest::newRow(qPrintable(e.name)) << e.name << shows.value(e.name, QStringLiteral("张伟"));
}

void TestReports::everyTemplateRenders()
{
    QFETCH(QString, name);
    QFETCH(QString, shows);
    const QString before = dumpRegister();
    Report r;
    QVERIFY2(r.loadTemplate(name), qPrintable(r.templateError()));
    QVERIFY(r.templateExists());
    Reports::bindCommon(r);
    Reports::bindDefaultData(r, name);
    auto out = prepare(r);
    QVERIFY(out);
    QVERIFY2(out->warnings.isEmpty(), qPrintable(out->warnings.join('|')));
    QVERIFY(out->pageCount() > 0);
    const QStringList texts = allTexts(*out);
    QVERIFY2(containsText(texts, shows), qPrintable(texts.join('|')));
    // nothing is left in brackets: every expression was understood
    for (const QString &t : texts)
        QVERIFY2(!t.contains(QLatin1Char('[')), qPrintable(t));
    if (ReportCatalogue::find(name)->source != ReportCatalogue::Source::List || name.contains(QStringLiteral("JZ")))
        QVERIFY2(containsText(texts, kCommunity), qPrintable(texts.join('|')));
    const QString pdf = m_home->folder() + name + QStringLiteral(".pdf");
    QVERIFY(ReportOutput::writePdf(*out, pdf));
    QVERIFY(QFileInfo(pdf).size() > 2000);
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.read(5) == "%PDF-");
    QCOMPARE(dumpRegister(), before);
    QVERIFY(m_messages->messages.isEmpty());
}

void TestReports::catalogueHasEveryTemplate()
{
    QCOMPARE(ReportCatalogue::entries().size(), 35);
    QStringList files = QDir(QStringLiteral(ZUZAV_QR_DIR)).entryList({ QStringLiteral("*.fr3") }, QDir::Files);
    QStringList names;
    for (const auto &e : ReportCatalogue::entries())
        names << e.name + QStringLiteral(".fr3");
    files.sort();
    names.sort();
    QCOMPARE(files, names);
}

void TestReports::spreadsheetOfList()
{
    Report r;
    r.loadTemplate(QStringLiteral("frHkList"));
    Reports::bindCommon(r);
    Reports::bindDefaultData(r, QStringLiteral("frHkList"));
    Report::Table table;
    QVERIFY(r.tabulate(table));
    QVERIFY(table.captions.contains(QStringLiteral("姓名")));
    QCOMPARE(table.captions.first(), QStringLiteral("序号"));
    QCOMPARE(table.rows.size(), 6); // the cancelled person is not on the list
    QCOMPARE(table.rows.first().at(table.captions.indexOf(QStringLiteral("姓名"))).toString(), QStringLiteral("张伟"));
    QCOMPARE(table.rows.at(1).first().toString(), QStringLiteral("2"));
    QVERIFY(table.title.contains(kCommunity));
    const QString path = m_home->folder() + QStringLiteral("list.xlsx");
    QVERIFY(ReportOutput::writeXlsx(r, path));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.read(2), QByteArray("PK"));
}

void TestReports::printGridAsShown()
{
    SqlRowModel model;
    model.setQuery(
        QStringLiteral("select F_code, F_name, F_sex, F_QFdate from ZuZav where F_ZXflag = false order by F_code"));
    DataGrid grid;
    grid.setRowModel(&model);
    auto col = [](const char *f, const char *c) {
        GridColumn g;
        g.fieldName = QString::fromLatin1(f);
        g.caption = QString::fromUtf8(c);
        return g;
    };
    grid.setColumns(
        { col("F_code", "编号"), col("F_name", "姓名"), col("F_sex", "性别"), col("F_QFdate", "签发日期") });
    grid.setColumnVisible(2, false);
    grid.horizontalHeader()->moveSection(1, 0); // 姓名 first
    std::shared_ptr<PreparedReport> shown;
    Reports::setPreviewPresenter([&](auto, std::shared_ptr<PreparedReport> pages, QWidget *) { shown = pages; });
    Reports::PrintGrid(&grid, QStringLiteral("代码设置"), QStringLiteral("  "), QStringLiteral("date"), 1);
    QVERIFY(shown);
    QVERIFY(shown->warnings.isEmpty());
    const QStringList t = shown->pageTexts(0);
    const QString printed
        = QStringLiteral("打印日期：") + QDate::currentDate().toString(QStringLiteral("yyyy年MM月dd日"));
    QCOMPARE(t.mid(0, 4), QStringList({ "代码设置", "姓名", "编号", "签发日期" }));
    // the blank issue date of the first row prints nothing
    QCOMPARE(t.mid(4, 2), QStringList({ "张伟", "00000001" }));
    QCOMPARE(t.mid(6, 3), QStringList({ "李秀英", "00000002", "2010-05-06" }));
    QVERIFY(!t.contains(QStringLiteral("男")));
    QCOMPARE(t.last(), printed);
    QVERIFY(t.contains(QStringLiteral("第 1 页，共 1 页")));
    // the date sits at the right of the page footer
    const PageItem *date = itemWithText(*shown, 0, printed);
    QVERIFY(date);
    QCOMPARE(shown->objects.at(date->object)->hAlign, HAlign::Right);
    QVERIFY(date->x + date->w > shown->pageSizePx(0).width() - mmToPx(10) - 1);

    // a header goes to the top left; other footers print as given
    Reports::PrintGrid(&grid, QStringLiteral("标题"), QStringLiteral("表头文字"), QStringLiteral("制表人：周"), 1);
    const QStringList t2 = shown->pageTexts(0);
    QCOMPARE(t2.first(), QStringLiteral("表头文字"));
    QCOMPARE(t2.last(), QStringLiteral("制表人：周"));
}

void TestReports::printGridStretchesRowsInMode0()
{
    exec(QStringLiteral("update ZuZav set F_memo1 = ? where F_mainID = 1"),
        QVariantList { QStringLiteral("一段很长的备注文字").repeated(12) });
    SqlRowModel model;
    model.setQuery(QStringLiteral("select F_name, F_memo1 from ZuZav where F_mainID = 1"));
    DataGrid grid;
    grid.setRowModel(&model);
    GridColumn a, b;
    a.fieldName = QStringLiteral("F_name");
    a.caption = QStringLiteral("姓名");
    b.fieldName = QStringLiteral("F_memo1");
    b.caption = QStringLiteral("备注");
    b.width = 200;
    grid.setColumns({ a, b });
    grid.setColumnWidth(1, 200);
    auto heightOfName = [&](int mode) {
        auto rep = Reports::gridReport(&grid, QStringLiteral("t"), {}, {}, mode);
        auto out = rep->prepare();
        const PageItem *name = itemWithText(*out, 0, QStringLiteral("张伟"));
        return name ? name->h : -1.f;
    };
    const float fitted = heightOfName(1);
    const float grown = heightOfName(0);
    QCOMPARE(fitted, 20.f);
    QVERIFY2(grown > 3 * fitted, qPrintable(QString::number(grown)));
    // any other mode keeps the last one
    QCOMPARE(heightOfName(7), grown);
    QCOMPARE(heightOfName(1), fitted);
    QCOMPARE(heightOfName(-1), fitted);
}

void TestReports::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("pdfWritten");
    QTest::newRow("list") << QStringList { "--report", "frHkList", "--pdf", "out.pdf" } << 0 << true;
    QTest::newRow("certificate") << QStringList { "--report", "frHKreport1", "--pdf", "out.pdf" } << 0 << true;
    QTest::newRow("missing template") << QStringList { "--report", "frNothing", "--pdf", "out.pdf" } << 3 << false;
    QTest::newRow("broken template") << QStringList { "--report", "frBroken", "--pdf", "out.pdf" } << 4 << false;
    QTest::newRow("no output") << QStringList { "--report", "frHkList" } << 2 << false;
    QTest::newRow("no name") << QStringList { "--report" } << 2 << false;
}

void TestReports::commandLine()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(bool, pdfWritten);
    QFile broken(AppPaths::templateFolder() + QStringLiteral("frBroken.fr3"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a template at all");
    broken.close();
    const int at = args.indexOf(QStringLiteral("out.pdf"));
    const QString pdf = m_home->folder() + QStringLiteral("out.pdf");
    if (at >= 0)
        args[at] = pdf;
    QVERIFY(Reports::isCommandLine(args));
    QCOMPARE(Reports::runCommandLine(args), exitCode);
    QCOMPARE(QFileInfo::exists(pdf), pdfWritten);
    QVERIFY(m_messages->messages.isEmpty());
}

void TestReports::chooserBlankItemDoesNothing()
{
    SqlRowModel rows;
    rows.setQuery(ReportCatalogue::residentListSql(false) + QStringLiteral("order by F_code"));
    int shown = 0, opened = 0;
    Reports::setPreviewPresenter([&](auto, auto, QWidget *) { ++shown; });
    Reports::setDesignOpener([&](const QUrl &) { return ++opened > 0; });
    TFrmReportGl chooser({ &rows, 0, {} });
    auto *list = chooser.findChild<QListWidget *>(QStringLiteral("ListBox1"));
    QCOMPARE(list->count(), 12);
    QVERIFY(list->item(11)->text().isEmpty());
    // nothing selected
    chooser.findChild<QPushButton *>(QStringLiteral("Button4"))->click();
    chooser.findChild<QPushButton *>(QStringLiteral("Button3"))->click();
    list->setCurrentRow(11);
    chooser.findChild<QPushButton *>(QStringLiteral("Button4"))->click();
    chooser.findChild<QPushButton *>(QStringLiteral("Button3"))->click();
    QCOMPARE(shown, 0);
    QCOMPARE(opened, 0);
    QVERIFY(m_messages->messages.isEmpty());
}

void TestReports::chooserPreviewsMainTemplates()
{
    SqlRowModel rows;
    rows.setQuery(ReportCatalogue::residentListSql(false) + QStringLiteral("order by F_code"));
    QString shownPath;
    QStringList texts;
    Reports::setPreviewPresenter([&](std::shared_ptr<Report> report, std::shared_ptr<PreparedReport> pages, QWidget *) {
        shownPath = report->templatePath();
        texts = allTexts(*pages);
    });
    TFrmReportGl chooser({ &rows, 1, ReportCatalogue::residentListSql(false) });
    auto *list = chooser.findChild<QListWidget *>(QStringLiteral("ListBox1"));
    for (int i = 0; i < 11; ++i) {
        list->setCurrentRow(i);
        shownPath.clear();
        chooser.findChild<QPushButton *>(QStringLiteral("Button4"))->click();
        QCOMPARE(QFileInfo(shownPath).completeBaseName(), TFrmReportGl::templateOf(i));
    }
    // the certificates speak of the selected resident
    list->setCurrentRow(5);
    chooser.findChild<QPushButton *>(QStringLiteral("Button4"))->click();
    QVERIFY(containsText(texts, QStringLiteral("李秀英")));
    QVERIFY(!containsText(texts, QStringLiteral("张伟")) || containsText(texts, QStringLiteral("户主姓名")));
}

void TestReports::mainReportsSkipEmptyList()
{
    SqlRowModel rows;
    rows.setQuery(ReportCatalogue::residentListSql(false) + QStringLiteral("and (1<>1) order by F_code"));
    int shown = 0;
    Reports::setPreviewPresenter([&](auto, auto, QWidget *) { ++shown; });
    for (const QString &name :
        { QStringLiteral("frHkList"), QStringLiteral("frHkFenLei"), QStringLiteral("frHKreport3") })
        QVERIFY(!Reports::previewMainTemplate(name, { &rows, 0, {} }, nullptr));
    QVERIFY(!Reports::previewListTemplate(QStringLiteral("frJiaTingGL"), &rows, nullptr));
    QCOMPARE(shown, 0);
}

void TestReports::classifiedReportOrdersByType()
{
    SqlRowModel rows;
    rows.setQuery(ReportCatalogue::residentListSql(false) + QStringLiteral("order by F_code"));
    QStringList texts;
    Reports::setPreviewPresenter(
        [&](auto, std::shared_ptr<PreparedReport> pages, QWidget *) { texts = allTexts(*pages); });
    QVERIFY(Reports::previewMainTemplate(
        QStringLiteral("frHkFenLei"), { &rows, 0, ReportCatalogue::residentListSql(false) }, nullptr));
    // 农业 (王小明) comes before 非农业 (张伟) although his number is higher
    const int farm = texts.indexOf(QStringLiteral("王小明"));
    const int town = texts.indexOf(QStringLiteral("张伟"));
    QVERIFY(farm >= 0 && town >= 0);
    QVERIFY(farm < town);
}

void TestReports::designOpensTemplateOrSaysWhere()
{
    QList<QUrl> urls;
    bool answer = true;
    Reports::setDesignOpener([&](const QUrl &u) {
        urls << u;
        return answer;
    });
    QVERIFY(Reports::designTemplate(QStringLiteral("frHkList"), nullptr));
    QCOMPARE(urls.last().toLocalFile(), AppPaths::templateFolder() + QStringLiteral("frHkList.fr3"));
    QVERIFY(m_messages->messages.isEmpty());

    // a missing template becomes an empty page to start from
    QFile::remove(AppPaths::templateFolder() + QStringLiteral("frAwokeFx.fr3"));
    QVERIFY(Reports::designTemplate(QStringLiteral("frAwokeFx"), nullptr));
    Report blank;
    QVERIFY(blank.loadTemplate(QStringLiteral("frAwokeFx")));
    QCOMPARE(int(blank.templ().pages.size()), 1);

    answer = false;
    QVERIFY(!Reports::designTemplate(QStringLiteral("frHkList"), nullptr));
    QCOMPARE(m_messages->messages.size(), 1);
    QCOMPARE(m_messages->messages.first().kind, int(MessWarning));
    QVERIFY(m_messages->messages.first().text.contains(
        QDir::toNativeSeparators(AppPaths::templateFolder() + QStringLiteral("frHkList.fr3"))));
}

void TestReports::previewNavigatesAndExports()
{
    auto report = std::make_shared<Report>();
    report->loadTemplate(QStringLiteral("frHkDengJiBiao"));
    Reports::bindCommon(*report);
    Reports::bindDefaultData(*report, QStringLiteral("frHkDengJiBiao"));
    std::shared_ptr<PreparedReport> pages(report->prepare());
    QCOMPARE(pages->pageCount(), 6); // one form per resident on the list
    TfrmReportPreview preview(report, pages);
    auto *spin = preview.findChild<QSpinBox *>(QStringLiteral("spnPage"));
    preview.findChild<QPushButton *>(QStringLiteral("btnLast"))->click();
    QCOMPARE(preview.currentPage(), 5);
    QCOMPARE(spin->value(), 6);
    QVERIFY(!preview.findChild<QPushButton *>(QStringLiteral("btnNext"))->isEnabled());
    QTest::keyClick(&preview, Qt::Key_PageUp);
    QCOMPARE(preview.currentPage(), 4);
    spin->setValue(2);
    QCOMPARE(preview.currentPage(), 1);
    preview.findChild<QComboBox *>(QStringLiteral("cbbZoom"))->setCurrentIndex(2);
    QCOMPARE(preview.zoom(), 0.5);

    FileDialogAnswers answers;
    const QString pdf = m_home->folder() + QStringLiteral("chosen.pdf");
    answers.answers << pdf << QString();
    QVERIFY(preview.exportPdf());
    QVERIFY(QFileInfo(pdf).size() > 2000);
    QVERIFY(!preview.exportXlsx()); // cancelled
    QVERIFY(m_messages->messages.isEmpty());
}

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
