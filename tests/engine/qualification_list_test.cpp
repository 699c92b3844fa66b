// The list of qualifications earned: the example's list byte for byte, the CSV read back and
// compared with the awards in the rewritten protocol, and the cases a secretary meets.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <tuple>

#include "engine/cp1251.h"
#include "engine/protocol.h"
#include "engine/qualification_list.h"
#include "engine/rewrite.h"
#include "engine/save.h"
#include "engine/table_layout.h"
#include "engine/text.h"
#include "tests/engine/test_lines.h"

namespace {

using namespace engine;
using testlines::Put;

std::string ReadBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// Table "A" of examples/sample.INI.
const testlines::ColumnPoints SampleTable(
    { "25", "20", "18", "16", "15", "14", "13", "12", "11", "10" });

// An RFC 4180 reader: quoted fields with doubled quotes, commas and line breaks inside, rows
// ended by CR LF. Fails the test on anything else.
std::vector<std::vector<std::string>> ReadCsv(std::string_view text)
{
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '"') {
            for (++i;; ++i) {
                if (i >= text.size()) {
                    ADD_FAILURE() << "a quoted field does not end";
                    return rows;
                }
                if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"')
                    field += text[++i];
                else if (text[i] == '"')
                    break;
                else
                    field += text[i];
            }
            ++i;
        } else {
            while (i < text.size() && text[i] != ',' && text[i] != '\r') {
                EXPECT_NE(text[i], '"') << "a quote in an unquoted field";
                EXPECT_NE(text[i], '\n') << "a bare line feed";
                field += text[i++];
            }
        }
        row.push_back(std::move(field));
        field.clear();
        if (i < text.size() && text[i] == ',') {
            ++i;
            continue;
        }
        EXPECT_EQ(text.substr(i, 2), "\r\n") << "a row ends in CR LF";
        i += 2;
        rows.push_back(std::move(row));
        row.clear();
    }
    return rows;
}

const std::vector<std::string> ColumnTitles
    = { "Фамилия, имя", "Г.р.", "Коллектив", "Группа", "Место", "Результат", "Квал", "Выполнил" };

// The rows of a list's CSV after its header, which is checked.
std::vector<std::vector<std::string>> CsvRows(const QualificationList &list)
{
    const std::string csv = QualificationListCsv(list);
    EXPECT_TRUE(csv.starts_with(Utf8ByteOrderMark));
    std::vector<std::vector<std::string>> rows = ReadCsv(std::string_view(csv).substr(3));
    EXPECT_FALSE(rows.empty());
    if (rows.empty())
        return rows;
    EXPECT_EQ(rows.front(), ColumnTitles);
    rows.erase(rows.begin());
    for (const auto &row : rows)
        EXPECT_EQ(row.size(), ColumnTitles.size());
    return rows;
}

struct Listed
{
    RewriteResult Result;
    QualificationList List;
};

Listed RewriteAndList(const ProtocolLines &lines, const std::vector<GroupSettings> &groups,
    const ProcessOptions &options, const TeamPointsSource &points = NoTeamPoints())
{
    EarnedQualifications earned;
    Listed made;
    made.Result = RewriteProtocol(
        lines, groups, options, points,
        [] { return std::optional<std::string>("Кузьмич А.Б."_w1251); }, &earned);
    made.List
        = MakeQualificationList(lines, groups, earned, earned.Inspector, options.DecimalSeparator);
    return made;
}

// The sample protocol with the settings of examples/README.md.
Listed SampleList()
{
    ProtocolLines lines;
    std::vector<GroupSettings> groups;
    EXPECT_TRUE(LoadProtocol(
        std::filesystem::path(LAPWING_EXAMPLES_DIR) / "sample_protocol.htm", lines, groups)
                    .Ok());
    groups.at(0).DistanceClass = DistanceClass::Ms;
    groups[0].MastersCount = 2;
    groups[0].PointsTable = 1;
    groups.at(3).DistanceClass = DistanceClass::Third;
    groups[3].PointsTable = 1;
    ProcessOptions options;
    options.RatingPoints = true;
    Listed made = RewriteAndList(lines, groups, options, SampleTable);
    EXPECT_TRUE(made.Result.Ok());
    return made;
}

