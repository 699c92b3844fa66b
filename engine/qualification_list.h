// The list of qualifications earned: who met which standard, made from the rewrite's own
// decisions (never from its output text), and written as CSV or as a printable HTML page.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/protocol.h"
#include "engine/protocol_encoding.h"
#include "engine/qualification.h"

namespace engine {

// One athlete whose award is a qualification, as the rewrite wrote it into the protocol. Texts
// are Windows-1251, blanks trimmed, as the table shows them (tags left out).
struct EarnedQualification
{
    std::size_t Group = 0; // index into the groups
    std::size_t Line = 0; // 0-based protocol line
    std::optional<int> Place; // none: out of competition
    std::string Name;
    std::string Year; // empty when the table has no year
    std::string Team;
    std::string Result;
    std::string Before; // the qualification field as the rewritten protocol shows it
    Qualification Met = Qualification::NotAwarded;

    bool operator==(const EarnedQualification &other) const = default;
};

// A counted table, with its group's class and rank as the summary under it states them.
struct RankedGroup
{
    std::size_t Group = 0;
    Qualification Class = Qualification::NoRank; // the highest award the course gives
    double Rank = 0; // 0 or below: not determined

    bool operator==(const RankedGroup &other) const = default;
};

// What the rewrite decided, filled by its walk as it goes: counted tables and awarded athletes
// in protocol order. A run in parts fills one per part; appended in the parts' order they are
// the whole run's.
struct EarnedQualifications
{
    std::vector<RankedGroup> Groups;
    std::vector<EarnedQualification> Athletes;
    // The inspector of distances the run named, for the signatures (a whole run fills it in).
    std::optional<std::string> Inspector;

    void Append(EarnedQualifications &&part);
    void Clear();
};

// One line of the closing signatures: the role ("Главный судья") and the name beside it.
struct Signature
{
    std::string Role;
    std::string Name;
};

// The qualifications in the list's count table, highest first.
inline constexpr std::array<Qualification, 7> ListedQualifications
    = { Qualification::Ms, Qualification::Kms, Qualification::First, Qualification::Second,
          Qualification::Third, Qualification::FirstJunior, Qualification::SecondJunior };

struct ListGroup
{
    std::string Name; // the group's name, as its heading gives it
    std::string ClassLabel; // "МС", "I" ...
    std::string RankText; // "197.2", or empty when the rank was not determined
    std::array<int, ListedQualifications.size()> Counts {};
    int Total = 0;
};

// The whole list as it is written out; texts in Windows-1251.
struct QualificationList
{
    std::vector<std::string> Heading; // the competition's name and date: <title>, <h1>
    std::vector<ListGroup> Groups; // counted tables, in protocol order
    std::vector<EarnedQualification> Athletes; // highest qualification first, then group, place
    std::vector<std::string> AthleteGroups; // the group's name of each athlete
    std::array<int, ListedQualifications.size()> Totals {};
    int Total = 0;
    std::vector<Signature> Judges;
};

// The competition's name and date: the text of the protocol's <title> and of each <h1> (a <br>
// starts a new line), tags left out, each text once.
std::vector<std::string> CompetitionHeading(const ProtocolLines &lines);

// The closing signatures' roles and names, the inspector named as the rewrite names them (after
// the chief judge, in place of one named before).
std::vector<Signature> Signatures(
    const ProtocolLines &lines, const std::optional<std::string> &inspector);

// The list of a run: `earned` as the rewrite filled it, sorted; the heading and judges read from
// the protocol. `decimalSeparator` writes the ranks, as the summaries do.
QualificationList MakeQualificationList(const ProtocolLines &lines,
    const std::vector<GroupSettings> &groups, const EarnedQualifications &earned,
    const std::optional<std::string> &inspector, char decimalSeparator);

// The athletes as CSV (RFC 4180): UTF-8 with a byte order mark, one header row, a row per
// athlete, CR LF after every row; a field holding '"', ',' or a line break is quoted.
std::string QualificationListCsv(const QualificationList &list);

// The list as an HTML page for A4, in the protocol's encoding (Windows-1251, or UTF-8 with the
// mark when the protocol had it), lines ended by CR LF.
std::string QualificationListHtml(const QualificationList &list, const SourceEncoding &encoding);

// Which format a file name asks for: ".csv" gives CSV, ".htm" and ".html" the page (any case).
enum class ListFormat { Csv, Html };
std::optional<ListFormat> ListFormatOf(std::string_view fileName);

} // namespace engine
