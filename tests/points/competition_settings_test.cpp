// A competition's settings in the settings file: written beside the tables, read back whole.
#include "points/competition_settings.h"

#include <gtest/gtest.h>

#include "points/app_settings.h"
#include "points/settings_file.h"

namespace {

using points::CompetitionSettings;

CompetitionSettings Sample(std::string path, std::string title = "Протокол / Первенство")
{
    CompetitionSettings c;
    c.Path = std::move(path);
    c.Title = std::move(title);
    c.CountOutOfCompetition = true;
    c.RatingPoints = true;
    c.ExcludeForeign = false;
    c.K1 = "1000,5";
    c.K2 = " 2;";
    c.Inspector = "Кузьмич А.Б.";
    // Names holding the separators, '%' and blanks at their ends come back as they were.
    c.Groups = { { "М21", 0, 0, 2, 1 }, { "Ж:21|%4,x ", 3, 3, 0, 0 }, { "", 7, 2, 0, 12 },
        { "М21", 1, 1, 0, 0 } };
    return c;
}

// The section of `bytes` that starts with `header`, to the next section.
std::string SectionOf(const std::string &bytes, const std::string &header)
{
    const std::size_t start = bytes.find(header);
    if (start == std::string::npos)
        return {};
    return bytes.substr(start, bytes.find("\n[", start + 1) - start);
}

TEST(CompetitionSettings, RoundTripKeepsEveryOtherByte)
{
    const std::string before = "; tables\r\n[Ochki]\r\nTablesCount=2\r\nPlacesCount=2\r\n"
                               "1=25;abc;\r\n2=20;;\r\n9=old row\r\n\r\n[Recent]\nFile1=/a.htm\n";
    std::string bytes = points::WithCompetition(before, Sample("/r/a.htm"));
    bytes = points::WithCompetition(bytes, Sample("/r/b.htm"));
    EXPECT_EQ(bytes.substr(0, before.size()), before);
    EXPECT_EQ(SectionOf(bytes, "[Ochki]"), SectionOf(before, "[Ochki]"));
    EXPECT_EQ(points::RecentFiles(bytes), std::vector<std::string> { "/a.htm" });

    const std::vector<CompetitionSettings> stored = points::StoredCompetitions(bytes);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0], Sample("/r/b.htm")); // newest first
    EXPECT_EQ(stored[1], Sample("/r/a.htm"));

    // Saving the tables leaves the competitions as they are, and the other way round.
    points::PointsGrid grid(1, 1);
    grid.SetValue(1, 1, "7");
    const std::string saved = points::SavePointsTables(bytes, grid);
    EXPECT_EQ(points::StoredCompetitions(saved), stored);
    EXPECT_EQ(SectionOf(points::WithCompetition(saved, Sample("/r/c.htm")), "[Ochki]"),
        SectionOf(saved, "[Ochki]"));
}

TEST(CompetitionSettings, KeyedByPathAndTitle)
{
    std::string bytes = points::WithCompetition("", Sample("/r/a.htm", "Race 1"));
    bytes = points::WithCompetition(bytes, Sample("/r/a.htm", "Race 2"));
    CompetitionSettings again = Sample("/r/a.htm", "Race 1");
    again.Inspector = "Новы";
    bytes = points::WithCompetition(bytes, again);
    const std::vector<CompetitionSettings> stored = points::StoredCompetitions(bytes);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0], again); // replaced and moved to the front
    EXPECT_EQ(stored[1].Title, "Race 2");
    EXPECT_EQ(points::FindCompetition(stored, "/r/a.htm", "Race 2"), &stored[1]);
    EXPECT_EQ(points::FindCompetition(stored, "/r/a.htm", "Race 3"), nullptr);
    EXPECT_EQ(points::FindCompetition(stored, "/r/b.htm", "Race 1"), nullptr);
}

TEST(CompetitionSettings, KeepsTheLastFifty)
{
    std::string bytes;
    for (int i = 1; i <= 53; ++i)
        bytes = points::WithCompetition(bytes, Sample("/r/" + std::to_string(i) + ".htm"));
    const std::vector<CompetitionSettings> stored = points::StoredCompetitions(bytes);
    ASSERT_EQ(stored.size(), points::MaxStoredCompetitions);
    EXPECT_EQ(stored.front().Path, "/r/53.htm");
    EXPECT_EQ(stored.back().Path, "/r/4.htm");
    EXPECT_EQ(bytes.find("Path51="), std::string::npos);
}

TEST(CompetitionSettings, KeepsTheFirstThousandGroups)
{
    CompetitionSettings c = Sample("/r/a.htm");
    c.Groups.assign(points::MaxStoredGroups + 5, { "М21", 2, 0, 0, 0 });
    const std::vector<CompetitionSettings> stored
        = points::StoredCompetitions(points::WithCompetition("", c));
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].Groups.size(), points::MaxStoredGroups);
}

TEST(CompetitionSettings, ValuesOutOfRangeAreNotTaken)
{
    const std::string bytes = "[competitions]\n"
                              "Path1=/a.htm\nOptions1=1;2;0;9;9\n"
                              "Groups1=A:8,0,0,0|B:0,4,0,0|C:0,0,-1,0|D:x,0,0,0|E:1,2,3|F:1,2,3,4\n"
                              "Title2=no path\nPath3=/c.htm\n";
    const std::vector<CompetitionSettings> stored = points::StoredCompetitions(bytes);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].K1, "1000"); // options that cannot be read keep the defaults
    EXPECT_TRUE(stored[0].ExcludeForeign);
    ASSERT_EQ(stored[0].Groups.size(), 1u);
    EXPECT_EQ(stored[0].Groups[0], (points::StoredGroup { "F", 1, 2, 3, 4 }));
    EXPECT_EQ(stored[1].Path, "/c.htm");
}

} // namespace
