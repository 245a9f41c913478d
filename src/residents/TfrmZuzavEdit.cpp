#include "TfrmZuzavEdit.h"

#include "ui_TfrmZuzavEdit.h"

#include "IdentityNumber.h"
#include "ResidentCursor.h"
#include "TfrmImageDisp.h"
#include "codes/TDLGcodeNewXZ.h"
#include "data/DataModule.h"
#include "data/RunValues.h"
#include "grid/DisplayFormat.h"
#include "support/FormPos.h"
#include "support/Messages.h"
#include "widgets/DateEditCheck.h"
#include "widgets/MoneyEdit.h"
#include "widgets/ScreenUtils.h"

#include <QAction>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QTabWidget>

namespace {

struct Binding
{
    const char *control;
    const char *column;
};

// clang-format off
constexpr Binding kBindings[] = {
    {"cbbHKtype", "F_HKtype"}, {"edtLDcode", "F_LDcode"}, {"edtHScode", "F_HScode"}, {"edtcode", "F_Code"},
    {"edtName", "F_Name"}, {"edtZYname", "F_ZYname"}, {"edtHZname", "F_HZname"}, {"cbbHZguanxi", "F_HZguanxi"},
    {"edtSFZcode", "F_SFZcode"}, {"edtQFwork", "F_QFwork"}, {"dtpQFdate", "F_QFdate"}, {"dtpCSdate", "F_CSdate"},
    {"edtCSaddress", "F_CSaddress"}, {"cbbSex", "F_sex"}, {"edtSG", "F_SG"}, {"cbbXX", "F_XX"},
    {"cbbJKmem", "F_JKmem"}, {"edtHJaddress", "F_HJaddress"}, {"cbbMinzu", "F_MinZu"}, {"edtJGaddress", "F_JGaddress"},
    {"edtZZaddress", "F_ZZaddress"}, {"edtQTaddress", "F_QTaddress"}, {"cbbWHchengdu", "F_WHchengdu"},
    {"cbbHYmem", "F_HYmem"}, {"cbbBYmem", "F_BYmem"}, {"cbbZJxinyang", "F_ZJxinyang"},
    {"cbbZZmianmao", "F_ZZmianmao"}, {"cbbWork", "F_work"}, {"edtWorkAddress", "F_workAddress"},
    {"cbbHKxingzhi", "F_HKxingzhi"}, {"dtpEditDate", "F_editDate"},
    {"edtHKcode", "F_HKcode"}, {"edtJTphone", "F_JTphone"}, {"cbbHJstatus", "F_HJstatus"},
    {"cbbJJstatus", "F_JJstatus"}, {"ceSRprice", "F_SRprice"}, {"cbbZStype", "F_ZStype"}, {"Memo2", "F_memo2"},
    {"Memo1", "F_memo1"},
    {"cbQRflag", "F_QRflag"}, {"dtpQRdate", "F_QRdate"}, {"edtOLDaddress", "F_OLDaddress"}, {"cbbQRtype", "F_QRtype"},
    {"edtQRreason", "F_QRreason"}, {"cbQCflag", "F_QCflag"}, {"dtpQCdate", "F_QCdate"},
    {"edtNewAddress", "F_NewAddress"}, {"cbbQCtype", "F_QCtype"}, {"edtQCreason", "F_QCreason"},
    {"cbWGflag", "F_WGflag"}, {"dtpSWdate", "F_SWdate"}, {"edtSWreason", "F_SWreason"},
    {"cbZXflag", "F_ZXflag"}, {"dtpZXdate", "F_ZXdate"}, {"edtZXreason", "F_ZXreason"},
    {"edtZF1", "F_ZF1"}, {"edtZF2", "F_ZF2"}, {"edtZF3", "F_ZF3"}, {"edtZF4", "F_ZF4"}, {"edtZF5", "F_ZF5"},
    {"rceSZ1", "F_SZ1"}, {"rceSZ2", "F_SZ2"}, {"rceSZ3", "F_SZ3"},
    {"dtpRQ1", "F_RQ1"}, {"dtpRQ2", "F_RQ2"}, {"dtpRQ3", "F_RQ3"},
    {"cbDBflag", "F_DBflag"}, {"cbSYflag", "F_SYflag"}, {"cbYFflag", "F_YFflag"}, {"cbLLflag", "F_LLflag"},
    {"cbCJflag", "F_CJflag"}, {"cbLNflag", "F_LNflag"}, {"cbJSflag", "F_JSflag"},
    {"edtJTcode", "F_JTcode"},
};

// Kept for the next person while "保留家庭信息不清空" is ticked.
constexpr const char *kFamilyGroup[] = {"edtHZname", "edtHKcode", "edtJTphone", "cbbHJstatus", "cbbJJstatus",
                                        "edtJTaddress", "ceSRprice", "cbbZStype", "Memo2", "cbDBflag",
                                        "cbYFflag", "cbJSflag", "edtJTcode"};

struct CodeList {
    const char *combo;
    const char *button;
    const char *type;
    const char *caption;
};

constexpr CodeList kCodeLists[] = {
    {"cbbHKtype", "sbHKtype", "hktype", "户口类别资料"},
    {"cbbHZguanxi", "sbHZguanxi", "hzguanxi", "与户主关系资料"},
    {"cbbXX", "sbXX", "xx", "血型资料"},
    {"cbbJKmem", "sbJKmem", "jkmem", "健康状况资料"},
    {"cbbMinzu", "sbMinzu", "minzu", "民族资料"},
    {"cbbWHchengdu", "SpeedButton4", "whchengdu", "文化程度设置"},
    {"cbbHYmem", "SpeedButton5", "hymem", "婚姻状况设置"},
    {"cbbBYmem", "sbBYmem", "bymem", "兵役状况设置"},
    {"cbbZJxinyang", "sbZZxinyang", "zjxinyang", "宗教信仰资料"},
    {"cbbZZmianmao", "sbZZmianmao", "zzmianmao", "政治面貌资料"},
    {"cbbWork", "sbWork", "work", "户口职业"},
    {"cbbQRtype", "sbQRtype", "qrtype", "迁入类别资料"},
    {"cbbQCtype", "sbQCtype", "qrtype", "迁出类别资料"},
    {"cbbHJstatus", "sbHJstatus", "hjstatus", "户籍状况资料"},
    {"cbbJJstatus", "sbJJstatus", "jjstatus", "经济状况资料"},
    {"cbbZStype", "sbCStype", "zstype", "住所类型资料"},
    {"cbbHKxingzhi", "sbHKxingzhi", "hkxingzhi", "户口性质"},
};
// clang-format on

constexpr const char *kCustomLabels[]
    = { "lblZF1", "lblZF2", "lblZF3", "lblZF4", "lblZF5", "lblSZ1", "lblSZ2", "lblSZ3", "lblRQ1", "lblRQ2", "lblRQ3" };

TfrmZuzavEdit::FamilyPicker &familyPicker()
{
    static TfrmZuzavEdit::FamilyPicker p;
    return p;
}

QDate storedDate(const QVariant &v)
{
    const QDate d = DisplayFormat::toDateTime(v).date();
    return d.isValid() ? d : QDate::currentDate();
}

} // namespace

