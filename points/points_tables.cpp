#include "points/points_tables.h"

#include <algorithm>

#include "engine/cp1251.h"

namespace points {

using engine::operator""_w1251;

std::vector<std::string> TableCaptions(const PointsGrid &grid)
{
    std::vector<std::string> captions;
    captions.reserve(static_cast<std::size_t>(grid.TablesCount()) + 1);
    captions.emplace_back("Без ачкоў"_w1251);
    const int shown = std::min(3, grid.PlacesCount());
    for (int col = 1; col <= grid.TablesCount(); ++col) {
        std::string caption = TableLetter(col) + ": ";
        for (int row = 1; row <= shown; ++row) {
            if (row > 1)
                caption += ", ";
            caption += grid.Value(col, row);
        }
        caption += "...";
        captions.push_back(std::move(caption));
    }
    return captions;
}

void RebuildTableCaptions(PointsTables &tables)
{
    tables.TableCaptions = TableCaptions(tables.Grid);
}

void OnCellEdited(PointsTables &tables, int col, int row, std::string text)
{
    PointsGrid &grid = tables.Grid;
    if (col < 1 || col >= grid.ColCount() || row < 1 || row >= grid.RowCount())
        return; // the header row and the place column are not edited
    if (!text.empty()) {
        // Typing into the spare column makes it table `col` and brings a new spare column, up
        // to the last letter typed tables get; the spare row likewise becomes place `row`.
        if (col == grid.ColCount() - 1 && grid.TablesCount() < MaxTypedTables)
            grid.AddColumn();
        if (row == grid.RowCount() - 1)
            grid.AddRow();
    }
    grid.SetValue(col, row, std::move(text));
    tables.TablesModified = true;
    RebuildTableCaptions(tables);
}

CellPosition CompactTables(PointsGrid &grid, CellPosition current)
{
    // The current cell stays on its text: a column removed left of it moves it one left; when
    // its own column goes it keeps its index, now on the column that moved in (at worst the
    // spare one). It ends on a body cell.
    for (int col = grid.TablesCount(); col >= 1; --col) {
        if (!grid.ColumnIsEmpty(col))
            continue;
        grid.RemoveColumn(col);
        if (col < current.Col)
            --current.Col;
    }
    current.Col = std::clamp(current.Col, 1, grid.ColCount() - 1);
    current.Row = std::clamp(current.Row, 1, grid.RowCount() - 1);
    return current;
}

std::vector<int> EmptyTableColumns(const PointsGrid &grid)
{
    std::vector<int> empty;
    for (int col = 1; col <= grid.TablesCount(); ++col) {
        if (grid.ColumnIsEmpty(col))
            empty.push_back(col);
    }
    return empty;
}

} // namespace points
