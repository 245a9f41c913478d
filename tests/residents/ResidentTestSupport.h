#pragma once

#include "data/Database.h"
#include "residents/ResidentCursor.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QSqlQuery>
#include <QTimer>
#include <functional>

// The resident list as the editor sees it: every person ordered by number.
class IdListCursor : public ResidentCursor
{
public:
    IdListCursor() { reload(); }
    void reload()
    {
        ids.clear();
        QSqlQuery q;
        Database::exec(q, QStringLiteral("select F_ID from ZuZav order by F_Code, F_ID"));
        while (q.next())
            ids << q.value(0).toLongLong();
        if (row >= ids.size())
            row = ids.size() - 1;
        if (row < 0 && !ids.isEmpty())
            row = 0;
    }
    int rowCount() const override { return ids.size(); }
    int currentRow() const override { return row; }
    void setCurrentRow(int r) override { row = r; }
    qint64 currentId() const override { return row >= 0 && row < ids.size() ? ids.at(row) : 0; }
    void reopenAt(qint64 id) override
    {
        reload();
        row = ids.indexOf(id);
        reopenedAt = id;
    }
    void moveTo(qint64 id) { row = ids.indexOf(id); }

    QList<qint64> ids;
    int row = -1;
    qint64 reopenedAt = 0;
};

// Runs act on the next modal dialog once it is up (a modal exec blocks the test otherwise).
inline void whenModal(std::function<void(QDialog *)> act, QDeadlineTimer deadline = QDeadlineTimer(10000))
{
    QTimer::singleShot(20, qApp, [act, deadline] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (d && d->isVisible())
            act(d);
        else if (!deadline.hasExpired())
            whenModal(act, deadline);
    });
}