void TfrmZuzavEdit::setFamilyPicker(FamilyPicker picker)
{
    familyPicker() = std::move(picker);
}

TfrmZuzavEdit::TfrmZuzavEdit(ResidentCursor *cursor, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::TfrmZuzavEdit)
    , m_cursor(cursor)
{
    ui->setupUi(this);
    ui->PageControl1->setCurrentIndex(0);
    ui->PageControl2->setCurrentIndex(0);

    for (int i = 0; i < int(std::size(kCodeLists)); ++i) {
        auto *b = findChild<QToolButton *>(QLatin1String(kCodeLists[i].button));
        connect(b, &QToolButton::clicked, this, [this, i] { pickCode(i); });
    }
    connect(ui->sbJTcode, &QToolButton::clicked, this, &TfrmZuzavEdit::pickFamily);
    connect(ui->tbFirst, &QToolButton::clicked, this, [this] { navigate(0); });
    connect(ui->tbPrior, &QToolButton::clicked, this, [this] { navigate(1); });
    connect(ui->tbNext, &QToolButton::clicked, this, [this] { navigate(2); });
    connect(ui->tbLast, &QToolButton::clicked, this, [this] { navigate(3); });
    connect(ui->Button1, &QPushButton::clicked, this, &TfrmZuzavEdit::save);
    connect(ui->Button2, &QPushButton::clicked, this, &QDialog::reject);
    auto *saveKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
    connect(saveKey, &QShortcut::activated, this, [this] {
        if (ui->Button1->isEnabled())
            save();
    });

    // the photo: buttons, double-click and context menu
    connect(ui->btnLoadPhoto, &QPushButton::clicked, this, &TfrmZuzavEdit::openPhotoDialog);
    connect(ui->btnClearPhoto, &QPushButton::clicked, this, &TfrmZuzavEdit::clearPhoto);
    auto *loadAct = new QAction(QStringLiteral("载入图片"), ui->Image1);
    loadAct->setObjectName(QStringLiteral("actLoadPhoto"));
    auto *clearAct = new QAction(QStringLiteral("清空显示"), ui->Image1);
    clearAct->setObjectName(QStringLiteral("actClearPhoto"));
    ui->Image1->addActions({ loadAct, clearAct });
    connect(loadAct, &QAction::triggered, this, &TfrmZuzavEdit::openPhotoDialog);
    connect(clearAct, &QAction::triggered, this, &TfrmZuzavEdit::clearPhoto);
    ui->Image1->installEventFilter(this);

    // identity numbers hold digits and X; pasted text is held to the same
    ui->edtSFZcode->installEventFilter(this);
    ui->edtSFZcode->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9Xx]*")), ui->edtSFZcode));
    connect(ui->edtSFZcode, &QLineEdit::editingFinished, this, &TfrmZuzavEdit::fillFromIdentity);

    // the present address follows the family address until it is typed separately
    connect(ui->edtJTaddress, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (m_loading)
            return;
        if (ui->edtZZaddress->text().trimmed().isEmpty() || ui->edtZZaddress->text() == m_mirroredAddress) {
            ui->edtZZaddress->setText(text);
            m_mirroredAddress = text;
        }
    });

    for (const Binding &b : kBindings)
        if (auto *le = qobject_cast<QLineEdit *>(controlOf(QLatin1String(b.column))))
            le->setMaxLength(32767);
}

