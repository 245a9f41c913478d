#include "TestSupport.h"
#include "codes/CodeStore.h"
#include "codes/CodeTableModel.h"
#include "codes/TDLGaddText.h"
#include "codes/TDLGcodeNewXZ.h"
#include "codes/TDLGeditCurList.h"
#include "codes/TFrmCodeMan.h"
#include "data/DataModule.h"
#include "grid/DataGrid.h"
#include "support/Messages.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>

namespace {

void click(QWidget *parent, const char *name)
{
    QAbstractButton *b = child<QAbstractButton>(parent, name);
    QVERIFY2(b->isEnabled(), name);
    QTest::mouseClick(b, Qt::LeftButton);
}

QStringList storedNames(const QString &key)
{
    QStringList out;
    QSqlQuery q;
    DataModule::OpenSql(
        QStringLiteral("select F_name from t_code where F_type = ? order by F_ID"), q, QVariantList { key });
    while (q.next())
        out << q.value(0).toString();
    return out;
}

QStringList items(QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

} // namespace

class TestCodes : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void tabShowsItsType_data();
    void tabShowsItsType();
    void addedRowsTakeTheActiveTabsKey_data();
    void addedRowsTakeTheActiveTabsKey();
    void editRenamesInPlace();
    void cancelDropsEveryCachedChange();
    void escapeCancelsThenCloses();
    void downPastLastRowAppends();
    void overLongNameIsRefusedAndKept();
    void emptyListRefusesEditAndDelete();
    void deleteAsksWithCaptionAndName();
    void refreshShowsRowsWrittenElsewhere();
    void printShowsAPreview();

    void pickAddsValueIntoTheCombo();
    void cancelledPickKeepsTheAddedValue();
    void pickStartsOnTheCombosValue();
    void sameNameTwiceIsOfferedOnce();
    void pickHidesEmptyNamesUntilSearched();
    void searchTakesWildcardsLiterally();
    void enterInGridPicks();
    void addTextRefuses_data();
    void addTextRefuses();
    void editCurListAnswers_data();
    void editCurListAnswers();

private:
    static QTableView *grid(TFrmCodeMan &f) { return child<QTableView>(&f, "DBGrid1"); }
    // Types text into the grid's cell editor for the row, as a user would.
    static void typeInCell(TFrmCodeMan &f, int row, const QString &text)
    {
        QTableView *g = grid(f);
        const QModelIndex i = g->model()->index(row, 0);
        g->setCurrentIndex(i);
        g->edit(i);
        QLineEdit *editor = openEditor(f);
        QVERIFY(editor);
        editor->setText(text);
    }
    // The cell editor in use; closed ones linger hidden until deleted.
    static QLineEdit *openEditor(TFrmCodeMan &f)
    {
        for (QLineEdit *e : grid(f)->viewport()->findChildren<QLineEdit *>())
            if (!e->isHidden())
                return e;
        return nullptr;
    }
    // Shortcuts and keys reach only a shown, active window.
    static void showActive(TFrmCodeMan &f)
    {
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
    }
    static QStringList shown(TFrmCodeMan &f)
    {
        QStringList out;
        for (int r = 0; r < f.model()->rowCount(); ++r)
            out << f.model()->name(r);
        return out;
    }
    static int tabOf(const QString &key)
    {
        const QList<CodeType> &t = CodeStore::managedTypes();
        for (int i = 0; i < t.size(); ++i)
            if (t.at(i).key == key)
                return i;
        return -1;
    }

    std::unique_ptr<TestHome> m_home;
};

void TestCodes::init()
{
    m_home = std::make_unique<TestHome>();
}

void TestCodes::cleanup()
{
    m_home.reset();
}

