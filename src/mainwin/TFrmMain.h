#pragma once

#include <QHash>
#include <QMainWindow>
#include <functional>

class QLabel;
class QTimer;
class QAction;

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

    // Runs the start-up duties of the first show without waiting for the window
    // system (the first showEvent calls it once).
    void firstShow();
    bool firstShowDone() const { return m_shown; }

    // Re-login: the toolbar button rebuilds the resident list afterwards.
    void relogin(bool fromToolbar);

signals:
    void listRebuildRequested();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void createActions();
    QAction *addAction(const QString &name, const QString &caption, QMenu *menu);
    void runAction(const QString &name);
    void updateClock();

    Ui::TFrmMain *ui;
    QList<QLabel *> m_panels;
    QTimer *m_clock = nullptr;
    bool m_shown = false;
    QHash<QString, std::function<void()>> m_handlers;
};
