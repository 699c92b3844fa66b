#include "engine/time_check.h"

#include "engine/layout_check.h"
#include "engine/line_layout.h"
#include "engine/numbers.h"
#include "engine/recognizers.h"
#include "engine/table_layout.h"
#include "engine/text.h"

namespace engine {

bool TimePastFiftyNine(std::string_view line, const TableLayout &layout)
{
    // Two digits past 59 have a tens digit of 6 or more: nearly every line is told by two
    // bytes, before it is read as a result line.
    if (layout.Fixed) {
        const std::string_view time = Take(line, TimeField);
        if (time.size() == TimeField.Size() && time[3] < '6' && time[6] < '6')
            return false;
    }
    const std::string_view time = TrimBlanks(Take(line, layout.Time));
    const std::size_t colon = time.find(':');
    if (!layout.Fixed && colon != std::string_view::npos && colon + 4 <= time.size()
        && time.substr(colon + 1, 2) <= "59" && time.substr(colon + 4, 2) <= "59")
        return false;
    if (!IsResultLine(line, layout) || !SecondsOf(line, layout))
        return false;
    if (layout.Fixed) {
        const std::optional<int> minutes = ParseInt(Take(line, MinutesField));
        const std::optional<int> seconds = ParseInt(Take(line, SecondsField));
        return (minutes && *minutes > 59) || (seconds && *seconds > 59);
    }
    return time.substr(colon + 1, 2) > "59" || time.substr(colon + 4, 2) > "59";
}

std::vector<std::size_t> ImpossibleTimeLines(
    const ProtocolLines &lines, const std::vector<GroupSettings> &groups, const ProtocolPart &part)
{
    return CheckTables(lines, groups, part, { .Layout = false, .ImpossibleTimes = true })
        .ImpossibleTimes;
}

std::vector<std::size_t> ImpossibleTimeLines(
    const ProtocolLines &lines, const std::vector<GroupSettings> &groups)
{
    return CheckTables(lines, groups, { .Layout = false, .ImpossibleTimes = true })
        .ImpossibleTimes;
}

std::string DescribeImpossibleTimes(std::string_view file, const std::vector<std::size_t> &lines)
{
    if (lines.empty())
        return {};
    constexpr std::size_t Named = 10;
    std::string text = std::string(file) + (lines.size() == 1 ? ": line " : ": lines ");
    for (std::size_t k = 0; k < lines.size() && k < Named; ++k)
        text += (k > 0 ? ", " : "") + std::to_string(lines[k]);
    if (lines.size() > Named)
        text += " and " + std::to_string(lines.size() - Named) + " more";
    return text + ": the result time's minutes or seconds exceed 59 (read as they stand)";
}

} // namespace engine
