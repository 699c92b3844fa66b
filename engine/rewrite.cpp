#include "engine/rewrite.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

#include "engine/award.h"
#include "engine/line_layout.h"
#include "engine/messages.h"
#include "engine/numbers.h"
#include "engine/recognizers.h"
#include "engine/table_layout.h"
#include "engine/team_points.h"
#include "engine/text.h"

namespace engine {

namespace {

    using namespace texts;

    // Why a run stops, in the words users of the program have always seen.
    constexpr std::string_view DivisionByZero = "Floating point division by zero";
    constexpr std::string_view InvalidOperation = "Invalid floating point operation";
    constexpr int MaxRatingPoints = 9999;
    constexpr std::string_view NotAFloatSuffix = "' is not a valid floating point value";

    bool StartsWith(std::string_view line, std::string_view prefix)
    {
        return line.starts_with(prefix);
    }

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

    // Where the award's title goes in a header whose place title is wider than the places: a
    // title word the column would cut moves left over the blanks before it, so that the titles
    // stand over their values; where the blanks are too few, the title goes after the word.
    std::size_t TitleColumn(std::string &header, std::size_t column)
    {
        const std::size_t at = column - 1;
        if (at == 0 || at >= header.size() || header[at - 1] == ' ' || header[at] == ' ')
            return column;
        const std::size_t start = header.find_last_of(' ', at) + 1; // npos + 1 is 0
        const std::size_t end = std::min(header.find(' ', at), header.size());
        const std::size_t shift = end - (at - 1);
        if (start > shift && header.find_first_not_of(' ', start - shift - 1) == start) {
            const std::string word = header.substr(start, end - start);
            header.replace(start - shift, word.size() + shift, word + std::string(shift, ' '));
            return column;
        }
        return end + 2;
    }

    // The rule under a header: eleven hyphens and more, or a line of hyphens only (the rule an
    // earlier run wrote is as long as its header, which may be short).
    bool IsHeaderRule(std::string_view line)
    {
        return line.starts_with(HeaderRule)
            || (!line.empty() && line.find_first_not_of('-') == std::string_view::npos);
    }

    // Where a header rewritten before holds "Вып  " and a "Oчки " per points column (the last
    // one's blanks trimmed at the header's end), how many bytes of the header they take, and how
    // many bytes the fields under them take in the lines; none for a header that holds none.
    struct EarlierFields
    {
        std::size_t At = 0;
        std::size_t TitlesWidth = 0;
        std::size_t FieldsWidth = 0;
    };
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
        const std::size_t at = header.rfind(TrimBlanks(AwardTitle));
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
            const std::size_t award = TitleColumn(header, layout.AwardColumn);
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
        // Results programs pad the time column's title; the blanks at 68 go so that the
        // title lines up with the times.
        if (header.size() >= SqueezeColumn && header[SqueezeColumn - 1] == ' ') {
            const std::size_t nonBlank = header.find_first_not_of(' ', SqueezeColumn - 1);
            if (nonBlank == std::string::npos)
                header.resize(SqueezeColumn - 1);
            else
                header.erase(SqueezeColumn - 1, nonBlank - (SqueezeColumn - 1));
        }
        InsertAt(header, AwardColumn, AwardTitle);
        if (options.RatingPoints)
            InsertAt(header, PointsColumn + 1, PointsTitle);
        if (group.PointsTable > 0)
            InsertAt(header, PointsColumn + 1, PointsTitle);
        const std::size_t end = header.find_last_not_of(' ');
        header.resize(end == std::string::npos ? 0 : end + 1);
        return header;
    }

