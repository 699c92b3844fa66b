// Tables of other results programs: their layout is found from the title and the values, and
// the same athletes get the same awards, points and summary in every layout.
#include "engine/table_layout.h"

#include <gtest/gtest.h>

#include "engine/cp1251.h"
#include "engine/layout_check.h"
#include "engine/protocol.h"
#include "engine/recognizers.h"
#include "engine/text.h"
#include "test_lines.h"

using namespace engine;
using testlines::Put;

namespace {

struct Runner
{
    std::string name, team, qualification, year, time, place;
};

// How each layout prints a table: its title, and where each value of a line goes
// (right-aligned values end at their column, left-aligned ones start there).
struct Format
{
    LayoutKind kind;
    std::string title;
    std::size_t team, qualification, year;
    std::size_t timeEnd; // right-aligned time ends here; 0: left-aligned at timeStart
    std::size_t timeStart;
    std::size_t placeEnd; // likewise
    std::size_t placeStart;
    bool shortHours; // "0:40:00" rather than "00:40:00"
    std::string after; // what stands after the place (a gap column is printed before it)
};

std::string W(std::string_view utf8) { return Utf8ToCp1251(utf8); }

const std::string YearFirstTitle
    = W(" п/п Фамилия Имя               Команда               Г.р. Квал Номер Результат  Место Прим.");

const Format Formats[] = {
    { LayoutKind::Standard,
        W("№п/п Фамилия, имя              Коллектив            Квал Номер ГР   Результат Место Прим"),
        32, 53, 63, 75, 0, 82, 0, false, "" },
    { LayoutKind::Gap,
        W("№п/п Фамилия, имя              Коллектив            Квал Номер ГР   РезультатОтставан    Место Прим"),
        32, 53, 63, 75, 0, 91, 0, false, "" },
    { LayoutKind::YearFirst, YearFirstTitle, 32, 59, 54, 77, 0, 83, 0, true, "   " },
    { LayoutKind::YearFirst,
        W(" п/п Фамилия Имя               Команда               Г.р. Квал Номер Результат  Место Очки Старт"),
        32, 59, 54, 77, 0, 83, 0, true, "    -  16:00" },
    // Places that end a column left of their title, and a column right of it (under the
    // remarks' title): the award's title stands clear of both.
    { LayoutKind::YearFirst, YearFirstTitle, 32, 59, 54, 77, 0, 82, 0, true, "   " },
    { LayoutKind::YearFirst, YearFirstTitle, 32, 59, 54, 77, 0, 84, 0, true, "   " },
    { LayoutKind::LeftAligned,
        W("№    Фамилия, имя                   Коллектив            ГР    Разряд  Номер  Результат      Место"),
        37, 64, 58, 0, 79, 0, 94, false, "" },
};

std::string Line(const Format &f, const Runner &r, int number)
{
    std::string line;
    Put(line, 1, std::to_string(number));
    Put(line, 6, r.name);
    Put(line, f.team, r.team);
    Put(line, f.qualification, r.qualification);
    Put(line, f.year, r.year);
    std::string time = r.time;
    if (f.shortHours && time.starts_with('0') && time[2] == ':')
        time.erase(0, 1);
    Put(line, f.timeEnd ? f.timeEnd + 1 - time.size() : f.timeStart, time);
    if (f.kind == LayoutKind::Gap)
        Put(line, 79, "+00:00");
    Put(line, f.placeEnd ? f.placeEnd + 1 - r.place.size() : f.placeStart, r.place);
    if (!f.after.empty())
        line += f.after;
    return line;
}

std::vector<Runner> Runners()
{
    std::vector<Runner> runners;
    const char *codes[] = { "КМС", "I", "I", "II", "б/р", "II", "III", "", "IIIю", "II", "I", "II" };
    for (int i = 0; i < 12; ++i) {
        const int seconds = 2400 + 70 * i - (i == 4 ? 70 : 0); // 4 and 5 share a time
        char time[16];
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
        runners.push_back({ W("Бегун") + std::to_string(i), i == 2 ? "Riga LAT" : W("Клуб"), W(codes[i]),
            "1990", time, i == 4 ? "4" : std::to_string(i + 1) });
    }
    runners[11].place = W("в/к");
    runners.push_back({ W("Заяц"), W("Клуб"), "I", "1990", W("снят"), "" });
    runners.push_back({ W("Лось"), W("Клуб"), "I", "1990", "DNF", "-" });
    return runners;
}

// `code`: every runner's qualification, when given.
std::vector<ProtocolLine> Protocol(const Format &f, std::string_view pre = "<pre>", std::string_view code = {})
{
    std::vector<ProtocolLine> lines { W("<h2><span id=\"m0\"></span>М21, 5 км</h2>"), std::string(pre),
        W("Параметры дистанции: 9 КП, 2,9 км"), f.title };
    int number = 1;
    for (Runner r : Runners()) {
        if (!code.empty())
            r.qualification = code;
        lines.push_back(Line(f, r, number++));
    }
    lines.push_back("</pre>");
    return lines;
}

// Each line's award, points and the summary, wherever the layout put them.
std::vector<std::string> Outcome(const std::vector<ProtocolLine> &lines, const Format &f)
{
    std::vector<GroupSettings> groups;
    const ProtocolLines protocol(lines);
    UpdateGroups(protocol, groups);
    EXPECT_EQ(groups.at(0).Name, W("М21"));
    EXPECT_EQ(groups.at(0).Table->Layout.Kind, f.kind);
    groups[0].PointsTable = 1;
    ProcessOptions options;
    options.RatingPoints = true;
    const RewriteResult result = RewriteProtocol(
        protocol, groups, options, testlines::ColumnPoints({ "25", "20", "18", "16" }), {});
    EXPECT_TRUE(result.Ok());
    std::vector<std::string> outcome;
    const std::size_t award = groups[0].Table->Layout.AwardColumn;
    for (const std::string &line : result.Lines) {
        if (line.find(W("Клуб")) != std::string::npos || line.find("Riga") != std::string::npos)
            outcome.emplace_back(TrimBlanks(std::string_view(line).substr(award - 1, 15)));
        else if (line.starts_with(W("Класс")) || line.starts_with(W("Ранг")) || line.find('%') != std::string::npos)
            outcome.push_back(line);
    }
    return outcome;
}

} // namespace

