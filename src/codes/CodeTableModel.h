#pragma once

#include "CodeStore.h"

#include <QAbstractTableModel>

// The rows of one code type with the manager's cached edits: renames and new
// rows stay in memory until apply() writes them together or discard() drops them.
class CodeTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum class ApplyResult { Applied, TooLong, Failed };

    explicit CodeTableModel(QObject *parent = nullptr);

    // Reads the type's rows and forgets every cached edit. On failure shows the
    // open-failure message and leaves the list empty.
    bool load(const QString &key);
    QString key() const { return m_key; }
    void setCaption(const QString &caption);
    QString caption() const { return m_caption; }

    void setEditable(bool editable);
    bool isEditable() const { return m_editable; }
    // An empty row at the end; its index.
    int appendRow();
    bool rowIsNew(int row) const;
    bool hasChanges() const;
    QString name(int row) const;

    // Writes the cached edits under the given key (trimmed names). On TooLong,
    // badRow is the first offending row; nothing is written unless Applied.
    ApplyResult apply(const QString &key, int *badRow = nullptr);
    // Drops the cached edits by reading the rows again.
    bool discard();
    // Deletes one stored row from the database at once.
    bool removeNow(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct Row
    {
        CodeRow code;
        QString stored; // the name in the database
    };
    QList<Row> m_rows;
    QString m_key;
    QString m_caption;
    bool m_editable = false;
};
