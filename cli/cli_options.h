// The command line of lapwing-cli: its options, their parsing and the help text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/result.h"
#include "engine/rewrite.h"

namespace cli {

// "--group NAME=CLASS,MASTERS,TABLE,CATEGORY": the settings of every group named NAME.
struct GroupOption
{
    std::string Name; // Windows-1251, compared with the groups' names
    engine::DistanceClass DistanceClass = engine::DistanceClass::Ms;
    int MastersCount = 0;
    int PointsTable = 0;
    engine::Category Category = engine::Category::Adults;

    bool operator==(const GroupOption &other) const = default;
};

struct Options
{
    std::string Input;
    std::optional<std::string> Output; // standard output when not given
    bool InPlace = false; // the output may be INPUT itself (and is, when not given)
    std::vector<GroupOption> Groups; // in the order given; a later one wins
    std::optional<std::string> PointsFile; // no tables, no places when not given
    engine::ProcessOptions Process; // texts in Windows-1251
    std::optional<std::string> Inspector; // Windows-1251
    // "--qualification-list FILE": the lists of qualifications earned to write, each in the
    // format its name's extension asks for.
    std::vector<std::string> QualificationLists;
    bool ListGroups = false;
    bool Verbose = false;
    bool Help = false;
    bool Version = false;
};

// Reads the arguments with getopt_long; may be called more than once. A failure says what is
// wrong with them (UTF-8, line 0).
engine::Result<Options> ParseArguments(int argc, char **argv);

// One "--group" value, or what is wrong with it.
engine::Result<GroupOption> ParseGroupOption(std::string_view text);

// Gives every group of each option's name its settings, in order, so that the last option of a
// name holds; returns the names no group has.
std::vector<std::string> ApplyGroupOptions(
    const std::vector<GroupOption> &options, std::vector<engine::GroupSettings> &groups);

extern const char *const HelpText;

} // namespace cli
