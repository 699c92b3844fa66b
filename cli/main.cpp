// lapwing-cli: the rewrite of a results protocol as a batch run.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "cli/cli_options.h"
#include "cli/console.h"
#include "cli/messages.h"
#include "cli/printable.h"
#include "cli/rewrite_in_parts.h"
#include "cli/signals.h"
#include "engine/cp1251.h"
#include "engine/file_bytes.h"
#include "engine/layout_check.h"
#include "engine/paths.h"
#include "engine/protocol.h"
#include "engine/qualification_list.h"
#include "engine/rewrite.h"
#include "engine/save.h"
#include "engine/text.h"
#include "engine/time_check.h"
#include "points/settings_file.h"
#include "points/settings_location.h"

namespace {

constexpr const char *Program = "lapwing-cli";

// Control bytes from a protocol's headings or an argument are shown, not sent to the terminal.
void Report(const std::string &message)
{
    static_cast<void>(cli::WriteStandard(
        cli::Stream::Error, std::string(Program) + ": " + cli::Printable(message) + "\n"));
}

// "out.htm[:line]: Памылка падчас запісу: reason"
void ReportSaveFailure(const std::string &output, engine::Failure failure)
{
    failure.Reason = std::string(cli::SaveFailedMessage) + ": " + failure.Reason;
    Report(engine::Describe(output, failure));
}

void ReportCutShort(const std::string &input)
{
    Report(engine::Describe(input,
        { 0, std::string(cli::LoadFailedMessage) + ": " + std::string(engine::CutShortReason) }));
}

int UsageError(const std::string &message)
{
    Report(message);
    static_cast<void>(cli::WriteStandard(
        cli::Stream::Error, "Try '" + std::string(Program) + " --help' for more information.\n"));
    return 2;
}

// `encoding`: what the bytes are in, for a console that shows them as text.
bool WriteOut(std::string_view bytes, engine::TextEncoding encoding = engine::TextEncoding::Utf8)
{
    if (const engine::Status written = cli::WriteStandard(cli::Stream::Output, bytes, encoding);
        !written) {
        Report("standard output: " + written.Error().Reason);
        return false;
    }
    return true;
}

int ListGroups(const std::vector<engine::GroupSettings> &groups)
{
    std::string text;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const engine::GroupSettings &group = groups[i];
        text += std::to_string(i + 1) + '\t' + engine::Cp1251ToUtf8(group.Name) + '\t'
            + engine::Cp1251ToUtf8(group.Heading) + '\t'
            + std::to_string(static_cast<int>(group.DistanceClass)) + '\t'
            + std::to_string(group.MastersCount) + '\t' + std::to_string(group.PointsTable) + '\t'
            + std::to_string(static_cast<int>(group.Category)) + '\t'
            + std::string(group.Table ? engine::LayoutName(group.Table->Layout.Kind) : "-") + '\n';
    }
    return WriteOut(text) ? 0 : 1;
}

// Whether two names are of one file; files not made yet are when their names lead to the same
// place.
bool SameFile(const std::string &a, const std::string &b)
{
    std::error_code ignored;
    const std::filesystem::path x = engine::Utf8Path(a);
    const std::filesystem::path y = engine::Utf8Path(b);
    if (std::filesystem::equivalent(x, y, ignored))
        return true;
    // A name that cannot be followed gives an empty path, which names no file.
    const std::filesystem::path placeX = std::filesystem::weakly_canonical(x, ignored);
    const std::filesystem::path placeY = std::filesystem::weakly_canonical(y, ignored);
    return !placeX.empty() && placeX == placeY;
}

