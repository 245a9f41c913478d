#pragma once

#include <QString>

class DataGrid;

// Column layouts of the list grids, kept in cfg_Grid under a grid key (compared
// without regard to case, written in lowercase).
class GridLayouts
{
public:
    // Rebuilds the columns from the key's rows; without rows the grid keeps its
    // designed columns. False (after the error message) when the read fails.
    static bool LoadGridLayout(DataGrid *grid, const QString &key);
    // Writes every column, in on-screen order, into the key's existing rows.
    static bool SaveGridLayout(DataGrid *grid, const QString &key);
    // Replaces the key's rows with the current columns, all or nothing.
    static bool ResetGridLayout(DataGrid *grid, const QString &key);
    // The visible-columns dialog; true when the user confirmed. Nothing is saved.
    static bool ChooseDisplayFields(DataGrid *grid);

    static int alignmentCode(Qt::Alignment alignment);
};