// Compares with the golden file; a difference leaves the list made beside the test's run.
void ExpectGolden(const std::string &actual, const char *name)
{
    const std::filesystem::path golden = std::filesystem::path(LAPWING_EXAMPLES_DIR) / name;
    const std::string expected = ReadBytes(golden);
    if (actual == expected)
        return;
    const std::filesystem::path made = std::filesystem::path(testing::TempDir()) / name;
    std::ofstream(made, std::ios::binary) << actual;
    ADD_FAILURE() << golden << " differs from the list made, written to " << made;
}

TEST(QualificationList, ExampleListMatchesGoldenFiles)
{
    const Listed sample = SampleList();
    ExpectGolden(QualificationListCsv(sample.List), "sample_qualification_list.csv");
    ExpectGolden(QualificationListHtml(sample.List, {}), "sample_qualification_list.htm");
}

TEST(QualificationList, ExampleListHeadingGroupsAndJudges)
{
    const QualificationList list = SampleList().List;
    EXPECT_EQ(list.Heading,
        (std::vector<std::string> { "Протокол результатов"_w1251.data(),
            "Открытое первенство района по спортивному ориентированию"_w1251.data() }));
    ASSERT_EQ(list.Groups.size(), 4u);
    EXPECT_EQ(list.Groups[0].RankText, "197.2");
    EXPECT_EQ(list.Groups[0].ClassLabel, "МС"_w1251);
    EXPECT_EQ(list.Groups[1].RankText, ""); // Ж21: six athletes, no rank
    EXPECT_EQ(list.Groups[1].Total, 0);
    EXPECT_EQ(list.Total, static_cast<int>(list.Athletes.size()));
    ASSERT_EQ(list.Judges.size(), 3u);
    EXPECT_EQ(list.Judges[0].Role, "Главный судья"_w1251);
    EXPECT_EQ(list.Judges[0].Name, "Петров П.П., НК"_w1251);
    EXPECT_EQ(list.Judges[1].Role, "Инспектор дистанций"_w1251);
    EXPECT_EQ(list.Judges[1].Name, "Кузьмич А.Б."_w1251);
    EXPECT_EQ(list.Judges[2].Name, "Сидорова С.С., НК"_w1251);
}

// A generated protocol of a few groups, with foreign athletes, athletes out of competition,
// disqualifications, ties, and names holding '"' and ','.
struct Generated
{
    std::vector<ProtocolLine> Lines;
    std::vector<GroupSettings> Groups;
};

Generated Generate(unsigned seed)
{
    std::mt19937 random(seed);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    Generated g;
    g.Lines = { "<html><head><title>Cup " + std::to_string(seed) + "</title></head><body>" };
    const char *codes[] = { "МС", "КМС", "I", "II", "III", "Iю", "IIю", "", "zz" };
    int athlete = 0;
    for (int group = 0, groups = 1 + pick(4); group < groups; ++group) {
        GroupSettings settings;
        settings.Name = "G" + std::to_string(group);
        settings.Heading = settings.Name;
        settings.DistanceClass = static_cast<DistanceClass>(pick(DistanceClassCount));
        settings.MastersCount = pick(4);
        settings.Category = static_cast<Category>(pick(CategoryCount));
        g.Groups.push_back(settings);
        g.Lines.push_back("<h2>" + settings.Name + "</h2>");
        g.Lines.push_back("<pre>");
        g.Lines.push_back(
            std::string("№п/п Фамилия, имя              Коллектив            Квал  ГР "
                        "         Результат Место Прим"_w1251));
        int seconds = 1800 + pick(1800);
        int place = 0;
        for (int k = 0, n = 5 + pick(14); k < n; ++k) {
            std::string line(82, ' ');
            Put(line, 1, std::string(k < 9 ? 3 : 2, ' ') + std::to_string(k + 1));
            const std::string name = "A" + std::to_string(++athlete)
                + (pick(4) == 0 ? " \"Ли\", Ан"_w1251.data() : " Кот"_w1251.data());
            Put(line, 6, name);
            Put(line, 32, pick(8) == 0 ? "Vilnius LTU" : "Клуб Азимут"_w1251.data());
            Put(line, 53, Utf8ToCp1251(codes[pick(9)]));
            Put(line, 59, std::to_string(1980 + pick(30)));
            const bool tie = k > 0 && pick(6) == 0;
            if (!tie)
                seconds += pick(400);
            const int kind = pick(12);
            if (kind == 0) {
                Put(line, 68, "снят"_w1251);
            } else {
                Put(line, 68, testlines::Clock(seconds));
                if (kind == 1)
                    Put(line, 80, "в/к"_w1251);
                else {
                    if (!tie || place == 0)
                        place = k + 1;
                    const std::string text = (tie ? "= " : "") + std::to_string(place);
                    Put(line, 83 - text.size(), text);
                }
            }
            // A name with an entity is read as shown, its line rewritten by the columns shown.
            if (pick(10) == 0)
                line.replace(line.find(' ', 5), 1, "&nbsp;");
            g.Lines.push_back(line);
        }
        g.Lines.push_back("</pre>");
    }
    g.Lines.push_back(std::string("<pre>Главный судья       Иванов И.И.</pre>"_w1251));
    g.Lines.push_back("</body></html>");
    return g;
}

