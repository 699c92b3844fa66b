#include "points/competition_settings.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "engine/numbers.h"
#include "engine/text.h"
#include "points/ini_editor.h"
#include "points/settings_ini.h"

namespace points {

namespace {

    constexpr std::string_view PathKey = "Path";
    constexpr std::string_view TitleKey = "Title";
    constexpr std::string_view OptionsKey = "Options";
    constexpr std::string_view InspectorKey = "Inspector";
    constexpr std::string_view GroupsKey = "Groups";
    constexpr std::string_view Keys[] = { PathKey, TitleKey, OptionsKey, InspectorKey, GroupsKey };

    // A field is one value among others on one line: the separators, '%' itself, control bytes
    // (a line break would end the value) and blanks at its ends (reading trims the value) are
    // written as "%XX".
    std::string Escape(std::string_view text)
    {
        static constexpr char Hex[] = "0123456789ABCDEF";
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            const bool edge = (i == 0 || i + 1 == text.size()) && (byte == ' ' || byte == '\t');
            if (byte < 0x20 || byte == 0x7F || edge
                || std::string_view("%;|:,").find(text[i]) != std::string_view::npos) {
                out += '%';
                out += Hex[byte >> 4];
                out += Hex[byte & 0xF];
            } else {
                out += text[i];
            }
        }
        return out;
    }

    std::string Unescape(std::string_view text)
    {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '%' && i + 2 < text.size() && engine::HexValue(text[i + 1]) >= 0
                && engine::HexValue(text[i + 2]) >= 0) {
                out += static_cast<char>(
                    engine::HexValue(text[i + 1]) * 16 + engine::HexValue(text[i + 2]));
                i += 2;
            } else {
                out += text[i];
            }
        }
        return out;
    }

    std::vector<std::string_view> Split(std::string_view text, char separator)
    {
        std::vector<std::string_view> parts;
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = text.find(separator, start);
            parts.push_back(text.substr(start, end - start));
            if (end == std::string_view::npos)
                return parts;
            start = end + 1;
        }
    }

    // A whole decimal number in [0, limit).
    bool ReadNumber(std::string_view text, int limit, int &value)
    {
        int number = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        if (error != std::errc() || end != text.data() + text.size() || number < 0
            || number >= limit)
            return false;
        value = number;
        return true;
    }

    // "Groups12" -> { "Groups", 12 }; number 0 for a key of another form.
    std::pair<std::string_view, std::size_t> SplitKey(std::string_view key)
    {
        key = engine::TrimBlanks(key);
        for (const std::string_view name : Keys) {
            if (key.size() <= name.size() || key.size() > name.size() + 9
                || !engine::EqualsIgnoringAsciiCase(key.substr(0, name.size()), name))
                continue;
            std::size_t number = 0;
            for (const char c : key.substr(name.size())) {
                if (!engine::IsAsciiDigit(c))
                    return { {}, 0 };
                number = number * 10 + static_cast<std::size_t>(c - '0');
            }
            return { name, number };
        }
        return { {}, 0 };
    }

    void ReadOptions(std::string_view value, CompetitionSettings &competition)
    {
        const std::vector<std::string_view> parts = Split(value, ';');
        if (parts.size() != 5)
            return;
        int flags[3] = {};
        for (int i = 0; i < 3; ++i) {
            if (!ReadNumber(parts[static_cast<std::size_t>(i)], 2, flags[i]))
                return;
        }
        competition.CountOutOfCompetition = flags[0] == 1;
        competition.RatingPoints = flags[1] == 1;
        competition.ExcludeForeign = flags[2] == 1;
        competition.K1 = Unescape(parts[3]);
        competition.K2 = Unescape(parts[4]);
    }

    std::string WriteOptions(const CompetitionSettings &c)
    {
        const auto flag = [](bool on) { return on ? std::string("1") : std::string("0"); };
        return flag(c.CountOutOfCompetition) + ';' + flag(c.RatingPoints) + ';'
            + flag(c.ExcludeForeign) + ';' + Escape(c.K1) + ';' + Escape(c.K2);
    }

    void ReadGroups(std::string_view value, CompetitionSettings &competition)
    {
        if (value.empty())
            return;
        for (const std::string_view item : Split(value, '|')) {
            const std::size_t colon = item.find(':');
            if (colon == std::string_view::npos)
                continue;
            const std::vector<std::string_view> numbers = Split(item.substr(colon + 1), ',');
            StoredGroup group;
            group.Name = Unescape(item.substr(0, colon));
            if (numbers.size() != 4 || !ReadNumber(numbers[0], 8, group.DistanceClass)
                || !ReadNumber(numbers[1], 4, group.Category)
                || !ReadNumber(numbers[2], 100000, group.MastersCount)
                || !ReadNumber(numbers[3], 100000, group.PointsTable))
                continue;
            if (competition.Groups.size() < MaxStoredGroups)
                competition.Groups.push_back(std::move(group));
        }
    }

    std::string WriteGroups(const std::vector<StoredGroup> &groups)
    {
        std::string out;
        for (std::size_t i = 0; i < groups.size() && i < MaxStoredGroups; ++i) {
            const StoredGroup &g = groups[i];
            if (i != 0)
                out += '|';
            out += Escape(g.Name) + ':' + std::to_string(g.DistanceClass) + ','
                + std::to_string(g.Category) + ',' + std::to_string(g.MastersCount) + ','
                + std::to_string(g.PointsTable);
        }
        return out;
    }

} // namespace

