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

} // namespace engine