TfrmZuzavEdit::~TfrmZuzavEdit()
{
    delete ui;
}

bool TfrmZuzavEdit::Open(int mode, ResidentCursor *cursor, QWidget *parent)
{
    TfrmZuzavEdit form(cursor, parent);
    form.ShowEditor(mode);
    return form.m_savedAny;
}

int TfrmZuzavEdit::ShowEditor(int mode)
{
    if (!prepare(mode))
        return QDialog::Rejected;
    DispFormPos(this, 1);
    return exec();
}

bool TfrmZuzavEdit::prepare(int mode)
{
    fillLists();
    ui->sbJTcode->setVisible(static_cast<bool>(familyPicker()));

    // custom captions and the money format, as the settings stand now
    for (int i = 0; i < int(std::size(kCustomLabels)); ++i) {
        const QString caption = Run::CustomValues[i + 1].trimmed();
        if (!caption.isEmpty())
            findChild<QLabel *>(QLatin1String(kCustomLabels[i]))->setText(caption + QStringLiteral("："));
    }
    ui->ceSRprice->setDisplayFormat(Run::AmountFormat);
    ApplyImeName(this);

    if (mode == Edit) {
        SetEditMode(true);
        if (!LoadRecord()) {
            ShowMess(QStringLiteral("无法读取当前户口记录，可能已被删除！"), MessError);
            return false;
        }
    } else if (mode == Copy) {
        SetEditMode(false);
        if (!LoadRecord()) {
            ShowMess(QStringLiteral("无法读取当前户口记录，可能已被删除！"), MessError);
            return false;
        }
        m_curMainId = ResidentRecordStore::nextMainId();
        prepareNumber();
    } else {
        SetEditMode(false);
        ClearRecord();
        prepareNumber();
    }
    return true;
}

