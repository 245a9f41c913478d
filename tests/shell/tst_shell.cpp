#include "TestSupport.h"
#include "app/AppPaths.h"
#include "auth/LoginDialog.h"
#include "data/DataModule.h"
#include "data/Database.h"
#include "data/RunValues.h"
#include "mainwin/TFrmMain.h"
#include "mainwin/ResidentListPanel.h"
#include "grid/DataGrid.h"
#include "grid/SqlRowModel.h"
#include "residents/TfrmHKbiangeEdit.h"
#include "reports/Reports.h"
#include "reports/ReportDataSet.h"
#include "support/Messages.h"
#include "support/Passwords.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

class TestShell : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_home = std::make_unique<TestHome>();
        Run::CurrentOperator = QStringLiteral("admin");
    }
    void cleanup() { m_home.reset(); }

    void menusInOrder_data();
    void menusInOrder();
    void toolbarInOrder();
    void viewToggles();
    void keysRunVisibleCommandsOnly();
    void keysLeaveTextBoxesAlone();
    void unfinishedCommandSaysSo();
    void clearEmptyRows();
    void compactionKeepsDataAndReconnects();
    void helpFilesMissingSaySo();
    void aboutBox();
    void toolsFindAProgramOrSaySo();
    void detailCommandsFollowThePage();
    void detailCommandsOnEmptyLists();
    void hiddenEditCommandIgnoresDoubleClick();
    void printActionsNeedResidents();
    void changeRecordRoundTripFromMainWindow();
    void addAndEditResidentFromMainWindow();
    void editAndCopyNeedResidents();
    void printedListReadsPhotosItDoesNotHold();

private:
    static QStringList captions(const QList<QAction *> &actions)
    {
        QStringList out;
        for (QAction *a : actions)
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }
    std::unique_ptr<TestHome> m_home;
};

void TestShell::menusInOrder_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("file") << "mi100" << "文件"
                          << QStringList{"社区信息", "更改密码", "用户权限", "-", "选项...", "自定义设置", "-", "重新登录", "退出系统"};
    QTest::newRow("edit") << "mi200" << "编辑"
                          << QStringList{"新增", "复制", "修改", "删除", "-", "家庭档案表", "救助对像簿", "居民通讯录", "-",
                                         "排序...", "导出", "-", "显示字段选择", "保存当前网格"};
    QTest::newRow("output") << "mi300" << "输出"
                            << QStringList{"导出", "报表设计", "-", "当前户口详单", "当前户口列表", "当前户详单及户口变更",
                                           "户口登记表打印", "户口簿分类打印", "婚育状况证明表", "独生子女证明表",
                                           "申办户籍证明表", "人口死亡证明表", "贫困人口证明表", "低保人员证明表"};
    QTest::newRow("stat") << "mi400" << "统计"
                          << QStringList{"人口信息图表统计", "户口提醒", "-", "居民通讯录查询统计", "救助对象查询统计",
                                         "社区人口统计列表", "新增人口查询统计", "死亡人口查询统计", "迁入人口查询统计",
                                         "迁出人口查询统计", "户口注销查询统计", "家庭信息统计列表"};
    QTest::newRow("data") << "mi500" << "数据"
                          << QStringList{"导入户口资料", "清空户口空行", "系统数据清理", "数据备份恢复", "-",
                                         "压缩修复数据库", "连接网络数据库"};
    QTest::newRow("view") << "N9" << "视图" << QStringList{"工具栏", "导航树", "状态栏"};
    QTest::newRow("tools") << "N45" << "工具" << QStringList{"计算器", "笔记本"};
    QTest::newRow("help") << "nFz" << "帮助"
                          << QStringList{"帮助文件", "每日一贴", "常见问题", "-", "自述文件", "最新功能", "-", "关于我们",
                                         "浏览作者的网站"};
}

void TestShell::menusInOrder()
{
    QFETCH(QString, menu);
    QFETCH(QString, title);
    QFETCH(QStringList, items);
    TFrmMain main;
    QMenu *m = main.findChild<QMenu *>(menu);
    QVERIFY(m);
    QCOMPARE(m->title(), title);
    QCOMPARE(captions(m->actions()), items);
    if (menu == QLatin1String("nFz")) // the daily tip is there but hidden
        QVERIFY(!m->actions().at(1)->isVisible());
}

