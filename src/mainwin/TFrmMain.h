#pragma once

#include <QHash>
#include <QMainWindow>
#include <functional>

class QLabel;
class QTimer;
class QAction;
class QMenu;
class ResidentListPanel;
namespace Reports {
struct MainSources;
}

namespace Ui {
class TFrmMain;
}

class TFrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TFrmMain(QWidget *parent = nullptr);
    ~TFrmMain() override;

    // The five status-bar panels: 0 " 当前用户", 1 operator, 2 " 当前日期时间",
    // 3 clock, 4 product caption.
    void setStatusPanel(int index, const QString &text);
    QString statusPanel(int index) const;

    QAction *action(const QString &objectName) const;
    ResidentListPanel *listPanel() const { return m_list; }

    // Runs the start-up duties of the first show without waiting for the window
    // system (the first showEvent calls it once).
    void firstShow();
    bool firstShowDone() const { return m_shown; }

    // Re-login: the toolbar button rebuilds the resident list afterwards.
    void relogin(bool fromToolbar);

    // Screens of later rooms register what their action does; until then the
    // action says it is not finished.
    void setActionHandler(const QString &actionName, std::function<void()> handler);

    // Program names tried, in order, for the tools menu.
    static QStringList calculatorPrograms();
    static QStringList editorPrograms();

    void clearEmptyRows();
    void compactDatabase();

signals:
    void listRebuildRequested();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createHandlers();
    void createListPanel();
    void createListHandlers();
    Reports::MainSources reportSources() const;
    QAction *newAction(const QString &name, const QString &caption);
    QAction *proxy(QAction *source, const QString &caption);
    void runAction(const QString &name);
    bool runIfVisible(const QString &name);
    void updateClock();
    void runTool(const QStringList &programs, const QString &what);
    void openHelpFile(const QString &file);
    void showAbout();
    void detailAdd();
    void detailEdit();
    void detailSort();
    void detailExport();
    void detailSaveLayout();

    Ui::TFrmMain *ui;
    ResidentListPanel *m_list = nullptr;
    QList<QLabel *> m_panels;
    QTimer *m_clock = nullptr;
    bool m_shown = false;
    QHash<QString, std::function<void()>> m_handlers;
};