void TfrmZuzavEdit::fillLists()
{
    for (const CodeList &c : kCodeLists) {
        auto *combo = findChild<QComboBox *>(QLatin1String(c.combo));
        combo->setEditable(false);
        DataModule::FillItems(QStringLiteral("select distinct F_name from t_code where (F_name <> '') and F_type = ? "),
            combo, QVariantList { QLatin1String(c.type) });
    }
}

// With automatic numbering the number is the program's: shown, not typed.
void TfrmZuzavEdit::prepareNumber()
{
    const bool automatic = Run::AutoNumbering && !m_edit;
    bool locked = false;
    if (automatic) {
        try {
            ui->edtcode->setText(ResidentRecordStore::nextCode());
            locked = true;
        } catch (const DataError &e) {
            ShowMess(QStringLiteral("无法自动生成户口编号：%1\n请手工输入编号。").arg(QString::fromStdString(e.what())),
                MessWarning);
        }
    }
    ui->edtcode->setReadOnly(locked);
    ui->edtcode->setFocusPolicy(locked ? Qt::NoFocus : Qt::StrongFocus);
    ui->edtcode->setStyleSheet(locked ? QStringLiteral("QLineEdit { background: palette(window); }") : QString());
}

void TfrmZuzavEdit::SetFromPicker(bool fromPicker)
{
    m_fromPicker = fromPicker;
    if (fromPicker) {
        ui->CheckBox1->hide();
        ui->DBNavigator1->hide();
        ClearRecord();
    }
}

void TfrmZuzavEdit::SetEditMode(bool edit)
{
    m_edit = edit;
    setWindowTitle(edit ? QStringLiteral("户口档案 - 修改") : QStringLiteral("户口档案 - 新增"));
    ui->CheckBox1->setVisible(!edit && !m_fromPicker);
    ui->cbJiaTing->setVisible(!edit && !m_fromPicker);
    ui->DBNavigator1->setVisible(edit);
    updateNavigator();
}

QWidget *TfrmZuzavEdit::controlOf(const QString &column) const
{
    for (const Binding &b : kBindings)
        if (column.compare(QLatin1String(b.column), Qt::CaseInsensitive) == 0)
            return findChild<QWidget *>(QLatin1String(b.control));
    return nullptr;
}

void TfrmZuzavEdit::setValue(QWidget *w, const QVariant &v)
{
    if (auto *le = qobject_cast<QLineEdit *>(w)) {
        le->setText(v.toString());
    } else if (auto *cb = qobject_cast<QComboBox *>(w)) {
        cb->setEditable(false);
        DataModule::SelectItemText(v.toString(), cb);
    } else if (auto *pt = qobject_cast<QPlainTextEdit *>(w)) {
        pt->setPlainText(v.toString());
    } else if (auto *ck = qobject_cast<QCheckBox *>(w)) {
        ck->setChecked(v.toBool());
    } else if (auto *dc = qobject_cast<DateEditCheck *>(w)) {
        dc->setStoredValue(v);
    } else if (auto *de = qobject_cast<QDateEdit *>(w)) {
        de->setDate(storedDate(v));
    } else if (auto *sp = qobject_cast<QDoubleSpinBox *>(w)) {
        sp->setValue(v.toDouble());
    }
}

