#pragma once

#include <QDialog>

namespace Ui {
class TFrmLimitGl;
}

// "操作员": name, password, description, marks and granted permissions of one
// operator, saved together. A stored password is never shown: in edit mode
// the password boxes start empty and, left empty, keep it.
class TFrmLimitGl : public QDialog
{
    Q_OBJECT
public:
    enum Mode { NewMode = 0, EditMode = 1 };

    TFrmLimitGl(Mode mode, qint64 operatorId = 0, QWidget *parent = nullptr);
    ~TFrmLimitGl() override;

    Mode mode() const { return m_mode; }
    // 保存: a new operator leaves the editor empty for the next one; an edited
    // one closes it.
    bool save();
    void setAllTicked(bool ticked); // 全选 / 清除

signals:
    void saved(const QString &name);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void clearEditor();
    void loadOperator();
    void refillNames();

    Ui::TFrmLimitGl *ui;
    Mode m_mode;
    qint64 m_id;
};
