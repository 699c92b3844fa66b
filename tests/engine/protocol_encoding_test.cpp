// Protocols in UTF-8: which files count as UTF-8, their conversion to Windows-1251 and what it
// refuses, the way back, and the UTF-8 twins of the example protocols.
#include "engine/protocol_encoding.h"
#include "engine/cp1251.h"
#include "tests/engine/test_lines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

using namespace engine;
using testlines::ExactBytes;

namespace {

constexpr SourceEncoding Windows1251 {};
constexpr SourceEncoding Utf8 { TextEncoding::Utf8, false };
constexpr SourceEncoding Utf8WithMark { TextEncoding::Utf8, true };

struct DetectCase
{
    const char *name;
    std::string_view bytes;
    SourceEncoding expected;
};

// Some cases put the character that decides past the first eight-byte steps.
constexpr DetectCase DetectCases[] = {
    { "empty", "", Windows1251 },
    { "plain ASCII", "<html>\r\n<pre>  1 Smith</pre>\r\n", Windows1251 },
    { "Windows-1251 Cyrillic",
        "<h2>\xCC"
        "21</h2> \xC8\xE2\xE0\xED\xEE\xE2",
        Windows1251 },
    { "UTF-8 Cyrillic", "<h2>М21</h2>", Utf8 },
    { "only Ё", "<pre>   1 LASTNAME Ё.      01:02:03</pre>", Utf8 },
    { "only і", "Mikalai Kavalski  і", Utf8 },
    { "only ў", "ў", Utf8 },
    { "first Cyrillic code point U+0400", "Ѐ", Utf8 },
    { "last Cyrillic code point U+04FF", "ӿ", Utf8 },
    { "Greek U+03FF is not Cyrillic", "Ͽ", Windows1251 },
    { "Cyrillic Supplement U+0500 is not counted", "Ԁ", Windows1251 },
    { "UTF-8 without Cyrillic", "caf\xC3\xA9 – 12:00", Windows1251 },
    { "byte order mark and ASCII", "\xEF\xBB\xBFplain", Utf8WithMark },
    { "byte order mark and Cyrillic", "\xEF\xBB\xBF<h2>Ж21</h2>", Utf8WithMark },
    { "byte order mark alone", "\xEF\xBB\xBF", Utf8WithMark },
    { "byte order mark, then Windows-1251",
        "\xEF\xBB\xBF\xC6"
        "21",
        Windows1251 },
    { "UTF-8 Cyrillic, then a broken byte far on", "Іваноў 0123456789012345 \xFF", Windows1251 },
    { "UTF-8 Cyrillic cut short at the end", "Жук \xD0", Windows1251 },
    { "overlong form", "Я \xC0\xAF", Windows1251 },
    { "UTF-16 surrogate", "Я \xED\xA0\x80", Windows1251 },
};

TEST(DetectEncoding, Table)
{
    for (const DetectCase &c : DetectCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DetectEncoding(ExactBytes(c.bytes).View()), c.expected);
    }
}

struct ConvertCase
{
    const char *name;
    std::string_view utf8;
    std::string_view windows1251; // written from the code chart
};

constexpr ConvertCase ConvertCases[] = {
    { "empty", "", "" },
    { "ASCII and line ends kept", "a\r\nb\n\r", "a\r\nb\n\r" },
    { "NUL kept", std::string_view("x\0y", 3), std::string_view("x\0y", 3) },
    { "byte order mark skipped", "\xEF\xBB\xBFOk", "Ok" },
    { "byte order mark alone", "\xEF\xBB\xBF", "" },
    { "Belarusian letters", "Ёжык і ўсё", "\xA8\xE6\xFB\xEA \xB3 \xA2\xF1\xB8" },
    { "signs", "№ – « » € ™\xC2\xA0", "\xB9 \x96 \xAB \xBB \x88 \x99\xA0" },
    { "U+0098, the code page's unassigned byte", "a\xC2\x98z", "a\x98z" },
    { "Cyrillic across the eight-byte steps", "<pre>   1 Іваноў Пятро   КМС  01:02:03</pre>",
        "<pre>   1 \xB2\xE2\xE0\xED\xEE\xA2 \xCF\xFF\xF2\xF0\xEE   \xCA\xCC\xD1  01:02:03</pre>" },
};

TEST(Utf8ProtocolToWindows1251, OneBytePerCharacter)
{
    for (const ConvertCase &c : ConvertCases) {
        SCOPED_TRACE(c.name);
        const Result<std::string> converted = Utf8ProtocolToWindows1251(ExactBytes(c.utf8).View());
        ASSERT_TRUE(converted.Ok()) << converted.Error().Reason;
        EXPECT_EQ(converted.Value(), c.windows1251);
    }
}

struct RefuseCase
{
    const char *name;
    std::string_view utf8;
    std::size_t line;
    std::string_view reason;
};

