// Changing the keys of one section of an INI file's bytes so that every other byte stays: other
// sections and keys, comments, blank lines, and each line's own line break.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace points {

struct IniKey
{
    std::string Name;
    std::string Value; // one line: a CR, LF or NUL in it is written as a blank
};

// What to change in the section named `Section` (the file may hold it several times; reading
// takes them as one, and so does the edit). Names match as reading matches them: blanks around
// them ignored, ASCII letters in either case.
struct IniSectionEdit
{
    std::string_view Section;
    // The keys to write, in this order. Without `Replaces`, each key's first line gets the new
    // value (the key spelt as the file spells it; later duplicates stay, reading takes the
    // first), and a key the section lacks gets a line of its own after the section's last line.
    std::vector<IniKey> Keys;
    // When set, every key line of the section it accepts goes, and `Keys` take the place of the
    // first of them (or go after the section's last line when none was there).
    std::function<bool(std::string_view key)> Replaces;
};

// The file with the edit made. A section the file lacks is added, after a blank line, at the
// end of what can be read (a NUL ends the reading), unless there is no key to write.
//
// Line breaks: a rewritten line keeps its own; a line added after another line takes that line's
// break, and one taking the place of removed lines the first removed line's. Where no line gives
// one (a new section, a last line without a break), the file's first line break is used: CR LF,
// LF or CR alone, and CR LF in a file that has none, as installations on Windows wrote.
std::string EditIni(std::string_view bytes, const IniSectionEdit &edit);

} // namespace points