    // What the recognizers say of a result line; the inserted fields (from 84 on) and the
    // qualification label change none of it, so it is read once per line.
    struct LineFacts
    {
        explicit LineFacts(std::string_view line)
            : result(IsResultLine(line))
            , outOfCompetition(IsOutOfCompetition(line))
            , place(PlaceNumberOf(line))
            , seconds(SecondsOf(line))
        {
        }
        LineFacts(std::string_view line, const TableLayout &layout)
            : result(layout.Fixed && IsResultLine(line))
            , outOfCompetition(IsOutOfCompetition(line, layout))
            , place(PlaceNumberOf(line, layout))
            , seconds(SecondsOf(line, layout))
        {
            // In another layout a result line is one whose time reads.
            result = result || (!layout.Fixed && seconds.has_value());
        }
        bool result;
        bool outOfCompetition;
        std::optional<int> place; // none when unreadable or out of competition
        std::optional<int> seconds;
    };

    // The rating points of a line, none for a line without a place; or why the run stops, in
    // the words users have always seen (the walk names the line).
    Result<std::optional<int>> RatingPointsOf(
        const LineFacts &facts, const RankResult &rank, double k1, double k2)
    {
        if (!facts.result || !facts.place || *facts.place <= 0)
            return std::optional<int>();
        // A result line has both colons, but its digits may still not convert.
        const int seconds = facts.seconds.value_or(-1);
        if (seconds == 0)
            return Failure { 0, std::string(DivisionByZero) };
        const double value = std::nearbyint((rank.FirstSeconds * k2 / seconds - 1.0) * k1);
        if (value > std::numeric_limits<int>::max())
            return Failure { 0, std::string(InvalidOperation) };
        // Five bytes hold 9999 and a blank before it: a wider number would run into the team
        // points, and neither column would read again.
        if (value > MaxRatingPoints)
            return Failure { 0, "rating points " + FormatPadded(static_cast<int>(value), 0)
                    + " do not fit their column (at most " + std::to_string(MaxRatingPoints)
                    + "): check the \"К=\" values and the times" };
        // A result that is not a number (infinite factors cancelling out) gives nothing.
        return std::optional<int>(std::isnan(value) || value < 0 ? 0 : static_cast<int>(value));
    }

    // Lines first..end of the protocol, for a range-for.
    struct LineRange
    {
        ProtocolLines::const_iterator first;
        ProtocolLines::const_iterator last;
        ProtocolLines::const_iterator begin() const { return first; }
        ProtocolLines::const_iterator end() const { return last; }
    };

    // Where the walk's lines go: into a list, taking the rewritten lines over without a copy,
    // or to a sink.
    struct LinesOutput
    {
        std::vector<ProtocolLine> &lines;
        void operator()(std::string_view line) const { lines.emplace_back(line); }
    };

    struct SinkOutput
    {
        const LineSink &sink;
        void operator()(std::string_view line) const { sink(line); }
    };

    struct BytesOutput
    {
        std::string &bytes;
        std::size_t &lines;
        void operator()(std::string_view line) const
        {
            AppendLine(bytes, line);
            ++lines;
        }
        // Room for a line of `size` bytes at the end, its line break already written after it.
        char *Room(std::size_t size) const
        {
            const std::size_t at = bytes.size();
            bytes.resize(at + size + LineBreak.size());
            std::copy(LineBreak.begin(), LineBreak.end(), bytes.data() + at + size);
            ++lines;
            return bytes.data() + at;
        }
    };

    // No lines at all: the walk only finds out whether the rewrite would fail, doing no more of
    // each line's work than that takes.
    struct CheckOnly
    {
        void operator()(std::string_view) const { }
    };

