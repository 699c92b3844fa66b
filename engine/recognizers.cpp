#include "engine/recognizers.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "engine/byte_scan.h"
#include "engine/line_layout.h"
#include "engine/numbers.h"
#include "engine/table_layout.h"
#include "engine/text.h"

namespace engine {

namespace {

    // The home country's code is no sign of a foreign athlete.
    constexpr std::string_view HomeCountry = "BLR";

    bool StartsWithPersonal(std::string_view text)
    {
        text.remove_prefix(std::min(text.size(), text.find_first_not_of(' ')));
        return text.starts_with("лично"_w1251) || text.starts_with("Лично"_w1251);
    }

    using scan::CapitalsMaskBytes;
    using scan::HasLatinCapital;

    // Bit k: byte `from + k` of the line (from 0) is 'A'..'Z', for the CapitalsMaskBytes bytes
    // from `from`; bytes past the line's end are none.
    std::uint64_t CapitalsFrom(std::string_view line, std::size_t from)
    {
        std::array<char, CapitalsMaskBytes> copy;
        const char *bytes = copy.data();
        if (line.size() >= from + CapitalsMaskBytes) {
            bytes = line.data() + from;
        } else {
            copy.fill(' ');
            if (line.size() > from)
                std::copy(line.begin() + static_cast<std::ptrdiff_t>(from), line.end(), copy.begin());
        }
        return scan::CapitalsMask(bytes);
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

int detail::SecondsOrNone(std::string_view line)
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
        return NoNumber;
    return *hours * 3600 + *minutes * 60 + *seconds;
}

int ResultSeconds(std::string_view line) { return SecondsOf(line).value_or(-1); }

namespace {

