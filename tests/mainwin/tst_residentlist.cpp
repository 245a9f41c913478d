#include "TestSupport.h"
#include "app/IniFile.h"
#include "data/Database.h"
#include "grid/DataGrid.h"
#include "grid/SqlRowModel.h"
#include "mainwin/ResidentListPanel.h"
#include "mainwin/ResidentStore.h"
#include "residents/TDLGzidingyiXZ.h"
#include "support/Messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

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

QString yearsAgo(int years, const char *monthDay)
{
    return QStringLiteral("%1-%2").arg(QDate::currentDate().year() - years).arg(QLatin1String(monthDay));
}

// Seven persons; 钱七 has no code, 赵六 is cancelled, birth dates cover the null
// date, an empty text and NULL.
void addResidents()
{
    const QString sql = QStringLiteral(
        "insert into ZuZav(F_mainID,F_Code,F_Name,F_sex,F_HKtype,F_CSdate,F_ZXflag,F_HZguanxi,F_memo1,F_LDcode,"
        "F_minZu,F_HKxingzhi,F_XX,F_HZname,F_ZZaddress,F_QFdate) values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    const QVariant null;
    const QList<QVariantList> rows = {
        { 3, "00000003", "张三", "男", "非农业家庭户口", yearsAgo(15, "06-01"), 0, "户主", "100%纯", "1栋", "汉族",
            "常住户口", "A型", "张大", "幸福路1号", "1901-08-14" },
        { 1, "00000001", "李四", "女", "农业家庭户口", yearsAgo(40, "01-01"), 0, "妻", "O'Brien", "2栋", "回族",
            "暂住户口", "AB型", "李大", "幸福路2号", "2001-03-04" },
        { 2, "00000002", "王张伟", "男", "非农业家庭户口", yearsAgo(70, "12-31"), 0, "子", "a_b", "3栋", "汉族",
            "非常住户口", "A型RH阴性", "王大", "幸福路3号", "1900-08-14" },
        { 4, "00000004", "赵六", "女", "居民家庭户口", yearsAgo(5, "03-03"), 1, "女", "", "1栋", "汉族", "常住户口",
            "O型", "赵大", "", "1900-08-14" },
        { 5, null, "钱七", "女", "集体户口", "", 0, "长女", "axb", "4栋", "汉族", "常住户口", "B型", "钱大", "", "" },
        { 6, "00000005", "孙八", null, "非农业家庭户口", "1900-08-14", 0, "女", "50%", "5栋", "满族", "常住户口",
            "O型", "孙大", "", "" },
        { 7, "00000006", "周九", "男", "农业家庭户口", null, 0, "子", "back\\slash", "5栋", "汉族", "常住户口",
            "B型", "周大", "", "" },
    };
    for (const QVariantList &r : rows) {
        QVariantList values;
        for (const QVariant &v : r)
            values << (v.typeId() == QMetaType::Char || v.typeId() == QMetaType::QByteArray ? QVariant(v.toString()) : v);
        exec(sql, values);
    }
}

void addDetails()
{
    const QString change = QStringLiteral("insert into t_BGrec(F_mainID,F_Date,F_BGtype,F_Memo3) values(?,?,?,?)");
    exec(change, QVariantList { 1, "2020-01-02", "迁入", "第一条" });
    exec(change, QVariantList { 1, "2021-05-06", "变更", "第二条" });
    exec(change, QVariantList { 3, "2022-07-08", "变更", "张的" });
    const QString reminder
        = QStringLiteral("insert into t_TXrec(F_mainID,F_AwokeDate,F_Caption,F_editDate) values(?,?,?,?)");
    exec(reminder, QVariantList { 1, "2030-01-01", "复查", "2024-02-03" });
    exec(reminder, QVariantList { 1, "1900-08-14", "无日期", "2024-02-04" });
    exec(reminder, QVariantList { 3, "2030-02-02", "体检", "2024-02-05" });
}


QStringList names(const ResidentListPanel &p)
{
    QStringList out;
    for (int r = 0; r < p.rowCount(); ++r)
        out << p.listModel()->value(r, QStringLiteral("F_Name")).toString();
    return out;
}

QTreeWidgetItem *node(QTreeWidget *tree, const QString &text)
{
    const auto found = tree->findItems(text, Qt::MatchExactly);
    if (found.isEmpty())
        qFatal("no node %s", qPrintable(text));
    return found.first();
}

void doubleClickNode(QTreeWidget *tree, const QString &text)
{
    QTreeWidgetItem *item = node(tree, text);
    tree->scrollToItem(item);
    const QPoint at = tree->visualItemRect(item).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
}

// Types text key by key (QTest's key clicks take only ASCII).
void typeText(QWidget *target, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &release);
    }
}

