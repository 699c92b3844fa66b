#include "engine/recognizers.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "engine/line_layout.h"
#include "engine/numbers.h"
#include "engine/text.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace engine {

namespace {

    bool StartsWithPersonal(std::string_view text)
    {
        text.remove_prefix(std::min(text.size(), text.find_first_not_of(' ')));
        return text.starts_with("лично"_w1251) || text.starts_with("Лично"_w1251);
    }

    // Most windows hold no Latin capital at all, and are ruled out sixteen or eight bytes at a
    // time before the byte-by-byte count (the compiler does not vectorise a loop of unknown
    // length at -O2). The last bytes are looked at as the sixteen or eight that end the text,
    // some of them twice.
    bool HasLatinCapital(std::string_view text)
    {
#ifdef __SSE2__
        if (text.size() >= 16) {
            // As signed bytes 'A'..'Z' lie between 64 and 91 and every byte from 0x80 is below.
            const __m128i below = _mm_set1_epi8('A' - 1);
            const __m128i above = _mm_set1_epi8('Z' + 1);
            const auto capitals = [&](std::size_t at) {
                const __m128i bytes
                    = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text.data() + at));
                return _mm_movemask_epi8(
                           _mm_and_si128(_mm_cmpgt_epi8(bytes, below), _mm_cmplt_epi8(bytes, above)))
                    != 0;
            };
            for (std::size_t i = 0; i + 16 <= text.size(); i += 16) {
                if (capitals(i))
                    return true;
            }
            return text.size() % 16 != 0 && capitals(text.size() - 16);
        }
#endif
        constexpr std::uint64_t Ones = ~std::uint64_t { 0 } / 255; // 0x0101...01
        // Whether a byte of x lies strictly between 64 and 91, i.e. is 'A'..'Z': the classic
        // "has a byte between m and n" test, exact for 0 <= m <= 127 and n <= 128.
        const auto between = [](std::uint64_t x) {
            const std::uint64_t low = x & Ones * 127;
            return ((Ones * (127 + 91) - low) & ~x & (low + Ones * (127 - 64)) & Ones * 128) != 0;
        };
        const auto word = [&](std::size_t at) {
            std::uint64_t bytes;
            std::memcpy(&bytes, text.data() + at, sizeof bytes);
            return bytes;
        };
        if (text.size() < 8)
            return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
        for (std::size_t i = 0; i + 8 <= text.size(); i += 8) {
            if (between(word(i)))
                return true;
        }
        return text.size() % 8 != 0 && between(word(text.size() - 8));
    }

    // Start positions window.First..min(window.Last, length - 3) of three-byte codes. One pass
    // counts the capital letters in a row: a window is a code where that count reaches three.
    bool ScanWindows(std::string_view line, std::size_t first, std::size_t last)
    {
        if (line.size() < 3)
            return false;
        const std::size_t upper = std::min(last, line.size() - 3);
        if (first > upper)
            return false;
        const char *const bytes = line.data() - 1; // bytes[n] is the n-th byte, from 1
        if (!HasLatinCapital(line.substr(first - 1, upper + 3 - first)))
            return false;
        int capitals = 0;
        for (std::size_t end = first; end <= upper + 2; ++end) {
            const char c = bytes[end];
            capitals = c >= 'A' && c <= 'Z' ? capitals + 1 : 0;
            if (capitals >= 3 && IsForeignCode(line.substr(end - 3, 3)))
                return true;
        }
        return false;
    }

} // namespace

bool IsResultLine(std::string_view line)
{
    return line.size() >= ResultLineMinLength && ByteAt(line, NameBlankColumn) == ' '
        && ByteAt(line, TimeBlankColumn) == ' ' && ByteAt(line, FirstColonColumn) == ':'
        && ByteAt(line, SecondColonColumn) == ':';
}

std::optional<int> SecondsOf(std::string_view line)
{
    // Nearly every result line has "hh:mm:ss" in plain digits; it is read without the general
    // number rule, which the other forms ("0:41:57" with a blank, "$1A") still take.
    if (line.size() >= TimeField.Last) {
        const char *t = line.data() + TimeField.Offset();
        if (IsAsciiDigit(t[0]) && IsAsciiDigit(t[1]) && IsAsciiDigit(t[3]) && IsAsciiDigit(t[4])
            && IsAsciiDigit(t[6]) && IsAsciiDigit(t[7]))
            return ((t[0] - '0') * 10 + (t[1] - '0')) * 3600 + ((t[3] - '0') * 10 + (t[4] - '0')) * 60
                + (t[6] - '0') * 10 + (t[7] - '0');
    }
    const auto hours = ParseInt(Take(line, HoursField));
    const auto minutes = ParseInt(Take(line, MinutesField));
    const auto seconds = ParseInt(Take(line, SecondsField));
    if (!hours || !minutes || !seconds)
        return std::nullopt;
    return *hours * 3600 + *minutes * 60 + *seconds;
}

