#include "TestSupport.h"
#include "data/Database.h"
#include "grid/DataGrid.h"
#include "grid/DisplayFormat.h"
#include "grid/GridExport.h"
#include "grid/GridLayouts.h"
#include "grid/TfrmRowArrangeGl.h"
#include "support/Messages.h"

#include <QApplication>
#include <QHeaderView>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>
#include <unzip.h>

namespace {

void exec(const QString &sql, const QVariant &params = {})
{
    QSqlQuery q;
    if (!Database::exec(q, sql, params))
        qFatal("fixture statement failed: %s", qPrintable(sql));
}

int count(const QString &sql, const QVariant &params = {})
{
    QSqlQuery q;
    return Database::exec(q, sql, params) && q.next() ? q.value(0).toInt() : -1;
}

GridColumn col(const QString &field, const QString &caption, const QString &format = {})
{
    GridColumn c;
    c.fieldName = field;
    c.caption = caption;
    c.displayFormat = format;
    return c;
}

QList<GridColumn> residentColumns()
{
    return { col(QStringLiteral("F_code"), QStringLiteral("编号")),
        col(QStringLiteral("F_name"), QStringLiteral("姓名")), col(QStringLiteral("F_sex"), QStringLiteral("性别")),
        col(QStringLiteral("F_memo1"), QStringLiteral("备注")) };
}

// Four residents whose memo order differs from their code order.
void addResidents()
{
    const QList<QVariantList> rows = {
        { QStringLiteral("00000003"), QStringLiteral("王五"), QStringLiteral("男"), QStringLiteral("a"), 1000.5, 0 },
        { QStringLiteral("00000001"), QStringLiteral("张三"), QStringLiteral("男"), QStringLiteral("c"), 234.0, 1 },
        { QStringLiteral("00000004"), QStringLiteral("赵六"), QStringLiteral("女"), QStringLiteral("d"), 0.0, 0 },
        { QStringLiteral("00000002"), QStringLiteral("李四"), QStringLiteral("女"), QStringLiteral("b"), 0.0, 0 },
    };
    for (const QVariantList &r : rows)
        exec(
            QStringLiteral("insert into ZuZav(F_code,F_name,F_sex,F_memo1,F_SRprice,F_ZXflag) values(?,?,?,?,?,?)"), r);
}

void addLayoutRow(const QString &key, const QString &field, const QString &caption, int order, bool visible = true)
{
    exec(QStringLiteral("insert into cfg_Grid(F_name,F_FieldName,F_Caption,F_Width,F_Visible,F_ReadOnly,F_Order,"
                        "F_AlignMent,F_DisplayFormat,F_FooterValue,F_FooterType) values(?,?,?,?,?,1,?,0,'','',0)"),
        QVariantList { key, field, caption, 90, visible ? 1 : 0, order });
}

// Runs f on the next modal dialog once its event loop is running.
void onModal(std::function<void(QWidget *)> f)
{
    QTimer::singleShot(0, qApp, [f] {
        QWidget *w = QApplication::activeModalWidget();
        QVERIFY(w);
        f(w);
        // a failed check inside f must not leave the dialog waiting for ever
        if (auto *dlg = qobject_cast<QDialog *>(w); dlg && dlg->isVisible())
            dlg->reject();
    });
}

QStringList shownColumn(DataGrid &grid, int logical)
{
    QStringList out;
    for (int r = 0; r < grid.model()->rowCount(); ++r)
        out << grid.model()->index(r, logical).data().toString();
    return out;
}

void clickTitle(DataGrid &grid, int logical)
{
    QHeaderView *h = grid.horizontalHeader();
    const QPoint at(h->sectionViewportPosition(logical) + h->sectionSize(logical) / 2, h->height() / 2);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
}

// One worksheet cell as the .xlsx keeps it.
struct Cell
{
    QString text;
    QString numberFormat;
    bool isNumber = false;
};

QByteArray zipEntry(const QString &zip, const char *name)
{
    unzFile z = unzOpen64(QFile::encodeName(zip).constData());
    if (!z)
        return {};
    QByteArray out;
    if (unzLocateFile(z, name, 0) == UNZ_OK && unzOpenCurrentFile(z) == UNZ_OK) {
        char buf[65536];
        int n;
        while ((n = unzReadCurrentFile(z, buf, sizeof buf)) > 0)
            out.append(buf, n);
        unzCloseCurrentFile(z);
    }
    unzClose(z);
    return out;
}

// Cells by reference ("A1") with their number format code ("@" for text).
QHash<QString, Cell> readSheet(const QString &path)
{
    QMap<int, QString> formats { { 0, QStringLiteral("General") }, { 49, QStringLiteral("@") } };
    QList<int> xfFormats;
    QXmlStreamReader styles(zipEntry(path, "xl/styles.xml"));
    bool inXfs = false;
    while (!styles.atEnd()) {
        styles.readNext();
        if (styles.isStartElement() && styles.name() == QLatin1String("numFmt"))
            formats.insert(styles.attributes().value(QLatin1String("numFmtId")).toInt(),
                styles.attributes().value(QLatin1String("formatCode")).toString());
        if (styles.name() == QLatin1String("cellXfs"))
            inXfs = styles.isStartElement();
        if (inXfs && styles.isStartElement() && styles.name() == QLatin1String("xf"))
            xfFormats << styles.attributes().value(QLatin1String("numFmtId")).toInt();
    }
    QHash<QString, Cell> cells;
    QXmlStreamReader sheet(zipEntry(path, "xl/worksheets/sheet1.xml"));
    QString ref;
    Cell cell;
    while (!sheet.atEnd()) {
        sheet.readNext();
        if (sheet.isStartElement() && sheet.name() == QLatin1String("c")) {
            ref = sheet.attributes().value(QLatin1String("r")).toString();
            cell = Cell();
            const int style = sheet.attributes().value(QLatin1String("s")).toInt();
            cell.numberFormat = formats.value(xfFormats.value(style));
            cell.isNumber = sheet.attributes().value(QLatin1String("t")).isEmpty();
        } else if (sheet.isStartElement()
            && (sheet.name() == QLatin1String("v") || sheet.name() == QLatin1String("t"))) {
            cell.text += sheet.readElementText();
        } else if (sheet.isEndElement() && sheet.name() == QLatin1String("c")) {
            cells.insert(ref, cell);
        }
    }
    return cells;
}

QString sheetNameOf(const QString &path)
{
    QXmlStreamReader wb(zipEntry(path, "xl/workbook.xml"));
    while (!wb.atEnd())
        if (wb.readNext() == QXmlStreamReader::StartElement && wb.name() == QLatin1String("sheet"))
            return wb.attributes().value(QLatin1String("name")).toString();
    return {};
}

// A table of generated people: code, name in a scrambled order, a date, a flag,
// a picture the grid never shows.
void addPeople(int rows)
{
    exec(QStringLiteral("create table t_people(F_ID integer primary key, F_code text collate nocase, "
                        "F_name text collate nocase, F_date date, F_flag integer, F_pic blob)"));
    exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < ?) "
                        "insert into t_people(F_ID,F_code,F_name,F_date,F_flag,F_pic) "
                        "select i, printf('%08d', i), printf('name%05d', (i * 7919) % ?), "
                        "date('2000-01-01', '+' || (i % 3650) || ' days'), i % 2, zeroblob(1000) from n"),
        QVariantList { rows, rows });
}

} // namespace