void clickListEntry(QListWidget *list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// Runs once when the next modal dialog is up.
void whenModal(std::function<void(QWidget *)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w)
            qFatal("no modal dialog");
        act(w);
    });
}

} // namespace

class TestResidentList : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startupList();
    void chooserSwitchesValueControl();
    void fieldFilter_data();
    void fieldFilter();
    void typeTree_data();
    void typeTree();
    void singleClickDoesNotRebuild();
    void ageNode_data();
    void ageNode();
    void ageRangeMatchesDateDiff_data();
    void ageRangeMatchesDateDiff();
    void customAgeRange_data();
    void customAgeRange();
    void customAgeRangeRefusesReversedBounds();
    void includeCancelled();
    void nullDateDisplay();
    void idColumnNeverSorts();
    void deleteResident();
    void deleteResidentCancelled();
    void failingDeleteRollsBack();
    void deleteDetail_data();
    void deleteDetail();
    void deleteDetailWithoutTablePage_data();
    void deleteDetailWithoutTablePage();
    void listFailure_data();
    void listFailure();
    void detailsFollowCurrentResident();
    void advancedQuery();
    void listSqlKeepsStatementWithoutOrder();

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<MessageRecorder> m_messages;
    std::unique_ptr<ResidentListPanel> m_panel;

    ResidentListPanel &panel() { return *m_panel; }
    template<typename T> T *w(const char *name) { return child<T>(m_panel.get(), name); }
};

void TestResidentList::init()
{
    m_home = std::make_unique<TestHome>();
    Transaction t;
    addResidents();
    addDetails();
    QVERIFY(t.commit());
    m_messages = std::make_unique<MessageRecorder>();
    m_panel = std::make_unique<ResidentListPanel>();
    m_panel->resize(1100, 700);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
    m_panel->firstShowSetup();
}

void TestResidentList::cleanup()
{
    m_panel.reset();
    m_messages.reset();
    m_home.reset();
}

void TestResidentList::startupList()
{
    // NULL sorts before every code
    QCOMPARE(names(panel()), (QStringList { "钱七", "李四", "王张伟", "张三", "孙八", "周九" }));
    QCOMPARE(w<QLabel>("lblCLTnum")->text(), QStringLiteral("户口总数： 6 个"));
    QCOMPARE(w<QComboBox>("ComboBox1")->count(), 28);
    QCOMPARE(w<QComboBox>("ComboBox1")->currentIndex(), -1);
    QVERIFY(w<QLineEdit>("Edit1")->isVisible());
    QVERIFY(!w<QComboBox>("ComboBox2")->isVisible());
    QVERIFY(!w<QToolButton>("SpeedButton3")->isVisible());
    QCOMPARE(w<QTreeWidget>("tvTree")->currentItem()->text(0), QStringLiteral("全部"));
    QCOMPARE(w<QTreeWidget>("tvTree")->topLevelItemCount(), 5);
    QCOMPARE(w<QTreeWidget>("tvTree1")->topLevelItemCount(), 17);
    QCOMPARE(w<QTreeWidget>("tvTree1")->topLevelItem(16)->text(0), QStringLiteral("100以上"));
    QCOMPARE(panel().detailPage(), 0);
    QVERIFY(m_messages->messages.isEmpty());
}

