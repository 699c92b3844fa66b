#include "engine/time_check.h"

#include "engine/line_layout.h"
#include "engine/numbers.h"
#include "engine/recognizers.h"

namespace engine {

std::vector<std::size_t> ImpossibleTimeLines(const ProtocolLines &lines)
{
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (!IsResultLine(line) || !SecondsOf(line))
            continue;
        // The fields as the time was read from them.
        const std::optional<int> minutes = ParseInt(Take(line, MinutesField));
        const std::optional<int> seconds = ParseInt(Take(line, SecondsField));
        if ((minutes && *minutes > 59) || (seconds && *seconds > 59))
            found.push_back(i + 1);
    }
    return found;
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
