#include "points/ini_editor.h"

#include <algorithm>
#include <unordered_map>

#include "engine/text.h"
#include "points/settings_ini.h"

namespace points {

namespace {

    using engine::TrimBlanks;

    // Names match without regard to the case of ASCII letters.
    std::string NameKey(std::string_view name)
    {
        std::string key(TrimBlanks(name));
        for (char &c : key) {
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
        return key;
    }

    // The line break of the file's first line; CR LF for a file that has none.
    std::string_view FileLineBreak(std::string_view text)
    {
        const std::size_t at = text.find_first_of("\r\n");
        if (at == std::string_view::npos)
            return "\r\n";
        if (text[at] == '\n')
            return "\n";
        return text.substr(at, 2) == "\r\n" ? std::string_view("\r\n") : std::string_view("\r");
    }

    // The line break that ends an item's line; empty for a last line without one.
    std::string_view BreakOf(std::string_view bytes, const IniItem &item)
    {
        return bytes.substr(item.End, item.Next - item.End);
    }

    // Where the line of an item starts: its indentation belongs to it.
    std::size_t LineStart(std::string_view bytes, std::size_t begin)
    {
        while (begin > 0 && (bytes[begin - 1] == ' ' || bytes[begin - 1] == '\t'))
            --begin;
        return begin;
    }

    std::string KeyLine(std::string_view name, std::string_view value)
    {
        std::string line(name);
        line += '=';
        for (const char c : value)
            line += (c == '\r' || c == '\n' || c == '\0') ? ' ' : c;
        return line;
    }

    // One change of the file: bytes [Begin, End) become Text.
    struct Splice
    {
        std::size_t Begin;
        std::size_t End;
        std::string Text;
    };

    std::string Applied(std::string_view bytes, std::vector<Splice> splices)
    {
        std::stable_sort(splices.begin(), splices.end(),
            [](const Splice &a, const Splice &b) { return a.Begin < b.Begin; });
        std::size_t size = bytes.size();
        for (const Splice &splice : splices)
            size += splice.Text.size();
        std::string out;
        out.reserve(size);
        std::size_t copied = 0;
        for (const Splice &splice : splices) {
            out.append(bytes.substr(copied, splice.Begin - copied));
            out += splice.Text;
            copied = splice.End;
        }
        out.append(bytes.substr(copied));
        return out;
    }

    // The keys as new lines, each ending in `lineBreak`.
    std::string NewLines(const std::vector<const IniKey *> &keys, std::string_view lineBreak)
    {
        std::string lines;
        for (const IniKey *key : keys)
            lines += KeyLine(key->Name, key->Value) + std::string(lineBreak);
        return lines;
    }

    // A new section at the end of what can be read.
    Splice NewSection(std::string_view bytes, std::string_view section, const std::string &lines)
    {
        const std::string_view lineBreak = FileLineBreak(bytes);
        const std::size_t readable = std::min(bytes.find('\0'), bytes.size());
        const std::size_t bom = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
        std::string opening;
        if (readable > bom) {
            const char last = bytes[readable - 1];
            if (last != '\r' && last != '\n')
                opening += lineBreak;
            opening += lineBreak;
            // A '[' with nothing but blanks after it would take the next line as its name.
            const std::size_t lastText = bytes.substr(0, readable).find_last_not_of(" \t\r\n");
            if (lastText != std::string_view::npos && bytes[lastText] == '[')
                opening += ";" + std::string(lineBreak);
        }
        return { readable, readable,
            opening + "[" + std::string(section) + "]" + std::string(lineBreak) + lines };
    }

} // namespace

std::string EditIni(std::string_view bytes, const IniSectionEdit &edit)
{
    std::unordered_map<std::string, std::size_t> indexOf;
    if (!edit.Replaces) {
        for (std::size_t i = 0; i < edit.Keys.size(); ++i)
            indexOf.emplace(NameKey(edit.Keys[i].Name), i);
    }
    std::vector<const IniItem *> lineOf(edit.Keys.size(), nullptr);
    std::vector<const IniItem *> removed;

    const std::vector<IniItem> items = ScanIni(bytes);
    const IniItem *lastLine = nullptr; // of the section: new keys go after it
    bool inSection = false;
    for (const IniItem &item : items) {
        if (item.IsSection) {
            inSection = NameKey(item.Name) == NameKey(edit.Section);
            if (inSection && lastLine == nullptr)
                lastLine = &item;
            continue;
        }
        if (!inSection)
            continue;
        lastLine = &item;
        if (edit.Replaces) {
            if (edit.Replaces(TrimBlanks(item.Name)))
                removed.push_back(&item);
            continue;
        }
        const auto found = indexOf.find(NameKey(item.Name));
        if (found != indexOf.end() && lineOf[found->second] == nullptr)
            lineOf[found->second] = &item;
    }

    std::vector<Splice> splices;
    std::vector<const IniKey *> added;
    for (std::size_t i = 0; i < edit.Keys.size(); ++i) {
        if (lineOf[i] != nullptr)
            splices.push_back(
                { lineOf[i]->Begin, lineOf[i]->End, KeyLine(lineOf[i]->Name, edit.Keys[i].Value) });
        else
            added.push_back(&edit.Keys[i]);
    }

    if (!removed.empty()) {
        std::string_view lineBreak = BreakOf(bytes, *removed.front());
        if (lineBreak.empty())
            lineBreak = FileLineBreak(bytes);
        const std::size_t first = splices.size();
        for (const IniItem *item : removed)
            splices.push_back({ LineStart(bytes, item->Begin), item->Next, {} });
        splices[first].Text = NewLines(added, lineBreak);
    } else if (!added.empty() && lastLine != nullptr) {
        const std::string_view own = BreakOf(bytes, *lastLine);
        const std::string_view lineBreak = own.empty() ? FileLineBreak(bytes) : own;
        // A last line without a break of its own gets one first.
        splices.push_back({ lastLine->Next, lastLine->Next,
            (own.empty() ? std::string(lineBreak) : std::string()) + NewLines(added, lineBreak) });
    } else if (!added.empty()) {
        splices.push_back(NewSection(bytes, edit.Section, NewLines(added, FileLineBreak(bytes))));
    }
    return Applied(bytes, std::move(splices));
}

} // namespace points