TEST(TableLayouts, EveryLayoutGivesTheAwardsPointsAndSummaryOfToday)
{
    const std::vector<std::string> standard = Outcome(Protocol(Formats[0]), Formats[0]);
    ASSERT_GE(standard.size(), 14u);
    EXPECT_NE(std::find(standard.begin(), standard.end(), W("Ранг соревнований  - 60.6 баллов")),
        standard.end());
    for (const Format &f : Formats) {
        SCOPED_TRACE(LayoutName(f.kind).data() + (" " + Cp1251ToUtf8(f.title)));
        EXPECT_EQ(Outcome(Protocol(f), f), standard);
        // Indented, and with the title on the "<pre>" line inside tags.
        std::vector<ProtocolLine> indented = Protocol(f, "  <PRE>");
        indented[1] += "<u><b>" + indented[3] + "</b></u>";
        indented.erase(indented.begin() + 3);
        std::swap(indented[2], indented[1]); // the parameters above the table
        indented[1].insert(0, "<p>");
        EXPECT_EQ(Outcome(indented, f), standard);
    }
}

TEST(TableLayouts, ReadingThroughALayout)
{
    const Format &y = Formats[2];
    const std::vector<ProtocolLine> lines = Protocol(y);
    const TableShape shape = FindTableShape(ProtocolLines(lines), 1);
    ASSERT_TRUE(shape.HasTitle());
    EXPECT_EQ(shape.Title, 3u);
    const TableLayout &layout = shape.Layout;
    EXPECT_FALSE(layout.Fixed);
    EXPECT_EQ(layout.AwardColumn, 85u);
    struct Case
    {
        std::string_view time, place;
        std::optional<int> seconds, placeNumber;
        bool out;
    };
    const Case cases[] = {
        { "0:41:57", "7", 2517, 7, false },
        { "12:00:00", "= 7", 43200, 7, false },
        { "0:41:5", "1", std::nullopt, 1, false },
        { "-:41:57", "1", std::nullopt, 1, false }, // no digit: no sum made of it
        { "пп.20.10", "в/к", std::nullopt, std::nullopt, true },
        { "п.п.24.4", "-", std::nullopt, std::nullopt, false },
        { "ДИСКВ.", "", std::nullopt, std::nullopt, false },
    };
    // Every status results programs print where the time stands is no result.
    for (const char *status : { "снят", "cнят", "н.старт", "н/с", "пп.20.10", "п.п.20.10", "п.п.24.4",
             "пп 20.10.", "DSQ", "DNF", "ДИСКВ.", "" }) {
        const std::string line = Line(y, { "A", "B", "", "", W(status), "" }, 1);
        EXPECT_FALSE(IsResultLine(line, layout)) << status;
    }
    for (const Case &c : cases) {
        Runner r { "A", "B", "", "", W(c.time), W(c.place) };
        const std::string line = Line(y, r, 1);
        SCOPED_TRACE(line);
        EXPECT_EQ(SecondsOf(line, layout), c.seconds);
        EXPECT_EQ(IsResultLine(line, layout), c.seconds.has_value());
        EXPECT_EQ(PlaceNumberOf(line, layout), c.placeNumber);
        EXPECT_EQ(IsOutOfCompetition(line, layout), c.out);
    }
}

