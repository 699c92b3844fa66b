#include "engine/rewrite.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/cp1251.h"
#include "engine/numbers.h"
#include "engine/qualification.h"

namespace engine {

namespace {

    constexpr std::string_view PreOpen = "<pre>";
    constexpr std::string_view PreClose = "</pre>";
    constexpr std::string_view HeadingTag = "<h2>";
    constexpr std::string_view NotAwardedLabel = "-    ";
    constexpr std::string_view NoPoints = "    -";
    constexpr std::string_view PointsTitle = "Oчки "_w1251; // a Latin capital O
    constexpr std::string_view AwardTitle = "Вып  "_w1251;
    constexpr std::string_view NoRankLine = "Ранг не определялся"_w1251;
    constexpr std::string_view ClassLine = "Класс дистанции    - "_w1251;
    constexpr std::string_view RankLine = "Ранг соревнований  - "_w1251;
    constexpr std::string_view RankUnit = " баллов"_w1251;
    constexpr std::string_view OneMasterLine = "МС    -  1 место"_w1251;
    constexpr std::string_view MastersLine = "МС    -  1-"_w1251;
    constexpr std::string_view MastersUnit = " места"_w1251;
    constexpr std::string_view ChiefJudge = "Главный судья"_w1251;
    constexpr std::string_view InspectorTitle = "Инспектор дистанций"_w1251;
    constexpr std::string_view OldClassLine = "Класс"_w1251;
    constexpr std::string_view OldRankLine = "Ранг"_w1251;
    constexpr std::size_t AwardColumn = 84;
    constexpr std::size_t PointsColumn = 88;
    constexpr std::size_t PaddedLength = 86;
    constexpr std::size_t SqueezeColumn = 68;

    bool StartsWith(std::string_view line, std::string_view prefix)
    {
        return line.starts_with(prefix);
    }

    // A closing tag followed by other text still closes the table, so that nothing after it can
    // be swallowed into the results or dropped with an old summary.
    bool IsTableEnd(std::string_view line) { return StartsWith(line, PreClose); }

    // Inserts at a 1-based position; past the end it appends.
    void InsertAt(std::string &text, std::size_t position, std::string_view what)
    {
        text.insert(std::min(position - 1, text.size()), what);
    }

    void RemoveAllIgnoreCase(std::string &text, std::string_view tag)
    {
        const auto lower
            = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        std::string out;
        out.reserve(text.size());
        std::size_t i = 0;
        while (i < text.size()) {
            if (i + tag.size() <= text.size()
                && std::equal(tag.begin(), tag.end(), text.begin() + static_cast<std::ptrdiff_t>(i),
                    [&](char a, char b) { return lower(a) == lower(b); })) {
                i += tag.size();
            } else {
                out.push_back(text[i++]);
            }
        }
        text = std::move(out);
    }

