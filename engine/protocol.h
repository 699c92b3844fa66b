// Loading a results protocol: its lines, and the groups named by its "<h2>" headings.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/file_bytes.h"
#include "engine/protocol_lines.h"
#include "engine/qualification.h"
#include "engine/result.h"
#include "engine/table_layout.h"

namespace engine {

// The class of a group's course: the items of the class editor, in order. Class k gives at most
// qualification k + 1.
enum class DistanceClass : int {
    Ms = 0,
    Kms = 1,
    First = 2,
    Second = 3,
    Third = 4,
    FirstJunior = 5,
    SecondJunior = 6,
    DoNotCount = 7,
};
inline constexpr int DistanceClassCount = 8;

// The items of the category editor, in order.
enum class Category : int { Adults = 0, Juniors = 1, Combined = 2, NotCounted = 3 };
inline constexpr int CategoryCount = 4;

// The highest qualification a course of the class gives (NoRank for "do not count").
constexpr Qualification HighestAward(DistanceClass c)
{
    return QualificationAt(static_cast<int>(c) + 1);
}
// Courses of class МС and КМС need the inspector of distances to sign.
constexpr bool NeedsInspector(DistanceClass c)
{
    return c == DistanceClass::Ms || c == DistanceClass::Kms;
}

struct GroupSettings
{
    std::string Name;    // heading text before its first ','
    std::string Heading; // the whole text between "<h2>" and "</h2>"
    engine::DistanceClass DistanceClass = engine::DistanceClass::Ms;
    int MastersCount = 0;
    int PointsTable = 0; // 0: no team points
    engine::Category Category = engine::Category::Adults;
    // The group's table, the first below its heading, as the protocol was read: none when the
    // heading has no table. The rewrite reads it at TableLine (0-based) without looking again.
    std::optional<TableShape> Table;
    std::size_t TableLine = 0;
};

// The shape of the table at line `pre`: the one its group kept from the reading when it is this
// table's, else found again.
TableShape ShapeOfTable(const ProtocolLines &lines, std::size_t pre, const GroupSettings *group);

// Finds the table of the group whose heading is line `heading`, before line `end`.
void FindGroupTable(
    const ProtocolLines &lines, std::size_t heading, std::size_t end, GroupSettings &group);

// Splits file bytes (copied) into lines: a line ends at LF, every CR is dropped, and a final LF
// adds no empty line.
ProtocolLines SplitLines(std::string_view bytes);

// Refreshes `groups` from the heading lines: a group keeps the user's settings from the group of
// the same name read before, wherever it moved (engine/group_matching.h); a new name gets the
// defaults and a category derived from the name. The list holds one group per heading.
void UpdateGroups(const ProtocolLines &lines, std::vector<GroupSettings> &groups);

// A batch run may make the rewrite (and check the tables' layout) in parts, several at once, and
// put their results together in order. A part starts where the walk through the whole protocol
// starts afresh: at the top, or on the line after a table's closing tag (see ProtocolParts);
// `HeadingsAbove` group headings stand above it.
struct ProtocolPart
{
    std::size_t First = 0;
    std::size_t End = 0; // one past its last line
    std::size_t HeadingsAbove = 0;
};

// The signatures block begins at line i: a line starting with "<pre>" and the chief judge's
// title right after it, on the same line or the next. The rewrite and the layout check both
// pass it over.
bool IsSignaturesStart(const ProtocolLines &lines, std::size_t i);

// The category a new group name gets: juniors for names like "Ж16", combined for names that do
// not end in a digit, adults otherwise.
Category DeriveCategory(std::string_view name);

// What names the competition: the text of the protocol's "<title>" and of its first "<h1>" (tags
// in either case), as a browser shows them, joined by " / " when both are there; empty when
// neither stands above the first group heading. The bytes are the protocol's (Windows-1251).
std::string ProtocolTitle(const ProtocolLines &lines);

// Reads the protocol file into `lines` (replaced as a whole) and refreshes `groups`. When the
// file cannot be read (see ReadFileChunks: regular files up to MaxProtocolBytes), `lines` is
// emptied and `groups` is left as it was; a protocol in UTF-16 or UTF-32 is refused, since none
// of its lines could be read. A protocol in UTF-8 (see DetectEncoding) is held converted to
// Windows-1251 and `lines.Encoding()` says so; one with a character Windows-1251 lacks is refused,
// naming its line and column. A mapped file (FileAccess::Map) is for a run that uses the lines
// at once and checks lines.Intact() before it trusts what it made of them.
Status LoadProtocol(const std::filesystem::path &path, ProtocolLines &lines,
    std::vector<GroupSettings> &groups, FileAccess access = FileAccess::Read);

} // namespace engine
