// Loading and saving the points tables in the settings file, section "Ochki":
//   TablesCount=T
//   PlacesCount=P
//   1=25;30;;      (place 1: the cells of tables 1..T, each followed by ';')
// Files written by earlier installations on Windows hold the same bytes (Windows-1251, CR LF).

#include "points/settings_file.h"

#include <algorithm>
#include <map>

#include "engine/cp1251.h"
#include "engine/numbers.h"
#include "engine/paths.h"
#include "engine/text.h"
#include "points/ini_editor.h"
#include "points/points_values.h"
#include "points/settings_ini.h"

namespace points {

namespace {

    constexpr std::string_view SectionName = "Ochki";
    constexpr std::string_view TablesKey = "TablesCount";
    constexpr std::string_view PlacesKey = "PlacesCount";

    using engine::TrimBlanks;

    // Sections and keys match without regard to the case of ASCII letters.
    bool SameName(std::string_view a, std::string_view b)
    {
        return engine::EqualsIgnoringAsciiCase(a, b);
    }

    bool IsPointsSection(std::string_view section)
    {
        return SameName(TrimBlanks(section), SectionName);
    }

    // A row key is the place written plainly: "1", "2", ..., not "01" or "+1".
    std::optional<int> PlaceOfKey(std::string_view key)
    {
        key = TrimBlanks(key);
        if (key.empty() || key.size() > 9 || key.front() == '0')
            return std::nullopt;
        int place = 0;
        for (const char c : key) {
            if (c < '0' || c > '9')
                return std::nullopt;
            place = place * 10 + (c - '0');
        }
        return place;
    }

    // A value shown in a warning: UTF-8, and short.
    std::string Quoted(std::string_view value)
    {
        constexpr std::size_t Shown = 40;
        std::string text = engine::Cp1251ToUtf8(value.substr(0, Shown));
        if (value.size() > Shown)
            text += "...";
        return '"' + text + '"';
    }

