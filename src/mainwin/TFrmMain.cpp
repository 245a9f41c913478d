#include "TFrmMain.h"

#include "ui_TFrmMain.h"

#include "ResidentListPanel.h"
#include "TfrmAbout.h"
#include "auth/TfrmModPass.h"
#include "auth/TfrmOperGl.h"
#include "codes/TDLGcodeNewXZ.h"
#include "codes/TFrmCodeMan.h"
#include "residents/TfrmHKbiangeEdit.h"
#include "app/AppPaths.h"
#include "app/IniFile.h"
#include "app/Startup.h"
#include "auth/LoginDialog.h"
#include "auth/Permissions.h"
#include "data/DataModule.h"
#include "data/Database.h"
#include "data/RunValues.h"
#include "support/Compact.h"
#include "support/Messages.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QDesktopServices>
#include <QDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

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
    createMenus();
    createToolBar();
    createHandlers();
    createListPanel();
    qApp->installEventFilter(this);

    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &TFrmMain::updateClock);
    m_clock->start();
}

TFrmMain::~TFrmMain()
{
    qApp->removeEventFilter(this);
    delete ui;
}

QAction *TFrmMain::newAction(const QString &name, const QString &caption)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, [this, name] { runAction(name); });
    return a;
}

// The same command under another caption in one place: follows the source's
// visibility and runs the source.
QAction *TFrmMain::proxy(QAction *source, const QString &caption)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(source->objectName() + QStringLiteral("_as_") + caption);
    a->setIcon(source->icon());
    a->setVisible(source->isVisible());
    connect(source, &QAction::visibleChanged, a, [a, source] { a->setVisible(source->isVisible()); });
    connect(a, &QAction::triggered, source, &QAction::trigger);
    return a;
}

void TFrmMain::createActions()
{
    for (const Permissions::Entry &e : Permissions::catalogue())
        newAction(QStringLiteral("Action") + e.code, e.caption);
    const QStringList mainCaptions = {QStringLiteral("新增"), QStringLiteral("修改"), QStringLiteral("删除"),
                                      QStringLiteral("排序..."), QStringLiteral("显示字段选择"), QStringLiteral("保存当前网格")};
    for (int i = 0; i < mainCaptions.size(); ++i)
        newAction(QStringLiteral("Action90%1").arg(i + 1), mainCaptions.at(i));
    newAction(QStringLiteral("Action31"), QStringLiteral("导出"));
    newAction(QStringLiteral("actRelogin"), QStringLiteral("重新登录"));
    newAction(QStringLiteral("actExit"), QStringLiteral("退出系统"));
    newAction(QStringLiteral("actClearEmpty"), QStringLiteral("清空户口空行"));
    newAction(QStringLiteral("tbRelogin"), QStringLiteral("重新登录"));
    newAction(QStringLiteral("tbClose"), QStringLiteral("关闭"));
    newAction(QStringLiteral("actCalc"), QStringLiteral("计算器"));
    newAction(QStringLiteral("actNotepad"), QStringLiteral("笔记本"));
    newAction(QStringLiteral("actHelp"), QStringLiteral("帮助文件"));
    newAction(QStringLiteral("actTip"), QStringLiteral("每日一贴"))->setVisible(false);
    newAction(QStringLiteral("actFaq"), QStringLiteral("常见问题"));
    newAction(QStringLiteral("actReadme"), QStringLiteral("自述文件"));
    newAction(QStringLiteral("actWhatsNew"), QStringLiteral("最新功能"));
    newAction(QStringLiteral("actAbout"), QStringLiteral("关于我们"));
    newAction(QStringLiteral("actWebsite"), QStringLiteral("浏览作者的网站"));

    QStyle *s = style();
    const QList<QPair<const char *, QStyle::StandardPixmap>> icons = {
        {"Action901", QStyle::SP_FileIcon},           {"Action207", QStyle::SP_FileDialogNewFolder},
        {"Action902", QStyle::SP_FileDialogDetailedView}, {"Action903", QStyle::SP_TrashIcon},
        {"Action402", QStyle::SP_MessageBoxInformation}, {"Action904", QStyle::SP_ArrowDown},
        {"Action210", QStyle::SP_DirHomeIcon},        {"Action208", QStyle::SP_DialogHelpButton},
        {"Action209", QStyle::SP_DriveNetIcon},       {"tbRelogin", QStyle::SP_BrowserReload},
        {"tbClose", QStyle::SP_DialogCloseButton},    {"Action201", QStyle::SP_FileIcon},
        {"Action202", QStyle::SP_FileDialogDetailedView}, {"Action203", QStyle::SP_TrashIcon},
        {"Action204", QStyle::SP_ArrowDown},          {"Action301", QStyle::SP_DialogSaveButton},
        {"Action31", QStyle::SP_DialogSaveButton},
    };
    for (const auto &[name, pix] : icons)
        action(QString::fromLatin1(name))->setIcon(s->standardIcon(pix));
}