constexpr RefuseCase RefuseCases[] = {
    { "Polish letter on line 2", "<h2>M21</h2>\r\n  1 Jan Kowalski Łódź", 2,
        "column 18: the character \"Ł\" (U+0141) cannot be written in Windows-1251" },
    { "Cyrillic letters count one column each", "Пётр 😀", 1,
        "column 6: the character \"😀\" (U+1F600) cannot be written in Windows-1251" },
    { "line 3 after LF-only lines", "a\nб\nвгд é", 3,
        "column 5: the character \"é\" (U+00E9) cannot be written in Windows-1251" },
    { "byte order mark not counted", "\xEF\xBB\xBF\xC3\xA4", 1,
        "column 1: the character \"ä\" (U+00E4) cannot be written in Windows-1251" },
    { "a second byte order mark is named, not shown", "\xEF\xBB\xBF\xEF\xBB\xBFx", 1,
        "column 1: the character U+FEFF cannot be written in Windows-1251" },
    { "a control character is named, not shown", "ab\xC2\x85", 1,
        "column 3: the character U+0085 cannot be written in Windows-1251" },
    { "a stray byte", "Ок \xFF", 1, "column 4: not valid UTF-8 (byte 0xFF)" },
    { "Windows-1251 letters", "\r\n\xCF\xF0", 2, "column 1: not valid UTF-8 (byte 0xCF)" },
    { "Cyrillic lead byte without its second byte",
        "\xD0"
        "A",
        1, "column 1: not valid UTF-8 (byte 0xD0)" },
    { "cut short at the end", "я\xD0", 1, "column 2: not valid UTF-8 (byte 0xD0)" },
    { "overlong form", "\xC1\x81", 1, "column 1: not valid UTF-8 (byte 0xC1)" },
    { "UTF-16 surrogate", "-\xED\xA0\x80", 1, "column 2: not valid UTF-8 (byte 0xED)" },
};

TEST(Utf8ProtocolToWindows1251, RefusesNamingLineAndColumn)
{
    for (const RefuseCase &c : RefuseCases) {
        SCOPED_TRACE(c.name);
        const Result<std::string> converted = Utf8ProtocolToWindows1251(ExactBytes(c.utf8).View());
        ASSERT_FALSE(converted.Ok()) << converted.Value();
        EXPECT_EQ(converted.Error(), (Failure { c.line, std::string(c.reason) }));
    }
}

bool IsCyrillic(unsigned char byte)
{
    return byte >= 0x80 && Cp1251High[byte - 0x80] >= 0x0400 && Cp1251High[byte - 0x80] <= 0x04FF;
}

// Each byte at each position around the eight-byte steps: written out as UTF-8 it is the code
// chart's character (checked against the character-by-character converter), it reads back as
// itself, and the UTF-8 text counts as UTF-8 exactly when the byte is a Cyrillic letter.
TEST(ProtocolEncodingRoundTrip, EveryByteAtEveryOffset)
{
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        for (std::size_t offset = 0; offset < 18; ++offset) {
            SCOPED_TRACE(testing::Message() << "byte " << b << " at " << offset);
            const std::string windows1251 = std::string(offset, '.') + static_cast<char>(byte)
                + std::string(17 - offset, '-');
            std::string utf8 = "prefix";
            AppendAsUtf8(utf8, ExactBytes(windows1251).View());
            ASSERT_EQ(utf8, "prefix" + Cp1251ToUtf8(windows1251));
            utf8.erase(0, 6);
            const Result<std::string> back = Utf8ProtocolToWindows1251(ExactBytes(utf8).View());
            ASSERT_TRUE(back.Ok()) << back.Error().Reason;
            EXPECT_EQ(back.Value(), windows1251);
            EXPECT_EQ(DetectEncoding(ExactBytes(utf8).View()).Encoding,
                IsCyrillic(byte) ? TextEncoding::Utf8 : TextEncoding::Windows1251);
        }
    }
}

std::string ReadBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// The UTF-8 example and its expected output are the Windows-1251 ones with a byte order mark.
TEST(ProtocolEncodingExamples, Utf8TwinsMatchTheWindows1251Files)
{
    const std::filesystem::path examples = LAPWING_EXAMPLES_DIR;
    const std::string input = ReadBytes(examples / "sample_protocol.htm");
    const std::string inputUtf8 = ReadBytes(examples / "sample_protocol_utf8.htm");
    EXPECT_EQ(DetectEncoding(input), Windows1251);
    EXPECT_EQ(DetectEncoding(inputUtf8), Utf8WithMark);
    const Result<std::string> converted = Utf8ProtocolToWindows1251(inputUtf8);
    ASSERT_TRUE(converted.Ok()) << converted.Error().Reason;
    EXPECT_TRUE(converted.Value() == input);

    std::string expectedUtf8(Utf8ByteOrderMark);
    AppendAsUtf8(expectedUtf8, ReadBytes(examples / "sample_protocol_expected.htm"));
    EXPECT_TRUE(expectedUtf8 == ReadBytes(examples / "sample_protocol_utf8_expected.htm"));
}

} // namespace