    template <typename Output> class ProtocolWalk
    {
    public:
        ProtocolWalk(const ProtocolLines &lines,
            const std::vector<GroupSettings> &groups, const ProcessOptions &options,
            const TeamPointsSource &points, const RewriteRun &run, Output out)
            : m_lines(lines)
            , m_groups(groups)
            , m_options(options)
            , m_points(points)
            , m_k1(run.K1)
            , m_k2(run.K2)
            , m_out(out)
        {
        }

        void Run(const std::optional<std::string> &inspector, const ProtocolPart &part)
        {
            std::size_t i = part.First;
            m_headingsCounted = part.First;
            m_headings = part.HeadingsAbove;
            const std::size_t end = std::min(part.End, m_lines.size());
            bool afterSignatures = false;
            while (i < end && !m_failure) {
                if (!afterSignatures && IsSignaturesStart(m_lines, i)) {
                    i = CopySignatures(i, inspector);
                    afterSignatures = true;
                    continue;
                }
                afterSignatures = false;
                if (!StartsTable(m_lines, i)) {
                    m_out(m_lines[i]);
                    ++i;
                    continue;
                }
                i = RewriteTable(i);
            }
        }

        // What stopped the run, naming its protocol line; none when it went through.
        const std::optional<Failure> &Failed() const { return m_failure; }

    private:
        // Returns the index of the line after the signatures.
        std::size_t CopySignatures(std::size_t i, const std::optional<std::string> &inspector)
        {
            m_out(m_lines[i]);
            if (i + 1 >= m_lines.size())
                return m_lines.size();
            const std::string_view judge = m_lines[i + 1];
            if (!inspector) {
                m_out(judge);
                return i + 2;
            }
            // The closing tag moves below the inspector's line; a block laid out over more lines
            // keeps the chief judge's line whole. A protocol rewritten before names an inspector
            // already: that line gives way to the new one, and so does its closing tag.
            const bool judgeCloses = judge.ends_with(PreClose);
            const bool earlier = i + 2 < m_lines.size() && m_lines[i + 2].starts_with(InspectorTitle);
            m_out(judgeCloses ? judge.substr(0, judge.size() - PreClose.size()) : judge);
            std::string name = *inspector;
            if (judgeCloses || (earlier && m_lines[i + 2].ends_with(PreClose)))
                name += PreClose;
            m_out(std::string(InspectorTitle) + std::string(InspectorTitlePadding, ' ')
                + std::string(TrimLeadingBlanks(name)));
            return earlier ? i + 3 : i + 2;
        }

        // The group of the latest heading above line i, or none.
        const GroupSettings *GroupOfTable(std::size_t i)
        {
            for (; m_headingsCounted < i; ++m_headingsCounted) {
                if (m_lines.HoldsHeading(m_headingsCounted))
                    ++m_headings;
            }
            if (m_headings == 0 || m_headings > m_groups.size())
                return nullptr;
            return &m_groups[m_headings - 1];
        }

        // Copies lines from..(closing line) unchanged; returns the index after them.
        std::size_t CopyBlock(std::size_t from)
        {
            std::size_t i = from;
            for (; i < m_lines.size(); ++i) {
                m_out(m_lines[i]);
                if (EndsTable(m_lines, i))
                    return i + 1;
            }
            return i;
        }

        // Line i starts a table. Returns the index of the next line to walk.
        std::size_t RewriteTable(std::size_t i)
        {
            const GroupSettings *found = GroupOfTable(i);
            if (!found)
                return CopyBlock(i);
            // Settings from a script may be out of range; the tables must never be read past.
            GroupSettings settings = *found;
            settings.DistanceClass = static_cast<DistanceClass>(std::clamp(
                static_cast<int>(settings.DistanceClass), 0, DistanceClassCount - 1));
            m_shape = found->Table && found->TableLine == i ? *found->Table : FindTableShape(m_lines, i);
            if (!m_shape.Layout.Rewritten())
                return CopyBlock(i); // a relay or a table not mapped: never mangled
            const TableLayout &layout = m_shape.Layout;
            std::size_t first = m_shape.HasTitle() ? std::max(i + 1, m_shape.Title + m_shape.TitleLines) : i + 1;
            while (first < m_lines.size() && !EndsTable(m_lines, first)
                && !IsResultLine(ShownText(first), layout))
                ++first;
            if (first == m_lines.size() || EndsTable(m_lines, first))
                return CopyBlock(i);

            std::size_t end = first;
            while (end < m_lines.size() && !EndsResults(end))
                ++end;
            TakeOutEarlierFields(first, end);

            if constexpr (std::is_same_v<Output, CheckOnly>)
                CheckResults(first, end);
            else
                WriteResults(i, first, end, settings);

            // Summaries and standards of an earlier run are dropped and written anew. A table that
            // opens before this one closed starts afresh.
            while (end < m_lines.size() && !EndsTable(m_lines, end) && !StartsTable(m_lines, end))
                ++end;
            return end;
        }

        // A table rewritten before holds the award and points an earlier run inserted, after the
        // place, and their titles in its header: they are taken out, so that rewriting again
        // gives what rewriting once gave. A line whose bytes there are no award is left whole.
        void TakeOutEarlierFields(std::size_t first, std::size_t end)
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

        // Line i of the results as the rewrite reads it.
        std::string_view Raw(std::size_t i) const
        {
            return m_earlier != 0 && i >= m_first && i - m_first < m_stripped.size()
                ? std::string_view(m_stripped[i - m_first])
                : m_lines[i];
        }

        // The line as the table's columns count it: tags left out, entities one character.
        std::string_view ShownText(std::size_t i)
        {
            const std::string_view line = Raw(i);
            if (!m_lines.HoldsTag(i))
                return line;
            m_shown = Shown(line).Text;
            return m_shown;
        }

        // The lines between the table's "<pre>" and its first result, with the rebuilt header in
        // place of the title: a note or the distance's parameters above or below the title stays.
        void WriteTop(std::size_t pre, std::size_t first, const std::string &header)
        {
            std::size_t title = 0; // the line the header replaces
            std::size_t titleEnd = 0; // one past the lines it takes
            if (m_shape.HasTitle()) {
                title = m_shape.Title;
                titleEnd = title + m_shape.TitleLines;
            } else {
                // No title read: the line above the results is taken for it, as it always was.
                title = first - 1;
                if (title > pre && IsHeaderRule(m_lines[title]))
                    --title;
                titleEnd = first;
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
                m_out(rule);
                m_out(header);
                m_out(rule);
            };
            const std::string_view preLine = m_lines[pre];
            if (title == pre && m_shape.TitleOnPreLine)
                m_out(preLine.substr(0, AfterPreOpen(preLine)));
            else
                m_out(preLine);
            if (title == pre)
                writeHeader();
            for (std::size_t k = pre + 1; k < first; ++k) {
                if (k == title)
                    writeHeader();
                if ((k < title || k >= titleEnd) && !ownRule(k))
                    m_out(m_lines[k]);
            }
        }

        // The title the header is rebuilt from.
        std::string HeaderText(std::size_t first) const
        {
            if (!m_shape.HasTitle())
                return HeaderSource(first);
            const std::string_view line = m_lines[m_shape.Title];
            return std::string(m_shape.TitleOnPreLine ? line.substr(AfterPreOpen(line)) : line);
        }

        // The result lines first..end rewritten, between the new header and the summary.
        void WriteResults(std::size_t pre, std::size_t first, std::size_t end, const GroupSettings &group)
        {
            const TableLayout &layout = m_shape.Layout;
            const std::string header = RebuildHeader(HeaderText(first), m_options, group, layout);
            const std::string rule(header.size(), '-');
            WriteTop(pre, first, header);

            const RankResult rank = RankOf(first, end);
            const TimeStandards standards(rank.WinnerSeconds, rank.CompetitionRank);
            TeamPointsColumn team(m_points, group.PointsTable);
            for (m_current = first; m_current < end && !m_failure; ++m_current) {
                if (!m_lines.HoldsTag(m_current) && layout.PaddedLength() <= m_line.size())
                    WriteResultLine(Raw(m_current), rank, standards, group, team);
                else
                    WriteShownLine(Raw(m_current), rank, standards, group, team);
            }
            if (m_failure)
                return;
            m_out(rule);
            for (const std::string &line : SummaryLines(rank, group, m_options.DecimalSeparator))
                m_out(line);
        }

        // Only the rating points can fail a run; the rest of each line's work is left out.
        void CheckResults(std::size_t first, std::size_t end)
        {
            if (!m_options.RatingPoints)
                return;
            const RankResult rank = RankOf(first, end);
            const TableLayout &layout = m_shape.Layout;
            for (m_current = first; m_current < end && !m_failure; ++m_current) {
                const std::string_view line = ShownText(m_current);
                RatingPointsField(LineFacts(line.size() >= layout.PaddedLength() || line.size() > m_line.size()
                                          ? line
                                          : Padded(line, layout.PaddedLength()),
                                      layout),
                    rank);
            }
        }

        // Also notes whether any line of the results holds markup, which the fast paths do not
        // read.
        RankResult RankOf(std::size_t first, std::size_t end)
        {
            m_markup = false;
            for (std::size_t k = m_lines.NextTag(first); k < end && !m_markup; k = m_lines.NextTag(k + 1))
                m_markup = true;
            const TableLayout &layout = m_shape.Layout;
            const bool countOut = m_options.CountOutOfCompetition;
            const bool excludeForeign = m_options.ExcludeForeign;
            if (!m_markup && m_earlier == 0) {
                const LineRange results { m_lines.begin() + static_cast<std::ptrdiff_t>(first),
                    m_lines.begin() + static_cast<std::ptrdiff_t>(end) };
                return ComputeRank(results, countOut, excludeForeign, layout);
            }
            std::vector<std::string> shown;
            shown.reserve(end - first);
            for (std::size_t k = first; k < end; ++k)
                shown.emplace_back(ShownText(k));
            return ComputeRank(shown, countOut, excludeForeign, layout);
        }

        // The rating points' five-byte field of the line being rewritten; none when its points
        // stop the run, which then names this line.
        std::optional<std::string_view> RatingPointsField(const LineFacts &facts, const RankResult &rank)
        {
            const Result<std::optional<int>> points = RatingPointsOf(facts, rank, m_k1, m_k2);
            if (!points) {
                m_failure = Failure { m_current + 1, points.Error().Reason };
                return std::nullopt;
            }
            return points.Value() ? FormatPadded(*points.Value(), 5, m_number) : NoPoints;
        }

        // The line padded with blanks to `length` (the table's padded length, at most m_line's),
        // as the rewrite reads it: a line that long already is read where it stands, a shorter
        // one is padded in m_line.
        std::string_view Padded(std::string_view input, std::size_t length)
        {
            if (input.size() >= length)
                return input;
            std::fill(std::copy(input.begin(), input.end(), m_line.begin()), m_line.begin() + length, ' ');
            return { m_line.data(), length };
        }

        bool EndsResults(std::size_t i) const
        {
            const std::string_view line = m_lines[i];
            return StartsWith(line, OldClassLine) || StartsWith(line, OldRankLine)
                || EndsTable(m_lines, i) || StartsWith(line, ResultsRule) || StartsTable(m_lines, i);
        }

        std::string HeaderSource(std::size_t first) const
        {
            if (first < 1)
                return {};
            if (!IsHeaderRule(m_lines[first - 1]))
                return std::string(m_lines[first - 1]);
            return first >= 2 ? std::string(m_lines[first - 2]) : std::string();
        }

        // The line is made where it goes (at the end of the output bytes, or in one buffer kept
        // for the whole run), sized once and filled by plain copies: no allocation, and no
        // string operation per field. The qualification's label replaces its field; the award
        // label goes in at 84 and the points fields (five bytes, or more for a long number)
        // before its last byte, the label's trailing blank, team points first.
        void WriteResultLine(std::string_view input, const RankResult &rank,
            const TimeStandards &standards, const GroupSettings &group, TeamPointsColumn &team)
        {
            static_assert(NotAwardedLabel.size() == 5);
            static_assert(std::ranges::all_of(QualificationLabels,
                [](std::string_view label) { return label.size() == QualificationField.Size(); }));
            const TableLayout &layout = m_shape.Layout;
            const std::string_view line = Padded(input, layout.PaddedLength());
            const bool foreign = m_options.ExcludeForeign && HasForeignCode(line, layout);
            // Read before the label goes in, which changes nothing they read.
            const LineFacts facts(line, layout);
            const std::string_view award = LabelOf(AwardedQualification(
                { facts.result, facts.outOfCompetition, foreign, facts.place, facts.seconds }, rank,
                standards, group));
            const bool personal = facts.result && facts.place && *facts.place > 0
                && group.PointsTable > 0 && IsPersonal(input, layout);
            const std::string_view teamField = group.PointsTable > 0
                ? team.Field(personal, facts.result, facts.place)
                : std::string_view();
            std::string_view ratingField;
            if (m_options.RatingPoints) {
                const std::optional<std::string_view> field = RatingPointsField(facts, rank);
                if (!field)
                    return; // the run stops before this line
                ratingField = *field;
            }

            const std::string_view head = line.substr(0, layout.AwardColumn - 1);
            const std::string_view tail = line.substr(layout.AwardColumn - 1);
            const std::size_t size
                = head.size() + 4 + teamField.size() + ratingField.size() + 1 + tail.size();
            char *const out = LineRoom(size);
            char *to = std::copy(head.begin(), head.end(), out);
            // Every label has the code's five bytes; a narrower field takes its first ones.
            const Field code = layout.Qualification;
            const std::size_t codeSize = std::min(code.Size(), QualificationField.Size());
            if (!foreign && Has(code) && code.Offset() + codeSize <= head.size()) {
                const std::string_view label = LabelOf(QualificationOf(line, layout));
                std::copy_n(label.begin(), codeSize, out + code.Offset());
            }
            to = std::copy_n(award.data(), 4, to);
            to = std::copy(teamField.begin(), teamField.end(), to);
            to = std::copy(ratingField.begin(), ratingField.end(), to);
            *to++ = award[4];
            std::copy(tail.begin(), tail.end(), to);
            if constexpr (!std::is_same_v<Output, BytesOutput>)
                m_out(m_built);
        }

        // The general form of WriteResultLine, for a table in another layout or a line with
        // markup: the line is read as shown, and its bytes changed where the shown columns fall.
        void WriteShownLine(std::string_view input, const RankResult &rank,
            const TimeStandards &standards, const GroupSettings &group, TeamPointsColumn &team)
        {
            const TableLayout &layout = m_shape.Layout;
            const bool markup = HoldsMarkup(input);
            ShownLine shown = markup ? Shown(input) : ShownLine { std::string(input), {} };
            std::string text = std::move(shown.Text);
            std::string out(input);
            const std::size_t shownLength = text.size();
            if (text.size() < layout.PaddedLength()) {
                out.append(layout.PaddedLength() - text.size(), ' ');
                text.resize(layout.PaddedLength(), ' ');
            }
            // Where the shown column's bytes start; past the shown text, in the padding.
            const auto bytesAt = [&](std::size_t column) {
                if (!markup)
                    return column - 1;
                return column - 1 < shownLength ? shown.Offsets[column - 1]
                                                : input.size() + (column - 1 - shownLength);
            };
            const bool foreign = m_options.ExcludeForeign && HasForeignCode(text, layout);
            const LineFacts facts(text, layout);
            const std::string_view award = LabelOf(AwardedQualification(
                { facts.result, facts.outOfCompetition, foreign, facts.place, facts.seconds }, rank,
                standards, group));
            const bool personal = facts.result && facts.place && *facts.place > 0
                && IsPersonal(text, layout);
            const std::string teamField = group.PointsTable > 0
                ? std::string(team.Field(personal, facts.result, facts.place))
                : std::string();
            std::string_view ratingField;
            if (m_options.RatingPoints) {
                const std::optional<std::string_view> field = RatingPointsField(facts, rank);
                if (!field)
                    return; // the run stops before this line
                ratingField = *field;
            }
            if (!foreign && Has(layout.Qualification)) {
                const Field code = layout.Qualification;
                const std::size_t size = std::min(code.Size(), QualificationField.Size());
                const std::size_t from = bytesAt(code.First);
                // Only a field before the award's column, whose bytes are its letters.
                if (code.First + size <= layout.AwardColumn && bytesAt(code.First + size) - from == size
                    && from + size <= out.size())
                    out.replace(from, size, LabelOf(QualificationOf(text, layout)).substr(0, size));
            }
            std::string fields(award.substr(0, 4));
            fields += teamField;
            fields += ratingField;
            fields += award[4];
            out.insert(bytesAt(layout.AwardColumn), fields);
            m_out(out);
        }

        // Where a line of `size` bytes is made: at the end of the output when that is bytes, so
        // that it is not copied again.
        char *LineRoom(std::size_t size)
        {
            if constexpr (std::is_same_v<Output, BytesOutput>) {
                return m_out.Room(size);
            } else {
                m_built.resize(size);
                return m_built.data();
            }
        }

        const ProtocolLines &m_lines;
        const std::vector<GroupSettings> &m_groups;
        const ProcessOptions &m_options;
        const TeamPointsSource &m_points;
        double m_k1;
        double m_k2;
        Output m_out;
        std::size_t m_headingsCounted = 0; // lines looked at for headings
        std::size_t m_current = 0;         // the result line being rewritten
        std::optional<Failure> m_failure;  // what stopped the run
        std::size_t m_headings = 0;
        std::array<char, 256> m_line {}; // a short result line, padded
        std::string m_built; // the line rewritten, where the output is not bytes
        std::array<char, 16> m_number {}; // the rating points' field
        TableShape m_shape; // the table being rewritten
        bool m_markup = false; // a line of its results holds a tag or an entity
        std::string m_shown; // a line as shown, for ShownText
        std::size_t m_earlier = 0; // the width of the fields an earlier run inserted, or 0
        std::size_t m_first = 0; // the first result line, where m_stripped starts
        std::vector<std::string> m_stripped; // the results without them
    };

} // namespace

