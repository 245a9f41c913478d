#include "GridLayouts.h"

#include "DataGrid.h"
#include "TFrmDispFieldXZ.h"
#include "data/DataModule.h"
#include "data/Database.h"
#include "support/Messages.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

Qt::Alignment alignmentOf(const QVariant &code, Qt::Alignment fallback)
{
    switch (code.toInt()) {
    case 0:
        return Qt::AlignLeft;
    case 1:
        return Qt::AlignHCenter;
    case 2:
        return Qt::AlignRight;
    default:
        return fallback;
    }
}

QVariantList rowValues(const GridColumn &c, int order)
{
    return { c.caption, c.width, c.readOnly ? 1 : 0, c.visible ? 1 : 0, order, GridLayouts::alignmentCode(c.alignment),
        c.displayFormat, c.footerValue, static_cast<int>(c.footerType) };
}

} // namespace

int GridLayouts::alignmentCode(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignHCenter)
        return 1;
    if (alignment & Qt::AlignRight)
        return 2;
    return 0;
}

bool GridLayouts::LoadGridLayout(DataGrid *grid, const QString &key)
{
    QSqlQuery q;
    if (!Database::exec(q,
            QStringLiteral("Select * from cfg_Grid Where (F_name = ? and F_fieldname <> '') order by F_Order"),
            QVariantList { key })) {
        ShowMess(QStringLiteral("操作失败，请检查数据连接... "), MessError);
        return false;
    }
    QList<GridColumn> columns;
    while (q.next()) {
        const QSqlRecord r = q.record();
        GridColumn c;
        c.fieldName = r.value(QStringLiteral("F_FieldName")).toString();
        c.caption = r.value(QStringLiteral("F_Caption")).toString();
        c.width = r.value(QStringLiteral("F_Width")).toInt();
        c.visible = r.value(QStringLiteral("F_Visible")).toInt() != 0;
        c.readOnly = r.value(QStringLiteral("F_ReadOnly")).toInt() != 0;
        c.displayFormat = r.value(QStringLiteral("F_DisplayFormat")).toString();
        c.footerValue = r.value(QStringLiteral("F_FooterValue")).toString();
        const int footer = r.value(QStringLiteral("F_FooterType")).toInt();
        c.footerType = footer == 1 ? GridColumn::Footer::Text
            : footer == 2          ? GridColumn::Footer::Sum
                                   : GridColumn::Footer::None;
        c.alignment = alignmentOf(r.value(QStringLiteral("F_AlignMent")), c.alignment);
        columns << c;
    }
    if (!columns.isEmpty())
        grid->setColumns(columns);
    return true;
}

bool GridLayouts::SaveGridLayout(DataGrid *grid, const QString &key)
{
    // one transaction: a layout of many columns is one write to the file, and a
    // failing column still lets the others be saved, as before
    Transaction t;
    bool all = true;
    const QList<GridColumn> columns = grid->columnsInOrder();
    for (int i = 0; i < columns.size(); ++i) {
        QVariantList params = rowValues(columns.at(i), i);
        params << key.toLower() << columns.at(i).fieldName;
        all = DataModule::ExecSql(QStringLiteral("update cfg_grid set F_caption = ?,F_width = ?,F_readonly = ?,"
                                                 "F_visible = ?,F_order = ?,F_alignMent = ?,F_displayFormat = ?,"
                                                 "F_footerValue = ?,F_footerType = ? "
                                                 "where (F_name = ? and F_fieldname = ?) "),
                  params)
            && all;
    }
    return t.commit() && all;
}

bool GridLayouts::ResetGridLayout(DataGrid *grid, const QString &key)
{
    // all or nothing: a failure half-way would leave the key without its columns
    Transaction t;
    if (!t.ok()) {
        ShowMess(QStringLiteral("操作失败，请检查数据连接... "), MessError);
        return false;
    }
    if (!DataModule::ExecSql(QStringLiteral("Delete From cfg_grid Where F_Name = ? "), QVariantList { key }))
        return false;
    const QList<GridColumn> columns = grid->columnsInOrder();
    for (int i = 0; i < columns.size(); ++i) {
        const GridColumn &c = columns.at(i);
        const QVariantList params { key.toLower(), c.caption, c.fieldName, c.width, c.readOnly ? 1 : 0,
            c.visible ? 1 : 0, i, alignmentCode(c.alignment), c.displayFormat, c.footerValue,
            static_cast<int>(c.footerType) };
        if (!DataModule::ExecSql(QStringLiteral("Insert into cfg_grid(F_name,F_caption,F_fieldname,F_width,F_readOnly,"
                                                "F_Visible,F_Order,F_AlignMent,F_DisplayFormat,F_FooterValue,"
                                                "F_FooterType) Values(?,?,?,?,?,?,?,?,?,?,?)"),
                params))
            return false;
    }
    if (!t.commit()) {
        ShowMess(QStringLiteral("操作失败，请检查数据连接... "), MessError);
        return false;
    }
    ShowMess(QStringLiteral("更新网格列表成功！"), MessInfo);
    return true;
}

bool GridLayouts::ChooseDisplayFields(DataGrid *grid)
{
    const QList<int> order = grid->visualOrder();
    QStringList titles;
    QList<bool> visible;
    for (int logical : order) {
        titles << grid->column(logical).caption;
        visible << grid->column(logical).visible;
    }
    TFrmDispFieldXZ dlg(grid->window());
    dlg.setFields(titles, visible);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    const QList<bool> ticked = dlg.ticked();
    for (int i = 0; i < order.size(); ++i)
        grid->setColumnVisible(order.at(i), ticked.value(i));
    return true;
}
