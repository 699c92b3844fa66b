#include <gtest/gtest.h>

#include "engine/cp1251.h"
#include "points/points_tables.h"
#include "points/settings_file.h"
#include "points/settings_location.h"
#include "points/points_values.h"

namespace {

using engine::operator""_w1251;
using points::LoadPointsTables;
using points::PointsGrid;
using points::PointsTables;
using points::SavePointsTables;

std::string W(std::string_view windows1251) { return std::string(windows1251); }

TEST(LoadPointsTables, CaptionsOfTwoTables)
{
    const auto loaded = LoadPointsTables("[Ochki]\r\nTablesCount=2\r\nPlacesCount=3\r\n"
                                         "1=25;20;\r\n2=18;16;\r\n3=15;;\r\n");
    const std::vector<std::string> expected { W("Без ачкоў"_w1251), "A: 25, 18, 15...",
        "B: 20, 16, ..." };
    EXPECT_EQ(loaded.Tables.TableCaptions, expected);
    EXPECT_FALSE(loaded.Tables.TablesModified);
    EXPECT_TRUE(loaded.Warnings.empty());
}

TEST(LoadPointsTables, AMissingFileGivesNoTablesAndNoPlaces)
{
    const auto loaded = LoadPointsTables("");
    EXPECT_EQ(loaded.Tables.Grid, PointsGrid());
    EXPECT_EQ(loaded.Tables.TableCaptions, std::vector<std::string> { W("Без ачкоў"_w1251) });
    EXPECT_TRUE(loaded.Warnings.empty());
}

TEST(LoadPointsTables, ARowIsSplitAtSemicolons)
{
    struct Case
    {
        const char *name;
        std::string row;
        std::vector<std::string> cells; // tables A, B, C
    };
    const Case cases[] = {
        { "every cell followed by ';'", "25;30;;", { "25", "30", "" } },
        { "text after the last ';' is not used", "25;30", { "25", "", "" } },
        { "no ';' at all", "25", { "", "", "" } },
        { "more cells than tables", "a;b;c;d;", { "a", "b", "c" } },
        { "empty cells first", ";;7;", { "", "", "7" } },
        { "an empty value", "", { "", "", "" } },
        { "blanks around the value go, inside cells they stay", " \x01 5 ;6 ; 7;\t",
            { "5 ", "6 ", " 7" } },
        { "Windows-1251 text", W("дзесяць;;ёж;"_w1251), { W("дзесяць"_w1251), "", W("ёж"_w1251) } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto loaded
            = LoadPointsTables("[Ochki]\nTablesCount=3\nPlacesCount=1\n1=" + c.row + "\n");
        const PointsGrid &grid = loaded.Tables.Grid;
        ASSERT_EQ(grid.TablesCount(), 3);
        for (int col = 1; col <= 3; ++col)
            EXPECT_EQ(grid.Value(col, 1), c.cells[col - 1]) << "table " << col;
    }
}

TEST(LoadPointsTables, AValueIsReadWhole)
{
    const std::string longCell(5000, '7');
    const auto loaded
        = LoadPointsTables("[Ochki]\nTablesCount=2\nPlacesCount=1\n1=1;" + longCell + ";\n");
    EXPECT_EQ(loaded.Tables.Grid.Value(2, 1), longCell);
}

TEST(LoadPointsTables, Counts)
{
    struct Case
    {
        const char *value;
        int count;
        bool warns;
    };
    const Case cases[] = {
        { "3", 3, false },
        { " 3 ", 3, false },
        { "+3", 3, false },
        { "0x3", 3, false },
        { "$A", 10, false },
        { "0", 0, false },
        { "191", 191, false },
        { "192", 0, true },
        { "99999999", 0, true },
        { "2147483648", 0, true },
        { "-3", 0, true },
        { "abc", 0, true },
        { "3 tables", 0, true },
        { "", 0, true },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        const auto tables = LoadPointsTables(
            std::string("[Ochki]\nTablesCount=") + c.value + "\nPlacesCount=1\n");
        EXPECT_EQ(tables.Tables.Grid.TablesCount(), c.count);
        EXPECT_EQ(tables.Tables.Grid.PlacesCount(), 1);
        EXPECT_EQ(!tables.Warnings.empty(), c.warns)
            << points::DescribeWarnings("INI", tables.Warnings);

        const auto places = LoadPointsTables(
            std::string("[Ochki]\nTablesCount=1\nPlacesCount=") + c.value + "\n");
        const int placesExpected = std::string_view(c.value) == "192" ? 192 : c.count;
        EXPECT_EQ(places.Tables.Grid.PlacesCount(), placesExpected);
        EXPECT_EQ(places.Tables.Grid.TablesCount(), 1);
    }
}

TEST(LoadPointsTables, PlacesAboveTheLimitReadAsZeroWithAWarning)
{
    const std::string limit = std::to_string(points::MaxLoadedPlaces);
    const std::string above = std::to_string(points::MaxLoadedPlaces + 1);
    EXPECT_EQ(LoadPointsTables("[Ochki]\nPlacesCount=" + limit).Tables.Grid.PlacesCount(),
        points::MaxLoadedPlaces);
    const auto loaded = LoadPointsTables("[Ochki]\nPlacesCount=" + above);
    EXPECT_EQ(loaded.Tables.Grid.PlacesCount(), 0);
    ASSERT_EQ(loaded.Warnings.size(), 1u);
    EXPECT_EQ(loaded.Warnings[0].Line, 2u); // the key's line, after the section's
    EXPECT_NE(loaded.Warnings[0].Reason.find("PlacesCount"), std::string::npos);
}

TEST(LoadPointsTables, HugeGridsHoldOnlyTheCellsOfTheFile)
{
    std::string row;
    for (int col = 1; col <= points::MaxLoadedTables; ++col)
        row += "x;";
    const std::string places = std::to_string(points::MaxLoadedPlaces);
    const auto loaded = LoadPointsTables(
        "[Ochki]\nTablesCount=191\nPlacesCount=" + places + "\n" + places + "=" + row);

    PointsGrid expected(points::MaxLoadedTables, points::MaxLoadedPlaces);
    for (int col = 1; col <= points::MaxLoadedTables; ++col)
        expected.SetValue(col, points::MaxLoadedPlaces, "x");
    EXPECT_EQ(loaded.Tables.Grid, expected);
    EXPECT_EQ(loaded.Tables.TableCaptions.size(), 192u);
    // Saving the largest grid that loads stays small.
    EXPECT_LT(SavePointsTables("", loaded.Tables.Grid).size(), 3u * 1024 * 1024);
}

TEST(LoadPointsTables, SectionsAndKeysMatchWithoutRegardToCase)
{
    const auto loaded = LoadPointsTables("[oCHKI]\ntablescount=1\nPLACESCOUNT=2\n1=5;\n2=4;\n");
    PointsGrid expected(1, 2);
    expected.SetValue(1, 1, "5");
    expected.SetValue(1, 2, "4");
    EXPECT_EQ(loaded.Tables.Grid, expected);
}

TEST(LoadPointsTables, KeysAndSectionsAreTrimmedOfControlBytes)
{
    const auto loaded = LoadPointsTables("[ \x01Ochki\x02 ]\n\x01TablesCount\x0b = \x0c 1\x1f\n"
                                         "PlacesCount=1\n\x01 1 \x02=5;\n");
    EXPECT_EQ(loaded.Tables.Grid.TablesCount(), 1);
    EXPECT_EQ(loaded.Tables.Grid.Value(1, 1), "5");
}

TEST(LoadPointsTables, TheFirstOccurrenceOfAKeyWins)
{
    const auto loaded = LoadPointsTables("[Ochki]\nTablesCount=1\nPlacesCount=1\n1=first;\n"
                                         "TablesCount=2\n1=second;\n"
                                         "[Other]\nPlacesCount=5\n"
                                         "[OCHKI]\nPlacesCount=3\n1=third;\n");
    EXPECT_EQ(loaded.Tables.Grid.TablesCount(), 1);
    EXPECT_EQ(loaded.Tables.Grid.PlacesCount(), 1);
    EXPECT_EQ(loaded.Tables.Grid.Value(1, 1), "first");
}

TEST(LoadPointsTables, AKeyInALaterSectionOfTheSameNameCounts)
{
    const auto loaded = LoadPointsTables(
        "[Ochki]\nTablesCount=1\n[Other]\n1=other;\n[ochki]\nPlacesCount=1\n1=ours;\n");
    EXPECT_EQ(loaded.Tables.Grid.PlacesCount(), 1);
    EXPECT_EQ(loaded.Tables.Grid.Value(1, 1), "ours");
}

TEST(LoadPointsTables, ARowKeyIsThePlaceWrittenPlainly)
{
    const auto loaded
        = LoadPointsTables("[Ochki]\nTablesCount=1\nPlacesCount=2\n01=zero-one;\n+2=plus;\n"
                           "2.0=point;\n0x2=hex;\n");
    EXPECT_EQ(loaded.Tables.Grid.Value(1, 1), "");
    EXPECT_EQ(loaded.Tables.Grid.Value(1, 2), "");
}

TEST(LoadPointsTables, RowsAbovePlacesCountAreIgnored)
{
    const auto loaded = LoadPointsTables("[Ochki]\nTablesCount=1\nPlacesCount=1\n1=a;\n2=b;\n");
    PointsGrid expected(1, 1);
    expected.SetValue(1, 1, "a");
    EXPECT_EQ(loaded.Tables.Grid, expected);
}

TEST(LoadPointsTables, AFileTruncatedInARowKeepsWhatIsReadable)
{
    const std::string full
        = "[Ochki]\r\nTablesCount=3\r\nPlacesCount=3\r\n1=25;20;18;\r\n2=16;15;14;\r\n";
    for (std::size_t size = 0; size <= full.size(); ++size) {
        SCOPED_TRACE(size);
        const auto loaded = LoadPointsTables(full.substr(0, size));
        const PointsGrid &grid = loaded.Tables.Grid;
        EXPECT_LE(grid.TablesCount(), 3);
        EXPECT_LE(grid.PlacesCount(), 3);
        EXPECT_TRUE(grid.Value(1, 1) == "" || grid.Value(1, 1) == "25");
    }
    const auto cut = LoadPointsTables(full.substr(0, full.size() - 6)); // "2=16;15" remains
    EXPECT_EQ(cut.Tables.Grid.Value(1, 2), "16");
    EXPECT_EQ(cut.Tables.Grid.Value(2, 2), "");
    EXPECT_EQ(cut.Tables.Grid.Value(3, 1), "18");
}

TEST(LoadPointsTables, ReadingStopsAtANulByte)
{
    const auto loaded
        = LoadPointsTables(std::string("[Ochki]\nTablesCount=1\n") + '\0' + "PlacesCount=1\n");
    EXPECT_EQ(loaded.Tables.Grid.TablesCount(), 1);
    EXPECT_EQ(loaded.Tables.Grid.PlacesCount(), 0);
}

// A settings file as a user could have edited it by hand.
std::string HandWrittenFile()
{
    return W("; Табліцы ачкоў\r\n"_w1251) + "\r\n"
        + "[Ochki]\r\n"
          "TablesCount=3\r\n"
          "PlacesCount=2\r\n"
          "1=25;30;;\r\n"
        + W("2=Дзесяць;20;5;\r\n"_w1251)
        + "; the next key is not ours\r\n"
          "Sorted = yes ; really\r\n"
          "\r\n"
        + W("[Іншае]\r\nІмя = Сяргей\r\n"_w1251)
        + "2=not a place of ours\r\n"
          "   # an indented comment\r\n";
}

TEST(SavePointsTables, AHandWrittenFileLoadsAsWritten)
{
    const auto loaded = LoadPointsTables(HandWrittenFile());
    PointsGrid expected(3, 2);
    expected.SetValue(1, 1, "25");
    expected.SetValue(2, 1, "30");
    expected.SetValue(1, 2, W("Дзесяць"_w1251));
    expected.SetValue(2, 2, "20");
    expected.SetValue(3, 2, "5");
    EXPECT_EQ(loaded.Tables.Grid, expected);
    // A word is no points value: kept, and told with its key's line.
    ASSERT_EQ(loaded.Warnings.size(), 1u);
    EXPECT_EQ(loaded.Warnings[0].Reason,
        "table A, key \"2\": \"Дзесяць\" is not a points value, a whole number 0-99999");
    ASSERT_EQ(loaded.BadValues.size(), 1u);
    EXPECT_EQ(loaded.BadValues[0].Table, 1);
    EXPECT_EQ(loaded.BadValues[0].Where, loaded.Warnings[0]);
}

TEST(SavePointsTables, WithoutEditsTheFileIsUnchanged)
{
    const std::string file = HandWrittenFile();
    EXPECT_EQ(SavePointsTables(file, LoadPointsTables(file).Tables.Grid), file);

    const std::string windows
        = "[Ochki]\r\nTablesCount=2\r\nPlacesCount=3\r\n1=25;20;\r\n2=18;16;\r\n3=15;;\r\n";
    EXPECT_EQ(SavePointsTables(windows, LoadPointsTables(windows).Tables.Grid), windows);
}

TEST(SavePointsTables, AnEditChangesOnlyItsRow)
{
    const std::string file = HandWrittenFile();
    auto tables = LoadPointsTables(file).Tables;
    points::OnCellEdited(tables, 3, 1, "12");

    std::string expected = file;
    const std::string oldRow = "\r\n1=25;30;;\r\n";
    expected.replace(expected.find(oldRow), oldRow.size(), "\r\n1=25;30;12;\r\n");
    EXPECT_EQ(SavePointsTables(file, tables.Grid), expected);
}

TEST(SavePointsTables, ANewPlaceGoesAfterTheSectionsLastKey)
{
    const std::string file = HandWrittenFile();
    auto tables = LoadPointsTables(file).Tables;
    points::OnCellEdited(tables, 2, 3, "7");

    std::string expected = file;
    const std::string lastKey = "Sorted = yes ; really\r\n";
    expected.insert(expected.find(lastKey) + lastKey.size(), "3=;7;;\r\n");
    const std::string oldCount = "PlacesCount=2";
    expected.replace(expected.find(oldCount), oldCount.size(), "PlacesCount=3");
    EXPECT_EQ(SavePointsTables(file, tables.Grid), expected);
}

TEST(SavePointsTables, ATypedSemicolonIsSavedAndSplitsTheRowAtTheNextStart)
{
    PointsTables tables { PointsGrid(2, 1), {}, false };
    points::OnCellEdited(tables, 1, 1, "1;2");
    points::OnCellEdited(tables, 2, 1, "x");
    const std::string saved = SavePointsTables("", tables.Grid);
    EXPECT_EQ(saved, "[Ochki]\r\nTablesCount=2\r\nPlacesCount=1\r\n1=1;2;x;\r\n");
    const PointsGrid reloaded = LoadPointsTables(saved).Tables.Grid;
    EXPECT_EQ(reloaded.Value(1, 1), "1");
    EXPECT_EQ(reloaded.Value(2, 1), "2");
}

TEST(SavePointsTables, WhereTheKeysGo)
{
    PointsGrid grid(1, 1);
    grid.SetValue(1, 1, "5");
    struct Case
    {
        const char *name;
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        { "a new file", "", "[Ochki]\r\nTablesCount=1\r\nPlacesCount=1\r\n1=5;\r\n" },
        { "another section, LF", "[x]\na=1\n",
            "[x]\na=1\n\n[Ochki]\nTablesCount=1\nPlacesCount=1\n1=5;\n" },
        { "last line without a break", "a=1",
            "a=1\r\n\r\n[Ochki]\r\nTablesCount=1\r\nPlacesCount=1\r\n1=5;\r\n" },
        { "an empty section", "[Ochki]\n[x]\na=1\n",
            "[Ochki]\nTablesCount=1\nPlacesCount=1\n1=5;\n[x]\na=1\n" },
        { "a header without a break", "[x]\n[Ochki]",
            "[x]\n[Ochki]\nTablesCount=1\nPlacesCount=1\n1=5;\n" },
        { "the key's spelling is kept", "[OCHKI]\r\ntablescount=9\r\nplacescount = 7 \r\n1=x;\r\n",
            "[OCHKI]\r\ntablescount=1\r\nplacescount=1\r\n1=5;\r\n" },
        { "rows above the count and other keys stay",
            "[Ochki]\nTablesCount=1\nPlacesCount=3\n1=a;\n01=b;\n3=c;\n",
            "[Ochki]\nTablesCount=1\nPlacesCount=1\n1=5;\n01=b;\n3=c;\n" },
        { "later duplicates stay", "[Ochki]\nTablesCount=4\nTablesCount=7\nPlacesCount=1\n1=a;\n",
            "[Ochki]\nTablesCount=1\nTablesCount=7\nPlacesCount=1\n1=5;\n" },
        { "keys spread over two sections of the name",
            "[Ochki]\nTablesCount=4\n[x]\na=1\n[ochki]\nPlacesCount=1\n",
            "[Ochki]\nTablesCount=1\n[x]\na=1\n[ochki]\nPlacesCount=1\n1=5;\n" },
        { "bytes after a NUL are kept", std::string("[x]\n") + '\0' + "[Ochki]\n",
            std::string("[x]\n\n[Ochki]\nTablesCount=1\nPlacesCount=1\n1=5;\n") + '\0'
                + "[Ochki]\n" },
        { "a byte-order mark", "\xEF\xBB\xBF",
            "\xEF\xBB\xBF[Ochki]\r\nTablesCount=1\r\nPlacesCount=1\r\n1=5;\r\n" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string saved = SavePointsTables(c.before, grid);
        EXPECT_EQ(saved, c.after);
        EXPECT_EQ(LoadPointsTables(saved).Tables.Grid, grid);
    }
}

TEST(SavePointsTables, LineBreaksInACellCannotBreakTheFile)
{
    PointsGrid grid(2, 1);
    grid.SetValue(1, 1, "a\r\nTablesCount=99");
    grid.SetValue(2, 1, std::string("b\0c", 3));
    const std::string saved = SavePointsTables("", grid);
    EXPECT_EQ(saved, "[Ochki]\r\nTablesCount=2\r\nPlacesCount=1\r\n1=a  TablesCount=99;b c;\r\n");
    EXPECT_EQ(LoadPointsTables(saved).Tables.Grid.TablesCount(), 2);
}

TEST(SavePointsTables, RemovedTablesShortenTheRows)
{
    const std::string file
        = "[Ochki]\r\nTablesCount=3\r\nPlacesCount=2\r\n1=25;;18;\r\n2=20;;;\r\n";
    PointsGrid grid = LoadPointsTables(file).Tables.Grid;
    points::CompactTables(grid, { 1, 1 });
    EXPECT_EQ(SavePointsTables(file, grid),
        "[Ochki]\r\nTablesCount=2\r\nPlacesCount=2\r\n1=25;18;\r\n2=20;;\r\n");
}

} // namespace

namespace {

TEST(LoadPointsTables, OnlyWholeNumbersThatFitTheFieldArePointsValues)
{
    struct Case
    {
        const char *name;
        std::string cell;
        bool good;
    };
    const Case cases[] = {
        { "empty", "", true },
        { "zero", "0", true },
        { "the largest", "99999", true },
        { "leading zeros that fit", "00007", true },
        { "too large", "100000", false },
        { "markup", "</pre><script>alert(document.domain)</script><pre>", false },
        { "letters after digits", "25abc", false },
        { "an exponent", "1e9", false },
        { "a sign", "-1", false },
        { "a fraction", "1.5", false },
        { "a blank inside the cell", " 7", false },
        { "megabytes", std::string(10 << 20, '7'), false },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(points::IsPointsValue(c.cell), c.good);
        // Table B of place 2, on the file's fifth line; the bytes stay as they are.
        const std::string file
            = "[Ochki]\r\nTablesCount=2\r\nPlacesCount=2\r\n1=25;20;\r\n2=18;" + c.cell + ";\r\n";
        const auto loaded = LoadPointsTables(file);
        EXPECT_EQ(loaded.Tables.Grid.Value(2, 2), c.cell);
        EXPECT_EQ(SavePointsTables(file, loaded.Tables.Grid), file);
        EXPECT_TRUE(loaded.Lost.empty());
        if (c.good) {
            EXPECT_TRUE(loaded.BadValues.empty());
            continue;
        }
        ASSERT_EQ(loaded.BadValues.size(), 1u);
        EXPECT_EQ(loaded.BadValues[0].Table, 2);
        EXPECT_EQ(loaded.BadValues[0].Where.Line, 5u);
        EXPECT_TRUE(loaded.BadValues[0].Where.Reason.starts_with("table B, key \"2\": \""));
        EXPECT_LT(loaded.BadValues[0].Where.Reason.size(), 120u);
        EXPECT_EQ(loaded.Warnings.size(), 1u);
    }
}

} // namespace
