// The walk of the rewrite over a protocol's lines, shared by its three parts: the walk itself
// (rewrite.cpp), the header rebuilt and the fields of an earlier run taken out
// (rewrite_header.cpp), and the result lines written (rewrite_line.cpp).
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/award.h"
#include "engine/qualification.h"
#include "engine/qualification_list.h"
#include "engine/rank.h"
#include "engine/recognizers.h"
#include "engine/result.h"
#include "engine/rewrite.h"
#include "engine/table_layout.h"
#include "engine/team_points.h"

namespace engine::rewriting {

bool StartsWith(std::string_view line, std::string_view prefix);

// The rule under a header: eleven hyphens and more, or a line of hyphens only (the rule an
// earlier run wrote is as long as its header, which may be short).
bool IsHeaderRule(std::string_view line);

// Where a header rewritten before holds "Вып  " and a "Oчки " per points column (the last
// one's blanks trimmed at the header's end), how many bytes of the header they take, and how
// many bytes the fields under them take in the lines; none for a header that holds none.
struct EarlierFields
{
    std::size_t At = 0;
    std::size_t TitlesWidth = 0;
    std::size_t FieldsWidth = 0;
};
EarlierFields EarlierTitles(std::string_view header);

std::string RebuildHeader(std::string header, const ProcessOptions &options,
    const GroupSettings &group, const TableLayout &layout);

// What the recognizers say of a result line; the inserted fields (from 84 on) and the
// qualification label change none of it, so it is read once per line. It is what the award is
// decided from as it stands: copied into another struct field by field, its optional values
// were read back as whole words just after they were written, a stall on every line.
struct LineFacts : AwardedLine
{
    // `foreign`: the athlete is foreign, and foreign athletes are left out.
    LineFacts(std::string_view line, const TableLayout &layout, bool foreign = false)
        : AwardedLine { .Result = layout.Fixed && IsResultLine(line),
            .OutOfCompetition = IsOutOfCompetition(line, layout),
            .Foreign = foreign,
            .Place = PlaceNumberOf(line, layout),
            .Seconds = SecondsOf(line, layout) }
    {
        // In another layout a result line is one whose time reads.
        Result = Result || (!layout.Fixed && Seconds.has_value());
    }
    // A result line with a place: it earns rating points and takes a team points row.
    bool Placed() const { return Result && Place && *Place > 0; }
};

// The rating points of a line, none for a line without a place; or why the run stops, in
// the words users have always seen (the walk names the line).
Result<std::optional<int>> RatingPointsOf(
    const LineFacts &facts, const RankResult &rank, double k1, double k2);

// Where the walk's lines go. A line made in place asks for Room first: an output that holds
// bytes gives it at its end, so that the line is not copied again; the others give none, and
// are handed the line once it is made.
class WalkOutput
{
public:
    virtual ~WalkOutput() = default;
    virtual void Line(std::string_view line) = 0;
    // Room for a line of `size` bytes at the end of the output, already counted; none when the
    // output does not hold bytes.
    virtual char *Room(std::size_t) { return nullptr; }
    // No lines at all: the walk only finds out whether the rewrite would fail, doing no more of
    // each line's work than that takes.
    virtual bool ChecksOnly() const { return false; }
};

inline constexpr std::size_t NoLine = static_cast<std::size_t>(-1);

class ProtocolWalk
{
public:
    ProtocolWalk(const ProtocolLines &lines, const std::vector<GroupSettings> &groups,
        const ProcessOptions &options, const TeamPointsSource &points, const RewriteRun &run,
        WalkOutput &out, EarnedQualifications *earned = nullptr);

    void Run(const std::optional<std::string> &inspector, const ProtocolPart &part);

    // What stopped the run, naming its protocol line; none when it went through.
    const std::optional<Failure> &Failed() const { return m_failure; }

private:
    // Returns the index of the line after the signatures.
    std::size_t CopySignatures(std::size_t i, const std::optional<std::string> &inspector);

    // The group of the latest heading above line i, or none.
    const GroupSettings *GroupOfTable(std::size_t i);

    // Copies lines from..(closing line) unchanged; returns the index after them.
    std::size_t CopyBlock(std::size_t from);

    // Line i starts a table. Returns the index of the next line to walk.
    std::size_t RewriteTable(std::size_t i);

    // A table rewritten before holds the award and points an earlier run inserted, after the
    // place, and their titles in its header: they are taken out, so that rewriting again
    // gives what rewriting once gave. A line whose bytes there are no award is left whole.
    void TakeOutEarlierFields(std::size_t first, std::size_t end);

