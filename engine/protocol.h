// Loading a results protocol: its lines, and the groups named by its "<h2>" headings.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// One line of the protocol: Windows-1251 bytes without the line terminator.
using ProtocolLine = std::string;

// Items of the class editor; class k gives at most qualification index k + 1.
inline constexpr int DistanceClassCount = 8;
inline constexpr int DoNotCountClass = 7;
// Items of the category editor.
enum Category : int { Adults = 0, Juniors = 1, Combined = 2, NotCounted = 3 };
inline constexpr int CategoryCount = 4;

struct GroupSettings
{
    std::string Name;    // heading text before its first ','
    std::string Heading; // the whole text between "<h2>" and "</h2>"
    int DistanceClass = 0;
    int MastersCount = 0;
    int PointsTable = 0; // 0: no team points
    int Category = 0;
};

// Splits file bytes into lines: a line ends at LF, every CR is dropped, and a final LF adds no
// empty line.
std::vector<ProtocolLine> SplitLines(std::string_view bytes);

// Refreshes `groups` from the heading lines: a group that stays at the same position with the
// same name keeps the user's settings; a new name gets the defaults and a category derived
// from the name. The list is cut to the number of headings.
void UpdateGroups(const std::vector<ProtocolLine> &lines, std::vector<GroupSettings> &groups);

// The category a new group name gets: juniors for names like "Ж16", combined for names that do
// not end in a digit, adults otherwise.
int DeriveCategory(std::string_view name);

enum class LoadResult { Loaded, NoPath, Failed };

// Reads the protocol file into `lines` (replaced as a whole, emptied first) and refreshes
// `groups`. An empty path does nothing. When the file cannot be opened or read, `groups` is
// left as it was.
LoadResult LoadProtocol(const std::filesystem::path &path, std::vector<ProtocolLine> &lines,
                        std::vector<GroupSettings> &groups);

} // namespace engine