namespace {

    template <typename Output>
    Status Walk(const ProtocolLines &protocolLines, const std::vector<GroupSettings> &groups,
        const ProcessOptions &options, const TeamPointsSource &points, const RewriteRun &run,
        const ProtocolPart &part, Output out)
    {
        ProtocolWalk<Output> walk(protocolLines, groups, options, points, run, out);
        walk.Run(run.Inspector, part);
        if (walk.Failed())
            return *walk.Failed();
        return Success();
    }

    template <typename Output>
    RewriteResult Rewrite(const ProtocolLines &protocolLines,
        const std::vector<GroupSettings> &groups, const ProcessOptions &options,
        const TeamPointsSource &points, const InspectorRequest &askInspector, Output out)
    {
        RewriteRun run;
        RewriteResult result = PrepareRewrite(groups, options, askInspector, run);
        if (result.Ok())
            result.Outcome
                = Walk(protocolLines, groups, options, points, run, { 0, protocolLines.size(), 0 }, out);
        return result;
    }

} // namespace

RewriteResult PrepareRewrite(const std::vector<GroupSettings> &groups,
    const ProcessOptions &options, const InspectorRequest &askInspector, RewriteRun &run)
{
    RewriteResult result;
    if (options.RatingPoints) {
        for (const auto &[text, value] :
            { std::pair { &options.K1Text, &run.K1 }, std::pair { &options.K2Text, &run.K2 } }) {
            const auto parsed = ParseFloat(*text, options.DecimalSeparator);
            if (!parsed) {
                result.Outcome = Failure { 0, "'" + *text + std::string(NotAFloatSuffix) };
                return result;
            }
            *value = *parsed;
        }
    }
    run.Inspector.reset();
    if (InspectorNeeded(groups)) {
        run.Inspector = askInspector ? askInspector() : std::nullopt;
        result.Cancelled = !run.Inspector;
    }
    return result;
}

