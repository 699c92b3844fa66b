// Loading a protocol: splitting it into lines, the groups of its "<h2>" headings with their
// names, defaults and derived categories, and re-loads that keep the user's settings.
#include "engine/protocol.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cp1251.h"
#include "engine/file_reading.h"
#include <sys/stat.h>

using namespace engine;

namespace {

using Lines = std::vector<ProtocolLine>;

std::string W(std::string_view text) { return std::string(text); }

Lines ToLines(std::initializer_list<std::string_view> texts)
{
    Lines lines;
    for (const std::string_view text : texts)
        lines.emplace_back(text);
    return lines;
}

// The settings a user gave a group in the group list.
GroupSettings Edited(std::string_view name, std::string_view heading)
{
    GroupSettings group;
    group.Name = name;
    group.Heading = heading;
    group.DistanceClass = DistanceClass::Ms;
    group.MastersCount = 3;
    group.PointsTable = 2;
    group.Category = Category::NotCounted;
    return group;
}

void ExpectDefaults(const GroupSettings &group, Category category)
{
    EXPECT_EQ(group.DistanceClass, DistanceClass::First);
    EXPECT_EQ(group.MastersCount, 0);
    EXPECT_EQ(group.PointsTable, 0);
    EXPECT_EQ(group.Category, category);
}

void ExpectEdited(const GroupSettings &group)
{
    EXPECT_EQ(group.DistanceClass, DistanceClass::Ms);
    EXPECT_EQ(group.MastersCount, 3);
    EXPECT_EQ(group.PointsTable, 2);
    EXPECT_EQ(group.Category, Category::NotCounted);
}

} // namespace

// ---------------------------------------------------------------- SplitLines

namespace {

// Line ends as files bring them; reading a file and splitting its bytes must agree.
struct LineEndingCase
{
    const char *name;
    std::string_view bytes;
    Lines lines;
};

const std::vector<LineEndingCase> &LineEndingCases()
{
    static const std::vector<LineEndingCase> cases = {
        { "empty file", "", {} },
        { "final LF adds no line", "a\nb\n", { "a", "b" } },
        { "no final LF", "a\nb", { "a", "b" } },
        { "CR LF", "a\r\nb", { "a", "b" } },
        { "CR LF with final CR LF", "a\r\nb\r\n", { "a", "b" } },
        { "lone CR inside a line is dropped", "a\rb\n", { "ab" } },
        { "CR alone ends lines where no LF is", "a\rb\r\rc", { "a", "b", "", "c" } },
        { "CR-only with final CR", "<h2>A</h2>\r<pre>\r", { "<h2>A</h2>", "<pre>" } },
        { "a single CR", "\r", { "" } },
        { "CR-only with an LF added at the end", "a\rb\r\n", { "a", "b" } },
        { "CR-only with a last line ended by LF", "a\rb\rc\n", { "a", "b", "c" } },
        { "one CR and a final LF: a line", "a\r\n", { "a" } },
        { "CRs inside several lines", "a\rb\r\nc\nd\r\re\n", { "ab", "c", "de" } },
        { "several CRs before LF", "a\r\r\nb", { "a", "b" } },
        { "CR at the start of a line", "\ra\n\rb\n", { "a", "b" } },
        { "single LF", "\n", { "" } },
        { "two LFs", "\n\n", { "", "" } },
        { "empty line inside", "a\n\nb\n", { "a", "", "b" } },
        { "empty CR LF lines", "\r\n\r\n", { "", "" } },
        { "mixed", "a\r\nb\nc\r\n", { "a", "b", "c" } },
        { "one line", "<html>", { "<html>" } },
        { "Windows-1251 bytes unchanged", "\xC0\xFF\x98\n\xB9", { "\xC0\xFF\x98", "\xB9" } },
    };
    return cases;
}

} // namespace

TEST(SplitLines, Table)
{
    for (const LineEndingCase &c : LineEndingCases()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SplitLines(c.bytes), c.lines);
    }
}

