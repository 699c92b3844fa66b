// Any bytes as a protocol, rewritten under settings and options drawn from the input. Checks:
// no out-of-range read (the sanitizers), what the splitting notes of each line, the same output
// twice, every line outside the "<pre>" blocks copied unchanged and in order, and the output
// rewritten again giving itself.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/cp1251.h"
#include "engine/layout_check.h"
#include "engine/line_layout.h"
#include "engine/recognizers.h"
#include "engine/protocol.h"
#include "engine/rewrite.h"
#include "engine/time_check.h"
#include "engine/table_layout.h"
#include "engine/text.h"

namespace {

using namespace engine;

class FuzzedPoints final : public TeamPointsSource
{
public:
    explicit FuzzedPoints(FuzzedDataProvider &data)
        : m_tables(data.ConsumeIntegralInRange(0, 3))
        , m_places(data.ConsumeIntegralInRange(0, 6))
    {
        for (int i = 0; i < m_tables * m_places; ++i)
            m_cells.push_back(data.ConsumeRandomLengthString(6));
    }
    int TablesCount() const override { return m_tables; }
    // Every value a whole number of at most five digits, or empty.
    bool FitTheirColumn() const
    {
        for (const std::string &cell : m_cells) {
            if (cell.size() > 5 || cell.find_first_not_of("0123456789") != std::string::npos)
                return false;
        }
        return true;
    }
    int PlacesCount() const override { return m_places; }
    std::string_view Value(int table, int place) const override
    {
        if (table < 1 || table > m_tables || place < 1 || place > m_places)
            std::abort(); // the rewrite read outside the grid
        return m_cells[static_cast<std::size_t>((table - 1) * m_places + place - 1)];
    }

private:
    int m_tables;
    int m_places;
    std::vector<std::string> m_cells;
};

constexpr std::string_view ExampleTitle
    = "№п/п Фамилия, имя              Коллектив            Квал  ГР          Результат Место Прим"_w1251;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    static const char *const Numbers[] = { "1000", "2", "1,5", "0.5", "-3", "abc", "1e400", " 7 " };
    ProcessOptions options;
    options.RatingPoints = data.ConsumeBool();
    options.K1Text = Numbers[data.ConsumeIntegralInRange(0, 7)];
    options.K2Text = Numbers[data.ConsumeIntegralInRange(0, 7)];
    options.CountOutOfCompetition = data.ConsumeBool();
    options.ExcludeForeign = data.ConsumeBool();
    options.DecimalSeparator = data.ConsumeBool() ? ',' : '.';
    const FuzzedPoints points(data);
    std::vector<int> settings;
    for (int i = 0; i < 16; ++i)
        settings.push_back(data.ConsumeIntegralInRange(-2, 12));
    const bool cancel = data.ConsumeBool();