QVariant TfrmZuzavEdit::valueOf(QWidget *w) const
{
    if (auto *le = qobject_cast<QLineEdit *>(w))
        return le->text();
    if (auto *cb = qobject_cast<QComboBox *>(w))
        return cb->currentText();
    if (auto *pt = qobject_cast<QPlainTextEdit *>(w))
        return pt->toPlainText();
    if (auto *ck = qobject_cast<QCheckBox *>(w))
        return ck->isChecked();
    if (auto *dc = qobject_cast<DateEditCheck *>(w))
        return dc->storedText();
    if (auto *de = qobject_cast<QDateEdit *>(w))
        return de->date().toString(QStringLiteral("yyyy-MM-dd"));
    if (auto *sp = qobject_cast<QDoubleSpinBox *>(w))
        return sp->value();
    return {};
}

void TfrmZuzavEdit::clearControl(QWidget *w)
{
    if (auto *le = qobject_cast<QLineEdit *>(w)) {
        le->clear();
    } else if (auto *cb = qobject_cast<QComboBox *>(w)) {
        cb->setEditable(false);
        cb->setCurrentIndex(cb->count() > 0 ? 0 : -1);
    } else if (auto *pt = qobject_cast<QPlainTextEdit *>(w)) {
        pt->clear();
    } else if (auto *ck = qobject_cast<QCheckBox *>(w)) {
        ck->setChecked(false);
    } else if (auto *dc = qobject_cast<DateEditCheck *>(w)) {
        dc->clear();
    } else if (auto *de = qobject_cast<QDateEdit *>(w)) {
        de->setDate(QDate::currentDate());
    } else if (auto *sp = qobject_cast<QDoubleSpinBox *>(w)) {
        sp->setValue(0);
    }
}

bool TfrmZuzavEdit::LoadRecord()
{
    ResidentRecord r;
    if (!m_cursor || !ResidentRecordStore::load(m_cursor->currentId(), &r))
        return false;
    m_loading = true;
    m_loadedId = r.id;
    m_curMainId = r.mainId;
    for (const Binding &b : kBindings)
        setValue(findChild<QWidget *>(QLatin1String(b.control)), r.values.value(QLatin1String(b.column)));
    ui->edtJTaddress->setText(r.text(QStringLiteral("F_ZZaddress")));
    m_mirroredAddress = ui->edtJTaddress->text();
    m_loading = false;
    setPhoto(r.photo);
    updateNavigator();
    return true;
}

void TfrmZuzavEdit::ClearRecord()
{
    m_curMainId = ResidentRecordStore::nextMainId();
    m_loadedId = 0;
    const bool keepFamily = ui->cbJiaTing->isChecked();
    m_loading = true;
    for (const Binding &b : kBindings) {
        const QLatin1String name(b.control);
        if (name == QLatin1String("edtcode") && Run::AutoNumbering && ui->edtcode->isReadOnly())
            continue;
        if (keepFamily && std::find(std::begin(kFamilyGroup), std::end(kFamilyGroup), name) != std::end(kFamilyGroup))
            continue;
        clearControl(findChild<QWidget *>(name));
    }
    if (!keepFamily)
        ui->edtJTaddress->clear();
    m_mirroredAddress.clear();
    m_loading = false;
    clearPhoto();
}

ResidentRecord TfrmZuzavEdit::record() const
{
    ResidentRecord r;
    r.id = m_edit && !m_fromPicker ? m_loadedId : 0;
    r.mainId = m_curMainId;
    for (const Binding &b : kBindings)
        r.values.insert(QLatin1String(b.column), valueOf(findChild<QWidget *>(QLatin1String(b.control))));
    r.photo = m_photo;
    return r;
}

void TfrmZuzavEdit::focusControl(QWidget *w)
{
    if (!w)
        return;
    // bring every tab holding the control to the front first
    for (QWidget *p = w; p; p = p->parentWidget()) {
        if (auto *tabs = qobject_cast<QTabWidget *>(p->parentWidget() ? p->parentWidget()->parentWidget() : nullptr)) {
            const int i = tabs->indexOf(p);
            if (i >= 0)
                tabs->setCurrentIndex(i);
        }
    }
    w->setFocus();
    if (auto *le = qobject_cast<QLineEdit *>(w))
        le->selectAll();
}

