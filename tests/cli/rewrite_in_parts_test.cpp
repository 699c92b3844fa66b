// The batch run's rewrite made in parts on several threads: the same bytes, in order, as the
// rewrite of the whole protocol; it stops at the first failure or failed write.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "cli/rewrite_in_parts.h"
#include "engine/protocol.h"
#include "engine/save.h"
#include "engine/text.h"
#include "engine/time_check.h"

namespace {

using namespace engine;

struct Loaded
{
    ProtocolLines lines;
    std::vector<GroupSettings> groups;
};

Loaded Load(const char *file)
{
    Loaded loaded;
    EXPECT_TRUE(LoadProtocol(std::string(LAPWING_EXAMPLES_DIR) + "/" + file, loaded.lines, loaded.groups));
    for (std::size_t g = 0; g < loaded.groups.size(); ++g) // every class, some with an inspector
        loaded.groups[g].DistanceClass = static_cast<DistanceClass>(g % 4);
    return loaded;
}

const InspectorRequest Inspector = [] { return std::optional<std::string>("Inspector I."); };

TEST(RewriteInParts, TheSameBytesAsTheWholeRewriteWhateverThePartsAndThreads)
{
    for (const char *file : { "sample_protocol.htm", "sample_protocol_utf8.htm" }) {
        const Loaded loaded = Load(file);
        ProcessOptions options;
        options.RatingPoints = true;
        const NoTeamPoints points;
        EarnedQualifications wholeEarned;
        const RewriteResult whole
            = RewriteProtocol(loaded.lines, loaded.groups, options, points, Inspector, &wholeEarned);
        ASSERT_TRUE(whole.Ok());
        ASSERT_FALSE(wholeEarned.Athletes.empty());
        std::string expected;
        LineEncoder encode(loaded.lines.Encoding());
        for (const ProtocolLine &line : whole.Lines)
            AppendLine(expected, encode(line));
        RewriteRun run;
        ASSERT_TRUE(PrepareRewrite(loaded.groups, options, Inspector, run).Ok());
        for (const unsigned workers : { 1u, 2u, 3u }) {
            for (const std::size_t bytes : { std::size_t { 1 }, std::size_t { 1 } << 20 }) {
                SCOPED_TRACE(std::string(file) + ", " + std::to_string(workers) + " workers, parts of "
                    + std::to_string(bytes) + " bytes");
                std::string made;
                std::size_t lines = 0;
                std::size_t written = 0;
                EarnedQualifications earned;
                const std::vector<ProtocolPart> parts = ProtocolParts(loaded.lines, bytes);
                const Status result = cli::RewriteInParts(loaded.lines, loaded.groups, options,
                    points, run, parts, loaded.lines.Encoding(),
                    [&](std::string_view part, std::size_t count) {
                        made += part;
                        lines += count;
                        ++written;
                        return true;
                    },
                    nullptr, workers, &earned);
                EXPECT_TRUE(result.Ok());
                EXPECT_EQ(made, expected);
                // What the parts' walks awarded, in order, is what the whole walk awarded.
                EXPECT_EQ(earned.Groups, wholeEarned.Groups);
                EXPECT_EQ(earned.Athletes, wholeEarned.Athletes);
                EXPECT_EQ(lines, whole.Lines.size());
                EXPECT_EQ(written, parts.size());
                EXPECT_EQ(parts.size(), bytes == 1 ? 5u : 1u); // a part after each of four tables
                EXPECT_TRUE(cli::RewriteInParts(loaded.lines, loaded.groups, options, points, run,
                              parts, loaded.lines.Encoding(), {}, nullptr, workers).Ok());
            }
        }
    }
}

TEST(RewriteInParts, StopsAtTheFirstFailureOrFailedWrite)
{
    const Loaded loaded = Load("sample_protocol.htm");
    ProcessOptions options;
    options.RatingPoints = true;
    options.K1Text = "1e308"; // the first rated athlete's points do not fit
    const NoTeamPoints points;
    const RewriteResult whole = RewriteProtocol(loaded.lines, loaded.groups, options, points, Inspector);
    ASSERT_TRUE(whole.Failed());
    RewriteRun run;
    ASSERT_TRUE(PrepareRewrite(loaded.groups, options, Inspector, run).Ok());
    const std::vector<ProtocolPart> parts = ProtocolParts(loaded.lines, 1);
    for (const bool check : { false, true }) {
        SCOPED_TRACE(check ? "checked" : "written");
        std::size_t writtenLines = 0;
        const cli::PartWriter write = [&](std::string_view, std::size_t count) {
            writtenLines += count;
            return true;
        };
        const Status result = cli::RewriteInParts(loaded.lines, loaded.groups, options, points,
            run, parts, loaded.lines.Encoding(), check ? cli::PartWriter() : write, nullptr, 2);
        EXPECT_FALSE(result.Ok());
        EXPECT_EQ(result.Error(), whole.Error());
        // Only parts before the failing one are written: the lines before its table.
        EXPECT_LE(writtenLines, whole.Lines.size());
    }

    options.K1Text = "1000";
    ASSERT_TRUE(PrepareRewrite(loaded.groups, options, Inspector, run).Ok());
    // Two failures in different parts: the winners of the second and the fourth tables have a
    // time of 0 (rating points would divide by it). The first in the protocol's order is told,
    // whichever part a worker finishes first.
    std::vector<std::string> zeroTimes;
    int tables = 0;
    bool winnerDone = true;
    for (const std::string_view line : loaded.lines) {
        std::string text(line);
        if (text.starts_with("<h2>"))
            winnerDone = ++tables != 2 && tables != 4;
        else if (!winnerDone && text.starts_with("   1 ")) {
            text = std::regex_replace(text, std::regex("\\d\\d:\\d\\d:\\d\\d"), "00:00:00",
                std::regex_constants::format_first_only);
            winnerDone = true;
        }
        zeroTimes.push_back(text);
    }
    const ProtocolLines twoFailures(zeroTimes);
    const RewriteResult first
        = RewriteProtocol(twoFailures, loaded.groups, options, points, Inspector);
    ASSERT_TRUE(first.Failed());
    EXPECT_GT(first.Error().Line, parts[1].First); // in the second table, not the first
    for (const unsigned workers : { 1u, 2u, 5u }) {
        SCOPED_TRACE(std::to_string(workers) + " workers");
        const Status told = cli::RewriteInParts(twoFailures, loaded.groups, options, points,
            run, ProtocolParts(twoFailures, 1), twoFailures.Encoding(), {}, nullptr, workers);
        EXPECT_FALSE(told.Ok());
        EXPECT_EQ(told.Error(), first.Error());
    }

    int calls = 0;
    const Status stopped = cli::RewriteInParts(loaded.lines, loaded.groups, options, points, run,
        parts, loaded.lines.Encoding(), [&](std::string_view, std::size_t) { return ++calls < 2; }, nullptr, 2);
    EXPECT_TRUE(stopped.Ok());
    EXPECT_EQ(calls, 2);
}

} // namespace