void TFrmMain::createMenus()
{
    auto add = [this](QMenu *m, const QStringList &items) {
        for (const QString &item : items) {
            if (item == QLatin1String("-"))
                m->addSeparator();
            else if (item.contains(QLatin1Char('=')))
                m->addAction(proxy(action(item.section(QLatin1Char('='), 0, 0)), item.section(QLatin1Char('='), 1)));
            else
                m->addAction(action(item));
        }
    };
    add(ui->mi100, {"Action101", "Action102", "Action103", "-", "Action104", "Action105", "-", "actRelogin", "actExit"});
    add(ui->mi200, {"Action901", "Action207", "Action902", "Action903", "-", "Action210=家庭档案表", "Action208", "Action209",
                    "-", "Action904", "Action31", "-", "Action905", "Action906"});
    add(ui->mi300, {"Action31", "Action302", "-", "Action303", "Action305", "Action304", "Action306", "Action307",
                    "Action308", "Action309", "Action310", "Action311", "Action312", "Action313"});
    add(ui->mi400, {"Action401", "Action402", "-", "Action403", "Action404", "Action405", "Action406", "Action407",
                    "Action408", "Action409", "Action410", "Action411"});
    add(ui->mi500, {"Action501", "actClearEmpty", "Action502", "Action503", "-", "Action504", "Action505"});

    auto toggle = [this](const QString &name, const QString &caption, std::function<void(bool)> apply) {
        auto *a = new QAction(caption, this);
        a->setObjectName(name);
        a->setCheckable(true);
        a->setChecked(true);
        connect(a, &QAction::toggled, this, std::move(apply));
        ui->N9->addAction(a);
    };
    toggle(QStringLiteral("actViewToolbar"), QStringLiteral("工具栏"), [this](bool on) { ui->ToolBar1->setVisible(on); });
    toggle(QStringLiteral("actViewTree"), QStringLiteral("导航树"), [this](bool on) {
        if (m_list)
            m_list->setTreePanelVisible(on);
    });
    toggle(QStringLiteral("actViewStatus"), QStringLiteral("状态栏"), [this](bool on) { ui->StatusBar1->setVisible(on); });

    add(ui->N45, {"actCalc", "actNotepad"});
    add(ui->nFz, {"actHelp", "actTip", "actFaq", "-", "actReadme", "actWhatsNew", "-", "actAbout", "actWebsite"});
}

void TFrmMain::createToolBar()
{
    QToolBar *tb = ui->ToolBar1;
    tb->addAction(action(QStringLiteral("tbRelogin")));
    tb->addSeparator();
    tb->addAction(proxy(action(QStringLiteral("Action210")), QStringLiteral("家庭档案")));
    tb->addAction(proxy(action(QStringLiteral("Action208")), QStringLiteral("救助对像")));
    tb->addAction(proxy(action(QStringLiteral("Action209")), QStringLiteral("通讯录")));
    tb->addSeparator();
    for (const char *n : {"Action901", "Action207", "Action902", "Action903"})
        tb->addAction(action(QString::fromLatin1(n)));
    tb->addSeparator();
    tb->addAction(action(QStringLiteral("Action402")));
    tb->addAction(proxy(action(QStringLiteral("Action904")), QStringLiteral("排序")));

    auto *printMenu = new QMenu(this);
    printMenu->setObjectName(QStringLiteral("pmPrint"));
    for (int code = 303; code <= 313; ++code)
        printMenu->addAction(action(QStringLiteral("Action%1").arg(code)));
    auto *printButton = new QToolButton(this);
    printButton->setObjectName(QStringLiteral("tbPrint"));
    printButton->setText(QStringLiteral("打印"));
    printButton->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    printButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    printButton->setPopupMode(QToolButton::InstantPopup);
    printButton->setMenu(printMenu);
    tb->addWidget(printButton);
    tb->addSeparator();
    tb->addAction(action(QStringLiteral("tbClose")));
}

void TFrmMain::createHandlers()
{
    m_handlers.insert(QStringLiteral("actRelogin"), [this] { relogin(false); });
    m_handlers.insert(QStringLiteral("tbRelogin"), [this] { relogin(true); });
    m_handlers.insert(QStringLiteral("actExit"), [this] { close(); });
    m_handlers.insert(QStringLiteral("tbClose"), [this] { close(); });
    m_handlers.insert(QStringLiteral("Action505"), [this] { Startup::chooseDatabaseLocation(this); });
    m_handlers.insert(QStringLiteral("Action504"), [this] { compactDatabase(); });
    m_handlers.insert(QStringLiteral("actClearEmpty"), [this] { clearEmptyRows(); });
    m_handlers.insert(QStringLiteral("actCalc"), [this] { runTool(calculatorPrograms(), QStringLiteral("计算器")); });
    m_handlers.insert(QStringLiteral("actNotepad"), [this] { runTool(editorPrograms(), QStringLiteral("文本编辑器")); });
    m_handlers.insert(QStringLiteral("actHelp"), [this] { openHelpFile(QStringLiteral("help/index.html")); });
    m_handlers.insert(QStringLiteral("actFaq"), [] {}); // a heading in the menu, no command
    m_handlers.insert(QStringLiteral("actTip"), [] {});
    m_handlers.insert(QStringLiteral("actReadme"), [this] { openHelpFile(QStringLiteral("help/readme.txt")); });
    m_handlers.insert(QStringLiteral("actWhatsNew"), [this] { openHelpFile(QStringLiteral("help/whatisnew.txt")); });
    m_handlers.insert(QStringLiteral("actWebsite"), [this] { openHelpFile(QStringLiteral("help/contact.html")); });
    m_handlers.insert(QStringLiteral("actAbout"), [this] { showAbout(); });
    m_handlers.insert(QStringLiteral("Action102"), [this] { showPasswordChange(this); });
    m_handlers.insert(QStringLiteral("Action103"), [this] { showOperatorList(this); });
    m_handlers.insert(QStringLiteral("Action104"), [this] { showCodeManager(this); });
    TfrmHKbiangeEdit::setCodePicker([](const QString &type, const QString &caption, QComboBox *combo, QWidget *parent) {
        TDLGcodeNewXZ::pickCode(parent, type, caption, combo);
    });
}

