#include "TDLGcodeNewXZ.h"

#include "CodeStore.h"
#include "TDLGaddText.h"
#include "ui_TDLGcodeNewXZ.h"

#include "data/DataModule.h"
#include "grid/SqlRowModel.h"
#include "support/Messages.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QSignalBlocker>

namespace {
const QString kColumns = QStringLiteral("select F_name, F_type, F_ID from t_code where ");

QString likePattern(const QString &text)
{
    // A typed % or _ is looked for as itself, not as a wildcard.
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('%'), QStringLiteral("\\%"));
    escaped.replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}
} // namespace

TDLGcodeNewXZ::TDLGcodeNewXZ(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::TDLGcodeNewXZ)
    , m_rows(new SqlRowModel(this))
{
    ui->setupUi(this);
    ui->DBGrid1->setRowModel(m_rows);
    GridColumn name;
    name.fieldName = QStringLiteral("F_name");
    name.caption = QStringLiteral("名称");
    name.width = 300;
    ui->DBGrid1->setColumns({ name });
    ui->DBGrid1->horizontalHeader()->setStretchLastSection(true);
    ui->DBGrid1->installEventFilter(this);

    connect(ui->edtname, &QLineEdit::textChanged, this, &TDLGcodeNewXZ::search);
    connect(ui->btnFind, &QPushButton::clicked, this, &TDLGcodeNewXZ::search);
    connect(ui->btnNew, &QPushButton::clicked, this, &TDLGcodeNewXZ::addValue);
    connect(ui->btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->DBGrid1, &QAbstractItemView::doubleClicked, this, &QDialog::accept);
}

TDLGcodeNewXZ::~TDLGcodeNewXZ()
{
    delete ui;
}

void TDLGcodeNewXZ::setCodeType(const QString &key, const QString &caption)
{
    m_key = key;
    if (!caption.isEmpty())
        setWindowTitle(caption);
}

QString TDLGcodeNewXZ::pick(QComboBox *combo)
{
    m_changed = false;
    openAll();
    if (combo)
        moveToName(combo->currentText());

    QString result;
    if (exec() == QDialog::Accepted) {
        result = ui->DBGrid1->currentValue(QStringLiteral("F_name")).toString();
        if (combo) {
            if (m_changed)
                DataModule::FillItems(CodeStore::itemsSql(), combo, QVariantList { m_key });
            DataModule::SelectItemText(result, combo);
        }
    } else if (combo && m_changed) {
        DataModule::FillItems(CodeStore::itemsSql(), combo, QVariantList { m_key });
    }
    return result;
}

QString TDLGcodeNewXZ::pickCode(QWidget *parent, const QString &key, const QString &caption, QComboBox *combo)
{
    TDLGcodeNewXZ dlg(parent);
    dlg.setCodeType(key, caption);
    return dlg.pick(combo);
}

void TDLGcodeNewXZ::openAll()
{
    openList(kColumns + QStringLiteral("(F_name <> '') and F_type = ? order by F_name"), { m_key });
}

void TDLGcodeNewXZ::search()
{
    const QString text = ui->edtname->text().trimmed();
    if (text.isEmpty())
        openList(kColumns + QStringLiteral("F_type = ?"), { m_key });
    else
        openList(kColumns + QStringLiteral("F_type = ? and F_name like ? escape '\\'"), { m_key, likePattern(text) });
}

bool TDLGcodeNewXZ::openList(const QString &sql, const QVariantList &params)
{
    if (!m_rows->setQuery(sql, params))
        return false;
    ui->DBGrid1->setCurrentRow(0);
    return true;
}

void TDLGcodeNewXZ::addValue()
{
    QString name;
    if (!TDLGaddText::ask(this, &name, CodeStore::nameLimit()))
        return;
    const qint64 id = CodeStore::add(m_key, name.trimmed());
    if (id == 0) {
        ShowMess(QStringLiteral("操作失败，请检查数据连接... "), MessError);
        return;
    }
    m_changed = true;
    m_rows->refresh();
    if (moveToId(id))
        return;
    // The search in force hides the new value: show the whole list instead.
    {
        const QSignalBlocker block(ui->edtname);
        ui->edtname->clear();
    }
    openAll();
    moveToId(id);
}

bool TDLGcodeNewXZ::moveToName(const QString &name)
{
    for (int r = 0; r < m_rows->rowCount(); ++r) {
        if (m_rows->value(r, QStringLiteral("F_name")).toString() == name) {
            ui->DBGrid1->setCurrentRow(r);
            return true;
        }
    }
    return false;
}

bool TDLGcodeNewXZ::moveToId(qint64 id)
{
    const int row = m_rows->find(QStringLiteral("F_ID"), id);
    if (row < 0)
        return false;
    ui->DBGrid1->setCurrentRow(row);
    return true;
}

void TDLGcodeNewXZ::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (auto *b = qobject_cast<QPushButton *>(focusWidget()))
            b->click();
        else
            focusNextChild();
        return;
    }
    QDialog::keyPressEvent(e);
}

bool TDLGcodeNewXZ::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->DBGrid1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