void TestShell::toolbarInOrder()
{
    TFrmMain main;
    auto *tb = main.findChild<QToolBar *>(QStringLiteral("ToolBar1"));
    QStringList got = captions(tb->actions());
    // the print drop-down is a widget in the bar
    const int printAt = got.indexOf(QString());
    QVERIFY(printAt > 0);
    got[printAt] = QStringLiteral("打印");
    QCOMPARE(got, (QStringList{"重新登录", "-", "家庭档案", "救助对像", "通讯录", "-", "新增", "复制", "修改", "删除", "-",
                               "户口提醒", "排序", "打印", "-", "关闭"}));
    auto *print = main.findChild<QToolButton *>(QStringLiteral("tbPrint"));
    QCOMPARE(print->menu()->actions().size(), 11);
    QCOMPARE(print->menu()->actions().first()->objectName(), QStringLiteral("Action303"));
}

void TestShell::viewToggles()
{
    TFrmMain main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    for (const char *name : {"actViewToolbar", "actViewStatus", "actViewTree"})
        QVERIFY(main.findChild<QAction *>(QString::fromLatin1(name))->isChecked());
    main.findChild<QAction *>(QStringLiteral("actViewToolbar"))->trigger();
    QVERIFY(!main.findChild<QToolBar *>(QStringLiteral("ToolBar1"))->isVisible());
    main.findChild<QAction *>(QStringLiteral("actViewStatus"))->trigger();
    QVERIFY(!main.statusBar()->isVisible());
    main.findChild<QAction *>(QStringLiteral("actViewStatus"))->trigger();
    QVERIFY(main.statusBar()->isVisible());
    MessageRecorder rec;
    rec.answers = {MessOk};
    main.close();
}

void TestShell::keysRunVisibleCommandsOnly()
{
    TFrmMain main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    int runs = 0;
    main.setActionHandler(QStringLiteral("Action202"), [&] { ++runs; });
    main.setActionHandler(QStringLiteral("Action203"), [&] { runs += 10; });
    main.activateWindow();
    QTest::keyClick(&main, Qt::Key_E, Qt::ControlModifier);
    QTest::keyClick(&main, Qt::Key_Delete);
    QTest::keyClick(&main, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(runs, 21);
    main.action(QStringLiteral("Action202"))->setVisible(false);
    QTest::keyClick(&main, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(runs, 21);
    MessageRecorder rec;
    main.close();
}

void TestShell::keysLeaveTextBoxesAlone()
{
    TFrmMain main;
    auto *edit = new QLineEdit(&main);
    main.setCentralWidget(edit);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    int runs = 0;
    main.setActionHandler(QStringLiteral("Action203"), [&] { ++runs; });
    edit->setFocus();
    edit->setText(QStringLiteral("张三"));
    edit->setCursorPosition(0);
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(edit->text(), QStringLiteral("三"));
    QCOMPARE(runs, 0);
    MessageRecorder rec;
    main.close();
}

void TestShell::unfinishedCommandSaysSo()
{
    TFrmMain main;
    MessageRecorder rec;
    main.action(QStringLiteral("Action401"))->trigger();
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("此功能尚未完成")});
}

void TestShell::clearEmptyRows()
{
    DataModule::ExecSql(QStringLiteral("insert into ZuZav(F_Code,F_Name) values('',''),('','张三'),('00000001',''),('','')"));
    TFrmMain main;
    QSignalSpy rebuilt(&main, &TFrmMain::listRebuildRequested);
    main.findChild<QAction *>(QStringLiteral("actClearEmpty"))->trigger();
    QCOMPARE(DataModule::QueryInteger(QStringLiteral("select count(*) from ZuZav")), 2);
    QCOMPARE(rebuilt.count(), 1);
}

void TestShell::compactionKeepsDataAndReconnects()
{
    DataModule::ExecSql(QStringLiteral("insert into ZuZav(F_Code,F_Name) values('00000001','李四')"));
    DataModule::ExecSql(QStringLiteral("create table junk(x); "));
    DataModule::ExecSql(QStringLiteral("insert into junk select randomblob(1000) from ZuZav, t_code, t_code limit 3000"));
    DataModule::ExecSql(QStringLiteral("drop table junk"));
    const qint64 before = QFileInfo(Database::filePath()).size();
    TFrmMain main;
    MessageRecorder rec;
    main.action(QStringLiteral("Action504"))->trigger();
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("压缩数据库成功！")});
    QVERIFY(Database::isOpen());
    QVERIFY(QFileInfo(Database::filePath()).size() < before);
    QCOMPARE(DataModule::QueryText(QStringLiteral("select F_Name from ZuZav")), QStringLiteral("李四"));
}

void TestShell::helpFilesMissingSaySo()
{
    TFrmMain main;
    MessageRecorder rec;
    main.findChild<QAction *>(QStringLiteral("actReadme"))->trigger();
    QCOMPARE(rec.messages.size(), 1);
    QVERIFY(rec.messages.first().text.contains(QStringLiteral("help/readme.txt")));
}