void TestCodes::tabShowsItsType_data()
{
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("caption");
    QTest::newRow("first") << "thzguanxi"
                           << "hzguanxi" << QStringLiteral("与户主关系");
    QTest::newRow("blood") << "txx"
                           << "xx" << QStringLiteral(" 血    型 ");
    QTest::newRow("skills") << "tJNtechang"
                            << "JNtechang" << QStringLiteral(" 技能特长 ");
    QTest::newRow("last") << "tabSheet1"
                          << "abSheet1" << QStringLiteral(" 特殊字符 ");
}

void TestCodes::tabShowsItsType()
{
    QFETCH(QString, tab);
    QFETCH(QString, key);
    QFETCH(QString, caption);
    TFrmCodeMan f;
    QCOMPARE(f.currentKey(), QStringLiteral("hzguanxi"));
    click(&f, tab.toLatin1());
    QCOMPARE(f.currentKey(), key);
    QCOMPARE(grid(f)->model()->headerData(0, Qt::Horizontal).toString(), caption);
    QCOMPARE(shown(f), storedNames(key));
    QVERIFY(!shown(f).isEmpty());
}

void TestCodes::addedRowsTakeTheActiveTabsKey_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "minzu" << QStringLiteral("基诺族");
    QTest::newRow("quotes") << "work" << QStringLiteral("O'Neil \"经理\"");
    QTest::newRow("emoji") << "tsmem" << QStringLiteral("退伍军人🎖️");
    QTest::newRow("padded") << "hktype" << QStringLiteral("  集体户  ");
    QTest::newRow("empty") << "empname" << QString();
}

void TestCodes::addedRowsTakeTheActiveTabsKey()
{
    QFETCH(QString, key);
    QFETCH(QString, name);
    MessageRecorder rec;
    TFrmCodeMan f;
    f.activateTab(tabOf(key));
    const QStringList before = storedNames(key);

    click(&f, "tbNew");
    QVERIFY(f.isEditing());
    for (const char *off : { "tbNew", "tbEdit", "tbDel", "tbExit", "tbRefresh", "tbPrint" })
        QVERIFY2(!child<QToolButton>(&f, off)->isEnabled(), off);
    QVERIFY(!child<QWidget>(&f, "PageControl1")->isEnabled());
    QVERIFY(child<QToolButton>(&f, "tbSave")->isEnabled());
    // the new row's editor is open; the name is still being typed at "保存"
    QLineEdit *editor = openEditor(f);
    QVERIFY(editor);
    editor->setText(name);
    click(&f, "tbSave");

    QVERIFY(rec.messages.isEmpty());
    QVERIFY(!f.isEditing());
    QVERIFY(child<QToolButton>(&f, "tbNew")->isEnabled());
    QVERIFY(!child<QToolButton>(&f, "tbSave")->isEnabled());
    QCOMPARE(storedNames(key), before + QStringList { name.trimmed() });
    QCOMPARE(shown(f), storedNames(key));
}

void TestCodes::editRenamesInPlace()
{
    MessageRecorder rec;
    TFrmCodeMan f;
    showActive(f);
    f.activateTab(tabOf(QStringLiteral("xx")));
    const QStringList before = storedNames(QStringLiteral("xx"));
    QVERIFY(before.size() >= 2);

    QTest::keyClick(&f, Qt::Key_E, Qt::ControlModifier);
    QVERIFY(f.isEditing());
    typeInCell(f, 1, QStringLiteral("RH阴性"));
    grid(f)->setCurrentIndex(grid(f)->model()->index(0, 0)); // leaving the cell takes the text in
    // further rows may be appended while editing
    QTest::keyClick(grid(f), Qt::Key_Insert);
    typeInCell(f, before.size(), QStringLiteral("稀有血型"));
    QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);

    QVERIFY(!f.isEditing());
    QStringList expected = before;
    expected[1] = QStringLiteral("RH阴性");
    expected << QStringLiteral("稀有血型");
    QCOMPARE(storedNames(QStringLiteral("xx")), expected);
}

