// The inspector of distances: when the rewrite needs one, how it asks, and which names it takes.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/protocol.h"

namespace engine {

// True when some group's course is of class МС or КМС, so an inspector must sign.
bool InspectorNeeded(const std::vector<GroupSettings> &groups);

// Asks for the inspector of distances: the name in Windows-1251, or nothing when cancelled.
using InspectorRequest = std::function<std::optional<std::string>()>;

// A name needs this many characters without the blanks and control bytes around it.
inline constexpr std::size_t MinInspectorLength = 4;

// The name (Windows-1251, one byte a character) is long enough to sign with.
bool InspectorNameLongEnough(std::string_view name);

// Why a name cannot go into the protocol, or nothing when it can: it goes into the HTML as it
// is, so control characters (a line break would split the signatures) and the markup
// characters '<', '>' and '&' are refused rather than escaped, and it must be long enough.
std::optional<std::string> InspectorNameProblem(std::string_view name);

} // namespace engine
