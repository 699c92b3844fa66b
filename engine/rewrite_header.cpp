// The header a table gets, and the fields and titles an earlier run inserted taken out.
#include <algorithm>

#include "engine/messages.h"
#include "engine/recognizers.h"
#include "engine/rewrite_walk.h"
#include "engine/text.h"

namespace engine::rewriting {

using namespace texts;

namespace {

    // Inserts at a 1-based position; past the end it appends.
    void InsertAt(std::string &text, std::size_t position, std::string_view what)
    {
        text.insert(std::min(position - 1, text.size()), what);
    }

    void RemoveAllIgnoreCase(std::string &text, std::string_view tag)
    {
        std::string out;
        out.reserve(text.size());
        std::size_t i = 0;
        while (i < text.size()) {
            if (EqualsIgnoringAsciiCase(std::string_view(text).substr(i, tag.size()), tag))
                i += tag.size();
            else
                out.push_back(text[i++]);
        }
        text = std::move(out);
    }

    // Where the award's title goes, at `column` where the lines have the award. A title word the
    // column would cut or follow without a blank moves left over the blanks before it (a place
    // title wider than the places), so that the titles stand over their values; where the
    // blanks are too few, the title goes after the word. A word that starts past the places
    // (the remarks' title) moves right with its values instead: the award's title goes before
    // it.
    std::size_t TitleColumn(std::string &header, std::size_t column, std::size_t placeEnd)
    {
        const std::size_t at = column - 1;
        if (at > header.size())
            header.resize(at, ' '); // a short header: the title goes after a blank
        if (at == 0 || header[at - 1] == ' ')
            return column;
        const std::size_t start = header.find_last_of(' ', at - 1) + 1; // npos + 1 is 0
        if (start >= placeEnd)
            return start + 1;
        const std::size_t end = std::min(header.find(' ', at), header.size());
        const std::size_t shift = end - (at - 1);
        if (start > shift && header.find_first_not_of(' ', start - shift - 1) == start) {
            const std::string word = header.substr(start, end - start);
            header.replace(start - shift, word.size() + shift, word + std::string(shift, ' '));
            return column;
        }
        return end + 2;
    }

} // namespace

// The rule under a header: eleven hyphens and more, or a line of hyphens only (the rule an
// earlier run wrote is as long as its header, which may be short).
bool IsHeaderRule(std::string_view line)
{
    return line.starts_with(HeaderRule)
        || (!line.empty() && line.find_first_not_of('-') == std::string_view::npos);
}

namespace {