    const ProtocolLines lines = SplitLines(data.ConsumeRemainingBytesAsString());
    // What the splitting notes of each line is what the line holds.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines.HoldsTag(i) != (lines[i].find_first_of("<&") != std::string_view::npos)
            || lines.HoldsHeading(i) != (lines[i].find("<h2>") != std::string_view::npos))
            std::abort();
    }
    std::vector<GroupSettings> groups;
    UpdateGroups(lines, groups);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const int *s = &settings[(g * 4) % settings.size()];
        groups[g].DistanceClass = static_cast<DistanceClass>(s[0] & 7);
        groups[g].MastersCount = s[1];
        groups[g].PointsTable = s[2] & 3;
        groups[g].Category = static_cast<Category>(s[3] & 3);
    }
    const InspectorRequest ask = [cancel]() -> std::optional<std::string> {
        if (cancel)
            return std::nullopt;
        return std::string(" \x01Inspector");
    };

    // Every finding names a table's "<pre>" line, or a line with a time that stands right of
    // its column; and checked in parts, each check alone or both in one reading, the findings
    // are the same.
    const std::vector<Failure> layout = CheckTableLayouts(lines, groups);
    for (const Failure &problem : layout) {
        if (problem.Line == 0 || problem.Line > lines.size())
            std::abort();
        const std::string_view line = lines[problem.Line - 1];
        if (!StartsTable(line) && FindTime(Shown(line).Text) == std::string_view::npos)
            std::abort();
    }
    std::vector<Failure> layoutInParts;
    for (const ProtocolPart &part : ProtocolParts(lines, 1)) {
        const std::vector<Failure> found = CheckTableLayouts(lines, groups, part);
        layoutInParts.insert(layoutInParts.end(), found.begin(), found.end());
    }
    if (layoutInParts != layout)
        std::abort();
    std::vector<std::size_t> timesInParts;
    for (const ProtocolPart &part : ProtocolParts(lines, 1)) {
        const std::vector<std::size_t> found = ImpossibleTimeLines(lines, groups, part);
        timesInParts.insert(timesInParts.end(), found.begin(), found.end());
        const TableChecks both = CheckTables(lines, groups, part);
        if (both.Layout != CheckTableLayouts(lines, groups, part) || both.ImpossibleTimes != found)
            std::abort();
    }
    if (timesInParts != ImpossibleTimeLines(lines, groups))
        std::abort();

    const RewriteResult first = RewriteProtocol(lines, groups, options, points, ask);
    const RewriteResult second = RewriteProtocol(lines, groups, options, points, ask);
    if (first.Cancelled != second.Cancelled || first.Lines != second.Lines
        || first.Outcome != second.Outcome)
        std::abort();

    // Made in parts, cut wherever they may be, the rewrite is the same, and its check agrees.
    RewriteRun run;
    const RewriteResult prepared = PrepareRewrite(groups, options, ask, run);
    if (!prepared.Ok()) {
        if (prepared.Cancelled != first.Cancelled || prepared.Outcome != first.Outcome)
            std::abort();
    } else {
        std::vector<ProtocolLine> made;
        Status last = Success();
        std::size_t next = 0;
        for (const ProtocolPart &part : ProtocolParts(lines, 1)) {
            if (part.First != next)
                std::abort();
            next = part.End;
            const Status checked = CheckPart(lines, groups, options, points, run, part);
            const std::size_t before = made.size();
            last = RewritePart(lines, groups, options, points, run, part,
                [&](std::string_view line) { made.emplace_back(line); });
            if (checked != last)
                std::abort();
            // Made straight into bytes, as the batch tool writes them: the same lines.
            std::string intoBytes;
            std::size_t count = 0;
            const Status into
                = RewritePartInto(lines, groups, options, points, run, part, intoBytes, count);
            std::string joined;
            for (std::size_t i = before; i < made.size(); ++i)
                AppendLine(joined, made[i]);
            if (into != last || (last && (intoBytes != joined || count != made.size() - before)))
                std::abort();
            if (!last)
                break;
        }
        if (made != first.Lines || first.Cancelled || last != first.Outcome
            || (last && next != lines.size()))
            std::abort();
    }
    if (!first.Ok())
        return 0;

    // The room reserved for the output holds it (below the cap, which small inputs never reach).
    const OutputSize room = OutputSizeBound(lines);
    std::size_t outputBytes = 0;
    for (const std::string &line : first.Lines)
        outputBytes += line.size();
    if (outputBytes > room.Bytes || first.Lines.size() > room.Lines)
        std::abort();

    // Lines outside "<pre>" ... "</pre>" blocks must come out unchanged and in order.
    std::size_t out = 0;
    bool inBlock = false;
    for (const std::string_view line : lines) {
        if (!inBlock && StartsTable(line)) {
            inBlock = true;
            continue;
        }
        if (inBlock) {
            inBlock = !EndsTable(line);
            continue;
        }
        while (out < first.Lines.size() && first.Lines[out] != line)
            ++out;
        if (out == first.Lines.size())
            std::abort();
        ++out;
    }

    // Rewriting the output again with the same settings gives the same output: what an earlier
    // run inserted is taken out first. Random bytes make tables whose columns are anybody's
    // guess, so the check is made on a whole table of today's layout under the example's title,
    // holding the input's result lines; and with points that fit their column, as the program
    // allows no others.
    if (!points.FitTheirColumn() || options.ExcludeForeign)
        return 0;
    std::vector<ProtocolLine> table { "<h2>A</h2>", "<pre>", std::string(ExampleTitle) };
    for (const std::string_view line : lines) {
        // A line cut inside its time is read by the rank as it stands and by the award padded,
        // and rewritten it is padded for both: such lines are left out here.
        if (IsResultLine(line) && line.size() >= TimeField.Last
            && line.find_first_of("<&") == std::string_view::npos
            && !line.starts_with("-------") && !line.starts_with("Класс"_w1251)
            && !line.starts_with("Ранг"_w1251))
            table.emplace_back(line);
    }
    table.emplace_back("</pre>");
    std::vector<GroupSettings> tableGroups;
    UpdateGroups(ProtocolLines(table), tableGroups);
    tableGroups[0].DistanceClass = static_cast<DistanceClass>(settings[0] & 7);
    tableGroups[0].MastersCount = settings[1];
    tableGroups[0].PointsTable = settings[2] & 3;
    tableGroups[0].Category = static_cast<Category>(settings[3] & 3);
    const RewriteResult once = RewriteProtocol(ProtocolLines(table), tableGroups, options, points, ask);
    if (!once.Ok())
        return 0;
    const ProtocolLines again(once.Lines);
    std::vector<GroupSettings> againGroups = tableGroups;
    UpdateGroups(again, againGroups);
    const RewriteResult twice = RewriteProtocol(again, againGroups, options, points, ask);
    if (!twice.Ok() || twice.Lines != once.Lines)
        std::abort();
    return 0;
}
