// The team points tables: a grid of text cells with a header row of letters, a column of place
// numbers, and one spare column and row for typing new tables and places into.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/team_points_source.h"

namespace points {

// Table c is column c (1..ColCount-2), place r is row r (1..RowCount-2); the last column and
// row are the spare ones. Cell texts are Windows-1251. Only cells that hold text are stored,
// so a grid with many empty places or tables costs nothing for them.
class PointsGrid final : public engine::TeamPointsSource
{
public:
    PointsGrid() = default; // no tables, no places
    PointsGrid(int tables, int places);

    int ColCount() const { return m_tables + 2; }
    int RowCount() const { return m_places + 2; }
    int TablesCount() const override { return m_tables; }
    int PlacesCount() const override { return m_places; }

    // What the grid shows: "Месца" at (0,0), letters in row 0, place numbers in column 0, the
    // stored text elsewhere; empty outside the grid and in the spare column's header.
    std::string Cell(int col, int row) const;
    // The stored text of a body cell (col >= 1, row >= 1); empty when none.
    std::string_view Value(int col, int row) const override;
    // Stores text in a body cell inside the grid; anything else is ignored.
    void SetValue(int col, int row, std::string text);

    void AddColumn() { ++m_tables; }
    void AddRow() { ++m_places; }
    // Removes table column `col` (1..ColCount-2): the body cells right of it move one left.
    void RemoveColumn(int col);
    // True when every place cell of the column is empty once bytes up to 0x20 are trimmed.
    bool ColumnIsEmpty(int col) const;

    // Written out: a defaulted one would be deleted, the interface base having none.
    bool operator==(const PointsGrid &other) const
    {
        return m_tables == other.m_tables && m_places == other.m_places && m_cells == other.m_cells;
    }

private:
    int m_tables = 0;
    int m_places = 0;
    std::map<std::pair<int, int>, std::string> m_cells; // (col, row) -> text
};

// The last table that has a letter: 64 + 191 is the last byte value.
inline constexpr int MaxTableLetterCol = 191;

// The letter of table c: the character with code 64 + c; empty for c outside 1..191.
std::string TableLetter(int col);

} // namespace points