namespace {

// What the splitting notes of each line (a '<', a heading) is what the line's text holds.
void ExpectTagsNoted(const ProtocolLines &lines)
{
    std::size_t headings = 0;
    std::size_t nextTag = lines.NextTag(0);
    std::size_t nextHeading = lines.NextHeading(0);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool tag = lines[i].find('<') != std::string_view::npos;
        const bool heading = lines[i].find("<h2>") != std::string_view::npos;
        ASSERT_EQ(lines.HoldsTag(i), tag) << i;
        ASSERT_EQ(lines.HoldsHeading(i), heading) << i;
        if (tag) {
            ASSERT_EQ(nextTag, i);
            nextTag = lines.NextTag(i + 1);
        }
        if (heading) {
            ASSERT_EQ(nextHeading, i);
            nextHeading = lines.NextHeading(i + 1);
            ++headings;
        }
    }
    EXPECT_EQ(nextTag, lines.size());
    EXPECT_EQ(nextHeading, lines.size());
    EXPECT_EQ(lines.HeadingCount(), headings);
}

} // namespace

TEST(SplitLines, AgreesWithTheRuleWhereverTheLineBreaksFall)
{
    // The bytes are scanned many at a time: CRs, LFs and tags at every offset, in runs and
    // alone, against the rule itself (lines end at LF, or at CR where no LF is but a last one
    // after CRs; every other CR is dropped), and what is noted of each line against its text (a CR inside "<h2>" leaves a
    // heading).
    unsigned seed = 1;
    const std::string_view pieces[] = { "\n", "\r", "\xC1", "<", "<h2>", "<h\r2>", "h2>", "<h2" };
    for (int round = 0; round < 4000; ++round) {
        std::string bytes;
        while (bytes.size() < static_cast<std::size_t>(round % 80)) {
            seed = seed * 1103515245u + 12345u;
            const unsigned pick = (seed >> 16) % 24;
            bytes += pick < std::size(pieces) ? pieces[pick] : "x";
        }
        Lines expected;
        std::string line;
        // A last LF that is the only one, after two CRs or more, is left out.
        const std::size_t lf = bytes.find('\n');
        const bool lastLfOnly = !bytes.empty() && lf == bytes.size() - 1
            && std::count(bytes.begin(), bytes.end() - 1, '\r') >= 2;
        const char lineEnd = lf == std::string::npos || lastLfOnly ? '\r' : '\n';
        const std::string_view text = std::string_view(bytes).substr(0, bytes.size() - lastLfOnly);
        for (const char c : text) {
            if (c == lineEnd) {
                expected.push_back(line);
                line.clear();
            } else if (c != '\r') {
                line.push_back(c);
            }
        }
        if (!text.empty() && text.back() != lineEnd)
            expected.push_back(line);
        const ProtocolLines lines = SplitLines(bytes);
        ASSERT_EQ(lines, expected) << round;
        ExpectTagsNoted(lines);
    }
}

TEST(SplitLines, ALargeFileSplitInPiecesOnTwoThreads)
{
    // Past 16 MiB the file is split in pieces of 4 MiB, taken by one thread from the front and
    // by another from the back; lines with CRs inside (copied) and tags in every piece, and no
    // LF at the end, must come out as from one pass.
    const std::string block = "<h2>short\r\nwith a CR\rinside\n\r\nlonger <line> of the protocol\n";
    std::string bytes;
    Lines expected;
    while (bytes.size() < (17u << 20)) {
        bytes += block;
        expected.insert(expected.end(),
            { "<h2>short", "with a CRinside", "", "longer <line> of the protocol" });
    }
    bytes += "last\rline";
    expected.emplace_back("lastline");
    const ProtocolLines lines = SplitLines(bytes);
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(lines[i], expected[i]) << i;
    ExpectTagsNoted(lines);
}

