// Small byte-text helpers shared by the engine, the points tables and the batch tool.
#pragma once

#include <string>
#include <string_view>

namespace engine {

// Bytes up to 0x20 are blanks and control bytes: results programs and editors leave them
// around fields and names.
constexpr bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20; }
constexpr bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
std::string_view TrimLeadingBlanks(std::string_view text);
std::string_view TrimBlanks(std::string_view text); // at both ends

// Equal when only the case of ASCII letters differs; other bytes compare exactly.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
// Where `word` stands in `text` from `from` on, its ASCII letters in either case; npos if not.
std::size_t FindIgnoringAsciiCase(std::string_view text, std::string_view word, std::size_t from = 0);

// "UTF-16" or "UTF-32" when the bytes open with that encoding's byte-order mark, else null.
// Such a file reads as garbage in a byte-oriented code page and must not be written over as one.
const char *WideUnicodeMark(std::string_view start);

// Protocols are saved with CR LF after every line, as the programs that read them expect.
inline constexpr std::string_view LineBreak = "\r\n";
inline void AppendLine(std::string &out, std::string_view line)
{
    out.append(line);
    out.append(LineBreak);
}

} // namespace engine