void TestCodes::cancelDropsEveryCachedChange()
{
    MessageRecorder rec;
    TFrmCodeMan f;
    const QStringList before = storedNames(QStringLiteral("hzguanxi"));
    click(&f, "tbEdit");
    typeInCell(f, 0, QStringLiteral("改过的"));
    grid(f)->setCurrentIndex(grid(f)->model()->index(1, 0));
    QTest::keyClick(grid(f), Qt::Key_Insert);
    typeInCell(f, before.size(), QStringLiteral("还在输入"));
    click(&f, "tbCancel");

    QVERIFY(!f.isEditing());
    QCOMPARE(storedNames(QStringLiteral("hzguanxi")), before);
    QCOMPARE(shown(f), before);
    QVERIFY(child<QWidget>(&f, "PageControl1")->isEnabled());
}

void TestCodes::escapeCancelsThenCloses()
{
    MessageRecorder rec;
    TFrmCodeMan f;
    showActive(f);
    const QStringList before = storedNames(QStringLiteral("hzguanxi"));
    click(&f, "tbNew");
    QLineEdit *editor = openEditor(f);
    QVERIFY(editor);
    editor->setText(QStringLiteral("不要"));
    grid(f)->setCurrentIndex(grid(f)->model()->index(0, 0));
    QTest::keyClick(&f, Qt::Key_Escape);
    QVERIFY(!f.isEditing());
    QVERIFY(f.isVisible());
    QCOMPARE(storedNames(QStringLiteral("hzguanxi")), before);
    QTest::keyClick(&f, Qt::Key_Escape);
    QVERIFY(!f.isVisible());
}

void TestCodes::downPastLastRowAppends()
{
    MessageRecorder rec;
    TFrmCodeMan f;
    f.activateTab(tabOf(QStringLiteral("bymem")));
    const int rows = f.model()->rowCount();
    click(&f, "tbEdit");
    grid(f)->setCurrentIndex(grid(f)->model()->index(rows - 1, 0));
    QTest::keyClick(grid(f), Qt::Key_Down);
    QCOMPARE(f.model()->rowCount(), rows + 1);
    // an untouched new row is not followed by another
    QTest::keyClick(grid(f), Qt::Key_Down);
    QCOMPARE(f.model()->rowCount(), rows + 1);
    typeInCell(f, rows, QStringLiteral("预备役"));
    grid(f)->setCurrentIndex(grid(f)->model()->index(0, 0));
    click(&f, "tbSave");
    QCOMPARE(storedNames(QStringLiteral("bymem")).last(), QStringLiteral("预备役"));
}

void TestCodes::overLongNameIsRefusedAndKept()
{
    MessageRecorder rec;
    TFrmCodeMan f;
    const QStringList before = storedNames(QStringLiteral("hzguanxi"));
    const QString tooLong = QString(CodeStore::nameLimit(), QChar(0x6C49)) + QStringLiteral("😀");
    click(&f, "tbEdit");
    typeInCell(f, 2, QStringLiteral("外甥"));
    grid(f)->setCurrentIndex(grid(f)->model()->index(0, 0));
    QTest::keyClick(grid(f), Qt::Key_Insert);
    typeInCell(f, before.size(), tooLong);
    click(&f, "tbSave");

    QCOMPARE(rec.texts(), QStringList { QStringLiteral("名称不能超过255个字符！") });
    QCOMPARE(rec.messages.first().kind, int(MessInfo));
    QVERIFY(f.isEditing());
    QCOMPARE(storedNames(QStringLiteral("hzguanxi")), before); // not even the valid rename
    QCOMPARE(f.model()->name(before.size()), tooLong);
    QCOMPARE(grid(f)->currentIndex().row(), int(before.size()));

    // exactly at the limit (an emoji is one character) is accepted
    const QString atLimit = QString(CodeStore::nameLimit() - 1, QChar(0x6C49)) + QStringLiteral("😀");
    typeInCell(f, before.size(), atLimit);
    grid(f)->setCurrentIndex(grid(f)->model()->index(0, 0));
    click(&f, "tbSave");
    QVERIFY(!f.isEditing());
    QCOMPARE(storedNames(QStringLiteral("hzguanxi")).last(), atLimit);
    QCOMPARE(storedNames(QStringLiteral("hzguanxi")).at(2), QStringLiteral("外甥"));
}

