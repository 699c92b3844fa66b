#include "engine/layout_check.h"

#include <algorithm>

#include "engine/cp1251.h"
#include "engine/messages.h"
#include "engine/line_layout.h"
#include "engine/recognizers.h"
#include "engine/rewrite.h"
#include "engine/table_layout.h"
#include "engine/text.h"
#include "engine/time_check.h"
#include "engine/two_threads.h"

namespace engine {

namespace {

    // An athlete's line carries a time somewhere: "h:mm:ss" or "hh:mm:ss". Looked for first where
    // the rewrite reads it, then from the line's first colon, which memchr reaches at memory
    // speed.
    bool HasTime(std::string_view line)
    {
        return IsTimeAt(line, FirstColonColumn - 1) || FindTime(line, 1) != std::string_view::npos;
    }

    struct TableCounts
    {
        int timed = 0; // lines with a time anywhere
        int results = 0; // lines IsResultLine takes
        int noPlace = 0; // result lines without a readable place or "в/к"
        int otherCode = 0; // result lines with an unknown, non-blank qualification field
        std::string firstCode; // the first of those codes
        std::string firstPlace; // the first place field that did not read
    };

    std::string Columns(Field field)
    {
        return std::to_string(field.First) + "-" + std::to_string(field.Last);
    }

    // Whether no `left` lines more can give the table a problem: a line is read as a result,
    // and each verdict of the majority stands even if every line left went against it. Most
    // tables are settled halfway, and their other half is not read.
    bool Settled(const TableCounts &counts, std::size_t left)
    {
        const auto stands = [&](int against) {
            return static_cast<std::size_t>(counts.results - against)
                >= static_cast<std::size_t>(against) + left;
        };
        return counts.results > 0 && stands(counts.noPlace) && stands(counts.otherCode);
    }

