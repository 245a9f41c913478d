#pragma once

#include <QDialog>

class SqlRowModel;

namespace Ui {
class TfrmOperGl;
}

// "操作员权限管理": the operators, their descriptions and marks; opens the
// operator editor. The built-in admin can be neither edited nor deleted.
class TfrmOperGl : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmOperGl(QWidget *parent = nullptr);
    ~TfrmOperGl() override;

    // Reads the list again and moves to the named operator, if given.
    void reload(const QString &locateName = {});

    void addOperator(); // 新增
    void editOperator(); // 修改
    void deleteOperator(); // 删除

protected:
    void keyPressEvent(QKeyEvent *e) override;

private:
    void showDetails();
    void openEditor(int mode, qint64 id);

    Ui::TfrmOperGl *ui;
    SqlRowModel *m_rows;
};

// Main window's "用户权限": the list centred on the main window.
void showOperatorList(QWidget *parent);