TEST(SplitLines, ALargeFileWithCrAloneIsSplitAtItsCrs)
{
    const std::string block = "<h2>short\r\rlonger <line> of the protocol\r";
    std::string bytes;
    while (bytes.size() < (17u << 20))
        bytes += block;
    const ProtocolLines lines = SplitLines(bytes + "last");
    ASSERT_EQ(lines.size(), bytes.size() / block.size() * 3 + 1);
    for (std::size_t i = 0; i + 1 < lines.size(); i += 3) {
        ASSERT_EQ(lines[i], "<h2>short") << i;
        ASSERT_EQ(lines[i + 1], "") << i;
        ASSERT_EQ(lines[i + 2], "longer <line> of the protocol") << i;
    }
    EXPECT_EQ(lines[lines.size() - 1], "last");
    ExpectTagsNoted(lines);
}

TEST(SplitLines, NulBytesStayInTheLine)
{
    const std::string bytes("a\0b\n\0", 5);
    const Lines expected = { std::string("a\0b", 3), std::string(1, '\0') };
    EXPECT_EQ(SplitLines(bytes), expected);
}

TEST(ProtocolLines, LinesMadeInMemoryAreKeptExactly)
{
    const std::vector<std::string> made = { "a\rb", "", "c\nd\r", "e\r", "f", "<h2>\rA", "<b>" };
    const ProtocolLines lines(made);
    ASSERT_EQ(lines.size(), made.size());
    for (std::size_t i = 0; i < made.size(); ++i)
        EXPECT_EQ(lines[i], made[i]) << i;
    ExpectTagsNoted(lines);
}

TEST(SplitLines, LongLine)
{
    const std::string longLine(200000, 'x');
    const ProtocolLines lines = SplitLines(longLine + "\r\nend");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], longLine);
    EXPECT_EQ(lines[1], "end");
}

// ---------------------------------------------------------------- DeriveCategory

TEST(DeriveCategory, Table)
{
    struct Case
    {
        const char *name;
        std::string_view groupName;
        Category category;
    };
    constexpr Case cases[] = {
        { "М21 adults", "М21"_w1251, Category::Adults },
        { "Ж21 adults", "Ж21"_w1251, Category::Adults },
        { "М35 adults", "М35"_w1251, Category::Adults },
        { "М20 adults", "М20"_w1251, Category::Adults },
        { "Ж16 juniors", "Ж16"_w1251, Category::Juniors },
        { "М12 juniors", "М12"_w1251, Category::Juniors },
        { "М10 juniors", "М10"_w1251, Category::Juniors },
        { "Ж18 juniors", "Ж18"_w1251, Category::Juniors },
        { "МЖ12 juniors", "МЖ12"_w1251, Category::Juniors },
        { "М21Е adults (the 1 follows a 2)", "М21Е"_w1251, Category::Adults },
        { "Ж21А adults", "Ж21А"_w1251, Category::Adults },
        { "М18Е adults (second-to-last is 8)", "М18Е"_w1251, Category::Adults },
        { "М211 adults", "М211"_w1251, Category::Adults },
        { "М21 with a trailing blank", "М21 "_w1251, Category::Adults },
        { "Ж16 with a trailing blank", "Ж16 "_w1251, Category::Adults },
        { "Open combined", "Open", Category::Combined },
        { "МЖ combined", "МЖ"_w1251, Category::Combined },
        { "Ветераны combined", "Ветераны"_w1251, Category::Combined },
        { "one byte", "М"_w1251, Category::Combined },
        { "two bytes", "Ж1"_w1251, Category::Combined },
        { "two digits", "21", Category::Combined },
        { "two digits ending in 1", "11", Category::Combined },
        { "empty", "", Category::Combined },
        { "three digits 121", "121", Category::Adults },
        { "three digits 116", "116", Category::Juniors },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DeriveCategory(c.groupName), c.category);
    }
}

// ---------------------------------------------------------------- UpdateGroups

