#pragma once

#include <QDialog>
#include <QImage>

class QLabel;

namespace Ui {
class TfrmImageDisp;
}

// The photo viewer: load, export, clear, zoom in fifteen steps, full screen.
// It only ever hands a file path back; the caller loads the file itself.
class TfrmImageDisp : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmImageDisp(QWidget *parent = nullptr);
    ~TfrmImageDisp() override;

    static constexpr int kSteps = 15;
    static constexpr int kNaturalStep = 9;
    static double zoomFactor(int step);

    // The caller's picture, shown when the path handed to ShowPhoto is no file.
    void setPicture(const QImage &image);
    QImage picture() const { return m_image; }

    // Shows the dialog modally; the current path after "保存", else path unchanged.
    QString ShowPhoto(const QString &path);
    // What ShowPhoto does before it shows the dialog.
    void preparePhoto(const QString &path);

    QString currentPath() const { return m_path; }
    int zoomStep() const { return m_step; }
    bool isFullScreenView() const { return m_fullScreen; }

    void loadPicture(); // "载入"
    void exportPicture(); // "输出"
    void clearPicture(); // "清空"
    void zoomIn();
    void zoomOut();
    void naturalSize(); // "原始尺寸"
    void enterFullScreen(); // "全屏"
    void leaveFullScreen();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    bool loadFile(const QString &path);
    void setStep(int step);
    void showStatus();

    Ui::TfrmImageDisp *ui;
    QLabel *m_stPath;
    QLabel *m_stSize;
    QLabel *m_stZoom;
    QImage m_image;
    QString m_path;
    int m_step = kNaturalStep;
    bool m_fullScreen = false;
};
