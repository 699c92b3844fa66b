#include "engine/recognizers.h"

#include <algorithm>

#include "engine/line_layout.h"
#include "engine/numbers.h"
#include "engine/text.h"

namespace engine {

namespace {

    bool StartsWithPersonal(std::string_view text)
    {
        text.remove_prefix(std::min(text.size(), text.find_first_not_of(' ')));
        return text.starts_with("лично"_w1251) || text.starts_with("Лично"_w1251);
    }

    // Start positions window.First..min(window.Last, length - 3) of three-byte codes. One pass
    // counts the capital letters in a row: a window is a code where that count reaches three.
    bool ScanWindows(std::string_view line, std::size_t first, std::size_t last)
    {
        if (line.size() < 3)
            return false;
        const std::size_t upper = std::min(last, line.size() - 3);
        int capitals = 0;
        const char *const bytes = line.data() - 1; // bytes[n] is the n-th byte, from 1
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
    const std::string_view code = Take(line, QualificationField);
    for (std::size_t i = 0; i < QualificationCodes.size(); ++i) {
        if (code == QualificationCodes[i])
            return QualificationAt(static_cast<int>(i));
    }
    return Qualification::NoRank;
}

int QualificationIndex(std::string_view line) { return static_cast<int>(QualificationOf(line)); }

std::optional<int> PlaceNumberOf(std::string_view line)
{
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
