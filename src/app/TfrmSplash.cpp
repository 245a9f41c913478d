#include "TfrmSplash.h"

#include "ui_TfrmSplash.h"

#include <QApplication>
#include <QScreen>

TfrmSplash::TfrmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , ui(new Ui::TfrmSplash)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    if (QScreen *s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

TfrmSplash::~TfrmSplash()
{
    delete ui;
}

void TfrmSplash::setStatus(const QString &text)
{
    ui->Label1->setText(text);
    ui->Label1->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString TfrmSplash::status() const
{
    return ui->Label1->text();
}
