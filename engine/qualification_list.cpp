// The list of qualifications earned: put together from what the rewrite noted, and the
// protocol's heading and signatures.
#include "engine/qualification_list.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <tuple>

#include "engine/messages.h"
#include "engine/numbers.h"
#include "engine/table_layout.h"
#include "engine/text.h"

namespace engine {

namespace {

    // The text a browser shows, runs of blanks as one, trimmed.
    std::string ShownText(std::string_view markup)
    {
        std::string text;
        for (const char c : Shown(markup).Text) {
            const bool blank = IsBlankOrControl(c) || c == '\xA0';
            if (blank && (text.empty() || text.back() == ' '))
                continue;
            text += blank ? ' ' : c;
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        return text;
    }

    // A heading element's content may run over a few lines; longer is no heading.
    constexpr std::size_t HeadingLinesAtMost = 8;

    // The content of the element opened by `open` on line i (after its '>') up to `close`.
    std::string ElementText(
        const ProtocolLines &lines, std::size_t i, std::size_t at, std::string_view close)
    {
        std::string content;
        std::string_view line = lines[i];
        const std::size_t gt = line.find('>', at);
        if (gt == std::string_view::npos)
            return content;
        line.remove_prefix(gt + 1);
        for (std::size_t k = 0; k < HeadingLinesAtMost; ++k) {
            const std::size_t end = FindIgnoringAsciiCase(line, close);
            content.append(line.substr(0, end));
            if (end != std::string_view::npos || i + k + 1 >= lines.size())
                break;
            content += ' ';
            line = lines[i + k + 1];
        }
        return content;
    }

    // Each <br> starts a new line of the heading.
    void AddHeadingLines(std::string_view content, std::vector<std::string> &heading)
    {
        for (;;) {
            const std::size_t br = FindIgnoringAsciiCase(content, "<br");
            std::string text = ShownText(content.substr(0, br));
            if (!text.empty() && std::find(heading.begin(), heading.end(), text) == heading.end())
                heading.push_back(std::move(text));
            if (br == std::string_view::npos)
                return;
            content.remove_prefix(br + 3);
        }
    }

    // "Главный судья                       Петров П.П., НК": the role and the name, parted by
    // the first run of two blanks or more.
    Signature SignatureOf(std::string_view markup)
    {
        const std::string shown = Shown(markup).Text;
        const std::size_t gap = TrimBlanks(shown).empty()
            ? std::string::npos
            : shown.find("  ", shown.find_first_not_of(' '));
        if (gap == std::string::npos)
            return { ShownText(shown), {} };
        return { ShownText(shown.substr(0, gap)), ShownText(shown.substr(gap)) };
    }

} // namespace

void EarnedQualifications::Append(EarnedQualifications &&part)
{
    Groups.insert(Groups.end(), part.Groups.begin(), part.Groups.end());
    Athletes.insert(Athletes.end(), std::make_move_iterator(part.Athletes.begin()),
        std::make_move_iterator(part.Athletes.end()));
}

void EarnedQualifications::Clear()
{
    Groups.clear();
    Athletes.clear();
    Inspector.reset();
}

std::vector<std::string> CompetitionHeading(const ProtocolLines &lines)
{
    std::vector<std::string> heading;
    for (std::size_t i = lines.NextTag(0); i < lines.size(); i = lines.NextTag(i + 1)) {
        const std::string_view line = lines[i];
        for (const auto &[open, close] :
            { std::pair { "<title", "</title" }, std::pair { "<h1", "</h1" } }) {
            for (std::size_t at = FindIgnoringAsciiCase(line, open); at != std::string_view::npos;
                 at = FindIgnoringAsciiCase(line, open, at + 1)) {
                // "<h1>" or "<h1 class=…>", never "<h10" or "<titles".
                const std::size_t after = at + std::string_view(open).size();
                if (after < line.size() && line[after] != '>' && !IsBlankOrControl(line[after]))
                    continue;
                AddHeadingLines(ElementText(lines, i, at, close), heading);
            }
        }
    }
    return heading;
}

std::vector<Signature> Signatures(
    const ProtocolLines &lines, const std::optional<std::string> &inspector)
{
    std::size_t start = lines.size();
    for (std::size_t i = lines.NextTag(0); i < lines.size(); i = lines.NextTag(i + 1)) {
        if (IsSignaturesStart(lines, i))
            start = i; // the last block signs the protocol
    }
    std::vector<Signature> judges;
    if (start == lines.size())
        return judges;
    for (std::size_t i = start; i < lines.size() && i < start + HeadingLinesAtMost; ++i) {
        const std::string_view line = lines[i];
        const std::size_t close = FindIgnoringAsciiCase(line, "</pre");
        if (Signature signature = SignatureOf(line.substr(0, close)); !signature.Role.empty())
            judges.push_back(std::move(signature));
        if (close != std::string_view::npos)
            break;
    }
    if (inspector) {
        const Signature named { std::string(texts::InspectorTitle),
            std::string(TrimLeadingBlanks(*inspector)) };
        const auto earlier = std::find_if(judges.begin(), judges.end(),
            [](const Signature &s) { return s.Role == texts::InspectorTitle; });
        const auto judge = std::find_if(judges.begin(), judges.end(),
            [](const Signature &s) { return s.Role.starts_with(texts::ChiefJudge); });
        if (earlier != judges.end())
            *earlier = named;
        else
            judges.insert(judge == judges.end() ? judges.begin() : judge + 1, named);
    }
    return judges;
}

QualificationList MakeQualificationList(const ProtocolLines &lines,
    const std::vector<GroupSettings> &groups, const EarnedQualifications &earned,
    const std::optional<std::string> &inspector, char decimalSeparator)
{
    QualificationList list;
    list.Heading = CompetitionHeading(lines);
    list.Judges = Signatures(lines, inspector);
    const auto nameOf = [&](std::size_t group) {
        return group < groups.size() ? groups[group].Name : std::string();
    };
    // A group's counts go to the row of its first counted table.
    constexpr std::size_t NoRow = std::numeric_limits<std::size_t>::max();
    std::vector<std::size_t> rowOf(groups.size(), NoRow);
    for (const RankedGroup &ranked : earned.Groups) {
        if (ranked.Group < rowOf.size() && rowOf[ranked.Group] != NoRow)
            continue;
        if (ranked.Group < rowOf.size())
            rowOf[ranked.Group] = list.Groups.size();
        ListGroup row;
        row.Name = nameOf(ranked.Group);
        row.ClassLabel = std::string(TrimBlanks(LabelOf(ranked.Class)));
        if (ranked.Rank > 0)
            row.RankText
                = std::string(TrimBlanks(FormatFixed(ranked.Rank, 3, 1, decimalSeparator)));
        list.Groups.push_back(std::move(row));
    }

    list.Athletes = earned.Athletes;
    // Highest qualification first, then the groups in protocol order, then by place (out of
    // competition last); athletes sharing a place stay in the protocol's order.
    std::stable_sort(list.Athletes.begin(), list.Athletes.end(),
        [](const EarnedQualification &a, const EarnedQualification &b) {
            const auto key = [](const EarnedQualification &e) {
                return std::tuple(
                    IndexOf(e.Met), e.Group, !e.Place.has_value(), e.Place.value_or(0));
            };
            return key(a) < key(b);
        });
    for (const EarnedQualification &athlete : list.Athletes) {
        list.AthleteGroups.push_back(nameOf(athlete.Group));
        const auto column
            = std::find(ListedQualifications.begin(), ListedQualifications.end(), athlete.Met);
        if (column == ListedQualifications.end())
            continue;
        const auto k = static_cast<std::size_t>(column - ListedQualifications.begin());
        ++list.Totals[k];
        ++list.Total;
        if (athlete.Group < rowOf.size() && rowOf[athlete.Group] < list.Groups.size()) {
            ListGroup &row = list.Groups[rowOf[athlete.Group]];
            ++row.Counts[k];
            ++row.Total;
        }
    }
    return list;
}

std::optional<ListFormat> ListFormatOf(std::string_view fileName)
{
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    const std::string_view extension = fileName.substr(dot + 1);
    if (EqualsIgnoringAsciiCase(extension, "csv"))
        return ListFormat::Csv;
    if (EqualsIgnoringAsciiCase(extension, "htm") || EqualsIgnoringAsciiCase(extension, "html"))
        return ListFormat::Html;
    return std::nullopt;
}

} // namespace engine
