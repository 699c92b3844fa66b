#include "engine/protocol_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "engine/cp1251.h"

// Hand-written rather than through iconv or ICU: the engine depends on nothing beyond the
// standard library, the code page is one small table (engine/cp1251.h), and a protocol of a
// million lines is converted in one pass with no library call per character.

namespace engine {

namespace {

    // Eight bytes at a time while they are all ASCII: most of a protocol is blanks, digits and
    // tags, so this loop carries the bulk of the work.
    constexpr std::uint64_t HighBits = 0x8080808080808080u;

    bool EightAscii(const char *p)
    {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        return (word & HighBits) == 0;
    }

    // The Windows-1251 byte of each code point the code page holds, 0 for none. The code page's
    // characters above ASCII lie in two blocks: U+0080..U+04FF (Latin-1 signs, Cyrillic) and
    // U+2000..U+212F (dashes, quotes, €, №, ™).
    struct ByteTable
    {
        static constexpr char32_t LowFirst = 0x80, LowEnd = 0x500;
        static constexpr char32_t HighFirst = 0x2000, HighEnd = 0x2130;
        std::array<unsigned char, LowEnd - LowFirst> Low {};
        std::array<unsigned char, HighEnd - HighFirst> High {};
        bool Complete = true; // every character of the code page fell into one of the blocks

        constexpr ByteTable()
        {
            for (int i = 0; i < 128; ++i) {
                const char32_t c = Cp1251High[i];
                const auto byte = static_cast<unsigned char>(0x80 + i);
                if (c >= LowFirst && c < LowEnd)
                    Low[c - LowFirst] = byte;
                else if (c >= HighFirst && c < HighEnd)
                    High[c - HighFirst] = byte;
                else
                    Complete = false;
            }
        }

        int ByteOf(char32_t c) const
        {
            if (c >= LowFirst && c < LowEnd && Low[c - LowFirst] != 0)
                return Low[c - LowFirst];
            if (c >= HighFirst && c < HighEnd && High[c - HighFirst] != 0)
                return High[c - HighFirst];
            return -1;
        }
    };

    constexpr ByteTable Windows1251Bytes;
    static_assert(Windows1251Bytes.Complete);

    // The UTF-8 form of each byte 0x80..0xFF: two or three bytes.
    struct Utf8Form
    {
        char Bytes[3] {};
        unsigned char Length = 0;
    };

    constexpr std::array<Utf8Form, 128> MakeUtf8Forms()
    {
        std::array<Utf8Form, 128> forms {};
        for (int i = 0; i < 128; ++i) {
            const char32_t c = Cp1251High[i];
            Utf8Form &f = forms[static_cast<std::size_t>(i)];
            if (c < 0x800) {
                f.Bytes[0] = static_cast<char>(0xC0 | (c >> 6));
                f.Bytes[1] = static_cast<char>(0x80 | (c & 0x3F));
                f.Length = 2;
            } else {
                f.Bytes[0] = static_cast<char>(0xE0 | (c >> 12));
                f.Bytes[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                f.Bytes[2] = static_cast<char>(0x80 | (c & 0x3F));
                f.Length = 3;
            }
        }
        return forms;
    }

    constexpr std::array<Utf8Form, 128> Utf8Forms = MakeUtf8Forms();

    bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

    // U+0400..U+04FF is written as a lead byte 0xD0..0xD3 and one continuation byte.
    bool IsCyrillicLead(unsigned char b) { return b >= 0xD0 && b <= 0xD3; }

    // Characters worth showing in a message beside their code: not controls, marks that would
    // join the quote, or invisible and direction-changing characters that would garble it.
    bool Showable(char32_t c)
    {
        return c >= 0xA0 && !(c >= 0x0300 && c <= 0x036F) && !(c >= 0x2000 && c <= 0x206F)
            && !(c >= 0xFE00 && c <= 0xFE0F) && c != 0xFEFF && !(c >= 0xFFF0 && c <= 0xFFFF)
            && c < 0xE0000;
    }

    // Where a character starts: its line, and its column counted in characters. The text before
    // it is valid UTF-8, so each byte that is not a continuation byte starts one character.
    Failure FailureAt(std::string_view text, std::size_t at, const std::string &what)
    {
        const std::string_view before = text.substr(0, at);
        const std::size_t line
            = 1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
        const std::size_t lineStart = before.rfind('\n') + 1; // npos + 1 is 0
        const std::size_t column = 1
            + static_cast<std::size_t>(
                std::count_if(before.begin() + static_cast<std::ptrdiff_t>(lineStart), before.end(),
                    [](char c) { return !IsContinuation(c); }));
        return { line, "column " + std::to_string(column) + ": " + what };
    }

    Failure Unmapped(std::string_view text, std::size_t at, std::size_t length, char32_t c)
    {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
        const std::string shown = Showable(c)
            ? "\"" + std::string(text.substr(at, length)) + "\" (" + code + ")"
            : std::string(code);
        return FailureAt(text, at, "the character " + shown + " cannot be written in Windows-1251");
    }

    Failure Malformed(std::string_view text, std::size_t at)
    {
        char byte[8];
        std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(text[at]));
        return FailureAt(text, at, std::string("not valid UTF-8 (byte ") + byte + ")");
    }

} // namespace

SourceEncoding DetectEncoding(std::string_view fileBytes)
{
    const bool mark = fileBytes.starts_with(Utf8ByteOrderMark);
    const std::string_view text = mark ? fileBytes.substr(Utf8ByteOrderMark.size()) : fileBytes;
    bool cyrillic = false;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.size() - i >= 8 && EightAscii(text.data() + i)) {
            i += 8;
            continue;
        }
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        char32_t codePoint = 0;
        const std::size_t length = DecodeUtf8(text, i, codePoint);
        if (length == 0)
            return {};
        cyrillic = cyrillic || IsCyrillicLead(lead);
        i += length;
    }
    if (!mark && !cyrillic)
        return {};
    return { TextEncoding::Utf8, mark };
}