    std::string Problem(const TableCounts &counts, const TableLayout &layout)
    {
        if (counts.timed > 0 && counts.results == 0)
            return "no line is read as a result (the time is not at " + Columns(layout.Time) + ")";
        if (counts.results > 0 && counts.noPlace * 2 > counts.results)
            return "most places are not at " + Columns(layout.Place)
                + (counts.firstPlace.empty() ? std::string(", which is blank")
                                             : " (\"" + counts.firstPlace + "\" stands there)");
        if (counts.results > 0 && counts.otherCode * 2 > counts.results)
            return "most qualifications at " + Columns(layout.Qualification)
                + " are no code the reader knows (\"" + counts.firstCode
                + "\"): they are read as no rank and written as \""
                + std::string(TrimBlanks(LabelOf(Qualification::NoRank))) + "\"";
        return {};
    }

} // namespace

std::vector<Failure> CheckTableLayouts(
    const ProtocolLines &lines, const std::vector<GroupSettings> &groups)
{
    return CheckTables(lines, groups, { .Layout = true, .ImpossibleTimes = false }).Layout;
}

TableChecks CheckTables(
    const ProtocolLines &lines, const std::vector<GroupSettings> &groups, TableChecksAsked asked)
{
    // A large protocol is read in two parts at once, cut where a walk starts afresh.
    constexpr std::size_t PartsFrom = 16 << 20;
    const std::size_t bytes = lines.empty() ? 0 : lines.EndOffset(lines.size() - 1);
    const std::vector<ProtocolPart> parts = bytes >= PartsFrom
        ? ProtocolParts(lines, bytes / 2 + 1)
        : std::vector<ProtocolPart> { { 0, lines.size(), 0 } };
    std::vector<TableChecks> found(parts.size());
    InTwoThreads(parts.size(), 2, [&](std::size_t first, std::size_t end) {
        for (std::size_t k = first; k < end; ++k)
            found[k] = CheckTables(lines, groups, parts[k], asked);
    });
    for (std::size_t k = 1; k < found.size(); ++k)
        found[0].Append(found[k]);
    return std::move(found[0]);
}

void TableChecks::Append(const TableChecks &more)
{
    Layout.insert(Layout.end(), more.Layout.begin(), more.Layout.end());
    ImpossibleTimes.insert(
        ImpossibleTimes.end(), more.ImpossibleTimes.begin(), more.ImpossibleTimes.end());
}

std::vector<Failure> CheckTableLayouts(
    const ProtocolLines &lines, const std::vector<GroupSettings> &groups, const ProtocolPart &part)
{
    return CheckTables(lines, groups, part, { .Layout = true, .ImpossibleTimes = false }).Layout;
}

TableChecks CheckTables(const ProtocolLines &lines, const std::vector<GroupSettings> &groups,
    const ProtocolPart &part, TableChecksAsked asked)
{
    TableChecks found;
    // Headings are counted on every line, inside tables too, as the rewrite pairs tables with
    // groups.
    std::size_t headings = part.HeadingsAbove;
    const auto heading = [&](std::size_t i) {
        if (lines.HoldsHeading(i))
            ++headings;
    };
    const std::size_t end = std::min(part.End, lines.size());
    for (std::size_t i = part.First; i < end; ++i) {
        heading(i);
        if (!StartsTable(lines, i) || IsSignaturesStart(lines, i))
            continue;
        const std::size_t start = i;
        const std::size_t tableHeadings = headings; // the table's group: the heading above
        const GroupSettings *group = tableHeadings > 0 && tableHeadings <= groups.size()
            ? &groups[tableHeadings - 1]
            : nullptr;
        const TableShape shape = ShapeOfTable(lines, i, group);
        const TableLayout &layout = shape.Layout;
        // Where the table closes: only a line with a tag can close it, at its start or its end;
        // one not closed ends at the next group's heading, as the rewrite ends it there.
        std::size_t close = lines.NextTag(i + 1);
        while (close < end && !EndsTable(lines, close) && !lines.HoldsHeading(close)
            && ClosingTagAtEnd(lines[close]) == std::string_view::npos)
            close = lines.NextTag(close + 1);
        close = std::min(close, end);
        TableCounts counts;
        bool settled = false;
        std::string shown;
        std::vector<std::size_t> pushed; // lines whose values a wide one pushed right
        ++i;
        if (!layout.Rewritten() || (!asked.Layout && !asked.ImpossibleTimes)) {
            // Nothing to read: only the headings count.
            for (std::size_t k = lines.NextHeading(i); k < close; k = lines.NextHeading(k + 1))
                ++headings;
            i = close;
        }
        for (; i < close; ++i) {
            heading(i);
            std::string_view line = lines[i];
            if (lines.HoldsTag(i))
                line = shown = Shown(line).Text;
            if (asked.ImpossibleTimes && TimePastFiftyNine(line, layout))
                found.ImpossibleTimes.push_back(i + 1);
            if (!asked.Layout)
                continue;
            const bool result = IsResultLine(line, layout);
            // Every line is looked at for this: the rewrite copies such a line unchanged.
            if (!result && TimeStandsFurtherRight(line, layout))
                pushed.push_back(i + 1);
            // Once no line left could change the table's verdict, its other lines are not read
            // for it: most tables are settled halfway.
            settled = settled || Settled(counts, close - i);
            if (settled)
                continue;
            counts.timed += HasTime(line) ? 1 : 0;
            if (!result)
                continue;
            ++counts.results;
            if (!PlaceNumberOf(line, layout) && !IsOutOfCompetition(line, layout)
                && counts.noPlace++ == 0)
                counts.firstPlace = TrimBlanks(Take(line, layout.Place));
            // A protocol rewritten before holds "б/р  " there.
            const std::string_view code = Take(line, layout.Qualification).substr(0, 5);
            if (QualificationOf(line, layout) == Qualification::NoRank
                && code.find_first_not_of(' ') != std::string_view::npos
                && !LabelOf(Qualification::NoRank).starts_with(TrimBlanks(code))) {
                if (counts.otherCode++ == 0)
                    counts.firstCode = TrimBlanks(code);
            }
        }
        if (i < end)
            heading(i); // the closing line, which the loop steps over
        if (!asked.Layout)
            continue;
        const std::string name = group ? group->Name : std::string("(no heading)");
        const std::string problem = layout.Kind == LayoutKind::Unknown
            ? std::string("its columns are not a layout the reader knows; the table is copied "
                          "unchanged and the group is not counted")
            : Problem(counts, layout);
        if (!problem.empty())
            found.Layout.push_back({ start + 1, name + ": " + problem });
        for (const std::size_t line : pushed)
            found.Layout.push_back({ line,
                name + ": the time stands right of its column " + Columns(layout.Time)
                    + ", after a value wider than its own; the line is copied unchanged and "
                      "not counted" });
    }
    return found;
}

std::string DescribeLayoutProblems(std::string_view file, const std::vector<Failure> &problems)
{
    if (problems.empty())
        return {};
    std::string text = "Some tables are laid out differently from what the reader could map; "
                       "a table it could not map at all is copied unchanged, and the awards and "
                       "points of the others may be wrong. Check:";
    for (const Failure &problem : problems)
        text += "\n  " + Describe(file, { problem.Line, Cp1251ToUtf8(problem.Reason) });
    return text;
}

std::string DescribeTableNotes(const std::vector<GroupSettings> &groups)
{
    if (groups.empty())
        return {};
    const auto named = [&](auto &&which) {
        std::string names;
        for (const GroupSettings &group : groups) {
            if (which(group))
                names += (names.empty() ? "" : ", ") + Cp1251ToUtf8(group.Name);
        }
        return names;
    };
    if (std::none_of(groups.begin(), groups.end(), [](const GroupSettings &g) { return g.Table.has_value(); }))
        return "no table (\"<pre>\") was found below the group headings: nothing is awarded";
    const auto kind = [](const GroupSettings &group, LayoutKind k) {
        return group.Table && group.Table->Layout.Kind == k;
    };
    std::string text;
    const auto add = [&](const std::string &names, std::string_view what) {
        if (names.empty())
            return;
        if (!text.empty())
            text += '\n';
        text.append(what).append(names);
    };
    add(named([&](const GroupSettings &g) { return kind(g, LayoutKind::Relay); }),
        "relay tables are copied unchanged and their groups are not counted: ");
    add(named([&](const GroupSettings &g) { return kind(g, LayoutKind::Unknown); }),
        "tables whose columns could not be mapped are copied unchanged and their groups are not "
        "counted: ");
    add(named([&](const GroupSettings &g) { return kind(g, LayoutKind::Handicap); }),
        "handicap starts (a finish clock column) are awarded by the running time and keep their "
        "places; they start as not counted, count them if the rules allow: ");
    return text;
}

} // namespace engine