void TestShell::aboutBox()
{
    TFrmMain main;
    QTimer::singleShot(50, [] {
        QWidget *w = QApplication::activeModalWidget();
        QVERIFY(w);
        QCOMPARE(w->objectName(), QStringLiteral("TfrmAbout"));
        QVERIFY(w->findChild<QLabel *>(QStringLiteral("lblTitle"))->text().contains(QStringLiteral("岚舟户口管理软件")));
        QTest::keyClick(w, Qt::Key_Escape);
    });
    main.findChild<QAction *>(QStringLiteral("actAbout"))->trigger();
}

void TestShell::toolsFindAProgramOrSaySo()
{
    // with an empty PATH no calculator can be found
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray("/nonexistent"));
    TFrmMain main;
    MessageRecorder rec;
    main.findChild<QAction *>(QStringLiteral("actCalc"))->trigger();
    main.findChild<QAction *>(QStringLiteral("actNotepad"))->trigger();
    qputenv("PATH", path);
    QCOMPARE(rec.messages.size(), 2);
    QVERIFY(rec.messages.at(0).text.contains(QStringLiteral("计算器")));
    QVERIFY(rec.messages.at(1).text.contains(QStringLiteral("文本编辑器")));
}

static void pickPage(TFrmMain &main, int row)
{
    main.findChild<QListWidget *>(QStringLiteral("ListView1"))->setCurrentRow(row);
}

void TestShell::detailCommandsFollowThePage()
{
    DataModule::ExecSql(QStringLiteral("insert into ZuZav(F_mainID,F_Code,F_Name) values(1,'00000001','赵一')"));
    DataModule::ExecSql(QStringLiteral("insert into t_BGrec(F_mainID,F_Date,F_BGtype) values(1,'2024-05-01','迁入')"));
    TFrmMain main;
    main.firstShow();
    MessageRecorder rec;
    // before any page is picked: add does nothing, delete asks to pick a grid
    main.action(QStringLiteral("Action201"))->trigger();
    QVERIFY(rec.messages.isEmpty());
    main.action(QStringLiteral("Action203"))->trigger();
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("请点击一下相关的表格。")});

    // the family page: save-layout asks and saves under detail2 only
    rec.clear();
    pickPage(main, 2);
    rec.answers = {MessOk};
    main.action(QStringLiteral("Action206"))->trigger();
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("真的要保存当前网格设置吗？")});

    // change records: delete asks with the record's date; Cancel keeps it
    rec.clear();
    pickPage(main, 0);
    rec.answers = {MessCancel};
    main.action(QStringLiteral("Action203"))->trigger();
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("真的要删除当前变更日期为“2024-05-01”的户口变更记录吗？")});
    QCOMPARE(DataModule::QueryInteger(QStringLiteral("select count(*) from t_BGrec")), 1);
}

void TestShell::detailCommandsOnEmptyLists()
{
    TFrmMain main;
    main.firstShow();
    MessageRecorder rec;
    pickPage(main, 0);
    main.action(QStringLiteral("Action201"))->trigger();
    main.action(QStringLiteral("Action202"))->trigger();
    pickPage(main, 2);
    main.action(QStringLiteral("Action201"))->trigger();
    pickPage(main, 1);
    main.action(QStringLiteral("Action202"))->trigger();
    QCOMPARE(rec.texts(), (QStringList{QStringLiteral("请先选择要增加变更记录的户口！"),
                                       QStringLiteral("此表为空，没有户口变更记录需要修改！"),
                                       QStringLiteral("请先选择要增加提醒事务的户口！")}));
    QCOMPARE(rec.messages.at(1).kind, int(MessError));
}

void TestShell::hiddenEditCommandIgnoresDoubleClick()
{
    DataModule::ExecSql(QStringLiteral("insert into ZuZav(F_mainID,F_Code,F_Name) values(1,'00000001','赵一')"));
    TFrmMain main;
    main.firstShow();
    int edits = 0;
    main.setActionHandler(QStringLiteral("Action902"), [&] { ++edits; });
    emit main.listPanel()->residentDoubleClicked();
    QCOMPARE(edits, 1);
    main.action(QStringLiteral("Action902"))->setVisible(false);
    emit main.listPanel()->residentDoubleClicked();
    QCOMPARE(edits, 1);
}

void TestShell::printActionsNeedResidents()
{
    TFrmMain main;
    main.firstShow();
    QCOMPARE(main.listPanel()->rowCount(), 0);
    MessageRecorder rec;
    for (int code = 303; code <= 313; ++code)
        main.action(QStringLiteral("Action%1").arg(code))->trigger();
    QVERIFY(rec.messages.isEmpty());
    QVERIFY(!QApplication::activeModalWidget());
}

