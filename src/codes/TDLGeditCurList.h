#pragma once

#include <QDialog>

namespace Ui {
class TDLGeditCurList;
}

// "批量修改当前列": asks for the value to write into a column.
class TDLGeditCurList : public QDialog
{
    Q_OBJECT
public:
    explicit TDLGeditCurList(QWidget *parent = nullptr);
    ~TDLGeditCurList() override;

    QString value() const; // as typed

    // The typed value on "确定", an empty text on "取消".
    static QString ask(QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *e) override;

private:
    Ui::TDLGeditCurList *ui;
};
