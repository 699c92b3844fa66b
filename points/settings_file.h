// The points tables in the settings file's bytes, section "Ochki": reading them, and writing
// them back without touching anything else in the file.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/result.h"
#include "points/points_tables.h"

namespace points {

// Loading: missing counts or rows give no tables, no places or empty cells. `Warnings` tell,
// with the file's line, about anything that could not be taken (UTF-8).
struct LoadedTables
{
    PointsTables Tables;
    std::vector<engine::Failure> Warnings;
    // What writing the tables over the file would lose that loading could not take (a count
    // read as 0 while the file holds rows); empty when nothing.
    std::vector<engine::Failure> Lost;
    // The cells that are not points values (points/points_values.h), in file order: each is
    // kept as the file holds it, told in `Warnings` too, and stops a run that would write it.
    struct BadValue
    {
        int Table = 0;
        engine::Failure Where; // the row key's line, and what is wrong
    };
    std::vector<BadValue> BadValues;
};

// Whether closing may write the tables over the settings file as loading found it.
enum class OverwriteRule {
    Free, // missing, or read whole: write as usual
    AskFirst, // loading dropped something: only on the user's explicit yes, defaulting to no
    Never, // it exists but could not be read (permissions, not a regular file, too large,
           // UTF-16/32): never write over it; the tables may go elsewhere or nowhere
};
struct SettingsOverwrite
{
    OverwriteRule Rule = OverwriteRule::Free;
    std::string Why; // "file[:line]: reason" lines (UTF-8) saying what is at stake; empty when Free
};
// `read` is what ReadSettingsFile gave for `file`, `loaded` what LoadPointsTables made of it.
SettingsOverwrite OverwriteRuleFor(const std::filesystem::path &file,
    const engine::Result<std::string> &read, const LoadedTables &loaded);

// The warnings as "file:line: reason" lines, one a line.
std::string DescribeWarnings(std::string_view file, const std::vector<engine::Failure> &warnings);
LoadedTables LoadPointsTables(std::string_view iniBytes);

// The first of `loaded.BadValues` in one of `tables` (a group's PointsTable), which a run must
// not write; null when there is none.
const engine::Failure *FirstBadValueIn(const LoadedTables &loaded, const std::vector<int> &tables);

// Counts above these read as 0, with a warning. Tables past 191 would have no letter; the
// places limit keeps a damaged count from making a grid, and a saved file, of millions of rows
// (a full grid saves in about 2 MB).
inline constexpr int MaxLoadedTables = MaxTableLetterCol;
inline constexpr int MaxLoadedPlaces = 10000;

// The settings file with the "Ochki" keys rewritten from the grid; every other byte of
// `iniBytes` (other sections and keys, comments, blank lines, line breaks) is kept as it is.
// Pass the file's current bytes, or nothing for a new file.
std::string SavePointsTables(std::string_view iniBytes, const PointsGrid &grid);

} // namespace points