std::vector<CompetitionSettings> StoredCompetitions(std::string_view iniBytes)
{
    // By number; the first of a repeated key wins, as for every other key of the file.
    std::map<std::size_t, std::map<std::string_view, std::string>> byNumber;
    for (const IniEntry &entry : ReadIniEntries(iniBytes)) {
        if (!engine::EqualsIgnoringAsciiCase(
                engine::TrimBlanks(entry.Section), CompetitionsSection))
            continue;
        const auto [name, number] = SplitKey(entry.Key);
        if (number == 0 || number > MaxStoredCompetitions)
            continue;
        byNumber[number].try_emplace(name, entry.Value);
    }
    std::vector<CompetitionSettings> list;
    for (auto &[number, keys] : byNumber) {
        CompetitionSettings competition;
        competition.Path = Unescape(keys[PathKey]);
        if (competition.Path.empty())
            continue;
        competition.Title = Unescape(keys[TitleKey]);
        competition.Inspector = Unescape(keys[InspectorKey]);
        ReadOptions(keys[OptionsKey], competition);
        ReadGroups(keys[GroupsKey], competition);
        if (!FindCompetition(list, competition.Path, competition.Title))
            list.push_back(std::move(competition));
    }
    return list;
}

const CompetitionSettings *FindCompetition(
    const std::vector<CompetitionSettings> &stored, std::string_view path, std::string_view title)
{
    const auto found = std::find_if(stored.begin(), stored.end(),
        [&](const CompetitionSettings &c) { return c.Path == path && c.Title == title; });
    return found == stored.end() ? nullptr : &*found;
}

std::string WithCompetition(std::string_view iniBytes, const CompetitionSettings &competition)
{
    std::vector<CompetitionSettings> list = StoredCompetitions(iniBytes);
    std::erase_if(list, [&](const CompetitionSettings &c) {
        return c.Path == competition.Path && c.Title == competition.Title;
    });
    list.insert(list.begin(), competition);
    if (list.size() > MaxStoredCompetitions)
        list.resize(MaxStoredCompetitions);

    IniSectionEdit edit { CompetitionsSection, {}, {} };
    for (std::size_t i = 0; i < list.size(); ++i) {
        const CompetitionSettings &c = list[i];
        const std::string n = std::to_string(i + 1);
        edit.Keys.push_back({ std::string(PathKey) + n, Escape(c.Path) });
        edit.Keys.push_back({ std::string(TitleKey) + n, Escape(c.Title) });
        edit.Keys.push_back({ std::string(OptionsKey) + n, WriteOptions(c) });
        edit.Keys.push_back({ std::string(InspectorKey) + n, Escape(c.Inspector) });
        edit.Keys.push_back({ std::string(GroupsKey) + n, WriteGroups(c.Groups) });
    }
    // Every entry line of the section goes (also those of the dropped entries); the list takes
    // the place of the first.
    edit.Replaces = [](std::string_view key) { return SplitKey(key).second != 0; };
    return EditIni(iniBytes, edit);
}

} // namespace points