TEST(TableLayouts, WhereTheValuesDoNotTellTheTitleDoes)
{
    // A table without lines: its title alone says the layout.
    const std::vector<ProtocolLine> empty { "<pre>", Formats[2].title, "</pre>" };
    EXPECT_EQ(FindTableShape(ProtocolLines(empty), 0).Layout.Kind, LayoutKind::YearFirst);
    // Every runner's code is as wide as the next: the title "Разряд" says where they start.
    const Format &left = Formats[std::size(Formats) - 1];
    ASSERT_EQ(left.kind, LayoutKind::LeftAligned);
    for (const auto &[code, read] : { std::pair { "I", Qualification::First },
             std::pair { "КМС", Qualification::Kms } }) {
        const std::vector<ProtocolLine> lines = Protocol(left, "<pre>", W(code));
        const TableLayout layout = FindTableShape(ProtocolLines(lines), 1).Layout;
        EXPECT_EQ(layout.Qualification.First, left.qualification) << code;
        EXPECT_EQ(QualificationOf(lines[4], layout), read) << code;
    }
    // Left-aligned places are as wide as their title: the thousandth, far below the lines the
    // columns are found from, fits before the award.
    std::vector<ProtocolLine> many = Protocol(left);
    many.insert(many.end() - 1, Line(left, { "A", W("Клуб"), "I", "1990", "01:59:00", "1000" }, 1000));
    std::vector<GroupSettings> groups;
    UpdateGroups(ProtocolLines(many), groups);
    const std::vector<ProtocolLine> out = RewriteProtocol(ProtocolLines(many), groups, {}, NoTeamPoints(), {}).Lines;
    EXPECT_TRUE(std::any_of(out.begin(), out.end(), [](const std::string &line) {
        return line.find(" 1000 ") != std::string::npos;
    }));
}

TEST(TableLayouts, ALinePushedRightByALongNameIsCopiedUnchangedAndNamed)
{
    for (const Format &f : Formats) {
        SCOPED_TRACE(LayoutName(f.kind).data() + (" " + Cp1251ToUtf8(f.title)));
        std::vector<ProtocolLine> lines = Protocol(f);
        const std::size_t pushed = 5; // the second runner's
        lines[pushed].insert(lines[pushed].find(W("Бегун1")) + W("Бегун1").size(), W("-Константинопольская"));
        std::vector<GroupSettings> groups;
        UpdateGroups(ProtocolLines(lines), groups);
        const RewriteResult result = RewriteProtocol(ProtocolLines(lines), groups, {}, NoTeamPoints(), {});
        EXPECT_NE(std::find(result.Lines.begin(), result.Lines.end(), lines[pushed]), result.Lines.end());
        const std::vector<Failure> problems = CheckTableLayouts(ProtocolLines(lines), groups);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_EQ(problems[0].Line, pushed + 1);
        EXPECT_NE(problems[0].Reason.find("copied unchanged"), std::string::npos);
    }
}

