#pragma once

#include <QDialog>

namespace Ui {
class TDLGaddText;
}

// "请输入要增加的标题名称": asks for one name that is not empty.
class TDLGaddText : public QDialog
{
    Q_OBJECT
public:
    explicit TDLGaddText(QWidget *parent = nullptr);
    ~TDLGaddText() override;

    // Longest name accepted, in characters; 0 for no limit.
    void setMaxChars(int chars) { m_maxChars = chars; }
    QString name() const; // as typed

    // True and the name on "确定", false on "关闭".
    static bool ask(QWidget *parent, QString *name, int maxChars = 0);

    void accept() override;

protected:
    void keyPressEvent(QKeyEvent *e) override;

private:
    Ui::TDLGaddText *ui;
    int m_maxChars = 0;
};
