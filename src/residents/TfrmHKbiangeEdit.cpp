#include "TfrmHKbiangeEdit.h"

#include "ui_TfrmHKbiangeEdit.h"

#include "ChangeRecordStore.h"
#include "data/DataModule.h"
#include "data/RunValues.h"
#include "grid/DataGrid.h"
#include "grid/SqlRowModel.h"
#include "support/Messages.h"

#include <QAction>
#include <QDateTime>
#include <QKeyEvent>
#include <QPlainTextEdit>

namespace {
TfrmHKbiangeEdit::CodePicker &codePicker()
{
    static TfrmHKbiangeEdit::CodePicker p;
    return p;
}
} // namespace

void TfrmHKbiangeEdit::setCodePicker(CodePicker picker)
{
    codePicker() = std::move(picker);
}

TfrmHKbiangeEdit::TfrmHKbiangeEdit(DataGrid *changeList, PersonValue person, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::TfrmHKbiangeEdit)
    , m_list(changeList)
    , m_person(std::move(person))
{
    ui->setupUi(this);
    const QStringList nav = {QStringLiteral("tbFirst"), QStringLiteral("tbPrior"), QStringLiteral("tbNext"), QStringLiteral("tbLast")};
    const QStringList navText = {QStringLiteral("首记录"), QStringLiteral("上一条"), QStringLiteral("下一条"), QStringLiteral("末记录")};
    for (int i = 0; i < nav.size(); ++i) {
        QAction *a = ui->navBar->addAction(navText.at(i));
        a->setObjectName(nav.at(i));
        connect(a, &QAction::triggered, this, [this, i] { navigate(i); });
    }
    connect(ui->btnOk, &QPushButton::clicked, this, &TfrmHKbiangeEdit::save);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    ui->cbbEmpName->installEventFilter(this);
    ui->cbbEmpName->lineEdit()->installEventFilter(this);
    connect(ui->btnAddType, &QToolButton::clicked, this, [this] {
        if (codePicker())
            codePicker()(QStringLiteral("bgtype"), QStringLiteral("变更类型"), ui->cbbBGtype, this);
    });
    connect(ui->btnAddEmp, &QToolButton::clicked, this, [this] {
        if (codePicker())
            codePicker()(QStringLiteral("empname"), QStringLiteral("经手人"), ui->cbbEmpName, this);
    });
}

TfrmHKbiangeEdit::~TfrmHKbiangeEdit()
{
    delete ui;
}

int TfrmHKbiangeEdit::ShowEditor(int mode)
{
    SetEditMode(mode == 1);
    DataModule::FillItems(QStringLiteral("select distinct F_name from t_code where (F_name <> '') and F_type = 'bgtype' "),
                          ui->cbbBGtype);
    if (mode == 1)
        LoadRecord();
    else
        ClearRecord();
    ui->btnAddType->setVisible(static_cast<bool>(codePicker()));
    ui->btnAddEmp->setVisible(static_cast<bool>(codePicker()));
    return exec();
}

void TfrmHKbiangeEdit::SetEditMode(bool edit)
{
    m_edit = edit;
    setWindowTitle(edit ? QStringLiteral("户口项目变更 - 修改") : QStringLiteral("户口项目变更 - 新增"));
    ui->cbContinue->setVisible(!edit);
    ui->navBar->setVisible(edit);
}

void TfrmHKbiangeEdit::ClearRecord()
{
    FillPersonSummary(ui->Memo1, m_person);
    ui->dtpDate->setDate(QDate::currentDate());
    ui->cbbBGtype->setCurrentIndex(-1);
    ui->cbbBGtype->setEditText(QString());
    ui->Memo2->clear();
    ui->Memo3->clear();
    ui->Memo4->clear();
    ui->cbbEmpName->setEditText(Run::CurrentOperator);
    m_editDate = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    ui->edtEditDate->setText(m_editDate);
}

void TfrmHKbiangeEdit::LoadRecord()
{
    FillPersonSummary(ui->Memo1, m_person);
    ChangeRecord r;
    if (!m_list || !ChangeRecordStore::load(m_list->currentValue(QStringLiteral("F_ID")).toLongLong(), &r))
        return;
    ui->dtpDate->setDate(QDate::fromString(r.date, QStringLiteral("yyyy-MM-dd")));
    ui->cbbBGtype->setEditText(r.type);
    ui->cbbEmpName->setEditText(r.handler);
    ui->Memo2->setPlainText(r.before);
    ui->Memo3->setPlainText(r.after);
    ui->Memo4->setPlainText(r.remark);
    ui->edtEditDate->setText(r.editDate);
}

bool TfrmHKbiangeEdit::save()
{
    ChangeRecord r;
    if (m_edit)
        r.id = m_list ? m_list->currentValue(QStringLiteral("F_ID")).toLongLong() : 0;
    r.mainId = m_person ? m_person(QStringLiteral("F_mainID")).toLongLong() : 0;
    r.date = ui->dtpDate->date().toString(QStringLiteral("yyyy-MM-dd"));
    r.type = ui->cbbBGtype->currentText();
    r.handler = ui->cbbEmpName->currentText();
    r.before = ui->Memo2->toPlainText();
    r.after = ui->Memo3->toPlainText();
    r.remark = ui->Memo4->toPlainText();
    QString error;
    const qint64 id = ChangeRecordStore::save(r, &error);
    if (id == 0) {
        ShowMess(error, MessError);
        return false;
    }
    if (m_list) {
        m_list->refresh(QStringLiteral("F_ID"));
        if (m_edit)
            m_list->locate(QStringLiteral("F_ID"), id);
        else if (m_list->rowModel())
            m_list->setCurrentRow(m_list->rowModel()->rowCount() - 1);
    }
    if (m_edit || !ui->cbContinue->isChecked()) {
        SetEditMode(false);
        accept();
    } else {
        SetEditMode(false);
        ClearRecord();
        ui->dtpDate->setFocus();
    }
    return true;
}

void TfrmHKbiangeEdit::navigate(int where)
{
    if (!m_list || !m_list->rowModel() || m_list->rowModel()->rowCount() == 0)
        return;
    const int last = m_list->rowModel()->rowCount() - 1;
    const int row = m_list->currentRow();
    const int target = where == 0 ? 0 : where == 1 ? qMax(0, row - 1) : where == 2 ? qMin(last, row + 1) : last;
    m_list->setCurrentRow(target);
    LoadRecord();
}

// The handler list refills itself each time it is entered.
bool TfrmHKbiangeEdit::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::FocusIn && (watched == ui->cbbEmpName || watched == ui->cbbEmpName->lineEdit())) {
        const QString text = ui->cbbEmpName->currentText();
        DataModule::FillItems(QStringLiteral("select distinct F_name from t_code where (F_name <> '') and F_type = 'empname' "),
                              ui->cbbEmpName);
        ui->cbbEmpName->setEditText(text);
    }
    return QDialog::eventFilter(watched, e);
}

void TfrmHKbiangeEdit::keyPressEvent(QKeyEvent *e)
{
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && e->modifiers() == Qt::NoModifier) {
        QWidget *f = focusWidget();
        if (f == ui->btnOk) {
            save();
        } else if (f == ui->btnCancel) {
            reject();
        } else if (!qobject_cast<QPlainTextEdit *>(f)) {
            focusNextChild();
        }
        return;
    }
    if (e->key() == Qt::Key_S && e->modifiers() == Qt::ControlModifier) {
        save();
        return;
    }
    QDialog::keyPressEvent(e);
}