class TestGrid : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_home = std::make_unique<TestHome>(); }
    void cleanup() { m_home.reset(); }

    void formatFloat_data();
    void formatFloat();
    void excelNumberFormat_data();
    void excelNumberFormat();
    void formatDateTime_data();
    void formatDateTime();
    void nullDate_data();
    void nullDate();
    void booleansShowATick();

    void keyWithoutRowsKeepsDesign();
    void hiddenColumnSurvivesSaveAndLoad();
    void cancelledChoiceChangesNothing();
    void draggedOrderIsSaved();
    void quotesInTitlesAreSaved();
    void resetReplacesRowsInLowercase();
    void loadFailureShowsError();

    void sortDialogBuildsSortText();
    void sortDialogCancelGivesNothing();
    void sortTextAppliesAndClears();

    void titleClick_data();
    void titleClick();
    void columnStateSurvivesRefresh();
    void rowColouringRule();
    void footers_data();
    void footers();

    void pagedModelCountsAndScrolls();
    void pagedModelSortsWithOrderBy();
    void pagedModelIgnoresUnknownSortField();
    void awkwardValuesDoNoHarm();
    void refreshKeepsRecord();
    void openCursorDoesNotBlockWrites();

    void exportWritesCells();
    void exportWritesEveryRowOfPagedModel();
    void exportFailureLeavesNoFile();
    void exportCancelledByDialog();

private:
    std::unique_ptr<TestHome> m_home;
};

void TestGrid::formatFloat_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("money") << QStringLiteral("￥,0.00") << 1234.5 << QStringLiteral("￥1,234.50");
    QTest::newRow("money zero") << QStringLiteral("￥,0.00") << 0.0 << QStringLiteral("￥0.00");
    QTest::newRow("money negative") << QStringLiteral("￥,0.00") << -1234.567 << QStringLiteral("-￥1,234.57");
    QTest::newRow("money four places") << QStringLiteral("￥,0.00##") << 1.23456 << QStringLiteral("￥1.2346");
    QTest::newRow("money four places short") << QStringLiteral("￥,0.00##") << 1.2 << QStringLiteral("￥1.20");
    QTest::newRow("optional decimals whole") << QStringLiteral("0.##") << 5.0 << QStringLiteral("5");
    QTest::newRow("optional decimals half up") << QStringLiteral("0.##") << 0.125 << QStringLiteral("0.13");
    QTest::newRow("grouped") << QStringLiteral("#,##0.00") << 1234567.891 << QStringLiteral("1,234,567.89");
    QTest::newRow("grouped small") << QStringLiteral("#,##0.00") << 12.0 << QStringLiteral("12.00");
    QTest::newRow("whole half away") << QStringLiteral("0") << 2.5 << QStringLiteral("3");
    QTest::newRow("whole negative half away") << QStringLiteral("0") << -2.5 << QStringLiteral("-3");
    QTest::newRow("binary fraction") << QStringLiteral("0.00") << 2.675 << QStringLiteral("2.68");
    QTest::newRow("no leading zero") << QStringLiteral("#.##") << 0.5 << QStringLiteral(".5");
    QTest::newRow("negative rounds to zero") << QStringLiteral("0.00") << -0.001 << QStringLiteral("0.00");
    QTest::newRow("negative section") << QStringLiteral("0.00;(0.00)") << -3.0 << QStringLiteral("(3.00)");
    QTest::newRow("zero section") << QStringLiteral("0.00;-0.00;无") << 0.0 << QStringLiteral("无");
    QTest::newRow("suffix") << QStringLiteral("0.0元") << 3.14 << QStringLiteral("3.1元");
    QTest::newRow("no format") << QString() << 0.1 + 0.2 << QStringLiteral("0.3");
}

