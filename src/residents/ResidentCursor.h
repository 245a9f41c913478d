#pragma once

#include <QtGlobal>

// The resident list as the record editor sees it: which row is current, moving
// it, and reopening it after a save. The main window implements it over its list.
class ResidentCursor
{
public:
    virtual ~ResidentCursor() = default;

    virtual int rowCount() const = 0;
    // -1 when no row is current.
    virtual int currentRow() const = 0;
    virtual void setCurrentRow(int row) = 0;
    // F_ID of the current row, 0 when there is none.
    virtual qint64 currentId() const = 0;
    // After a save: reread the list, make the row with this F_ID current and
    // rewrite whatever shows the list's count.
    virtual void reopenAt(qint64 id) = 0;
};
