#include "TfrmRowArrangeGl.h"

#include "DataGrid.h"
#include "ui_TfrmRowArrangeGl.h"

#include <QKeyEvent>

namespace {
const QString kAsc = QStringLiteral("升序");
const QString kDesc = QStringLiteral("降序");
} // namespace

TfrmRowArrangeGl::TfrmRowArrangeGl(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::TfrmRowArrangeGl)
{
    ui->setupUi(this);
    ui->btnOK->setDefault(true);
    connect(ui->btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->btnUp, &QPushButton::clicked, this, [this] { moveCurrent(-1); });
    connect(ui->btnDown, &QPushButton::clicked, this, [this] { moveCurrent(1); });
    connect(ui->vleSort, &QTableWidget::cellDoubleClicked, this, [this] { cycleCurrent(); });
    ui->vleSort->installEventFilter(this);
}

TfrmRowArrangeGl::~TfrmRowArrangeGl()
{
    delete ui;
}

void TfrmRowArrangeGl::setTitles(const QStringList &titles)
{
    ui->vleSort->setRowCount(0);
    ui->vleSort->setRowCount(static_cast<int>(titles.size()));
    for (int i = 0; i < titles.size(); ++i) {
        ui->vleSort->setItem(i, 0, new QTableWidgetItem(titles.at(i)));
        ui->vleSort->setItem(i, 1, new QTableWidgetItem(QString()));
    }
    if (!titles.isEmpty())
        ui->vleSort->setCurrentCell(0, 0);
}

void TfrmRowArrangeGl::cycleCurrent()
{
    QTableWidgetItem *value = ui->vleSort->item(ui->vleSort->currentRow(), 1);
    if (!value)
        return;
    const QString t = value->text();
    value->setText(t.isEmpty() ? kAsc : t == kAsc ? kDesc : QString());
}

void TfrmRowArrangeGl::moveCurrent(int step)
{
    QTableWidget *t = ui->vleSort;
    const int row = t->currentRow();
    const int other = row + step;
    if (row < 0 || other < 0 || other >= t->rowCount())
        return;
    for (int c = 0; c < 2; ++c) {
        QTableWidgetItem *a = t->takeItem(row, c);
        QTableWidgetItem *b = t->takeItem(other, c);
        t->setItem(row, c, b);
        t->setItem(other, c, a);
    }
    t->setCurrentCell(other, t->currentColumn() < 0 ? 0 : t->currentColumn());
}

QString TfrmRowArrangeGl::sortText(const QList<GridColumn> &columns) const
{
    QString out;
    for (int r = 0; r < ui->vleSort->rowCount(); ++r) {
        const QString title = ui->vleSort->item(r, 0)->text();
        const QString value = ui->vleSort->item(r, 1)->text();
        if (value != kAsc && value != kDesc)
            continue;
        for (const GridColumn &c : columns) {
            if (c.caption == title) {
                out += c.fieldName.toLower() + (value == kAsc ? QStringLiteral(" ASC") : QStringLiteral(" DESC"))
                    + QLatin1Char(',');
                break;
            }
        }
    }
    return out;
}

std::optional<QString> TfrmRowArrangeGl::run(DataGrid *grid)
{
    const QList<GridColumn> columns = grid->columnsInOrder();
    QStringList titles;
    for (const GridColumn &c : columns)
        titles << c.caption;
    TfrmRowArrangeGl dlg(grid->window());
    dlg.setTitles(titles);
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.sortText(columns);
}

bool TfrmRowArrangeGl::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the list moves on to the buttons instead of closing the dialog
    if (watched == ui->vleSort && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