void TestGrid::formatFloat()
{
    QFETCH(QString, format);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(DisplayFormat::formatFloat(format, value), expected);
}

void TestGrid::excelNumberFormat_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("money") << QStringLiteral("￥,0.00") << QStringLiteral("\"￥\"#,##0.00");
    QTest::newRow("money four") << QStringLiteral("￥,0.00##") << QStringLiteral("\"￥\"#,##0.00##");
    QTest::newRow("optional") << QStringLiteral("0.##") << QStringLiteral("0.##");
    QTest::newRow("grouped") << QStringLiteral("#,##0.00") << QStringLiteral("#,##0.00");
    QTest::newRow("whole") << QStringLiteral("0") << QStringLiteral("0");
    QTest::newRow("date") << QStringLiteral("yyyy-MM-dd") << QStringLiteral("yyyy-mm-dd");
    QTest::newRow("date time") << QStringLiteral("yyyy-MM-dd hh:nn:ss") << QStringLiteral("yyyy-mm-dd hh:mm:ss");
}

void TestGrid::excelNumberFormat()
{
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(DisplayFormat::excelNumberFormat(format), expected);
}

void TestGrid::formatDateTime_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("date") << QStringLiteral("yyyy-MM-dd") << QStringLiteral("2024-03-05");
    QTest::newRow("date time") << QStringLiteral("yyyy-MM-dd hh:nn:ss") << QStringLiteral("2024-03-05 07:08:09");
    QTest::newRow("minutes after hour") << QStringLiteral("hh:mm") << QStringLiteral("07:08");
    QTest::newRow("literal") << QStringLiteral("yyyy'年'm'月'd'日'") << QStringLiteral("2024年3月5日");
}

void TestGrid::formatDateTime()
{
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(DisplayFormat::formatDateTime(format, QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9))), expected);
}

void TestGrid::nullDate_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("rule");
    QTest::addColumn<QString>("expected");
    const int automatic = int(NullDateRule::Auto), upTo = int(NullDateRule::UpTo), none = int(NullDateRule::None);
    QTest::newRow("sentinel blank") << QVariant(QStringLiteral("1900-08-14")) << automatic << QString();
    QTest::newRow("no date blank") << QVariant() << automatic << QString();
    QTest::newRow("limit itself shown") << QVariant(QStringLiteral("1901-08-14")) << automatic
                                        << QStringLiteral("1901-08-14");
    QTest::newRow("day after shown") << QVariant(QStringLiteral("1901-08-15")) << automatic
                                     << QStringLiteral("1901-08-15");
    QTest::newRow("up to blanks limit") << QVariant(QStringLiteral("1901-08-14")) << upTo << QString();
    QTest::newRow("no rule shows sentinel")
        << QVariant(QStringLiteral("1900-08-14")) << none << QStringLiteral("1900-08-14");
}

void TestGrid::nullDate()
{
    QFETCH(QVariant, stored);
    QFETCH(int, rule);
    QFETCH(QString, expected);
    exec(QStringLiteral("insert into ZuZav(F_code,F_QFdate) values('1',?)"), QVariantList { stored });
    SqlRowModel model;
    QVERIFY(model.setQuery(QStringLiteral("select F_code,F_QFdate from ZuZav")));
    DataGrid grid;
    grid.setColumns({ col(QStringLiteral("F_QFdate"), QStringLiteral("签发日期"), QStringLiteral("yyyy-MM-dd")) });
    grid.setRowModel(&model);
    grid.setNullDateRule(QStringLiteral("f_qfdate"), NullDateRule(rule));
    QCOMPARE(grid.model()->index(0, 0).data().toString(), expected);
}

void TestGrid::booleansShowATick()
{
    addResidents();
    SqlRowModel model;
    QVERIFY(model.setQuery(QStringLiteral("select F_code,F_ZXflag from ZuZav order by F_code")));
    DataGrid grid;
    grid.setColumns({ col(QStringLiteral("F_ZXflag"), QStringLiteral("注销")) });
    grid.setRowModel(&model);
    QCOMPARE(shownColumn(grid, 0), (QStringList { QStringLiteral("√"), QString(), QString(), QString() }));
}

void TestGrid::keyWithoutRowsKeepsDesign()
{
    MessageRecorder rec;
    DataGrid grid;
    grid.setColumns(residentColumns());
    const int before = count(QStringLiteral("select count(*) from cfg_Grid"));
    QVERIFY(GridLayouts::LoadGridLayout(&grid, QStringLiteral("nosuchgrid")));
    QCOMPARE(grid.columnCount(), 4);
    QCOMPARE(grid.column(1).caption, QStringLiteral("姓名"));
    QVERIFY(GridLayouts::SaveGridLayout(&grid, QStringLiteral("nosuchgrid")));
    QCOMPARE(count(QStringLiteral("select count(*) from cfg_Grid")), before);
    QVERIFY(rec.messages.isEmpty());
}