TEST(UpdateGroups, NameAndHeadingOfANewGroup)
{
    const Lines lines
        = ToLines({ "<html>", "<h2>М21, 12 КП, 6.3 км</h2>"_w1251, "<pre>", "</pre>" });
    std::vector<GroupSettings> groups;
    UpdateGroups(lines, groups);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].Name, "М21"_w1251);
    EXPECT_EQ(groups[0].Heading, "М21, 12 КП, 6.3 км"_w1251);
    ExpectDefaults(groups[0], Category::Adults);
    // The group is what the heading shows: tags left out, entities as their characters.
    for (const auto &[heading, shown] : { std::pair { "<h2><span id=\"m0\"></span>Ж10, 4 КП</h2>"_w1251,
                                             "Ж10, 4 КП"_w1251 },
             std::pair { "<h2>М21 &amp; Ж21</h2>"_w1251, "М21 & Ж21"_w1251 } }) {
        UpdateGroups(ToLines({ heading }), groups);
        EXPECT_EQ(groups.at(0).Heading, shown);
    }
}

TEST(UpdateGroups, DefaultsAndCategoryOfNewGroups)
{
    const Lines lines = ToLines({
        "<h2>М21, 12 КП</h2>"_w1251,
        "<h2>Ж16, 8 КП</h2>"_w1251,
        "<h2>М12</h2>"_w1251,
        "<h2>М21Е, 20 КП</h2>"_w1251,
        "<h2>Open, 5 км</h2>"_w1251,
        "<h2>МЖ</h2>"_w1251,
    });
    std::vector<GroupSettings> groups;
    UpdateGroups(lines, groups);
    ASSERT_EQ(groups.size(), 6u);
    const Category categories[] = {
        Category::Adults, Category::Juniors, Category::Juniors, Category::Adults, Category::Combined, Category::Combined };
    const std::string_view names[]
        = { "М21"_w1251, "Ж16"_w1251, "М12"_w1251, "М21Е"_w1251, "Open", "МЖ"_w1251 };
    for (std::size_t i = 0; i < groups.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(groups[i].Name, names[i]);
        ExpectDefaults(groups[i], categories[i]);
    }
    EXPECT_EQ(groups[2].Heading, "М12"_w1251);
}

TEST(UpdateGroups, HeadingText)
{
    struct Case
    {
        const char *name;
        std::string line;
        std::string heading;
        std::string groupName;
    };
    const Case cases[] = {
        { "no comma", "<h2>Ж35</h2>", "Ж35", "Ж35" },
        { "first comma ends the name", "<h2>a,b,c</h2>", "a,b,c", "a" },
        { "text before the heading", "<p>Минск</p><h2>Ж21, 5 км</h2>", "Ж21, 5 км", "Ж21" },
        { "text after the heading", "<h2>М40</h2> <br>", "М40", "М40" },
        { "first closing tag counts", "<h2>М40</h2><h2>М45</h2>", "М40", "М40" },
        { "blanks kept", "<h2> М40 , x</h2>", " М40 , x", " М40 " },
        { "upper-case closing tag is not a closing tag", "<h2>М40</H2>", "", "" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<GroupSettings> groups;
        UpdateGroups({ Utf8ToCp1251(c.line) }, groups);
        ASSERT_EQ(groups.size(), 1u);
        EXPECT_EQ(groups[0].Heading, Utf8ToCp1251(c.heading));
        EXPECT_EQ(groups[0].Name, Utf8ToCp1251(c.groupName));
    }
}

TEST(UpdateGroups, OnlyLowerCaseH2IsAHeading)
{
    const Lines lines = {
        "<H2>М21</H2>",
        "<h3>Ж21</h3>",
        "h2",
        "<h 2>",
        "<h2",
        "<pre>  1 Иванов</pre>",
    };
    std::vector<GroupSettings> groups = { Edited("X", "X") };
    UpdateGroups(lines, groups);
    EXPECT_TRUE(groups.empty());
}

TEST(UpdateGroups, EmptyNameIsANewNameWithTheDefaults)
{
    // Groups are matched by name, not by record: a heading without a name is given the
    // defaults (combined: the name ends in no digit), never a fresh record's class МС.
    const std::string lines[] = {
        "<h2>М21, 12 КП", // no closing tag
        "</h2><h2>М21</h2>", // closing tag before the opening one
        "<h2></h2>", // nothing between the tags
        "<h2>, 12 КП</h2>", // the name before the comma is empty
    };
    for (const std::string &line : lines) {
        SCOPED_TRACE(line);
        std::vector<GroupSettings> groups;
        UpdateGroups({ Utf8ToCp1251(line) }, groups);
        ASSERT_EQ(groups.size(), 1u);
        EXPECT_EQ(groups[0].Name, "");
        ExpectDefaults(groups[0], Category::Combined);
    }
}

TEST(UpdateGroups, HeadingWithoutTextMayStillHaveAHeading)
{
    std::vector<GroupSettings> groups;
    UpdateGroups(ToLines({ "<h2>, 12 КП</h2>"_w1251 }), groups);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].Heading, ", 12 КП"_w1251);
    EXPECT_EQ(groups[0].Name, "");
}

