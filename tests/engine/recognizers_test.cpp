// Recognizers of fixed-column result lines: which lines are results, and the time, place,
// qualification, out-of-competition, personal and foreign marks read at fixed positions.
#include "engine/recognizers.h"
#include "engine/numbers.h"
#include "engine/text.h"
#include "tests/engine/test_lines.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

using namespace engine;
using testlines::ExactBytes;
using testlines::FieldsLine;
using testlines::Put;

namespace {

std::string Blanks(std::size_t count) { return std::string(count, ' '); }

std::string W(std::string_view text) { return std::string(text); }

const std::string Ivanov = W("Иванов Иван"_w1251);

} // namespace

// ---------------------------------------------------------------- IsResultLine

TEST(IsResultLine, Table)
{
    std::string exactly73 = Blanks(73);
    exactly73[69] = ':';
    exactly73[72] = ':';
    std::string exactly74 = exactly73 + "0";

    const std::string typical = FieldsLine(
        W("Иванов Иван"_w1251), W("Минск"_w1251), W("КМС  "_w1251), "01:02:03", "   1");
    std::string byte5 = typical;
    byte5[4] = 'x';
    std::string byte67 = typical;
    byte67[66] = '0';
    std::string byte70 = typical;
    byte70[69] = '.';
    std::string byte73 = typical;
    byte73[72] = '.';
    std::string digitsNotChecked = typical;
    Put(digitsNotChecked, 68, "ab:cd:ef");

    struct Case
    {
        const char *name;
        std::string line;
        bool result;
    };
    const Case cases[] = {
        { "empty line", "", false },
        { "header line", W("  N  Фамилия, имя"_w1251), false },
        { "73 bytes with blanks and colons", exactly73, false },
        { "74 bytes with blanks and colons", exactly74, true },
        { "typical result line", typical, true },
        { "byte 5 not blank", byte5, false },
        { "byte 67 not blank", byte67, false },
        { "byte 70 not a colon", byte70, false },
        { "byte 73 not a colon", byte73, false },
        { "one-digit hour written from 68", FieldsLine(Ivanov, "", "", "1:02:03", "   1"), false },
        { "one-digit hour with a blank before", FieldsLine(Ivanov, "", "", " 1:02:03", "   1"),
            true },
        { "time digits are not looked at", digitsNotChecked, true },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const ExactBytes line(c.line);
        EXPECT_EQ(IsResultLine(line.View()), c.result);
    }
}

// ---------------------------------------------------------------- ResultSeconds

