// The program's own settings in the settings file beside the points tables: the results
// collector's e-mail address, the protocols read last and the main window's layout, each in a
// section of its own so that
// the points tables' section and every other byte of the file stay as they are.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace points {

inline constexpr std::string_view CollectorSection = "Collector";
inline constexpr std::string_view CollectorEmailKey = "Email";

// The address stored in the file; empty when none.
std::string CollectorEmail(std::string_view iniBytes);

// The file with the address set (control bytes dropped, so that it stays one line): the key's
// line is rewritten, or added to its section, or the section is added at the end.
std::string WithCollectorEmail(std::string_view iniBytes, std::string_view email);

// The protocols read last, newest first: "File1" to "File8" of section "Recent", UTF-8 paths.
inline constexpr std::string_view RecentSection = "Recent";
inline constexpr std::string_view RecentKeyPrefix = "File";
inline constexpr std::size_t MaxRecentFiles = 8;

// Whether a path can stand as one value and read back as it was: non-empty UTF-8 without control
// bytes (a line break would end the value) and without blanks at its ends (reading trims them).
bool IsStorablePath(std::string_view path);

// The list the file holds, in key order; values that are not storable and repeats are skipped.
std::vector<std::string> RecentFiles(std::string_view iniBytes);

// `path` put in front of `list`, its earlier place removed, the list cut to MaxRecentFiles. The
// caller makes paths comparable (absolute, links resolved); a path that cannot be stored leaves
// the list as it is.
std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string &path);

// The file with `list` as its "FileN" keys (File1 first, in the place of the old ones, or at the
// end of the section, or in a new section at the end); every other line stays as it is. Entries
// that cannot be stored are left out, and an empty list adds no section.
std::string WithRecentFiles(std::string_view iniBytes, const std::vector<std::string> &list);

// The main window as it was closed, in section "Window": "Width" and "Height" of its normal
// (not maximised) size, "Maximized" (0 or 1), "Splitter" as the heights of the settings above
// the border and of the output below it ("380,150"), and "Tab", the output tab shown (0, 1...).
inline constexpr std::string_view WindowSection = "Window";
struct WindowLayout
{
    // 0 where the file holds nothing usable: a value that is not a whole number from 1 to
    // MaxWindowExtent (from 0 for the tab), or a "Splitter" that is not two of them.
    int Width = 0;
    int Height = 0;
    bool Maximized = false;
    int SettingsHeight = 0;
    int OutputHeight = 0;
    int Tab = 0;

    bool operator==(const WindowLayout &) const = default;
};
inline constexpr int MaxWindowExtent = 100000;

WindowLayout ReadWindowLayout(std::string_view iniBytes);
// The file with `layout` as the section's keys, each rewritten in its place or added; a value
// 0 (not known) is written as 0 and read back as not known.
std::string WithWindowLayout(std::string_view iniBytes, const WindowLayout &layout);

// The window's language as chosen in the window, in section "Interface": "Language" is a code
// ("be", "ru", "en"); no key, or an empty value, follows the system's languages.
inline constexpr std::string_view InterfaceSection = "Interface";
inline constexpr std::string_view LanguageKey = "Language";

// The code kept, blanks around it dropped, as the file spells it; empty when none.
std::string InterfaceLanguage(std::string_view iniBytes);
// The file with `code` as the key's value (control bytes dropped); empty: follow the system.
std::string WithInterfaceLanguage(std::string_view iniBytes, std::string_view code);

} // namespace points
