// The recognizers of result lines: each looks at the fields of line_layout.h, or of a table's own
// layout.
#pragma once

#include <limits>
#include <optional>
#include <string_view>

#include "engine/qualification.h"

namespace engine {

bool IsResultLine(std::string_view line);
int ResultSeconds(std::string_view line); // -1 when a field does not convert
int QualificationIndex(std::string_view line); // 0..8
int PlaceOf(std::string_view line); // -1 unreadable, -2 out of competition
bool IsOutOfCompetition(std::string_view line);
bool IsForeignCode(std::string_view code);
bool HasForeignCode(std::string_view line);

struct TableLayout;

// The time and the place cross from their readers as an int, `NoNumber` for none, and become
// optional inline: GCC builds an optional<int> it returns on the stack a field at a time, and
// the caller's reading it back as one word stalls on every call, which at two calls a line was
// a twentieth of a whole run.
namespace detail {
    inline constexpr int NoNumber = std::numeric_limits<int>::min();
    int SecondsOrNone(std::string_view line);
    int PlaceOrNone(std::string_view line);
    int SecondsOrNone(std::string_view line, const TableLayout &layout);
    int PlaceOrNone(std::string_view line, const TableLayout &layout);
    constexpr std::optional<int> Optional(int value)
    {
        return value == NoNumber ? std::nullopt : std::optional<int>(value);
    }
} // namespace detail

// The same readings for the logic that uses them, with "none" said plainly.
// The result time, when it converts.
inline std::optional<int> SecondsOf(std::string_view line)
{
    return detail::Optional(detail::SecondsOrNone(line));
}
// A readable place, not out of competition.
inline std::optional<int> PlaceNumberOf(std::string_view line)
{
    return detail::Optional(detail::PlaceOrNone(line));
}
Qualification QualificationOf(std::string_view line); // Ms..NoRank

// An athlete who runs personally takes no row of a team points table: the remarks (from 84)
// or the team column (32..51), leading blanks skipped, begin with "лично" or "Лично".
// Results programs print it in either place.
bool IsPersonal(std::string_view line);

// The same readings through a table's layout (engine/table_layout.h). A `Fixed` layout is
// today's and takes the functions above; the others read each value as the text inside its
// field, blanks trimmed: a time "h:mm:ss" or "hh:mm:ss", a place of digits ("= 7" too) or "в/к".
bool IsResultLine(std::string_view line, const TableLayout &layout);
inline std::optional<int> SecondsOf(std::string_view line, const TableLayout &layout)
{
    return detail::Optional(detail::SecondsOrNone(line, layout));
}
inline std::optional<int> PlaceNumberOf(std::string_view line, const TableLayout &layout)
{
    return detail::Optional(detail::PlaceOrNone(line, layout));
}
bool IsOutOfCompetition(std::string_view line, const TableLayout &layout);
Qualification QualificationOf(std::string_view line, const TableLayout &layout);
bool HasForeignCode(std::string_view line, const TableLayout &layout);
bool IsPersonal(std::string_view line, const TableLayout &layout);

// Whether byte `colon` of `text` is the first colon of a time "h:mm:ss" (the hours of one
// digit or more); FindTime: the first such colon from byte `from`, npos when none.
inline bool IsTimeAt(std::string_view text, std::size_t colon)
{
    const auto digit = [&](std::size_t k) { return text[k] >= '0' && text[k] <= '9'; };
    return colon >= 1 && colon + 6 <= text.size() && text[colon] == ':' && digit(colon - 1)
        && digit(colon + 1) && digit(colon + 2) && text[colon + 3] == ':' && digit(colon + 4)
        && digit(colon + 5);
}
std::size_t FindTime(std::string_view text, std::size_t from = 0);

// Whether a line that holds no time in its column has one further right, outside a handicap's
// finish: a value before it was wider than its column (a long name) and pushed the rest along,
// so its bytes are not where the table's columns are.
bool TimeStandsFurtherRight(std::string_view line, const TableLayout &layout);

} // namespace engine
