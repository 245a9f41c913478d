#pragma once

#include "GridColumn.h"

#include <QDialog>
#include <optional>

class DataGrid;

namespace Ui {
class TfrmRowArrangeGl;
}

// The multi-column sort dialog: each column title with empty, "升序" or "降序",
// in the order of priority.
class TfrmRowArrangeGl : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmRowArrangeGl(QWidget *parent = nullptr);
    ~TfrmRowArrangeGl() override;

    void setTitles(const QStringList &titles);
    // "f_name DESC,f_code ASC," from the rows as they stand, matching each row's
    // title with the first column of that title.
    QString sortText(const QList<GridColumn> &columns) const;

    // Shows the dialog over the grid's columns; nothing when cancelled.
    static std::optional<QString> run(DataGrid *grid);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cycleCurrent();
    void moveCurrent(int step);

    Ui::TfrmRowArrangeGl *ui;
};
