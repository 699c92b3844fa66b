// The recognizers of fixed-column result lines: each looks at the fields of line_layout.h.
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

} // namespace engine
