// What the secretary gave for one competition (the groups' settings, the options, the "К="
// values and the inspector), kept in the settings file's own section so that reading the same
// protocol again, also after a restart, gives it all back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace points {

// One group's four settings, as the group list numbers its items.
struct StoredGroup
{
    std::string Name; // UTF-8
    int DistanceClass = 2;
    int Category = 0;
    int MastersCount = 0;
    int PointsTable = 0;

    bool operator==(const StoredGroup &other) const = default;
};

// A competition is known by its protocol's canonical path and its title (the "<title>" and the
// first "<h1>"): a file name reused for every race is not enough. Every text is UTF-8.
struct CompetitionSettings
{
    std::string Path;
    std::string Title;
    bool CountOutOfCompetition = false;
    bool RatingPoints = false;
    bool ExcludeForeign = true;
    std::string K1 = "1000"; // as typed
    std::string K2 = "2";
    std::string Inspector;
    std::vector<StoredGroup> Groups; // in the protocol's order

    bool operator==(const CompetitionSettings &other) const = default;
};

// Section "Competitions": for the n-th competition, newest first, the keys "PathN", "TitleN",
// "OptionsN" ("vk;rating;foreign;K1;K2", the flags 0 or 1), "InspectorN" and "GroupsN" (one
// "name:class,category,masters,table" a group, joined by '|'). A '%', ';', '|', ':', ',', a
// control byte, and a blank at a field's end are written "%XX".
inline constexpr std::string_view CompetitionsSection = "Competitions";
// The section keeps the competitions saved last; older ones are dropped. A group past
// MaxStoredGroups of one protocol is not kept (it gets the defaults when read again).
inline constexpr std::size_t MaxStoredCompetitions = 50;
inline constexpr std::size_t MaxStoredGroups = 1000;

// The competitions the file holds, newest first. An entry without a path is skipped, and so is
// a group whose settings are not numbers in their ranges; options that cannot be read keep the
// defaults.
std::vector<CompetitionSettings> StoredCompetitions(std::string_view iniBytes);

// The stored competition with this path and title; null when there is none.
const CompetitionSettings *FindCompetition(
    const std::vector<CompetitionSettings> &stored, std::string_view path, std::string_view title);

// The file with `competition` first in the section (an earlier entry with its path and title
// replaced), cut to MaxStoredCompetitions; every line outside the section stays as it is.
std::string WithCompetition(std::string_view iniBytes, const CompetitionSettings &competition);

} // namespace points
