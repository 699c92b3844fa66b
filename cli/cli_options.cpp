#include "cli/cli_options.h"

#include <algorithm>
#include <charconv>
#include <cctype>
#include <climits>
#include <unordered_map>

#include <getopt.h>

#include "cli/printable.h"
#include "engine/cp1251.h"
#include "engine/group_items.h"
#include "engine/inspector.h"
#include "engine/numbers.h"
#include "engine/table_layout.h"

namespace cli {

const char *const HelpText = R"(Usage: lapwing-cli [options] INPUT
Rewrites an orienteering results protocol (HTML, Windows-1251): awards the qualifications,
adds each group's class, rank and standard times, and on request rating and team points.
A protocol saved in UTF-8 is read as such and written back in UTF-8.

  -o, --output FILE            write the rewritten protocol to FILE (default: standard output)
  --in-place                   replace INPUT with its rewrite (without it an output that is
                               INPUT, by any name, is refused)
  --group NAME=CLASS,MASTERS,TABLE,CATEGORY
                               the settings of every group named NAME (its heading's text
                               before the first ','); repeatable, a later one wins.
                               CLASS: 0..7 or МС, КМС, "I р.", "II р.", "III р.", "I юн",
                                 "II юн", "-- Не считать --";
                               MASTERS: how many top places get МС (class МС only);
                               TABLE: the points table, 1 for A, 2 for B... (0: none);
                               CATEGORY: 0..3 or Дарослыя, Юнацкія, Злучаныя, "Не лічыць".
                               Groups not named keep the settings loading gives them.
  --points FILE                read the points tables from this settings file (without it
                               there are no tables)
  --rating                     add rating points
  --k1 TEXT, --k2 TEXT         the two "К=" values of rating points (default 1000 and 2)
  --count-out-of-competition   count athletes out of competition ("в/к") in the rank
  --include-foreign            count foreign athletes too (they are left out by default)
  --inspector NAME             the inspector of distances, at least 4 characters; needed when
                               a group is of class МС or КМС
  --decimal-separator C        the decimal separator of "К=" and of the rank (default ".")
  --qualification-list FILE    also write the list of qualifications earned (who met which
                               standard, per group the class and rank, the judges) to FILE:
                               CSV (UTF-8) for a name ending in .csv, an HTML page for A4 in
                               the protocol's encoding for .htm or .html; may be given twice
                               (both formats). Written only when the rewrite succeeds.
  --list-groups                print the groups, one a line, tab-separated: number (from 1),
                               name, heading, class (0..7), masters, table, category (0..3),
                               the table's layout (standard, gap, year-first, handicap,
                               left-aligned, relay, unknown; - when none); then exit
  -v, --verbose                say on standard error which encoding the protocol was read in
  -h, --help                   show this help and exit
      --version                show the version and exit

Names and texts on the command line and in messages are UTF-8. Exit status: 0 done;
1 failed (a message on standard error; no output file is written); 2 wrong arguments.
)";

namespace {

    enum LongOnly : int {
        GroupOpt = 256,
        PointsOpt,
        RatingOpt,
        K1Opt,
        K2Opt,
        CountOutOpt,
        IncludeForeignOpt,
        InspectorOpt,
        DecimalSeparatorOpt,
        ListGroupsOpt,
        VersionOpt,
        InPlaceOpt,
        QualificationListOpt,
    };

    // The protocol's file and two lists are saved at once, each through a temporary file the
    // signal handler knows of.
    constexpr std::size_t MaxQualificationLists = 2;

    const option LongOptions[] = {
        { "output", required_argument, nullptr, 'o' },
        { "group", required_argument, nullptr, GroupOpt },
        { "points", required_argument, nullptr, PointsOpt },
        { "rating", no_argument, nullptr, RatingOpt },
        { "k1", required_argument, nullptr, K1Opt },
        { "k2", required_argument, nullptr, K2Opt },
        { "count-out-of-competition", no_argument, nullptr, CountOutOpt },
        { "include-foreign", no_argument, nullptr, IncludeForeignOpt },
        { "inspector", required_argument, nullptr, InspectorOpt },
        { "decimal-separator", required_argument, nullptr, DecimalSeparatorOpt },
        { "list-groups", no_argument, nullptr, ListGroupsOpt },
        { "verbose", no_argument, nullptr, 'v' },
        { "help", no_argument, nullptr, 'h' },
        { "version", no_argument, nullptr, VersionOpt },
        { "in-place", no_argument, nullptr, InPlaceOpt },
        { "qualification-list", required_argument, nullptr, QualificationListOpt },
        { nullptr, 0, nullptr, 0 },
    };