TEST(ResultSeconds, Table)
{
    struct Case
    {
        const char *name;
        std::string_view time; // written from position 68
        int seconds;
    };
    constexpr Case cases[] = {
        { "two-digit fields", "01:02:03", 3723 },
        { "blank before a one-digit hour", " 1:02:03", 3723 },
        { "one-digit hour from 68", "1:02:03", -1 },
        { "blank after a digit", "1 :02:03", -1 },
        { "blank minutes digit first", "01: 2:03", 3723 },
        { "zero", "00:00:00", 0 },
        { "ten hours", "10:00:00", 36000 },
        { "largest two-digit fields", "99:59:59", 359999 },
        { "minutes and seconds not checked against 59", "00:75:99", 4599 },
        { "blank hours", "  :02:03", -1 },
        { "blank seconds", "01:02:  ", -1 },
        { "letter in minutes", "01:0a:03", -1 },
        { "plus sign", "+1:00:00", 3600 },
        { "hexadecimal hours", "$A:00:00", 36000 },
        { "hexadecimal seconds", "00:00:xF", 15 },
        { "Cyrillic letter", "01:02:0\xCE", -1 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = FieldsLine(Ivanov, "", "", c.time, "   1");
        const ExactBytes line(text);
        EXPECT_EQ(ResultSeconds(line.View()), c.seconds);
    }
}

TEST(ResultSeconds, ShortLines)
{
    std::string full = Blanks(67) + "01:02:03";
    // The seconds field is shortened to one byte by the end of the line, then vanishes.
    EXPECT_EQ(ResultSeconds(ExactBytes(full).View()), 3723);
    EXPECT_EQ(ResultSeconds(ExactBytes(full.substr(0, 74)).View()), 3720);
    EXPECT_EQ(ResultSeconds(ExactBytes(full.substr(0, 73)).View()), -1);
    EXPECT_EQ(ResultSeconds(ExactBytes(full.substr(0, 69)).View()), -1);
    EXPECT_EQ(ResultSeconds(ExactBytes(full.substr(0, 67)).View()), -1);
    EXPECT_EQ(ResultSeconds(ExactBytes("").View()), -1);
}

// ---------------------------------------------------------------- QualificationIndex

TEST(QualificationIndex, Table)
{
    struct Case
    {
        const char *name;
        std::string_view code; // written at 53
        int index;
    };
    constexpr Case cases[] = {
        { "МСМК", "МСМК "_w1251, 0 },
        { "МС", "МС   "_w1251, 1 },
        { "КМС", "КМС  "_w1251, 2 },
        { "I", "I    "_w1251, 3 },
        { "II", "II   "_w1251, 4 },
        { "III", "III  "_w1251, 5 },
        { "Iю", "Iю   "_w1251, 6 },
        { "IIю", "IIю  "_w1251, 7 },
        { "blank", "     ", 8 },
        { "lower case кмс", "кмс  "_w1251, 8 },
        { "shifted right", " МС  "_w1251, 8 },
        { "Belarusian І instead of Latin I", "І    "_w1251, 8 },
        { "Latin M and C", "MC   ", 8 },
        { "unknown code", "ЗМС  "_w1251, 8 },
        { "б/р as written by the rewrite", "б/р  "_w1251, 8 },
        { "МС followed by text", "МС  1"_w1251, 8 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = FieldsLine(Ivanov, "", c.code, "01:02:03", "   1");
        EXPECT_EQ(QualificationIndex(ExactBytes(text).View()), c.index);
    }
}

TEST(QualificationIndex, LineEndingInsideTheField)
{
    const std::string prefix = Blanks(52);
    EXPECT_EQ(QualificationIndex(ExactBytes(prefix + W("МС"_w1251)).View()), 8);
    EXPECT_EQ(QualificationIndex(ExactBytes(prefix + W("МС   "_w1251)).View()), 1);
    EXPECT_EQ(QualificationIndex(ExactBytes(prefix + W("КМС "_w1251)).View()), 8);
    EXPECT_EQ(QualificationIndex(ExactBytes(prefix).View()), 8);
    EXPECT_EQ(QualificationIndex(ExactBytes(Blanks(50)).View()), 8);
    EXPECT_EQ(QualificationIndex(ExactBytes("").View()), 8);
}

// ---------------------------------------------------------------- PlaceOf, IsOutOfCompetition

TEST(PlaceOf, Table)
{
    struct Case
    {
        const char *name;
        std::string_view place; // written at 79
        int result;
        bool outOfCompetition;
    };
    constexpr Case cases[] = {
        { "right-aligned", "  12", 12, false },
        { "one digit", "   1", 1, false },
        { "four digits", "1234", 1234, false },
        { "leading zeros", "0012", 12, false },
        { "zero", "   0", 0, false },
        { "left-aligned", "12  ", 12, false },
        { "four blanks", "    ", -1, false },
        { "out of competition", " в/к"_w1251, -2, true },
        { "out of competition after a digit", "1в/к"_w1251, -2, true },
        { "в/к shifted left", "в/к "_w1251, -1, false },
        { "capital В/К", " В/К"_w1251, -1, false },
        { "shared place", " = 7", 7, false },
        { "shared two-digit place", "= 15", 15, false },
        { "equals sign alone", "   =", -1, false },
        { "tab before the number", "\t 12", 12, false },
        { "tab after the number", "  7\t", 7, false },
        { "control byte after the number", " 12\x01", 12, false },
        { "letter", " 1a ", -1, false },
        { "dash", "   -", -1, false },
        { "blank inside", " 1 2", -1, false },
        { "hexadecimal", " $1F", 31, false },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = FieldsLine(Ivanov, "", "", "01:02:03", c.place);
        const ExactBytes line(text);
        EXPECT_EQ(PlaceOf(line.View()), c.result);
        EXPECT_EQ(IsOutOfCompetition(line.View()), c.outOfCompetition);
    }
}

TEST(PlaceOf, TheQuickReadingAgreesWithTheRuleOnEveryField)
{
    // Plain digits after blanks are read without the general rule (blanks trimmed, a leading
    // '=' dropped, the number read): on every field of four bytes from these, both agree.
    constexpr std::string_view bytes = " 079=$a\t";
    for (std::size_t code = 0; code < 8 * 8 * 8 * 8; ++code) {
        std::string place;
        for (std::size_t k = code; place.size() < 4; k /= 8)
            place += bytes[k % 8];
        std::string_view rule = TrimBlanks(place);
        if (rule.starts_with('='))
            rule = TrimLeadingBlanks(rule.substr(1));
        const std::string text = FieldsLine(Ivanov, "", "", "01:02:03", place);
        ASSERT_EQ(PlaceNumberOf(ExactBytes(text).View()), ParseIntInFull(rule)) << "'" << place << "'";
    }
}

TEST(PlaceOf, TrailingRemarksAreOutsideTheField)
{
    const std::string text = FieldsLine(Ivanov, "", "", "01:02:03", "   3", "9 лично"_w1251);
    EXPECT_EQ(PlaceOf(ExactBytes(text).View()), 3);
    const std::string glued = FieldsLine(Ivanov, "", "", "01:02:03", "   3") + "9";
    EXPECT_EQ(PlaceOf(ExactBytes(glued).View()), 3);
}

TEST(PlaceOf, LineEndingInsideTheField)
{
    const std::string full = Blanks(78) + "  12";
    EXPECT_EQ(PlaceOf(ExactBytes(full).View()), 12);
    EXPECT_EQ(PlaceOf(ExactBytes(full.substr(0, 81)).View()), 1);
    EXPECT_EQ(PlaceOf(ExactBytes(full.substr(0, 80)).View()), -1);
    EXPECT_EQ(PlaceOf(ExactBytes(full.substr(0, 78)).View()), -1);
    EXPECT_EQ(PlaceOf(ExactBytes("").View()), -1);

    const std::string outside = Blanks(78) + W(" "_w1251) + W("в/к"_w1251);
    EXPECT_TRUE(IsOutOfCompetition(ExactBytes(outside).View()));
    EXPECT_EQ(PlaceOf(ExactBytes(outside).View()), -2);
    EXPECT_FALSE(IsOutOfCompetition(ExactBytes(outside.substr(0, 81)).View()));
    EXPECT_EQ(PlaceOf(ExactBytes(outside.substr(0, 81)).View()), -1);
    EXPECT_FALSE(IsOutOfCompetition(ExactBytes(outside.substr(0, 79)).View()));
    EXPECT_FALSE(IsOutOfCompetition(ExactBytes("").View()));
}

TEST(IsOutOfCompetition, FollowedByRemarks)
{
    const std::string text = FieldsLine(Ivanov, "", "", "01:02:03", " в/к"_w1251, "лично"_w1251);
    EXPECT_TRUE(IsOutOfCompetition(ExactBytes(text).View()));
}

// ---------------------------------------------------------------- IsPersonal

TEST(IsPersonal, Table)
{
    std::string teamTooLate = Blanks(48) + W("лично"_w1251);
    std::string teamAtEnd = Blanks(46) + W("лично"_w1251);

    struct Case
    {
        const char *name;
        std::string line;
        bool result;
    };
    const Case cases[] = {
        { "empty line", "", false },
        { "no mark", FieldsLine(Ivanov, W("Минск"_w1251), "", "01:02:03", "   1"), false },
        { "remarks лично",
            FieldsLine(Ivanov, W("Минск"_w1251), "", "01:02:03", "   1", "лично"_w1251), true },
        { "remarks Лично",
            FieldsLine(Ivanov, W("Минск"_w1251), "", "01:02:03", "   1", "Лично"_w1251), true },
        { "remarks after blanks",
            FieldsLine(Ivanov, W("Минск"_w1251), "", "01:02:03", "   1", "     лично"_w1251),
            true },
        { "remarks in capitals",
            FieldsLine(Ivanov, W("Минск"_w1251), "", "01:02:03", "   1", "ЛИЧНО"_w1251), false },
        { "remarks cut short",
            FieldsLine(Ivanov, W("Минск"_w1251), "", "01:02:03", "   1", "личн"_w1251), false },
        { "remarks with other text first",
            FieldsLine(Ivanov, W("Минск"_w1251), "", "01:02:03", "   1", "вне лично"_w1251),
            false },
        { "remarks in Latin letters",
            FieldsLine(Ivanov, W("Минск"_w1251), "", "01:02:03", "   1", "lichno"), false },
        { "remarks blank", FieldsLine(Ivanov, "", "", "01:02:03", "   1", "       "), false },
        { "team лично", FieldsLine(Ivanov, W("лично"_w1251), "", "01:02:03", "   1"), true },
        { "team Лично after blanks",
            FieldsLine(Ivanov, W("   Лично"_w1251), "", "01:02:03", "   1"), true },
        { "team with other text first",
            FieldsLine(Ivanov, W("Клуб лично"_w1251), "", "01:02:03", "   1"), false },
        { "team ending at 51", teamAtEnd, true },
        { "team mark crossing 51", teamTooLate, false },
        { "mark in the name column", FieldsLine(W("лично"_w1251), "", "", "01:02:03", "   1"),
            false },
        { "line of 83 bytes", Blanks(83), false },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsPersonal(ExactBytes(c.line).View()), c.result);
    }
}

// ---------------------------------------------------------------- IsForeignCode

TEST(IsForeignCode, Table)
{
    struct Case
    {
        const char *name;
        std::string_view code;
        bool result;
    };
    constexpr Case cases[] = {
        { "LTU", "LTU", true },
        { "RUS", "RUS", true },
        { "POL", "POL", true },
        { "AAA", "AAA", true },
        { "ZZZ", "ZZZ", true },
        { "BLR", "BLR", false },
        { "mixed case Ltu", "Ltu", false },
        { "lower case blr", "blr", false },
        { "lower case ltu", "ltu", false },
        { "BLr", "BLr", false },
        { "Cyrillic ЛТУ", "ЛТУ"_w1251, false },
        { "Cyrillic lookalikes РОС", "РОС"_w1251, false },
        { "byte before A", "@AB", false },
        { "byte after Z", "AB[", false },
        { "digit", "AB1", false },
        { "blank", "AB ", false },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsForeignCode(ExactBytes(c.code).View()), c.result);
    }
}