void TfrmZuzavEdit::fillFromIdentity()
{
    const QString number = ui->edtSFZcode->text().trimmed();
    if (ui->dtpCSdate->date() != QDate::currentDate() || !IdentityNumber::hasValidForm(number))
        return;
    const QDate born = IdentityNumber::birthDate(number);
    if (!born.isValid())
        return;
    ui->dtpCSdate->setDate(born);
    DataModule::SelectItemText(IdentityNumber::sex(number), ui->cbbSex);
}

bool TfrmZuzavEdit::confirmIdentity(const QString &number)
{
    QStringList doubts;
    if (number.size() == 18 && !IdentityNumber::checkDigitMatches(number))
        doubts
            << QStringLiteral("最后一位校验码不对（按前17位应为“%1”）").arg(IdentityNumber::expectedCheckDigit(number));
    if (!IdentityNumber::birthDate(number).isValid())
        doubts << QStringLiteral("其中的出生日期不存在");
    if (doubts.isEmpty())
        return true;
    return ShowMess(QStringLiteral("身份证号码“%1”%2。\n仍然保存吗？").arg(number, doubts.join(QStringLiteral("，"))),
               MessQuestion)
        == MessOk;
}

bool TfrmZuzavEdit::save()
{
    const qint64 key = m_edit && !m_fromPicker ? m_loadedId : 0;
    if (m_edit && m_curMainId < 1)
        m_curMainId = key;

    const QString name = ui->edtName->text().trimmed();
    if (name.isEmpty()) {
        ShowMess(QStringLiteral("姓名不能为空！"), MessInfo);
        focusControl(ui->edtName);
        return false;
    }
    const QString number = ui->edtSFZcode->text().trimmed();
    if (!number.isEmpty()) {
        if (!IdentityNumber::hasValidForm(number)) {
            ShowMess(QStringLiteral("身份证号码不对！"), MessWarning);
            focusControl(ui->edtSFZcode);
            return false;
        }
        if (!confirmIdentity(number)) {
            focusControl(ui->edtSFZcode);
            return false;
        }
        fillFromIdentity();
    }

    const ResidentRecord r = record();
    const QString tooLong = ResidentRecordStore::tooLongColumn(r);
    if (!tooLong.isEmpty()) {
        ShowMess(ResidentRecordStore::tooLongMessage(tooLong), MessWarning);
        focusControl(tooLong == QLatin1String("F_imagePath") ? ui->btnLoadPhoto : controlOf(tooLong));
        return false;
    }

    const QString code = ui->edtcode->text().trimmed();
    if (!code.isEmpty() && !Run::AutoNumbering && ResidentRecordStore::otherWithCode(code, key) != 0) {
        ShowMess(QStringLiteral("户口编号重复，请重新输入！"), MessInfo);
        focusControl(ui->edtcode);
        return false;
    }
    if (ResidentRecordStore::otherWithName(name, key) != 0
        && ShowMess(QStringLiteral("姓名“%1”重复，重新输入吗？").arg(ui->edtName->text()), MessQuestion) == MessOk) {
        focusControl(ui->edtName);
        return false;
    }

    const ResidentRecordStore::Outcome o = ResidentRecordStore::save(r, Run::AutoNumbering);
    switch (o.result) {
    case ResidentRecordStore::Result::Saved:
        break;
    case ResidentRecordStore::Result::CodeTaken:
        ShowMess(o.message, MessInfo);
        focusControl(ui->edtcode);
        return false;
    default:
        ShowMess(o.message, MessError);
        return false;
    }

    m_savedAny = true;
    if (m_cursor)
        m_cursor->reopenAt(o.id);
    emit saved(o.id);

    const bool stay = !m_edit && !m_fromPicker && ui->CheckBox1->isChecked();
    SetEditMode(false);
    if (!stay) {
        accept();
        return true;
    }
    ClearRecord();
    prepareNumber();
    focusControl(ui->edtName);
    return true;
}

void TfrmZuzavEdit::setPhoto(const Photo &photo)
{
    m_photo = photo;
    if (photo.isNull())
        ui->Image1->clear();
    else
        ui->Image1->setPixmap(QPixmap::fromImage(photo.image()));
}

