#pragma once

#include <QDialog>

class CodeTableModel;
class QButtonGroup;

namespace Ui {
class TFrmCodeMan;
}

// "选项设置...": the lookup values of every code type, one tab per type.
// Browsing shows them read-only; "新增" or "修改" starts editing, where renames
// and new rows are kept until "保存" writes them together or "取消" drops them.
class TFrmCodeMan : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmCodeMan(QWidget *parent = nullptr);
    ~TFrmCodeMan() override;

    // The show operation: first tab, then modal.
    int execute();

    void activateTab(int index);
    int currentTab() const { return m_tab; }
    QString currentKey() const;
    QString currentCaption() const;
    bool isEditing() const { return m_editing; }
    CodeTableModel *model() const { return m_model; }

    void addRow(); // 新增
    void editRows(); // 修改
    bool saveRows(); // 保存
    void cancelRows(); // 取消
    void deleteRow(); // 删除
    void printList(); // 打印
    void refreshList(); // 刷新

protected:
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setEditing(bool editing);
    void postEdit();
    void selectRow(int row);
    int currentRow() const;
    void updateStatus();

    Ui::TFrmCodeMan *ui;
    CodeTableModel *m_model;
    QButtonGroup *m_tabs;
    class PostingDelegate *m_delegate;
    int m_tab = -1;
    bool m_editing = false;
};

// Main window's "选项...": creates the manager, runs it and frees it.
void showCodeManager(QWidget *parent);
