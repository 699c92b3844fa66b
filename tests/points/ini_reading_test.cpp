// The writer finds keys with its own scan of the file; reading goes through SimpleIni. These
// tests hold the two to the same reading, on chosen and on generated files.
#include <random>

#include <gtest/gtest.h>

#include "points/points_tables.h"
#include "points/settings_file.h"
#include "points/settings_location.h"
#include "engine/text.h"
#include "points/settings_ini.h"

namespace points {

void PrintTo(const IniEntry &entry, std::ostream *out)
{
    *out << testing::PrintToString(entry.Section) << " " << testing::PrintToString(entry.Key) << "="
         << testing::PrintToString(entry.Value);
}

} // namespace points

namespace {

using points::IniEntry;
using points::IniItem;
using points::PointsGrid;

// Section names in lower case (the library names a section by its first spelling), and the
// sections of a header without "]" all alike: their names hold a line break.
std::string Lower(std::string_view text)
{
    if (text.find_first_of("\r\n") != std::string_view::npos)
        return "<no section>";
    std::string lower(text);
    for (char &c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

// The entries the scan finds.
std::vector<IniEntry> ScannedEntries(std::string_view bytes)
{
    std::vector<IniEntry> entries;
    std::string section;
    for (const IniItem &item : points::ScanIni(bytes)) {
        if (item.IsSection)
            section = Lower(item.Name);
        else
            entries.push_back({ section, std::string(item.Name), std::string(item.Value) });
    }
    return entries;
}

std::vector<IniEntry> LibraryEntries(std::string_view bytes)
{
    std::vector<IniEntry> entries = points::ReadIniEntries(bytes);
    for (IniEntry &entry : entries)
        entry.Section = Lower(entry.Section);
    return entries;
}

TEST(ScanIni, FindsWhereKeysAndHeadersStand)
{
    const std::string_view file
        = "  key = a value \t\r\n[ Sec ] tail\nx=\r;c\n=no\nnoequals\nlast=1";
    const std::vector<IniItem> items = points::ScanIni(file);
    ASSERT_EQ(items.size(), 4u);

    EXPECT_FALSE(items[0].IsSection);
    EXPECT_EQ(items[0].Name, "key");
    EXPECT_EQ(items[0].Value, "a value");
    EXPECT_EQ(items[0].Begin, 2u);
    EXPECT_EQ(items[0].End, file.find('\r'));
    EXPECT_EQ(items[0].Next, file.find('['));

    EXPECT_TRUE(items[1].IsSection);
    EXPECT_EQ(items[1].Name, "Sec");
    EXPECT_EQ(items[1].Begin, file.find('['));
    EXPECT_EQ(items[1].End, file.find("\nx="));

    EXPECT_EQ(items[2].Name, "x");
    EXPECT_EQ(items[2].Value, "");
    EXPECT_EQ(items[2].Next, file.find(";c")) << "a lone CR ends a line";

    EXPECT_EQ(items[3].Name, "last");
    EXPECT_EQ(items[3].End, file.size());
    EXPECT_EQ(items[3].Next, file.size());
}

TEST(ScanIni, ReadsAsTheLibraryDoes)
{
    const std::string_view files[] = {
        "",
        "a=1",
        "\xEF\xBB\xBF[s]\na=1\n",
        "; file comment\n# more\n\n[s]\n; key comment\n  ; indented\na = 1 \n",
        "[\n\n s ]\na=1\n", // a header's name may start on a later line
        "[\n\n s \n]\na=1\n", // but must end on its line
        "[\nb=2\n", // "[" takes the next line as its name
        "[s]\na=1\n[s\nb=1\n[t]x\nc=2", // an unclosed header ends the section before it
        "[s]\n[Ochki\n; c\r\n\r\n; d\nk=1\n",
        "[]\na=1\n[ ]\nb=2\n", // empty names are the section before any header
        "a=1\n=2\n b \nc=3\r\r\nd=\t\n",
        "[S]\na=1\n[s]\na=2\n[t]\na=3\n[S ]\nA=4\n",
        "k=v ; not a comment\nk2=\"quoted\"\nk3=<<<END\nx\nEND\n",
    };
    for (const std::string_view file : files) {
        SCOPED_TRACE(testing::PrintToString(std::string(file)));
        EXPECT_EQ(ScannedEntries(file), LibraryEntries(file));
    }
}

// Files made of the pieces that matter to INI reading, and of bytes that do not.
std::string RandomIni(std::mt19937 &random)
{
    static const char *const Pieces[] = {
        "[",
        "]",
        "=",
        ";",
        "#",
        " ",
        "\t",
        "\r",
        "\n",
        "\r\n",
        "\n",
        "\n",
        "Ochki",
        "OCHKI",
        " ochki ",
        "Other",
        "TablesCount",
        "placescount",
        "1",
        "2",
        "3",
        "01",
        "x",
        "25;",
        "\x01",
        "\x0b",
        "\xC0\xFF",
        "<<<",
    };
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(Pieces) - 1);
    std::uniform_int_distribution<int> rare(0, 30);
    std::string text;
    if (rare(random) == 0)
        text += "\xEF\xBB\xBF";
    for (int n = length(random); n > 0; --n) {
        if (rare(random) == 0)
            text += '\0';
        text += Pieces[piece(random)];
    }
    return text;
}

PointsGrid RandomGrid(std::mt19937 &random)
{
    std::uniform_int_distribution<int> size(0, 4);
    std::uniform_int_distribution<int> coin(0, 2);
    static const char *const Texts[] = { "25", "0", "x y", "\xC4\xE7", "-", "7 " };
    std::uniform_int_distribution<std::size_t> text(0, std::size(Texts) - 1);
    PointsGrid grid(size(random), size(random));
    for (int col = 1; col <= grid.TablesCount(); ++col) {
        for (int row = 1; row <= grid.PlacesCount(); ++row) {
            if (coin(random) == 0)
                grid.SetValue(col, row, Texts[text(random)]);
        }
    }
    return grid;
}

TEST(ScanIni, ReadsGeneratedFilesAsTheLibraryDoes)
{
    std::mt19937 random(20240914);
    for (int i = 0; i < 3000; ++i) {
        const std::string file = RandomIni(random);
        SCOPED_TRACE(testing::PrintToString(file));
        ASSERT_EQ(ScannedEntries(file), LibraryEntries(file));
    }
}

TEST(SavePointsTables, AnyFileReadsBackTheSavedGrid)
{
    std::mt19937 random(1251);
    for (int i = 0; i < 3000; ++i) {
        const std::string file = RandomIni(random);
        const PointsGrid grid = RandomGrid(random);
        SCOPED_TRACE(testing::PrintToString(file));
        const std::string saved = points::SavePointsTables(file, grid);
        ASSERT_EQ(points::LoadPointsTables(saved).Tables.Grid, grid);
        ASSERT_EQ(points::SavePointsTables(saved, grid), saved) << "saving again changes nothing";
        // Whatever else the file held reads the same.
        std::vector<IniEntry> before;
        for (const IniEntry &entry : LibraryEntries(file)) {
            if (engine::TrimBlanks(entry.Section) != "ochki")
                before.push_back(entry);
        }
        std::vector<IniEntry> after;
        for (const IniEntry &entry : LibraryEntries(saved)) {
            if (engine::TrimBlanks(entry.Section) != "ochki")
                after.push_back(entry);
        }
        ASSERT_EQ(after, before);
    }
}

TEST(LoadPointsTables, GarbageNeverFails)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 300);
    for (int i = 0; i < 2000; ++i) {
        std::string file;
        for (int n = length(random); n > 0; --n)
            file += static_cast<char>(byte(random));
        if (i % 2 == 0)
            file = "[Ochki]\nTablesCount=3\nPlacesCount=4\n1=" + file;
        const auto loaded = points::LoadPointsTables(file);
        EXPECT_LE(loaded.Tables.Grid.TablesCount(), points::MaxLoadedTables);
        EXPECT_LE(loaded.Tables.Grid.PlacesCount(), points::MaxLoadedPlaces);
        EXPECT_EQ(loaded.Tables.TableCaptions.size(),
            static_cast<std::size_t>(loaded.Tables.Grid.TablesCount()) + 1);
    }
}

} // namespace