void TFrmMain::setActionHandler(const QString &actionName, std::function<void()> handler)
{
    m_handlers.insert(actionName, std::move(handler));
}

QAction *TFrmMain::action(const QString &objectName) const
{
    return findChild<QAction *>(objectName, Qt::FindDirectChildrenOnly);
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

bool TFrmMain::runIfVisible(const QString &name)
{
    QAction *a = action(name);
    if (!a || !a->isVisible())
        return false;
    a->trigger();
    return true;
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
    m_list->firstShowSetup();
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

// The window sees keys before its controls, except where a control edits text.
bool TFrmMain::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() != QEvent::KeyPress)
        return false;
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w || w->window() != this)
        return false;
    auto *ke = static_cast<QKeyEvent *>(e);
    const bool ctrl = ke->modifiers() == Qt::ControlModifier;
    const bool plain = ke->modifiers() == Qt::NoModifier || ke->modifiers() == Qt::KeypadModifier;
    if (plain && ke->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    QWidget *focus = QApplication::focusWidget();
    const bool editing = qobject_cast<QLineEdit *>(focus) || qobject_cast<QTextEdit *>(focus)
        || qobject_cast<QPlainTextEdit *>(focus) || qobject_cast<QAbstractSpinBox *>(focus)
        || (qobject_cast<QComboBox *>(focus) && static_cast<QComboBox *>(focus)->isEditable());
    if (editing)
        return false;
    if (ctrl && ke->key() == Qt::Key_A)
        return runIfVisible(QStringLiteral("Action201"));
    if (ctrl && ke->key() == Qt::Key_E)
        return runIfVisible(QStringLiteral("Action202"));
    if ((ctrl && ke->key() == Qt::Key_S) || (plain && ke->key() == Qt::Key_Delete))
        return runIfVisible(QStringLiteral("Action203"));
    return false;
}

QStringList TFrmMain::calculatorPrograms()
{
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"), QStringLiteral("mate-calc"),
            QStringLiteral("galculator"), QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")};
}

QStringList TFrmMain::editorPrograms()
{
    return {QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"), QStringLiteral("kate"), QStringLiteral("kwrite"),
            QStringLiteral("mousepad"), QStringLiteral("pluma"), QStringLiteral("xed"), QStringLiteral("featherpad"),
            QStringLiteral("leafpad")};
}

void TFrmMain::runTool(const QStringList &programs, const QString &what)
{
    for (const QString &p : programs) {
        const QString path = QStandardPaths::findExecutable(p);
        if (!path.isEmpty() && QProcess::startDetached(path, {}))
            return;
    }
    ShowMess(QStringLiteral("系统中没有找到%1程序，请先安装（例如 %2）。").arg(what, programs.first()), MessInfo);
}

void TFrmMain::openHelpFile(const QString &file)
{
    const QString path = AppPaths::programFolder() + file;
    if (!QFileInfo::exists(path)) {
        ShowMess(QStringLiteral("找不到文件 %1").arg(path), MessWarning);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        ShowMess(QStringLiteral("没有可以打开此文件的程序，文件位于：\n%1").arg(path), MessInfo);
}

void TFrmMain::showAbout()
{
    TfrmAbout about(this);
    about.exec();
}

void TFrmMain::clearEmptyRows()
{
    if (DataModule::ExecSql(QStringLiteral("delete from ZuZav where F_code = '' and F_name = '' ")))
        emit listRebuildRequested();
}

void TFrmMain::compactDatabase()
{
    // The file compacted is the one the program has open, wherever Config.ini puts it.
    const QString path = Database::filePath();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible() && qobject_cast<QDialog *>(w))
            w->close();
    const QString folder = QFileInfo(path).absolutePath() + QLatin1Char('/');
    Database::close();
    const bool ok = CompactDatabase(path);
    if (ok)
        ShowMess(QStringLiteral("压缩数据库成功！"), MessInfo);
    else
        ShowMess(QStringLiteral("压缩数据库失败！"), MessError);
    if (Database::open(folder, false) != Database::OpenResult::Opened)
        ShowMess(QStringLiteral("数据库重新连接失败，请重新启动程序！"), MessError);
}
