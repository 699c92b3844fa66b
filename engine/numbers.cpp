#include "engine/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace engine {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<int> ParseIntInFull(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        return std::nullopt;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = base == 16 ? HexValue(text[i]) : (IsAsciiDigit(text[i]) ? text[i] - '0' : -1);
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > std::int64_t { INT32_MAX } + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX || value < INT32_MIN)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<double> ParseFloat(std::string_view text, char decimalSeparator)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    // Validated by hand because std::from_chars also takes "inf", "nan" and hex floats; the
    // checked text is then handed to it with '.' as the separator.
    std::string normal;
    std::size_t i = begin;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            normal.push_back('-');
        ++i;
    }
    std::size_t digits = 0;
    bool separatorSeen = false;
    for (; i < end; ++i) {
        if (IsAsciiDigit(text[i])) {
            ++digits;
            normal.push_back(text[i]);
        } else if (text[i] == decimalSeparator && !separatorSeen) {
            separatorSeen = true;
            normal.push_back('.');
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        normal.push_back('e');
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-'))
            normal.push_back(text[i++]);
        std::size_t exponentDigits = 0;
        for (; i < end && IsAsciiDigit(text[i]); ++i, ++exponentDigits)
            normal.push_back(text[i]);
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != end)
        return std::nullopt;
    double value = 0;
    const auto [ptr, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (ec != std::errc {} || ptr != normal.data() + normal.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string FormatFixed(double value, int width, int precision, char decimalSeparator)
{
    char buffer[400];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                         std::chars_format::fixed, precision);
    std::string text = ec == std::errc {} ? std::string(buffer, ptr) : std::string("0");
    for (char &c : text) {
        if (c == '.')
            c = decimalSeparator;
    }
    return PadLeft(text, static_cast<std::size_t>(width));
}

std::string FormatPadded(long long value, int width)
{
    char buffer[32];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return PadLeft(std::string_view(buffer, static_cast<std::size_t>(ptr - buffer)),
                   static_cast<std::size_t>(width));
}

std::string_view FormatPadded(int value, int width, std::array<char, 16> &buffer)
{
    if (value >= 0) {
        // The digits from the right end of the buffer, then the blanks before them: a five-byte
        // field a line without a library call.
        std::size_t at = buffer.size();
        auto rest = static_cast<unsigned>(value);
        do {
            buffer[--at] = static_cast<char>('0' + rest % 10);
            rest /= 10;
        } while (rest != 0);
        const auto wanted = static_cast<std::size_t>(std::clamp(width, 0, static_cast<int>(buffer.size())));
        const std::size_t size = std::max(buffer.size() - at, wanted);
        while (buffer.size() - at < size)
            buffer[--at] = ' ';
        return { buffer.data() + at, size };
    }
    char digits[16];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    const std::size_t length = static_cast<std::size_t>(end - digits);
    const std::size_t blanks
        = length < static_cast<std::size_t>(width) ? static_cast<std::size_t>(width) - length : 0;
    std::fill_n(buffer.begin(), blanks, ' ');
    std::copy(digits, end, buffer.begin() + static_cast<std::ptrdiff_t>(blanks));
    return { buffer.data(), blanks + length };
}

std::string PadLeft(std::string_view text, std::size_t width)
{
    std::string out;
    if (text.size() < width)
        out.assign(width - text.size(), ' ');
    out.append(text);
    return out;
}

} // namespace engine