    // The 1-based line of a byte of the file, counting line breaks as the INI reading does.
    std::size_t LineAt(std::string_view bytes, std::size_t offset)
    {
        std::size_t line = 1;
        for (std::size_t i = 0; i < offset && i < bytes.size(); ++i) {
            if (bytes[i] == '\n'
                || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
                ++line;
        }
        return line;
    }

    // A key of the section as it stands in the file: its first value and its line.
    struct CountKey
    {
        std::optional<std::string_view> Value;
        std::size_t Line = 0;
    };

    // A count: a decimal or hexadecimal integer; missing, unreadable, negative or above `limit`
    // reads as 0, and all but a missing one are told in `warnings`.
    int ReadCount(const CountKey &key, std::string_view name, int limit,
        std::vector<engine::Failure> &warnings)
    {
        if (!key.Value)
            return 0;
        const std::optional<int> count = engine::ParseInt(*key.Value);
        const std::string what = std::string(name) + " " + Quoted(*key.Value);
        std::string problem;
        if (!count)
            problem = " is not a number; read as 0.";
        else if (*count < 0)
            problem = " is negative; read as 0.";
        else if (*count > limit)
            problem = " is above the limit of " + std::to_string(limit) + "; read as 0.";
        if (problem.empty())
            return *count;
        warnings.push_back({ key.Line, what + problem });
        return 0;
    }

    // Cell c is the text before the c-th ';'; when no ';' is left the remaining cells are
    // empty, and text after the last ';' is not used.
    void ReadRow(PointsGrid &grid, int place, std::string_view value)
    {
        for (int col = 1; col <= grid.TablesCount(); ++col) {
            const std::size_t semicolon = value.find(';');
            if (semicolon == std::string_view::npos)
                break;
            grid.SetValue(col, place, std::string(value.substr(0, semicolon)));
            value.remove_prefix(semicolon + 1);
        }
    }

    std::string RowValue(const PointsGrid &grid, int place)
    {
        std::string value;
        for (int col = 1; col <= grid.TablesCount(); ++col) {
            // The editor writes a line break or NUL, which would end the value early, as a blank.
            value += grid.Value(col, place);
            value += ';';
        }
        return value;
    }

    // The rows' first lines, as reading takes the first of a repeated key.
    void TellBadValues(std::string_view iniBytes, const PointsGrid &grid,
        const std::vector<int> &badPlaces, LoadedTables &loaded)
    {
        std::vector<std::size_t> lineOf(static_cast<std::size_t>(grid.PlacesCount()) + 1);
        bool inSection = false;
        std::size_t counted = 0; // the lines are counted once, as the items come in file order
        std::size_t line = 1;
        for (const IniItem &item : ScanIni(iniBytes)) {
            line += LineAt(iniBytes.substr(counted), item.Begin - counted) - 1;
            counted = item.Begin;
            if (item.IsSection) {
                inSection = IsPointsSection(item.Name);
                continue;
            }
            const std::optional<int> place = inSection ? PlaceOfKey(item.Name) : std::nullopt;
            if (place && *place <= grid.PlacesCount() && lineOf[*place] == 0)
                lineOf[*place] = line;
        }
        for (const int place : badPlaces) {
            for (int col = 1; col <= grid.TablesCount(); ++col) {
                const std::string_view value = grid.Value(col, place);
                if (IsPointsValue(value))
                    continue;
                const engine::Failure where { lineOf[place],
                    BadPointsValueReason(col, place, value) };
                loaded.Warnings.push_back(where);
                loaded.BadValues.push_back({ col, where });
            }
        }
    }

} // namespace

LoadedTables LoadPointsTables(std::string_view iniBytes)
{
    // The entries of the section are walked as they stand in the file, so a huge PlacesCount
    // costs nothing for the rows the file does not hold; the first occurrence of a key wins.
    const std::vector<IniEntry> entries = ReadIniEntries(iniBytes);
    CountKey tablesKey;
    CountKey placesKey;
    for (const IniEntry &entry : entries) {
        if (!IsPointsSection(entry.Section))
            continue;
        const std::string_view key = TrimBlanks(entry.Key);
        if (!tablesKey.Value && SameName(key, TablesKey))
            tablesKey.Value = TrimBlanks(entry.Value);
        else if (!placesKey.Value && SameName(key, PlacesKey))
            placesKey.Value = TrimBlanks(entry.Value);
    }
    // The library keeps no positions; the scan that saving uses finds the keys' lines.
    if (tablesKey.Value || placesKey.Value) {
        bool inSection = false;
        for (const IniItem &item : ScanIni(iniBytes)) {
            if (item.IsSection) {
                inSection = IsPointsSection(item.Name);
                continue;
            }
            CountKey *key = !inSection                       ? nullptr
                : SameName(TrimBlanks(item.Name), TablesKey) ? &tablesKey
                : SameName(TrimBlanks(item.Name), PlacesKey) ? &placesKey
                                                             : nullptr;
            if (key && key->Line == 0)
                key->Line = LineAt(iniBytes, item.Begin);
        }
    }

    LoadedTables loaded;
    const int tables = ReadCount(tablesKey, TablesKey, MaxLoadedTables, loaded.Warnings);
    const int places = ReadCount(placesKey, PlacesKey, MaxLoadedPlaces, loaded.Warnings);
    // A count read as 0 hides the rows the file holds; saving would write the small count over
    // them, and they would be gone.
    if (!loaded.Warnings.empty()) {
        const auto rows = std::count_if(entries.begin(), entries.end(), [](const IniEntry &entry) {
            return IsPointsSection(entry.Section) && PlaceOfKey(entry.Key).has_value();
        });
        if (rows > 0) {
            for (const engine::Failure &warning : loaded.Warnings)
                loaded.Lost.push_back({ warning.Line,
                    warning.Reason + " Saving would drop the " + std::to_string(rows)
                        + " rows of points the file holds." });
        }
    }
    PointsGrid grid(tables, places);
    std::vector<int> badPlaces; // in file order
    if (tables > 0) {
        std::vector<bool> seen(static_cast<std::size_t>(places) + 1);
        for (const IniEntry &entry : entries) {
            if (!IsPointsSection(entry.Section))
                continue;
            const std::optional<int> place = PlaceOfKey(entry.Key);
            if (!place || *place > places || seen[*place])
                continue;
            seen[*place] = true;
            ReadRow(grid, *place, TrimBlanks(entry.Value));
            for (int col = 1; col <= tables; ++col) {
                if (!IsPointsValue(grid.Value(col, *place))) {
                    badPlaces.push_back(*place);
                    break;
                }
            }
        }
    }
    if (!badPlaces.empty())
        TellBadValues(iniBytes, grid, badPlaces, loaded);

    loaded.Tables.Grid = std::move(grid);
    loaded.Tables.TablesModified = false;
    RebuildTableCaptions(loaded.Tables);
    return loaded;
}

SettingsOverwrite OverwriteRuleFor(const std::filesystem::path &file,
    const engine::Result<std::string> &read, const LoadedTables &loaded)
{
    std::error_code error;
    if (!read && std::filesystem::exists(file, error))
        return { OverwriteRule::Never,
            engine::Describe(engine::PathText(file),
                { read.Error().Line, "could not be read: " + read.Error().Reason }) };
    if (!loaded.Lost.empty())
        return { OverwriteRule::AskFirst, DescribeWarnings(engine::PathText(file), loaded.Lost) };
    return {};
}

const engine::Failure *FirstBadValueIn(const LoadedTables &loaded, const std::vector<int> &tables)
{
    for (const LoadedTables::BadValue &bad : loaded.BadValues) {
        if (std::find(tables.begin(), tables.end(), bad.Table) != tables.end())
            return &bad.Where;
    }
    return nullptr;
}

std::string DescribeWarnings(std::string_view file, const std::vector<engine::Failure> &warnings)
{
    std::string text;
    for (const engine::Failure &warning : warnings) {
        if (!text.empty())
            text += '\n';
        text += engine::Describe(file, warning);
    }
    return text;
}

std::string SavePointsTables(std::string_view iniBytes, const PointsGrid &grid)
{
    IniSectionEdit edit { SectionName, {}, {} };
    const int places = grid.PlacesCount();
    edit.Keys.reserve(static_cast<std::size_t>(places) + 2);
    edit.Keys.push_back({ std::string(TablesKey), std::to_string(grid.TablesCount()) });
    edit.Keys.push_back({ std::string(PlacesKey), std::to_string(places) });
    for (int place = 1; place <= places; ++place)
        edit.Keys.push_back({ std::to_string(place), RowValue(grid, place) });
    return EditIni(iniBytes, edit);
}

} // namespace points
