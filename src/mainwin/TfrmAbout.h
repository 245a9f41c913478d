#pragma once

#include <QDialog>

namespace Ui {
class TfrmAbout;
}

// The About box: product title, version and contact text.
class TfrmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget *parent = nullptr);
    ~TfrmAbout() override;

private:
    Ui::TfrmAbout *ui;
};
