// The points tables as the window keeps them: the grid, its captions for the group list, and
// whether the user edited it; the editing rules and the settings file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "points/points_grid.h"

namespace points {

struct PointsTables
{
    PointsGrid Grid;
    std::vector<std::string> TableCaptions; // Windows-1251; item 0 is "Без ачкоў"
    bool TablesModified = false;
};

// At most this many tables can be created by typing into the spare column (letters A..X).
inline constexpr int MaxTypedTables = 24;

// "A: 25, 20, 18..." for each table, after "Без ачкоў".
std::vector<std::string> TableCaptions(const PointsGrid &grid);
void RebuildTableCaptions(PointsTables &tables);

// The grid's reaction to every change of a cell editor's text: typing into the spare column or
// row adds a table or a place; the tables are marked modified and the captions rebuilt.
void OnCellEdited(PointsTables &tables, int col, int row, std::string text);

struct CellPosition
{
    int Col = 0;
    int Row = 0;
};

// Removes every empty table column (never the spare column, never one with a value); letters
// stay with positions. Returns where the current cell goes so that it stays inside the grid.
CellPosition CompactTables(PointsGrid &grid, CellPosition current);
// The table columns that CompactTables would remove now, in increasing order.
std::vector<int> EmptyTableColumns(const PointsGrid &grid);

// The settings file, section "Ochki". Loading: missing counts or rows give no tables, no
// places or empty cells; `Warning` tells about anything that could not be taken.
struct LoadedTables
{
    PointsTables Tables;
    std::string Warning; // UTF-8, empty when all went well
};
LoadedTables LoadPointsTables(std::string_view iniBytes);

// Counts above these read as 0, with a warning. Tables past 191 would have no letter; the
// places limit keeps a damaged count from making a grid, and a saved file, of millions of rows
// (a full grid saves in about 2 MB).
inline constexpr int MaxLoadedTables = MaxTableLetterCol;
inline constexpr int MaxLoadedPlaces = 10000;

// The settings file with the "Ochki" keys rewritten from the grid; every other byte of
// `iniBytes` (other sections and keys, comments, blank lines, line breaks) is kept as it is.
// Pass the file's current bytes, or nothing for a new file.
std::string SavePointsTables(std::string_view iniBytes, const PointsGrid &grid);

// Where the settings file lives: "<program>.INI" beside the program when it exists or the
// program's folder is writable; otherwise in the user's configuration folder.
struct SettingsLocationInputs
{
    std::filesystem::path ProgramPath;  // the running executable
    std::string XdgConfigHome;          // $XDG_CONFIG_HOME, may be empty
    std::string Home;                   // $HOME
    bool BesideProgramExists = false;
    bool ProgramFolderWritable = false;
};
std::filesystem::path SettingsFilePath(const SettingsLocationInputs &inputs);
// The same for this process, looking at the file system and the environment.
std::filesystem::path SettingsFilePath();

// The file's bytes, or nothing when it is missing or cannot be read (`reason` then says why,
// in the system's words).
std::optional<std::string> ReadSettingsFile(const std::filesystem::path &path,
                                            std::string *reason = nullptr);
// Replaces the file whole or not at all, creating its folder when needed. Returns an empty
// text, or "Unable to write to <path>" (UTF-8) when the write failed and the old file was kept.
std::string WriteSettingsFile(const std::filesystem::path &path, std::string_view bytes);

} // namespace points
