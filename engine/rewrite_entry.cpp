// The rewrite's entry points: the run prepared once, then the walk over the whole protocol or a
// part, its lines going into a list, a sink, the output's bytes, or nowhere.
#include "engine/rewrite.h"

#include <utility>

#include "engine/inspector.h"
#include "engine/numbers.h"
#include "engine/rewrite_walk.h"
#include "engine/text.h"

namespace engine {

namespace {

    using namespace rewriting;

    constexpr std::string_view NotAFloatSuffix = "' is not a valid floating point value";

    // Where the walk's lines go: into a list, taking the rewritten lines over without a copy, to
    // a sink, into the output's bytes, or nowhere when the walk only checks.
    struct LinesOutput final : WalkOutput
    {
        explicit LinesOutput(std::vector<ProtocolLine> &lines)
            : lines(lines)
        {
        }
        std::vector<ProtocolLine> &lines;
        void Line(std::string_view line) override { lines.emplace_back(line); }
    };

    struct SinkOutput final : WalkOutput
    {
        explicit SinkOutput(const LineSink &sink)
            : sink(sink)
        {
        }
        const LineSink &sink;
        void Line(std::string_view line) override { sink(line); }
    };

    struct BytesOutput final : WalkOutput
    {
        BytesOutput(std::string &bytes, std::size_t &lines)
            : bytes(bytes)
            , lines(lines)
        {
        }
        std::string &bytes;
        std::size_t &lines;
        void Line(std::string_view line) override
        {
            AppendLine(bytes, line);
            ++lines;
        }
        // Room for a line of `size` bytes at the end, its line break already written after it.
        char *Room(std::size_t size) override
        {
            const std::size_t at = bytes.size();
            bytes.resize(at + size + LineBreak.size());
            std::copy(LineBreak.begin(), LineBreak.end(), bytes.data() + at + size);
            ++lines;
            return bytes.data() + at;
        }
    };

    struct CheckOnly final : WalkOutput
    {
        void Line(std::string_view) override { }
        bool ChecksOnly() const override { return true; }
    };

    Status Walk(const ProtocolLines &protocolLines, const std::vector<GroupSettings> &groups,
        const ProcessOptions &options, const TeamPointsSource &points, const RewriteRun &run,
        const ProtocolPart &part, WalkOutput &&out, EarnedQualifications *earned = nullptr)
    {
        ProtocolWalk walk(protocolLines, groups, options, points, run, out, earned);
        walk.Run(run.Inspector, part);
        if (walk.Failed())
            return *walk.Failed();
        return Success();
    }

    RewriteResult Rewrite(const ProtocolLines &protocolLines,
        const std::vector<GroupSettings> &groups, const ProcessOptions &options,
        const TeamPointsSource &points, const InspectorRequest &askInspector, WalkOutput &&out,
        EarnedQualifications *earned)
    {
        RewriteRun run;
        RewriteResult result = PrepareRewrite(groups, options, askInspector, run);
        if (earned)
            earned->Clear();
        if (result.Ok())
            result.Outcome = Walk(protocolLines, groups, options, points, run,
                { 0, protocolLines.size(), 0 }, std::move(out), earned);
        if (earned && result.Ok())
            earned->Inspector = run.Inspector;
        return result;
    }

} // namespace

RewriteResult PrepareRewrite(const std::vector<GroupSettings> &groups,
    const ProcessOptions &options, const InspectorRequest &askInspector, RewriteRun &run)
{
    RewriteResult result;
    if (options.RatingPoints) {
        for (const auto &[text, value] :
            { std::pair { &options.K1Text, &run.K1 }, std::pair { &options.K2Text, &run.K2 } }) {
            const auto parsed = ParseFloat(*text, options.DecimalSeparator);
            if (!parsed) {
                result.Outcome = Failure { 0, "'" + *text + std::string(NotAFloatSuffix) };
                return result;
            }
            *value = *parsed;
        }
    }
    run.Inspector.reset();
    if (InspectorNeeded(groups)) {
        run.Inspector = askInspector ? askInspector() : std::nullopt;
        result.Cancelled = !run.Inspector;
    }
    return result;
}

Status RewritePart(const ProtocolLines &protocolLines, const std::vector<GroupSettings> &groups,
    const ProcessOptions &options, const TeamPointsSource &points, const RewriteRun &run,
    const ProtocolPart &part, const LineSink &sink, EarnedQualifications *earned)
{
    return Walk(protocolLines, groups, options, points, run, part, SinkOutput { sink }, earned);
}

Status RewritePartInto(const ProtocolLines &protocolLines, const std::vector<GroupSettings> &groups,
    const ProcessOptions &options, const TeamPointsSource &points, const RewriteRun &run,
    const ProtocolPart &part, std::string &bytes, std::size_t &lines,
    EarnedQualifications *earned)
{
    return Walk(
        protocolLines, groups, options, points, run, part, BytesOutput { bytes, lines }, earned);
}

Status CheckPart(const ProtocolLines &protocolLines, const std::vector<GroupSettings> &groups,
    const ProcessOptions &options, const TeamPointsSource &points, const RewriteRun &run,
    const ProtocolPart &part)
{
    return Walk(protocolLines, groups, options, points, run, part, CheckOnly {});
}

RewriteResult RewriteProtocolTo(const ProtocolLines &protocolLines,
    const std::vector<GroupSettings> &groups, const ProcessOptions &options,
    const TeamPointsSource &points, const InspectorRequest &askInspector, const LineSink &sink,
    EarnedQualifications *earned)
{
    return Rewrite(
        protocolLines, groups, options, points, askInspector, SinkOutput { sink }, earned);
}

RewriteResult RewriteProtocol(const ProtocolLines &protocolLines,
    const std::vector<GroupSettings> &groups, const ProcessOptions &options,
    const TeamPointsSource &points, const InspectorRequest &askInspector,
    EarnedQualifications *earned)
{
    std::vector<ProtocolLine> lines;
    lines.reserve(protocolLines.size() + 16);
    RewriteResult result = Rewrite(
        protocolLines, groups, options, points, askInspector, LinesOutput { lines }, earned);
    if (!result.Cancelled)
        result.Lines = std::move(lines);
    return result;
}

} // namespace engine
