// Protocols saved in UTF-8: telling them from Windows-1251, and converting them both ways.
#pragma once

#include <string>
#include <string_view>

#include "engine/result.h"

namespace engine {

enum class TextEncoding { Windows1251, Utf8 };

struct SourceEncoding
{
    TextEncoding Encoding = TextEncoding::Windows1251;
    bool ByteOrderMark = false; // the file starts with the UTF-8 byte order mark EF BB BF

    bool operator==(const SourceEncoding &other) const = default;
};

inline constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

// A file's bytes are UTF-8 when, after an optional byte order mark, they are valid UTF-8 and
// either start with that mark or hold at least one Cyrillic letter (U+0400..U+04FF, so a text
// whose only Cyrillic is "Ё", "і" or "ў" counts). Everything else, plain ASCII included, is
// Windows-1251 and is read byte for byte as always: Cyrillic text in Windows-1251 is practically
// never valid UTF-8, so no Windows-1251 protocol is taken for UTF-8.
SourceEncoding DetectEncoding(std::string_view fileBytes);

// The UTF-8 text as Windows-1251, one byte per character, so that columns counted in letters
// line up again as byte columns. A leading byte order mark is skipped, so a file's bytes can be
// passed as read. Line ends and every other byte below 0x80 are kept as they are. U+0098 becomes
// the byte 0x98 (the one byte the code page leaves without a character), so that every
// Windows-1251 byte string written out by AppendAsUtf8 converts back to itself.
// A character Windows-1251 cannot hold, or a byte that is not valid UTF-8, fails with its line
// (1-based, lines end at LF) and, in the reason, its 1-based column counted in characters and the
// character's code (U+XXXX): nothing is replaced by a look-alike or a '?'.
Result<std::string> Utf8ProtocolToWindows1251(std::string_view utf8);

// Appends the Windows-1251 bytes to `out` as UTF-8 (0x98 as U+0098); every byte survives.
void AppendAsUtf8(std::string &out, std::string_view windows1251);

} // namespace engine
