#include "TFrmReportGl.h"
#include "ui_TFrmReportGl.h"

#include "grid/SqlRowModel.h"

#include <QKeyEvent>

namespace {

struct Item
{
    const char *text;
    const char *name;
};

// The order is the one users know; the last item is deliberately blank.
constexpr Item kItems[] = {
    { "当前户口详单", "frHkXianqing" },
    { "当前户口详单及户口变更", "frHkBianGeng" },
    { "当前户口列表", "frHkList" },
    { "户口登记表打印", "frHkDengJiBiao" },
    { "户口簿分类打印", "frHkFenLei" },
    { "婚育状况证明表", "frHKreport1" },
    { "独生子女证明表", "frHKreport2" },
    { "申办户籍证明表", "frHKreport3" },
    { "人口死记证明表", "frHKreport4" },
    { "贫困人口证明表", "frHKreport5" },
    { "低保人员证明表", "frHKreport6" },
    { "", "" },
};

} // namespace

TFrmReportGl::TFrmReportGl(const Reports::MainSources &sources, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TFrmReportGl>())
    , m_sources(sources)
{
    ui->setupUi(this);
    for (const Item &i : kItems)
        ui->ListBox1->addItem(QString::fromUtf8(i.text));
    connect(ui->Button3, &QPushButton::clicked, this, &TFrmReportGl::design);
    connect(ui->Button4, &QPushButton::clicked, this, &TFrmReportGl::preview);
    connect(ui->Button5, &QPushButton::clicked, this, &QDialog::close);
}

TFrmReportGl::~TFrmReportGl() = default;

QString TFrmReportGl::templateOf(int index)
{
    if (index < 0 || index >= int(std::size(kItems)))
        return {};
    return QString::fromUtf8(kItems[index].name);
}

QString TFrmReportGl::selectedTemplate() const
{
    const QListWidgetItem *item = ui->ListBox1->currentItem();
    if (!item || !item->isSelected())
        return {};
    return templateOf(ui->ListBox1->row(item));
}

void TFrmReportGl::design()
{
    const QString name = selectedTemplate();
    if (!name.isEmpty())
        Reports::designTemplate(name, this);
}

void TFrmReportGl::preview()
{
    const QString name = selectedTemplate();
    if (!name.isEmpty())
        Reports::previewMainTemplate(name, m_sources, this);
}

void TFrmReportGl::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}