void TfrmZuzavEdit::clearPhoto()
{
    setPhoto(Photo());
}

void TfrmZuzavEdit::openPhotoDialog()
{
    TfrmImageDisp dialog(this);
    const QString before = m_photo.path();
    if (!before.isEmpty())
        dialog.setPicture(m_photo.image());
    const QString after = dialog.ShowPhoto(before);
    if (after == before)
        return;
    if (after.isEmpty()) {
        clearPhoto();
        return;
    }
    QString error;
    const Photo p = Photo::fromFile(after, &error);
    if (p.isNull()) {
        ShowMess(error, MessError);
        return;
    }
    setPhoto(p);
}

void TfrmZuzavEdit::pickCode(int index)
{
    const CodeList &c = kCodeLists[index];
    TDLGcodeNewXZ::pickCode(
        this, QLatin1String(c.type), QString::fromUtf8(c.caption), findChild<QComboBox *>(QLatin1String(c.combo)));
}

void TfrmZuzavEdit::pickFamily()
{
    FamilyValues f;
    if (familyPicker() && familyPicker()(ui->edtJTcode->text(), &f, this))
        applyFamily(f);
}

void TfrmZuzavEdit::applyFamily(const FamilyValues &f)
{
    ui->edtJTcode->setText(f.code);
    ui->edtHZname->setText(f.headName);
    ui->edtHKcode->setText(f.bookletNo);
    ui->edtJTphone->setText(f.phone);
    setValue(ui->cbbHJstatus, f.registrationStatus);
    setValue(ui->cbbJJstatus, f.economicStatus);
    ui->edtJTaddress->setText(f.address);
    ui->ceSRprice->setValue(f.income);
    setValue(ui->cbbZStype, f.dwellingType);
    ui->Memo2->setPlainText(f.remark);
    ui->cbJSflag->setChecked(f.militaryFamily);
    ui->cbDBflag->setChecked(f.subsistence);
    ui->cbYFflag->setChecked(f.specialCare);
}

void TfrmZuzavEdit::navigate(int where)
{
    if (!m_cursor || m_cursor->rowCount() == 0)
        return;
    const int last = m_cursor->rowCount() - 1;
    const int row = m_cursor->currentRow();
    const int target = where == 0 ? 0 : where == 1 ? qMax(0, row - 1) : where == 2 ? qMin(last, row + 1) : last;
    m_cursor->setCurrentRow(target);
    LoadRecord();
}

void TfrmZuzavEdit::updateNavigator()
{
    const int count = m_cursor ? m_cursor->rowCount() : 0;
    const int row = m_cursor ? m_cursor->currentRow() : -1;
    ui->tbFirst->setEnabled(count > 0 && row > 0);
    ui->tbPrior->setEnabled(count > 0 && row > 0);
    ui->tbNext->setEnabled(count > 0 && row < count - 1);
    ui->tbLast->setEnabled(count > 0 && row < count - 1);
}

bool TfrmZuzavEdit::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == ui->Image1 && e->type() == QEvent::MouseButtonDblClick) {
        openPhotoDialog();
        return true;
    }
    if (watched == ui->edtSFZcode && e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        const QString t = k->text();
        const bool printable
            = !t.isEmpty() && t.at(0).isPrint() && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (printable && !QRegularExpression(QStringLiteral("^[0-9Xx]+$")).match(t).hasMatch()) {
            ShowMess(QStringLiteral("身份证号只能是数字，请重新输入！"), MessInfo);
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void TfrmZuzavEdit::keyPressEvent(QKeyEvent *e)
{
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        && (e->modifiers() == Qt::NoModifier || e->modifiers() == Qt::KeypadModifier)) {
        QWidget *f = focusWidget();
        if (f == ui->Button1)
            save();
        else if (f == ui->Button2)
            reject();
        else if (!qobject_cast<QPlainTextEdit *>(f))
            focusNextChild();
        return;
    }
    QDialog::keyPressEvent(e);
}
