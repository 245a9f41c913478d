#include "TFrmMain.h"

#include "ui_TFrmMain.h"

#include "app/IniFile.h"
#include "app/Startup.h"
#include "auth/LoginDialog.h"
#include "auth/Permissions.h"
#include "data/DataModule.h"
#include "data/RunValues.h"
#include "support/Messages.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>

namespace {
const QString kClockFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");
}

TFrmMain::TFrmMain(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::TFrmMain)
{
    ui->setupUi(this);
    setWindowTitle(Run::AppTitle);

    const QStringList initial = {QStringLiteral(" 当前用户"), QString(), QStringLiteral(" 当前日期时间"), QString(),
                                 Run::AppTitle};
    const int widths[] = {70, 120, 100, 160, 0};
    for (int i = 0; i < 5; ++i) {
        auto *l = new QLabel(initial.at(i), this);
        l->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        if (widths[i] > 0)
            l->setMinimumWidth(widths[i]);
        if (i == 4) {
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            ui->StatusBar1->addPermanentWidget(l, 1);
        } else {
            ui->StatusBar1->addWidget(l);
        }
        m_panels << l;
    }
    createActions();

    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &TFrmMain::updateClock);
    m_clock->start();
}

TFrmMain::~TFrmMain()
{
    delete ui;
}

QAction *TFrmMain::addAction(const QString &name, const QString &caption, QMenu *menu)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(name);
    if (menu)
        menu->addAction(a);
    connect(a, &QAction::triggered, this, [this, name] { runAction(name); });
    return a;
}

void TFrmMain::createActions()
{
    QHash<QString, QMenu *> menus = {{QStringLiteral("mi100"), ui->mi100}, {QStringLiteral("mi200"), ui->mi200},
                                     {QStringLiteral("mi300"), ui->mi300}, {QStringLiteral("mi400"), ui->mi400},
                                     {QStringLiteral("mi500"), ui->mi500}};
    for (const Permissions::Entry &e : Permissions::catalogue())
        addAction(QStringLiteral("Action") + e.code, e.caption, menus.value(e.menu));

    ui->mi100->addSeparator();
    QAction *reloginAct = addAction(QStringLiteral("actRelogin"), QStringLiteral("重新登录"), ui->mi100);
    QAction *exitAct = addAction(QStringLiteral("actExit"), QStringLiteral("退出系统"), ui->mi100);
    Q_UNUSED(exitAct);

    // resident commands that follow 201–206 and 301
    const QStringList mainCaptions = {QStringLiteral("新增"), QStringLiteral("修改"), QStringLiteral("删除"),
                                      QStringLiteral("排序..."), QStringLiteral("显示字段选择"), QStringLiteral("保存当前网格")};
    for (int i = 0; i < mainCaptions.size(); ++i)
        addAction(QStringLiteral("Action90%1").arg(i + 1), mainCaptions.at(i), nullptr);
    addAction(QStringLiteral("Action31"), QStringLiteral("导出"), nullptr);

    QAction *tbRelogin = addAction(QStringLiteral("tbRelogin"), QStringLiteral("重新登录"), nullptr);
    ui->ToolBar1->addAction(action(QStringLiteral("Action901")));
    ui->ToolBar1->addAction(action(QStringLiteral("Action902")));
    ui->ToolBar1->addAction(action(QStringLiteral("Action903")));
    ui->ToolBar1->addSeparator();
    ui->ToolBar1->addAction(tbRelogin);
    QAction *tbClose = addAction(QStringLiteral("tbClose"), QStringLiteral("关闭"), nullptr);
    ui->ToolBar1->addAction(tbClose);

    m_handlers.insert(QStringLiteral("actRelogin"), [this] { relogin(false); });
    m_handlers.insert(QStringLiteral("tbRelogin"), [this] { relogin(true); });
    m_handlers.insert(QStringLiteral("actExit"), [this] { close(); });
    m_handlers.insert(QStringLiteral("tbClose"), [this] { close(); });
    m_handlers.insert(QStringLiteral("Action505"), [this] { Startup::chooseDatabaseLocation(this); });
    Q_UNUSED(reloginAct);
}

QAction *TFrmMain::action(const QString &objectName) const
{
    return findChild<QAction *>(objectName);
}

void TFrmMain::runAction(const QString &name)
{
    QAction *a = action(name);
    if (a && !a->isVisible())
        return;
    const auto it = m_handlers.constFind(name);
    if (it != m_handlers.constEnd())
        (*it)();
    else
        ShowMess(QStringLiteral("此功能尚未完成"), MessInfo);
}

void TFrmMain::setStatusPanel(int index, const QString &text)
{
    if (index >= 0 && index < m_panels.size())
        m_panels.at(index)->setText(text);
}

QString TFrmMain::statusPanel(int index) const
{
    return index >= 0 && index < m_panels.size() ? m_panels.at(index)->text() : QString();
}

void TFrmMain::updateClock()
{
    setStatusPanel(3, QLatin1Char(' ') + QDateTime::currentDateTime().toString(kClockFormat));
}

void TFrmMain::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (!m_shown)
        firstShow();
}

void TFrmMain::firstShow()
{
    if (m_shown)
        return;
    m_shown = true;
    // Dates are always shown and compared as yyyy-MM-dd, whatever the locale says.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    setWindowTitle(Run::ProductTitle + Run::ProductVersion);
    setStatusPanel(1, QLatin1Char(' ') + Run::CurrentOperator);
    updateClock();

    const int ibak = appConfig().readInteger(QStringLiteral("config"), QStringLiteral("ibak"), 0);
    const QDate today = QDate::currentDate();
    if (ibak == 1 || (ibak == 2 && today.dayOfWeek() == Qt::Monday) || (ibak == 3 && today.day() == 1))
        DataModule::AutoBackup();
    emit listRebuildRequested();
}

void TFrmMain::relogin(bool fromToolbar)
{
    ShowLogin(LoginDialog::ChangeOperator, this);
    if (fromToolbar)
        emit listRebuildRequested();
}

void TFrmMain::closeEvent(QCloseEvent *e)
{
    if (ShowMess(QStringLiteral("真的要退出“") + Run::ProductTitle + QStringLiteral("”软件吗？"), MessQuestion) == MessOk)
        e->accept();
    else
        e->ignore();
}

void TFrmMain::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(e);
}