    // Command-line texts are UTF-8; the protocol's are Windows-1251.
    std::optional<std::string> ToWindows1251(std::string_view utf8)
    {
        std::size_t unmapped = 0;
        std::string bytes = engine::Utf8ToCp1251(utf8, '?', &unmapped);
        if (unmapped != 0)
            return std::nullopt;
        return bytes;
    }

    std::string NotWindows1251(std::string_view what, std::string_view text)
    {
        if (!IsUtf8(text))
            return std::string(what) + " '" + Printable(text)
                + "' is not UTF-8 text (the terminal's encoding may be another)";
        return std::string(what) + " '" + std::string(text)
            + "' has characters that Windows-1251 lacks";
    }

} // namespace

engine::Result<GroupOption> ParseGroupOption(std::string_view text)
{
    const std::string quoted = "--group '" + std::string(text) + "'";
    const std::size_t equals = text.rfind('=');
    if (equals == std::string_view::npos || equals == 0) {
        return engine::Failure { 0, quoted + ": expected NAME=CLASS,MASTERS,TABLE,CATEGORY" };
    }
    std::vector<std::string_view> fields;
    std::string_view rest = text.substr(equals + 1);
    for (std::size_t comma; (comma = rest.find(',')) != std::string_view::npos;) {
        fields.push_back(rest.substr(0, comma));
        rest.remove_prefix(comma + 1);
    }
    fields.push_back(rest);
    if (fields.size() != 4) {
        return engine::Failure { 0,
            quoted + ": expected four settings after '=': CLASS,MASTERS,TABLE,CATEGORY" };
    }

    GroupOption group;
    const std::optional<std::string> name = ToWindows1251(text.substr(0, equals));
    const std::optional<engine::DistanceClass> distanceClass = engine::DistanceClassOf(fields[0]);
    const std::optional<int> masters = engine::CountOf(fields[1]);
    const std::optional<int> table = engine::CountOf(fields[2]);
    const std::optional<engine::Category> category = engine::CategoryOf(fields[3]);
    std::string error;
    if (!name)
        error = quoted + ": " + NotWindows1251("the name", text.substr(0, equals));
    else if (!distanceClass)
        error = quoted + ": CLASS must be 0..7 or a class item such as КМС";
    else if (!masters)
        error = quoted + ": MASTERS must be a whole number from 0";
    else if (!table)
        error = quoted + ": TABLE must be a whole number from 0";
    else if (!category)
        error = quoted + ": CATEGORY must be 0..3 or a category item such as Юнацкія";
    if (!error.empty())
        return engine::Failure { 0, error };
    return GroupOption { *name, *distanceClass, *masters, *table, *category };
}

