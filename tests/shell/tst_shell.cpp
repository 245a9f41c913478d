#include "TestSupport.h"
#include "app/AppPaths.h"
#include "auth/LoginDialog.h"
#include "data/DataModule.h"
#include "data/Database.h"
#include "data/RunValues.h"
#include "mainwin/TFrmMain.h"
#include "support/Messages.h"
#include "support/Passwords.h"

#include <QAction>
#include <QLabel>
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

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
