// The walk of the rewrite over the protocol: its tables, their results and their ranks (the entry
// points that run it are in rewrite_entry.cpp).
#include "engine/rewrite.h"

#include <algorithm>
#include <utility>

#include "engine/award.h"
#include "engine/messages.h"
#include "engine/numbers.h"
#include "engine/recognizers.h"
#include "engine/rewrite_walk.h"
#include "engine/table_title.h"
#include "engine/text.h"

namespace engine {

namespace rewriting {

    using namespace texts;

    // Lines first..end of the protocol, for a range-for.
    struct LineRange
    {
        ProtocolLines::const_iterator first;
        ProtocolLines::const_iterator last;
        ProtocolLines::const_iterator begin() const { return first; }
        ProtocolLines::const_iterator end() const { return last; }
    };

    bool StartsWith(std::string_view line, std::string_view prefix)
    {
        return line.starts_with(prefix);
    }

    ProtocolWalk::ProtocolWalk(const ProtocolLines &lines, const std::vector<GroupSettings> &groups,
        const ProcessOptions &options, const TeamPointsSource &points, const RewriteRun &run,
        WalkOutput &out, EarnedQualifications *earned)
        : m_lines(lines)
        , m_groups(groups)
        , m_options(options)
        , m_points(points)
        , m_k1(run.K1)
        , m_k2(run.K2)
        , m_out(out)
        , m_earned(earned)
    {
    }

