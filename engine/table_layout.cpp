#include "engine/table_layout.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <optional>
#include <span>

#include "engine/cp1251.h"
#include "engine/messages.h"
#include "engine/protocol_lines.h"
#include "engine/recognizers.h"
#include "engine/table_title.h"
#include "engine/text.h"

namespace engine {

namespace {

    constexpr bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

    std::size_t SkipIndent(std::string_view line)
    {
        std::size_t i = 0;
        while (i < line.size() && IsBlankOrTab(line[i]))
            ++i;
        return i;
    }

    using namespace titles;

    bool OpensWith(std::string_view line, std::string_view tag)
    {
        const std::size_t at = SkipIndent(line);
        return EqualsIgnoringAsciiCase(line.substr(at, tag.size()), tag);
    }

    bool EndsResults(std::string_view line)
    {
        return line.starts_with(texts::OldClassLine) || line.starts_with(texts::OldRankLine)
            || EndsTable(line) || line.starts_with(texts::ResultsRule);
    }

    // Whether the text holds a time "h:mm:ss" anywhere.
    bool HoldsTime(std::string_view text) { return FindTime(text) != std::string_view::npos; }

    // The first lines of a table tell whether it reads at today's columns, and where its values
    // stand.
    constexpr std::size_t RowsChecked = 12;
    constexpr std::size_t TitleSearch = 12; // lines below "<pre>" a title may stand on

} // namespace

std::string_view LayoutName(LayoutKind kind)
{
    constexpr std::array<std::string_view, 7> Names = {
        "standard", "gap", "year-first", "handicap", "left-aligned", "relay", "unknown",
    };
    return Names[static_cast<std::size_t>(kind)];
}

bool OpensWithTag(std::string_view line, std::string_view tag) { return OpensWith(line, tag); }

std::size_t AfterPreOpen(std::string_view line) { return SkipIndent(line) + texts::PreOpen.size(); }

std::size_t ClosingTagAtEnd(std::string_view line)
{
    std::string_view text = line;
    while (!text.empty() && IsBlankOrTab(text.back()))
        text.remove_suffix(1);
    const std::size_t size = texts::PreClose.size();
    if (text.size() <= size || !EqualsIgnoringAsciiCase(text.substr(text.size() - size), texts::PreClose))
        return std::string_view::npos;
    const std::size_t at = text.size() - size;
    return TrimBlanks(text.substr(0, at)).empty() ? std::string_view::npos : at;
}

bool HoldsMarkup(std::string_view line)
{
    return std::memchr(line.data(), '<', line.size()) || std::memchr(line.data(), '&', line.size());
}

ShownLine Shown(std::string_view line)
{
    ShownLine shown;
    shown.Text.reserve(line.size());
    shown.Offsets.reserve(line.size() + 1);
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == '<') {
            const std::size_t close = line.find('>', i);
            if (close != std::string_view::npos) {
                i = close + 1;
                continue;
            }
        }
        if (line[i] == '&') {
            const std::size_t semi = line.find(';', i);
            if (semi != std::string_view::npos && semi - i >= 2 && semi - i <= 9) {
                const std::string_view name = line.substr(i + 1, semi - i - 1);
                char c = '?';
                if (name == "nbsp")
                    c = ' ';
                else if (name == "amp")
                    c = '&';
                else if (name == "lt")
                    c = '<';
                else if (name == "gt")
                    c = '>';
                else if (name == "quot")
                    c = '"';
                if (c != '?' || name[0] == '#') {
                    shown.Text.push_back(c);
                    shown.Offsets.push_back(i);
                    i = semi + 1;
                    continue;
                }
            }
        }
        shown.Text.push_back(line[i]);
        shown.Offsets.push_back(i);
        ++i;
    }
    shown.Offsets.push_back(line.size());
    return shown;
}

namespace {
    TableShape FindShape(const ProtocolLines &lines, std::size_t pre);
} // namespace

namespace {

    constexpr std::size_t FingerprintLines = 4;

    // A hash of the table's first lines: a shape is kept for each group, and a string of them
    // each would cost an allocation a table (which some systems' heaps take slowly by the
    // thousand).
    std::uint64_t FirstLinesOf(const ProtocolLines &lines, std::size_t pre)
    {
        std::uint64_t hash = 0;
        for (std::size_t i = pre; i < lines.size() && i < pre + FingerprintLines; ++i)
            hash = hash * 1099511628211ull + std::hash<std::string_view> {}(lines[i]);
        return hash;
    }

} // namespace

bool TableShape::IsOf(const ProtocolLines &lines, std::size_t pre) const
{
    return (FoundIn == lines.Id() && FoundAt == pre) || FirstLinesOf(lines, pre) == FirstLines;
}

TableShape FindTableShape(const ProtocolLines &lines, std::size_t pre)
{
    TableShape shape = FindShape(lines, pre);
    shape.FirstLines = FirstLinesOf(lines, pre);
    shape.FoundIn = lines.Id();
    shape.FoundAt = pre;
    return shape;
}