void TestCodes::emptyListRefusesEditAndDelete()
{
    MessageRecorder rec;
    TFrmCodeMan f;
    f.activateTab(tabOf(QStringLiteral("empname")));
    QCOMPARE(f.model()->rowCount(), 0);
    click(&f, "tbEdit");
    QVERIFY(!f.isEditing());
    click(&f, "tbDel");
    QCOMPARE(rec.texts(),
        (QStringList { QStringLiteral("此表为空，没有记录需要修改！"), QStringLiteral("此表是空表，不需要删除！") }));
    QCOMPARE(rec.messages.at(0).kind, int(MessError));
    QCOMPARE(rec.messages.at(1).kind, int(MessInfo));
}

void TestCodes::deleteAsksWithCaptionAndName()
{
    MessageRecorder rec;
    TFrmCodeMan f;
    showActive(f);
    f.activateTab(tabOf(QStringLiteral("xx")));
    const QStringList before = storedNames(QStringLiteral("xx"));
    grid(f)->setCurrentIndex(grid(f)->model()->index(1, 0));
    const QString question = QStringLiteral("真的要删除 \" 血    型 \"") + before.at(1) + QStringLiteral("吗？");

    rec.answers << MessCancel;
    click(&f, "tbDel");
    QCOMPARE(rec.texts(), QStringList { question });
    QCOMPARE(rec.messages.first().kind, int(MessQuestion));
    QCOMPARE(storedNames(QStringLiteral("xx")), before);

    rec.clear();
    rec.answers << MessOk;
    grid(f)->setFocus();
    QTest::keyClick(grid(f), Qt::Key_Delete);
    QCOMPARE(rec.texts(), QStringList { question });
    QStringList expected = before;
    expected.removeAt(1);
    QCOMPARE(storedNames(QStringLiteral("xx")), expected);
    QCOMPARE(shown(f), expected);
}

void TestCodes::refreshShowsRowsWrittenElsewhere()
{
    TFrmCodeMan f;
    QVERIFY(CodeStore::add(QStringLiteral("hzguanxi"), QStringLiteral("测试关系")) > 0);
    QVERIFY(!shown(f).contains(QStringLiteral("测试关系")));
    click(&f, "tbRefresh");
    QCOMPARE(shown(f), storedNames(QStringLiteral("hzguanxi")));
}

void TestCodes::printShowsAPreview()
{
    TFrmCodeMan f;
    f.activateTab(tabOf(QStringLiteral("xx")));
    bool previewed = false;
    QTimer::singleShot(50, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w != &f && qobject_cast<QDialog *>(w)) {
                previewed = true;
                w->close();
            }
        }
    });
    click(&f, "tbPrint");
    QVERIFY(previewed);
}

void TestCodes::pickAddsValueIntoTheCombo()
{
    MessageRecorder rec;
    QComboBox combo;
    DataModule::FillItems(CodeStore::itemsSql(), &combo, QVariantList { QStringLiteral("awoketime") });
    const int before = combo.count();
    QString title;
    whenShown<TDLGcodeNewXZ>([&](TDLGcodeNewXZ *d) {
        title = d->windowTitle();
        whenShown<TDLGaddText>([](TDLGaddText *a) {
            child<QLineEdit>(a, "edtName")->setText(QStringLiteral("每月1日 '早'"));
            click(a, "btnOK");
        });
        click(d, "btnNew");
        click(d, "btnOK");
    });
    const QString picked
        = TDLGcodeNewXZ::pickCode(nullptr, QStringLiteral("awoketime"), QStringLiteral("提醒时间资料"), &combo);
    QCOMPARE(title, QStringLiteral("提醒时间资料"));
    QCOMPARE(picked, QStringLiteral("每月1日 '早'"));
    QCOMPARE(combo.count(), before + 1);
    QCOMPARE(combo.currentText(), picked);
    QCOMPARE(combo.itemText(0), QString()); // the empty choice stays first
    QVERIFY(storedNames(QStringLiteral("awoketime")).contains(picked));
    QVERIFY(rec.messages.isEmpty());
}

