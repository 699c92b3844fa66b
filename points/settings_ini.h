// The entries of an INI file read as bytes, and where each section header and key stands in it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace points {

// One "key=value" of the file, as the INI library reads it: section and key without the
// blanks around them, the value without the blanks around it; bytes are not converted.
struct IniEntry
{
    std::string Section;
    std::string Key;
    std::string Value;

    bool operator==(const IniEntry &other) const = default;
};

// Every key of the file in file order, duplicates included, read with SimpleIni. Reading stops
// at a NUL byte.
std::vector<IniEntry> ReadIniEntries(std::string_view bytes);

// A section header or a key line, with its place in the file so that it can be rewritten
// without touching anything else.
struct IniItem
{
    bool IsSection = false;
    std::string_view Name; // the section's name or the key
    std::string_view Value; // empty for a section
    std::size_t Begin = 0; // the '[' of a header, the first byte of a key
    std::size_t End = 0; // where the line's text ends: its line break, a NUL or the end
    std::size_t Next = 0; // past the line break
};

// The same reading as ReadIniEntries, done here because the library keeps no positions: it
// follows the library's rules line for line (blanks are ' ', '\t', CR and LF; a line break is
// CR LF, LF or a lone CR; ';' and '#' start a comment line; a line without '=' is skipped; the
// blanks after "[" may span lines; a UTF-8 byte-order mark is skipped). Only the bytes before
// the first NUL are read. The views point into `bytes`.
//
// A "[" without "]" on its line still ends the section before it: the library puts the keys
// after it into a section named by the text from there to the next key, line break included.
// Such a header is an item named BrokenSectionName, a name no real section has.
std::vector<IniItem> ScanIni(std::string_view bytes);
extern const std::string_view BrokenSectionName; // "\n"

} // namespace points