std::string Trimmed(std::string_view bytes) { return Cp1251ToUtf8(TrimBlanks(bytes)); }

TEST(QualificationList, CsvReadBackHoldsEveryAwardOfTheRewrittenProtocol)
{
    for (unsigned seed = 1; seed <= 60; ++seed) {
        const Generated g = Generate(seed);
        for (int set = 0; set < 8; ++set) {
            SCOPED_TRACE("seed " + std::to_string(seed) + ", options " + std::to_string(set));
            ProcessOptions options;
            options.RatingPoints = (set & 1) != 0;
            options.ExcludeForeign = (set & 2) != 0;
            options.CountOutOfCompetition = (set & 4) != 0;
            const Listed made = RewriteAndList(ProtocolLines(g.Lines), g.Groups, options);
            ASSERT_TRUE(made.Result.Ok());
            // Every line of the output that carries an award other than "-", read from its bytes:
            // group, name, team, place, time, qualification before, award.
            using Row = std::vector<std::string>;
            std::vector<Row> expected;
            std::string group;
            for (const std::string &raw : made.Result.Lines) {
                if (raw.starts_with("<h2>"))
                    group = raw.substr(4, raw.size() - 9);
                const std::string line = Shown(raw).Text;
                if (line.size() < 88 || line[0] != ' ' || line[69] != ':')
                    continue;
                const std::string award = Trimmed(line.substr(83, 4));
                if (award == "-")
                    continue;
                const std::string place = Trimmed(line.substr(78, 4));
                expected.push_back({ Trimmed(line.substr(5, 25)), "", Trimmed(line.substr(31, 20)),
                    group, place.starts_with("= ") ? place.substr(2) : place,
                    Trimmed(line.substr(67, 8)), Trimmed(line.substr(52, 5)), award });
                expected.back()[1] = Trimmed(line.substr(58, 4)); // the year under "ГР"
            }
            std::vector<Row> rows = CsvRows(made.List);
            for (std::vector<Row> *list : { &expected, &rows })
                std::sort(list->begin(), list->end());
            std::vector<Row> missing;
            std::vector<Row> extra;
            std::set_difference(expected.begin(), expected.end(), rows.begin(), rows.end(),
                std::back_inserter(missing));
            std::set_difference(rows.begin(), rows.end(), expected.begin(), expected.end(),
                std::back_inserter(extra));
            EXPECT_EQ(missing, std::vector<Row>());
            EXPECT_EQ(extra, std::vector<Row>());
            // Sorted: highest qualification first, then group, then place.
            const auto &athletes = made.List.Athletes;
            EXPECT_TRUE(
                std::is_sorted(athletes.begin(), athletes.end(), [](const auto &a, const auto &b) {
                    return std::tuple(IndexOf(a.Met), a.Group, !a.Place, a.Place.value_or(0))
                        < std::tuple(IndexOf(b.Met), b.Group, !b.Place, b.Place.value_or(0));
                }));
        }
    }
}

// One group of twelve with the given lines in place of the first ones.
std::vector<ProtocolLine> TwelveWith(
    const std::vector<std::pair<std::size_t, std::string>> &changed,
    std::string_view top = "<html><head><title>T</title></head><body>")
{
    std::vector<ProtocolLine> lines { std::string(top), "<h2>M21</h2>", "<pre>",
        std::string("№п/п Фамилия, имя              Коллектив            Квал  ГР          "
                    "Результат Место Прим"_w1251) };
    for (int i = 0; i < 12; ++i) {
        const std::string name = "N" + std::to_string(i + 1);
        lines.push_back(testlines::ResultLine({ .name = name,
            .team = "Club",
            .qualification = "КМС"_w1251,
            .time = testlines::Clock(2400 + 30 * i),
            .place = std::to_string(i + 1) }));
    }
    for (const auto &[index, line] : changed)
        lines[4 + index] = line;
    lines.push_back("</pre>");
    lines.push_back("</body></html>");
    return lines;
}

