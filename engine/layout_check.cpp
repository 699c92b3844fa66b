#include "engine/layout_check.h"

#include <algorithm>

#include "engine/cp1251.h"
#include "engine/messages.h"
#include "engine/line_layout.h"
#include "engine/recognizers.h"
#include "engine/text.h"

namespace engine {

namespace {

    // An athlete's line carries a time somewhere: "h:mm:ss" or "hh:mm:ss". Looked for first where
    // the rewrite reads it, then from the line's first colon, which memchr reaches at memory
    // speed.
    bool HasTime(std::string_view line)
    {
        const auto timeAt = [&](std::size_t colon) {
            return IsAsciiDigit(line[colon - 1]) && IsAsciiDigit(line[colon + 1])
                && IsAsciiDigit(line[colon + 2]) && line[colon + 3] == ':'
                && IsAsciiDigit(line[colon + 4]) && IsAsciiDigit(line[colon + 5]);
        };
        if (FirstColonColumn + 5 <= line.size() && timeAt(FirstColonColumn - 1))
            return true;
        for (std::size_t colon = line.find(':', 1); colon != std::string_view::npos && colon + 6 <= line.size();
             colon = line.find(':', colon + 1)) {
            if (timeAt(colon))
                return true;
        }
        return false;
    }

    struct TableCounts
    {
        int timed = 0; // lines with a time anywhere
        int results = 0; // lines IsResultLine takes
        int noPlace = 0; // result lines without a readable place or "в/к"
        int otherCode = 0; // result lines with an unknown, non-blank qualification field
    };

    std::string Problem(const TableCounts &counts)
    {
        if (counts.timed > 0 && counts.results == 0)
            return "no line is read as a result (the time is not at 68-75)";
        if (counts.results > 0 && counts.noPlace * 2 > counts.results)
            return "most places are not at 79-82";
        if (counts.results > 0 && counts.otherCode * 2 > counts.results)
            return "most qualifications are not at 53-57";
        return {};
    }

} // namespace

std::vector<Failure> CheckTableLayouts(
    const ProtocolLines &lines, const std::vector<GroupSettings> &groups)
{
    return CheckTableLayouts(lines, groups, { 0, lines.size(), 0 });
}

std::vector<Failure> CheckTableLayouts(
    const ProtocolLines &lines, const std::vector<GroupSettings> &groups, const ProtocolPart &part)
{
    std::vector<Failure> problems;
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
        if (!lines[i].starts_with(texts::PreOpen) || IsSignaturesStart(lines, i))
            continue;
        const std::size_t start = i;
        const std::size_t tableHeadings = headings; // the table's group: the heading above
        TableCounts counts;
        for (++i; i < end && !lines[i].starts_with(texts::PreClose); ++i) {
            heading(i);
            const std::string_view line = lines[i];
            counts.timed += HasTime(line) ? 1 : 0;
            if (!IsResultLine(line))
                continue;
            ++counts.results;
            if (!PlaceNumberOf(line) && !IsOutOfCompetition(line))
                ++counts.noPlace;
            // A protocol rewritten before holds "б/р  " there.
            const std::string_view code = Take(line, QualificationField);
            if (QualificationOf(line) == Qualification::NoRank
                && code.find_first_not_of(' ') != std::string_view::npos
                && code != LabelOf(Qualification::NoRank))
                ++counts.otherCode;
        }
        if (i < end)
            heading(i); // the closing line, which the loop steps over
        const std::string problem = Problem(counts);
        if (problem.empty())
            continue;
        const std::string group = tableHeadings > 0 && tableHeadings <= groups.size()
            ? groups[tableHeadings - 1].Name
            : std::string("(no heading)");
        problems.push_back({ start + 1, group + ": " + problem });
    }
    return problems;
}

std::string DescribeLayoutProblems(std::string_view file, const std::vector<Failure> &problems)
{
    if (problems.empty())
        return {};
    std::string text = "Some tables are laid out differently from what the rewrite reads "
                       "(qualification at 53-57, time at 68-75, place at 79-82); their awards "
                       "and points may be wrong. Check:";
    for (const Failure &problem : problems)
        text += "\n  " + Describe(file, { problem.Line, Cp1251ToUtf8(problem.Reason) });
    return text;
}

} // namespace engine