namespace {

TableShape FindShape(const ProtocolLines &lines, std::size_t pre)
{
    TableShape shape;
    std::string scratch;
    // Line i as shown, the table's "<pre>" and what stands before it left out.
    const auto shownText = [&](std::size_t i) -> std::string_view {
        std::string_view line = lines[i];
        if (i == pre)
            line.remove_prefix(std::min(line.size(), AfterPreOpen(line)));
        if (!lines.HoldsTag(i))
            return line;
        scratch = Shown(line).Text;
        return scratch;
    };

    // Most protocols repeat one title in every table: it is read once.
    thread_local std::string lastTitle;
    thread_local std::vector<TitleWord> lastWords;
    static const std::vector<TitleWord> NoWords;
    const std::vector<TitleWord> *found = &NoWords; // the title's words: lastWords once found
    const std::size_t searchEnd = std::min(lines.size(), pre + TitleSearch);
    for (std::size_t i = pre; i < searchEnd; ++i) {
        if (i > pre && LeavesTable(lines, i))
            break;
        const std::string_view text = shownText(i);
        if (text.find("Место"_w1251) == std::string_view::npos)
            continue;
        if (text != lastTitle) {
            lastWords = TitleWords(text);
            lastTitle = text;
        }
        if (!IsTitle(lastWords))
            continue;
        found = &lastWords;
        const std::vector<TitleWord> &words = *found;
        shape.Title = i;
        shape.TitleLines = 1;
        shape.TitleOnPreLine = i == pre;
        // A relay's title: two columns of times, the second line naming the leg and the team.
        const auto relayTimes = std::count_if(
            words.begin(), words.end(), [](const TitleWord &w) { return w.What == Title::RelayTime; });
        bool nextNamesLeg = false;
        if (i + 1 < lines.size()) {
            const std::string_view next = shownText(i + 1);
            nextNamesLeg = next.find("этапе"_w1251) != std::string_view::npos
                || next.find("команды"_w1251) != std::string_view::npos;
        }
        if (relayTimes >= 2 || nextNamesLeg) {
            shape.Layout.Kind = LayoutKind::Relay;
            shape.TitleLines = nextNamesLeg ? 2 : 1;
            return shape;
        }
        if (!Find(words, Title::Time)) { // "Время" once, and no result column: not mapped
            shape.Layout.Kind = LayoutKind::Unknown;
            return shape;
        }
        break;
    }

    // The table's lines below the title, as far as its results go. They start at the first
    // line with a time; notes, rules and the title come before it.
    std::size_t i = shape.HasTitle() ? shape.Title + shape.TitleLines : pre + 1;
    for (; i < lines.size() && !LeavesTable(lines, i); ++i) {
        if (HoldsTime(shownText(i)))
            break;
    }
    // The few lines looked at, without an allocation a table.
    struct Rows
    {
        std::array<std::size_t, RowsChecked> at {};
        std::size_t count = 0;
        std::size_t size() const { return count; }
        void push_back(std::size_t i) { at[count++] = i; }
        const std::size_t *begin() const { return at.data(); }
        const std::size_t *end() const { return at.data() + count; }
    } rows;
    int timed = 0;
    int standard = 0;
    // Today's title, or none, needs its first lines only, unless they do not read as today's.
    const std::vector<TitleWord> &words = *found;
    const bool maybeToday = !shape.HasTitle() || IsStandardTitle(words);
    // Whether the first lines read as today's whatever the unread ones hold: each unread line
    // could at most add a time that does not read at today's columns.
    const auto decided = [&] {
        const int unread = static_cast<int>(RowsChecked - rows.size());
        return maybeToday && standard > 0 && standard * 2 >= timed + unread;
    };
    const auto readRows = [&](std::size_t limit) {
        for (; i < lines.size() && rows.size() < limit && !decided(); ++i) {
            if (EndsResults(lines[i]) || LeavesTable(lines, i))
                break;
            const std::string_view text = shownText(i);
            if (TrimBlanks(text).empty())
                continue;
            // Whether the table reads at today's columns is seen from its first lines.
            if (rows.size() < RowsChecked && HoldsTime(text)) {
                ++timed;
                standard += IsResultLine(text) ? 1 : 0;
            }
            rows.push_back(i);
        }
    };
    readRows(RowsChecked);
    const bool readsAsToday = standard > 0 && standard * 2 >= timed;

    if (maybeToday) {
        // Today's layout, read as always; and a table without times, which has nothing to
        // mangle, takes it too.
        if (readsAsToday || timed == 0)
            return shape;
        if (!shape.HasTitle()) {
            shape.Layout.Kind = LayoutKind::Unknown;
            return shape;
        }
    }
    // The columns are found from where the first lines' characters stand. A line pushed right
    // by a value wider than its column would lend its values to the columns after theirs: one
    // whose time ends right of where most lines' times end (the leftmost of ends as common) is
    // left out.
    std::array<std::size_t, RowsChecked> timeEnds {}; // 0: no time
    std::size_t timeEnd = 0; // where most times end
    std::size_t most = 0;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const std::size_t colon = FindTime(shownText(rows.at[k]));
        timeEnds[k] = colon == std::string_view::npos ? 0 : colon + 6;
    }
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const auto same = static_cast<std::size_t>(
            std::count(timeEnds.begin(), timeEnds.begin() + static_cast<std::ptrdiff_t>(rows.size()), timeEnds[k]));
        if (timeEnds[k] != 0 && (same > most || (same == most && timeEnds[k] < timeEnd))) {
            timeEnd = timeEnds[k];
            most = same;
        }
    }
    std::vector<Field> runs;
    runs.reserve(rows.size() * 16);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        if (timeEnds[k] <= timeEnd)
            AddRuns(shownText(rows.at[k]), runs);
    }
    shape.Layout = LayoutFromTitle(words, runs);
    // A title whose columns hold no time a line can be read by is not mapped.
    if (timed > 0
        && std::none_of(rows.begin(), rows.end(),
            [&](std::size_t row) { return SecondsOf(shownText(row), shape.Layout).has_value(); }))
        shape.Layout.Kind = LayoutKind::Unknown;
    return shape;
}

} // namespace

} // namespace engine
