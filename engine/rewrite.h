// The competition rank of a group and the rewrite of the whole protocol.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/protocol.h"

namespace engine {

// What the rewrite reads of the team points tables: table t is 1..TablesCount(), place p is
// 1..PlacesCount(). The points tables model implements it.
class TeamPointsSource
{
public:
    virtual ~TeamPointsSource() = default;
    virtual int TablesCount() const = 0;
    virtual int PlacesCount() const = 0;
    virtual std::string_view Value(int table, int place) const = 0;
};

// No tables, no places.
class NoTeamPoints final : public TeamPointsSource
{
public:
    int TablesCount() const override { return 0; }
    int PlacesCount() const override { return 0; }
    std::string_view Value(int, int) const override { return {}; }
};

struct ProcessOptions
{
    bool RatingPoints = false;
    // The two "К=" texts (Windows-1251), converted only when RatingPoints is on.
    std::string K1Text = "1000";
    std::string K2Text = "2";
    bool CountOutOfCompetition = false;
    bool ExcludeForeign = true;
    // The user's decimal separator: the "К=" texts and the rank in the summary use it.
    char DecimalSeparator = '.';
};

struct RankResult
{
    double CompetitionRank = 0.0; // 0 when fewer than ten places were seen
    int WinnerSeconds = 0;
    int FirstSeconds = 0;
};

RankResult ComputeRank(std::span<const ProtocolLine> results, bool countOutOfCompetition,
                       bool excludeForeign);

// Asks for the inspector of distances: the name in Windows-1251, or nothing when cancelled.
using InspectorRequest = std::function<std::optional<std::string>()>;

enum class RewriteStatus {
    Done,
    Cancelled, // the inspector request was cancelled; keep the previous output
    Failed,    // `Error` says why; `Lines` holds what was produced before it
};

struct RewriteResult
{
    RewriteStatus Status = RewriteStatus::Done;
    std::vector<ProtocolLine> Lines;
    std::string Error; // Windows-1251
};

// True when some group's course is of class МС or КМС, so an inspector must sign.
bool InspectorNeeded(const std::vector<GroupSettings> &groups);

// Receives the output lines one by one, in order.
using LineSink = std::function<void(std::string_view line)>;

struct RewriteOutcome
{
    RewriteStatus Status = RewriteStatus::Done;
    std::string Error; // Windows-1251
};

// The rewrite handing each output line to `sink` as it is made, so that a batch run can write
// it out without holding the whole output.
RewriteOutcome RewriteProtocolTo(const std::vector<ProtocolLine> &protocolLines,
                                 const std::vector<GroupSettings> &groups,
                                 const ProcessOptions &options, const TeamPointsSource &points,
                                 const InspectorRequest &askInspector, const LineSink &sink);

RewriteResult RewriteProtocol(const std::vector<ProtocolLine> &protocolLines,
                              const std::vector<GroupSettings> &groups,
                              const ProcessOptions &options, const TeamPointsSource &points,
                              const InspectorRequest &askInspector);

} // namespace engine