int Run(const cli::Options &options)
{
    // The source protocol replaced unasked would be lost, however its name was written.
    if (std::error_code ignored; options.Output && !options.InPlace
        && std::filesystem::equivalent(
            engine::Utf8Path(options.Input), engine::Utf8Path(*options.Output), ignored))
        return UsageError(*options.Output + " is the INPUT protocol itself; give --in-place to "
            "replace it with its rewrite");
    // The points tables written over by the rewrite would be lost as well.
    if (options.Output && options.PointsFile && SameFile(*options.Output, *options.PointsFile))
        return UsageError(
            "-o " + *options.Output + " is the file " + *options.PointsFile + " names already");
    // A list written over the protocol, its rewrite, the points tables or the other list would
    // lose one of them.
    for (std::size_t k = 0; k < options.QualificationLists.size(); ++k) {
        const std::string &list = options.QualificationLists[k];
        std::vector<std::string> others { options.Input };
        if (options.Output)
            others.push_back(*options.Output);
        if (options.PointsFile)
            others.push_back(*options.PointsFile);
        others.insert(others.end(), options.QualificationLists.begin(),
            options.QualificationLists.begin() + static_cast<std::ptrdiff_t>(k));
        for (const std::string &other : others) {
            if (SameFile(list, other))
                return UsageError("--qualification-list " + list + " is the file " + other
                    + " names already");
        }
    }
    // Mapped: the run reads the lines at once and checks they are intact before it trusts them.
    engine::ProtocolLines lines;
    std::vector<engine::GroupSettings> groups;
    if (const engine::Status loaded
        = engine::LoadProtocol(
            engine::Utf8Path(options.Input), lines, groups, engine::FileAccess::Map);
        !loaded) {
        engine::Failure failure = loaded.Error();
        failure.Reason = std::string(cli::LoadFailedMessage) + ": " + failure.Reason;
        Report(engine::Describe(options.Input, failure));
        return 1;
    }
    if (groups.empty())
        Report("warning: " + options.Input + " has no group heading (\"<h2>\"): nothing is "
            "awarded");
    else if (const std::string notes = engine::DescribeTableNotes(groups); !notes.empty())
        Report("warning: " + options.Input + ": " + notes);
    // The parts the rewrite is made in, on every core.
    const std::vector<engine::ProtocolPart> parts = engine::ProtocolParts(lines, cli::PartBytes);
    // Impossible times and tables laid out differently are named once, before what the run
    // reports of its end: times are read as they stand, as the window reads them, but a
    // secretary should know of them. The rewrite's workers check each part as they make it,
    // which saves two more readings of a large protocol; a run that ends before the rewrite
    // checks the tables here.
    std::optional<engine::TableChecks> checks;
    const auto reportChecks = [&] {
        if (!checks)
            checks = engine::CheckTables(lines, groups);
        if (const std::string text
            = engine::DescribeImpossibleTimes(options.Input, checks->ImpossibleTimes);
            !text.empty())
            Report("warning: " + text);
        if (const std::string text = engine::DescribeLayoutProblems(options.Input, checks->Layout);
            !text.empty())
            Report("warning: " + text);
    };
    if (options.Verbose)
        Report(options.Input + ": read as "
            + (lines.Encoding().Encoding == engine::TextEncoding::Utf8 ? "UTF-8" : "Windows-1251")
            + (lines.Encoding().ByteOrderMark ? " with a byte order mark" : ""));
    // A script may name every group it knows of; not every protocol has them all.
    for (const std::string &name : cli::ApplyGroupOptions(options.Groups, groups))
        Report("warning: " + options.Input + " has no group " + engine::Cp1251ToUtf8(name));
    if (options.ListGroups) {
        reportChecks();
        return ListGroups(groups);
    }

    points::PointsGrid grid;
    std::vector<int> tablesUsed;
    for (const engine::GroupSettings &group : groups)
        tablesUsed.push_back(group.PointsTable);
    if (options.PointsFile) {
        const engine::Result<std::string> bytes
            = points::ReadSettingsFile(engine::Utf8Path(*options.PointsFile));
        if (!bytes) {
            reportChecks();
            Report(engine::Describe(*options.PointsFile,
                { bytes.Error().Line, "cannot read the points tables: " + bytes.Error().Reason }));
            return 1;
        }
        points::LoadedTables loaded = points::LoadPointsTables(bytes.Value());
        // A value that is not a whole number 0-99999 would go into the protocol as it stands
        // (markup, megabytes): a run that would write one stops before the rewrite.
        const engine::Failure *bad = points::FirstBadValueIn(loaded, tablesUsed);
        for (const engine::Failure &warning : loaded.Warnings) {
            if (!bad || warning != *bad)
                Report("warning: " + engine::Describe(*options.PointsFile, warning));
        }
        if (bad) {
            reportChecks();
            Report(engine::Describe(*options.PointsFile, *bad));
            return 1;
        }
        grid = std::move(loaded.Tables.Grid);
    }
    for (const engine::GroupSettings &group : groups) {
        if (group.PointsTable > grid.TablesCount()) {
            reportChecks();
            Report("group " + engine::Cp1251ToUtf8(group.Name) + ": there is no points table "
                + std::to_string(group.PointsTable)
                + " (tables: " + std::to_string(grid.TablesCount())
                + (options.PointsFile ? ")" : "; give them with --points FILE)"));
            return 1;
        }
    }

    // The output goes out part by part as the rewrite makes it, into the file's temporary copy,
    // which replaces the file only when the run succeeded. Standard output must show nothing of
    // a run that fails, and holding the whole output until then would double the memory: a
    // first run only checks that the rewrite succeeds (which costs a fraction of it), then a
    // second prints it.
    engine::RewriteRun run;
    std::optional<engine::AtomicFileWriter> file;
    if (options.Output) {
        const cli::SignalsHeld held;
        file.emplace(engine::Utf8Path(*options.Output));
        // A save that cannot succeed (no folder, no permission) fails before the rewrite runs.
        if (const engine::Status opened = file->Open(); !opened) {
            reportChecks();
            ReportSaveFailure(*options.Output, opened.Error());
            return 1;
        }
        cli::RemoveOnSignal(file->TemporaryPath());
        // The rewrite adds its fields to every result line: a third more bytes, about.
        if (!lines.empty())
            file->Reserve(static_cast<long long>(lines.EndOffset(lines.size() - 1)) * 4 / 3);
    }
    // The lists too: one that cannot be saved fails the run before the rewrite, and an earlier
    // list stays as it was until the run has succeeded.
    std::vector<std::unique_ptr<engine::AtomicFileWriter>> lists;
    for (const std::string &name : options.QualificationLists) {
        const cli::SignalsHeld held;
        lists.push_back(std::make_unique<engine::AtomicFileWriter>(engine::Utf8Path(name)));
        if (const engine::Status opened = lists.back()->Open(); !opened) {
            reportChecks();
            ReportSaveFailure(name, opened.Error());
            return 1;
        }
        cli::RemoveOnSignal(lists.back()->TemporaryPath());
    }
    std::optional<engine::EarnedQualifications> earned;
    if (!lists.empty())
        earned.emplace();
    // The lists, once the protocol has gone out whole.
    const auto writeLists = [&]() -> bool {
        if (lists.empty())
            return true;
        const engine::QualificationList list = engine::MakeQualificationList(
            lines, groups, *earned, run.Inspector, options.Process.DecimalSeparator);
        for (std::size_t k = 0; k < lists.size(); ++k) {
            const std::string &name = options.QualificationLists[k];
            const std::string bytes = engine::ListFormatOf(name) == engine::ListFormat::Csv
                ? engine::QualificationListCsv(list)
                : engine::QualificationListHtml(list, lines.Encoding());
            lists[k]->Write(bytes);
            if (const engine::Status written = lists[k]->Commit(); !written) {
                ReportSaveFailure(name, written.Error());
                return false;
            }
        }
        return true;
    };
    engine::RewriteResult outcome
        = engine::PrepareRewrite(groups, options.Process, [&] { return options.Inspector; }, run);
    // The output goes back in the protocol's own encoding.
    const engine::SourceEncoding encoding = lines.Encoding();
    const std::string_view start = engine::LineEncoder(encoding).Start();
    if (outcome.Ok()) {
        checks.emplace();
        if (file) {
            file->Write(start);
            outcome.Outcome = cli::RewriteInParts(lines, groups, options.Process, grid, run, parts,
                encoding,
                [&](std::string_view bytes, std::size_t count) { return file->Write(bytes, count); },
                &*checks, 0, earned ? &*earned : nullptr);
        } else {
            outcome.Outcome = cli::RewriteInParts(
                lines, groups, options.Process, grid, run, parts, encoding, {}, &*checks);
        }
    }
    reportChecks();
    if (outcome.Cancelled) {
        Report(
            "a group of class МС or КМС needs the inspector of distances: give --inspector NAME");
        return 1;
    }
    if (outcome.Failed()) {
        const engine::Failure &failure = outcome.Error();
        std::string reason = engine::Cp1251ToUtf8(failure.Reason);
        if (options.Process.RatingPoints && failure.Line > 0)
            reason += " (rating points with --k1 " + engine::Cp1251ToUtf8(options.Process.K1Text)
                + " and --k2 " + engine::Cp1251ToUtf8(options.Process.K2Text) + ")";
        Report(engine::Describe(options.Input, { failure.Line, reason }));
        return 1;
    }
    if (!lines.Intact()) {
        ReportCutShort(options.Input);
        return 1;
    }
    if (!file) {
        // Known to succeed: printed. Only a file cut short while it was printed (its lost part
        // reads as zeros) can make this run differ from the check.
        bool printed = WriteOut(start, encoding.Encoding);
        engine::Status print = engine::Success();
        if (printed)
            print = cli::RewriteInParts(lines, groups, options.Process, grid, run, parts, encoding,
                [&](std::string_view bytes, std::size_t) {
                    return printed = WriteOut(bytes, encoding.Encoding);
                },
                nullptr, 0, earned ? &*earned : nullptr);
        if (printed && (!print || !lines.Intact())) {
            ReportCutShort(options.Input);
            return 1;
        }
        const bool listed = printed && writeLists();
        cli::ForgetOnSignal();
        return listed ? 0 : 1;
    }
    const engine::Status written = file->Commit();
    if (!written) {
        cli::ForgetOnSignal();
        ReportSaveFailure(*options.Output, written.Error());
        return 1;
    }
    const bool listed = writeLists();
    cli::ForgetOnSignal();
    return listed ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    cli::PrepareStandardStreams();
    std::vector<std::string> arguments = cli::Utf8Arguments(argc, argv);
    std::vector<char *> pointers;
    for (std::string &argument : arguments)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    const engine::Result<cli::Options> parsed
        = cli::ParseArguments(static_cast<int>(arguments.size()), pointers.data());
    if (!parsed)
        return UsageError(parsed.Error().Reason);
    cli::Options options = parsed.Value();
    if (options.Help)
        return WriteOut(cli::HelpText) ? 0 : 1;
    if (options.Version)
        return WriteOut(std::string(Program) + " " LAPWING_VERSION "\n") ? 0 : 1;
    if (options.InPlace && !options.Output)
        options.Output = options.Input;
    try {
        return Run(options);
    } catch (const std::bad_alloc &) {
        Report(options.Input + ": not enough memory");
        return 1;
    } catch (const std::exception &error) {
        Report(error.what());
        return 1;
    }
}