    // The last place `word` stands in `text`. By hand, as the standard library's rfind compares
    // the whole word at every position, and each table's header is searched twice.
    std::size_t FindLast(std::string_view text, std::string_view word)
    {
        if (word.empty() || word.size() > text.size())
            return word.empty() ? text.size() : std::string_view::npos;
        for (std::size_t at = text.size() - word.size() + 1; at-- > 0;) {
            if (text[at] == word[0] && text.substr(at, word.size()) == word)
                return at;
        }
        return std::string_view::npos;
    }

} // namespace

// Where a header rewritten before holds "Вып  " and a "Oчки " per points column (the last
// one's blanks trimmed at the header's end), how many bytes of the header they take, and how
// many bytes the fields under them take in the lines; none for a header that holds none.
EarlierFields EarlierTitles(std::string_view header)
{
    // A title of five bytes, or its first at the header's end.
    const auto titleAt = [&](std::size_t at, std::string_view title) -> std::size_t {
        const std::string_view rest = header.substr(std::min(at, header.size()));
        if (rest.starts_with(title))
            return title.size();
        const std::string_view word = TrimBlanks(title);
        return rest == word ? word.size() : 0;
    };
    // The title may be glued to a short header it was appended to ("HВып").
    const std::size_t at = FindLast(header, TrimBlanks(AwardTitle));
    if (at == std::string_view::npos)
        return {};
    EarlierFields found { at, titleAt(at, AwardTitle), AwardTitle.size() };
    if (found.TitlesWidth == 0)
        return {};
    for (std::size_t more; found.TitlesWidth == found.FieldsWidth
         && (more = titleAt(at + found.TitlesWidth, PointsTitle)) != 0;) {
        found.TitlesWidth += more;
        found.FieldsWidth += PointsTitle.size();
    }
    return found;
}

std::string RebuildHeader(std::string header, const ProcessOptions &options,
    const GroupSettings &group, const TableLayout &layout)
{
    // The titles an earlier run inserted go, and are written anew.
    if (const EarlierFields earlier = EarlierTitles(header); earlier.TitlesWidth != 0)
        header.erase(earlier.At, earlier.TitlesWidth);
    if (!layout.Fixed) {
        // Titles go where the award and the points go in this table's lines.
        if (HoldsMarkup(header))
            header = Shown(header).Text;
        const std::size_t award = TitleColumn(header, layout.AwardColumn, layout.Place.Last);
        InsertAt(header, award, AwardTitle);
        if (options.RatingPoints)
            InsertAt(header, award + AwardTitle.size(), PointsTitle);
        if (group.PointsTable > 0)
            InsertAt(header, award + AwardTitle.size(), PointsTitle);
        const std::size_t end = header.find_last_not_of(' ');
        header.resize(end == std::string::npos ? 0 : end + 1);
        return header;
    }
    if (header.find('<') != std::string::npos) {
        for (const std::string_view tag : { "<u>", "</u>", "<b>", "</b>" })
            RemoveAllIgnoreCase(header, tag);
    }
    // "Результат&nbsp;Место": the columns are counted as the title shows, one character an
    // entity, or the titles would go in inside a word.
    if (header.find('&') != std::string::npos)
        header = Shown(header).Text;
    // Results programs pad the time column's title; the blanks at 68 go so that the
    // title lines up with the times.
    if (header.size() >= SqueezeColumn && header[SqueezeColumn - 1] == ' ') {
        const std::size_t nonBlank = header.find_first_not_of(' ', SqueezeColumn - 1);
        if (nonBlank == std::string::npos)
            header.resize(SqueezeColumn - 1);
        else
            header.erase(SqueezeColumn - 1, nonBlank - (SqueezeColumn - 1));
    }
    // A table without a title gets one of the new titles only, over their columns (the header
    // an earlier run gave it is blank once its titles are out).
    if (header.find_first_not_of(' ') == std::string::npos)
        header.assign(AwardColumn - 1, ' ');
    // The points' titles follow the award's, which a header ending short of its column gets
    // at its end ("…МестоВып"); at a fixed column they would go in inside it.
    const std::size_t award = std::min(AwardColumn, header.size() + 1);
    static_assert(PointsColumn + 1 == AwardColumn + AwardTitle.size());
    InsertAt(header, award, AwardTitle);
    if (options.RatingPoints)
        InsertAt(header, award + AwardTitle.size(), PointsTitle);
    if (group.PointsTable > 0)
        InsertAt(header, award + AwardTitle.size(), PointsTitle);
    const std::size_t end = header.find_last_not_of(' ');
    header.resize(end == std::string::npos ? 0 : end + 1);
    return header;
}

// A table rewritten before holds the award and points an earlier run inserted, after the
// place, and their titles in its header: they are taken out, so that rewriting again
// gives what rewriting once gave. A line whose bytes there are no award is left whole.
void ProtocolWalk::TakeOutEarlierFields(std::size_t first, std::size_t end)
{
    const std::string title = HeaderText(first);
    m_earlier = EarlierTitles(HoldsMarkup(title) ? Shown(title).Text : title).FieldsWidth;
    m_stripped.clear();
    if (m_earlier == 0)
        return;
    m_first = first;
    const std::size_t column = m_shape.Layout.AwardColumn;
    for (std::size_t k = first; k < end; ++k) {
        std::string line(m_lines[k]);
        const ShownLine shown = m_lines.HoldsTag(k) ? Shown(line) : ShownLine {};
        const std::size_t at = shown.Offsets.empty() ? column - 1
            : column - 1 < shown.Text.size()         ? shown.Offsets[column - 1]
                                                     : line.size();
        if (at + m_earlier <= line.size()) {
            const std::string label = line.substr(at, 4) + line[at + m_earlier - 1];
            if (std::find(QualificationLabels.begin(), QualificationLabels.end(), label)
                != QualificationLabels.end())
                line.erase(at, m_earlier);
        }
        m_stripped.push_back(std::move(line));
    }
}

// The lines between the table's "<pre>" and its first result, with the rebuilt header in
// place of the title: a note or the distance's parameters above or below the title stays.
void ProtocolWalk::WriteTop(std::size_t pre, std::size_t first, const std::string &header)
{
    std::size_t title = 0; // the line the header replaces
    std::size_t titleEnd = 0; // one past the lines it takes
    if (m_shape.HasTitle()) {
        title = m_shape.Title;
        titleEnd = title + m_shape.TitleLines;
    } else {
        // No title read: the line above the results is taken for it, as it always was, unless
        // there is none; the header then goes in below the "<pre>" and the lines stay.
        title = UntitledHeaderLine(pre, first);
        if (title == NoLine)
            title = pre;
        titleEnd = title + 1;
    }
    const auto isRule = [&](std::size_t k) {
        return StartsWith(m_lines[k], ResultsRule) || IsHeaderRule(m_lines[k]);
    };
    // The title's own rules: the one below it, and the one above when both are there (a
    // header an earlier run wrote).
    const std::size_t below = m_shape.HasTitle() ? titleEnd : title + 1;
    const bool ruleBelow = below < first && below > pre && isRule(below);
    const auto ownRule = [&](std::size_t k) {
        return (k == below && ruleBelow) || (k + 1 == title && ruleBelow && k > pre && isRule(k));
    };
    const std::string rule(header.size(), '-');
    const auto writeHeader = [&] {
        m_out.Line(rule);
        m_out.Line(header);
        m_out.Line(rule);
    };
    const std::string_view preLine = m_lines[pre];
    if (title == pre && m_shape.TitleOnPreLine)
        m_out.Line(preLine.substr(0, AfterPreOpen(preLine)));
    else
        m_out.Line(preLine);
    if (title == pre)
        writeHeader();
    for (std::size_t k = pre + 1; k < first; ++k) {
        if (k == title)
            writeHeader();
        if ((k < title || k >= titleEnd) && !ownRule(k))
            m_out.Line(m_lines[k]);
    }
}

// The title the header is rebuilt from.
std::string ProtocolWalk::HeaderText(std::size_t first) const
{
    if (!m_shape.HasTitle()) {
        const std::size_t title = UntitledHeaderLine(m_pre, first);
        return title == NoLine ? std::string() : std::string(m_lines[title]);
    }
    const std::string_view line = m_lines[m_shape.Title];
    return std::string(m_shape.TitleOnPreLine ? line.substr(AfterPreOpen(line)) : line);
}

// In a table without a title, the header an earlier run wrote stands for it, or else the line
// above the results (above their rule, when they have one); none when that is the "<pre>"
// itself, or an athlete's line whose time is a status ("DNF"): it holds a qualification's code
// or a year where the results do.
std::size_t ProtocolWalk::UntitledHeaderLine(std::size_t pre, std::size_t first) const
{
    for (std::size_t k = first; k-- > pre + 1;) {
        if (EarlierTitles(m_lines[k]).TitlesWidth != 0)
            return k;
    }
    std::size_t title = first - 1;
    if (title > pre && IsHeaderRule(m_lines[title]))
        --title;
    if (title <= pre)
        return NoLine;
    const std::string_view line = m_lines[title];
    const TableLayout &layout = m_shape.Layout;
    const std::string_view year = TrimBlanks(Take(line, layout.Year));
    const bool athlete = QualificationOf(line, layout) != Qualification::NoRank
        || (year.size() == 4 && std::all_of(year.begin(), year.end(), IsAsciiDigit));
    return athlete ? NoLine : title;
}

} // namespace engine::rewriting
