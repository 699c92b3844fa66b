#include "points/points_grid.h"

#include <gtest/gtest.h>

#include "engine/cp1251.h"

namespace {

using engine::operator""_w1251;
using points::PointsGrid;

TEST(PointsGrid, ShowsHeaderRowPlaceColumnAndSpareCells)
{
    PointsGrid grid(2, 3);
    grid.SetValue(1, 1, "25");
    grid.SetValue(3, 2, "typed into the spare column");

    struct Case
    {
        int col, row;
        std::string shown;
    };
    const Case cases[] = {
        { 0, 0, std::string("Месца"_w1251) },
        { 1, 0, "A" },
        { 2, 0, "B" },
        { 3, 0, "" }, // the spare column has no letter
        { 0, 1, "1" },
        { 0, 3, "3" },
        { 0, 4, "" }, // the spare row has no number
        { 1, 1, "25" },
        { 2, 1, "" },
        { 3, 2, "typed into the spare column" },
        { 4, 0, "" },
        { 0, 5, "" },
    };
    EXPECT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(grid.RowCount(), 5);
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "cell " << c.col << "," << c.row);
        EXPECT_EQ(grid.Cell(c.col, c.row), c.shown);
    }
}

TEST(PointsGrid, StoresOnlyBodyCellsInsideTheGrid)
{
    PointsGrid grid(1, 1); // columns 0..2, rows 0..2
    grid.SetValue(0, 1, "x");
    grid.SetValue(1, 0, "x");
    grid.SetValue(3, 1, "x");
    grid.SetValue(1, 3, "x");
    grid.SetValue(-1, 1, "x");
    EXPECT_EQ(grid, PointsGrid(1, 1));

    grid.SetValue(2, 2, "spare corner");
    EXPECT_EQ(grid.Value(2, 2), "spare corner");
    grid.SetValue(2, 2, "");
    EXPECT_EQ(grid, PointsGrid(1, 1)) << "an emptied cell is not kept";
}

TEST(PointsGrid, NegativeSizesMeanAnEmptyGrid)
{
    const PointsGrid grid(-5, -1);
    EXPECT_EQ(grid.ColCount(), 2);
    EXPECT_EQ(grid.RowCount(), 2);
}

TEST(PointsGrid, RemoveColumnMovesTheColumnsRightOfItLeft)
{
    PointsGrid grid(3, 2);
    grid.SetValue(1, 1, "a1");
    grid.SetValue(2, 1, "b1");
    grid.SetValue(2, 2, "b2");
    grid.SetValue(3, 2, "c2");
    grid.SetValue(4, 1, "spare");

    grid.RemoveColumn(2);

    PointsGrid expected(2, 2);
    expected.SetValue(1, 1, "a1");
    expected.SetValue(2, 2, "c2");
    expected.SetValue(3, 1, "spare");
    EXPECT_EQ(grid, expected);
}

TEST(PointsGrid, RemoveColumnIgnoresTheSpareColumnAndPositionsOutside)
{
    PointsGrid grid(1, 1);
    grid.SetValue(1, 1, "a");
    const PointsGrid before = grid;
    grid.RemoveColumn(0);
    grid.RemoveColumn(2); // the spare column
    grid.RemoveColumn(7);
    EXPECT_EQ(grid, before);
}

TEST(PointsGrid, ColumnIsEmptyIgnoresBlanksAndControlBytes)
{
    PointsGrid grid(3, 2);
    grid.SetValue(1, 1, " \t\x01 ");
    grid.SetValue(1, 2, "\x1f");
    grid.SetValue(2, 2, " 0 ");
    grid.SetValue(3, 1, "\xA0"); // a no-break space in Windows-1251 is text
    EXPECT_TRUE(grid.ColumnIsEmpty(1));
    EXPECT_FALSE(grid.ColumnIsEmpty(2));
    EXPECT_FALSE(grid.ColumnIsEmpty(3));
}

TEST(PointsGrid, ColumnIsEmptyLooksOnlyAtPlaceRows)
{
    PointsGrid grid(1, 1);
    grid.SetValue(1, 2, "in the spare row");
    EXPECT_TRUE(grid.ColumnIsEmpty(1));
}

TEST(PointsGrid, TableLettersRunFromAToTheLastByte)
{
    EXPECT_EQ(points::TableLetter(1), "A");
    EXPECT_EQ(points::TableLetter(24), "X");
    EXPECT_EQ(points::TableLetter(26), "Z");
    EXPECT_EQ(points::TableLetter(191), "\xFF");
    EXPECT_EQ(points::TableLetter(192), "");
    EXPECT_EQ(points::TableLetter(0), "");
}

TEST(PointsGrid, TeamPointsSourceReadsTablesAndPlaces)
{
    PointsGrid grid(2, 3);
    grid.SetValue(2, 3, "7");
    const engine::TeamPointsSource &source = grid;
    EXPECT_EQ(source.TablesCount(), 2);
    EXPECT_EQ(source.PlacesCount(), 3);
    EXPECT_EQ(source.Value(2, 3), "7");
    EXPECT_EQ(source.Value(1, 3), "");
}

} // namespace