engine::Result<Options> ParseArguments(int argc, char **argv)
{
    Options options;
    std::string error;
    const auto parsed = [&]() -> engine::Result<Options> {
        if (!error.empty())
            return engine::Failure { 0, error };
        return options;
    };
    const auto setText = [&](std::string &target, const char *what, const char *value) {
        if (const std::optional<std::string> bytes = ToWindows1251(value))
            target = *bytes;
        else
            error = NotWindows1251(what, value);
    };

    optind = 0; // start afresh, also on a second call
    opterr = 0; // the messages are ours
    int c = 0;
    while (error.empty() && (c = getopt_long(argc, argv, ":o:hv", LongOptions, nullptr)) != -1) {
        switch (c) {
        case 'o':
            if (optarg[0] == '\0')
                error = "the output file's name (-o) is empty";
            options.Output = optarg;
            break;
        case GroupOpt:
            if (engine::Result<GroupOption> group = ParseGroupOption(optarg))
                options.Groups.push_back(std::move(group.Value()));
            else
                error = group.Error().Reason;
            break;
        case PointsOpt:
            if (optarg[0] == '\0')
                error = "the points file's name (--points) is empty";
            options.PointsFile = optarg;
            break;
        case RatingOpt:
            options.Process.RatingPoints = true;
            break;
        case K1Opt:
            setText(options.Process.K1Text, "--k1", optarg);
            break;
        case K2Opt:
            setText(options.Process.K2Text, "--k2", optarg);
            break;
        case CountOutOpt:
            options.Process.CountOutOfCompetition = true;
            break;
        case IncludeForeignOpt:
            options.Process.ExcludeForeign = false;
            break;
        case InspectorOpt: {
            std::string name;
            setText(name, "--inspector", optarg);
            if (const auto problem = engine::InspectorNameProblem(name); error.empty() && problem)
                error = "--inspector '" + std::string(optarg) + "' cannot sign: " + *problem;
            options.Inspector = name;
            break;
        }
        case DecimalSeparatorOpt:
            // A digit or a letter would merge with the number, a control byte break the line,
            // and '<', '&' or '>' would be read as HTML.
            if (std::string_view(optarg).size() != 1
                || !std::ispunct(static_cast<unsigned char>(optarg[0]))
                || std::string_view("<&>").find(optarg[0]) != std::string_view::npos)
                error = "--decimal-separator takes one ASCII punctuation character other than "
                        "'<', '&' and '>', such as '.' or ','";
            else
                options.Process.DecimalSeparator = optarg[0];
            break;
        case ListGroupsOpt:
            options.ListGroups = true;
            break;
        case 'h':
            options.Help = true;
            break;
        case 'v':
            options.Verbose = true;
            break;
        case VersionOpt:
            options.Version = true;
            break;
        case InPlaceOpt:
            options.InPlace = true;
            break;
        case QualificationListOpt: {
            const std::string_view name = optarg;
            if (!engine::ListFormatOf(name))
                error = "--qualification-list '" + std::string(name)
                    + "': the name must end in .csv (CSV) or .htm, .html (a page)";
            else if (std::find(options.QualificationLists.begin(),
                         options.QualificationLists.end(), name)
                != options.QualificationLists.end())
                error = "--qualification-list '" + std::string(name) + "' is given twice";
            else if (options.QualificationLists.size() == MaxQualificationLists)
                error = "--qualification-list may be given twice at most (a CSV and a page)";
            options.QualificationLists.emplace_back(name);
            break;
        }
        case ':':
            error = std::string("option '") + argv[optind - 1] + "' needs a value";
            break;
        default: {
            const std::string_view given = argv[optind - 1];
            if (optopt == 0)
                error = "unknown option '" + std::string(given) + "'";
            else if (optopt >= GroupOpt
                || (given.starts_with("--") && given.find('=') != given.npos))
                error = "option '" + std::string(given) + "' takes no value";
            else
                error = std::string("unknown option '-") + static_cast<char>(optopt) + "'";
            break;
        }
        }
    }
    if (!error.empty() || options.Help || options.Version)
        return parsed();

    // "К=" values are checked as options, with the separator in force, used or not.
    for (const auto &[name, text] : { std::pair { "--k1", &options.Process.K1Text },
             std::pair { "--k2", &options.Process.K2Text } }) {
        if (error.empty() && !engine::ParseFloat(*text, options.Process.DecimalSeparator))
            error = std::string(name) + " '" + engine::Cp1251ToUtf8(*text)
                + "' is not a number (decimal separator '" + options.Process.DecimalSeparator + "')";
    }
    if (!error.empty())
        return parsed();
    if (optind >= argc)
        error = "no INPUT protocol given";
    else if (optind + 1 < argc)
        error = std::string("one INPUT protocol only; also given '") + argv[optind + 1] + "'";
    else if (argv[optind][0] == '\0')
        error = "the INPUT protocol's name is empty";
    else
        options.Input = argv[optind];
    return parsed();
}

std::vector<std::string> ApplyGroupOptions(
    const std::vector<GroupOption> &options, std::vector<engine::GroupSettings> &groups)
{
    std::vector<std::string> missing;
    if (options.empty())
        return missing;
    // The groups by name, found once: a large protocol repeats a hundred names over thousands of
    // groups, and a script may name each of them.
    std::unordered_map<std::string_view, std::vector<std::size_t>> named;
    for (std::size_t i = 0; i < groups.size(); ++i)
        named[groups[i].Name].push_back(i);
    for (const GroupOption &option : options) {
        auto found = named.find(option.Name);
        // A name as the heading's bytes hold it ("М21 &amp; Ж21"), as scripts gave it when
        // groups were named so, is the group the heading shows.
        if (found == named.end() && option.Name.find('&') != std::string::npos)
            found = named.find(engine::Shown(option.Name).Text);
        if (found == named.end()) {
            missing.push_back(option.Name);
            continue;
        }
        for (const std::size_t i : found->second) {
            engine::GroupSettings &group = groups[i];
            group.DistanceClass = option.DistanceClass;
            group.MastersCount = option.MastersCount;
            group.PointsTable = option.PointsTable;
            group.Category = option.Category;
        }
    }
    return missing;
}

} // namespace cli