TEST(UpdateGroups, EmptyNameReplacingANamedGroupGetsDefaults)
{
    std::vector<GroupSettings> groups;
    groups.push_back(Edited("М21"_w1251, "М21"_w1251));
    UpdateGroups({ "<h2></h2>" }, groups);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].Name, "");
    EXPECT_EQ(groups[0].Heading, "");
    ExpectDefaults(groups[0], Category::Combined);
}

TEST(UpdateGroups, FreshRecordIsAllZero)
{
    const GroupSettings group;
    EXPECT_TRUE(group.Name.empty());
    EXPECT_TRUE(group.Heading.empty());
    EXPECT_EQ(group.DistanceClass, DistanceClass::Ms);
    EXPECT_EQ(group.MastersCount, 0);
    EXPECT_EQ(group.PointsTable, 0);
    EXPECT_EQ(group.Category, Category::Adults);
}

TEST(UpdateGroups, SameNameKeepsSettingsAndRefreshesHeading)
{
    std::vector<GroupSettings> groups;
    groups.push_back(Edited("М21"_w1251, "М21, 12 КП"_w1251));
    groups.push_back(Edited("Ж21"_w1251, "Ж21, 10 КП"_w1251));
    UpdateGroups(ToLines({ "<h2>М21, 14 КП</h2>"_w1251, "<h2>Ж35, 10 КП</h2>"_w1251 }), groups);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].Name, "М21"_w1251);
    EXPECT_EQ(groups[0].Heading, "М21, 14 КП"_w1251);
    ExpectEdited(groups[0]);
    EXPECT_EQ(groups[1].Name, "Ж35"_w1251);
    EXPECT_EQ(groups[1].Heading, "Ж35, 10 КП"_w1251);
    ExpectDefaults(groups[1], Category::Adults);
}

TEST(UpdateGroups, SettingsFollowTheName)
{
    // Two groups that swapped places both keep their settings; a group put above them moves
    // them down and gets the defaults.
    std::vector<GroupSettings> groups;
    groups.push_back(Edited("М21"_w1251, "М21"_w1251));
    groups.push_back(Edited("Ж16"_w1251, "Ж16"_w1251));
    groups[1].MastersCount = 1;
    UpdateGroups(ToLines({ "<h2>М45</h2>"_w1251, "<h2>Ж16</h2>"_w1251, "<h2>М21</h2>"_w1251 }),
        groups);
    ASSERT_EQ(groups.size(), 3u);
    ExpectDefaults(groups[0], Category::Adults);
    EXPECT_EQ(groups[1].MastersCount, 1);
    EXPECT_EQ(groups[1].Name, "Ж16"_w1251);
    ExpectEdited(groups[2]);
}

