// Any bytes as a protocol, rewritten under settings and options drawn from the input. Checks:
// no out-of-range read (the sanitizers), what the splitting notes of each line, the same output
// twice, and every line outside the "<pre>" blocks copied unchanged and in order.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/layout_check.h"
#include "engine/protocol.h"
#include "engine/rewrite.h"
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

bool StartsWith(std::string_view line, std::string_view prefix) { return line.starts_with(prefix); }

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
        if (lines.HoldsTag(i) != (lines[i].find('<') != std::string_view::npos)
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

    // Every finding names a table's "<pre>" line, and checked in parts the findings are the
    // same.
    const std::vector<Failure> layout = CheckTableLayouts(lines, groups);
    for (const Failure &problem : layout) {
        if (problem.Line == 0 || problem.Line > lines.size()
            || !StartsWith(lines[problem.Line - 1], "<pre>"))
            std::abort();
    }
    std::vector<Failure> layoutInParts;
    for (const ProtocolPart &part : ProtocolParts(lines, 1)) {
        const std::vector<Failure> found = CheckTableLayouts(lines, groups, part);
        layoutInParts.insert(layoutInParts.end(), found.begin(), found.end());
    }
    if (layoutInParts != layout)
        std::abort();

    const RewriteResult first = RewriteProtocol(lines, groups, options, points, ask);
    const RewriteResult second = RewriteProtocol(lines, groups, options, points, ask);
    if (first.Status != second.Status || first.Lines != second.Lines || first.Error != second.Error)
        std::abort();

    // Made in parts, cut wherever they may be, the rewrite is the same, and its check agrees.
    RewriteRun run;
    const RewriteResult prepared = PrepareRewrite(groups, options, ask, run);
    if (prepared.Status != RewriteStatus::Done) {
        if (prepared.Status != first.Status || prepared.Error != first.Error)
            std::abort();
    } else {
        std::vector<ProtocolLine> made;
        RewriteResult last;
        std::size_t next = 0;
        for (const ProtocolPart &part : ProtocolParts(lines, 1)) {
            if (part.First != next)
                std::abort();
            next = part.End;
            const RewriteResult checked = CheckPart(lines, groups, options, points, run, part);
            const std::size_t before = made.size();
            last = RewritePart(lines, groups, options, points, run, part,
                [&](std::string_view line) { made.emplace_back(line); });
            if (checked.Status != last.Status || checked.Error != last.Error)
                std::abort();
            // Made straight into bytes, as the batch tool writes them: the same lines.
            std::string intoBytes;
            std::size_t count = 0;
            const RewriteResult into
                = RewritePartInto(lines, groups, options, points, run, part, intoBytes, count);
            std::string joined;
            for (std::size_t i = before; i < made.size(); ++i)
                AppendLine(joined, made[i]);
            if (into.Status != last.Status || into.Error != last.Error
                || (last.Status == RewriteStatus::Done
                    && (intoBytes != joined || count != made.size() - before)))
                std::abort();
            if (last.Status != RewriteStatus::Done)
                break;
        }
        if (made != first.Lines || last.Status != first.Status || last.Error != first.Error
            || (last.Status == RewriteStatus::Done && next != lines.size()))
            std::abort();
    }
    if (first.Status != RewriteStatus::Done)
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
        if (!inBlock && StartsWith(line, "<pre>")) {
            inBlock = true;
            continue;
        }
        if (inBlock) {
            inBlock = !StartsWith(line, "</pre>");
            continue;
        }
        while (out < first.Lines.size() && first.Lines[out] != line)
            ++out;
        if (out == first.Lines.size())
            std::abort();
        ++out;
    }
    return 0;
}
