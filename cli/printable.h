// Messages as a terminal may be given them: text from a protocol or an argument can hold
// control bytes (an escape sequence in a heading) that a terminal would act on.
#pragma once

#include <string>
#include <string_view>

namespace cli {

// Whether the bytes are well-formed UTF-8.
bool IsUtf8(std::string_view text);

// The UTF-8 text with each control character (C0 but LF and tab, DEL, C1) and each byte that is
// not UTF-8 shown as "\xNN".
std::string Printable(std::string_view text);

} // namespace cli