TEST(UpdateGroups, ShrinksAndGrows)
{
    const Lines five = {
        "<h2>A16</h2>",
        "<h2>B16</h2>",
        "<h2>C16</h2>",
        "<h2>D16</h2>",
        "<h2>E16</h2>",
    };
    std::vector<GroupSettings> groups;
    UpdateGroups(five, groups);
    ASSERT_EQ(groups.size(), 5u);
    for (GroupSettings &group : groups)
        group.MastersCount = 4;

    UpdateGroups({ five[0], five[1], five[2] }, groups);
    ASSERT_EQ(groups.size(), 3u);
    for (const GroupSettings &group : groups)
        EXPECT_EQ(group.MastersCount, 4);

    // The cut records are gone: D16 and E16 come back with the defaults.
    UpdateGroups(five, groups);
    ASSERT_EQ(groups.size(), 5u);
    EXPECT_EQ(groups[2].MastersCount, 4);
    EXPECT_EQ(groups[3].Name, "D16");
    ExpectDefaults(groups[3], Category::Juniors);
    ExpectDefaults(groups[4], Category::Juniors);
}

TEST(UpdateGroups, OneHeadingPerLine)
{
    std::vector<GroupSettings> groups;
    UpdateGroups({ "<h2>A</h2><h2>B</h2>", "text", "<h2>C</h2>" }, groups);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].Heading, "A");
    EXPECT_EQ(groups[1].Heading, "C");
}

TEST(UpdateGroups, NoHeadingsEmptiesTheGroups)
{
    std::vector<GroupSettings> groups = { Edited("A", "A"), Edited("B", "B") };
    UpdateGroups({ "<html>", "<pre>", "</pre>" }, groups);
    EXPECT_TRUE(groups.empty());
    UpdateGroups({}, groups);
    EXPECT_TRUE(groups.empty());
}

// ---------------------------------------------------------------- ProtocolTitle

TEST(ProtocolTitle, Table)
{
    struct Case
    {
        const char *name;
        std::vector<std::string> lines;
        std::string title;
    };
    const Case cases[] = {
        { "title and h1", { "<html><head><title>Протокол</title></head>", "<h1>Первенство</h1>" },
            "Протокол / Первенство" },
        { "title only", { "<TITLE> Протокол </TITLE>" }, "Протокол" },
        { "h1 with attributes and markup", { "<h1 class=\"x\">Кубок&nbsp;<b>2</b></H1>" },
            "Кубок 2" },
        { "not closed on its line", { "<title>Протокол", "</title>" }, "Протокол" },
        { "h10 is not h1", { "<h10>x</h10>" }, "" },
        { "below the first heading it names a group", { "<h2>М21</h2>", "<h1>x</h1>" }, "" },
        { "the first h1 counts", { "<h1>A</h1>", "<h1>B</h1>" }, "A" },
        { "none", { "<html>", "plain" }, "" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> lines;
        for (const std::string &line : c.lines)
            lines.push_back(Utf8ToCp1251(line));
        EXPECT_EQ(ProtocolTitle(Lines(lines)), Utf8ToCp1251(c.title));
    }
}

// ---------------------------------------------------------------- LoadProtocol

namespace {

class LoadProtocolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = std::filesystem::temp_directory_path()
            / ("lapwing_load_" + std::to_string(::getpid()) + "_" + info->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }

    void TearDown() override
    {
        std::error_code error;
        std::filesystem::permissions(
            m_dir / "locked.htm", std::filesystem::perms::owner_all, error);
        std::filesystem::remove_all(m_dir, error);
    }

    std::filesystem::path Write(const std::string &name, std::string_view bytes)
    {
        const std::filesystem::path path = m_dir / name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        EXPECT_TRUE(out.good()) << path;
        return path;
    }

    std::filesystem::path m_dir;
};

const std::string TwoGroups = W("<html>\r\n"
                                "<h2>М21, 12 КП, 6.3 км</h2>\r\n"
                                "<pre>\r\n"
                                "</pre>\r\n"
                                "<h2>Ж21, 10 КП</h2>\r\n"
                                "<pre>\r\n"
                                "</pre>\r\n"
                                "</html>\r\n"_w1251);

} // namespace

