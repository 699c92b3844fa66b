// The result lines of a table rewritten: the award, the points and the qualification's label.
#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/award.h"
#include "engine/messages.h"
#include "engine/numbers.h"
#include "engine/recognizers.h"
#include "engine/rewrite_walk.h"
#include "engine/table_title.h"
#include "engine/text.h"

namespace engine::rewriting {

using namespace texts;

namespace {

    // Why a run stops, in the words users of the program have always seen.
    constexpr std::string_view DivisionByZero = "Floating point division by zero";
    constexpr std::string_view InvalidOperation = "Invalid floating point operation";
    constexpr int MaxRatingPoints = 9999;

} // namespace

// The rating points of a line, none for a line without a place; or why the run stops, in
// the words users have always seen (the walk names the line).
Result<std::optional<int>> RatingPointsOf(
    const LineFacts &facts, const RankResult &rank, double k1, double k2)
{
    if (!facts.Placed())
        return std::optional<int>();
    // A result line has both colons, but its digits may still not convert.
    const int seconds = facts.Seconds.value_or(-1);
    if (seconds == 0)
        return Failure { 0, std::string(DivisionByZero) };
    const double value = std::nearbyint((rank.FirstSeconds * k2 / seconds - 1.0) * k1);
    if (value > std::numeric_limits<int>::max())
        return Failure { 0, std::string(InvalidOperation) };
    // Five bytes hold 9999 and a blank before it: a wider number would run into the team
    // points, and neither column would read again.
    if (value > MaxRatingPoints)
        return Failure { 0,
            "rating points " + FormatPadded(static_cast<int>(value), 0)
                + " do not fit their column (at most " + std::to_string(MaxRatingPoints)
                + std::string("): check the \"К=\" values and the times"_w1251) };
    // A result that is not a number (infinite factors cancelling out) gives nothing.
    return std::optional<int>(std::isnan(value) || value < 0 ? 0 : static_cast<int>(value));
}

// The rating points' five-byte field of the line being rewritten; none when its points
// stop the run, which then names this line.
std::optional<std::string_view> ProtocolWalk::RatingPointsField(
    const LineFacts &facts, const RankResult &rank)
{
    const Result<std::optional<int>> points = RatingPointsOf(facts, rank, m_k1, m_k2);
    if (!points) {
        m_failure = Failure { m_current + 1, points.Error().Reason };
        return std::nullopt;
    }
    return points.Value() ? FormatPadded(*points.Value(), 5, m_number) : NoPoints;
}

// The line padded with blanks to `length` (the table's padded length), as the rewrite reads
// it: a line that long already is read where it stands, a shorter one is padded in m_line, or,
// for a table padded wider than m_line, in a string kept for the run.
std::string_view ProtocolWalk::Padded(std::string_view input, std::size_t length)
{
    if (input.size() >= length)
        return input;
    if (length > m_line.size()) {
        m_padded.assign(input);
        m_padded.resize(length, ' ');
        return m_padded;
    }
    std::fill(std::copy(input.begin(), input.end(), m_line.begin()), m_line.begin() + length, ' ');
    return { m_line.data(), length };
}

// The line is made where it goes (at the end of the output bytes, or in one buffer kept
// for the whole run), sized once and filled by plain copies: no allocation, and no
// string operation per field. The qualification's label replaces its field; the award
// label goes in at 84 and the points fields (five bytes, or more for a long number)
// before its last byte, the label's trailing blank, team points first.
void ProtocolWalk::WriteResultLine(std::string_view input, const RankResult &rank,
    const TimeStandards &standards, const GroupSettings &group, TeamPointsColumn &team)
{
    static_assert(NotAwardedLabel.size() == 5);
    static_assert(std::ranges::all_of(QualificationLabels,
        [](std::string_view label) { return label.size() == QualificationField.Size(); }));
    const TableLayout &layout = m_shape.Layout;
    const std::string_view line = Padded(input, layout.PaddedLength());
    const bool foreign = m_options.ExcludeForeign && HasForeignCode(line, layout);
    // Read before the label goes in, which changes nothing they read.
    const LineFacts facts(line, layout, foreign);
    if (!facts.Result && TimeStandsFurtherRight(line, layout)) {
        m_out.Line(input); // its values are not in the columns: nothing is written over them
        return;
    }
    const Qualification met = AwardedQualification(facts, rank, standards, group);
    const std::string_view award = LabelOf(met);
    const bool personal = facts.Placed() && group.PointsTable > 0 && IsPersonal(input, layout);
    const std::string_view teamField = group.PointsTable > 0
        ? team.Field(personal, facts.Result, facts.Place)
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
    std::string_view before = Take(line, code);
    if (!foreign && Has(code) && code.Offset() + codeSize <= head.size()) {
        const std::string_view label = LabelOf(QualificationOf(line, layout));
        std::copy_n(label.begin(), codeSize, out + code.Offset());
        before = label.substr(0, codeSize);
    }
    if (m_earned && met != Qualification::NotAwarded)
        NoteEarned(line, met, facts, before);
    to = std::copy_n(award.data(), 4, to);
    to = std::copy(teamField.begin(), teamField.end(), to);
    to = std::copy(ratingField.begin(), ratingField.end(), to);
    *to++ = award[4];
    std::copy(tail.begin(), tail.end(), to);
    if (out == m_built.data())
        m_out.Line(m_built);
}

// The general form of WriteResultLine, for a table in another layout or a line with
// markup: the line is read as shown, and its bytes changed where the shown columns fall.
void ProtocolWalk::WriteShownLine(std::string_view input, const RankResult &rank,
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
    const LineFacts facts(text, layout, foreign);
    if (!facts.Result && TimeStandsFurtherRight(text, layout)) {
        m_out.Line(input);
        return;
    }
    const Qualification met = AwardedQualification(facts, rank, standards, group);
    const std::string_view award = LabelOf(met);
    const bool personal = facts.Placed() && IsPersonal(text, layout);
    const std::string teamField = group.PointsTable > 0
        ? std::string(team.Field(personal, facts.Result, facts.Place))
        : std::string();
    std::string_view ratingField;
    if (m_options.RatingPoints) {
        const std::optional<std::string_view> field = RatingPointsField(facts, rank);
        if (!field)
            return; // the run stops before this line
        ratingField = *field;
    }
    std::string_view before = Take(text, layout.Qualification);
    if (!foreign && Has(layout.Qualification)) {
        const Field code = layout.Qualification;
        const std::size_t size = std::min(code.Size(), QualificationField.Size());
        const std::size_t from = bytesAt(code.First);
        // Only a field before the award's column, whose bytes are its letters.
        if (code.First + size <= layout.AwardColumn && bytesAt(code.First + size) - from == size
            && from + size <= out.size()) {
            before = LabelOf(QualificationOf(text, layout)).substr(0, size);
            out.replace(from, size, before);
        }
    }
    if (m_earned && met != Qualification::NotAwarded)
        NoteEarned(text, met, facts, before);
    std::string fields(award.substr(0, 4));
    fields += teamField;
    fields += ratingField;
    fields += award[4];
    out.insert(bytesAt(layout.AwardColumn), fields);
    m_out.Line(out);
}

// The athlete of the line being rewritten earned `met`: noted for the list of qualifications,
// with the fields as `shown` (the line as its columns count it) holds them and the
// qualification field as the rewritten line shows it.
void ProtocolWalk::NoteEarned(
    std::string_view shown, Qualification met, const LineFacts &facts, std::string_view before)
{
    const TableLayout &layout = m_shape.Layout;
    const auto field = [&](Field f) { return std::string(TrimBlanks(Take(shown, f))); };
    // Today's columns leave the year where its results program put it: the word under its
    // title.
    std::string year;
    if (layout.Fixed && Has(m_yearAt)) {
        std::vector<Field> runs;
        titles::AddRuns(shown.substr(0, std::min(shown.size(), layout.Time.Offset())), runs);
        for (const Field run : runs) {
            if (run.First <= m_yearAt.Last && run.Last >= m_yearAt.First) {
                year = Take(shown, run);
                break;
            }
        }
    } else if (!layout.Fixed) {
        year = field(layout.Year);
    }
    m_earned->Athletes.push_back({ .Group = m_group,
        .Line = m_current,
        .Place = facts.Place,
        .Name = field(layout.Name),
        .Year = std::move(year),
        .Team = field(layout.Team),
        .Result = field(layout.Time),
        .Before = std::string(TrimBlanks(before)),
        .Met = met });
}

// Where a line of `size` bytes is made: at the end of the output when that is bytes, so
// that it is not copied again.
char *ProtocolWalk::LineRoom(std::size_t size)
{
    if (char *const room = m_out.Room(size))
        return room;
    m_built.resize(size);
    return m_built.data();
}

} // namespace engine::rewriting
