#pragma once

#include <QWidget>

namespace Ui {
class TfrmSplash;
}

class TfrmSplash : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget *parent = nullptr);
    ~TfrmSplash() override;
    void setStatus(const QString &text); // sets Label1 and paints at once
    QString status() const;

private:
    Ui::TfrmSplash *ui;
};
