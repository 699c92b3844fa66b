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
            if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
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
            std::string_view cell = grid.Value(col, place);
            // A line break or NUL would end the value early; a cell editor holds one line.
            for (const char c : cell)
                value += (c == '\r' || c == '\n' || c == '\0') ? ' ' : c;
            value += ';';
        }
        return value;
    }

    // The line break the file already uses; CR LF for a new file, as installations on Windows wrote.
    std::string_view LineBreakOf(std::string_view text)
    {
        const std::size_t at = text.find_first_of("\r\n");
        if (at == std::string_view::npos)
            return "\r\n";
        if (text[at] == '\n')
            return "\n";
        return text.substr(at, 2) == "\r\n" ? std::string_view("\r\n") : std::string_view("\r");
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
            CountKey *key = !inSection ? nullptr
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
        }
    }

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
            engine::Describe(engine::PathText(file), { read.Error().Line, "could not be read: " + read.Error().Reason }) };
    if (!loaded.Lost.empty())
        return { OverwriteRule::AskFirst, DescribeWarnings(engine::PathText(file), loaded.Lost) };
    return {};
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
    // The keys to write: TablesCount, PlacesCount, then place r at index r + 1.
    struct Key
    {
        std::string Name;
        std::string Value;
        const IniItem *Line = nullptr; // its first line in the file, if any
    };
    const int places = grid.PlacesCount();
    std::vector<Key> keys;
    keys.reserve(static_cast<std::size_t>(places) + 2);
    keys.push_back({ std::string(TablesKey), std::to_string(grid.TablesCount()) });
    keys.push_back({ std::string(PlacesKey), std::to_string(places) });
    for (int place = 1; place <= places; ++place)
        keys.push_back({ std::to_string(place), RowValue(grid, place) });

    // Find the first line of every key; the rest of the file is kept as it is. Later duplicates
    // of a key are left too: reading takes the first.
    const std::vector<IniItem> items = ScanIni(iniBytes);
    const IniItem *lastLine = nullptr; // of the section: new keys go after it
    bool inSection = false;
    for (const IniItem &item : items) {
        if (item.IsSection) {
            inSection = IsPointsSection(item.Name);
            if (inSection && lastLine == nullptr)
                lastLine = &item;
            continue;
        }
        if (!inSection)
            continue;
        lastLine = &item;
        const std::string_view name = TrimBlanks(item.Name);
        std::size_t index = keys.size();
        if (SameName(name, TablesKey))
            index = 0;
        else if (SameName(name, PlacesKey))
            index = 1;
        else if (const std::optional<int> place = PlaceOfKey(name); place && *place <= places)
            index = static_cast<std::size_t>(*place) + 1;
        if (index < keys.size() && keys[index].Line == nullptr)
            keys[index].Line = &item;
    }

    const std::string_view lineBreak = LineBreakOf(iniBytes);
    const std::size_t readable = std::min(iniBytes.find('\0'), iniBytes.size());

    // The keys without a line, and where they go: after the section's last line, or in a new
    // section at the end of what can be read (a NUL ends the reading).
    std::string added;
    for (const Key &key : keys) {
        if (key.Line == nullptr)
            added += key.Name + '=' + key.Value + std::string(lineBreak);
    }
    std::size_t addAt = readable;
    if (lastLine == nullptr) {
        std::string opening;
        const std::size_t bom = iniBytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
        if (readable > bom) {
            const char last = iniBytes[readable - 1];
            if (last != '\r' && last != '\n')
                opening += lineBreak;
            opening += lineBreak;
            // A '[' with nothing but blanks after it would take the next line as its name.
            const std::size_t lastText = iniBytes.substr(0, readable).find_last_not_of(" \t\r\n");
            if (lastText != std::string_view::npos && iniBytes[lastText] == '[')
                opening += ";" + std::string(lineBreak);
        }
        added = opening + "[" + std::string(SectionName) + "]" + std::string(lineBreak) + added;
    } else {
        addAt = lastLine->Next;
        if (!added.empty() && lastLine->Next == lastLine->End)
            added.insert(0, lineBreak); // the line has no line break of its own
    }

    // Keys that have a line get the new value on it. Those lines all stand before `addAt`.
    std::vector<const Key *> rewritten;
    for (const Key &key : keys) {
        if (key.Line != nullptr)
            rewritten.push_back(&key);
    }
    std::sort(rewritten.begin(), rewritten.end(),
        [](const Key *a, const Key *b) { return a->Line->Begin < b->Line->Begin; });
    std::string out;
    out.reserve(iniBytes.size() + added.size());
    std::size_t copied = 0;
    for (const Key *key : rewritten) {
        out.append(iniBytes.substr(copied, key->Line->Begin - copied));
        out.append(key->Line->Name); // the key as the file spells it
        out += '=';
        out += key->Value;
        copied = key->Line->End;
    }
    out.append(iniBytes.substr(copied, addAt - copied));
    out += added;
    out.append(iniBytes.substr(addAt));
    return out;
}

} // namespace points