std::vector<ProtocolPart> ProtocolParts(const ProtocolLines &lines, std::size_t bytes)
{
    std::vector<ProtocolPart> parts;
    ProtocolPart part;
    std::size_t headings = 0;
    std::size_t partStart = 0; // where the part's bytes begin
    // Only closing tags are read (lines with a '<', once the part is large enough); headings are
    // counted from what the splitting noted.
    for (std::size_t i = lines.NextTag(0); i < lines.size(); i = lines.NextTag(i + 1)) {
        if (lines.HoldsHeading(i))
            ++headings;
        // After a closing tag the walk starts afresh, unless the tag is the chief judge's line,
        // which goes with the signatures block above it.
        if (lines.EndOffset(i) + 1 - partStart >= bytes && EndsTable(lines[i])
            && !(i > 0 && IsSignaturesStart(lines, i - 1))) {
            part.End = i + 1;
            parts.push_back(part);
            part = { i + 1, 0, headings };
            partStart = lines.EndOffset(i) + 1;
        }
    }
    if (part.First < lines.size() || parts.empty()) {
        part.End = lines.size();
        parts.push_back(part);
    }
    return parts;
}

Status RewritePart(const ProtocolLines &protocolLines,
    const std::vector<GroupSettings> &groups, const ProcessOptions &options,
    const TeamPointsSource &points, const RewriteRun &run, const ProtocolPart &part,
    const LineSink &sink)
{
    return Walk(protocolLines, groups, options, points, run, part, SinkOutput { sink });
}

