#include "points/points_grid.h"

#include <algorithm>
#include <limits>

#include "engine/cp1251.h"
#include "engine/text.h"

namespace points {

std::string TableLetter(int col)
{
    if (col < 1 || col > MaxTableLetterCol)
        return {};
    return std::string(1, static_cast<char>(static_cast<unsigned char>(64 + col)));
}

PointsGrid::PointsGrid(int tables, int places)
    : m_tables(std::max(tables, 0))
    , m_places(std::max(places, 0))
{
}

std::string PointsGrid::Cell(int col, int row) const
{
    using engine::operator""_w1251;
    if (col == 0 && row == 0)
        return std::string("Месца"_w1251);
    if (row == 0)
        return col <= m_tables ? TableLetter(col) : std::string();
    if (col == 0)
        return row <= m_places ? std::to_string(row) : std::string();
    return std::string(Value(col, row));
}

std::string_view PointsGrid::Value(int col, int row) const
{
    const auto it = m_cells.find({ col, row });
    return it == m_cells.end() ? std::string_view() : std::string_view(it->second);
}

void PointsGrid::SetValue(int col, int row, std::string text)
{
    if (col < 1 || col >= ColCount() || row < 1 || row >= RowCount())
        return;
    if (text.empty())
        m_cells.erase({ col, row });
    else
        m_cells[{ col, row }] = std::move(text);
}

void PointsGrid::RemoveColumn(int col)
{
    if (col < 1 || col > m_tables)
        return;
    // Keys are ordered by column first, so shifting every column right of `col` by one keeps the
    // order and the cells can be appended to the new map in turn.
    std::map<std::pair<int, int>, std::string> moved;
    for (auto &[key, text] : m_cells) {
        if (key.first == col)
            continue;
        auto newKey = key;
        if (newKey.first > col)
            --newKey.first;
        moved.emplace_hint(moved.end(), newKey, std::move(text));
    }
    m_cells = std::move(moved);
    --m_tables;
}

bool PointsGrid::ColumnIsEmpty(int col) const
{
    for (auto it = m_cells.lower_bound({ col, 1 });
         it != m_cells.end() && it->first.first == col && it->first.second <= m_places; ++it) {
        if (!engine::TrimBlanks(it->second).empty())
            return false;
    }
    return true;
}

} // namespace points