void TestResidentList::chooserSwitchesValueControl()
{
    auto *chooser = w<QComboBox>("ComboBox1");
    chooser->setCurrentIndex(10); // 性别
    QVERIFY(!w<QLineEdit>("Edit1")->isVisible());
    QVERIFY(w<QComboBox>("ComboBox2")->isVisible());
    QCOMPARE(w<QComboBox>("ComboBox2")->count(), 2);
    w<QComboBox>("ComboBox2")->setCurrentIndex(1);
    chooser->setCurrentIndex(1); // 姓名 empties the drop-down
    QVERIFY(w<QLineEdit>("Edit1")->isVisible());
    QVERIFY(!w<QComboBox>("ComboBox2")->isVisible());
    QVERIFY(w<QComboBox>("ComboBox2")->currentText().isEmpty());
    QVERIFY(!w<QToolButton>("SpeedButton3")->isVisible());
    chooser->setCurrentIndex(15); // 民族 from the code table
    QCOMPARE(w<QComboBox>("ComboBox2")->itemText(0), QString());
    QCOMPARE(w<QComboBox>("ComboBox2")->itemText(1), QStringLiteral("汉族"));
}

void TestResidentList::fieldFilter_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("姓名 contains") << 1 << "张" << QStringList { "王张伟", "张三" };
    QTest::newRow("姓名 trimmed") << 1 << " 张三 " << QStringList { "张三" };
    QTest::newRow("编号 empty hides NULL codes") << 0 << "" << QStringList { "李四", "王张伟", "张三", "孙八", "周九" };
    QTest::newRow("编号 contains") << 0 << "05" << QStringList { "孙八" };
    QTest::newRow("楼号 contains") << 2 << "栋" << QStringList { "钱七", "李四", "王张伟", "张三", "孙八", "周九" };
    QTest::newRow("性别 女") << 10 << "女" << QStringList { "钱七", "李四" };
    QTest::newRow("性别 empty hides NULL") << 10 << "" << QStringList { "钱七", "李四", "王张伟", "张三", "周九" };
    QTest::newRow("与户主关系 is a prefix") << 6 << "女" << QStringList { "孙八" };
    QTest::newRow("血型 is a prefix") << 12 << "A型" << QStringList { "王张伟", "张三" };
    QTest::newRow("户口性质 contains") << 26 << "常住户口"
                                   << QStringList { "钱七", "王张伟", "张三", "孙八", "周九" };
    QTest::newRow("民族") << 15 << "回族" << QStringList { "李四" };
    QTest::newRow("备注 percent is literal") << 27 << "%" << QStringList { "张三", "孙八" };
    QTest::newRow("备注 underscore is literal") << 27 << "_" << QStringList { "王张伟" };
    QTest::newRow("备注 quote") << 27 << "'" << QStringList { "李四" };
    QTest::newRow("备注 quoted word") << 27 << "O'Brien" << QStringList { "李四" };
    QTest::newRow("备注 backslash") << 27 << "\\" << QStringList { "周九" };
    QTest::newRow("备注 statement text") << 27 << "') or (1=1" << QStringList {};
    QTest::newRow("户主姓名") << 5 << "大" << QStringList { "钱七", "李四", "王张伟", "张三", "孙八", "周九" };
    QTest::newRow("现住址 empty keeps empty text") << 17 << "" << QStringList { "钱七", "李四", "王张伟", "张三", "孙八", "周九" };
}

void TestResidentList::fieldFilter()
{
    QFETCH(int, entry);
    QFETCH(QString, value);
    QFETCH(QStringList, expected);
    w<QComboBox>("ComboBox1")->setCurrentIndex(entry);
    if (w<QComboBox>("ComboBox2")->isVisible() && value.isEmpty()) {
        QTest::mouseClick(w<QPushButton>("BitBtn1"), Qt::LeftButton);
    } else if (w<QComboBox>("ComboBox2")->isVisible()) {
        auto *values = w<QComboBox>("ComboBox2");
        const int i = values->findText(value);
        QVERIFY2(i >= 0, qPrintable(value));
        values->setCurrentIndex(i);
    } else if (value.isEmpty()) {
        QTest::keyClick(w<QLineEdit>("Edit1"), Qt::Key_F3);
    } else {
        typeText(w<QLineEdit>("Edit1"), value);
    }
    QCOMPARE(names(panel()), expected);
    QCOMPARE(w<QLabel>("lblCLTnum")->text(), ResidentStore::countText(expected.size()));
    QVERIFY2(m_messages->messages.isEmpty(), qPrintable(m_messages->texts().join(QLatin1Char('|'))));
}

