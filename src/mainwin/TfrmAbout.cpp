#include "TfrmAbout.h"

#include "ui_TfrmAbout.h"

#include "data/RunValues.h"

TfrmAbout::TfrmAbout(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::TfrmAbout)
{
    ui->setupUi(this);
    ui->lblTitle->setText(Run::AppTitle);
    ui->lblVersion->setText(Run::ProductTitle.trimmed() + QLatin1Char(' ') + Run::ProductVersion.trimmed());
}

TfrmAbout::~TfrmAbout()
{
    delete ui;
}