// A table closed at the end of its last line is rewritten as one closed on a line of its own,
// and one not closed at all ends at the next group's heading, which stays as it was.
TEST(TableLayouts, ATableClosedAtTheEndOfItsLastLineOrNotAtAll)
{
    const auto rewritten = [](const std::vector<ProtocolLine> &lines) {
        std::vector<GroupSettings> groups;
        UpdateGroups(ProtocolLines(lines), groups);
        return RewriteProtocol(ProtocolLines(lines), groups, {}, NoTeamPoints(), {}).Lines;
    };
    for (const Format &f : Formats) {
        SCOPED_TRACE(LayoutName(f.kind).data() + (" " + Cp1251ToUtf8(f.title)));
        std::vector<ProtocolLine> plain = Protocol(f);
        const std::vector<ProtocolLine> next = Protocol(f);
        plain.insert(plain.end(), next.begin(), next.end());
        const std::size_t close = plain.size() / 2 - 1;
        std::vector<ProtocolLine> glued = plain;
        glued[close - 1] += "</PRE>  ";
        glued.erase(glued.begin() + static_cast<std::ptrdiff_t>(close));
        std::vector<ProtocolLine> expected = rewritten(plain);
        const auto closing = std::find(expected.begin(), expected.end(), "</pre>");
        ASSERT_NE(closing, expected.end());
        *closing = "</PRE>  ";
        EXPECT_EQ(rewritten(glued), expected);
        std::vector<ProtocolLine> unclosed = plain;
        unclosed.erase(unclosed.begin() + static_cast<std::ptrdiff_t>(close));
        const std::vector<ProtocolLine> out = rewritten(unclosed);
        EXPECT_EQ(std::count(out.begin(), out.end(), plain[0]), 2);
    }
    // A table not closed and without results is copied as far as the next heading only.
    std::vector<ProtocolLine> untouched { "<h2>A</h2>", "<pre>", "no results yet" };
    const std::vector<ProtocolLine> after = Protocol(Formats[0]);
    untouched.insert(untouched.end(), after.begin(), after.end());
    std::vector<ProtocolLine> expected(untouched.begin(), untouched.begin() + 3);
    const std::vector<ProtocolLine> alone = rewritten(after);
    expected.insert(expected.end(), alone.begin(), alone.end());
    EXPECT_EQ(rewritten(untouched), expected);
    // Nor is a table not closed checked through the next group's, laid out otherwise.
    std::vector<ProtocolLine> lines = Protocol(Formats[0]);
    lines.pop_back();
    const std::vector<ProtocolLine> next = Protocol(Formats[2]);
    lines.insert(lines.end(), next.begin(), next.end());
    std::vector<GroupSettings> groups;
    UpdateGroups(ProtocolLines(lines), groups);
    EXPECT_TRUE(CheckTableLayouts(ProtocolLines(lines), groups).empty());
}

// A table of twelve lines, the fourth pushed by 6, and one of two, the first pushed by 1.
TEST(TableLayouts, APushedLineLendsNoValuesToTheColumns)
{
    for (const auto &[count, pushed, by] : { std::tuple { 12, 4, 6 }, std::tuple { 2, 1, 1 } }) {
        std::vector<ProtocolLine> lines { "<pre>",
            W(" п/п Фамилия Имя               Команда               Г.р. Квал Номер Результат   Финиш    Место Прим.") };
        for (int k = 1; k <= count; ++k) {
            std::string line;
            const std::string place = std::to_string(k);
            const std::size_t shift = k == pushed ? static_cast<std::size_t>(by) : 0;
            Put(line, 5 - place.size(), place);
            Put(line, 6, W("Бегун") + std::string(shift, 'x'));
            Put(line, 32 + shift, W("Клуб"));
            Put(line, 54 + shift, "2005 I     119   0:56:52   1:18:00 " + std::string(5 - place.size(), ' ') + place);
            lines.push_back(line);
        }
        lines.push_back("</pre>");
        const TableLayout layout = FindTableShape(ProtocolLines(lines), 0).Layout;
        EXPECT_EQ(layout.Kind, LayoutKind::Handicap);
        for (int k = 1; k <= count; ++k)
            EXPECT_EQ(PlaceNumberOf(lines[static_cast<std::size_t>(k) + 1], layout),
                k == pushed ? std::nullopt : std::optional(k)) << count << " " << k;
    }
}

