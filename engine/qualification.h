// The qualification tables and the award by time.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "engine/cp1251.h"

namespace engine {

// The one numbering of qualifications; the values index the tables below.
enum class Qualification : int {
    Msmk = 0,         // master of sport, international class
    Ms = 1,           // master of sport
    Kms = 2,          // candidate master
    First = 3,        // first rank
    Second = 4,
    Third = 5,
    FirstJunior = 6,
    SecondJunior = 7,
    NoRank = 8,       // a blank or unrecognised code
    NotAwarded = 9,   // nothing earned: written as "-    "
};

constexpr std::size_t IndexOf(Qualification q) { return static_cast<std::size_t>(q); }
constexpr Qualification QualificationAt(int index) { return static_cast<Qualification>(index); }
// A higher qualification has a lower number.
constexpr bool IsBelow(Qualification a, Qualification b) { return IndexOf(a) > IndexOf(b); }

// All texts are five Windows-1251 bytes.
inline constexpr std::array<std::string_view, 9> QualificationCodes = {
    "МСМК "_w1251, "МС   "_w1251, "КМС  "_w1251, "I    "_w1251, "II   "_w1251,
    "III  "_w1251, "Iю   "_w1251, "IIю  "_w1251, "     "_w1251,
};

inline constexpr std::array<std::string_view, 10> QualificationLabels = {
    "МСМК "_w1251, "МС   "_w1251, "КМС  "_w1251, "I    "_w1251, "II   "_w1251,
    "III  "_w1251, "Iю   "_w1251, "IIю  "_w1251, "б/р  "_w1251, "-    "_w1251,
};

constexpr std::string_view LabelOf(Qualification q) { return QualificationLabels[IndexOf(q)]; }

// What each qualification brings to a competition's rank.
inline constexpr std::array<double, 9> QualificationPoints = {
    130.0, 100.0, 30.0, 10.0, 3.0, 1.0, 1.0, 0.3, 0.2,
};

// Column 0 is the rank threshold; columns 1..6 are the standards, in percent of the winner's
// time, of qualification indexes 2..7 (КМС, I, II, III, Iю, IIю). 0: not given at that rank.
inline constexpr int RankRows = 28;
inline constexpr std::array<std::array<int, 7>, RankRows> RankTable = { {
    { 1000, 126, 142, 166, 0, 0, 0 },
    { 800, 123, 138, 162, 0, 0, 0 },
    { 630, 120, 135, 158, 189, 189, 0 },
    { 500, 117, 132, 154, 184, 184, 0 },
    { 400, 114, 129, 150, 179, 179, 0 },
    { 320, 111, 126, 146, 174, 174, 0 },
    { 250, 108, 123, 142, 170, 170, 0 },
    { 200, 105, 120, 138, 166, 166, 0 },
    { 160, 102, 117, 135, 162, 162, 199 },
    { 125, 100, 114, 132, 158, 158, 194 },
    { 100, 0, 111, 129, 154, 154, 189 },
    { 80, 0, 108, 126, 150, 150, 184 },
    { 63, 0, 105, 123, 146, 146, 179 },
    { 50, 0, 102, 120, 142, 142, 174 },
    { 40, 0, 100, 117, 138, 138, 170 },
    { 32, 0, 0, 114, 135, 135, 166 },
    { 25, 0, 0, 111, 132, 132, 162 },
    { 20, 0, 0, 108, 129, 129, 158 },
    { 16, 0, 0, 105, 126, 126, 154 },
    { 13, 0, 0, 102, 123, 123, 150 },
    { 10, 0, 0, 100, 120, 120, 146 },
    { 8, 0, 0, 0, 117, 117, 142 },
    { 6, 0, 0, 0, 114, 114, 138 },
    { 5, 0, 0, 0, 111, 111, 135 },
    { 4, 0, 0, 0, 108, 108, 132 },
    { 3, 0, 0, 0, 105, 105, 129 },
    { 2, 0, 0, 0, 0, 0, 123 },
    { 0, 0, 0, 0, 0, 0, 0 },
} };

// The standard time in whole seconds: the winner's time times the percentage, raised to the
// next second when it has a fraction.
long long StandardSeconds(int winnerSeconds, int percent);

// Columns 1..6 of RankTable hold the standards of КМС..IIю: column c is qualification c + 1.
inline constexpr int FirstStandardColumn = 1;
inline constexpr int LastStandardColumn = 6;
constexpr Qualification QualificationOfColumn(int column) { return QualificationAt(column + 1); }
constexpr int ColumnOf(Qualification q) { return static_cast<int>(q) - 1; }

// The qualification (КМС..IIю) that the athlete's time earns at the rank, or NotAwarded.
Qualification AwardByTime(int winnerSeconds, int athleteSeconds, double rank);

// AwardByTime for a whole table: the standards' times are worked out once, not per athlete.
class TimeStandards
{
public:
    TimeStandards(int winnerSeconds, double rank);
    Qualification Award(int athleteSeconds) const;

private:
    bool m_ranked = false; // the rank reaches a row of RankTable
    std::array<long long, LastStandardColumn + 1> m_seconds {}; // by column
};

// The row of RankTable used by the summary for a rank (at most 27).
int FindRankRow(double rank);

} // namespace engine
