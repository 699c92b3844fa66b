// The program's own settings in the settings file beside the points tables: the results
// collector's e-mail address, in a section of its own so that the points tables' section and
// every other byte of the file stay as they are.
#pragma once

#include <string>
#include <string_view>

namespace points {

inline constexpr std::string_view CollectorSection = "Collector";
inline constexpr std::string_view CollectorEmailKey = "Email";

// The address stored in the file; empty when none.
std::string CollectorEmail(std::string_view iniBytes);

// The file with the address set (control bytes dropped, so that it stays one line): the key's
// line is rewritten, or added to its section, or the section is added at the end.
std::string WithCollectorEmail(std::string_view iniBytes, std::string_view email);

} // namespace points
