// Windows-1251 <-> UTF-8: the byte table, lossless round trips, replacements, and literals.
#include "engine/cp1251.h"
#include "tests/engine/test_lines.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using namespace engine;

namespace {

using testlines::ExactBytes;

struct Mapping
{
    const char *name;
    unsigned char byte;
    char32_t codePoint;
    std::string_view utf8;
};

// Written from the Windows-1251 code chart; 0x98 has no character and stands for U+0098.
constexpr Mapping Sample[] = {
    { "Latin A", 0x41, 0x0041, "A" },
    { "DEL", 0x7F, 0x007F, "\x7F" },
    { "Ђ", 0x80, 0x0402, "Ђ" },
    { "euro sign", 0x88, 0x20AC, "€" },
    { "en dash", 0x96, 0x2013, "–" },
    { "unassigned 0x98", 0x98, 0x0098, "\xC2\x98" },
    { "trade mark", 0x99, 0x2122, "™" },
    { "no-break space", 0xA0, 0x00A0, "\xC2\xA0" },
    { "Ў", 0xA1, 0x040E, "Ў" },
    { "ў", 0xA2, 0x045E, "ў" },
    { "Ё", 0xA8, 0x0401, "Ё" },
    { "left guillemet", 0xAB, 0x00AB, "«" },
    { "Belarusian І", 0xB2, 0x0406, "І" },
    { "Belarusian і", 0xB3, 0x0456, "і" },
    { "ё", 0xB8, 0x0451, "ё" },
    { "numero sign", 0xB9, 0x2116, "№" },
    { "А", 0xC0, 0x0410, "А" },
    { "Я", 0xDF, 0x042F, "Я" },
    { "а", 0xE0, 0x0430, "а" },
    { "я", 0xFF, 0x044F, "я" },
};

std::string Byte(unsigned char b) { return std::string(1, static_cast<char>(b)); }

std::string AllBytes()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    return bytes;
}

} // namespace

TEST(Cp1251Table, SampleBytesDecodeToTheirCharacters)
{
    for (const Mapping &m : Sample) {
        SCOPED_TRACE(m.name);
        EXPECT_EQ(Cp1251ToUtf8(Byte(m.byte)), m.utf8);
    }
}

TEST(Cp1251Table, SampleCharactersEncodeToTheirBytes)
{
    for (const Mapping &m : Sample) {
        SCOPED_TRACE(m.name);
        std::size_t unmapped = 99;
        EXPECT_EQ(Utf8ToCp1251(ExactBytes(m.utf8).View(), '?', &unmapped), Byte(m.byte));
        EXPECT_EQ(unmapped, 0u);
    }
}

TEST(Cp1251Table, ByteOfCodePoint)
{
    for (const Mapping &m : Sample) {
        SCOPED_TRACE(m.name);
        EXPECT_EQ(Cp1251ByteOf(m.codePoint), m.byte);
    }
    EXPECT_EQ(Cp1251ByteOf(U'\0'), 0);
    EXPECT_EQ(Cp1251ByteOf(U'z'), 'z');
    EXPECT_EQ(Cp1251ByteOf(U'\u00E9'), -1); // é
    EXPECT_EQ(Cp1251ByteOf(U'\u0100'), -1);
    EXPECT_EQ(Cp1251ByteOf(U'\U0001F600'), -1);
    EXPECT_EQ(Cp1251ByteOf(U'\u0080'), -1); // only 0x98 keeps its C1 control
}

TEST(Cp1251RoundTrip, EveryByteSurvives)
{
    const std::string bytes = AllBytes();
    const std::string utf8 = Cp1251ToUtf8(bytes);
    std::size_t unmapped = 99;
    EXPECT_EQ(Utf8ToCp1251(utf8, '?', &unmapped), bytes);
    EXPECT_EQ(unmapped, 0u);
}

TEST(Cp1251RoundTrip, EachByteBecomesOneCharacter)
{
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const std::string utf8 = Cp1251ToUtf8(Byte(static_cast<unsigned char>(b)));
        ASSERT_FALSE(utf8.empty());
        const auto lead = static_cast<unsigned char>(utf8[0]);
        const std::size_t expectedLength = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
        EXPECT_EQ(utf8.size(), expectedLength);
        EXPECT_EQ(b < 0x80, utf8.size() == 1);
    }
}

TEST(Cp1251RoundTrip, DistinctBytesGiveDistinctCharacters)
{
    for (int a = 0x80; a < 256; ++a) {
        for (int b = a + 1; b < 256; ++b) {
            ASSERT_NE(Cp1251ToUtf8(Byte(static_cast<unsigned char>(a))),
                Cp1251ToUtf8(Byte(static_cast<unsigned char>(b))))
                << a << " and " << b;
        }
    }
}

