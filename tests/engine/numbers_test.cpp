// Locale-free number conversions: the integer rule of protocol fields, the "К=" texts, and
// the fixed-width formats written into the protocol.
#include "engine/numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <string>
#include <string_view>

using namespace engine;

namespace {

struct IntCase
{
    const char *name;
    std::string_view text;
    std::optional<int> value;
};

const IntCase IntCases[] = {
    { "digits", "42", 42 },
    { "single digit", "7", 7 },
    { "zero", "0", 0 },
    { "leading zeros", "0012", 12 },
    { "leading blanks", "   12", 12 },
    { "plus sign", "+5", 5 },
    { "minus sign", "-5", -5 },
    { "blanks then sign", "  -3", -3 },
    { "largest", "2147483647", 2147483647 },
    { "smallest", "-2147483648", -2147483647 - 1 },
    { "dollar hex", "$1F", 31 },
    { "dollar hex lower case", "$ff", 255 },
    { "x hex", "x1f", 31 },
    { "X hex", "XA", 10 },
    { "0x hex", "0x10", 16 },
    { "0X hex", "0XaB", 171 },
    { "blanks before hex", "  $10", 16 },
    { "minus before dollar", "-$A", -10 },
    { "plus before 0x", "+0x10", 16 },
    { "minus before x", "-x2", -2 },
    { "largest hex", "$7FFFFFFF", 2147483647 },
    { "empty", "", std::nullopt },
    { "blanks only", "   ", std::nullopt },
    { "trailing blank", "12 ", std::nullopt },
    { "blank inside", "1 2", std::nullopt },
    { "tab before", "\t12", std::nullopt },
    { "letter after digits", "12a", std::nullopt },
    { "decimal point", "1.0", std::nullopt },
    { "sign only", "-", std::nullopt },
    { "plus only", "+", std::nullopt },
    { "two signs", "+-1", std::nullopt },
    { "double minus", "--1", std::nullopt },
    { "blank after sign", "- 1", std::nullopt },
    { "dollar only", "$", std::nullopt },
    { "x only", "x", std::nullopt },
    { "0x only", "0x", std::nullopt },
    { "sign and prefix only", "-$", std::nullopt },
    { "hex digit without prefix", "1F", std::nullopt },
    { "non-hex after prefix", "$G", std::nullopt },
    { "blank after prefix", "$ 1", std::nullopt },
    { "prefix after zero and digit", "00x1", std::nullopt },
    { "decimal above 32 bits", "2147483648", std::nullopt },
    { "decimal below 32 bits", "-2147483649", std::nullopt },
    { "far above 32 bits", "99999999999999999999", std::nullopt },
    { "hex above 32 bits", "$100000000", std::nullopt },
    { "Cyrillic letter", "\xD1", std::nullopt },
    { "colon", "1:", std::nullopt },
};

} // namespace

TEST(ParseInt, Table)
{
    for (const IntCase &c : IntCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParseInt(c.text), c.value);
    }
}

TEST(ParseInt, ReadsOnlyTheGivenField)
{
    // A field is a view into a longer line; the bytes after it are not part of the number.
    const std::string_view line = "12345";
    EXPECT_EQ(ParseInt(line.substr(0, 2)), 12);
    EXPECT_EQ(ParseInt(line.substr(4, 1)), 5);
    EXPECT_EQ(ParseInt(line.substr(5)), std::nullopt);
}

namespace {

struct FloatCase
{
    const char *name;
    std::string_view text;
    char separator;
    std::optional<double> value;
};

const FloatCase FloatCases[] = {
    { "integer", "1000", '.', 1000.0 },
    { "point", "1.5", '.', 1.5 },
    { "comma", "1,5", ',', 1.5 },
    { "blanks around", "  2  ", '.', 2.0 },
    { "plus", "+3", '.', 3.0 },
    { "minus", "-0.25", '.', -0.25 },
    { "leading separator", ".5", '.', 0.5 },
    { "trailing separator", "5.", '.', 5.0 },
    { "exponent", "1e3", '.', 1000.0 },
    { "exponent with sign", "1,5E-2", ',', 0.015 },
    { "exponent with plus", "2.5e+1", '.', 25.0 },
    { "zero", "0", '.', 0.0 },
    { "comma with point separator", "1,5", '.', std::nullopt },
    { "point with comma separator", "1.5", ',', std::nullopt },
    { "two separators", "1.2.3", '.', std::nullopt },
    { "empty", "", '.', std::nullopt },
    { "blanks only", "   ", '.', std::nullopt },
    { "exponent without mantissa", "e5", '.', std::nullopt },
    { "exponent without digits", "1e", '.', std::nullopt },
    { "separator only", ".", '.', std::nullopt },
    { "sign only", "-", '.', std::nullopt },
    { "infinity", "inf", '.', std::nullopt },
    { "INF", "INF", '.', std::nullopt },
    { "not a number", "nan", '.', std::nullopt },
    { "hexadecimal", "0x10", '.', std::nullopt },
    { "overflow", "1e999", '.', std::nullopt },
    { "negative overflow", "-1e999", '.', std::nullopt },
    { "blank inside", "1 5", '.', std::nullopt },
    { "trailing letter", "1.5x", '.', std::nullopt },
    { "two signs", "+-1", '.', std::nullopt },
};

} // namespace