    // Where the table's title has the year's title, for a table read at today's columns.
    Field YearTitleAt() const;

    // Line i of the results as the rewrite reads it.
    std::string_view Raw(std::size_t i) const;

    // The line as the table's columns count it: tags left out, entities one character.
    std::string_view ShownText(std::size_t i);

    // The lines between the table's "<pre>" and its first result, with the rebuilt header in
    // place of the title: a note or the distance's parameters above or below the title stays.
    void WriteTop(std::size_t pre, std::size_t first, const std::string &header);

    // The title the header is rebuilt from.
    std::string HeaderText(std::size_t first) const;

    std::size_t UntitledHeaderLine(std::size_t pre, std::size_t first) const;

    // The result lines first..end rewritten, between the new header and the summary.
    void WriteResults(
        std::size_t pre, std::size_t first, std::size_t end, const GroupSettings &group);

    // Only the rating points can fail a run; the rest of each line's work is left out.
    void CheckResults(std::size_t first, std::size_t end);

    // Also notes whether any line of the results holds markup, which the fast paths do not
    // read.
    RankResult RankOf(std::size_t first, std::size_t end);

    // The rating points' five-byte field of the line being rewritten; none when its points
    // stop the run, which then names this line.
    std::optional<std::string_view> RatingPointsField(
        const LineFacts &facts, const RankResult &rank);

    // The line padded with blanks to `length` (the table's padded length), as the rewrite
    // reads it: a line that long already is read where it stands, a shorter one is padded in
    // m_line, or in m_padded when the table pads wider.
    std::string_view Padded(std::string_view input, std::size_t length);

    bool EndsResults(std::size_t i) const;

    // The line is made where it goes (at the end of the output bytes, or in one buffer kept
    // for the whole run), sized once and filled by plain copies: no allocation, and no
    // string operation per field. The qualification's label replaces its field; the award
    // label goes in at 84 and the points fields (five bytes, or more for a long number)
    // before its last byte, the label's trailing blank, team points first.
    void WriteResultLine(std::string_view input, const RankResult &rank,
        const TimeStandards &standards, const GroupSettings &group, TeamPointsColumn &team);

    // The general form of WriteResultLine, for a table in another layout or a line with
    // markup: the line is read as shown, and its bytes changed where the shown columns fall.
    void WriteShownLine(std::string_view input, const RankResult &rank,
        const TimeStandards &standards, const GroupSettings &group, TeamPointsColumn &team);

    // Where a line of `size` bytes is made: at the end of the output when that is bytes, so
    // that it is not copied again.
    char *LineRoom(std::size_t size);

    // The athlete of the line being rewritten earned `met`: noted for the list of
    // qualifications, with the fields as `shown` (the line as its columns count it) holds them
    // and the qualification field as the rewritten line shows it.
    void NoteEarned(std::string_view shown, Qualification met, const LineFacts &facts,
        std::string_view before);

    const ProtocolLines &m_lines;
    const std::vector<GroupSettings> &m_groups;
    const ProcessOptions &m_options;
    const TeamPointsSource &m_points;
    double m_k1;
    double m_k2;
    WalkOutput &m_out;
    EarnedQualifications *m_earned; // none when no list is asked for
    std::size_t m_group = 0; // the index of the table's group
    Field m_yearAt = NoField; // the year's title in a table read at today's columns
    std::size_t m_headingsCounted = 0; // lines looked at for headings
    std::size_t m_current = 0; // the result line being rewritten
    std::optional<Failure> m_failure; // what stopped the run
    std::size_t m_headings = 0;
    std::array<char, 256> m_line {}; // a short result line, padded
    std::string m_padded; // a result line padded wider than m_line holds
    std::string m_built; // the line rewritten, where the output does not hold bytes
    std::array<char, 16> m_number {}; // the rating points' field
    TableShape m_shape; // the table being rewritten
    std::size_t m_pre = 0; // its "<pre>" line
    bool m_markup = false; // a line of its results holds a tag or an entity
    std::string m_shown; // a line as shown, for ShownText
    std::size_t m_earlier = 0; // the width of the fields an earlier run inserted, or 0
    std::size_t m_first = 0; // the first result line, where m_stripped starts
    std::vector<std::string> m_stripped; // the results without them
    // The last result line when it holds the table's closing tag at its end, which goes on a
    // line of its own after the summary; none otherwise.
    std::size_t m_closedAt = NoLine;
};

} // namespace engine::rewriting