    std::string RebuildHeader(
        std::string header, const ProcessOptions &options, const GroupSettings &group)
    {
        for (const std::string_view tag : { "<u>", "</u>", "<b>", "</b>" })
            RemoveAllIgnoreCase(header, tag);
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

    int AwardedQualification(
        int place, int seconds, const RankResult &rank, const GroupSettings &group)
    {
        if (group.DistanceClass == 0 && place >= 1 && place <= group.MastersCount)
            return 1;
        int award = seconds == -1 ? NotAwarded
                                  : AwardByTime(rank.WinnerSeconds, seconds, rank.CompetitionRank);
        award = std::max(award, group.DistanceClass + 1);
        switch (group.Category) {
        case Adults:
            if (award > 5)
                award = NotAwarded;
            break;
        case Juniors:
            if (award == 5)
                award = 6;
            break;
        default:
            break;
        }
        return award == NoRank ? NotAwarded : award;
    }

    // The failures of the run, in the words the user has always seen.
    struct RunFailure
    {
        std::string message;
    };

    // What the recognizers say of a result line; the inserted fields (from 84 on) and the
    // qualification label change none of it, so it is read once per line.
    struct LineFacts
    {
        explicit LineFacts(std::string_view line)
            : result(IsResultLine(line))
            , place(PlaceOf(line))
            , seconds(ResultSeconds(line))
        {
        }
        bool result;
        int place;
        int seconds;
    };

    std::string RatingPointsField(
        const LineFacts &facts, const RankResult &rank, double k1, double k2)
    {
        if (!facts.result || facts.place <= 0)
            return std::string(NoPoints);
        const int seconds = facts.seconds;
        if (seconds == 0)
            throw RunFailure { "Floating point division by zero" };
        const double value = std::nearbyint((rank.FirstSeconds * k2 / seconds - 1.0) * k1);
        if (value > std::numeric_limits<int>::max())
            throw RunFailure { "Invalid floating point operation" };
        // A result that is not a number (infinite factors cancelling out) gives nothing.
        return FormatPadded(std::isnan(value) || value < 0 ? 0 : static_cast<long long>(value), 5);
    }

    // Team points by place: athletes sharing a place share a row, and personal and
    // out-of-competition athletes take none.
    class TeamPointsColumn
    {
    public:
        TeamPointsColumn(const TeamPointsSource &points, int table)
            : m_points(points)
            , m_table(table)
        {
        }

        std::string Field(std::string_view input, const LineFacts &facts)
        {
            const int place = facts.place;
            if (!facts.result || place <= 0)
                return std::string(NoPoints);
            std::string field;
            if (IsPersonal(input)) {
                field = NoPoints;
            } else {
                m_row += place - m_previousPlace;
                field = ValueAtRow(std::min<long long>(m_row, m_points.PlacesCount()));
            }
            m_previousPlace = place;
            return field;
        }

    private:
        std::string ValueAtRow(long long row)
        {
            // Places that decrease along a table, a grid without places or a table that has
            // been removed leave no row to read.
            if (row <= 0 || m_table > m_points.TablesCount())
                return std::string(NoPoints);
            return PadLeft(FilledAtOrAbove(row), 5);
        }

        // The first non-empty cell of the table going upwards from `row`. The running row
        // mostly grows, so rows already looked at are remembered rather than read again: a
        // long table with empty rows costs one pass, not one pass per athlete.
        std::string_view FilledAtOrAbove(long long row)
        {
            if (row < m_scannedTo) {
                m_scannedTo = 0;
                m_lastFilled = {};
            }
            for (long long r = row; r > m_scannedTo; --r) {
                const std::string_view value = m_points.Value(m_table, static_cast<int>(r));
                if (!value.empty()) {
                    m_lastFilled = value;
                    break;
                }
            }
            m_scannedTo = row;
            return m_lastFilled;
        }

        const TeamPointsSource &m_points;
        int m_table;
        long long m_row = 0;
        int m_previousPlace = 0;
        long long m_scannedTo = 0;      // rows 1..m_scannedTo have been looked at
        std::string_view m_lastFilled;  // the last non-empty cell among them
    };

    std::string StandardLine(int qualification, int percent, int winnerSeconds)
    {
        const long long t = StandardSeconds(winnerSeconds, percent);
        std::string line(QualificationLabels[qualification]);
        line += " -  ";
        line += FormatPadded(percent, 0);
        line += "%  - ";
        line += FormatPadded(t / 3600, 2);
        line += ':';
        line += FormatPadded((t / 600) % 6, 1);
        line += FormatPadded((t / 60) % 10, 1);
        line += ':';
        line += FormatPadded((t / 10) % 6, 1);
        line += FormatPadded(t % 10, 1);
        return line;
    }

    bool CategoryAdmits(int category, int qualification)
    {
        switch (category) {
        case Adults:
            return qualification < 6;
        case Juniors:
            return qualification != 5;
        case Combined:
            return qualification != 6;
        default:
            return false;
        }
    }

    template <typename Output>
    void AppendSummary(const Output &out, const RankResult &rank, const GroupSettings &group,
        char decimalSeparator)
    {
        if (rank.CompetitionRank <= 0 || group.Category == NotCounted) {
            out(NoRankLine);
            return;
        }
        const int k = group.DistanceClass;
        out(std::string(ClassLine) + std::string(QualificationLabels[k + 1]));
        out(std::string(RankLine) + FormatFixed(rank.CompetitionRank, 3, 1, decimalSeparator)
            + std::string(RankUnit));
        if (k == 0 && group.MastersCount == 1)
            out(OneMasterLine);
        else if (k == 0 && group.MastersCount > 1)
            out(std::string(MastersLine) + FormatPadded(group.MastersCount, 0)
                + std::string(MastersUnit));
        const int row = FindRankRow(rank.CompetitionRank);
        for (int m = 2; m <= 7; ++m) {
            const int percent = RankTable[row][m - 1];
            if (m >= k + 1 && percent != 0 && CategoryAdmits(group.Category, m))
                out(StandardLine(m, percent, rank.WinnerSeconds));
        }
    }

    // Where the walk's lines go: into a list, taking the rewritten lines over without a copy,
    // or to a sink.
    struct LinesOutput
    {
        std::vector<ProtocolLine> &lines;
        void operator()(std::string_view line) const { lines.emplace_back(line); }
        void operator()(std::string &&line) const { lines.push_back(std::move(line)); }
    };

    struct SinkOutput
    {
        const LineSink &sink;
        void operator()(std::string_view line) const { sink(line); }
    };

    template <typename Output> class ProtocolWalk
    {
    public:
        ProtocolWalk(const std::vector<ProtocolLine> &lines,
            const std::vector<GroupSettings> &groups, const ProcessOptions &options,
            const TeamPointsSource &points, double k1, double k2, Output out)
            : m_lines(lines)
            , m_groups(groups)
            , m_options(options)
            , m_points(points)
            , m_k1(k1)
            , m_k2(k2)
            , m_out(out)
        {
        }

        void Run(const std::optional<std::string> &inspector)
        {
            std::size_t i = 0;
            bool afterSignatures = false;
            while (i < m_lines.size()) {
                if (!afterSignatures && IsSignatures(i)) {
                    i = CopySignatures(i, inspector);
                    afterSignatures = true;
                    continue;
                }
                afterSignatures = false;
                if (!StartsWith(m_lines[i], PreOpen)) {
                    m_out(m_lines[i]);
                    ++i;
                    continue;
                }
                i = RewriteTable(i);
            }
        }

    private:
        bool IsSignatures(std::size_t i) const
        {
            const ProtocolLine &line = m_lines[i];
            if (StartsWith(line, std::string(PreOpen) + std::string(ChiefJudge)))
                return true;
            return StartsWith(line, PreOpen) && i + 1 < m_lines.size()
                && StartsWith(m_lines[i + 1], ChiefJudge);
        }

        // Returns the index of the line after the signatures.
        std::size_t CopySignatures(std::size_t i, const std::optional<std::string> &inspector)
        {
            m_out(m_lines[i]);
            if (i + 1 >= m_lines.size())
                return m_lines.size();
            const ProtocolLine &judge = m_lines[i + 1];
            if (!inspector) {
                m_out(judge);
                return i + 2;
            }
            // The closing tag moves below the inspector's line; a block laid out over more lines
            // keeps the chief judge's line whole.
            const bool closes = judge.ends_with(PreClose);
            m_out(closes ? judge.substr(0, judge.size() - PreClose.size()) : judge);
            std::string name = *inspector;
            if (closes)
                name += PreClose;
            const std::size_t start = std::min(name.size(),
                static_cast<std::size_t>(
                    std::distance(name.begin(), std::find_if(name.begin(), name.end(), [](char c) {
                        return static_cast<unsigned char>(c) > 0x20;
                    }))));
            m_out(std::string(InspectorTitle) + std::string(29, ' ') + name.substr(start));
            return i + 2;
        }

        // The group of the latest heading above line i, or none.
        const GroupSettings *GroupOfTable(std::size_t i)
        {
            for (; m_headingsCounted < i; ++m_headingsCounted) {
                if (m_lines[m_headingsCounted].find(HeadingTag) != std::string::npos)
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
                if (IsTableEnd(m_lines[i]))
                    return i + 1;
            }
            return i;
        }

        // Line i starts with "<pre>". Returns the index of the next line to walk.
        std::size_t RewriteTable(std::size_t i)
        {
            const GroupSettings *found = GroupOfTable(i);
            if (!found)
                return CopyBlock(i);
            // Settings from a script may be out of range; the tables must never be read past.
            GroupSettings settings = *found;
            settings.DistanceClass = std::clamp(settings.DistanceClass, 0, DoNotCountClass);
            const GroupSettings *group = &settings;
            std::size_t first = i;
            while (first < m_lines.size() && !IsResultLine(m_lines[first])
                && !IsTableEnd(m_lines[first]))
                ++first;
            if (first == m_lines.size() || !IsResultLine(m_lines[first]))
                return CopyBlock(i);

            m_out(m_lines[i]);
            std::size_t end = first;
            while (end < m_lines.size() && !EndsResults(m_lines[end]))
                ++end;

            const std::string header = RebuildHeader(HeaderSource(first), m_options, *group);
            const std::string rule(header.size(), '-');
            m_out(rule);
            m_out(header);
            m_out(rule);

            const std::span<const ProtocolLine> results(m_lines.data() + first, end - first);
            const RankResult rank
                = ComputeRank(results, m_options.CountOutOfCompetition, m_options.ExcludeForeign);
            TeamPointsColumn team(m_points, group->PointsTable);
            for (const ProtocolLine &line : results)
                m_out(RewriteResultLine(line, rank, *group, team));
            m_out(rule);
            AppendSummary(m_out, rank, *group, m_options.DecimalSeparator);

            // Summaries and standards of an earlier run are dropped and written anew.
            while (end < m_lines.size() && !IsTableEnd(m_lines[end]))
                ++end;
            return end;
        }

        static bool EndsResults(std::string_view line)
        {
            return StartsWith(line, OldClassLine) || StartsWith(line, OldRankLine)
                || IsTableEnd(line) || StartsWith(line, "-------");
        }

        std::string HeaderSource(std::size_t first) const
        {
            if (first < 1)
                return {};
            if (!StartsWith(m_lines[first - 1], "-----------"))
                return m_lines[first - 1];
            return first >= 2 ? m_lines[first - 2] : std::string();
        }

        std::string RewriteResultLine(const ProtocolLine &input, const RankResult &rank,
            const GroupSettings &group, TeamPointsColumn &team)
        {
            // Room for the padding and the three inserted fields, so the line is allocated once.
            std::string line;
            line.reserve(std::max(input.size(), PaddedLength) + 3 * 5);
            line = input;
            if (line.size() < PaddedLength)
                line.resize(PaddedLength, ' ');
            const bool foreign = m_options.ExcludeForeign && HasForeignCode(line);
            if (!foreign)
                line.replace(52, 5, QualificationLabels[QualificationIndex(line)]);

            const LineFacts facts(line);
            const bool awarded = rank.CompetitionRank > 0 && rank.WinnerSeconds > 0 && facts.result
                && facts.place != -1 && !foreign && group.Category != NotCounted;
            InsertAt(line, AwardColumn,
                awarded ? QualificationLabels[AwardedQualification(
                    facts.place, facts.seconds, rank, group)]
                        : NotAwardedLabel);
            if (m_options.RatingPoints)
                InsertAt(line, PointsColumn, RatingPointsField(facts, rank, m_k1, m_k2));
            if (group.PointsTable > 0)
                InsertAt(line, PointsColumn, team.Field(input, facts));
            return line;
        }

        const std::vector<ProtocolLine> &m_lines;
        const std::vector<GroupSettings> &m_groups;
        const ProcessOptions &m_options;
        const TeamPointsSource &m_points;
        double m_k1;
        double m_k2;
        Output m_out;
        std::size_t m_headingsCounted = 0; // lines looked at for headings
        std::size_t m_headings = 0;
    };

} // namespace

RankResult ComputeRank(
    std::span<const ProtocolLine> results, bool countOutOfCompetition, bool excludeForeign)
{
    RankResult rank;
    int counted = 0;
    int place = 0;
    int previousSeconds = 0;
    for (const ProtocolLine &line : results) {
        if (!countOutOfCompetition && IsOutOfCompetition(line))
            continue;
        const int seconds = ResultSeconds(line);
        if (seconds == -1)
            continue;
        if (rank.FirstSeconds == 0)
            rank.FirstSeconds = seconds;
        if (excludeForeign && HasForeignCode(line))
            continue;
        ++counted;
        if (seconds != previousSeconds)
            place = counted;
        if (place > 10)
            break;
        previousSeconds = seconds;
        if (rank.WinnerSeconds == 0)
            rank.WinnerSeconds = seconds;
        rank.CompetitionRank += QualificationPoints[QualificationIndex(line)];
    }
    if (place < 10)
        rank.CompetitionRank = 0.0;
    return rank;
}

bool InspectorNeeded(const std::vector<GroupSettings> &groups)
{
    return std::any_of(groups.begin(), groups.end(),
        [](const GroupSettings &group) { return group.DistanceClass < 2; });
}

namespace {

