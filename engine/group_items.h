// The texts of the group list's class and category editors (UTF-8), shared by the window and the
// batch tool, and reading a setting back from its text.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "engine/protocol.h"

namespace engine {

inline constexpr std::array<std::string_view, DistanceClassCount> DistanceClassItems = {
    "МС",
    "КМС",
    "I р.",
    "II р.",
    "III р.",
    "I юн",
    "II юн",
    "-- Не считать --",
};
inline constexpr std::array<std::string_view, CategoryCount> CategoryItems = {
    "Дарослыя",
    "Юнацкія",
    "Злучаныя",
    "Не лічыць",
};

constexpr std::string_view ItemOf(DistanceClass c)
{
    return DistanceClassItems[static_cast<std::size_t>(c)];
}
constexpr std::string_view ItemOf(Category c) { return CategoryItems[static_cast<std::size_t>(c)]; }

// The class or category named by an item's text or its number (blanks around it ignored);
// nothing when it is neither.
std::optional<DistanceClass> DistanceClassOf(std::string_view text);
std::optional<Category> CategoryOf(std::string_view text);

// A plain decimal integer from 0 up, the whole text (blanks around it ignored).
std::optional<int> CountOf(std::string_view text);

} // namespace engine