void TestResidentList::typeTree_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("全部") << "全部" << QStringList { "钱七", "李四", "王张伟", "张三", "孙八", "周九" };
    QTest::newRow("农业") << "农业家庭户口" << QStringList { "李四", "周九" };
    QTest::newRow("非农业") << "非农业家庭户口" << QStringList { "王张伟", "张三", "孙八" };
    QTest::newRow("only cancelled persons") << "居民家庭户口" << QStringList {};
}

void TestResidentList::typeTree()
{
    QFETCH(QString, node);
    QFETCH(QStringList, expected);
    doubleClickNode(w<QTreeWidget>("tvTree"), node);
    QCOMPARE(names(panel()), expected);
}

void TestResidentList::singleClickDoesNotRebuild()
{
    auto *tree = w<QTreeWidget>("tvTree");
    QTreeWidgetItem *item = node(tree, QStringLiteral("集体户口"));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    QCOMPARE(panel().rowCount(), 6);
    w<QTabWidget>("rpcTVtree")->setCurrentIndex(1);
    QCOMPARE(panel().rowCount(), 6);
    w<QTabWidget>("rpcTVtree")->setCurrentIndex(0);
    QTest::mouseClick(w<QPushButton>("BitBtn1"), Qt::LeftButton);
    QCOMPARE(names(panel()), QStringList { "钱七" });
}

void TestResidentList::ageNode_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<bool>("cancelledToo");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("全部") << "全部" << false << QStringList { "钱七", "李四", "王张伟", "张三", "孙八", "周九" };
    QTest::newRow("未成年人") << "未成年人" << false << QStringList { "张三" };
    QTest::newRow("未成年人 with cancelled") << "未成年人" << true << QStringList { "张三", "赵六" };
    QTest::newRow("成年人 counts the null date") << "成年人" << false << QStringList { "李四", "王张伟", "孙八" };
    QTest::newRow("10-19") << "10-19" << false << QStringList { "张三" };
    QTest::newRow("40-49 from 1 January") << "40-49" << false << QStringList { "李四" };
    QTest::newRow("70-79 to 31 December") << "70-79" << false << QStringList { "王张伟" };
    QTest::newRow("老年人") << "老年人" << false << QStringList { "王张伟", "孙八" };
    QTest::newRow("学龄前儿童") << "学龄前儿童" << true << QStringList { "赵六" };
    QTest::newRow("100以上 is the null date") << "100以上" << false << QStringList { "孙八" };
    QTest::newRow("90-99") << "90-99" << false << QStringList {};
}

void TestResidentList::ageNode()
{
    QFETCH(QString, node);
    QFETCH(bool, cancelledToo);
    QFETCH(QStringList, expected);
    if (cancelledToo)
        QTest::mouseClick(w<QCheckBox>("CheckBox1"), Qt::LeftButton);
    w<QTabWidget>("rpcTVtree")->setCurrentIndex(1);
    doubleClickNode(w<QTreeWidget>("tvTree1"), node);
    QStringList got = names(panel());
    QCOMPARE(got, expected);
    QVERIFY(m_messages->messages.isEmpty());
}

void TestResidentList::ageRangeMatchesDateDiff_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    // the delivered age bands
    QTest::newRow("成年人") << 18 << 200;
    QTest::newRow("未成年人") << 0 << 17;
    QTest::newRow("学龄前儿童") << 0 << 6;
    QTest::newRow("1-9") << 0 << 9;
    QTest::newRow("40-49") << 40 << 49;
    QTest::newRow("100以上") << 100 << 200;
    QTest::newRow("one year") << 15 << 15;
    QTest::newRow("null date year") << QDate::currentDate().year() - 1900 << QDate::currentDate().year() - 1900;
    QTest::newRow("born this year") << 0 << 0;
    QTest::newRow("custom widest") << 1 << 200;
    QTest::newRow("reversed") << 30 << 20;
    QTest::newRow("future births") << -3 << 2;
}