void TestCodes::cancelledPickKeepsTheAddedValue()
{
    QComboBox combo;
    DataModule::FillItems(CodeStore::itemsSql(), &combo, QVariantList { QStringLiteral("txcaption") });
    combo.setCurrentIndex(1);
    whenShown<TDLGcodeNewXZ>([](TDLGcodeNewXZ *d) {
        whenShown<TDLGaddText>([](TDLGaddText *a) {
            child<QLineEdit>(a, "edtName")->setText(QStringLiteral("走访"));
            click(a, "btnOK");
        });
        click(d, "btnNew");
        QTest::keyClick(d, Qt::Key_Escape);
    });
    TDLGcodeNewXZ dlg;
    dlg.setCodeType(QStringLiteral("txcaption"));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("基础代码选择"));
    QCOMPARE(dlg.pick(&combo), QString());
    QVERIFY(storedNames(QStringLiteral("txcaption")).contains(QStringLiteral("走访")));
    QVERIFY(items(&combo).contains(QStringLiteral("走访")));
    QCOMPARE(combo.currentIndex(), 0); // the list was refilled, its selection lost
}

void TestCodes::pickStartsOnTheCombosValue()
{
    QComboBox combo;
    DataModule::FillItems(CodeStore::itemsSql(), &combo, QVariantList { QStringLiteral("xx") });
    const QString wanted = combo.itemText(3);
    combo.setCurrentIndex(3);
    combo.setCurrentIndex(0);
    combo.setEditable(true);
    combo.setEditText(wanted);
    whenShown<TDLGcodeNewXZ>([](TDLGcodeNewXZ *d) { click(d, "btnOK"); });
    QCOMPARE(TDLGcodeNewXZ::pickCode(nullptr, QStringLiteral("xx"), QString(), &combo), wanted);
    QCOMPARE(combo.currentIndex(), 3);
}

void TestCodes::sameNameTwiceIsOfferedOnce()
{
    QComboBox combo;
    DataModule::FillItems(CodeStore::itemsSql(), &combo, QVariantList { QStringLiteral("xx") });
    const QString existing = combo.itemText(1);
    whenShown<TDLGcodeNewXZ>([&](TDLGcodeNewXZ *d) {
        whenShown<TDLGaddText>([&](TDLGaddText *a) {
            child<QLineEdit>(a, "edtName")->setText(existing);
            click(a, "btnOK");
        });
        click(d, "btnNew");
        click(d, "btnOK");
    });
    QCOMPARE(TDLGcodeNewXZ::pickCode(nullptr, QStringLiteral("xx"), QString(), &combo), existing);
    QCOMPARE(storedNames(QStringLiteral("xx")).count(existing), 2);
    QCOMPARE(items(&combo).count(existing), 1);
    QCOMPARE(combo.currentText(), existing);
}

void TestCodes::pickHidesEmptyNamesUntilSearched()
{
    QVERIFY(CodeStore::add(QStringLiteral("jzmem"), QString()) > 0);
    const int stored = storedNames(QStringLiteral("jzmem")).size();
    int opened = -1;
    int searched = -1;
    whenShown<TDLGcodeNewXZ>([&](TDLGcodeNewXZ *d) {
        opened = child<DataGrid>(d, "DBGrid1")->rowModel()->rowCount();
        click(d, "btnFind");
        searched = child<DataGrid>(d, "DBGrid1")->rowModel()->rowCount();
        click(d, "btnClose");
    });
    QComboBox combo;
    QCOMPARE(TDLGcodeNewXZ::pickCode(nullptr, QStringLiteral("jzmem"), QString(), &combo), QString());
    QCOMPARE(opened, stored - 1);
    QCOMPARE(searched, stored);
}