Result<std::string> Utf8ProtocolToWindows1251(std::string_view utf8)
{
    const std::string_view text
        = utf8.starts_with(Utf8ByteOrderMark) ? utf8.substr(Utf8ByteOrderMark.size()) : utf8;
    // Never longer than the input: one byte per character. Sized once, then written through a
    // pointer and cut to what was written.
    std::string out(text.size(), '\0');
    char *to = out.data();
    const char *const from = text.data();
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        if (size - i >= 8 && EightAscii(from + i)) {
            std::memcpy(to, from + i, 8);
            to += 8;
            i += 8;
            continue;
        }
        const auto lead = static_cast<unsigned char>(from[i]);
        if (lead < 0x80) {
            *to++ = static_cast<char>(lead);
            ++i;
            continue;
        }
        char32_t codePoint = 0;
        std::size_t length = 0;
        if (IsCyrillicLead(lead) && i + 1 < size && IsContinuation(from[i + 1])) {
            codePoint = (char32_t { lead } & 0x1F) << 6
                | (static_cast<unsigned char>(from[i + 1]) & 0x3F);
            length = 2;
        } else {
            length = DecodeUtf8(text, i, codePoint);
            if (length == 0)
                return Malformed(text, i);
        }
        const int byte = Windows1251Bytes.ByteOf(codePoint);
        if (byte < 0)
            return Unmapped(text, i, length, codePoint);
        *to++ = static_cast<char>(byte);
        i += length;
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
    return out;
}

void AppendAsUtf8(std::string &out, std::string_view windows1251)
{
    const char *const from = windows1251.data();
    const std::size_t size = windows1251.size();
    // Counted first so that `out` grows once, by exactly what is appended.
    std::size_t extra = 0;
    for (std::size_t i = 0; i < size;) {
        if (size - i >= 8 && EightAscii(from + i)) {
            i += 8;
            continue;
        }
        const auto byte = static_cast<unsigned char>(from[i++]);
        if (byte >= 0x80)
            extra += Utf8Forms[byte - 0x80].Length - 1u;
    }
    const std::size_t start = out.size();
    out.resize(start + size + extra);
    char *to = out.data() + start;
    for (std::size_t i = 0; i < size;) {
        if (size - i >= 8 && EightAscii(from + i)) {
            std::memcpy(to, from + i, 8);
            to += 8;
            i += 8;
            continue;
        }
        const auto byte = static_cast<unsigned char>(from[i++]);
        if (byte < 0x80) {
            *to++ = static_cast<char>(byte);
        } else {
            const Utf8Form &form = Utf8Forms[byte - 0x80];
            std::memcpy(to, form.Bytes, form.Length);
            to += form.Length;
        }
    }
}

} // namespace engine