void TestGrid::hiddenColumnSurvivesSaveAndLoad()
{
    MessageRecorder rec;
    addLayoutRow(QStringLiteral("testgrid"), QStringLiteral("F_code"), QStringLiteral("编号"), 0);
    addLayoutRow(QStringLiteral("testgrid"), QStringLiteral("F_name"), QStringLiteral("姓名"), 1);
    addLayoutRow(QStringLiteral("testgrid"), QStringLiteral("F_sex"), QStringLiteral("性别"), 2);
    DataGrid grid;
    QVERIFY(GridLayouts::LoadGridLayout(&grid, QStringLiteral("TestGrid")));
    QCOMPARE(grid.columnCount(), 3);

    onModal([](QWidget *dlg) {
        QCOMPARE(dlg->objectName(), QStringLiteral("TFrmDispFieldXZ"));
        QCOMPARE(dlg->windowTitle(), QStringLiteral("字段列表"));
        auto *list = dlg->findChild<QListWidget *>(QStringLiteral("clbFields"));
        QCOMPARE(list->item(1)->text(), QStringLiteral("姓名"));
        list->item(1)->setCheckState(Qt::Unchecked);
        dlg->findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
    });
    QVERIFY(GridLayouts::ChooseDisplayFields(&grid));
    QVERIFY(grid.isColumnHidden(1));
    QVERIFY(GridLayouts::SaveGridLayout(&grid, QStringLiteral("TESTGRID")));

    DataGrid again;
    QVERIFY(GridLayouts::LoadGridLayout(&again, QStringLiteral("testgrid")));
    QVERIFY(!again.column(1).visible);
    QVERIFY(again.isColumnHidden(1));
    QVERIFY(again.column(0).visible && again.column(2).visible);
    QVERIFY(rec.messages.isEmpty());
}

void TestGrid::cancelledChoiceChangesNothing()
{
    DataGrid grid;
    grid.setColumns(residentColumns());
    onModal([](QWidget *dlg) {
        auto *list = dlg->findChild<QListWidget *>(QStringLiteral("clbFields"));
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setCheckState(Qt::Unchecked);
        QTest::keyClick(dlg, Qt::Key_Escape);
    });
    QVERIFY(!GridLayouts::ChooseDisplayFields(&grid));
    for (int i = 0; i < grid.columnCount(); ++i)
        QVERIFY(grid.column(i).visible);
}

void TestGrid::draggedOrderIsSaved()
{
    addLayoutRow(QStringLiteral("testgrid"), QStringLiteral("F_code"), QStringLiteral("编号"), 0);
    addLayoutRow(QStringLiteral("testgrid"), QStringLiteral("F_name"), QStringLiteral("姓名"), 1);
    addLayoutRow(QStringLiteral("testgrid"), QStringLiteral("F_sex"), QStringLiteral("性别"), 2);
    DataGrid grid;
    QVERIFY(GridLayouts::LoadGridLayout(&grid, QStringLiteral("testgrid")));
    grid.horizontalHeader()->moveSection(0, 2); // the user drags 编号 to the end
    grid.horizontalHeader()->resizeSection(1, 150);
    QVERIFY(GridLayouts::SaveGridLayout(&grid, QStringLiteral("testgrid")));

    DataGrid again;
    QVERIFY(GridLayouts::LoadGridLayout(&again, QStringLiteral("testgrid")));
    QStringList fields;
    for (const GridColumn &c : again.columnsInOrder())
        fields << c.fieldName;
    QCOMPARE(fields, (QStringList { QStringLiteral("F_name"), QStringLiteral("F_sex"), QStringLiteral("F_code") }));
    QCOMPARE(again.column(0).width, 150);
}

void TestGrid::quotesInTitlesAreSaved()
{
    addLayoutRow(QStringLiteral("testgrid"), QStringLiteral("F_code"), QStringLiteral("编号"), 0);
    DataGrid grid;
    QVERIFY(GridLayouts::LoadGridLayout(&grid, QStringLiteral("testgrid")));
    GridColumn c = grid.column(0);
    c.caption = QStringLiteral("O'Brien's \"code\"");
    c.displayFormat = QStringLiteral("'No.'0");
    grid.setColumn(0, c);
    MessageRecorder rec;
    QVERIFY(GridLayouts::SaveGridLayout(&grid, QStringLiteral("testgrid")));
    QVERIFY(rec.messages.isEmpty());
    DataGrid again;
    QVERIFY(GridLayouts::LoadGridLayout(&again, QStringLiteral("testgrid")));
    QCOMPARE(again.column(0).caption, c.caption);
    QCOMPARE(again.column(0).displayFormat, c.displayFormat);
}

void TestGrid::resetReplacesRowsInLowercase()
{
    addLayoutRow(QStringLiteral("jzdetailtj1"), QStringLiteral("F_old"), QStringLiteral("旧"), 0);
    DataGrid grid;
    QList<GridColumn> columns = residentColumns();
    columns[2].visible = false;
    columns[3].alignment = Qt::AlignRight;
    columns[3].footerType = GridColumn::Footer::Text;
    columns[3].footerValue = QStringLiteral("合计");
    grid.setColumns(columns);
    MessageRecorder rec;
    QVERIFY(GridLayouts::ResetGridLayout(&grid, QStringLiteral("JZdetailTJ1")));
    QCOMPARE(rec.messages.size(), 1);
    QCOMPARE(rec.messages.first().text, QStringLiteral("更新网格列表成功！"));
    QCOMPARE(rec.messages.first().kind, int(MessInfo));
    QCOMPARE(count(QStringLiteral("select count(*) from cfg_Grid where F_name = 'jzdetailtj1' collate binary")), 4);
    QCOMPARE(
        count(QStringLiteral("select count(*) from cfg_Grid where F_name = 'jzdetailtj1' and F_FieldName = 'F_old'")),
        0);
    QCOMPARE(count(QStringLiteral(
                 "select F_AlignMent from cfg_Grid where F_name = 'jzdetailtj1' and F_FieldName = 'F_memo1'")),
        2);
    QCOMPARE(count(QStringLiteral(
                 "select F_FooterType from cfg_Grid where F_name = 'jzdetailtj1' and F_FieldName = 'F_memo1'")),
        1);
    QCOMPARE(
        count(QStringLiteral("select F_Visible from cfg_Grid where F_name = 'jzdetailtj1' and F_FieldName = 'F_sex'")),
        0);
}