    // The qualification whose code the five bytes are, or NoRank.
    Qualification CodeOf(const char *code)
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
        std::uint64_t value = 0;
        if constexpr (std::endian::native == std::endian::little) {
            // The loop above, which the compiler does not turn into loads.
            std::uint32_t low = 0;
            std::memcpy(&low, code, sizeof low);
            value = low | std::uint64_t { static_cast<unsigned char>(code[4]) } << 32;
        } else {
            value = Packed(std::string_view(code, QualificationField.Size()));
        }
        // Every code compared, without a branch: which one a line holds is anybody's guess, and a
        // loop that stops at it is mispredicted about once a line.
        int found = IndexOf(Qualification::NoRank);
        for (std::size_t i = 0; i < Codes.size(); ++i)
            found = value == Codes[i] ? static_cast<int>(i) : found;
        return QualificationAt(found);
    }

} // namespace

Qualification QualificationOf(std::string_view line)
{
    const std::string_view code = Take(line, QualificationField);
    if (code.size() != QualificationField.Size())
        return Qualification::NoRank;
    return CodeOf(code.data());
}

int QualificationIndex(std::string_view line) { return static_cast<int>(QualificationOf(line)); }

int detail::PlaceOrNone(std::string_view line)
{
    // Nearly every place is plain digits after blanks, read here at once; the rest ("= 7",
    // "в/к", anything odd) takes the general rule. The four bytes are read without a branch:
    // the number of digits changes from line to line, and loops that stop at the first digit
    // and after the last were mispredicted about once a line.
    static_assert(PlaceField.Size() == 4);
    if (line.size() >= PlaceField.Last) {
        const char *const place = line.data() + PlaceField.Offset();
        unsigned blanks = 0; // bit i: byte i of the field is a blank
        unsigned digits = 0; // bit i: it is a digit
        int value = 0; // a blank counts as a leading zero
        for (std::size_t i = 0; i < PlaceField.Size(); ++i) {
            const bool digit = IsAsciiDigit(place[i]);
            blanks |= static_cast<unsigned>(place[i] == ' ') << i;
            digits |= static_cast<unsigned>(digit) << i;
            value = value * 10 + static_cast<int>(digit) * (place[i] - '0');
        }
        // Blanks, then at least one digit to the field's end.
        if ((blanks | digits) == 0xF && (blanks & (blanks + 1)) == 0 && blanks != 0xF)
            return value;
    }
    if (IsOutOfCompetition(line))
        return NoNumber;
    std::string_view place = TrimBlanks(Take(line, PlaceField));
    // Results programs write a shared place as "= 7"; it is that place.
    if (place.starts_with('='))
        place = TrimLeadingBlanks(place.substr(1));
    return ParseInt(place).value_or(NoNumber);
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
    if (code.size() != 3 || code == HomeCountry)
        return false;
    return std::all_of(code.begin(), code.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

bool HasForeignCode(std::string_view line)
{
    // The name's and the team's windows lie in the 48 bytes from the name's first start: one
    // mask of their Latin capitals, and a code starts wherever three bits in a row are set. A
    // line with "Vilnius LTU" in its team costs no more than one without.
    constexpr std::size_t from = NameCodeStarts.Offset();
    static_assert(NameCodeStarts.First < TeamCodeStarts.First
        && TeamCodeStarts.Last + 2 - NameCodeStarts.First < CapitalsMaskBytes);
    const auto startsOf = [](Field window) { // bit k: start from + 1 + k
        return (~std::uint64_t { 0 } >> (63 - (window.Last - window.First)))
            << (window.First - NameCodeStarts.First);
    };
    const std::uint64_t capitals = CapitalsFrom(line, from);
    std::uint64_t starts = capitals & capitals >> 1 & capitals >> 2
        & (startsOf(NameCodeStarts) | startsOf(TeamCodeStarts));
    // A byte follows every code: start p needs p + 3 <= the line's length.
    const std::size_t lastStart = line.size() >= 3 ? line.size() - 3 : 0;
    if (lastStart < NameCodeStarts.First)
        starts = 0;
    else if (lastStart - NameCodeStarts.First < 63)
        starts &= ~std::uint64_t { 0 } >> (63 - (lastStart - NameCodeStarts.First));
    for (; starts != 0; starts &= starts - 1) {
        if (line.substr(from + static_cast<std::size_t>(std::countr_zero(starts)), 3) != HomeCountry)
            return true;
    }
    return ScanWindows(line, RemarksStart, line.size());
}

namespace {

    std::string_view FromColumn(std::string_view line, std::size_t column)
    {
        return line.size() >= column ? line.substr(column - 1) : std::string_view {};
    }

    bool PersonalAt(std::string_view line, std::size_t remarks, Field team)
    {
        return StartsWithPersonal(FromColumn(line, remarks)) || StartsWithPersonal(Take(line, team));
    }

    // The trimmed text of a field of a layout read by its bounds.
    std::string_view ValueOf(std::string_view line, Field field)
    {
        return Has(field) ? TrimBlanks(Take(line, field)) : std::string_view {};
    }

} // namespace

bool IsPersonal(std::string_view line) { return PersonalAt(line, RemarksStart, TeamField); }

bool IsResultLine(std::string_view line, const TableLayout &layout)
{
    return layout.Fixed ? IsResultLine(line)
                        : detail::SecondsOrNone(line, layout) != detail::NoNumber;
}

int detail::SecondsOrNone(std::string_view line, const TableLayout &layout)
{
    if (layout.Fixed)
        return SecondsOrNone(line);
    // "h:mm:ss" or "hh:mm:ss" (up to three hour digits), blanks around it; minutes and seconds
    // are not held to 59. Read from its end, where a right-aligned time stands.
    const std::string_view time = ValueOf(line, layout.Time);
    const std::size_t size = time.size();
    if (size < 7 || size > 9 || time[size - 3] != ':' || time[size - 6] != ':')
        return NoNumber;
    int digits[9];
    for (std::size_t k = 0; k < size; ++k) {
        if (k != size - 3 && k != size - 6 && !IsAsciiDigit(time[k]))
            return NoNumber;
        digits[k] = time[k] - '0';
    }
    int hours = 0;
    for (std::size_t k = 0; k + 6 < size; ++k)
        hours = hours * 10 + digits[k];
    return hours * 3600 + (digits[size - 5] * 10 + digits[size - 4]) * 60 + digits[size - 2] * 10
        + digits[size - 1];
}

bool IsOutOfCompetition(std::string_view line, const TableLayout &layout)
{
    return layout.Fixed ? IsOutOfCompetition(line) : ValueOf(line, layout.Place) == "в/к"_w1251;
}

int detail::PlaceOrNone(std::string_view line, const TableLayout &layout)
{
    if (layout.Fixed)
        return PlaceOrNone(line);
    std::string_view place = ValueOf(line, layout.Place);
    if (place.starts_with('='))
        place = TrimLeadingBlanks(place.substr(1));
    if (place.empty() || place.size() > 5
        || !std::all_of(place.begin(), place.end(), [](char c) { return IsAsciiDigit(c); }))
        return NoNumber; // "-", "в/к", blank or anything odd
    int value = 0;
    for (const char c : place)
        value = value * 10 + (c - '0');
    return value;
}

Qualification QualificationOf(std::string_view line, const TableLayout &layout)
{
    if (layout.Fixed)
        return QualificationOf(line);
    // The code's five bytes, the field's own and blanks after it.
    std::array<char, QualificationField.Size()> code;
    code.fill(' ');
    const std::string_view field = Take(line, layout.Qualification);
    std::copy_n(field.begin(), std::min(field.size(), code.size()), code.begin());
    return CodeOf(code.data());
}

bool HasForeignCode(std::string_view line, const TableLayout &layout)
{
    if (layout.Fixed)
        return HasForeignCode(line);
    // Codes start inside the name and the team, or anywhere after the place.
    const auto starts = [&](Field field) {
        return Has(field) && field.Size() >= 3 && ScanWindows(line, field.First, field.Last - 2);
    };
    return starts(layout.Name) || starts(layout.Team) || ScanWindows(line, layout.Remarks, line.size());
}

bool IsPersonal(std::string_view line, const TableLayout &layout)
{
    return layout.Fixed ? IsPersonal(line) : PersonalAt(line, layout.Remarks, layout.Team);
}

std::size_t FindTime(std::string_view text, std::size_t from)
{
    for (std::size_t c = text.find(':', std::max<std::size_t>(from, 1)); c != std::string_view::npos
         && c + 6 <= text.size(); c = text.find(':', c + 1)) {
        if (IsTimeAt(text, c))
            return c;
    }
    return std::string_view::npos;
}

bool TimeStandsFurtherRight(std::string_view line, const TableLayout &layout)
{
    // From the first colon of a time that would end past the time column.
    const std::size_t from = layout.Time.Last >= 5 ? layout.Time.Last - 5 : 0;
    for (std::size_t c = FindTime(line, from); c != std::string_view::npos; c = FindTime(line, c + 1)) {
        const std::size_t column = c + 1;
        if (!(Has(layout.Finish) && column >= layout.Finish.First && column <= layout.Finish.Last))
            return true;
    }
    return false;
}

} // namespace engine
