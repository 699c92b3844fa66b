#include "engine/inspector.h"

#include <algorithm>

#include "engine/text.h"

namespace engine {

bool InspectorNeeded(const std::vector<GroupSettings> &groups)
{
    return std::any_of(groups.begin(), groups.end(),
        [](const GroupSettings &group) { return NeedsInspector(group.DistanceClass); });
}

bool InspectorNameLongEnough(std::string_view name)
{
    return TrimBlanks(name).size() >= MinInspectorLength;
}

std::optional<std::string> InspectorNameProblem(std::string_view name)
{
    const std::string_view trimmed = TrimBlanks(name);
    for (const char c : trimmed) {
        if (IsBlankOrControl(c) && c != ' ')
            return "it holds a control character (a line break, a tab...)";
        if (c == '\x7F')
            return "it holds a control character (DEL)";
        if (c == '<' || c == '>' || c == '&')
            return std::string("it holds '") + c + "', which would be read as HTML markup";
    }
    if (!InspectorNameLongEnough(name))
        return "it needs at least " + std::to_string(MinInspectorLength) + " characters";
    return std::nullopt;
}

} // namespace engine
