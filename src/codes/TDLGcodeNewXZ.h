#pragma once

#include <QDialog>

class QComboBox;
class SqlRowModel;

namespace Ui {
class TDLGcodeNewXZ;
}

// "基础代码选择": picks a value of one code type for a drop-down beside which it
// was opened, and may add new values to the type on the way.
class TDLGcodeNewXZ : public QDialog
{
    Q_OBJECT
public:
    explicit TDLGcodeNewXZ(QWidget *parent = nullptr);
    ~TDLGcodeNewXZ() override;

    // The type to pick from; a non-empty caption replaces the window title.
    void setCodeType(const QString &key, const QString &caption = {});
    QString codeType() const { return m_key; }

    // Shows the dialog. Returns the picked name, empty when cancelled. When a
    // value was added, the drop-down is refilled from the type; on OK the
    // picked name is selected in it.
    QString pick(QComboBox *combo);

    // The whole pick for a caller: make, pick, free.
    static QString pickCode(QWidget *parent, const QString &key, const QString &caption, QComboBox *combo);

    void search(); // 查询
    void addValue(); // 新增
    bool valueAdded() const { return m_changed; }

protected:
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool openList(const QString &sql, const QVariantList &params);
    void openAll();
    bool moveToName(const QString &name);
    bool moveToId(qint64 id);

    Ui::TDLGcodeNewXZ *ui;
    SqlRowModel *m_rows;
    QString m_key;
    bool m_changed = false;
};
