#include "DataModule.h"

#include "Database.h"
#include "RunValues.h"
#include "support/Messages.h"

#include <QComboBox>
#include <algorithm>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QTime>
#include <QTreeWidget>

namespace {

const QString kOpFailed = QStringLiteral("操作失败，请检查数据连接... ");

// First column of the first row; invalid when the statement fails.
bool firstValue(const QString &sql, const QVariant &params, QVariant *out)
{
    QSqlQuery q;
    if (!Database::exec(q, sql, params)) {
        ShowMess(kOpFailed, MessError);
        return false;
    }
    *out = q.next() ? q.value(0) : QVariant();
    return true;
}

} // namespace

bool DataModule::DeleteRecord(const QString &table, qint64 id)
{
    QSqlQuery q;
    // table names come from the program, never from the user
    if (!Database::exec(q, QStringLiteral("delete from %1 where F_ID = ?").arg(table), QVariantList{id})) {
        ShowMess(QStringLiteral("删除操作失败，请检查数据连接... "), MessError);
        return false;
    }
    return true;
}

bool DataModule::ExecSql(const QString &sql, const QVariant &params)
{
    QSqlQuery q;
    if (!Database::exec(q, sql, params)) {
        ShowMess(kOpFailed, MessError);
        return false;
    }
    return true;
}

QString DataModule::QueryText(const QString &sql, const QVariant &params)
{
    QVariant v;
    return firstValue(sql, params, &v) && !v.isNull() ? v.toString() : QString();
}

int DataModule::QueryInteger(const QString &sql, const QVariant &params)
{
    QVariant v;
    return firstValue(sql, params, &v) ? v.toInt() : 0;
}

bool DataModule::QueryBoolean(const QString &sql, const QVariant &params)
{
    QVariant v;
    if (!firstValue(sql, params, &v) || v.isNull())
        return false;
    const QString t = v.toString().trimmed().toLower();
    return t == QLatin1String("true") || v.toLongLong() != 0;
}

bool DataModule::OpenSql(const QString &sql, QSqlQuery &query, const QVariant &params)
{
    if (!Database::exec(query, sql, params)) {
        ShowMess(QStringLiteral("打开操作失败，请检查数据连接... "), MessError);
        return false;
    }
    return true;
}

void DataModule::FillItems(const QString &sql, QComboBox *combo, const QVariant &params)
{
    QSqlQuery q;
    if (!Database::exec(q, sql, params)) {
        ShowMess(kOpFailed, MessError);
        return;
    }
    QStringList items{QString()};
    while (q.next()) {
        const QString v = q.value(0).toString();
        if (!v.trimmed().isEmpty())
            items << v;
    }
    combo->clear();
    combo->addItems(items);
}

void DataModule::SelectItemText(const QString &text, QComboBox *combo)
{
    const QString wanted = text.trimmed().toLower();
    int selected = -1;
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemText(i).trimmed().toLower() == wanted)
            selected = i;
    if (selected >= 0)
        combo->setCurrentIndex(selected);
    if (selected <= 0) {
        // a stored value missing from the list still shows
        combo->setEditable(true);
        combo->setCurrentIndex(selected);
        combo->setEditText(text);
    }
}

void DataModule::WriteLog(const QString &operation)
{
    QSqlQuery q;
    Database::exec(q,
                   QStringLiteral("insert into LogRec(F_EmpName,F_OperType,F_OperDate,F_OperTime) "
                                  "values(:EmpName,:OperType,:OperDate,:OperTime)"),
                   QVariantMap{{QStringLiteral("EmpName"), Run::CurrentOperator},
                               {QStringLiteral("OperType"), operation},
                               {QStringLiteral("OperDate"), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))},
                               {QStringLiteral("OperTime"), QTime::currentTime().toString(QStringLiteral("hh:mm:ss"))}});
}

QString DataModule::NextCodeAfter(const QString &highest, int width)
{
    QString head;
    QString tail;
    if (!highest.isEmpty()) {
        head = highest.size() > width ? highest.left(highest.size() - width) : QString();
        tail = highest.size() > width ? highest.right(width) : highest;
    } else {
        tail = QString(width, QLatin1Char('0'));
    }
    bool ok = false;
    const QString withOne = QLatin1Char('1') + tail;
    // the whole-number range of the original: a tail of 10 digits or more fails
    const qint64 n = withOne.toLongLong(&ok);
    if (!ok || withOne.size() > 10 || tail.isEmpty()
        || !std::all_of(tail.cbegin(), tail.cend(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }))
        throw DataError(QStringLiteral("“%1”不是有效的编号").arg(highest).toStdString());
    return head + QString::number(n + 1).mid(1);
}

QString DataModule::NextCode(const QString &sql, int width, const QVariant &params)
{
    QSqlQuery q;
    if (!Database::exec(q, sql, params))
        throw DataError(q.lastError().text().toStdString());
    const QString highest = q.next() && !q.value(0).isNull() ? q.value(0).toString() : QString();
    return NextCodeAfter(highest, width);
}

void DataModule::FillTypeTree(QTreeWidget *tree)
{
    QSqlQuery q;
    if (!Database::exec(q, QStringLiteral("select F_name from T_code where F_type = 'hktype' order by F_ID")))
        throw DataError(q.lastError().text().toStdString());
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    if (names.isEmpty())
        return;
    tree->clear();
    tree->addTopLevelItem(new QTreeWidgetItem(QStringList{QStringLiteral("全部")}));
    for (const QString &n : names)
        tree->addTopLevelItem(new QTreeWidgetItem(QStringList{n}));
}

QString DataModule::MoneyFormat(int decimals, int kind)
{
    if (kind == 1)
        return QStringLiteral("0.") + QString(qMax(0, decimals), QLatin1Char('#'));
    if (kind == 2 || kind == 3) {
        QString tail;
        for (int i = 0; i < decimals; ++i)
            tail += i < 2 ? QLatin1Char('0') : QLatin1Char('#');
        return QStringLiteral("￥,0.") + tail;
    }
    return {};
}

bool DataModule::HasPermission(const QString &code)
{
    return QueryInteger(QStringLiteral("Select o.F_ID from OperLimit as O left join Limits as l On O.F_lmtName = L.F_name "
                                       "Where (O.F_OperName = ?) And (l.F_code = ?)"),
                        QVariantList{Run::CurrentOperator, code})
        > 0;
}

QString DataModule::backupFileName(const QDate &day)
{
    return QStringLiteral("dp") + day.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".back");
}

void DataModule::AutoBackup()
{
    const QString folder = QueryText(QStringLiteral("select f_BakPath from sysInfo"));
    if (!QFileInfo(folder.trimmed()).isDir()) {
        if (ShowMess(QStringLiteral("当前目录") + folder + QStringLiteral(" 不存在，是否创建！"), MessQuestion) != MessOk)
            return;
        if (folder.trimmed().isEmpty() || !QDir().mkpath(folder)) {
            ShowMess(QStringLiteral("目录") + folder + QStringLiteral(" 创建失败,请检测路径是否合法!"), MessError);
            return;
        }
    }
    const QString target = QDir(folder).filePath(backupFileName(QDate::currentDate()));
    if (QFileInfo::exists(target))
        return;
    if (!Database::backupTo(target))
        ShowMess(QStringLiteral("数据备份失败！"), MessError);
}