void TestGrid::loadFailureShowsError()
{
    exec(QStringLiteral("drop table cfg_Grid"));
    DataGrid grid;
    grid.setColumns(residentColumns());
    MessageRecorder rec;
    QVERIFY(!GridLayouts::LoadGridLayout(&grid, QStringLiteral("hukoumain")));
    QCOMPARE(rec.texts(), QStringList { QStringLiteral("操作失败，请检查数据连接... ") });
    QCOMPARE(rec.messages.first().kind, int(MessError));
    QCOMPARE(grid.columnCount(), 4);
}

void TestGrid::sortDialogBuildsSortText()
{
    DataGrid grid;
    grid.setColumns(residentColumns());
    onModal([](QWidget *dlg) {
        QCOMPARE(dlg->objectName(), QStringLiteral("TfrmRowArrangeGl"));
        QCOMPARE(dlg->windowTitle(), QStringLiteral("排序对话框"));
        auto *table = dlg->findChild<QTableWidget *>(QStringLiteral("vleSort"));
        auto doubleClick = [table](int row) {
            // a real double-click: the first click, then the second arriving as a double-click
            const QPoint at = table->visualItemRect(table->item(row, 1)).center();
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
        };
        doubleClick(0); // 编号: 升序
        doubleClick(1);
        doubleClick(1); // 姓名: 降序
        doubleClick(2);
        doubleClick(2);
        doubleClick(2); // 性别: back to empty
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("升序"));
        QCOMPARE(table->item(1, 1)->text(), QStringLiteral("降序"));
        QCOMPARE(table->item(2, 1)->text(), QString());
        table->setCurrentCell(1, 0);
        dlg->findChild<QPushButton *>(QStringLiteral("btnUp"))->click();
        QCOMPARE(table->currentRow(), 0);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("姓名"));
        table->setCurrentCell(0, 0);
        dlg->findChild<QPushButton *>(QStringLiteral("btnUp"))->click(); // already at the top
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("姓名"));
        dlg->findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
    });
    const std::optional<QString> text = TfrmRowArrangeGl::run(&grid);
    QVERIFY(text.has_value());
    QCOMPARE(*text, QStringLiteral("f_name DESC,f_code ASC,"));
}

void TestGrid::sortDialogCancelGivesNothing()
{
    DataGrid grid;
    grid.setColumns(residentColumns());
    onModal([](QWidget *dlg) { dlg->findChild<QPushButton *>(QStringLiteral("btnCancel"))->click(); });
    QVERIFY(!TfrmRowArrangeGl::run(&grid).has_value());
    onModal([](QWidget *dlg) { dlg->findChild<QPushButton *>(QStringLiteral("btnOK"))->click(); });
    QCOMPARE(TfrmRowArrangeGl::run(&grid), std::optional<QString>(QString()));
}

void TestGrid::sortTextAppliesAndClears()
{
    addResidents();
    SqlRowModel model;
    QVERIFY(model.setQuery(QStringLiteral("select F_code,F_name,F_sex,F_memo1 from ZuZav")));
    DataGrid grid;
    grid.setColumns(residentColumns());
    grid.setRowModel(&model);
    const QStringList natural = shownColumn(grid, 0);
    QVERIFY(grid.applySortText(QStringLiteral("f_sex DESC,f_code ASC,")));
    QCOMPARE(shownColumn(grid, 0),
        (QStringList { QStringLiteral("00000001"), QStringLiteral("00000003"), QStringLiteral("00000002"),
            QStringLiteral("00000004") }));
    QVERIFY(grid.applySortText(QString()));
    QCOMPARE(shownColumn(grid, 0), natural);
}

void TestGrid::titleClick_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("afterFirst");
    QTest::addColumn<QStringList>("afterSecond");
    const QStringList natural { QStringLiteral("00000003"), QStringLiteral("00000001"), QStringLiteral("00000004"),
        QStringLiteral("00000002") };
    const QStringList up { QStringLiteral("00000001"), QStringLiteral("00000002"), QStringLiteral("00000003"),
        QStringLiteral("00000004") };
    QStringList down = up;
    std::reverse(down.begin(), down.end());
    QTest::newRow("code sorts up then down") << 0 << up << down;
    QTest::newRow("memo keeps order") << 3 << natural << natural;
    QTest::newRow("row number excluded") << 4 << natural << natural;
}

