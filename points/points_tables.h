// The points tables as the window keeps them: the grid, its captions for the group list, and
// whether the user edited it; the editing rules.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "points/points_grid.h"

namespace points {

struct PointsTables
{
    PointsGrid Grid;
    std::vector<std::string> TableCaptions; // Windows-1251; item 0 is "Без ачкоў"
    bool TablesModified = false;
};

// At most this many tables can be created by typing into the spare column (letters A..X).
inline constexpr int MaxTypedTables = 24;

// "A: 25, 20, 18..." for each table, after "Без ачкоў".
std::vector<std::string> TableCaptions(const PointsGrid &grid);
void RebuildTableCaptions(PointsTables &tables);

// The grid's reaction to every change of a cell editor's text: typing into the spare column or
// row adds a table or a place; the tables are marked modified and the captions rebuilt.
void OnCellEdited(PointsTables &tables, int col, int row, std::string text);

struct CellPosition
{
    int Col = 0;
    int Row = 0;
};

// Removes every empty table column (never the spare column, never one with a value); letters
// stay with positions. Returns where the current cell goes so that it stays inside the grid.
CellPosition CompactTables(PointsGrid &grid, CellPosition current);
// The table columns that CompactTables would remove now, in increasing order.
std::vector<int> EmptyTableColumns(const PointsGrid &grid);

} // namespace points
