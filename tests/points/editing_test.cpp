#include "points/points_tables.h"
#include "points/settings_file.h"
#include "points/settings_location.h"

#include <gtest/gtest.h>

#include "engine/cp1251.h"

namespace {

using engine::operator""_w1251;
using points::OnCellEdited;
using points::PointsGrid;
using points::PointsTables;

TEST(OnCellEdited, TypingIntoTheSpareColumnOfAnEmptyGridCreatesTableAAndPlace1)
{
    PointsTables tables;
    OnCellEdited(tables, 1, 1, "10");

    EXPECT_EQ(tables.Grid.ColCount(), 3);
    EXPECT_EQ(tables.Grid.RowCount(), 3);
    EXPECT_EQ(tables.Grid.Cell(1, 0), "A");
    EXPECT_EQ(tables.Grid.Cell(0, 1), "1");
    EXPECT_EQ(tables.Grid.Value(1, 1), "10");
    EXPECT_TRUE(tables.TablesModified);
    const std::vector<std::string> captions { std::string("Без ачкоў"_w1251), "A: 10..." };
    EXPECT_EQ(tables.TableCaptions, captions);
}

TEST(OnCellEdited, TheFirstCharacterInTheSpareRowAddsThePlaceOnce)
{
    PointsTables tables { PointsGrid(1, 2), {}, false };
    OnCellEdited(tables, 1, 3, "1");
    EXPECT_EQ(tables.Grid.PlacesCount(), 3);
    OnCellEdited(tables, 1, 3, "12"); // the next keystroke is in a place row now
    EXPECT_EQ(tables.Grid.PlacesCount(), 3);
    EXPECT_EQ(tables.Grid.Value(1, 3), "12");
}

TEST(OnCellEdited, AnEmptyTextAddsNothingButMarksTheTablesModified)
{
    PointsTables tables { PointsGrid(1, 1), {}, false };
    OnCellEdited(tables, 2, 2, "");
    EXPECT_EQ(tables.Grid, PointsGrid(1, 1));
    EXPECT_TRUE(tables.TablesModified);
    EXPECT_EQ(tables.TableCaptions.size(), 2u) << "the captions are rebuilt";
}

TEST(OnCellEdited, EditsOutsideTheBodyAreIgnored)
{
    PointsTables tables { PointsGrid(1, 1), {}, false };
    OnCellEdited(tables, 0, 1, "x");
    OnCellEdited(tables, 1, 0, "x");
    OnCellEdited(tables, 3, 1, "x");
    OnCellEdited(tables, 1, 3, "x");
    EXPECT_EQ(tables.Grid, PointsGrid(1, 1));
    EXPECT_FALSE(tables.TablesModified);
}

TEST(OnCellEdited, TypingCreatesAtMost24Tables)
{
    PointsTables tables;
    for (int col = 1; col <= 30; ++col)
        OnCellEdited(tables, std::min(col, tables.Grid.ColCount() - 1), 1, "5");

    EXPECT_EQ(tables.Grid.TablesCount(), points::MaxTypedTables);
    EXPECT_EQ(tables.Grid.ColCount(), 26);
    EXPECT_EQ(tables.Grid.Cell(24, 0), "X");
    EXPECT_EQ(tables.TableCaptions.size(), 25u);
    // With 26 columns the text typed into the spare column stays there and is not saved.
    EXPECT_EQ(tables.Grid.Value(25, 1), "5");
    std::string row;
    for (int col = 1; col <= 24; ++col)
        row += "5;";
    const std::string saved = points::SavePointsTables("", tables.Grid);
    EXPECT_NE(saved.find("TablesCount=24\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\n1=" + row + "\r\n"), std::string::npos);
}

TEST(OnCellEdited, TablesLoadedFromTheFileAreNotLimitedButAddNoMore)
{
    PointsTables tables { PointsGrid(30, 1), {}, false };
    OnCellEdited(tables, 31, 1, "9");
    EXPECT_EQ(tables.Grid.TablesCount(), 30);
}

TEST(TableCaptions, ShowTheFirstThreePlacesOfEveryTable)
{
    struct Case
    {
        const char *name;
        int places;
        std::vector<std::pair<int, std::string>> columnA; // (place, text)
        std::string caption;
    };
    const Case cases[] = {
        { "no places", 0, {}, "A: ..." },
        { "one place", 1, { { 1, "25" } }, "A: 25..." },
        { "two places, second empty", 2, { { 1, "25" } }, "A: 25, ..." },
        { "more than three", 5, { { 1, "25" }, { 2, "20" }, { 3, "18" }, { 4, "16" } },
            "A: 25, 20, 18..." },
        { "text kept as typed", 3, { { 1, " 25 " }, { 3, "x;y" } }, "A:  25 , , x;y..." },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PointsGrid grid(1, c.places);
        for (const auto &[place, text] : c.columnA)
            grid.SetValue(1, place, text);
        const std::vector<std::string> expected { std::string("Без ачкоў"_w1251), c.caption };
        EXPECT_EQ(points::TableCaptions(grid), expected);
    }
}

TEST(TableCaptions, AGridWithoutTablesOffersOnlyNoPoints)
{
    const std::vector<std::string> expected { std::string("Без ачкоў"_w1251) };
    EXPECT_EQ(points::TableCaptions(PointsGrid(0, 4)), expected);
}

} // namespace
