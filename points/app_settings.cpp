#include "points/app_settings.h"

#include <algorithm>
#include <vector>

#include "engine/cp1251.h"
#include "engine/text.h"
#include "points/ini_editor.h"
#include "points/settings_ini.h"

namespace points {

namespace {

    using engine::TrimBlanks;

    // Sections and keys match without regard to the case of ASCII letters.
    bool SameName(std::string_view a, std::string_view b)
    {
        return engine::EqualsIgnoringAsciiCase(a, b);
    }

    // The number N of a key "FileN" (any number of digits), or 0 for any other key.
    std::size_t RecentKeyNumber(std::string_view key)
    {
        key = TrimBlanks(key);
        if (key.size() <= RecentKeyPrefix.size() || key.size() > RecentKeyPrefix.size() + 9
            || !SameName(key.substr(0, RecentKeyPrefix.size()), RecentKeyPrefix))
            return 0;
        std::size_t number = 0;
        for (const char c : key.substr(RecentKeyPrefix.size())) {
            if (!engine::IsAsciiDigit(c))
                return 0;
            number = number * 10 + static_cast<std::size_t>(c - '0');
        }
        return number;
    }

    // A whole decimal number from `low` to MaxWindowExtent, blanks around it allowed; else 0.
    int Extent(std::string_view text, int low)
    {
        text = TrimBlanks(text);
        if (text.empty() || text.size() > 6)
            return 0;
        int value = 0;
        for (const char c : text) {
            if (!engine::IsAsciiDigit(c))
                return 0;
            value = value * 10 + (c - '0');
        }
        return value >= low && value <= MaxWindowExtent ? value : 0;
    }

    // The value of the first `key` of `section`; empty when there is none.
    std::string FirstValue(std::string_view iniBytes, std::string_view section, std::string_view key)
    {
        for (IniEntry &entry : ReadIniEntries(iniBytes)) {
            if (SameName(entry.Section, section) && SameName(entry.Key, key))
                return std::move(entry.Value);
        }
        return {};
    }

    // A value as one line: blanks around it and control bytes dropped.
    std::string OneLineValue(std::string_view text)
    {
        std::string value;
        for (const char c : TrimBlanks(text)) {
            if (static_cast<unsigned char>(c) >= 0x20)
                value += c;
        }
        return value;
    }

} // namespace

std::string CollectorEmail(std::string_view iniBytes)
{
    return FirstValue(iniBytes, CollectorSection, CollectorEmailKey);
}

std::string WithCollectorEmail(std::string_view iniBytes, std::string_view email)
{
    return EditIni(iniBytes,
        { CollectorSection, { { std::string(CollectorEmailKey), OneLineValue(email) } }, {} });
}

std::string InterfaceLanguage(std::string_view iniBytes)
{
    return std::string(TrimBlanks(FirstValue(iniBytes, InterfaceSection, LanguageKey)));
}

std::string WithInterfaceLanguage(std::string_view iniBytes, std::string_view code)
{
    return EditIni(
        iniBytes, { InterfaceSection, { { std::string(LanguageKey), OneLineValue(code) } }, {} });
}

bool IsStorablePath(std::string_view path)
{
    if (path.empty() || path.front() == ' ' || path.front() == '\t' || path.back() == ' '
        || path.back() == '\t')
        return false;
    for (std::size_t i = 0; i < path.size();) {
        char32_t codePoint = 0;
        const std::size_t length = engine::DecodeUtf8(path, i, codePoint);
        if (length == 0 || codePoint < 0x20 || codePoint == 0x7F)
            return false;
        i += length;
    }
    return true;
}

std::vector<std::string> RecentFiles(std::string_view iniBytes)
{
    // By key number, the first of a repeated key winning as for every other key of the file.
    std::vector<std::string> byNumber(MaxRecentFiles);
    std::vector<bool> seen(MaxRecentFiles);
    for (const IniEntry &entry : ReadIniEntries(iniBytes)) {
        const std::size_t number = RecentKeyNumber(entry.Key);
        if (!SameName(TrimBlanks(entry.Section), RecentSection) || number == 0
            || number > MaxRecentFiles || seen[number - 1])
            continue;
        seen[number - 1] = true;
        byNumber[number - 1] = entry.Value;
    }
    std::vector<std::string> list;
    for (const std::string &path : byNumber) {
        if (IsStorablePath(path) && std::find(list.begin(), list.end(), path) == list.end())
            list.push_back(path);
    }
    return list;
}

std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string &path)
{
    if (!IsStorablePath(path))
        return list;
    std::erase(list, path);
    list.insert(list.begin(), path);
    if (list.size() > MaxRecentFiles)
        list.resize(MaxRecentFiles);
    return list;
}

WindowLayout ReadWindowLayout(std::string_view iniBytes)
{
    WindowLayout layout;
    std::vector<std::string> seen; // the first of a repeated key wins, as everywhere in the file
    for (const IniEntry &entry : ReadIniEntries(iniBytes)) {
        if (!SameName(TrimBlanks(entry.Section), WindowSection))
            continue;
        const std::string_view key = TrimBlanks(entry.Key);
        if (std::any_of(seen.begin(), seen.end(), [&](const auto &k) { return SameName(k, key); }))
            continue;
        seen.emplace_back(key);
        if (SameName(key, "Width"))
            layout.Width = Extent(entry.Value, 1);
        else if (SameName(key, "Height"))
            layout.Height = Extent(entry.Value, 1);
        else if (SameName(key, "Maximized"))
            layout.Maximized = TrimBlanks(entry.Value) == "1";
        else if (SameName(key, "Tab"))
            layout.Tab = Extent(entry.Value, 0);
        else if (SameName(key, "Splitter")) {
            const std::string_view value = entry.Value;
            const std::size_t comma = value.find(',');
            const int upper
                = comma == std::string_view::npos ? 0 : Extent(value.substr(0, comma), 1);
            const int lower
                = comma == std::string_view::npos ? 0 : Extent(value.substr(comma + 1), 1);
            if (upper && lower) {
                layout.SettingsHeight = upper;
                layout.OutputHeight = lower;
            }
        }
    }
    return layout;
}

std::string WithWindowLayout(std::string_view iniBytes, const WindowLayout &layout)
{
    return EditIni(iniBytes,
        { WindowSection,
            { { "Width", std::to_string(layout.Width) },
                { "Height", std::to_string(layout.Height) },
                { "Maximized", layout.Maximized ? "1" : "0" },
                { "Splitter",
                    std::to_string(layout.SettingsHeight) + ","
                        + std::to_string(layout.OutputHeight) },
                { "Tab", std::to_string(layout.Tab) } },
            {} });
}

std::string WithRecentFiles(std::string_view iniBytes, const std::vector<std::string> &list)
{
    IniSectionEdit edit { RecentSection, {}, {} };
    for (const std::string &path : list) {
        if (edit.Keys.size() == MaxRecentFiles)
            break;
        if (IsStorablePath(path))
            edit.Keys.push_back(
                { std::string(RecentKeyPrefix) + std::to_string(edit.Keys.size() + 1), path });
    }
    // Every "FileN" line of the section goes (also those past the cap, written by hand); the new
    // ones take the place of the first.
    edit.Replaces = [](std::string_view key) { return RecentKeyNumber(key) != 0; };
    return EditIni(iniBytes, edit);
}

} // namespace points
