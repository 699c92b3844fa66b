#include "points/settings_ini.h"

#include <algorithm>
#include <utility>

// SimpleIni is a header with its code behind SI_IMPLEMENTATION. Its char interface without
// conversion hands the bytes through as they are, which Windows-1251 text needs.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

namespace points {

std::vector<IniEntry> ReadIniEntries(std::string_view bytes)
{
    // Several values of one key are kept, so that the first one in the file can win.
    CSimpleIniA ini(/*isUtf8*/ false, /*multiKey*/ true, /*multiLine*/ false);
    if (bytes.empty() || ini.LoadData(bytes.data(), bytes.size()) < 0)
        return {};

    std::vector<std::pair<int, IniEntry>> ordered;
    CSimpleIniA::TNamesDepend sections;
    ini.GetAllSections(sections);
    for (const auto &section : sections) {
        const CSimpleIniA::TKeyVal *keys = ini.GetSection(section.pItem);
        if (keys == nullptr)
            continue;
        for (const auto &[key, value] : *keys)
            ordered.push_back({ key.nOrder, { section.pItem, key.pItem, value } });
    }
    std::stable_sort(ordered.begin(), ordered.end(),
        [](const auto &a, const auto &b) { return a.first < b.first; });

    std::vector<IniEntry> entries;
    entries.reserve(ordered.size());
    for (auto &item : ordered)
        entries.push_back(std::move(item.second));
    return entries;
}

namespace {

    bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

} // namespace

const std::string_view BrokenSectionName = "\n";

std::vector<IniItem> ScanIni(std::string_view bytes)
{
    std::size_t pos = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    const std::string_view text = bytes.substr(0, bytes.find('\0'));
    const std::size_t n = text.size();

    const auto pastLineBreak = [&](std::size_t i) {
        if (i >= n)
            return n;
        return i + (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n' ? 2 : 1);
    };
    const auto trimmedEnd = [&](std::size_t begin, std::size_t end) {
        while (end > begin && IsSpace(text[end - 1]))
            --end;
        return end;
    };
    const auto lineEnd = [&](std::size_t i) {
        while (i < n && !IsLineBreak(text[i]))
            ++i;
        return i;
    };

    std::vector<IniItem> items;
    while (pos < n) {
        while (pos < n && IsSpace(text[pos]))
            ++pos;
        if (pos >= n)
            break;

        if (text[pos] == ';' || text[pos] == '#') {
            pos = lineEnd(pos);
            continue;
        }

        if (text[pos] == '[') {
            const std::size_t begin = pos++;
            while (pos < n && IsSpace(text[pos]))
                ++pos;
            const std::size_t nameBegin = pos;
            while (pos < n && text[pos] != ']' && !IsLineBreak(text[pos]))
                ++pos;
            if (pos >= n || text[pos] != ']') {
                // Not closed on its line: the library then names the section after the text
                // from here to the next key, line break included, which no real section is.
                items.push_back({ true, BrokenSectionName, {}, begin, pos, pastLineBreak(pos) });
                continue;
            }
            const std::size_t nameEnd = trimmedEnd(nameBegin, pos);
            pos = lineEnd(pos + 1);
            items.push_back({ true, text.substr(nameBegin, nameEnd - nameBegin), {}, begin, pos,
                pastLineBreak(pos) });
            continue;
        }

        const std::size_t keyBegin = pos;
        while (pos < n && text[pos] != '=' && !IsLineBreak(text[pos]))
            ++pos;
        if (pos >= n || text[pos] != '=')
            continue; // a line without '=' is skipped
        if (pos == keyBegin) {
            pos = lineEnd(pos); // an empty key is skipped
            continue;
        }
        const std::size_t keyEnd = trimmedEnd(keyBegin, pos);
        ++pos;
        while (pos < n && IsSpace(text[pos]) && !IsLineBreak(text[pos]))
            ++pos;
        const std::size_t valueBegin = pos;
        const std::size_t end = lineEnd(pos);
        const std::size_t valueEnd = trimmedEnd(valueBegin, end);
        pos = pastLineBreak(end);
        items.push_back({ false, text.substr(keyBegin, keyEnd - keyBegin),
            text.substr(valueBegin, valueEnd - valueBegin), keyBegin, end, pos });
    }
    return items;
}

} // namespace points