// ---------------------------------------------------------------- HasForeignCode

namespace {

// A line of `length` blanks with `code` written at `position`.
std::string CodeAt(std::size_t length, std::size_t position, std::string_view code = "LTU")
{
    std::string line = Blanks(length);
    Put(line, position, code);
    return line;
}

} // namespace

TEST(HasForeignCode, Windows)
{
    struct Case
    {
        const char *name;
        std::string line;
        bool result;
    };
    std::string blrEverywhere;
    while (blrEverywhere.size() < 120)
        blrEverywhere += "BLR ";

    const Case cases[] = {
        { "empty line", "", false },
        { "no code", FieldsLine(Ivanov, W("Минск"_w1251), W("КМС  "_w1251), "01:02:03", "   1"),
            false },
        { "BLR in the team column", FieldsLine(Ivanov, "BLR", W("КМС  "_w1251), "01:02:03", "   1"),
            false },
        { "LTU in the team column", FieldsLine(Ivanov, "LTU", W("КМС  "_w1251), "01:02:03", "   1"),
            true },
        { "code after the club name",
            FieldsLine(Ivanov, W("Вильнюс LTU"_w1251), "", "01:02:03", "   1"), true },
        { "Cyrillic code in the team column",
            FieldsLine(Ivanov, W("РУС"_w1251), "", "01:02:03", "   1"), false },
        { "Latin name", FieldsLine("JONAITIS Jonas", "", "", "01:02:03", "   1"), true },
        { "code in the remarks",
            FieldsLine(Ivanov, "", "", "01:02:03", "   1", "RUS команда"_w1251), true },
        // First window: starts 6 to 28.
        { "start 1", CodeAt(100, 1), false },
        { "start 3", CodeAt(100, 3), false },
        { "start 4", CodeAt(100, 4), false },
        { "start 5", CodeAt(100, 5), false },
        { "start 6", CodeAt(100, 6), true },
        { "start 28", CodeAt(100, 28), true },
        { "start 29", CodeAt(100, 29), false },
        { "start 30", CodeAt(100, 30), false },
        // Second window: starts 32 to 49.
        { "start 31", CodeAt(100, 31), false },
        { "start 32", CodeAt(100, 32), true },
        { "start 49", CodeAt(100, 49), true },
        { "start 50", CodeAt(100, 50), false },
        { "start 51", CodeAt(100, 51), false },
        // Qualification, time and place columns are never scanned.
        { "start 52", CodeAt(100, 52), false },
        { "start 53", CodeAt(100, 53), false },
        { "start 60", CodeAt(100, 60), false },
        { "start 79", CodeAt(100, 79), false },
        { "start 81", CodeAt(100, 81), false },
        { "start 82", CodeAt(100, 82), false },
        { "start 83", CodeAt(100, 83), false },
        // Third window: starts 84 to length - 3.
        { "start 84", CodeAt(100, 84), true },
        { "start 97 of 100", CodeAt(100, 97), true },
        { "start 98 of 100 (ends at the last byte)", CodeAt(100, 98), false },
        { "padded to 86 bytes, code at 84..86", CodeAt(86, 84), false },
        { "87 bytes, code at 84..86", CodeAt(87, 84), true },
        { "87 bytes, code at 85..87", CodeAt(87, 85), false },
        // Short lines: the last byte is never inside a window.
        { "8 bytes, code at 6..8", CodeAt(8, 6), false },
        { "9 bytes, code at 6..8", CodeAt(9, 6), true },
        { "30 bytes, code at 28..30", CodeAt(30, 28), false },
        { "31 bytes, code at 28..30", CodeAt(31, 28), true },
        { "34 bytes, code at 32..34", CodeAt(34, 32), false },
        { "35 bytes, code at 32..34", CodeAt(35, 32), true },
        { "52 bytes, code at 49..51", CodeAt(52, 49), true },
        { "51 bytes, code at 49..51", CodeAt(51, 49), false },
        { "BLR in every window", blrEverywhere, false },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HasForeignCode(ExactBytes(c.line).View()), c.result);
    }
}

