// The fixed columns of an athlete's result line, as read by the recognizers and written by the
// rewrite. Positions are 1-based bytes, as secretaries count them in the protocol.
#pragma once

#include <cstddef>
#include <string_view>

namespace engine {

// A 1-based inclusive byte range of a line.
struct Field
{
    std::size_t First;
    std::size_t Last;

    constexpr std::size_t Offset() const { return First - 1; }
    constexpr std::size_t Size() const { return Last - First + 1; }
};

// The bytes of a field; shorter, or empty, where the line ends inside or before it, and empty
// for a field a table does not have (First 0).
constexpr std::string_view Take(std::string_view line, Field field)
{
    if (field.First == 0 || line.size() < field.First)
        return {};
    return line.substr(field.Offset(), field.Size());
}

// The byte at a 1-based position; the caller has checked the line's length.
constexpr char ByteAt(std::string_view line, std::size_t position) { return line[position - 1]; }

// A result line has at least this many bytes, blanks at 5 and 67 and colons at 70 and 73.
inline constexpr std::size_t ResultLineMinLength = 74;
inline constexpr std::size_t NameBlankColumn = 5;
inline constexpr std::size_t TimeBlankColumn = 67;
inline constexpr std::size_t FirstColonColumn = 70;
inline constexpr std::size_t SecondColonColumn = 73;

// Three-byte country codes are looked for at start positions inside these windows.
inline constexpr Field NameCodeStarts { 6, 28 };
inline constexpr Field TeamCodeStarts { 32, 49 };
inline constexpr Field TeamField { 32, 51 };

inline constexpr Field QualificationField { 53, 57 }; // five bytes, padded with blanks
inline constexpr Field TimeField { 68, 75 }; // "hh:mm:ss"
inline constexpr Field HoursField { 68, 69 };
inline constexpr Field MinutesField { 71, 72 };
inline constexpr Field SecondsField { 74, 75 };
inline constexpr Field PlaceField { 79, 82 }; // right-aligned place, or " в/к"
inline constexpr Field OutOfCompetitionField { 80, 82 }; // "в/к"
inline constexpr std::size_t RemarksStart = 84; // to the end of the line

// What the rewrite writes: a line is padded to PaddedLength, the award label goes in at
// AwardColumn, team and rating points (five bytes each) at PointsColumn.
inline constexpr std::size_t PaddedLength = 86;
inline constexpr std::size_t AwardColumn = 84;
inline constexpr std::size_t PointsColumn = 88;
// The header's blanks at this column are squeezed out so that the time's title lines up.
inline constexpr std::size_t SqueezeColumn = 68;

} // namespace engine
