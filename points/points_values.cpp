#include "points/points_values.h"

#include "engine/cp1251.h"
#include "engine/text.h"
#include "points/points_grid.h"

namespace points {

bool IsPointsValue(std::string_view text)
{
    // Five digits are at most 99999; leading zeros still fit the field.
    if (text.size() > 5)
        return false;
    for (const char c : text) {
        if (!engine::IsAsciiDigit(c))
            return false;
    }
    return true;
}

std::string BadPointsValueReason(int table, int place, std::string_view text)
{
    // A value shown in a message: UTF-8, and short.
    constexpr std::size_t Shown = 40;
    std::string shown = engine::Cp1251ToUtf8(text.substr(0, Shown));
    if (text.size() > Shown)
        shown += "...";
    return "table " + TableLetter(table) + ", key \"" + std::to_string(place) + "\": \"" + shown
        + "\" is not a points value, a whole number 0-" + std::to_string(MaxPointsValue);
}

std::optional<BadPointsCell> FirstBadPointsCell(
    const engine::TeamPointsSource &points, const std::vector<int> &tables)
{
    for (const int table : tables) {
        if (table < 1 || table > points.TablesCount())
            continue;
        for (int place = 1; place <= points.PlacesCount(); ++place) {
            if (!IsPointsValue(points.Value(table, place)))
                return BadPointsCell { table, place };
        }
    }
    return std::nullopt;
}

} // namespace points