void TestGrid::titleClick()
{
    QFETCH(int, column);
    QFETCH(QStringList, afterFirst);
    QFETCH(QStringList, afterSecond);
    addResidents();
    SqlRowModel model;
    model.setCalculatedField(QStringLiteral("ID"), [](int row) { return row + 1; });
    QVERIFY(model.setQuery(QStringLiteral("select F_ID,F_code,F_name,F_sex,F_memo1 from ZuZav")));
    DataGrid grid;
    grid.setColumns(residentColumns() << col(QStringLiteral("ID"), QStringLiteral("序号")));
    grid.setRowModel(&model);
    grid.setSortablePredicate(
        [](const QString &field) { return field.compare(QLatin1String("id"), Qt::CaseInsensitive) != 0; });
    grid.resize(900, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    clickTitle(grid, column);
    QCOMPARE(grid.column(column).marker, GridColumn::Marker::Up);
    QVERIFY(!grid.model()->headerData(column, Qt::Horizontal, Qt::DecorationRole).isNull());
    QCOMPARE(shownColumn(grid, 0), afterFirst);
    clickTitle(grid, column);
    QCOMPARE(grid.column(column).marker, GridColumn::Marker::Down);
    QCOMPARE(shownColumn(grid, 0), afterSecond);
    QCOMPARE(grid.column(1).marker, column == 1 ? GridColumn::Marker::Down : GridColumn::Marker::None);
}

void TestGrid::columnStateSurvivesRefresh()
{
    addResidents();
    SqlRowModel model;
    QVERIFY(model.setQuery(QStringLiteral("select F_code,F_name,F_sex,F_memo1 from ZuZav")));
    DataGrid grid;
    grid.setColumns(residentColumns());
    grid.setRowModel(&model);
    grid.setColumnVisible(1, false);
    grid.horizontalHeader()->moveSection(3, 0);
    grid.horizontalHeader()->resizeSection(2, 133);
    const QList<int> order = grid.visualOrder();
    QVERIFY(model.refresh());
    QVERIFY(grid.isColumnHidden(1));
    QCOMPARE(grid.horizontalHeader()->logicalIndex(0), 3);
    QCOMPARE(grid.visualOrder(), order);
    QCOMPARE(grid.columnWidth(2), 133);
    QCOMPARE(grid.column(1).width, 80); // a hidden column keeps the width it is saved with
}

void TestGrid::rowColouringRule()
{
    addResidents();
    SqlRowModel model;
    QVERIFY(model.setQuery(QStringLiteral("select F_code,F_ZXflag from ZuZav order by F_code")));
    DataGrid grid;
    grid.setColumns({ col(QStringLiteral("F_code"), QStringLiteral("编号")) });
    grid.setRowModel(&model);
    grid.setRowStyleRule([&model](int row) -> std::optional<DataGrid::RowStyle> {
        if (model.value(row, QStringLiteral("F_ZXflag")).toInt() == 0)
            return std::nullopt;
        return DataGrid::RowStyle { Qt::red, QColor() };
    });
    QCOMPARE(grid.model()->index(0, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    QVERIFY(grid.model()->index(1, 0).data(Qt::ForegroundRole).isNull());
}

void TestGrid::footers_data()
{
    QTest::addColumn<int>("fullLoadLimit");
    QTest::newRow("rows in memory") << 1000;
    QTest::newRow("rows in pages") << 1;
}

void TestGrid::footers()
{
    QFETCH(int, fullLoadLimit);
    addResidents();
    SqlRowModel model;
    model.setFullLoadLimit(fullLoadLimit);
    QVERIFY(model.setQuery(QStringLiteral("select F_code,F_SRprice from ZuZav")));
    QCOMPARE(model.allLoaded(), fullLoadLimit > 4);
    DataGrid grid;
    GridColumn code = col(QStringLiteral("F_code"), QStringLiteral("编号"));
    code.footerType = GridColumn::Footer::Text;
    code.footerValue = QStringLiteral("合计");
    GridColumn price = col(QStringLiteral("F_SRprice"), QStringLiteral("收入"), QStringLiteral("￥,0.00"));
    price.footerType = GridColumn::Footer::Sum;
    price.alignment = Qt::AlignRight;
    grid.setColumns({ code, price, col(QStringLiteral("F_code"), QStringLiteral("无")) });
    grid.setRowModel(&model);
    QVERIFY(grid.footerShown());
    QCOMPARE(grid.footerText(0), QStringLiteral("合计"));
    QCOMPARE(grid.footerText(1), QStringLiteral("￥1,234.50"));
    QCOMPARE(grid.footerText(2), QString());
    QCOMPARE(grid.model()->index(0, 1).data().toString(), QStringLiteral("￥1,000.50"));
}

void TestGrid::pagedModelCountsAndScrolls()
{
    addPeople(5000);
    SqlRowModel model;
    QVERIFY(model.setQuery(QStringLiteral("select * from t_people")));
    QCOMPARE(model.rowCount(), 5000);
    QVERIFY(!model.allLoaded());
    QCOMPARE(model.fieldKind(model.fieldIndex(QStringLiteral("F_pic"))), SqlRowModel::FieldKind::Blob);
    DataGrid grid;
    grid.setColumns({ col(QStringLiteral("F_code"), QStringLiteral("编号")),
        col(QStringLiteral("F_name"), QStringLiteral("姓名")), col(QStringLiteral("F_date"), QStringLiteral("日期")) });
    grid.setRowModel(&model);
    grid.resize(600, 400);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.model()->rowCount(), 5000);
    grid.scrollToBottom();
    QCOMPARE(grid.model()->index(4999, 0).data().toString(), QStringLiteral("00005000"));
    QCOMPARE(grid.model()->index(2500, 0).data().toString(), QStringLiteral("00002501"));
    QCOMPARE(grid.model()->index(0, 0).data().toString(), QStringLiteral("00000001"));
    QCOMPARE(model.value(10, QStringLiteral("F_pic")).toByteArray().size(), 1000);
    QCOMPARE(model.value(4998, QStringLiteral("F_flag")).toInt(), 1);
}

void TestGrid::pagedModelSortsWithOrderBy()
{
    addPeople(5000);
    SqlRowModel model;
    QVERIFY(model.setQuery(QStringLiteral("select F_ID,F_code,F_name from t_people")));
    QVERIFY(model.setSort({ { QStringLiteral("f_name"), true } }));
    QCOMPARE(model.rowCount(), 5000);
    QCOMPARE(model.value(0, QStringLiteral("F_name")).toString(), QStringLiteral("name04999"));
    QCOMPARE(model.value(1, QStringLiteral("F_name")).toString(), QStringLiteral("name04998"));
    QCOMPARE(model.value(4999, QStringLiteral("F_name")).toString(), QStringLiteral("name00000"));
    // a later row still matches its name after sorting
    const int row = model.find(QStringLiteral("F_code"), QStringLiteral("00000001"));
    QCOMPARE(model.value(row, QStringLiteral("F_name")).toString(), QStringLiteral("name02919"));
    QCOMPARE(row, 4999 - 2919);
}

void TestGrid::pagedModelIgnoresUnknownSortField()
{
    addPeople(3000);
    SqlRowModel model;
    QVERIFY(model.setQuery(QStringLiteral("select F_code,F_name from t_people")));
    QVERIFY(model.setSort(
        { { QStringLiteral("F_name; drop table t_people"), false }, { QStringLiteral("F_pic"), false } }));
    QVERIFY(model.sort().isEmpty());
    QCOMPARE(count(QStringLiteral("select count(*) from t_people")), 3000);
    QCOMPARE(model.value(0, QStringLiteral("F_code")).toString(), QStringLiteral("00000001"));
}

void TestGrid::awkwardValuesDoNoHarm()
{
    addPeople(3000);
    exec(QStringLiteral("update t_people set F_name = ? where F_ID = 10"), QVariantList { QStringLiteral("O'Neil") });
    exec(QStringLiteral("update t_people set F_name = ? where F_ID = 2000"), QVariantList { QStringLiteral("100%") });
    exec(QStringLiteral("update t_people set F_name = ? where F_ID = 2001"), QVariantList { QStringLiteral("1000") });
    SqlRowModel model;
    MessageRecorder rec;
    QVERIFY(model.setQuery(QStringLiteral("select F_ID,F_name from t_people where F_name like ? or F_name like ?"),
        QVariantList { QStringLiteral("%'%"), QStringLiteral("100%") }));
    QCOMPARE(model.rowCount(), 3);
    QVERIFY(model.setQuery(QStringLiteral("select F_ID,F_name from t_people")));
    DataGrid grid;
    grid.setColumns({ col(QStringLiteral("F_name"), QStringLiteral("姓名")) });
    grid.setRowModel(&model);
    QVERIFY(grid.locate(QStringLiteral("F_name"), QStringLiteral("100%")));
    QCOMPARE(grid.currentValue(QStringLiteral("F_ID")).toInt(), 2000);
    QVERIFY(grid.locate(QStringLiteral("f_name"), QStringLiteral("o'neil")));
    QCOMPARE(grid.currentRow(), 9);
    QVERIFY(!grid.locate(QStringLiteral("F_name"), QStringLiteral("%")));
    QVERIFY(rec.messages.isEmpty());
}

void TestGrid::refreshKeepsRecord()
{
    addPeople(3000);
    SqlRowModel model;
    QVERIFY(model.setQuery(QStringLiteral("select F_ID,F_code from t_people order by F_code")));
    DataGrid grid;
    grid.setColumns({ col(QStringLiteral("F_code"), QStringLiteral("编号")) });
    grid.setRowModel(&model);
    grid.setCurrentRow(1500);
    const int id = grid.currentValue(QStringLiteral("F_ID")).toInt();
    exec(QStringLiteral("insert into t_people(F_ID,F_code) values(9001,'00000000')"));
    QVERIFY(grid.refresh(QStringLiteral("F_ID")));
    QCOMPARE(model.rowCount(), 3001);
    QCOMPARE(grid.currentValue(QStringLiteral("F_ID")).toInt(), id);
    QCOMPARE(grid.currentRow(), 1501);
}

void TestGrid::openCursorDoesNotBlockWrites()
{
    addPeople(3000);
    SqlRowModel model;
    QVERIFY(model.setQuery(QStringLiteral("select F_ID,F_code from t_people")));
    QCOMPARE(model.value(250, QStringLiteral("F_code")).toString(), QStringLiteral("00000251"));
    {
        Transaction t;
        QVERIFY(t.ok());
        exec(QStringLiteral("update t_people set F_code = 'x' where F_ID = 1"));
        QVERIFY(t.commit());
    }
    {
        Transaction t;
        exec(QStringLiteral("update t_people set F_code = 'y' where F_ID = 2"));
    } // rolled back while a page cursor is open
    QCOMPARE(model.value(650, QStringLiteral("F_code")).toString(), QStringLiteral("00000651"));
    QCOMPARE(model.value(2999, QStringLiteral("F_code")).toString(), QStringLiteral("00003000"));
}

void TestGrid::exportWritesCells()
{
    addResidents();
    exec(QStringLiteral("update ZuZav set F_QFdate = '1900-08-14' where F_code = '00000001'"));
    exec(QStringLiteral("update ZuZav set F_QFdate = '2020-05-06' where F_code = '00000002'"));
    SqlRowModel model;
    QVERIFY(model.setQuery(QStringLiteral("select F_code,F_name,F_QFdate,F_SRprice from ZuZav order by F_code")));
    DataGrid grid;
    QList<GridColumn> columns { col(QStringLiteral("F_code"), QStringLiteral("编号")),
        col(QStringLiteral("F_name"), QStringLiteral("姓名")),
        col(QStringLiteral("F_QFdate"), QStringLiteral("签发日期")),
        col(QStringLiteral("F_SRprice"), QStringLiteral("收入"), QStringLiteral("￥,0.00")) };
    columns[1].visible = false;
    grid.setColumns(columns);
    grid.setRowModel(&model);
    grid.setNullDateRule(QStringLiteral("F_QFdate"), NullDateRule::None); // the sentinel reaches the export

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("名单.xlsx"));
    FileDialogAnswers files;
    files.answers << path;
    QList<QUrl> opened;
    GridExport::setFileOpener([&opened](const QUrl &url) {
        opened << url;
        return false;
    });
    MessageRecorder rec;
    QVERIFY(GridExport::ExportGridToExcel(&grid, QStringLiteral("户口/名单[1]"), true));
    GridExport::setFileOpener({});
    QCOMPARE(opened, QList<QUrl> { QUrl::fromLocalFile(path) });
    QCOMPARE(rec.messages.size(), 1);
    QCOMPARE(rec.messages.first().kind, int(MessInfo));
    QVERIFY(rec.messages.first().text.contains(QDir::toNativeSeparators(path)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("名单.xlsx") });

    QCOMPARE(sheetNameOf(path), QStringLiteral("户口_名单_1_"));
    const QHash<QString, Cell> cells = readSheet(path);
    QCOMPARE(cells.value(QStringLiteral("A1")).text, QStringLiteral("编号"));
    QVERIFY(!cells.contains(QStringLiteral("B1")));
    QCOMPARE(cells.value(QStringLiteral("C1")).text, QStringLiteral("签发日期"));
    QCOMPARE(cells.value(QStringLiteral("A2")).text, QStringLiteral("00000001"));
    QCOMPARE(cells.value(QStringLiteral("A2")).numberFormat, QStringLiteral("@"));
    for (int r = 2; r <= 5; ++r)
        QVERIFY(!cells.contains(QStringLiteral("B%1").arg(r)));
    QVERIFY(!cells.contains(QStringLiteral("C2"))); // 1900-08-14 left empty
    QCOMPARE(cells.value(QStringLiteral("C3")).text, QStringLiteral("2020-05-06"));
    QCOMPARE(cells.value(QStringLiteral("D2")).text.toDouble(), 234.0);
    QVERIFY(cells.value(QStringLiteral("D2")).isNumber);
    QCOMPARE(cells.value(QStringLiteral("D2")).numberFormat, QStringLiteral("\"￥\"#,##0.00"));
}

void TestGrid::exportWritesEveryRowOfPagedModel()
{
    addPeople(5000);
    SqlRowModel model;
    QVERIFY(model.setQuery(QStringLiteral("select F_code,F_flag from t_people")));
    QVERIFY(model.setSort({ { QStringLiteral("F_code"), true } }));
    DataGrid grid;
    grid.setColumns({ col(QStringLiteral("F_code"), QStringLiteral("编号")),
        col(QStringLiteral("F_flag"), QStringLiteral("标志")) });
    grid.setRowModel(&model);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("all.xlsx"));
    QString error;
    QVERIFY2(GridExport::writeWorkbook(&grid, path, QStringLiteral("全部"), &error), qPrintable(error));
    const QHash<QString, Cell> cells = readSheet(path);
    QCOMPARE(cells.value(QStringLiteral("A2")).text, QStringLiteral("00005000"));
    QCOMPARE(cells.value(QStringLiteral("A5001")).text, QStringLiteral("00000001"));
    QCOMPARE(cells.value(QStringLiteral("B5001")).text, QStringLiteral("1"));
    QVERIFY(cells.value(QStringLiteral("B5001")).isNumber);
}