// The birth-date range stands for DateDiff("yyyy",F_CSdate,Date()) between
// from and to: both must pick the same persons from every kind of stored date.
void TestResidentList::ageRangeMatchesDateDiff()
{
    QFETCH(int, from);
    QFETCH(int, to);
    exec(QStringLiteral("delete from ZuZav"));
    const int year = QDate::currentDate().year();
    QVariantList dates { QVariant(), "", "1900-08-14", "1901-08-14", "0001-01-01", "1980-5-6", "1980-05-06 10:11:12" };
    for (int y = year - 210; y <= year + 3; ++y)
        for (const char *md : { "-01-01", "-06-15", "-12-31" })
            dates << QString::number(y).rightJustified(4, QLatin1Char('0')) + QLatin1String(md);
    {
        Transaction t;
        for (const QVariant &d : dates)
            exec(QStringLiteral("insert into ZuZav(F_Name,F_CSdate) values('x',?)"), QVariantList { d });
        QVERIFY(t.commit());
    }

    QVariantList params;
    const QString range = ResidentStore::ageCondition({ from, to }, QDate::currentDate(), params);
    auto ids = [](const QString &sql, const QVariantList &p) {
        QSqlQuery q;
        QList<qint64> out;
        if (!Database::exec(q, sql, p))
            qFatal("statement failed: %s", qPrintable(sql));
        while (q.next())
            out << q.value(0).toLongLong();
        return out;
    };
    const QList<qint64> byRange = ids(QStringLiteral("select F_ID from ZuZav where (1=1) ") + range + " order by F_ID", params);
    const QList<qint64> byDateDiff = ids(QStringLiteral("select F_ID from ZuZav where DateDiff(\"yyyy\",F_CSdate,Date()) "
                                                        ">= ? and DateDiff(\"yyyy\",F_CSdate,Date()) <= ? order by F_ID"),
        { from, to });
    QCOMPARE(byRange, byDateDiff);
}

void TestResidentList::customAgeRange_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("confirmed 30-75") << true << QStringList { "李四", "王张伟" };
    QTest::newRow("closed: no age condition") << false << QStringList { "钱七", "李四", "王张伟", "张三", "孙八", "周九" };
}

void TestResidentList::customAgeRange()
{
    QFETCH(bool, confirm);
    QFETCH(QStringList, expected);
    appConfig().writeInteger(QStringLiteral("Config"), QStringLiteral("iMin"), 30);
    appConfig().writeInteger(QStringLiteral("Config"), QStringLiteral("iMax"), 50);
    w<QTabWidget>("rpcTVtree")->setCurrentIndex(1);
    int shownMin = 0, shownMax = 0;
    whenModal([&](QWidget *dlg) {
        QCOMPARE(dlg->windowTitle(), QStringLiteral("自定义取值范围"));
        shownMin = child<QSpinBox>(dlg, "seMin")->value();
        shownMax = child<QSpinBox>(dlg, "seMax")->value();
        child<QSpinBox>(dlg, "seMax")->setValue(75);
        QTest::mouseClick(child<QPushButton>(dlg, confirm ? "btnOK" : "btnClose"), Qt::LeftButton);
    });
    doubleClickNode(w<QTreeWidget>("tvTree1"), QStringLiteral("自定义范围"));
    QCOMPARE(shownMin, 30);
    QCOMPARE(shownMax, 50);
    QCOMPARE(names(panel()), expected);
    QCOMPARE(appConfig().readInteger(QStringLiteral("Config"), QStringLiteral("iMax"), 0), confirm ? 75 : 50);

    // while that node is selected, a keystroke in the value box asks again
    w<QComboBox>("ComboBox1")->setCurrentIndex(1);
    whenModal([](QWidget *dlg) {
        child<QSpinBox>(dlg, "seMin")->setValue(10);
        child<QSpinBox>(dlg, "seMax")->setValue(20);
        QTest::keyClick(dlg, Qt::Key_Escape);
    });
    typeText(w<QLineEdit>("Edit1"), QStringLiteral("张"));
    QCOMPARE(names(panel()), (QStringList { "王张伟", "张三" }));
}

void TestResidentList::customAgeRangeRefusesReversedBounds()
{
    TDLGzidingyiXZ dlg;
    int a = 0, b = 0;
    whenModal([this](QWidget *d) {
        child<QSpinBox>(d, "seMin")->setValue(40);
        child<QSpinBox>(d, "seMax")->setValue(39);
        QTest::mouseClick(child<QPushButton>(d, "btnOK"), Qt::LeftButton);
        QVERIFY(d->isVisible());
        QCOMPARE(m_messages->texts(), QStringList { "自定义范围有误，请得新指定！" });
        QCOMPARE(m_messages->messages.first().kind, int(MessWarning));
        child<QSpinBox>(d, "seMax")->setValue(40);
        QTest::mouseClick(child<QPushButton>(d, "btnOK"), Qt::LeftButton);
    });
    QVERIFY(TDLGzidingyiXZ::AskAgeBand(a, b));
    QCOMPARE(a, 40);
    QCOMPARE(b, 40);
    QCOMPARE(appConfig().readInteger(QStringLiteral("Config"), QStringLiteral("iMin"), 0), 40);
}

