#include "engine/team_points.h"

#include <algorithm>

#include "engine/messages.h"
#include "engine/numbers.h"

namespace engine {

TeamPointsColumn::TeamPointsColumn(const TeamPointsSource &points, int table)
    : m_points(points)
    , m_table(table)
{
}

std::string_view TeamPointsColumn::Field(bool personal, bool result, std::optional<int> place)
{
    if (!result || !place || *place <= 0)
        return texts::NoPoints;
    std::string_view field = texts::NoPoints;
    if (!personal) {
        m_row += *place - m_previousPlace;
        field = ValueAtRow(std::min<long long>(m_row, m_points.PlacesCount()));
    }
    m_previousPlace = *place;
    return field;
}

std::string_view TeamPointsColumn::ValueAtRow(long long row)
{
    // Places that decrease along a table, a grid without places or a table that has been
    // removed leave no row to read.
    if (row <= 0 || m_table > m_points.TablesCount())
        return texts::NoPoints;
    // Past the table's last place every athlete gets its row: the field is made once.
    if (row == m_fieldRow)
        return m_field;
    m_field = PadLeft(FilledAtOrAbove(row), 5);
    m_fieldRow = row;
    return m_field;
}

// The first non-empty cell of the table going upwards from `row`. The running row mostly
// grows, so rows already looked at are remembered rather than read again: a long table with
// empty rows costs one pass, not one pass per athlete.
std::string_view TeamPointsColumn::FilledAtOrAbove(long long row)
{
    if (row < m_scannedTo) {
        m_scannedTo = 0;
        m_lastFilled = {};
    }
    for (long long r = row; r > m_scannedTo; --r) {
        const std::string_view value = m_points.Value(m_table, static_cast<int>(r));
        if (!value.empty()) {
            m_lastFilled = value;
            break;
        }
    }
    m_scannedTo = row;
    return m_lastFilled;
}

} // namespace engine