TEST(HasForeignCode, EveryStartOfEveryWindowAndBytesNextToTheCapitals)
{
    // Windows are ruled out eight bytes at a time first: a code is found at every start, and
    // neither the bytes on either side of 'A'..'Z' nor Cyrillic letters whose low seven bits
    // are Latin capitals ("БВГ") make one.
    for (std::size_t start = 1; start <= 97; ++start) {
        SCOPED_TRACE(start);
        const bool inWindow = (start >= 6 && start <= 28) || (start >= 32 && start <= 49) || start >= 84;
        EXPECT_EQ(HasForeignCode(ExactBytes(CodeAt(100, start)).View()), inWindow);
        for (const std::string_view other : { "@@@", "[[[", "\xC1\xC2\xC3", "@[\xDA" })
            EXPECT_FALSE(HasForeignCode(ExactBytes(CodeAt(100, start, other)).View())) << other;
    }
}

TEST(HasForeignCode, TheQuickLooksAgreeWithTheRuleOnAnyLine)
{
    // Lines are ruled out many bytes at a time before the windows are scanned: on lines of every
    // length, with capitals, codes and bytes next to 'A'..'Z' anywhere, the answer is the rule's
    // (a code of three capitals other than BLR starts at a window's start position, and a byte
    // follows it).
    const auto rule = [](std::string_view line) {
        const auto scan = [&](std::size_t first, std::size_t last) {
            for (std::size_t start = first; start <= last && start + 3 <= line.size(); ++start) {
                if (IsForeignCode(line.substr(start - 1, 3)))
                    return true;
            }
            return false;
        };
        return scan(6, 28) || scan(32, 49) || scan(84, line.size());
    };
    const std::string_view pieces[] = { "LTU", "BLR", "Q", "@", "[", "\xC1\xC2\xC3", "\xDA", "ab" };
    unsigned seed = 7;
    for (int round = 0; round < 20000; ++round) {
        seed = seed * 1103515245u + 12345u;
        std::string line = Blanks((seed >> 16) % 121);
        for (int put = 0; put < 3; ++put) {
            seed = seed * 1103515245u + 12345u;
            const std::string_view piece = pieces[(seed >> 16) % std::size(pieces)];
            const std::size_t at = (seed >> 4) % (line.size() + 1);
            line.replace(at, std::min(piece.size(), line.size() - at), piece.substr(0, line.size() - at));
        }
        ASSERT_EQ(HasForeignCode(ExactBytes(line).View()), rule(line)) << round << " '" << line << "'";
    }
}