void TestCodes::searchTakesWildcardsLiterally()
{
    QVERIFY(CodeStore::add(QStringLiteral("mtmem"), QStringLiteral("100%自理")) > 0);
    QVERIFY(CodeStore::add(QStringLiteral("mtmem"), QStringLiteral("1000元")) > 0);
    QStringList found;
    whenShown<TDLGcodeNewXZ>([&](TDLGcodeNewXZ *d) {
        QTest::keyClicks(child<QLineEdit>(d, "edtname"), QStringLiteral("0%"));
        const SqlRowModel *rows = child<DataGrid>(d, "DBGrid1")->rowModel();
        for (int r = 0; r < rows->rowCount(); ++r)
            found << rows->value(r, QStringLiteral("F_name")).toString();
        click(d, "btnClose");
    });
    TDLGcodeNewXZ::pickCode(nullptr, QStringLiteral("mtmem"), QString(), nullptr);
    QCOMPARE(found, QStringList { QStringLiteral("100%自理") });
}

void TestCodes::enterInGridPicks()
{
    QComboBox combo;
    DataModule::FillItems(CodeStore::itemsSql(), &combo, QVariantList { QStringLiteral("minzu") });
    QString expected;
    whenShown<TDLGcodeNewXZ>([&](TDLGcodeNewXZ *d) {
        auto *g = child<DataGrid>(d, "DBGrid1");
        g->setCurrentRow(2);
        expected = g->currentValue(QStringLiteral("F_name")).toString();
        QTest::keyClick(g, Qt::Key_Return);
    });
    QCOMPARE(TDLGcodeNewXZ::pickCode(nullptr, QStringLiteral("minzu"), QString(), &combo), expected);
    QCOMPARE(combo.currentText(), expected);
}

void TestCodes::addTextRefuses_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QString() << QStringLiteral("名称不能为空！");
    QTest::newRow("blanks") << QStringLiteral("   ") << QStringLiteral("名称不能为空！");
    QTest::newRow("too long") << QString(256, QLatin1Char('x')) << QStringLiteral("名称不能超过255个字符！");
}

void TestCodes::addTextRefuses()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);
    MessageRecorder rec;
    bool stillOpen = false;
    whenShown<TDLGaddText>([&](TDLGaddText *a) {
        child<QLineEdit>(a, "edtName")->setText(typed);
        click(a, "btnOK");
        stillOpen = a->isVisible();
        click(a, "btnClose");
    });
    QString name = QStringLiteral("unchanged");
    QVERIFY(!TDLGaddText::ask(nullptr, &name, CodeStore::nameLimit()));
    QVERIFY(stillOpen);
    QCOMPARE(rec.texts(), QStringList { message });
    QCOMPARE(rec.messages.first().kind, int(MessInfo));
    QCOMPARE(name, QStringLiteral("unchanged"));
}

void TestCodes::editCurListAnswers_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ok") << "btnOK" << QStringLiteral(" 一号楼 ");
    QTest::newRow("cancel") << "btnCancel" << QString();
}

void TestCodes::editCurListAnswers()
{
    QFETCH(QString, button);
    QFETCH(QString, expected);
    QString title;
    whenShown<TDLGeditCurList>([&](TDLGeditCurList *d) {
        title = d->windowTitle();
        child<QLineEdit>(d, "edtCurValue")->setText(QStringLiteral(" 一号楼 "));
        click(d, button.toLatin1());
    });
    QCOMPARE(TDLGeditCurList::ask(nullptr), expected);
    QCOMPARE(title, QStringLiteral("批量修改当前列"));
}

QTEST_MAIN(TestCodes)
#include "tst_codes.moc"