Status RewritePartInto(const ProtocolLines &protocolLines,
    const std::vector<GroupSettings> &groups, const ProcessOptions &options,
    const TeamPointsSource &points, const RewriteRun &run, const ProtocolPart &part,
    std::string &bytes, std::size_t &lines)
{
    return Walk(protocolLines, groups, options, points, run, part, BytesOutput { bytes, lines });
}

Status CheckPart(const ProtocolLines &protocolLines,
    const std::vector<GroupSettings> &groups, const ProcessOptions &options,
    const TeamPointsSource &points, const RewriteRun &run, const ProtocolPart &part)
{
    return Walk(protocolLines, groups, options, points, run, part, CheckOnly {});
}

RewriteResult RewriteProtocolTo(const ProtocolLines &protocolLines,
    const std::vector<GroupSettings> &groups, const ProcessOptions &options,
    const TeamPointsSource &points, const InspectorRequest &askInspector, const LineSink &sink)
{
    return Rewrite(protocolLines, groups, options, points, askInspector, SinkOutput { sink });
}

OutputSize OutputSizeBound(const ProtocolLines &protocolLines)
{
    // A result line grows to PaddedLength and by three five-byte fields; a table gets four
    // header lines (each at most the longest line and its fields) and at most twelve summary
    // lines; the inspector adds one line.
    constexpr std::size_t Fields = 3 * 5;
    constexpr std::size_t SummaryBytes = 12 * 128;
    std::size_t input = 0;
    std::size_t bound = 0;
    std::size_t longest = 0;
    std::size_t tables = 0;
    for (const std::string_view line : protocolLines) {
        input += line.size();
        // Tables in other layouts pad their lines further than today's 86 bytes.
        bound += std::max(line.size(), PaddedLength + 32) + Fields;
        longest = std::max(longest, line.size());
        tables += StartsTable(line) ? 1 : 0;
    }
    bound += tables * (4 * (longest + Fields) + SummaryBytes) + 4096;
    // A protocol of many tables and one very long line would reserve far more than it needs.
    const std::size_t cap = 3 * input + (std::size_t { 1 } << 20);
    return { std::min(bound, cap), protocolLines.size() + tables * 16 + 16 };
}

RewriteResult RewriteProtocol(const ProtocolLines &protocolLines,
    const std::vector<GroupSettings> &groups, const ProcessOptions &options,
    const TeamPointsSource &points, const InspectorRequest &askInspector)
{
    std::vector<ProtocolLine> lines;
    lines.reserve(protocolLines.size() + 16);
    RewriteResult result
        = Rewrite(protocolLines, groups, options, points, askInspector, LinesOutput { lines });
    if (!result.Cancelled)
        result.Lines = std::move(lines);
    return result;
}

} // namespace engine
