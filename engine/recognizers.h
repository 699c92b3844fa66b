// The recognizers of result lines: each looks at the fields of line_layout.h, or of a table's own
// layout.
#pragma once

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

// The same readings for the logic that uses them, with "none" said plainly.
std::optional<int> SecondsOf(std::string_view line); // the result time, when it converts
std::optional<int> PlaceNumberOf(std::string_view line); // a readable place, not out of competition
Qualification QualificationOf(std::string_view line); // Ms..NoRank

// An athlete who runs personally takes no row of a team points table: the remarks (from 84)
// or the team column (32..51), leading blanks skipped, begin with "лично" or "Лично".
// Results programs print it in either place.
bool IsPersonal(std::string_view line);

// The same readings through a table's layout (engine/table_layout.h). A `Fixed` layout is
// today's and takes the functions above; the others read each value as the text inside its
// field, blanks trimmed: a time "h:mm:ss" or "hh:mm:ss", a place of digits ("= 7" too) or "в/к".
struct TableLayout;
bool IsResultLine(std::string_view line, const TableLayout &layout);
std::optional<int> SecondsOf(std::string_view line, const TableLayout &layout);
std::optional<int> PlaceNumberOf(std::string_view line, const TableLayout &layout);
bool IsOutOfCompetition(std::string_view line, const TableLayout &layout);
Qualification QualificationOf(std::string_view line, const TableLayout &layout);
bool HasForeignCode(std::string_view line, const TableLayout &layout);
bool IsPersonal(std::string_view line, const TableLayout &layout);

} // namespace engine