void TestResidentList::includeCancelled()
{
    QTest::mouseClick(w<QCheckBox>("CheckBox1"), Qt::LeftButton);
    QCOMPARE(names(panel()), (QStringList { "钱七", "李四", "王张伟", "张三", "赵六", "孙八", "周九" }));
    QCOMPARE(w<QLabel>("lblCLTnum")->text(), QStringLiteral("户口总数： 7 个"));
    QAbstractItemModel *shown = panel().grid()->model();
    QCOMPARE(shown->index(4, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    QCOMPARE(shown->index(4, 1).data(Qt::BackgroundRole).value<QColor>(), panel().palette().color(QPalette::Button));
    QVERIFY(!shown->index(3, 1).data(Qt::ForegroundRole).isValid());
}

void TestResidentList::nullDateDisplay()
{
    DataGrid *g = panel().grid();
    const int qf = g->columnOfField(QStringLiteral("F_QFdate"));
    const int cs = g->columnOfField(QStringLiteral("F_CSdate"));
    QVERIFY(qf >= 0 && cs >= 0);
    // rows: 钱七, 李四, 王张伟, 张三, 孙八
    QCOMPARE(g->displayText(3, qf), QString()); // 1901-08-14 is still empty
    QCOMPARE(g->displayText(1, qf), QStringLiteral("2001-03-04"));
    QCOMPARE(g->displayText(4, cs), QStringLiteral("1900-08-14"));
}

void TestResidentList::idColumnNeverSorts()
{
    DataGrid *g = panel().grid();
    const QStringList before = names(panel());
    g->titleClick(g->columnOfField(QStringLiteral("ID")));
    g->titleClick(g->columnOfField(QStringLiteral("ID")));
    QCOMPARE(names(panel()), before);
    QCOMPARE(panel().listModel()->value(0, QStringLiteral("ID")).toInt(), 1);
    g->titleClick(g->columnOfField(QStringLiteral("F_Name")));
    QVERIFY(names(panel()) != before);
}

void TestResidentList::deleteResident()
{
    w<QComboBox>("ComboBox1")->setCurrentIndex(10);
    w<QComboBox>("ComboBox2")->setCurrentIndex(w<QComboBox>("ComboBox2")->findText(QStringLiteral("女")));
    QCOMPARE(names(panel()), (QStringList { "钱七", "李四" }));
    panel().grid()->setCurrentRow(1);
    panel().deleteResident();
    QCOMPARE(m_messages->texts(),
        QStringList { "删除当前户口资料，将删除当前户口所有的相关记录，\n真的要删除当前姓名为“李四”的相关资料吗？" });
    QCOMPARE(m_messages->messages.first().kind, int(MessQuestion));
    QCOMPARE(names(panel()), QStringList { "钱七" });
    QCOMPARE(w<QLabel>("lblCLTnum")->text(), QStringLiteral("户口总数： 1 个"));
    QCOMPARE(w<QComboBox>("ComboBox2")->currentText(), QStringLiteral("女"));
    QCOMPARE(count(QStringLiteral("select count(*) from ZuZav where F_mainID = 1")), 0);
    QCOMPARE(count(QStringLiteral("select count(*) from t_BGrec where F_mainID = 1")), 0);
    QCOMPARE(count(QStringLiteral("select count(*) from t_TXrec where F_mainID = 1")), 0);
    QCOMPARE(count(QStringLiteral("select count(*) from t_BGrec")), 1);
    QCOMPARE(count(QStringLiteral("select count(*) from t_TXrec")), 1);
}

void TestResidentList::deleteResidentCancelled()
{
    m_messages->answers << MessCancel;
    panel().deleteResident();
    QCOMPARE(m_messages->messages.size(), 1);
    QCOMPARE(panel().rowCount(), 6);
    QCOMPARE(count(QStringLiteral("select count(*) from ZuZav")), 7);
}

void TestResidentList::failingDeleteRollsBack()
{
    exec(QStringLiteral("create trigger refuse before delete on t_TXrec begin select raise(abort, 'refused'); end"));
    panel().grid()->setCurrentRow(1); // 李四, who has reminders
    panel().deleteResident();
    QCOMPARE(m_messages->texts().last(), QStringLiteral("操作失败，请检查连接..."));
    QCOMPARE(m_messages->messages.last().kind, int(MessError));
    QCOMPARE(count(QStringLiteral("select count(*) from ZuZav where F_mainID = 1")), 1);
    QCOMPARE(count(QStringLiteral("select count(*) from t_BGrec where F_mainID = 1")), 2);
    QCOMPARE(panel().rowCount(), 6);
}

void TestResidentList::deleteDetail_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("left");
    QTest::newRow("change record") << 0 << int(MessOk) << "真的要删除当前变更日期为“2020-01-02”的户口变更记录吗？" << 1;
    QTest::newRow("change record kept") << 0 << int(MessCancel) << "真的要删除当前变更日期为“2020-01-02”的户口变更记录吗？" << 2;
    QTest::newRow("reminder") << 2 << int(MessOk) << "真的要删除当前2024-02-03日的事务提醒记录吗？" << 1;
    QTest::newRow("reminder kept") << 2 << int(MessCancel) << "真的要删除当前2024-02-03日的事务提醒记录吗？" << 2;
}

void TestResidentList::deleteDetail()
{
    QFETCH(int, page);
    QFETCH(int, answer);
    QFETCH(QString, question);
    QFETCH(int, left);
    panel().grid()->setCurrentRow(1); // 李四
    clickListEntry(w<QListWidget>("ListView1"), page);
    QCOMPARE(panel().detailPage(), page + 1);
    QCOMPARE(w<QStackedWidget>("rpcList")->currentIndex(), page);
    m_messages->answers << answer;
    panel().deleteDetail();
    QCOMPARE(m_messages->texts(), QStringList { question });
    DataGrid *g = page == 0 ? panel().detailGrid1() : panel().detailGrid3();
    QCOMPARE(g->rowModel()->rowCount(), left);
    const QString table = page == 0 ? QStringLiteral("t_BGrec") : QStringLiteral("t_TXrec");
    QCOMPARE(count(QStringLiteral("select count(*) from %1 where F_mainID = 1").arg(table)), left);
}

void TestResidentList::deleteDetailWithoutTablePage_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("no page picked yet") << -1;
    QTest::newRow("family page") << 1;
}