void TestGrid::exportFailureLeavesNoFile()
{
    addResidents();
    SqlRowModel model;
    QVERIFY(model.setQuery(QStringLiteral("select F_code from ZuZav")));
    DataGrid grid;
    grid.setColumns({ col(QStringLiteral("F_code"), QStringLiteral("编号")) });
    grid.setRowModel(&model);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/sub/out.xlsx"));
    FileDialogAnswers files;
    files.answers << path;
    MessageRecorder rec;
    bool opened = false;
    GridExport::setFileOpener([&opened](const QUrl &) { return opened = true; });
    QVERIFY(!GridExport::ExportGridToExcel(&grid, QStringLiteral("名单"), true));
    GridExport::setFileOpener({});
    QVERIFY(!opened);
    QCOMPARE(rec.messages.size(), 1);
    QCOMPARE(rec.messages.first().kind, int(MessError));
    QVERIFY(!QFile::exists(path));
    QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());

    files.answers << QString(); // the user cancels the file chooser
    rec.clear();
    QVERIFY(!GridExport::ExportGridToExcel(&grid, QStringLiteral("名单"), true));
    QVERIFY(rec.messages.isEmpty());
}

void TestGrid::exportCancelledByDialog()
{
    addPeople(5000);
    SqlRowModel model;
    QVERIFY(model.setQuery(QStringLiteral("select F_code,F_name from t_people")));
    DataGrid grid;
    grid.setColumns({ col(QStringLiteral("F_code"), QStringLiteral("编号")),
        col(QStringLiteral("F_name"), QStringLiteral("姓名")) });
    grid.setRowModel(&model);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.xlsx"));
    FileDialogAnswers files;
    files.answers << path;
    MessageRecorder rec;
    // the progress dialog shows at once; press its 取消 as soon as it is up
    GridExport::setProgressDelay(0);
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *p = qobject_cast<QProgressDialog *>(w); p && p->isVisible())
                p->cancel();
    });
    poll.start(0);
    const bool exported = GridExport::ExportGridToExcel(&grid, QStringLiteral("big"), true);
    poll.stop();
    GridExport::setProgressDelay(800);
    QVERIFY(!exported);
    QVERIFY(rec.messages.isEmpty());
    QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
