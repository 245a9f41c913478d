#pragma once

#include <QDialog>

namespace Ui {
class TFrmDispFieldXZ;
}

// The visible-columns dialog: one tick per column title.
class TFrmDispFieldXZ : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmDispFieldXZ(QWidget *parent = nullptr);
    ~TFrmDispFieldXZ() override;

    void setFields(const QStringList &titles, const QList<bool> &visible);
    QList<bool> ticked() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Ui::TFrmDispFieldXZ *ui;
};
