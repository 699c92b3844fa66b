#include "engine/protocol.h"

#include <cstring>

#include "engine/file_reading.h"
#include "engine/group_matching.h"
#include "engine/messages.h"
#include "engine/protocol_encoding.h"
#include "engine/table_layout.h"
#include "engine/text.h"
#include "engine/two_threads.h"

namespace engine {

ProtocolLines SplitLines(std::string_view bytes)
{
    return ProtocolLines(std::make_shared<OwnedBytes>(std::string(bytes)));
}

bool IsSignaturesStart(const ProtocolLines &lines, std::size_t i)
{
    if (!lines.HoldsTag(i))
        return false;
    const std::string_view line = lines[i];
    if (!StartsTable(line))
        return false;
    return TrimLeadingBlanks(line.substr(AfterPreOpen(line))).starts_with(texts::ChiefJudge)
        || (i + 1 < lines.size() && TrimLeadingBlanks(lines[i + 1]).starts_with(texts::ChiefJudge));
}

Category DeriveCategory(std::string_view name)
{
    // The age sits before the last byte of names like "М21Е" and "Ж16"; the test looks at the
    // second-to-last byte (and the one before it) of every name.
    const std::size_t length = name.size();
    Category category = Category::Adults;
    if (length > 2 && name[length - 2] == '1' && name[length - 3] != '2')
        category = Category::Juniors;
    const bool ageDigit = length > 2 && name[length - 2] >= '0' && name[length - 2] <= '9';
    if (!ageDigit)
        category = Category::Combined;
    return category;
}

TableShape ShapeOfTable(const ProtocolLines &lines, std::size_t pre, const GroupSettings *group)
{
    if (group && group->Table && group->TableLine == pre && group->Table->IsOf(lines, pre))
        return *group->Table;
    return FindTableShape(lines, pre);
}

void FindGroupTable(
    const ProtocolLines &lines, std::size_t heading, std::size_t end, GroupSettings &group)
{
    group.Table.reset();
    group.TableLine = 0;
    for (std::size_t i = lines.NextTag(heading); i < end; i = lines.NextTag(i + 1)) {
        if (StartsTable(lines, i) && !IsSignaturesStart(lines, i)) {
            group.Table = FindTableShape(lines, i);
            group.TableLine = i;
            return;
        }
    }
}

namespace {

    // The group whose heading is line `heading`, its table before line `end`.
    void ReadGroup(
        const ProtocolLines &lines, std::size_t heading, std::size_t end, GroupSettings &group)
    {
        const std::string_view line = lines[heading];
        const std::size_t open = line.find(texts::HeadingTag);
        const std::size_t close = line.find("</h2>");
        const std::size_t textStart = open + 4;
        group.Heading = close != std::string::npos && close >= textStart
            ? std::string(line.substr(textStart, close - textStart))
            : std::string();
        // "<h2><span id="m0"></span>Ж10, 4 КП</h2>", "<h2>М21 &amp; Ж21</h2>": the group is
        // what the heading shows.
        if (group.Heading.find_first_of("<&") != std::string::npos)
            group.Heading = Shown(group.Heading).Text;
        FindGroupTable(lines, heading, end, group);
        group.Name = group.Heading.substr(0, group.Heading.find(','));
        SetDefaultSettings(group);
    }

} // namespace

void UpdateGroups(const ProtocolLines &lines, std::vector<GroupSettings> &groups)
{
    // The groups read before give their settings to the groups of the same name (see
    // KeepSettings), wherever those stand now.
    std::vector<GroupSettings> earlier = std::move(groups);
    groups.clear();
    // Every line with "<h2>" is a group's heading, wherever it stands; a large protocol has
    // thousands of groups, each read on its own.
    std::vector<std::size_t> at;
    at.reserve(lines.HeadingCount() + 1);
    for (std::size_t i = lines.NextHeading(0); i < lines.size(); i = lines.NextHeading(i + 1))
        at.push_back(i);
    at.push_back(lines.size());
    const std::size_t headings = at.size() - 1;
    groups.resize(headings);
    InTwoThreads(headings, 1024, [&](std::size_t first, std::size_t end) {
        for (std::size_t k = first; k < end; ++k)
            ReadGroup(lines, at[k], at[k + 1], groups[k]);
    });
    KeepSettings(earlier, groups);
}

namespace {

