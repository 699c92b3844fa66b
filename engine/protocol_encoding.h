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
    // A UTF-8 file starts with the byte order mark EF BB BF, to be written back. Always false for
    // Windows-1251: those bytes, if any, are then part of the first line like any others.
    bool ByteOrderMark = false;

    bool operator==(const SourceEncoding &other) const = default;
};

inline constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

// A file's bytes are UTF-8 when, after an optional byte order mark, they are valid UTF-8 and
// either start with that mark or hold at least one Cyrillic letter (U+0400..U+04FF, so a text
// whose only Cyrillic is "Ё", "і" or "ў" counts); the mark alone is the writer's own word that
// the file is UTF-8. Everything else, plain ASCII included, is Windows-1251 and is read byte for
// byte as always. Windows-1251 Cyrillic letters practically never form valid UTF-8 sequences,
// so a Windows-1251 protocol is not taken for UTF-8.
SourceEncoding DetectEncoding(std::string_view fileBytes);

// The UTF-8 text as Windows-1251, one byte per character, so that columns counted in letters
// line up again as byte columns. A leading byte order mark is skipped, so a file's bytes can be
// passed as read. Line ends and every other byte below 0x80 are kept as they are. U+0098, a
// control character nobody types, becomes the byte 0x98 (the one byte the code page leaves
// without a character, written out as U+0098), so that whatever AppendAsUtf8 wrote converts
// back to itself instead of failing to load.
// A character Windows-1251 cannot hold, or a byte that is not valid UTF-8, fails with its line
// (1-based, lines end at LF) and, in the reason, its 1-based column counted in characters and the
// character's code (U+XXXX): nothing is replaced by a look-alike or a '?'.
Result<std::string> Utf8ProtocolToWindows1251(std::string_view utf8);

// Appends the Windows-1251 bytes to `out` as UTF-8 (0x98 as U+0098); every byte survives.
// `out` grows once, by exactly what is appended; `windows1251` must not point into it.
void AppendAsUtf8(std::string &out, std::string_view windows1251);

// Output lines in the encoding of the protocol they came from: Windows-1251 as they are, UTF-8
// converted into a buffer kept from line to line.
class LineEncoder
{
public:
    explicit LineEncoder(const SourceEncoding &encoding)
        : m_encoding(encoding)
    {
    }
    // What the output starts with: the byte order mark when the protocol had one.
    std::string_view Start() const
    {
        return m_encoding.ByteOrderMark ? Utf8ByteOrderMark : std::string_view();
    }
    // The line to write; valid until the next call.
    std::string_view operator()(std::string_view line)
    {
        if (m_encoding.Encoding == TextEncoding::Windows1251)
            return line;
        m_line.clear();
        AppendAsUtf8(m_line, line);
        return m_line;
    }

private:
    SourceEncoding m_encoding;
    std::string m_line;
};

} // namespace engine
