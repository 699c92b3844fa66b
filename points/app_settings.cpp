#include "points/app_settings.h"

#include <algorithm>
#include <vector>

#include "engine/cp1251.h"
#include "engine/text.h"
#include "points/points_grid.h"
#include "points/settings_ini.h"

namespace points {

namespace {

    using engine::TrimBlanks;

    // Sections and keys match without regard to the case of ASCII letters.
    bool SameName(std::string_view a, std::string_view b)
    {
        return engine::EqualsIgnoringAsciiCase(a, b);
    }

    // CR LF unless the file breaks its lines with LF alone, as installations on Windows wrote.
    std::string LineBreakFor(std::string_view iniBytes)
    {
        return iniBytes.find("\r\n") != std::string_view::npos
                || iniBytes.find('\n') == std::string_view::npos
            ? "\r\n"
            : "\n";
    }

    // `iniBytes` with a new section holding `lines` (each ending in `lineBreak`) after what
    // readers read: a NUL ends the reading.
    std::string WithSectionAtEnd(std::string_view iniBytes, std::string_view section,
        const std::string &lines, const std::string &lineBreak)
    {
        const std::size_t readable = std::min(iniBytes.find('\0'), iniBytes.size());
        std::string opening;
        if (readable > 0) {
            const char last = iniBytes[readable - 1];
            if (last != '\r' && last != '\n')
                opening += lineBreak;
            // A '[' with nothing but blanks after it would take the next line as its name.
            const std::size_t lastText = iniBytes.substr(0, readable).find_last_not_of(" \t\r\n");
            if (lastText != std::string_view::npos && iniBytes[lastText] == '[')
                opening += ";" + lineBreak;
        }
        return std::string(iniBytes).insert(
            readable, opening + "[" + std::string(section) + "]" + lineBreak + lines);
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

    // Where the line of an item starts: its indentation belongs to it.
    std::size_t LineStart(std::string_view iniBytes, std::size_t begin)
    {
        while (begin > 0 && (iniBytes[begin - 1] == ' ' || iniBytes[begin - 1] == '\t'))
            --begin;
        return begin;
    }

    // Hands `key` every key line of the sections named `section` (there may be several);
    // returns the section's last line, heading or key, after which a new key goes (null when
    // the file has no such section).
    template <typename Key>
    const IniItem *ForEachKeyOf(const std::vector<IniItem> &items, std::string_view section, Key key)
    {
        const IniItem *lastLine = nullptr;
        bool inSection = false;
        for (const IniItem &item : items) {
            if (item.IsSection) {
                inSection = SameName(TrimBlanks(item.Name), section);
                if (inSection && !lastLine)
                    lastLine = &item;
                continue;
            }
            if (!inSection)
                continue;
            lastLine = &item;
            key(item);
        }
        return lastLine;
    }

} // namespace

std::string CollectorEmail(std::string_view iniBytes)
{
    for (const IniEntry &entry : ReadIniEntries(iniBytes)) {
        if (SameName(entry.Section, CollectorSection) && SameName(entry.Key, CollectorEmailKey))
            return entry.Value;
    }
    return {};
}

std::string WithCollectorEmail(std::string_view iniBytes, std::string_view email)
{
    std::string value;
    for (const char c : TrimBlanks(email)) {
        if (static_cast<unsigned char>(c) >= 0x20)
            value += c;
    }
    const std::string lineBreak = LineBreakFor(iniBytes);

    const std::vector<IniItem> items = ScanIni(iniBytes);
    const IniItem *key = nullptr;
    const IniItem *lastLine = ForEachKeyOf(items, CollectorSection, [&](const IniItem &item) {
        if (!key && SameName(TrimBlanks(item.Name), CollectorEmailKey))
            key = &item;
    });

    std::string out(iniBytes);
    if (key) {
        const std::string line = std::string(key->Name) + '=' + value;
        return out.replace(key->Begin, key->End - key->Begin, line);
    }
    std::string added = std::string(CollectorEmailKey) + '=' + value + lineBreak;
    if (lastLine) {
        if (lastLine->Next == lastLine->End)
            added.insert(0, lineBreak); // the line has no line break of its own
        return out.insert(lastLine->Next, added);
    }
    return WithSectionAtEnd(iniBytes, CollectorSection, added, lineBreak);
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

std::string WithRecentFiles(std::string_view iniBytes, const std::vector<std::string> &list)
{
    const std::string lineBreak = LineBreakFor(iniBytes);
    std::string lines;
    std::size_t number = 0;
    for (const std::string &path : list) {
        if (number == MaxRecentFiles)
            break;
        if (IsStorablePath(path))
            lines
                += std::string(RecentKeyPrefix) + std::to_string(++number) + '=' + path + lineBreak;
    }

    // Every "FileN" line of the section goes (also those past the cap, written by hand); the new
    // ones take the place of the first.
    struct Range
    {
        std::size_t Begin;
        std::size_t End;
    };
    std::vector<Range> removed;
    const std::vector<IniItem> items = ScanIni(iniBytes);
    const IniItem *lastLine = ForEachKeyOf(items, RecentSection, [&](const IniItem &item) {
        if (RecentKeyNumber(item.Name) != 0)
            removed.push_back({ LineStart(iniBytes, item.Begin), item.Next });
    });

    std::string out(iniBytes);
    if (!removed.empty()) {
        for (auto range = removed.rbegin(); range != removed.rend(); ++range)
            out.erase(range->Begin, range->End - range->Begin);
        return out.insert(removed.front().Begin, lines);
    }
    if (lines.empty())
        return out;
    if (lastLine) {
        if (lastLine->Next == lastLine->End)
            lines.insert(0, lineBreak); // the line has no line break of its own
        return out.insert(lastLine->Next, lines);
    }
    return WithSectionAtEnd(iniBytes, RecentSection, lines, lineBreak);
}

} // namespace points