    template <typename Output>
    RewriteOutcome Rewrite(const std::vector<ProtocolLine> &protocolLines,
        const std::vector<GroupSettings> &groups, const ProcessOptions &options,
        const TeamPointsSource &points, const InspectorRequest &askInspector, Output out)
    {
        RewriteOutcome outcome;
        double k1 = 0;
        double k2 = 0;
        if (options.RatingPoints) {
            for (const auto &[text, value] :
                { std::pair { &options.K1Text, &k1 }, std::pair { &options.K2Text, &k2 } }) {
                const auto parsed = ParseFloat(*text, options.DecimalSeparator);
                if (!parsed) {
                    outcome.Status = RewriteStatus::Failed;
                    outcome.Error = "'" + *text + "' is not a valid floating point value";
                    return outcome;
                }
                *value = *parsed;
            }
        }
        std::optional<std::string> inspector;
        if (InspectorNeeded(groups)) {
            inspector = askInspector ? askInspector() : std::nullopt;
            if (!inspector) {
                outcome.Status = RewriteStatus::Cancelled;
                return outcome;
            }
        }
        try {
            ProtocolWalk<Output>(protocolLines, groups, options, points, k1, k2, out)
                .Run(inspector);
        } catch (const RunFailure &failure) {
            outcome.Status = RewriteStatus::Failed;
            outcome.Error = failure.message;
        }
        return outcome;
    }

} // namespace

RewriteOutcome RewriteProtocolTo(const std::vector<ProtocolLine> &protocolLines,
    const std::vector<GroupSettings> &groups, const ProcessOptions &options,
    const TeamPointsSource &points, const InspectorRequest &askInspector, const LineSink &sink)
{
    return Rewrite(protocolLines, groups, options, points, askInspector, SinkOutput { sink });
}

RewriteResult RewriteProtocol(const std::vector<ProtocolLine> &protocolLines,
    const std::vector<GroupSettings> &groups, const ProcessOptions &options,
    const TeamPointsSource &points, const InspectorRequest &askInspector)
{
    RewriteResult result;
    result.Lines.reserve(protocolLines.size() + 16);
    RewriteOutcome outcome = Rewrite(
        protocolLines, groups, options, points, askInspector, LinesOutput { result.Lines });
    result.Status = outcome.Status;
    result.Error = std::move(outcome.Error);
    if (result.Status == RewriteStatus::Cancelled)
        result.Lines.clear();
    return result;
}

} // namespace engine