    // Where the opening tag of element `name` ("<title>", "<h1 class=x>") starts in `line`,
    // its letters in either case; npos when nowhere.
    std::size_t FindOpeningTag(std::string_view line, std::string_view name)
    {
        for (std::size_t at = line.find('<'); at != std::string_view::npos;
             at = line.find('<', at + 1)) {
            const std::size_t after = at + 1 + name.size();
            if (EqualsIgnoringAsciiCase(line.substr(at + 1, name.size()), name)
                && after < line.size() && (line[after] == '>' || line[after] == ' '))
                return at;
        }
        return std::string_view::npos;
    }

    // The shown text of the element `name` that starts on `line`; it ends on that line (at its
    // end when it is not closed there).
    std::optional<std::string> ElementText(std::string_view line, std::string_view name)
    {
        const std::size_t start = FindOpeningTag(line, name);
        if (start == std::string_view::npos)
            return std::nullopt;
        const std::size_t open = line.find('>', start);
        if (open == std::string_view::npos)
            return std::string();
        std::string_view text = line.substr(open + 1);
        for (std::size_t at = text.find("</"); at != std::string_view::npos;
             at = text.find("</", at + 1)) {
            if (EqualsIgnoringAsciiCase(text.substr(at + 2, name.size()), name)) {
                text = text.substr(0, at);
                break;
            }
        }
        return std::string(TrimBlanks(Shown(text).Text));
    }

} // namespace

std::string ProtocolTitle(const ProtocolLines &lines)
{
    std::optional<std::string> title;
    std::optional<std::string> heading;
    const std::size_t end = lines.NextHeading(0);
    for (std::size_t i = lines.NextTag(0); i < end && !(title && heading);
         i = lines.NextTag(i + 1)) {
        if (!title)
            title = ElementText(lines[i], "title");
        if (!heading)
            heading = ElementText(lines[i], "h1");
    }
    std::string joined = title.value_or("");
    if (heading && !heading->empty())
        joined += (joined.empty() ? "" : " / ") + *heading;
    return joined;
}

Status LoadProtocol(const std::filesystem::path &path, ProtocolLines &lines,
    std::vector<GroupSettings> &groups, FileAccess access)
{
    if (path.empty())
        return Failure { 0, "no file name given" }; // and nothing changes
    lines = {};
    Result<std::shared_ptr<const FileBytes>> read = ReadProtocolBytes(path, MaxProtocolBytes, access);
    if (!read)
        return read.Error();
    const std::string_view bytes = read.Value()->Bytes();
    if (const char *wide = WideUnicodeMark(bytes))
        return Failure { 1, std::string("the file is ") + wide + " text, not Windows-1251" };
    // A protocol saved in UTF-8 is worked on in Windows-1251, so that its columns, counted in
    // letters, line up as bytes; its output goes back in UTF-8.
    const SourceEncoding encoding = DetectEncoding(bytes);
    if (encoding.Encoding == TextEncoding::Utf8) {
        Result<std::string> converted = Utf8ProtocolToWindows1251(bytes);
        if (!converted)
            return Failure { converted.Error().Line, "UTF-8 text, " + converted.Error().Reason };
        read = std::shared_ptr<const FileBytes>(
            std::make_shared<OwnedBytes>(std::move(converted.Value())));
    }
    lines = ProtocolLines(std::move(read.Value()));
    lines.SetEncoding(encoding);
    UpdateGroups(lines, groups);
    return Success();
}

} // namespace engine