TEST(Cp1251Text, MixedText)
{
    const std::string bytes = "\xCB\xE0\xEF\xE2\xB3\xED\xE3 \xB9"
                              "1 \xA2";
    EXPECT_EQ(Cp1251ToUtf8(bytes), "Лапвінг №1 ў");
    EXPECT_EQ(Utf8ToCp1251("Лапвінг №1 ў"), bytes);
    EXPECT_EQ(Cp1251ToUtf8(""), "");
    EXPECT_EQ(Utf8ToCp1251(""), "");
}

TEST(Cp1251Text, NulBytesAreKept)
{
    const std::string bytes("a\0\xC0", 3);
    EXPECT_EQ(Cp1251ToUtf8(bytes), std::string("a\0А", 4));
    EXPECT_EQ(Utf8ToCp1251(std::string("a\0А", 4)), bytes);
}

struct Unmappable
{
    const char *name;
    std::string_view utf8;
    std::string_view expected;
    std::size_t unmapped;
};

constexpr Unmappable UnmappableCases[] = {
    { "emoji", "😀", "?", 1 },
    { "emoji inside text", "a😀b", "a?b", 1 },
    { "two emoji", "😀Я😀", "?\xDF?", 2 },
    { "Latin é", "é", "?", 1 },
    { "CJK", "中", "?", 1 },
    { "lone continuation byte", "\x80", "?", 1 },
    { "byte 0xFF", "x\xFFy", "x?y", 1 },
    { "truncated two-byte sequence", "\xD0", "?", 1 },
    { "truncated sequence before ASCII",
        "\xD0"
        "A",
        "?A", 1 },
};

TEST(Cp1251Replacement, Table)
{
    for (const Unmappable &c : UnmappableCases) {
        SCOPED_TRACE(c.name);
        std::size_t unmapped = 99;
        EXPECT_EQ(Utf8ToCp1251(ExactBytes(c.utf8).View(), '?', &unmapped), c.expected);
        EXPECT_EQ(unmapped, c.unmapped);
    }
}

TEST(Cp1251Replacement, MalformedSequencesBecomeOnlyReplacements)
{
    // How many replacements a malformed sequence gives is not fixed; each is counted.
    constexpr std::string_view Malformed[] = {
        "\xC0\x80", // overlong NUL
        "\xED\xA0\x80", // UTF-16 surrogate
        "\xF4\x90\x80\x80", // beyond U+10FFFF
        "\xE2\x82", // truncated three-byte sequence
    };
    for (const std::string_view text : Malformed) {
        std::size_t unmapped = 0;
        const std::string out = Utf8ToCp1251(ExactBytes(text).View(), '#', &unmapped);
        ASSERT_FALSE(out.empty());
        EXPECT_EQ(out.find_first_not_of('#'), std::string::npos) << out;
        EXPECT_EQ(unmapped, out.size());
    }
}

TEST(Cp1251Replacement, ChosenReplacementAndOptionalCount)
{
    EXPECT_EQ(Utf8ToCp1251("М😀Ж", '_'), "\xCC_\xC6");
    std::size_t unmapped = 5;
    EXPECT_EQ(Utf8ToCp1251("plain", '_', &unmapped), "plain");
    EXPECT_EQ(unmapped, 0u);
}

TEST(Cp1251Literal, ConvertsWhileCompiling)
{
    constexpr std::string_view outOfCompetition = "в/к"_w1251;
    static_assert(outOfCompetition.size() == 3);
    EXPECT_EQ(outOfCompetition, "\xE2/\xEA");
    EXPECT_EQ("МСМК "_w1251, "\xCC\xD1\xCC\xCA ");
    EXPECT_EQ("Iю   "_w1251, "I\xFE   ");
    EXPECT_EQ("б/р  "_w1251, "\xE1/\xF0  ");
    EXPECT_EQ("№ ў і Ё"_w1251, "\xB9 \xA2 \xB3 \xA8");
    EXPECT_EQ("Latin"_w1251, "Latin");
    EXPECT_TRUE(""_w1251.empty());
}

TEST(Cp1251Literal, AgreesWithRunTimeConversion)
{
    constexpr std::string_view text = "Ранг соревнований: Инспектор дистанций, Класс «КМС»"_w1251;
    EXPECT_EQ(
        std::string(text), Utf8ToCp1251("Ранг соревнований: Инспектор дистанций, Класс «КМС»"));
    EXPECT_EQ(Cp1251ToUtf8(text), "Ранг соревнований: Инспектор дистанций, Класс «КМС»");
}