void TestResidentList::deleteDetailWithoutTablePage()
{
    QFETCH(int, page);
    if (page >= 0)
        clickListEntry(w<QListWidget>("ListView1"), page);
    panel().deleteDetail();
    QCOMPARE(m_messages->texts(), QStringList { "请点击一下相关的表格。" });
    QCOMPARE(m_messages->messages.first().kind, int(MessInfo));
    QCOMPARE(count(QStringLiteral("select count(*) from t_BGrec")), 3);
}

void TestResidentList::listFailure_data()
{
    QTest::addColumn<QString>("breakage");
    QTest::addColumn<QString>("node");
    QTest::newRow("age band without bounds") << "delete from KeyValue where F_name = '10-19'" << "10-19";
    QTest::newRow("table gone") << "alter table ZuZav rename to ZuZav_old" << "全部";
}

void TestResidentList::listFailure()
{
    QFETCH(QString, breakage);
    QFETCH(QString, node);
    exec(breakage);
    w<QTabWidget>("rpcTVtree")->setCurrentIndex(1);
    doubleClickNode(w<QTreeWidget>("tvTree1"), node);
    QCOMPARE(m_messages->texts(), QStringList { "打开操作失败，请检查数据连接... " });
    QCOMPARE(m_messages->messages.first().kind, int(MessError));
    QCOMPARE(panel().rowCount(), 0);
    QCOMPARE(panel().grid()->model()->rowCount(), 0);
    QCOMPARE(w<QLabel>("lblCLTnum")->text(), QStringLiteral("户口总数： 0 个"));
    QCOMPARE(panel().detailGrid1()->rowModel()->rowCount(), 0);
}