TEST(TableLayouts, RelaysHandicapsAndUnknownTables)
{
    const std::vector<ProtocolLine> relay { "<h2>R</h2>", "<pre>",
        W("№п/п Фамилия, имя              Коллектив            Квал    Время      Время   Прим  Место"),
        W("                                                           на этапе   команды"),
        "1   Club                                                            1:10:00        1",
        "    1004 A B                     Club                 I     0:35:00    0:35:00", "</pre>" };
    std::vector<ProtocolLine> handicap { "<h2>H</h2>", "<pre>",
        W(" п/п Фамилия Имя               Команда               Г.р. Квал Номер Результат   Финиш    Место Прим."),
        W("   9 Бегун Бегун               Клуб                  2005 б/р   119   0:56:52   1:18:00     9   лично"),
        "</pre>" };
    std::vector<ProtocolLine> unknown { "<h2>U</h2>", "<pre>", "Some title",
        "   1 A                                                                     0:10:45      1", "</pre>" };
    for (const auto &[lines, kind, copied] : { std::tuple { relay, LayoutKind::Relay, true },
             std::tuple { handicap, LayoutKind::Handicap, false },
             std::tuple { unknown, LayoutKind::Unknown, true } }) {
        SCOPED_TRACE(LayoutName(kind).data());
        std::vector<GroupSettings> groups;
        UpdateGroups(ProtocolLines(lines), groups);
        ASSERT_TRUE(groups[0].Table);
        EXPECT_EQ(groups[0].Table->Layout.Kind, kind);
        EXPECT_EQ(groups[0].Category, Category::NotCounted);
        groups[0].Category = Category::Adults; // counting it does not mangle a relay
        const RewriteResult result = RewriteProtocol(ProtocolLines(lines), groups, {}, NoTeamPoints(), {});
        EXPECT_EQ(result.Lines == lines, copied);
    }
    std::vector<GroupSettings> groups;
    UpdateGroups(ProtocolLines(std::vector<ProtocolLine> { "<h2>A</h2>", "<p>none</p>" }), groups);
    EXPECT_EQ(DescribeTableNotes(groups).find("no table"), 0u);
    // Groups kept from one protocol do not lend their tables' shapes to another's.
    UpdateGroups(ProtocolLines(unknown), groups);
    const std::vector<ProtocolLine> today = Protocol(Formats[0]);
    EXPECT_NE(RewriteProtocol(ProtocolLines(today), groups, {}, NoTeamPoints(), {}).Lines, today);
}

// Rewritten twice, a protocol comes out as rewritten once: in every layout and with every kind of
// points; and the lines a table holds besides its title and results (a note, the distance's
// parameters) stay where they stood.
TEST(TableLayouts, RewritingTwiceIsRewritingOnce)
{
    for (const Format &f : Formats) {
        for (const int options : { 0, 1, 2, 3 }) {
            SCOPED_TRACE(LayoutName(f.kind).data() + std::string(" options ") + std::to_string(options));
            std::vector<ProtocolLine> lines = Protocol(f);
            lines.insert(lines.begin() + 4, W("Примечание секретаря: старт перенесён"));
            lines.insert(lines.end(), { "<pre>", W("Главный судья   Петров П.П.</pre>") });
            ProcessOptions process;
            process.RatingPoints = (options & 1) != 0;
            std::vector<GroupSettings> groups;
            UpdateGroups(ProtocolLines(lines), groups);
            groups[0].PointsTable = (options & 2) != 0 ? 1 : 0;
            groups[0].DistanceClass = DistanceClass::Kms;
            const auto points = testlines::ColumnPoints({ "25", "20", "18", "16" });
            const auto inspector = [] { return std::optional<std::string>("Inspector"); };
            const RewriteResult once = RewriteProtocol(ProtocolLines(lines), groups, process, points, inspector);
            ASSERT_TRUE(once.Ok());
            for (const std::string_view kept : { W("Параметры дистанции: 9 КП, 2,9 км"),
                     W("Примечание секретаря: старт перенесён") })
                EXPECT_NE(std::find(once.Lines.begin(), once.Lines.end(), kept), once.Lines.end()) << kept;
            std::vector<GroupSettings> again = groups;
            UpdateGroups(ProtocolLines(once.Lines), again);
            ASSERT_TRUE(again[0].Table);
            EXPECT_EQ(again[0].Table->Layout.Kind, f.kind) << "the rewritten header reads as its layout";
            const RewriteResult twice = RewriteProtocol(ProtocolLines(once.Lines), again, process, points, inspector);
            EXPECT_EQ(twice.Lines, once.Lines);
            // Rewritten again without points, the earlier points go.
            again[0].PointsTable = 0;
            groups[0].PointsTable = 0;
            EXPECT_EQ(RewriteProtocol(ProtocolLines(once.Lines), again, {}, points, inspector).Lines,
                RewriteProtocol(ProtocolLines(lines), groups, {}, points, inspector).Lines);
        }
    }
}