void TestShell::changeRecordRoundTripFromMainWindow()
{
    DataModule::ExecSql(QStringLiteral("insert into ZuZav(F_mainID,F_Code,F_Name,F_CSdate) values(5,'00000005','钱五','1980-02-03')"));
    TFrmMain main;
    main.firstShow();
    pickPage(main, 0);
    QTimer::singleShot(0, [] {
        auto *dlg = qobject_cast<TfrmHKbiangeEdit *>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        QVERIFY(dlg->findChild<QPlainTextEdit *>(QStringLiteral("Memo1"))->toPlainText().contains(QStringLiteral("  出生日期:1980-02-03")));
        dlg->findChild<QComboBox *>(QStringLiteral("cbbBGtype"))->setEditText(QStringLiteral("户主变更"));
        dlg->findChild<QCheckBox *>(QStringLiteral("cbContinue"))->setChecked(false);
        QTest::mouseClick(dlg->findChild<QPushButton *>(QStringLiteral("btnOk")), Qt::LeftButton);
    });
    main.action(QStringLiteral("Action201"))->trigger();
    QCOMPARE(DataModule::QueryInteger(QStringLiteral("select F_mainID from t_BGrec where F_BGtype = '户主变更'")), 5);
    QCOMPARE(main.listPanel()->detailModel1()->rowCount(), 1);
}

void TestShell::addAndEditResidentFromMainWindow()
{
    TFrmMain main;
    main.firstShow();
    QTimer::singleShot(0, [] {
        QWidget *dlg = QApplication::activeModalWidget();
        QVERIFY(dlg);
        QCOMPARE(dlg->objectName(), QStringLiteral("TfrmZuzavEdit"));
        dlg->findChild<QLineEdit *>(QStringLiteral("edtName"))->setText(QStringLiteral("孙新"));
        dlg->findChild<QCheckBox *>(QStringLiteral("CheckBox1"))->setChecked(false);
        QTest::mouseClick(dlg->findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    main.action(QStringLiteral("Action901"))->trigger();
    ResidentListPanel *list = main.listPanel();
    QCOMPARE(list->rowCount(), 1);
    QCOMPARE(list->currentValue(QStringLiteral("F_Name")).toString(), QStringLiteral("孙新"));
    QCOMPARE(list->countText().trimmed(), QStringLiteral("户口总数： 1 个"));

    QTimer::singleShot(0, [] {
        QWidget *dlg = QApplication::activeModalWidget();
        QVERIFY(dlg);
        QCOMPARE(dlg->findChild<QLineEdit *>(QStringLiteral("edtName"))->text(), QStringLiteral("孙新"));
        dlg->findChild<QLineEdit *>(QStringLiteral("edtName"))->setText(QStringLiteral("孙新民"));
        QTest::mouseClick(dlg->findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    emit list->residentDoubleClicked();
    QCOMPARE(list->currentValue(QStringLiteral("F_Name")).toString(), QStringLiteral("孙新民"));
    QCOMPARE(DataModule::QueryInteger(QStringLiteral("select count(*) from ZuZav")), 1);
}

void TestShell::editAndCopyNeedResidents()
{
    TFrmMain main;
    main.firstShow();
    MessageRecorder rec;
    main.action(QStringLiteral("Action902"))->trigger();
    main.action(QStringLiteral("Action207"))->trigger();
    QCOMPARE(rec.texts(), (QStringList{QStringLiteral("此表为空，没有客户记录需要修改！"), QStringLiteral("户口记录是空，不能复制！")}));
    QVERIFY(!QApplication::activeModalWidget());
}

void TestShell::printedListReadsPhotosItDoesNotHold()
{
    const QByteArray photo("\x89PNG fake bytes", 15);
    DataModule::ExecSql(QStringLiteral("insert into ZuZav(F_mainID,F_Code,F_Name,F_EmpImage,F_imagePath) values(1,'00000001','周一',?,'a.png')"),
                        QVariantList{photo});
    TFrmMain main;
    main.firstShow();
    ResidentListPanel *list = main.listPanel();
    QCOMPARE(list->listModel()->fieldIndex(QStringLiteral("F_EmpImage")), -1); // the list never loads photos
    Rpt::Report report;
    Reports::MainSources sources;
    sources.residents = list->listModel();
    sources.listSql = list->listSql();
    Reports::bindMainWindow(report, sources);
    auto ds = report.dataSet(QStringLiteral("frxMain"));
    QVERIFY(ds);
    const int field = ds->fieldIndex(QStringLiteral("F_EmpImage"));
    QVERIFY(field >= 0);
    QCOMPARE(ds->value(0, field).toByteArray(), photo);
    QCOMPARE(ds->value(0, ds->fieldIndex(QStringLiteral("F_Name"))).toString(), QStringLiteral("周一"));
}

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
