#include "points/points_tables.h"
#include "points/settings_file.h"
#include "points/settings_location.h"

#include <gtest/gtest.h>

namespace {

using points::CellPosition;
using points::CompactTables;
using points::PointsGrid;

// A grid of one place row per text: column c holds texts[c - 1] in place 1 ("" for none).
PointsGrid OneRowGrid(const std::vector<std::string> &texts, int places = 1)
{
    PointsGrid grid(static_cast<int>(texts.size()), places);
    for (std::size_t i = 0; i < texts.size(); ++i)
        grid.SetValue(static_cast<int>(i) + 1, 1, texts[i]);
    return grid;
}

std::vector<std::string> PlaceOneOf(const PointsGrid &grid)
{
    std::vector<std::string> texts;
    for (int col = 1; col <= grid.TablesCount(); ++col)
        texts.emplace_back(grid.Value(col, 1));
    return texts;
}

TEST(CompactTables, RemovesExactlyTheEmptyTables)
{
    struct Case
    {
        const char *name;
        std::vector<std::string> before;
        std::vector<std::string> after;
        std::vector<int> removed; // as EmptyTableColumns tells beforehand
    };
    const Case cases[] = {
        { "nothing empty", { "25", "20" }, { "25", "20" }, {} },
        { "first empty: B becomes A", { "", "20" }, { "20" }, { 1 } },
        { "neighbours empty", { "", "", "18", "" }, { "18" }, { 1, 2, 4 } },
        { "every second", { "1", " ", "3", "\t", "5" }, { "1", "3", "5" }, { 2, 4 } },
        { "a zero is a value", { "0", "" }, { "0" }, { 2 } },
        { "all empty", { "", " ", "\x01" }, {}, { 1, 2, 3 } },
        { "no tables", {}, {}, {} },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PointsGrid grid = OneRowGrid(c.before);
        EXPECT_EQ(points::EmptyTableColumns(grid), c.removed);
        CompactTables(grid, { 1, 1 });
        EXPECT_EQ(PlaceOneOf(grid), c.after);
        EXPECT_EQ(grid.Cell(static_cast<int>(c.after.size()) + 1, 0), "") << "the spare header";
        EXPECT_TRUE(points::EmptyTableColumns(grid).empty());
    }
}

TEST(CompactTables, LettersStayWithPositions)
{
    PointsGrid grid(3, 2);
    grid.SetValue(1, 2, "a");
    grid.SetValue(3, 1, "c1");
    grid.SetValue(3, 2, "c2");
    CompactTables(grid, { 1, 1 });

    PointsGrid expected(2, 2);
    expected.SetValue(1, 2, "a");
    expected.SetValue(2, 1, "c1");
    expected.SetValue(2, 2, "c2");
    EXPECT_EQ(grid, expected);
    EXPECT_EQ(grid.Cell(2, 0), "B");
}

TEST(CompactTables, KeepsTheSpareColumnAndItsText)
{
    // 24 tables: text typed into the spare column stays in it.
    std::vector<std::string> texts(24, "1");
    texts[2] = "";
    PointsGrid grid = OneRowGrid(texts);
    grid.SetValue(25, 1, "spare");
    CompactTables(grid, { 1, 1 });
    EXPECT_EQ(grid.TablesCount(), 23);
    EXPECT_EQ(grid.Value(24, 1), "spare");
}

TEST(CompactTables, WithoutPlacesEveryTableIsRemoved)
{
    PointsGrid grid(5, 0);
    CompactTables(grid, { 3, 1 });
    EXPECT_EQ(grid.ColCount(), 2);
}

TEST(CompactTables, NeverRemovesRows)
{
    PointsGrid grid(2, 4);
    grid.SetValue(1, 1, "25");
    CompactTables(grid, { 1, 1 });
    EXPECT_EQ(grid.PlacesCount(), 4);
}

TEST(CompactTables, TheCurrentCellFollowsItsTextAndStaysInside)
{
    struct Case
    {
        const char *name;
        std::vector<std::string> tables;
        CellPosition current;
        CellPosition expected;
    };
    const Case cases[] = {
        { "nothing removed", { "1", "2" }, { 2, 1 }, { 2, 1 } },
        { "a column left of it removed", { "", "2", "3" }, { 3, 1 }, { 2, 1 } },
        { "two columns left of it removed", { "", "", "3" }, { 3, 1 }, { 1, 1 } },
        { "its own column removed: the next one moves in", { "1", "", "3" }, { 2, 1 }, { 2, 1 } },
        { "the last table removed: the spare column", { "1", "" }, { 2, 1 }, { 2, 1 } },
        { "on the spare column", { "", "2" }, { 3, 1 }, { 2, 1 } },
        { "everything removed", { "", "" }, { 2, 1 }, { 1, 1 } },
        { "the spare row is kept", { "1" }, { 1, 2 }, { 1, 2 } },
        { "outside the grid", { "1", "" }, { 9, 9 }, { 2, 2 } },
        { "on a fixed cell", { "1" }, { 0, 0 }, { 1, 1 } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PointsGrid grid = OneRowGrid(c.tables);
        const CellPosition result = CompactTables(grid, c.current);
        EXPECT_EQ(result.Col, c.expected.Col);
        EXPECT_EQ(result.Row, c.expected.Row);
        EXPECT_LT(result.Col, grid.ColCount());
        EXPECT_LT(result.Row, grid.RowCount());
    }
}

TEST(CompactTables, TheCurrentCellStaysOnTheSameText)
{
    PointsGrid grid = OneRowGrid({ "", "b", "", "d", "" });
    const CellPosition result = CompactTables(grid, { 4, 1 });
    EXPECT_EQ(grid.Value(result.Col, result.Row), "d");
}

} // namespace