TEST(ParseFloat, Table)
{
    for (const FloatCase &c : FloatCases) {
        SCOPED_TRACE(c.name);
        const std::optional<double> value = ParseFloat(c.text, c.separator);
        ASSERT_EQ(value.has_value(), c.value.has_value());
        if (c.value) {
            EXPECT_DOUBLE_EQ(*value, *c.value);
        }
    }
}

TEST(ParseFloat, IgnoresTheCLocale)
{
    // The desktop toolkit switches the C library to the user's locale; a comma locale must not
    // change what '.' means here.
    const char *previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    const std::optional<double> point = ParseFloat("2.5", '.');
    const std::optional<double> comma = ParseFloat("2,5", '.');
    const std::string formatted = FormatFixed(2.5, 3, 1, '.');
    std::setlocale(LC_NUMERIC, saved.c_str());
    ASSERT_TRUE(point.has_value());
    EXPECT_DOUBLE_EQ(*point, 2.5);
    EXPECT_FALSE(comma.has_value());
    EXPECT_EQ(formatted, "2.5");
}

namespace {

struct FixedCase
{
    const char *name;
    double value;
    int width;
    int precision;
    char separator;
    std::string_view expected;
};

// As printf("%<width>.<precision>f") prints the double, then the separator swapped in.
const FixedCase FixedCases[] = {
    { "whole rank", 370.0, 3, 1, '.', "370.0" },
    { "zero", 0.0, 3, 1, '.', "0.0" },
    { "comma separator", 370.5, 3, 1, ',', "370,5" },
    { "padded to width", 1.5, 6, 1, ',', "   1,5" },
    { "wider than width", 1234.56, 3, 1, '.', "1234.6" },
    { "exact half rounds to even", 5.25, 3, 1, '.', "5.2" },
    { "exact half 0.25", 0.25, 3, 1, '.', "0.2" },
    { "just below a half", 0.35, 3, 1, '.', "0.3" },
    { "just above a half carries", 99.95, 3, 1, '.', "100.0" },
    { "negative", -2.35, 6, 1, '.', "  -2.4" },
    { "negative zero", -0.04, 3, 1, '.', "-0.0" },
    { "two decimals", 12.345, 6, 2, ',', " 12,35" },
    { "no decimals", 2.5, 1, 0, '.', "2" },
    { "no decimals odd half", 3.5, 1, 0, '.', "4" },
    { "large", 1e20, 3, 1, '.', "100000000000000000000.0" },
};

} // namespace

TEST(FormatFixed, Table)
{
    for (const FixedCase &c : FixedCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatFixed(c.value, c.width, c.precision, c.separator), c.expected);
    }
}

TEST(FormatPadded, RightAlignsInWidth)
{
    EXPECT_EQ(FormatPadded(5, 5), "    5");
    EXPECT_EQ(FormatPadded(1000, 5), " 1000");
    EXPECT_EQ(FormatPadded(0, 5), "    0");
    EXPECT_EQ(FormatPadded(-12, 5), "  -12");
    EXPECT_EQ(FormatPadded(12345, 5), "12345");
    EXPECT_EQ(FormatPadded(123456, 5), "123456");
    EXPECT_EQ(FormatPadded(-2147483648LL, 1), "-2147483648");
    EXPECT_EQ(FormatPadded(7, 0), "7");
    // The rewrite's per-line form writes into a buffer of its own, the same bytes.
    std::array<char, 16> buffer {};
    for (const int value : { 0, 7, 10, 99999, 100000, 2147483647, -1, -12, -2147483647 - 1 }) {
        for (const int width : { 0, 1, 5, 11, 16 }) {
            SCOPED_TRACE(std::to_string(value) + " in " + std::to_string(width));
            EXPECT_EQ(FormatPadded(value, width, buffer), FormatPadded(static_cast<long long>(value), width));
        }
    }
}

TEST(PadLeft, RightAlignsInWidth)
{
    EXPECT_EQ(PadLeft("ab", 5), "   ab");
    EXPECT_EQ(PadLeft("abcde", 5), "abcde");
    EXPECT_EQ(PadLeft("abcdef", 3), "abcdef");
    EXPECT_EQ(PadLeft("", 2), "  ");
    EXPECT_EQ(PadLeft("", 0), "");
    EXPECT_EQ(PadLeft("\xE2/\xEA", 4), " \xE2/\xEA");
}
