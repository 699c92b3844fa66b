// The rewrite of the whole protocol: awards, points, headers and summaries.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/inspector.h"
#include "engine/protocol.h"
#include "engine/qualification_list.h"
#include "engine/rank.h"
#include "engine/result.h"
#include "engine/team_points_source.h"

namespace engine {

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

// How a run of the whole protocol ends: cancelled, or done, or stopped by a failure.
struct RewriteResult
{
    // The inspector request was cancelled: nothing was made, and the previous output stays.
    bool Cancelled = false;
    // Otherwise, success or the failure: the reason in Windows-1251, and the 1-based protocol
    // line the run stopped at (0 when it stopped before the walk, on a "К=" text).
    Status Outcome = Success();
    // The lines made (those before the failure, when one stopped the run); empty when the lines
    // went to a sink.
    std::vector<ProtocolLine> Lines;

    bool Ok() const { return !Cancelled && Outcome.Ok(); }
    bool Failed() const { return !Cancelled && !Outcome.Ok(); }
    const Failure &Error() const { return Outcome.Error(); }
};

// Receives the output lines one by one, in order.
using LineSink = std::function<void(std::string_view line)>;

// The rewrite handing each output line to `sink` as it is made, so that a batch run can write
// it out without holding the whole output. With `earned`, the walk also notes there every
// counted table and every qualification it awards (replacing what it held).
RewriteResult RewriteProtocolTo(const ProtocolLines &protocolLines,
                                const std::vector<GroupSettings> &groups,
                                const ProcessOptions &options, const TeamPointsSource &points,
                                const InspectorRequest &askInspector, const LineSink &sink,
                                EarnedQualifications *earned = nullptr);

// The protocol cut after closing tags into parts of at least `bytes` bytes (the last may be
// shorter). Their lines, in order, are the protocol's.
std::vector<ProtocolPart> ProtocolParts(const ProtocolLines &lines, std::size_t bytes);

// What a run settles before its walk: the "К=" texts converted, the inspector asked for.
struct RewriteRun
{
    double K1 = 0;
    double K2 = 0;
    std::optional<std::string> Inspector; // when a group needs one
};

// Ok with `run` filled in; or Cancelled, or Failed on a "К=" text, as RewriteProtocolTo ends.
RewriteResult PrepareRewrite(const std::vector<GroupSettings> &groups,
    const ProcessOptions &options, const InspectorRequest &askInspector, RewriteRun &run);

// The rewrite of one part, its lines to `sink`. The lines of all parts, one after another, are
// RewriteProtocolTo's; a failure names the protocol line, as there.
Status RewritePart(const ProtocolLines &protocolLines,
    const std::vector<GroupSettings> &groups, const ProcessOptions &options,
    const TeamPointsSource &points, const RewriteRun &run, const ProtocolPart &part,
    const LineSink &sink, EarnedQualifications *earned = nullptr);

// The same lines as RewritePart's, appended to `bytes` as they are, each followed by CR LF, and
// counted in `lines`: the bytes of a file in the protocol's own Windows-1251, without a call
// through a sink for every line.
Status RewritePartInto(const ProtocolLines &protocolLines,
    const std::vector<GroupSettings> &groups, const ProcessOptions &options,
    const TeamPointsSource &points, const RewriteRun &run, const ProtocolPart &part,
    std::string &bytes, std::size_t &lines, EarnedQualifications *earned = nullptr);

// Whether RewritePart would succeed, and if not its failure, at a fraction of its work.
Status CheckPart(const ProtocolLines &protocolLines,
    const std::vector<GroupSettings> &groups, const ProcessOptions &options,
    const TeamPointsSource &points, const RewriteRun &run, const ProtocolPart &part);

// Room the rewrite's output of these lines takes at most (but for freak protocols, which a
// buffer then grows for): reserving it lets a buffer fill without being regrown and copied, and
// since pages never written are never touched, a generous bound costs no memory.
struct OutputSize
{
    std::size_t Bytes = 0;
    std::size_t Lines = 0;
};
OutputSize OutputSizeBound(const ProtocolLines &protocolLines);

RewriteResult RewriteProtocol(const ProtocolLines &protocolLines,
                              const std::vector<GroupSettings> &groups,
                              const ProcessOptions &options, const TeamPointsSource &points,
                              const InspectorRequest &askInspector,
                              EarnedQualifications *earned = nullptr);

} // namespace engine
