#include "CodeTableModel.h"

#include "support/Messages.h"

CodeTableModel::CodeTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

bool CodeTableModel::load(const QString &key)
{
    beginResetModel();
    m_key = key;
    m_rows.clear();
    const auto rows = CodeStore::rows(key);
    if (rows) {
        for (const CodeRow &r : *rows)
            m_rows.append({ r, r.name });
    }
    endResetModel();
    if (!rows)
        ShowMess(QStringLiteral("打开操作失败，请检查数据连接... "), MessError);
    return rows.has_value();
}

void CodeTableModel::setCaption(const QString &caption)
{
    m_caption = caption;
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

void CodeTableModel::setEditable(bool editable)
{
    m_editable = editable;
}

int CodeTableModel::appendRow()
{
    const int row = static_cast<int>(m_rows.size());
    beginInsertRows({}, row, row);
    m_rows.append(Row {});
    endInsertRows();
    return row;
}

bool CodeTableModel::rowIsNew(int row) const
{
    return row >= 0 && row < m_rows.size() && m_rows.at(row).code.id == 0;
}

bool CodeTableModel::hasChanges() const
{
    for (const Row &r : m_rows)
        if (r.code.id == 0 || r.code.name != r.stored)
            return true;
    return false;
}

QString CodeTableModel::name(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).code.name : QString();
}

CodeTableModel::ApplyResult CodeTableModel::apply(const QString &key, int *badRow)
{
    QList<CodeRow> inserted;
    QList<int> insertedAt;
    QList<CodeRow> renamed;
    for (int i = 0; i < m_rows.size(); ++i) {
        const Row &r = m_rows.at(i);
        const QString name = r.code.name.trimmed();
        if (CodeStore::tooLong(name)) {
            if (badRow)
                *badRow = i;
            return ApplyResult::TooLong;
        }
        if (r.code.id == 0) {
            inserted.append({ 0, name });
            insertedAt << i;
        } else if (name != r.stored) {
            renamed.append({ r.code.id, name });
        }
    }
    if (!CodeStore::apply(key, inserted, renamed))
        return ApplyResult::Failed;
    for (int i = 0; i < inserted.size(); ++i) {
        Row &r = m_rows[insertedAt.at(i)];
        r.code = inserted.at(i);
        r.stored = r.code.name;
    }
    for (Row &r : m_rows) {
        r.code.name = r.code.name.trimmed();
        r.stored = r.code.name;
    }
    m_key = key;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(static_cast<int>(m_rows.size()) - 1, 0));
    return ApplyResult::Applied;
}

bool CodeTableModel::discard()
{
    return load(m_key);
}

bool CodeTableModel::removeNow(int row)
{
    if (row < 0 || row >= m_rows.size())
        return false;
    const qint64 id = m_rows.at(row).code.id;
    if (id != 0 && !CodeStore::remove(id))
        return false;
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
    return true;
}

int CodeTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CodeTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant CodeTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_rows.at(index.row()).code.name;
    return {};
}

bool CodeTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!m_editable || role != Qt::EditRole || !index.isValid() || index.row() >= m_rows.size())
        return false;
    m_rows[index.row()].code.name = value.toString();
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags CodeTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_editable && index.isValid())
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant CodeTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section == 0 ? m_caption : QVariant();
    return section + 1;
}
