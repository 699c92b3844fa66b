// What a table's columns are: read from its title line and from where its values stand.
// Results programs lay their tables out in several ways; each table carries its own layout, and
// every recognizer reads through it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/line_layout.h"
#include "engine/protocol_lines.h"

namespace engine {

enum class LayoutKind {
    Standard,    // "… Квал Номер ГР   Результат Место Прим"
    Gap,         // the same with a gap column ("РезультатОтставан")
    YearFirst,   // "… Г.р. Квал Номер Результат  Место …": the year before the qualification
    Handicap,    // a "Финиш" column: the place is by the finish clock
    LeftAligned, // every field starts under its title word
    Relay,       // two title lines, team and leg rows: copied unchanged
    Unknown,     // not mapped: copied unchanged
};

// "standard", "gap", "year-first", "handicap", "left-aligned", "relay", "unknown".
std::string_view LayoutName(LayoutKind kind);

// Relays and tables not mapped are copied unchanged, and a handicap's places are by its finish
// clock: their groups start uncounted, and the user may count a handicap.
constexpr bool StartsUncounted(LayoutKind kind)
{
    return kind == LayoutKind::Handicap || kind == LayoutKind::Relay || kind == LayoutKind::Unknown;
}

// A field that the table does not have.
inline constexpr Field NoField { 0, 0 };
constexpr bool Has(Field field) { return field.First != 0; }

// The columns of one table, 1-based as a browser shows the line (tags left out, an entity one
// character). `Fixed` is today's layout read at its fixed bytes, where the fast paths apply; the
// others read each value as the text between its field's bounds, blanks trimmed.
struct TableLayout
{
    LayoutKind Kind = LayoutKind::Standard;
    bool Fixed = true;
    Field Number { 1, 4 };
    Field Name { 6, 30 };
    Field Team { 32, 51 };
    Field Year { 63, 66 };
    Field Qualification = QualificationField; // the code's five bytes
    Field Bib { 58, 61 };
    Field Time = TimeField; // "hh:mm:ss" in Fixed; else "h:mm:ss" or "hh:mm:ss" inside the field
    Field Gap = NoField;
    Field Finish = NoField;
    Field Place = PlaceField;
    Field Points = NoField;
    std::size_t Remarks = RemarksStart; // to the end of the line
    // The award label goes in two characters after the place; what followed the place moves right.
    std::size_t AwardColumn = engine::AwardColumn;

    // Relays and tables not mapped are copied as they stand.
    bool Rewritten() const { return Kind != LayoutKind::Relay && Kind != LayoutKind::Unknown; }
    // A line is padded to this length before the new fields go in.
    std::size_t PaddedLength() const { return AwardColumn + 2; }
};

inline const TableLayout StandardLayout {};

// A table's start: a line whose first bytes other than blanks and tabs are "<pre>" (any case),
// and where its "<pre>" ends (the offset after it); and its end, "</pre>" likewise.
bool OpensWithTag(std::string_view line, std::string_view tag);
// Nearly every line starts with neither: they are told at their first byte.
inline bool StartsTable(std::string_view line)
{
    return !line.empty() && (line[0] == '<' || line[0] == ' ' || line[0] == '\t')
        && OpensWithTag(line, "<pre>");
}
inline bool EndsTable(std::string_view line)
{
    return !line.empty() && (line[0] == '<' || line[0] == ' ' || line[0] == '\t')
        && OpensWithTag(line, "</pre>");
}
std::size_t AfterPreOpen(std::string_view line);
// Where a line's text ends in the table's closing tag ("   3 Рута … 3</pre>"), the offset of
// the tag; npos for a line without one there, and for the tag alone.
std::size_t ClosingTagAtEnd(std::string_view line);
// The same for line i of a protocol: only a line with markup can be either.
inline bool StartsTable(const ProtocolLines &lines, std::size_t i)
{
    return lines.HoldsTag(i) && StartsTable(lines[i]);
}
inline bool EndsTable(const ProtocolLines &lines, std::size_t i)
{
    return lines.HoldsTag(i) && EndsTable(lines[i]);
}
// Where the reading of a table stops: its closing tag, another table's "<pre>", or a group's
// heading, where a table not closed ends.
inline bool LeavesTable(const ProtocolLines &lines, std::size_t i)
{
    return EndsTable(lines, i) || StartsTable(lines, i) || lines.HoldsHeading(i);
}

// A line as a browser shows it: tags left out, "&nbsp;" and the other entities one character
// (a blank for "&nbsp;"). `Offsets[k]` is where the k-th shown character's bytes start in the
// line, and one more entry holds the line's length, so that a column maps back to its bytes.
struct ShownLine
{
    std::string Text;
    std::vector<std::size_t> Offsets;
};
bool HoldsMarkup(std::string_view line);
ShownLine Shown(std::string_view line);

// What the table starting at `pre` is: its layout, and which of its lines are its title.
struct TableShape
{
    TableLayout Layout;
    // The title line, and how many lines it takes (two for a relay); none when not found.
    std::size_t Title = 0;
    std::size_t TitleLines = 0;
    bool TitleOnPreLine = false; // "<pre><u><b>№п/п Фамилия, имя …" on the table's first line
    // The table's first lines as the shape was found from them, so that a shape kept from a
    // reading is known not to be another protocol's; and the lines and the table it was found
    // in, so that the reading's own lines need not be hashed again for each walk.
    std::uint64_t FirstLines = 0;
    std::uint64_t FoundIn = 0;
    std::size_t FoundAt = 0;
    bool HasTitle() const { return TitleLines > 0; }
    bool IsOf(const ProtocolLines &lines, std::size_t pre) const;
};
TableShape FindTableShape(const ProtocolLines &lines, std::size_t pre);

} // namespace engine
