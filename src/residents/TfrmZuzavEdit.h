#pragma once

#include "Photo.h"
#include "ResidentRecordStore.h"

#include <QDialog>
#include <functional>

class ResidentCursor;

namespace Ui {
class TfrmZuzavEdit;
}

// What the family picker copies into the resident editor.
struct FamilyValues
{
    QString code; // t_JTinfo.F_code
    QString headName;
    QString bookletNo;
    QString phone;
    QString registrationStatus;
    QString economicStatus;
    QString address;
    double income = 0;
    QString dwellingType;
    QString remark;
    bool militaryFamily = false;
    bool subsistence = false;
    bool specialCare = false;
};

// The resident record editor: adds, changes and copies one person of ZuZav.
class TfrmZuzavEdit : public QDialog
{
    Q_OBJECT
public:
    enum Mode { Add = 0, Edit = 1, Copy = 2 };

    // cursor: the list the person is read from, walked by the navigator and
    // reopened on the saved row; may be null for adding only.
    explicit TfrmZuzavEdit(ResidentCursor *cursor, QWidget *parent = nullptr);
    ~TfrmZuzavEdit() override;

    // Creates the editor, runs ShowEditor(mode) and frees it; true when at least one person was saved.
    static bool Open(int mode, ResidentCursor *cursor, QWidget *parent = nullptr);

    // Fills the lists, prepares the mode and shows the form modally.
    int ShowEditor(int mode);
    // What ShowEditor does before showing; false when the current person cannot be read.
    bool prepare(int mode);
    // Opened by the resident picker: add only, closes after one save.
    void SetFromPicker(bool fromPicker);
    void SetEditMode(bool edit);
    bool LoadRecord();
    void ClearRecord();
    // "确定": checks, asks, saves; true when the person was stored.
    bool save();

    bool isEditMode() const { return m_edit; }
    qint64 currentMainId() const { return m_curMainId; }
    Photo photo() const { return m_photo; }
    QString photoPath() const { return m_photo.path(); }
    // The person on the form as it would be saved (texts untrimmed).
    ResidentRecord record() const;

    // The family picker's choice lands here.
    void applyFamily(const FamilyValues &family);

    // The family picker, given the current family number; true when one was chosen.
    // Its button is hidden while none is set.
    using FamilyPicker = std::function<bool(const QString &code, FamilyValues *out, QWidget *parent)>;
    static void setFamilyPicker(FamilyPicker picker);

signals:
    void saved(qint64 id);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void fillLists();
    void prepareNumber();
    void setPhoto(const Photo &photo);
    void openPhotoDialog();
    void clearPhoto();
    void pickCode(int index);
    void pickFamily();
    void navigate(int where);
    void updateNavigator();
    void fillFromIdentity();
    bool confirmIdentity(const QString &number);
    void focusControl(QWidget *w);
    QWidget *controlOf(const QString &column) const;
    void setValue(QWidget *w, const QVariant &v);
    QVariant valueOf(QWidget *w) const;
    void clearControl(QWidget *w);

    Ui::TfrmZuzavEdit *ui;
    ResidentCursor *m_cursor;
    bool m_edit = false;
    bool m_fromPicker = false;
    bool m_loading = false;
    bool m_savedAny = false;
    qint64 m_loadedId = 0;
    qint64 m_curMainId = 0;
    Photo m_photo;
    QString m_mirroredAddress;
};