GroupSettings M21(Category category = Category::Adults)
{
    GroupSettings group;
    group.Name = group.Heading = "M21";
    group.DistanceClass = DistanceClass::First;
    group.Category = category;
    return group;
}

TEST(QualificationList, Cases)
{
    ProcessOptions options;
    // Nobody awarded: nine athletes give no rank; the page says so, the CSV has its header only.
    {
        std::vector<ProtocolLine> lines = TwelveWith({});
        lines.erase(lines.begin() + 4 + 9, lines.begin() + 4 + 12);
        const QualificationList list
            = RewriteAndList(ProtocolLines(lines), { M21() }, options).List;
        EXPECT_TRUE(list.Athletes.empty());
        EXPECT_TRUE(CsvRows(list).empty());
        const std::string page = QualificationListHtml(list, {});
        EXPECT_NE(page.find("Разрядные нормативы не выполнил никто"_w1251), std::string::npos);
        EXPECT_NE(page.find("не определялся"_w1251), std::string::npos);
    }
    // A group not counted is absent, with its counts.
    {
        const QualificationList list
            = RewriteAndList(ProtocolLines(TwelveWith({})), { M21(Category::NotCounted) }, options)
                  .List;
        EXPECT_TRUE(list.Athletes.empty());
        EXPECT_TRUE(list.Groups.empty());
        EXPECT_EQ(QualificationListHtml(list, {}).find("M21"), std::string::npos);
    }
    // Foreign athletes only while they are left out; ties share a place in protocol order; quotes
    // and commas in names; no title.
    const std::string foreign = testlines::ResultLine(
        { .name = "Jonaitis", .team = "Vilnius LTU", .time = "00:40:30", .place = "2" });
    const std::string tieA = testlines::ResultLine({ .name = "Ким \"Ли\", Ан"_w1251,
        .team = "Club, \"A\"",
        .time = "00:41:00",
        .place = "= 3" });
    const std::string tieB = testlines::ResultLine(
        { .name = "Tie B", .team = "Club", .time = "00:41:00", .place = "= 3" });
    const std::vector<ProtocolLine> lines
        = TwelveWith({ { 1, foreign }, { 2, tieA }, { 3, tieB } }, "<html><body>");
    for (const bool exclude : { true, false }) {
        SCOPED_TRACE(exclude ? "foreign left out" : "foreign counted");
        options.ExcludeForeign = exclude;
        const QualificationList list
            = RewriteAndList(ProtocolLines(lines), { M21() }, options).List;
        EXPECT_TRUE(list.Heading.empty());
        const auto rows = CsvRows(list);
        const auto named = [&](std::string_view name) {
            return std::find_if(
                rows.begin(), rows.end(), [&](const auto &r) { return r[0] == name; });
        };
        EXPECT_EQ(named("Jonaitis") == rows.end(), exclude);
        ASSERT_NE(named("Ким \"Ли\", Ан"), rows.end());
        EXPECT_EQ((*named("Ким \"Ли\", Ан"))[2], "Club, \"A\"");
        ASSERT_NE(named("Tie B"), rows.end());
        EXPECT_EQ((*named("Ким \"Ли\", Ан"))[4], "3");
        EXPECT_EQ((*named("Tie B"))[4], "3");
        EXPECT_LT(named("Ким \"Ли\", Ан"), named("Tie B"));
        const std::string csv = QualificationListCsv(list);
        EXPECT_NE(csv.find("\"Ким \"\"Ли\"\", Ан\""), std::string::npos);
        EXPECT_EQ(QualificationListHtml(list, {}).find("<h3>"), std::string::npos);
    }
}