    void ProtocolWalk::Run(const std::optional<std::string> &inspector, const ProtocolPart &part)
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
                m_out.Line(m_lines[i]);
                ++i;
                continue;
            }
            i = RewriteTable(i);
        }
    }

    // Returns the index of the line after the signatures.
    std::size_t ProtocolWalk::CopySignatures(
        std::size_t i, const std::optional<std::string> &inspector)
    {
        m_out.Line(m_lines[i]);
        if (i + 1 >= m_lines.size())
            return m_lines.size();
        const std::string_view judge = m_lines[i + 1];
        if (!inspector) {
            m_out.Line(judge);
            return i + 2;
        }
        // The closing tag moves below the inspector's line; a block laid out over more lines
        // keeps the chief judge's line whole. A protocol rewritten before names an inspector
        // already: that line gives way to the new one, and so does its closing tag.
        const bool judgeCloses = judge.ends_with(PreClose);
        const bool earlier = i + 2 < m_lines.size() && m_lines[i + 2].starts_with(InspectorTitle);
        m_out.Line(judgeCloses ? judge.substr(0, judge.size() - PreClose.size()) : judge);
        std::string name = *inspector;
        if (judgeCloses || (earlier && m_lines[i + 2].ends_with(PreClose)))
            name += PreClose;
        m_out.Line(std::string(InspectorTitle) + std::string(InspectorTitlePadding, ' ')
            + std::string(TrimLeadingBlanks(name)));
        return earlier ? i + 3 : i + 2;
    }

    // The group of the latest heading above line i, or none.
    const GroupSettings *ProtocolWalk::GroupOfTable(std::size_t i)
    {
        for (; m_headingsCounted < i; ++m_headingsCounted) {
            if (m_lines.HoldsHeading(m_headingsCounted))
                ++m_headings;
        }
        if (m_headings == 0 || m_headings > m_groups.size())
            return nullptr;
        return &m_groups[m_headings - 1];
    }

    // Copies lines from..(closing line) unchanged; returns the index after them. A table not
    // closed ends before the next group's heading.
    std::size_t ProtocolWalk::CopyBlock(std::size_t from)
    {
        std::size_t i = from;
        for (; i < m_lines.size(); ++i) {
            if (i > from && m_lines.HoldsHeading(i))
                return i;
            m_out.Line(m_lines[i]);
            if (EndsTable(m_lines, i))
                return i + 1;
        }
        return i;
    }

    // Line i starts a table. Returns the index of the next line to walk.
    std::size_t ProtocolWalk::RewriteTable(std::size_t i)
    {
        const GroupSettings *found = GroupOfTable(i);
        if (!found)
            return CopyBlock(i);
        m_group = static_cast<std::size_t>(found - m_groups.data());
        // Settings from a script may be out of range; the tables must never be read past.
        GroupSettings settings = *found;
        settings.DistanceClass = static_cast<DistanceClass>(
            std::clamp(static_cast<int>(settings.DistanceClass), 0, DistanceClassCount - 1));
        m_shape = ShapeOfTable(m_lines, i, found);
        m_pre = i;
        if (!m_shape.Layout.Rewritten())
            return CopyBlock(i); // a relay or a table not mapped: never mangled
        const TableLayout &layout = m_shape.Layout;
        if (m_earned)
            m_yearAt = YearTitleAt();
        std::size_t first
            = m_shape.HasTitle() ? std::max(i + 1, m_shape.Title + m_shape.TitleLines) : i + 1;
        while (first < m_lines.size() && !EndsTable(m_lines, first) && !m_lines.HoldsHeading(first)
            && !IsResultLine(ShownText(first), layout))
            ++first;
        if (first == m_lines.size() || EndsTable(m_lines, first) || m_lines.HoldsHeading(first))
            return CopyBlock(i);

        // A last line may close the table at its end: it is the results' last.
        std::size_t end = first;
        m_closedAt = NoLine;
        for (; end < m_lines.size() && !EndsResults(end); ++end) {
            if (m_lines.HoldsTag(end) && ClosingTagAtEnd(m_lines[end]) != std::string_view::npos) {
                m_closedAt = end++;
                break;
            }
        }
        TakeOutEarlierFields(first, end);

        if (m_out.ChecksOnly())
            CheckResults(first, end);
        else
            WriteResults(i, first, end, settings);

        if (m_closedAt != NoLine)
            return end;
        // Summaries and standards of an earlier run are dropped and written anew. A table that
        // opens before this one closed starts afresh, and a heading is never dropped.
        while (end < m_lines.size() && !LeavesTable(m_lines, end))
            ++end;
        return end;
    }

    // Where the table's title has the year's title ("ГР", "Г.р."), for a table read at today's
    // columns, which leave the year where its results program put it; none without one.
    Field ProtocolWalk::YearTitleAt() const
    {
        if (!m_shape.Layout.Fixed || !m_shape.HasTitle() || m_shape.Title >= m_lines.size())
            return NoField;
        std::string_view line = m_lines[m_shape.Title];
        if (m_shape.TitleOnPreLine)
            line.remove_prefix(std::min(line.size(), AfterPreOpen(line)));
        const std::vector<titles::TitleWord> words = titles::TitleWords(Shown(line).Text);
        const titles::TitleWord *year = titles::Find(words, titles::Title::Year);
        return year ? year->At : NoField;
    }

    // Line i of the results as the rewrite reads it.
    std::string_view ProtocolWalk::Raw(std::size_t i) const
    {
        const std::string_view line = m_earlier != 0 && i >= m_first && i - m_first < m_stripped.size()
            ? std::string_view(m_stripped[i - m_first])
            : m_lines[i];
        return i == m_closedAt ? line.substr(0, ClosingTagAtEnd(line)) : line;
    }

    // The line as the table's columns count it: tags left out, entities one character.
    std::string_view ProtocolWalk::ShownText(std::size_t i)
    {
        const std::string_view line = Raw(i);
        if (!m_lines.HoldsTag(i))
            return line;
        m_shown = Shown(line).Text;
        return m_shown;
    }

    // The result lines first..end rewritten, between the new header and the summary.
    void ProtocolWalk::WriteResults(
        std::size_t pre, std::size_t first, std::size_t end, const GroupSettings &group)
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
        m_out.Line(rule);
        for (const std::string &line : SummaryLines(rank, group, m_options.DecimalSeparator))
            m_out.Line(line);
        if (m_closedAt != NoLine) {
            const std::string_view last = m_lines[m_closedAt];
            m_out.Line(last.substr(ClosingTagAtEnd(last)));
        }
        // A group not counted awards nothing and has no place in the list.
        if (m_earned && group.Category != Category::NotCounted
            && group.DistanceClass != DistanceClass::DoNotCount)
            m_earned->Groups.push_back(
                { m_group, HighestAward(group.DistanceClass), rank.CompetitionRank });
    }

    // Only the rating points can fail a run; the rest of each line's work is left out.
    void ProtocolWalk::CheckResults(std::size_t first, std::size_t end)
    {
        if (!m_options.RatingPoints)
            return;
        const RankResult rank = RankOf(first, end);
        const TableLayout &layout = m_shape.Layout;
        for (m_current = first; m_current < end && !m_failure; ++m_current) {
            const std::string_view line = ShownText(m_current);
            RatingPointsField(LineFacts(Padded(line, layout.PaddedLength()), layout), rank);
        }
    }

    // Also notes whether any line of the results holds markup, which the fast paths do not
    // read.
    RankResult ProtocolWalk::RankOf(std::size_t first, std::size_t end)
    {
        m_markup = false;
        for (std::size_t k = m_lines.NextTag(first); k < end && !m_markup;
             k = m_lines.NextTag(k + 1))
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

    bool ProtocolWalk::EndsResults(std::size_t i) const
    {
        // Asked of every result line, which starts with a blank or a digit: the first byte rules
        // nearly all of them out. A blank may still indent a table's closing or opening tag.
        const std::string_view line = m_lines[i];
        if (line.empty() || IsAsciiDigit(line[0]))
            return false;
        // A group's heading is never a result: a table not closed before it ends there.
        if (line[0] == ' ')
            return m_lines.HoldsTag(i)
                && (EndsTable(line) || StartsTable(line) || m_lines.HoldsHeading(i));
        return StartsWith(line, OldClassLine) || StartsWith(line, OldRankLine)
            || EndsTable(m_lines, i) || StartsWith(line, ResultsRule) || StartsTable(m_lines, i)
            || m_lines.HoldsHeading(i);
    }

} // namespace rewriting

} // namespace engine