TEST_F(LoadProtocolTest, ReadsLinesAndGroups)
{
    const auto path = Write("protocol.htm", TwoGroups);
    ProtocolLines lines = { "old line" };
    std::vector<GroupSettings> groups;
    ASSERT_TRUE(LoadProtocol(path, lines, groups).Ok());
    const Lines expected = ToLines({
        "<html>",
        "<h2>М21, 12 КП, 6.3 км</h2>"_w1251,
        "<pre>",
        "</pre>",
        "<h2>Ж21, 10 КП</h2>"_w1251,
        "<pre>",
        "</pre>",
        "</html>",
    });
    EXPECT_EQ(lines, expected);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].Name, "М21"_w1251);
    EXPECT_EQ(groups[0].Heading, "М21, 12 КП, 6.3 км"_w1251);
    ExpectDefaults(groups[0], Category::Adults);
    EXPECT_EQ(groups[1].Name, "Ж21"_w1251);
    ExpectDefaults(groups[1], Category::Adults);
}

TEST_F(LoadProtocolTest, BytesAreNotConverted)
{
    const std::string bytes("\x98\xFF\xC0\x00\x7F\r\n\xB9 \xA2\r", 11);
    const auto path = Write("bytes.htm", bytes);
    ProtocolLines lines;
    std::vector<GroupSettings> groups;
    ASSERT_TRUE(LoadProtocol(path, lines, groups).Ok());
    const Lines expected = { std::string("\x98\xFF\xC0\x00\x7F", 5), "\xB9 \xA2" };
    EXPECT_EQ(lines, expected);
}

TEST_F(LoadProtocolTest, LineEndings)
{
    for (const LineEndingCase &c : LineEndingCases()) {
        SCOPED_TRACE(c.name);
        const auto path = Write("endings.htm", c.bytes);
        for (const FileAccess access : { FileAccess::Read, FileAccess::Map }) { // window, batch
            ProtocolLines lines = { "previous" };
            std::vector<GroupSettings> groups;
            ASSERT_TRUE(LoadProtocol(path, lines, groups, access).Ok());
            EXPECT_EQ(lines, c.lines);
        }
    }
}

TEST_F(LoadProtocolTest, LargeFileWithCrLf)
{
    // 70000 lines of 15 bytes and CR LF, 1.19 MB: for every power-of-two buffer size up to
    // 2^20 bytes some CR LF pair is split between two reads.
    std::string bytes;
    for (int i = 0; i < 70000; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "line %010d", i);
        bytes += line;
        bytes += "\r\n";
    }
    const auto path = Write("large.htm", bytes);
    ProtocolLines lines;
    std::vector<GroupSettings> groups;
    ASSERT_TRUE(LoadProtocol(path, lines, groups).Ok());
    ASSERT_EQ(lines.size(), 70000u);
    for (int i = 0; i < 70000; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "line %010d", i);
        ASSERT_EQ(lines[static_cast<std::size_t>(i)], line) << i;
    }
}

// The group rules are UpdateGroups' own (tested above); through a file only that a load
// refreshes the groups and a reload keeps what stays at its place.
TEST_F(LoadProtocolTest, ReloadRefreshesTheGroups)
{
    const auto path = Write("protocol.htm", TwoGroups);
    ProtocolLines lines;
    std::vector<GroupSettings> groups = { Edited("X", "X"), Edited("Y", "Y"), Edited("Z", "Z") };
    ASSERT_TRUE(LoadProtocol(path, lines, groups).Ok());
    ASSERT_EQ(groups.size(), 2u);
    groups[0] = Edited(groups[0].Name, groups[0].Heading);

    std::string changed = TwoGroups; // the second heading changed from Ж21 to Ж35
    changed.replace(changed.find("Ж21"_w1251), 3, "Ж35"_w1251);
    Write("protocol.htm", changed);
    ASSERT_TRUE(LoadProtocol(path, lines, groups).Ok());
    ASSERT_EQ(groups.size(), 2u);
    ExpectEdited(groups[0]);
    EXPECT_EQ(groups[1].Heading, "Ж35, 10 КП"_w1251);
    ExpectDefaults(groups[1], Category::Adults);
    EXPECT_EQ(lines[4], "<h2>Ж35, 10 КП</h2>"_w1251);
}