// Every layout the reader knows: the list holds each athlete whose line in the rewritten
// protocol carries an award, read from the golden protocol by the award's title column.
TEST(QualificationList, EveryTableLayout)
{
    const std::filesystem::path examples = LAPWING_EXAMPLES_DIR;
    ProtocolLines lines;
    std::vector<GroupSettings> groups;
    ASSERT_TRUE(LoadProtocol(examples / "layouts_protocol.htm", lines, groups).Ok());
    groups[1].PointsTable = 1;
    groups[3].PointsTable = 1;
    groups[5].DistanceClass = DistanceClass::Second;
    groups[5].Category = Category::Combined;
    ProcessOptions options;
    options.RatingPoints = true;
    const Listed made = RewriteAndList(lines, groups, options, SampleTable);
    ASSERT_TRUE(made.Result.Ok());
    EXPECT_EQ(
        ProtocolBytes(made.Result.Lines), ReadBytes(examples / "layouts_protocol_expected.htm"));

    // The awards as the golden protocol shows them, by group, under the header's "Вып".
    std::map<std::string, std::vector<std::string>> expected;
    std::string group;
    std::size_t column = std::string::npos;
    for (const std::string &raw : made.Result.Lines) {
        const std::string line = Shown(raw).Text;
        if (raw.find("<h2>") != std::string::npos)
            group = Shown(raw).Text.substr(0, Shown(raw).Text.find(','));
        if (const std::size_t at = line.find("Вып"_w1251); at != std::string::npos)
            column = at;
        else if (line.starts_with("-") || line.find("</pre>") != std::string::npos)
            continue;
        else if (column != std::string::npos && line.size() > column + 4) {
            // The award starts under "Вып", or two columns before it where the title stands
            // right of the year-first tables' awards.
            for (const std::size_t at : { column, column - 2 }) {
                if (line[at - 1] == ' ' && line[at] != ' ') {
                    if (line[at] != '-')
                        expected[group].push_back(
                            Trimmed(line.substr(at, line.find(' ', at) - at)));
                    break;
                }
            }
        }
        if (raw.find("</pre>") != std::string::npos)
            column = std::string::npos;
    }
    std::map<std::string, std::vector<std::string>> listed;
    for (const auto &row : CsvRows(made.List))
        listed[Utf8ToCp1251(row[3])].push_back(row[7]);
    for (auto *m : { &expected, &listed })
        for (auto &[name, awards] : *m)
            std::sort(awards.begin(), awards.end());
    for (const auto *m : { &expected, &listed })
        for (const auto &[name, awards] : *m)
            EXPECT_EQ(listed[name], expected[name]) << Cp1251ToUtf8(name);
    // The year-first tables give the year; the relay and the handicap (not counted) are absent.
    const auto rows = CsvRows(made.List);
    EXPECT_TRUE(std::any_of(
        rows.begin(), rows.end(), [](const auto &r) { return r[3] == "Ж10" && r[1] == "2015"; }));
    EXPECT_TRUE(std::none_of(rows.begin(), rows.end(), [](const auto &r) { return r[3] == "МЖ"; }));
}

// A spreadsheet would run a field that starts as a formula does: such a field starts with an
// apostrophe, which the spreadsheet shows as text; a lone "-" and numbers stay as they are.
TEST(QualificationList, CsvFieldsNeverStartAFormula)
{
    struct Case
    {
        std::string field;
        std::string written;
    };
    const Case cases[] = {
        { "=HYPERLINK(\"http://x\")", "'=HYPERLINK(\"http://x\")" },
        { "+7 club", "'+7 club" },
        { "-1+cmd|'/C calc'!A0", "'-1+cmd|'/C calc'!A0" },
        { "@SUM(A1)", "'@SUM(A1)" },
        { "\tx", "'\tx" },
        { "=1", "'=1" },
        { "-", "-" },
        { "-5", "-5" },
        { "1995", "1995" },
        { "a=b", "a=b" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.field);
        QualificationList list;
        EarnedQualification athlete;
        athlete.Place = 1;
        athlete.Name = athlete.Team = c.field;
        athlete.Met = Qualification::Ms;
        list.Athletes.push_back(athlete);
        list.AthleteGroups.push_back("M21");
        const auto rows = CsvRows(list);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0][0], c.written);
        EXPECT_EQ(rows[0][2], c.written);
    }
}

TEST(QualificationList, FormatOfFileName)
{
    EXPECT_EQ(ListFormatOf("list.csv"), ListFormat::Csv);
    EXPECT_EQ(ListFormatOf("dir.x/LIST.CSV"), ListFormat::Csv);
    EXPECT_EQ(ListFormatOf("list.htm"), ListFormat::Html);
    EXPECT_EQ(ListFormatOf("list.Html"), ListFormat::Html);
    EXPECT_EQ(ListFormatOf("list.txt"), std::nullopt);
    EXPECT_EQ(ListFormatOf("dir.csv/list"), std::nullopt);
}

} // namespace
