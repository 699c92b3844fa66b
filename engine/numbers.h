// Locale-free number conversions: the toolkit switches the C library's locale on, so
// nothing here may depend on it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/text.h"

namespace engine {

// A hexadecimal digit's value, -1 for any other byte.
int HexValue(char c);

// The integer rule of the protocol's fields: leading blanks (0x20) skipped, an optional sign,
// then decimal digits to the end, or hexadecimal digits after "$", "x", "X", "0x" or "0X".
// Anything else (a trailing blank too), an empty field, a prefix or sign without digits, or a
// value outside 32 bits fails.
std::optional<int> ParseIntInFull(std::string_view text); // the whole rule; ParseInt's slow path
inline std::optional<int> ParseInt(std::string_view text)
{
    // The fields the rewrite reads are a few plain digits after blanks, read several times a
    // line: they take this inlined path.
    if (text.size() <= 9) {
        std::size_t i = 0;
        while (i < text.size() && text[i] == ' ')
            ++i;
        const std::size_t first = i;
        int value = 0;
        for (; i < text.size() && IsAsciiDigit(text[i]); ++i)
            value = value * 10 + (text[i] - '0');
        if (i == text.size() && i > first)
            return value;
    }
    return ParseIntInFull(text);
}

// A "К=" text: blanks around it, a sign, digits with at most one `decimalSeparator`, an
// exponent. Anything else, or a value out of range, fails.
std::optional<double> ParseFloat(std::string_view text, char decimalSeparator);

// printf's "%<width>.<precision>f" with `decimalSeparator` in place of the point.
std::string FormatFixed(double value, int width, int precision, char decimalSeparator);

// printf's "%<width>d": right-aligned in at least `width` bytes.
std::string FormatPadded(long long value, int width);

// FormatPadded into `buffer`, for the rewrite's per-line fields (no allocation); `width` at most 16.
std::string_view FormatPadded(int value, int width, std::array<char, 16> &buffer);

// "%<width>s": right-aligned in at least `width` bytes.
std::string PadLeft(std::string_view text, std::size_t width);

} // namespace engine