namespace {

TEST(RewriteInParts, TellsWhatTheChecksFindInOrderHoweverTheRunEnds)
{
    // A part each: tables whose times stand elsewhere, and tables of today's layout with a time
    // past 59. Each finding is told once, in order, whether the parts are written, only checked,
    // or the writing stops after the second part.
    std::vector<std::string> made;
    std::vector<GroupSettings> groups;
    std::string impossible(86, ' ');
    impossible.replace(0, 12, "   1 Athlete");
    impossible.replace(67, 8, "00:75:10");
    impossible.replace(81, 1, "1");
    for (const char *name : { "M21", "M35", "W21", "W35", "M50", "W50" }) {
        const bool today = groups.size() % 2 == 1;
        made.insert(made.end(), { std::string("<h2>") + name + "</h2>", "<pre>",
                                    today ? impossible : "   1 Athlete              0:10:45",
                                    "</pre>" });
        groups.emplace_back().Name = name;
    }
    const ProtocolLines lines(made);
    const TableChecks whole { CheckTableLayouts(lines, groups),
        ImpossibleTimeLines(lines, groups) };
    ASSERT_EQ(whole.Layout.size(), 3u);
    ASSERT_EQ(whole.ImpossibleTimes, (std::vector<std::size_t> { 7, 15, 23 }));
    const std::vector<ProtocolPart> parts = ProtocolParts(lines, 1);
    ASSERT_EQ(parts.size(), 6u);
    const ProcessOptions options;
    const NoTeamPoints points;
    RewriteRun run;
    ASSERT_TRUE(PrepareRewrite(groups, options, Inspector, run).Ok());
    int calls = 0;
    const cli::PartWriter stopsAfterTwo = [&](std::string_view, std::size_t) { return ++calls < 2; };
    // Stopped at the second-to-last part, only the last one is left to check.
    int lateCalls = 0;
    const cli::PartWriter stopsAfterFive
        = [&](std::string_view, std::size_t) { return ++lateCalls < 5; };
    for (const cli::PartWriter &write : { cli::PartWriter([](auto, auto) { return true; }),
             cli::PartWriter(), stopsAfterTwo, stopsAfterFive }) {
        TableChecks found;
        static_cast<void>(cli::RewriteInParts(lines, groups, options, points, run, parts,
            lines.Encoding(), write, &found, 2));
        EXPECT_EQ(found.Layout, whole.Layout);
        EXPECT_EQ(found.ImpossibleTimes, whole.ImpossibleTimes);
    }
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(lateCalls, 5);
}

} // namespace