TEST_F(LoadProtocolTest, FailuresKeepTheGroupsAndSayWhy)
{
    const auto fifo = m_dir / "fifo.htm";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto huge = Write("huge.htm", "");
    std::filesystem::resize_file(huge, MaxProtocolBytes + 1); // sparse: no disk is used
    struct Case
    {
        const char *name;
        std::filesystem::path path;
        Failure failure;
        bool keepsLines = false;
    };
    const Case cases[] = {
        { "no name", {}, { 0, "no file name given" }, true },
        { "missing", m_dir / "missing.htm", { 0, "No such file or directory" } },
        { "a folder", m_dir, { 0, "Is a directory" } },
        { "a FIFO, which must not block", fifo, { 0, "not a regular file (a FIFO, device or socket)" } },
        { "above the limit", huge, { 0, "the file is larger than the limit of 1 GiB" } },
        { "UTF-16", Write("utf16.htm", std::string("\xFF\xFE<\0h\0", 6)),
            { 1, "the file is UTF-16 text, not Windows-1251" } },
        { "UTF-32", Write("utf32.htm", std::string("\xFF\xFE\0\0<\0\0\0", 8)),
            { 1, "the file is UTF-32 text, not Windows-1251" } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProtocolLines lines = { "old" };
        std::vector<GroupSettings> groups = { Edited("A", "A") };
        const Status loaded = LoadProtocol(c.path, lines, groups);
        ASSERT_FALSE(loaded.Ok());
        EXPECT_EQ(loaded.Error(), c.failure);
        EXPECT_EQ(lines.empty(), !c.keepsLines);
        ASSERT_EQ(groups.size(), 1u);
        ExpectEdited(groups[0]);
    }
    if (::geteuid() != 0) { // file permissions do not stop root
        const auto locked = Write("locked.htm", TwoGroups);
        std::filesystem::permissions(locked, std::filesystem::perms::none);
        ProtocolLines lines;
        std::vector<GroupSettings> groups;
        const Status loaded = LoadProtocol(locked, lines, groups);
        ASSERT_FALSE(loaded.Ok());
        EXPECT_EQ(loaded.Error(), (Failure { 0, "Permission denied" }));
    }
}

TEST_F(LoadProtocolTest, MappedFileCutShortIsNoticedNotFatal)
{
#ifdef _WIN32
    GTEST_SKIP() << "protocols are read, not mapped, on Windows";
#endif
    std::string bytes;
    for (int i = 0; i < 20000; ++i) // 16 pages and more
        bytes += "<h2>line</h2>\r\n";
    const auto path = Write("mapped.htm", bytes);
    ProtocolLines lines;
    std::vector<GroupSettings> groups;
    ASSERT_TRUE(LoadProtocol(path, lines, groups, FileAccess::Map).Ok());
    ASSERT_EQ(lines.size(), 20000u);
    EXPECT_TRUE(lines.Intact());

    std::filesystem::resize_file(path, 4096); // another program cuts it to one page
    std::size_t kept = 0;
    for (const std::string_view line : lines) // pages past the cut read as zeros
        kept += line == "<h2>line</h2>";
    EXPECT_FALSE(lines.Intact());
    EXPECT_LT(kept, 300u);
    EXPECT_GT(kept, 200u); // the first page is still the file's

    ProtocolLines read; // a protocol read into memory does not change with its file
    ASSERT_TRUE(LoadProtocol(path, read, groups).Ok());
    std::filesystem::resize_file(path, 0);
    EXPECT_EQ(read.size(), 4096u / 15 + 1);
    EXPECT_TRUE(read.Intact());
}
