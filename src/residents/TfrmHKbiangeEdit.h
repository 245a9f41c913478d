#pragma once

#include "PersonSummary.h"

#include <QDialog>

class DataGrid;

namespace Ui {
class TfrmHKbiangeEdit;
}

// Adds and changes the household change records of the resident list's current person.
class TfrmHKbiangeEdit : public QDialog
{
    Q_OBJECT
public:
    // changeList: the main window's change-record grid (navigator, current row,
    // reopened after saving); person: the resident list's current row.
    TfrmHKbiangeEdit(DataGrid *changeList, PersonValue person, QWidget *parent = nullptr);
    ~TfrmHKbiangeEdit() override;

    // 0 add, 1 edit the change list's current row; shows the form modally.
    int ShowEditor(int mode);
    void SetEditMode(bool edit);
    void LoadRecord();
    void ClearRecord();
    bool save(); // "确定"

    // Opens the code pick dialog for a code type into a drop-down; set by the
    // code tables room so this form does not depend on it.
    using CodePicker = std::function<void(const QString &type, const QString &caption, class QComboBox *combo, QWidget *parent)>;
    static void setCodePicker(CodePicker picker);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void navigate(int where);

    Ui::TfrmHKbiangeEdit *ui;
    DataGrid *m_list;
    PersonValue m_person;
    bool m_edit = false;
    QString m_editDate;
};