void TestResidentList::detailsFollowCurrentResident()
{
    DataGrid *g = panel().grid();
    g->setCurrentRow(1); // 李四
    QCOMPARE(panel().detailGrid1()->rowModel()->rowCount(), 2);
    QCOMPARE(w<QPlainTextEdit>("DBMemo1")->toPlainText(), QStringLiteral("第一条"));
    panel().detailGrid1()->setCurrentRow(1);
    QCOMPARE(w<QPlainTextEdit>("DBMemo1")->toPlainText(), QStringLiteral("第二条"));
    DataGrid *reminders = panel().detailGrid3();
    QCOMPARE(reminders->rowModel()->rowCount(), 2);
    const int awoke = reminders->columnOfField(QStringLiteral("F_AwokeDate"));
    QCOMPARE(reminders->displayText(0, awoke), QStringLiteral("2030-01-01"));
    QCOMPARE(reminders->displayText(1, awoke), QString());
    QCOMPARE(w<QLineEdit>("DBEdit1")->text(), QStringLiteral("李大"));
    QCOMPARE(w<QLineEdit>("DBEdit3")->text(), QStringLiteral("幸福路2号"));

    QTest::keyClick(g, Qt::Key_Down); // 王张伟: nothing hangs on him
    QCOMPARE(panel().currentValue(QStringLiteral("F_Name")).toString(), QStringLiteral("王张伟"));
    QCOMPARE(panel().detailGrid1()->rowModel()->rowCount(), 0);
    QCOMPARE(w<QPlainTextEdit>("DBMemo1")->toPlainText(), QString());
    QCOMPARE(w<QLineEdit>("DBEdit1")->text(), QStringLiteral("王大"));
    QTest::keyClick(g, Qt::Key_Down); // 张三
    QCOMPARE(panel().detailGrid1()->rowModel()->rowCount(), 1);
    QCOMPARE(reminders->rowModel()->value(0, QStringLiteral("F_Caption")).toString(), QStringLiteral("体检"));

    QVERIFY(panel().reopenAt(QStringLiteral("F_Code"), QStringLiteral("00000001")));
    QCOMPARE(panel().currentValue(QStringLiteral("F_Name")).toString(), QStringLiteral("李四"));
    QCOMPARE(panel().detailGrid1()->rowModel()->rowCount(), 2);
}

void TestResidentList::advancedQuery()
{
    auto *button = w<QToolButton>("SpeedButton2");
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(m_messages->texts(), QStringList { "此功能尚未完成" });
    QVERIFY(!button->isChecked());
    QCOMPARE(panel().rowCount(), 6);

    QString answer = QStringLiteral("select * from ZuZav where F_sex = '男' order by F_Code");
    panel().setQueryDialog([&answer](QWidget *) { return answer; });
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(button->isChecked());
    QCOMPARE(names(panel()), (QStringList { "王张伟", "张三", "周九" }));
    QCOMPARE(w<QLabel>("lblCLTnum")->text(), QStringLiteral("户口总数： 3 个"));
    QVERIFY(!panel().listSql().contains(QStringLiteral("F_sex = '男'")));

    QTest::mouseClick(button, Qt::LeftButton); // released: the filters again
    QVERIFY(!button->isChecked());
    QCOMPARE(panel().rowCount(), 6);

    answer.clear();
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!button->isChecked());
    QCOMPARE(panel().rowCount(), 6);
}

void TestResidentList::listSqlKeepsStatementWithoutOrder()
{
    w<QComboBox>("ComboBox1")->setCurrentIndex(1);
    typeText(w<QLineEdit>("Edit1"), QStringLiteral("张"));
    QVERIFY(!panel().listSql().contains(QStringLiteral("order by"), Qt::CaseInsensitive));
    QVERIFY(!panel().listSql().contains(QStringLiteral("张")));
    QVERIFY(!panel().listSql().contains(QStringLiteral("F_empImage"), Qt::CaseInsensitive));
    QSqlQuery q;
    QVERIFY(Database::exec(q, QStringLiteral("select count(*) from (") + panel().listSql() + ") ", panel().listParams()));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 2);
}

QTEST_MAIN(TestResidentList)
#include "tst_residentlist.moc"