TEST(HasForeignCode, CapitalsInTheFixedColumnsAreNotCodes)
{
    // Latin capitals in the qualification, time and place columns of a long line.
    std::string line = FieldsLine(Ivanov, W("Минск"_w1251), "KMS  ", "AB:CD:EF", "ABCD");
    Put(line, 58, "XYZWVUTSR");
    line += " Q";
    EXPECT_EQ(line.size(), 84u);
    EXPECT_FALSE(HasForeignCode(ExactBytes(line).View()));
    line += "RS";
    EXPECT_FALSE(HasForeignCode(ExactBytes(line).View()));
    line += " ";
    EXPECT_TRUE(HasForeignCode(ExactBytes(line).View()));
}

// ---------------------------------------------------------------- every length of a line

// Every recognizer on every prefix of a complete line: the fields that the line has reached
// are read, the others are absent, and nothing is read past the end.
TEST(Recognizers, EveryPrefixOfALine)
{
    const std::string full
        = FieldsLine(Ivanov, "LTU Kaunas", W("КМС  "_w1251), "01:02:03", "  12", "лично"_w1251);
    ASSERT_EQ(full.size(), 88u);
    for (std::size_t length = 0; length <= full.size(); ++length) {
        SCOPED_TRACE(length);
        const ExactBytes line(std::string_view(full).substr(0, length));
        const std::string_view view = line.View();
        EXPECT_EQ(IsResultLine(view), length >= 74);
        EXPECT_EQ(ResultSeconds(view), length >= 75 ? 3723 : length == 74 ? 3720 : -1);
        EXPECT_EQ(QualificationIndex(view), length >= 57 ? 2 : 8);
        EXPECT_EQ(PlaceOf(view), length >= 82 ? 12 : length == 81 ? 1 : -1);
        EXPECT_FALSE(IsOutOfCompetition(view));
        EXPECT_EQ(IsPersonal(view), length >= 88);
        EXPECT_EQ(HasForeignCode(view), length >= 35);
    }
}

TEST(Recognizers, EveryPrefixOfAnOutOfCompetitionLine)
{
    const std::string full
        = FieldsLine(Ivanov, W("лично"_w1251), "", "01:02:03", " в/к"_w1251, "ABC");
    ASSERT_EQ(full.size(), 86u);
    for (std::size_t length = 0; length <= full.size(); ++length) {
        SCOPED_TRACE(length);
        const ExactBytes line(std::string_view(full).substr(0, length));
        const std::string_view view = line.View();
        EXPECT_EQ(IsOutOfCompetition(view), length >= 82);
        EXPECT_EQ(PlaceOf(view), length >= 82 ? -2 : -1);
        EXPECT_EQ(IsPersonal(view), length >= 36);
        EXPECT_FALSE(HasForeignCode(view));
        EXPECT_EQ(QualificationIndex(view), 8);
    }
}