int ResultSeconds(std::string_view line) { return SecondsOf(line).value_or(-1); }

Qualification QualificationOf(std::string_view line)
{
    // Compared as one number of five bytes rather than nine string comparisons: it is read for
    // every line of a table, three times. The first byte is the lowest, so that the field is
    // read as one load of four bytes and one of a byte.
    constexpr auto Packed = [](std::string_view code) {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < code.size(); ++i)
            value |= std::uint64_t { static_cast<unsigned char>(code[i]) } << (8 * i);
        return value;
    };
    static constexpr auto Codes = [&] {
        std::array<std::uint64_t, QualificationCodes.size()> codes {};
        for (std::size_t i = 0; i < codes.size(); ++i)
            codes[i] = Packed(QualificationCodes[i]);
        return codes;
    }();
    const std::string_view code = Take(line, QualificationField);
    if (code.size() != QualificationField.Size())
        return Qualification::NoRank;
    const std::uint64_t value = Packed(code);
    for (std::size_t i = 0; i < Codes.size(); ++i) {
        if (value == Codes[i])
            return QualificationAt(static_cast<int>(i));
    }
    return Qualification::NoRank;
}

int QualificationIndex(std::string_view line) { return static_cast<int>(QualificationOf(line)); }

std::optional<int> PlaceNumberOf(std::string_view line)
{
    // Nearly every place is plain digits after blanks, read here at once; the rest ("= 7",
    // "в/к", anything odd) takes the general rule.
    if (line.size() >= PlaceField.Last) {
        const char *const place = line.data() + PlaceField.Offset();
        std::size_t i = 0;
        while (i < PlaceField.Size() && place[i] == ' ')
            ++i;
        int value = 0;
        std::size_t end = i;
        for (; end < PlaceField.Size() && IsAsciiDigit(place[end]); ++end)
            value = value * 10 + (place[end] - '0');
        if (end == PlaceField.Size() && end > i)
            return value;
    }
    if (IsOutOfCompetition(line))
        return std::nullopt;
    std::string_view place = TrimBlanks(Take(line, PlaceField));
    // Results programs write a shared place as "= 7"; it is that place.
    if (place.starts_with('='))
        place = TrimLeadingBlanks(place.substr(1));
    return ParseInt(place);
}

int PlaceOf(std::string_view line)
{
    if (IsOutOfCompetition(line))
        return -2;
    return PlaceNumberOf(line).value_or(-1);
}

bool IsOutOfCompetition(std::string_view line)
{
    return Take(line, OutOfCompetitionField) == "в/к"_w1251;
}

bool IsForeignCode(std::string_view code)
{
    if (code.size() != 3 || code == "BLR")
        return false;
    return std::all_of(code.begin(), code.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

bool HasForeignCode(std::string_view line)
{
    // Nearly every line holds no Latin capital where a code can stand (from the name's window
    // to the team's, and in the remarks): one look at those bytes rules it out.
    static_assert(NameCodeStarts.First < TeamCodeStarts.First);
    constexpr std::size_t codesFrom = NameCodeStarts.First - 1;
    constexpr std::size_t codesTo = TeamCodeStarts.Last + 2; // the last code's last byte
    const std::string_view codes = line.substr(std::min(line.size(), codesFrom), codesTo - codesFrom);
    const std::string_view remarks = line.substr(std::min(line.size(), RemarksStart - 1));
    if (!HasLatinCapital(codes) && !HasLatinCapital(remarks))
        return false;
    return ScanWindows(line, NameCodeStarts.First, NameCodeStarts.Last)
        || ScanWindows(line, TeamCodeStarts.First, TeamCodeStarts.Last)
        || ScanWindows(line, RemarksStart, line.size());
}

bool IsPersonal(std::string_view line)
{
    const std::string_view remarks
        = line.size() >= RemarksStart ? line.substr(RemarksStart - 1) : std::string_view {};
    return StartsWithPersonal(remarks) || StartsWithPersonal(Take(line, TeamField));
}

} // namespace engine
