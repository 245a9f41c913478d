#include "TfrmImageDisp.h"

#include "ui_TfrmImageDisp.h"

#include "Photo.h"
#include "support/FileDialogs.h"
#include "support/FormPos.h"
#include "support/Messages.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QScrollBar>
#include <cmath>

namespace {
constexpr double kFactors[TfrmImageDisp::kSteps]
    = { 0.05, 0.07, 0.1, 0.15, 0.2, 0.3, 0.5, 0.7, 1.0, 1.5, 2.0, 3.0, 5.0, 7.0, 10.0 };
}

double TfrmImageDisp::zoomFactor(int step)
{
    return kFactors[qBound(1, step, kSteps) - 1];
}

TfrmImageDisp::TfrmImageDisp(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::TfrmImageDisp)
{
    ui->setupUi(this);
    m_stPath = new QLabel(this);
    m_stSize = new QLabel(this);
    m_stZoom = new QLabel(this);
    m_stPath->setObjectName(QStringLiteral("stPath"));
    m_stSize->setObjectName(QStringLiteral("stSize"));
    m_stZoom->setObjectName(QStringLiteral("stZoom"));
    ui->StatusBar1->addWidget(new QLabel(this));
    ui->StatusBar1->addWidget(m_stPath, 1);
    ui->StatusBar1->addWidget(m_stSize);
    ui->StatusBar1->addWidget(m_stZoom);

    ui->Image1->addActions({ ui->actLoad, ui->actExport, ui->actClear, ui->actZoomIn, ui->actZoomOut, ui->actNatural,
        ui->actFullScreen, ui->actSave, ui->actCancel });
    connect(ui->actLoad, &QAction::triggered, this, &TfrmImageDisp::loadPicture);
    connect(ui->actExport, &QAction::triggered, this, &TfrmImageDisp::exportPicture);
    connect(ui->actClear, &QAction::triggered, this, &TfrmImageDisp::clearPicture);
    connect(ui->actZoomIn, &QAction::triggered, this, &TfrmImageDisp::zoomIn);
    connect(ui->actZoomOut, &QAction::triggered, this, &TfrmImageDisp::zoomOut);
    connect(ui->actNatural, &QAction::triggered, this, &TfrmImageDisp::naturalSize);
    connect(ui->actFullScreen, &QAction::triggered, this, &TfrmImageDisp::enterFullScreen);
    connect(ui->actSave, &QAction::triggered, this, &QDialog::accept);
    connect(ui->actCancel, &QAction::triggered, this, &QDialog::reject);

    // the form sees the viewing keys before the scrolling area does
    ui->ScrollBox1->installEventFilter(this);
    ui->ScrollBox1->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(ui->ScrollBox1);
    naturalSize();
}

TfrmImageDisp::~TfrmImageDisp()
{
    delete ui;
}

void TfrmImageDisp::setPicture(const QImage &image)
{
    m_image = image;
    ui->Image1->setPixmap(QPixmap::fromImage(image));
    naturalSize();
}

void TfrmImageDisp::preparePhoto(const QString &path)
{
    m_path = path;
    // a stored photo's bare file name is no file: the handed-over picture stays
    const QFileInfo fi(path);
    if (!path.isEmpty() && fi.isAbsolute() && fi.isFile())
        loadFile(path);
    naturalSize();
}

QString TfrmImageDisp::ShowPhoto(const QString &path)
{
    preparePhoto(path);
    DispFormPos(this, 0);
    return exec() == QDialog::Accepted ? m_path : path;
}

bool TfrmImageDisp::loadFile(const QString &path)
{
    QString error;
    const Photo p = Photo::fromFile(path, &error);
    if (p.isNull()) {
        ShowMess(error, MessError);
        return false;
    }
    m_image = p.image();
    ui->Image1->setPixmap(QPixmap::fromImage(m_image));
    naturalSize();
    return true;
}

void TfrmImageDisp::loadPicture()
{
    const QString file = chooseOpenFile(this, QStringLiteral("载入图片"), QFileInfo(m_path).absolutePath(),
        QStringLiteral("图像文件 (*.bmp *.jpg *.jpeg *.gif *.png);;"
                       "JPEG 图像 (*.jpg *.jpeg);;GIF 图像 (*.gif);;位图 (*.bmp)"));
    if (file.isEmpty())
        return;
    m_path = file;
    loadFile(file);
    showStatus();
}

