#include "engine/qualification.h"

#include <algorithm>
#include <cmath>

#include "engine/numbers.h"

namespace engine {

namespace {

    // A 1-based inclusive byte range of a result line.
    struct Field
    {
        std::size_t first;
        std::size_t last;
    };

    // The bytes of a field; shorter, or empty, where the line ends inside or before it.
    std::string_view Take(std::string_view line, Field field)
    {
        if (line.size() < field.first)
            return {};
        return line.substr(field.first - 1, field.last - field.first + 1);
    }

    std::size_t Position(std::size_t p) { return p - 1; }

    constexpr Field HoursField { 68, 69 };
    constexpr Field MinutesField { 71, 72 };
    constexpr Field SecondsField { 74, 75 };
    constexpr Field QualificationField { 53, 57 };
    constexpr Field PlaceField { 79, 82 };          // right-aligned place, or " в/к"
    constexpr Field OutOfCompetitionField { 80, 82 }; // "в/к"
    constexpr Field TeamField { 32, 51 };
    constexpr std::size_t RemarksStart = 84;

    bool StartsWithPersonal(std::string_view text)
    {
        const auto begin = text.find_first_not_of(' ');
        if (begin == std::string_view::npos)
            return false;
        text.remove_prefix(begin);
        return text.starts_with("лично"_w1251) || text.starts_with("Лично"_w1251);
    }

    // Start positions first..min(last, length - 3) of three-byte windows. One pass counts the
    // capital letters in a row: a window is a code where that count reaches three.
    bool ScanWindows(std::string_view line, std::size_t first, std::size_t last)
    {
        if (line.size() < 3)
            return false;
        const std::size_t upper = std::min(last, line.size() - 3);
        int capitals = 0;
        for (std::size_t end = first; end <= upper + 2; ++end) {
            const char c = line[Position(end)];
            capitals = c >= 'A' && c <= 'Z' ? capitals + 1 : 0;
            if (capitals >= 3 && IsForeignCode(line.substr(Position(end - 2), 3)))
                return true;
        }
        return false;
    }

} // namespace

long long StandardSeconds(int winnerSeconds, int percent)
{
    const long long product = static_cast<long long>(winnerSeconds) * percent;
    return static_cast<long long>(std::ceil(static_cast<double>(product) / 100.0));
}

int AwardByTime(int winnerSeconds, int athleteSeconds, double rank)
{
    int row = 0;
    while (row < RankRows && RankTable[row][0] > rank)
        ++row;
    if (row == RankRows)
        return NotAwarded;
    for (int column = 1; column <= 6; ++column) {
        if (StandardSeconds(winnerSeconds, RankTable[row][column]) >= athleteSeconds)
            return column + 1;
    }
    return NotAwarded;
}

int FindRankRow(double rank)
{
    int row = 0;
    while (row < RankRows - 1 && RankTable[row][0] > rank)
        ++row;
    return row;
}

bool IsResultLine(std::string_view line)
{
    return line.size() > 73 && line[Position(5)] == ' ' && line[Position(67)] == ' '
        && line[Position(70)] == ':' && line[Position(73)] == ':';
}

int ResultSeconds(std::string_view line)
{
    const auto hours = ParseInt(Take(line, HoursField));
    const auto minutes = ParseInt(Take(line, MinutesField));
    const auto seconds = ParseInt(Take(line, SecondsField));
    if (!hours || !minutes || !seconds)
        return -1;
    return *hours * 3600 + *minutes * 60 + *seconds;
}

int QualificationIndex(std::string_view line)
{
    const std::string_view code = Take(line, QualificationField);
    for (std::size_t i = 0; i < QualificationCodes.size(); ++i) {
        if (code == QualificationCodes[i])
            return static_cast<int>(i);
    }
    return NoRank;
}

int PlaceOf(std::string_view line)
{
    if (IsOutOfCompetition(line))
        return -2;
    std::string_view place = Take(line, PlaceField);
    while (!place.empty() && static_cast<unsigned char>(place.front()) <= 0x20)
        place.remove_prefix(1);
    while (!place.empty() && static_cast<unsigned char>(place.back()) <= 0x20)
        place.remove_suffix(1);
    // Results programs write a shared place as "= 7"; it is that place.
    if (!place.empty() && place.front() == '=') {
        place.remove_prefix(1);
        while (!place.empty() && static_cast<unsigned char>(place.front()) <= 0x20)
            place.remove_prefix(1);
    }
    return ParseInt(place).value_or(-1);
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
    return ScanWindows(line, 6, 28) || ScanWindows(line, 32, 49)
        || ScanWindows(line, RemarksStart, line.size());
}

bool IsPersonal(std::string_view line)
{
    const std::string_view remarks
        = line.size() >= RemarksStart ? line.substr(Position(RemarksStart)) : std::string_view {};
    return StartsWithPersonal(remarks) || StartsWithPersonal(Take(line, TeamField));
}

} // namespace engine
