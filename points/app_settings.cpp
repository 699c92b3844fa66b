#include "points/app_settings.h"

#include <algorithm>
#include <vector>

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
    const std::string lineBreak = iniBytes.find("\r\n") != std::string_view::npos
            || iniBytes.find('\n') == std::string_view::npos
        ? "\r\n"
        : "\n";

    const std::vector<IniItem> items = ScanIni(iniBytes);
    const IniItem *key = nullptr;
    const IniItem *lastLine = nullptr; // of the section: a new key goes after it
    bool inSection = false;
    for (const IniItem &item : items) {
        if (item.IsSection) {
            inSection = SameName(TrimBlanks(item.Name), CollectorSection);
            if (inSection && !lastLine)
                lastLine = &item;
            continue;
        }
        if (!inSection)
            continue;
        lastLine = &item;
        if (!key && SameName(TrimBlanks(item.Name), CollectorEmailKey))
            key = &item;
    }

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
    // A new section at the end of what readers read (a NUL ends the reading).
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
    return out.insert(
        readable, opening + "[" + std::string(CollectorSection) + "]" + lineBreak + added);
}

} // namespace points