void TfrmImageDisp::exportPicture()
{
    if (m_image.isNull()) {
        ShowMess(QStringLiteral("没有可以输出的图像！"), MessInfo);
        return;
    }
    QString file = chooseSaveFile(this, QStringLiteral("输出图像"), QFileInfo(m_path).completeBaseName(),
        QStringLiteral("JPEG 图像 (*.jpg *.jpeg);;GIF 图像 (*.gif);;位图 (*.bmp)"));
    if (file.isEmpty())
        return;
    // the chosen type shows in the extension; anything else is written as JPEG
    const QString suffix = QFileInfo(file).suffix().toLower();
    PhotoFile::Format format = PhotoFile::Format::Jpeg;
    if (suffix == QLatin1String("gif")) {
        format = PhotoFile::Format::Gif;
    } else if (suffix == QLatin1String("bmp")) {
        format = PhotoFile::Format::Bmp;
    } else if (suffix != QLatin1String("jpg") && suffix != QLatin1String("jpeg")) {
        file += QStringLiteral(".jpg");
    }
    QString error;
    if (!PhotoFile::write(m_image, file, format, &error))
        ShowMess(error, MessError);
}

void TfrmImageDisp::clearPicture()
{
    m_image = QImage();
    m_path.clear();
    ui->Image1->clear();
    naturalSize();
}

void TfrmImageDisp::setStep(int step)
{
    m_step = qBound(1, step, kSteps);
    const double f = zoomFactor(m_step);
    const QSize natural = m_image.isNull() ? QSize(0, 0) : m_image.size();
    ui->Image1->resize(int(natural.width() * f), int(natural.height() * f));
    ui->actZoomIn->setEnabled(m_step < kSteps);
    ui->actZoomOut->setEnabled(m_step > 1);
    showStatus();
}

void TfrmImageDisp::zoomIn()
{
    if (m_step < kSteps)
        setStep(m_step + 1);
}

void TfrmImageDisp::zoomOut()
{
    if (m_step > 1)
        setStep(m_step - 1);
}

void TfrmImageDisp::naturalSize()
{
    setStep(kNaturalStep);
}

void TfrmImageDisp::showStatus()
{
    m_stPath->setText(m_path);
    m_stSize->setText(
        m_image.isNull() ? QString() : QStringLiteral("%1x%2").arg(m_image.width()).arg(m_image.height()));
    m_stZoom->setText(QStringLiteral("%1%").arg(std::lround(zoomFactor(m_step) * 100)));
}

void TfrmImageDisp::enterFullScreen()
{
    m_fullScreen = true;
    ui->MainMenu1->hide();
    ui->ToolBar1->hide();
    ui->StatusBar1->hide();
    ui->ScrollBox1->setFrameShape(QFrame::NoFrame);
    // the window manager drops the border of a full-screen window
    showFullScreen();
    naturalSize();
}

void TfrmImageDisp::leaveFullScreen()
{
    m_fullScreen = false;
    showNormal();
    ui->MainMenu1->show();
    ui->ToolBar1->show();
    ui->StatusBar1->show();
    ui->ScrollBox1->setFrameShape(QFrame::StyledPanel);
    naturalSize();
}

bool TfrmImageDisp::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == ui->ScrollBox1 && e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        QScrollBar *v = ui->ScrollBox1->verticalScrollBar();
        QScrollBar *h = ui->ScrollBox1->horizontalScrollBar();
        switch (k->key()) {
        case Qt::Key_Up:
            v->triggerAction(QAbstractSlider::SliderSingleStepSub);
            return true;
        case Qt::Key_Down:
            v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            return true;
        case Qt::Key_PageUp:
            v->triggerAction(QAbstractSlider::SliderPageStepSub);
            return true;
        case Qt::Key_PageDown:
            v->triggerAction(QAbstractSlider::SliderPageStepAdd);
            return true;
        case Qt::Key_Left:
            h->triggerAction(QAbstractSlider::SliderSingleStepSub);
            return true;
        case Qt::Key_Right:
            h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void TfrmImageDisp::keyPressEvent(QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Space:
    case Qt::Key_Backspace:
    case Qt::Key_Slash:
        naturalSize();
        return;
    case Qt::Key_Escape:
        if (m_fullScreen) {
            leaveFullScreen();
            return;
        }
        break;
    default:
        break;
    }
    QDialog::keyPressEvent(e);
}
