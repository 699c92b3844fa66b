// Runs of the built lapwing-cli: exit status, standard output and error, files.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "cli_process.h"
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/cp1251.h"
#include "engine/file_reading.h"
#include "engine/protocol.h"
#include "engine/rewrite.h"
#include "engine/save.h"
#include "points/points_tables.h"
#include "points/settings_file.h"
#include "points/settings_location.h"

namespace {

namespace fs = std::filesystem;
using engine::operator""_w1251;

const fs::path Examples = LAPWING_EXAMPLES_DIR;
const fs::path SampleProtocol = Examples / "sample_protocol.htm";
const fs::path SamplePoints = Examples / "sample.INI";

using clitest::CliRun;
using clitest::Quoted;
using clitest::ReadBytes;
using clitest::WriteBytes;

class Cli : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path()
            / ("lapwing-cli-" + std::to_string(::getpid()) + "-"
                + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    CliRun Run(const std::vector<std::string> &arguments) const
    {
        return clitest::RunCli(m_dir, arguments);
    }

    fs::path m_dir;
};

// The arguments of the rewrite that examples/sample_protocol_expected.htm shows.
const std::vector<std::string> ExpectedRewrite = {
    SampleProtocol,
    "--points",
    SamplePoints,
    "--rating",
    "--group",
    "М21=0,2,1,0",
    "--group",
    "Open=4,0,1,2",
    "--inspector",
    "Кузьмич А.Б.",
};

// The example in Windows-1251 and its twin in UTF-8, which goes back in UTF-8; to a file and to
// standard output.
TEST_F(Cli, WritesTheExpectedSampleRewrite)
{
    for (const std::string name : { "sample_protocol", "sample_protocol_utf8" }) {
        SCOPED_TRACE(name);
        std::vector<std::string> arguments = ExpectedRewrite;
        arguments[0] = Examples / (name + ".htm");
        const std::string expected = ReadBytes(Examples / (name + "_expected.htm"));
        const CliRun toStdout = Run(arguments);
        EXPECT_EQ(toStdout.Status, 0) << toStdout.Err;
        EXPECT_EQ(toStdout.Out, expected);
        arguments.insert(arguments.end(), { "-o", m_dir / "out.htm" });
        const CliRun toFile = Run(arguments);
        EXPECT_EQ(toFile.Status, 0) << toFile.Err;
        EXPECT_EQ(toFile.Err, "");
        EXPECT_EQ(toFile.Out, "");
        EXPECT_EQ(ReadBytes(m_dir / "out.htm"), expected);
    }
}

TEST_F(Cli, OutputIsWhatSavingTheRewriteWrites)
{
    const CliRun run = Run({ SampleProtocol, "--points", SamplePoints, "--rating", "--k1", "500,5",
        "--k2", "1,5", "--decimal-separator", ",", "--count-out-of-competition",
        "--include-foreign", "--group", "Ж21=1,0,1,Юнацкія", "--group", "Ж16=II р.,0,1,3",
        "--inspector", "Іваноў І." });
    ASSERT_EQ(run.Status, 0) << run.Err;

    engine::ProtocolLines lines;
    std::vector<engine::GroupSettings> groups;
    ASSERT_TRUE(engine::LoadProtocol(SampleProtocol, lines, groups).Ok());
    ASSERT_EQ(groups.size(), 4u);
    groups[1].DistanceClass = engine::DistanceClass::Kms;
    groups[1].PointsTable = 1;
    groups[1].Category = engine::Category::Juniors;
    groups[2].DistanceClass = engine::DistanceClass::Second;
    groups[2].PointsTable = 1;
    groups[2].Category = engine::Category::NotCounted;
    engine::ProcessOptions options;
    options.RatingPoints = true;
    options.K1Text = "500,5";
    options.K2Text = "1,5";
    options.DecimalSeparator = ',';
    options.CountOutOfCompetition = true;
    options.ExcludeForeign = false;
    const points::PointsGrid grid = points::LoadPointsTables(ReadBytes(SamplePoints)).Tables.Grid;
    const engine::RewriteResult result = engine::RewriteProtocol(
        lines, groups, options, grid, [] { return std::string("Іваноў І."_w1251); });
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(run.Out, engine::ProtocolBytes(result.Lines));
}

// The line of the output that holds `text`, without its CR LF.
std::string LineWith(const std::string &output, std::string_view text)
{
    const std::size_t at = output.find(text);
    if (at == std::string::npos)
        return {};
    const std::size_t begin = output.rfind('\n', at) + 1;
    return output.substr(begin, output.find("\r\n", at) - begin);
}

TEST_F(Cli, TeamPointsComeFromTheSettingsFile)
{
    WriteBytes(m_dir / "points.INI",
        "[Ochki]\r\nTablesCount=2\r\nPlacesCount=3\r\n1=25;7;\r\n2=20;6;\r\n3=18;;\r\n");
    const CliRun run
        = Run({ SampleProtocol, "--points", m_dir / "points.INI", "--group", "Open=4,0,2,2" });
    ASSERT_EQ(run.Status, 0) << run.Err;
    // Team points stand at bytes 88..92, right-aligned; table B has two values and then keeps
    // giving its last one.
    EXPECT_EQ(LineWith(run.Out, "Шпак"_w1251).substr(87, 5), "    7");
    EXPECT_EQ(LineWith(run.Out, "Чиж"_w1251).substr(87, 5), "    6");
    EXPECT_EQ(LineWith(run.Out, "Грач"_w1251).substr(87, 5), "    6");

    const CliRun none = Run({ SampleProtocol, "--group", "Open=4,0,0,2" });
    ASSERT_EQ(none.Status, 0) << none.Err;
    EXPECT_EQ(LineWith(none.Out, "Шпак"_w1251).find("    7"), std::string::npos);
}

TEST_F(Cli, APointsValueThatIsNoWholeNumberStopsARunThatWouldWriteIt)
{
    const std::string script = "</pre><script>alert(document.domain)</script><pre>";
    WriteBytes(m_dir / "points.INI",
        "[Ochki]\r\nTablesCount=2\r\nPlacesCount=2\r\n1=25;7;\r\n2=20;" + script + ";\r\n");
    const std::string where = (m_dir / "points.INI").string() + ":5: table B, key \"2\": \"";
    const fs::path out = m_dir / "out.htm";
    const CliRun stopped = Run(
        { SampleProtocol, "--points", m_dir / "points.INI", "--group", "Open=4,0,2,2", "-o", out });
    EXPECT_EQ(stopped.Status, 1);
    EXPECT_TRUE(stopped.Err.starts_with("lapwing-cli: " + where)) << stopped.Err;
    EXPECT_EQ(stopped.Err.find("warning"), std::string::npos) << stopped.Err;
    EXPECT_FALSE(fs::exists(out));

    // A table no group uses is only a warning.
    const CliRun other
        = Run({ SampleProtocol, "--points", m_dir / "points.INI", "--group", "Open=4,0,1,2" });
    EXPECT_EQ(other.Status, 0) << other.Err;
    EXPECT_TRUE(other.Err.starts_with("lapwing-cli: warning: " + where)) << other.Err;
    EXPECT_EQ(other.Out.find("<script>"), std::string::npos);
}

TEST_F(Cli, AGroupOfClassMSOrKMSNeedsTheInspector)
{
    const fs::path out = m_dir / "out.htm";
    const CliRun refused = Run({ SampleProtocol, "--group", "Ж21=КМС,0,0,0", "-o", out });
    EXPECT_EQ(refused.Status, 1);
    EXPECT_NE(refused.Err.find("--inspector"), std::string::npos) << refused.Err;
    EXPECT_FALSE(fs::exists(out));

    const CliRun signed_
        = Run({ SampleProtocol, "--group", "Ж21=КМС,0,0,0", "--inspector", "Кузьмич А.Б." });
    EXPECT_EQ(signed_.Status, 0) << signed_.Err;
    EXPECT_NE(signed_.Out.find(std::string("Инспектор дистанций"_w1251) + std::string(29, ' ')
                  + std::string("Кузьмич А.Б."_w1251)),
        std::string::npos);

    const CliRun notNeeded = Run({ SampleProtocol });
    EXPECT_EQ(notNeeded.Status, 0) << notNeeded.Err;
    EXPECT_EQ(notNeeded.Out.find("Инспектор дистанций"_w1251), std::string::npos);
}

TEST_F(Cli, AProtocolThatCannotBeReadNamesFileLineAndReason)
{
    const fs::path out = m_dir / "out.htm";
    const std::string folder = m_dir / "folder.htm";
    fs::create_directory(folder);
    const std::string fifo = m_dir / "fifo.htm";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string utf16 = m_dir / "utf16.htm";
    WriteBytes(utf16, std::string_view("\xFF\xFE<\0h\0" "2\0>\0", 10));
    const std::string polish = m_dir / "polish.htm"; // UTF-8 with a letter the code page lacks
    WriteBytes(polish, "<h2>М21</h2>\n  Šimkus Łukasz");
    const std::string huge = m_dir / "huge.htm";
    std::ofstream { huge };
    fs::resize_file(huge, engine::MaxProtocolBytes + 1); // sparse: no disk is used
    struct Case
    {
        std::string input;
        std::string where; // file, and line where one applies
        std::string reason;
    };
    const Case cases[] = {
        { m_dir / "missing.htm", m_dir / "missing.htm", "No such file or directory" },
        { folder, folder, "Is a directory" },
        { fifo, fifo, "not a regular file (a FIFO, device or socket)" },
        { "/dev/zero", "/dev/zero", "not a regular file (a FIFO, device or socket)" },
        { utf16, utf16 + ":1", "the file is UTF-16 text, not Windows-1251" },
        { huge, huge, "the file is larger than the limit of 1 GiB" },
        { polish, polish + ":2",
            "UTF-8 text, column 3: the character \"Š\" (U+0160) cannot be written in "
            "Windows-1251" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.input);
        const CliRun run = Run({ c.input, "-o", out });
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Err,
            "lapwing-cli: " + c.where + ": Памылка пры адкрыцці файла: " + c.reason + "\n");
        EXPECT_FALSE(fs::exists(out));
    }
}

TEST_F(Cli, VerboseSaysWhichEncodingWasRead)
{
    const std::string utf8 = Examples / "sample_protocol_utf8.htm";
    EXPECT_EQ(Run({ utf8, "--verbose", "--list-groups" }).Err,
        "lapwing-cli: " + utf8 + ": read as UTF-8 with a byte order mark\n");
    EXPECT_EQ(Run({ SampleProtocol, "-v", "--list-groups" }).Err,
        "lapwing-cli: " + SampleProtocol.string() + ": read as Windows-1251\n");
    EXPECT_EQ(Run({ utf8, "--list-groups" }).Err, "");
}

TEST_F(Cli, AFailedRewriteLeavesTheOutputFileAsItWas)
{
    const fs::path out = m_dir / "out.htm";
    WriteBytes(out, "earlier output");
    // The first rated athlete's points do not fit: the run stops at that line.
    const CliRun run = Run({ SampleProtocol, "--rating", "--k1", "1e308", "-o", out });
    EXPECT_EQ(run.Status, 1);
    const std::string where = SampleProtocol.string() + ":";
    EXPECT_TRUE(run.Err.starts_with("lapwing-cli: " + where)) << run.Err;
    EXPECT_NE(run.Err.find(": Invalid floating point operation (rating points with --k1 1e308 and "
                           "--k2 2)\n"),
        std::string::npos)
        << run.Err;
    EXPECT_EQ(ReadBytes(out), "earlier output");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 3)
        << "out.htm, stdout and stderr: no temporary file";
}

// The lists of qualifications beside the protocol, to a file or with the protocol on standard
// output; the page in the protocol's encoding, the CSV always UTF-8.
TEST_F(Cli, WritesTheQualificationListsOfASuccessfulRun)
{
    const std::string csv = ReadBytes(Examples / "sample_qualification_list.csv");
    const std::string page = ReadBytes(Examples / "sample_qualification_list.htm");
    for (const std::string name : { "sample_protocol", "sample_protocol_utf8" }) {
        for (const bool toFile : { true, false }) {
            SCOPED_TRACE(name + (toFile ? " to a file" : " to standard output"));
            std::vector<std::string> arguments = ExpectedRewrite;
            arguments[0] = Examples / (name + ".htm");
            arguments.insert(arguments.end(), { "--qualification-list", m_dir / "list.csv",
                                                  "--qualification-list", m_dir / "list.HTML" });
            if (toFile)
                arguments.insert(arguments.end(), { "-o", m_dir / "out.htm" });
            const CliRun run = Run(arguments);
            EXPECT_EQ(run.Status, 0) << run.Err;
            EXPECT_EQ(run.Err, "");
            EXPECT_EQ(ReadBytes(m_dir / "list.csv"), csv);
            const std::string made = ReadBytes(m_dir / "list.HTML");
            if (name == "sample_protocol") {
                EXPECT_EQ(made, page);
            } else {
                EXPECT_TRUE(made.starts_with(std::string(engine::Utf8ByteOrderMark) + "<html>")) << made.substr(0, 20);
                EXPECT_NE(made.find("charset=utf-8"), std::string::npos);
                EXPECT_NE(made.find("Кузьмич А.Б."), std::string::npos);
            }
            fs::remove(m_dir / "list.csv");
            fs::remove(m_dir / "list.HTML");
        }
    }
}

TEST_F(Cli, AFailedRunLeavesTheQualificationListsAsTheyWere)
{
    const fs::path list = m_dir / "list.csv";
    WriteBytes(list, "earlier list");
    struct Case
    {
        const char *name;
        std::vector<std::string> arguments;
        int status;
    };
    const Case cases[] = {
        { "the rewrite fails", { SampleProtocol, "--rating", "--k1", "1e308", "-o", m_dir / "out.htm" }, 1 },
        { "no inspector", { SampleProtocol, "--group", "М21=0,0,0,0" }, 1 },
        { "the protocol cannot be saved", { SampleProtocol, "-o", m_dir / "no-folder" / "out.htm" }, 1 },
        { "a list that is the output", { SampleProtocol, "-o", m_dir / "./list.csv" }, 2 },
        { "a list that is the input", { SampleProtocol, "--qualification-list", SampleProtocol }, 2 },
        { "the same list twice by two names", { SampleProtocol, "--qualification-list", m_dir / "./list.csv" }, 2 },
        { "a name of no format", { SampleProtocol, "--qualification-list", m_dir / "list.txt" }, 2 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> arguments = c.arguments;
        arguments.insert(arguments.begin() + 1, { "--qualification-list", list });
        const CliRun run = Run(arguments);
        EXPECT_EQ(run.Status, c.status) << run.Err;
        EXPECT_NE(run.Err, "");
        EXPECT_EQ(ReadBytes(list), "earlier list");
        EXPECT_FALSE(fs::exists(m_dir / "out.htm"));
        EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 3)
            << "list.csv, stdout and stderr: no temporary file";
    }
    // A list that cannot be saved fails the run before the rewrite, which writes nothing.
    const CliRun run = Run({ SampleProtocol, "--qualification-list", m_dir / "no-folder" / "l.htm",
        "-o", m_dir / "out.htm" });
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("no-folder/l.htm: Памылка падчас запісу"), std::string::npos) << run.Err;
    EXPECT_FALSE(fs::exists(m_dir / "out.htm"));
}

TEST_F(Cli, OutputTargets)
{
    // A protocol with a group of class МС: without --inspector the rewrite would fail, so a
    // save error shows that the output was checked before the rewrite ran.
    const std::vector<std::string> needsInspector = { SampleProtocol, "--group", "М21=0,0,0,0" };
    const std::string folder = m_dir / "no-such-folder";
    struct Case
    {
        const char *name;
        std::string output;
        int status;
        std::string err;
    };
    const Case cases[] = {
        { "a missing folder is named", folder + "/out.htm", 1,
            "lapwing-cli: " + folder + "/out.htm: Памылка падчас запісу: cannot create a file in "
                + folder + ": No such file or directory\n" },
        { "a folder", m_dir, 1,
            "lapwing-cli: " + m_dir.string() + ": Памылка падчас запісу: Is a directory\n" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> arguments = needsInspector;
        arguments.insert(arguments.end(), { "-o", c.output });
        const CliRun run = Run(arguments);
        EXPECT_EQ(run.Status, c.status);
        EXPECT_EQ(run.Err, c.err);
    }
    // A device is written into and stays a device.
    const CliRun toNull = Run({ SampleProtocol, "-o", "/dev/null" });
    EXPECT_EQ(toNull.Status, 0) << toNull.Err;
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST_F(Cli, AnInterruptedSaveLeavesNoTemporaryFile)
{
    // Large enough that the run is still writing when the signal comes.
    const std::string table = ReadBytes(SampleProtocol);
    std::string big;
    while (big.size() < (16u << 20))
        big += table;
    const fs::path input = m_dir / "big.htm";
    WriteBytes(input, big);
    const fs::path out = m_dir / "out.htm";
    const auto temporary = [&] {
        for (const auto &entry : fs::directory_iterator(m_dir)) {
            if (entry.path().filename().string().starts_with(".lapwing-"))
                return true;
        }
        return false;
    };
    for (const int signal : { SIGINT, SIGTERM, SIGHUP }) {
        SCOPED_TRACE(signal);
        // On a busy machine the run may finish before the signal comes: then it is tried again.
        bool interrupted = false;
        for (int attempt = 0; attempt < 5 && !interrupted; ++attempt) {
            WriteBytes(out, "earlier");
            const pid_t child = ::fork();
            if (child == 0) {
                const int null = ::open("/dev/null", O_WRONLY);
                ::dup2(null, 2);
                // A shell starts background jobs with SIGINT ignored; the run keeps what it
                // inherits (as under nohup), so the test gives it the default.
                for (const int caught : { SIGINT, SIGTERM, SIGHUP })
                    std::signal(caught, SIG_DFL);
                // The lists' temporary files go too.
                const std::string csv = m_dir / "list.csv";
                const std::string page = m_dir / "list.htm";
                ::execl(LAPWING_CLI, LAPWING_CLI, input.c_str(), "-o", out.c_str(),
                    "--qualification-list", csv.c_str(), "--qualification-list", page.c_str(),
                    nullptr);
                ::_exit(127);
            }
            ASSERT_GT(child, 0);
            for (int i = 0; i < 20000 && !temporary(); ++i) // up to 20 s
                ::usleep(1000);
            ::kill(child, signal);
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            interrupted = WIFSIGNALED(status);
            if (!interrupted)
                continue;
            EXPECT_EQ(WTERMSIG(status), signal);
            EXPECT_FALSE(temporary());
            EXPECT_EQ(ReadBytes(out), "earlier");
            EXPECT_FALSE(fs::exists(m_dir / "list.csv"));
        }
        EXPECT_TRUE(interrupted) << "the run always finished before the signal";
    }
}

TEST_F(Cli, PointsTablesThatAreNotThereFail)
{
    const CliRun unreadable = Run({ SampleProtocol, "--points", m_dir / "missing.INI" });
    EXPECT_EQ(unreadable.Status, 1);
    EXPECT_NE(unreadable.Err.find("missing.INI"), std::string::npos);
    EXPECT_EQ(unreadable.Out, "");
    const CliRun device = Run({ SampleProtocol, "--points", "/dev/zero" });
    EXPECT_EQ(device.Status, 1);
    EXPECT_EQ(device.Err, "lapwing-cli: /dev/zero: cannot read the points tables: not a regular "
                          "file (a FIFO, device or socket)\n");
    WriteBytes(m_dir / "wide.INI", std::string("\xFF\xFE[\0O\0", 6));
    const CliRun wide = Run({ SampleProtocol, "--points", m_dir / "wide.INI" });
    EXPECT_EQ(wide.Status, 1);
    EXPECT_EQ(wide.Err, "lapwing-cli: " + (m_dir / "wide.INI").string()
            + ":1: cannot read the points tables: the file is UTF-16 text, not Windows-1251\n");

    const CliRun noSuchTable
        = Run({ SampleProtocol, "--points", SamplePoints, "--group", "Open=4,0,2,2" });
    EXPECT_EQ(noSuchTable.Status, 1);
    EXPECT_NE(noSuchTable.Err.find("no points table 2"), std::string::npos) << noSuchTable.Err;

    const CliRun noFile = Run({ SampleProtocol, "--group", "Open=4,0,1,2" });
    EXPECT_EQ(noFile.Status, 1);
    EXPECT_NE(noFile.Err.find("--points"), std::string::npos) << noFile.Err;
}

TEST_F(Cli, ADamagedSettingsFileWarnsAndGoesOn)
{
    WriteBytes(m_dir / "points.INI", "[Ochki]\nTablesCount=99999999\nPlacesCount=2\n");
    const CliRun run = Run({ SampleProtocol, "--points", m_dir / "points.INI" });
    EXPECT_EQ(run.Status, 0);
    EXPECT_NE(run.Err.find("warning"), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("TablesCount"), std::string::npos) << run.Err;
}

TEST_F(Cli, UsageErrorsExitWith2AndAHint)
{
    const std::vector<std::vector<std::string>> cases = {
        {},
        { "--group", "М21", SampleProtocol },
        { "--bogus", SampleProtocol },
        { SampleProtocol, SampleProtocol },
        { "--inspector", "Кот", SampleProtocol },
        { SampleProtocol, "-o" },
    };
    for (const auto &arguments : cases) {
        SCOPED_TRACE(testing::PrintToString(arguments));
        const CliRun run = Run(arguments);
        EXPECT_EQ(run.Status, 2);
        EXPECT_EQ(run.Out, "");
        EXPECT_TRUE(run.Err.starts_with("lapwing-cli: ")) << run.Err;
        EXPECT_TRUE(run.Err.ends_with("\nTry 'lapwing-cli --help' for more information.\n"))
            << run.Err;
    }
}

TEST_F(Cli, AProtocolWithoutHeadingsIsCopiedThrough)
{
    WriteBytes(m_dir / "plain.htm", "<html>\n<p>\xCD\xE8\xF7\xE5\xE3\xEE</p>\r\n</html>");
    const CliRun run = Run({ m_dir / "plain.htm" });
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "<html>\r\n<p>\xCD\xE8\xF7\xE5\xE3\xEE</p>\r\n</html>\r\n");
    EXPECT_EQ(run.Err, "lapwing-cli: warning: " + (m_dir / "plain.htm").string()
            + " has no group heading (\"<h2>\"): nothing is awarded\n");
}

TEST_F(Cli, TablesOfAnotherLayoutAreNamedOnce)
{
    // Times as "0:10:45" after an extra column, and no title: no layout is read.
    std::string line(86, ' ');
    line.replace(0, 12, "   1 Athlete");
    line.replace(73, 7, "0:10:45");
    const std::string protocol = "<h2>M21</h2>\n<pre>\n" + line + "\n</pre>\n<h2>M35</h2>\n<pre>\n"
        + line + "\n</pre>\n";
    WriteBytes(m_dir / "other.htm", protocol);
    const CliRun run = Run({ m_dir / "other.htm" });
    EXPECT_EQ(run.Status, 0);
    const std::string file = (m_dir / "other.htm").string();
    EXPECT_NE(run.Err.find("warning: " + (m_dir / "other.htm").string()
                  + ": tables whose columns could not be mapped are copied unchanged and their "
                    "groups are not counted: M21, M35\n"),
        std::string::npos)
        << run.Err;
    EXPECT_NE(run.Err.find("lapwing-cli: warning: Some tables are laid out differently"),
        std::string::npos) << run.Err;
    const std::string unknown = "its columns are not a layout the reader knows; the table is "
                                "copied unchanged and the group is not counted\n";
    EXPECT_NE(run.Err.find(":\n  " + file + ":2: M21: " + unknown + "  " + file + ":6: M35: " + unknown),
        std::string::npos) << run.Err;
    std::string copied; // unchanged but for the line ends
    for (const char c : protocol)
        copied += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(run.Out, copied);
}

TEST_F(Cli, ListsTheGroupsWithTheirSettings)
{
    const CliRun run = Run({ SampleProtocol, "--list-groups", "--group", "Ж16=КМС,3,1,Юнацкія",
        "--group", "Open=-- Не считать --,0,0,Не лічыць" });
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out,
        "1\tМ21\tМ21, 12 КП, 6.3 км\t2\t0\t0\t0\tstandard\n"
        "2\tЖ21\tЖ21, 8 КП, 4.1 км\t2\t0\t0\t0\tstandard\n"
        "3\tЖ16\tЖ16, 7 КП, 3.2 км\t1\t3\t1\t1\tstandard\n"
        "4\tOpen\tOpen, 5 КП, 2.0 км\t7\t0\t0\t3\tstandard\n");
}

TEST_F(Cli, AGroupOptionSetsEveryGroupOfItsNameAndTheLastOneHolds)
{
    const fs::path protocol = m_dir / "twice.htm";
    WriteBytes(protocol, "<h2>A, 1</h2>\n<h2>B, 2</h2>\n<h2>A, 3</h2>\n<h2>C &amp; D</h2>\n");
    // A name is the heading as shown; the heading's bytes name it too, as scripts gave it.
    const CliRun run = Run({ protocol, "--list-groups", "--group", "A=1,0,0,0", "--group", "B=3,0,0,0",
        "--group", "A=4,2,0,1", "--group", "C &amp; D=3,1,0,1" });
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out,
        "1\tA\tA, 1\t4\t2\t0\t1\t-\n"
        "2\tB\tB, 2\t3\t0\t0\t0\t-\n"
        "3\tA\tA, 3\t4\t2\t0\t1\t-\n"
        "4\tC & D\tC & D\t3\t1\t0\t1\t-\n");
}

TEST_F(Cli, AGroupNotInTheProtocolIsAWarning)
{
    const CliRun run = Run({ SampleProtocol, "--group", "М99=2,0,0,0" });
    EXPECT_EQ(run.Status, 0);
    EXPECT_NE(run.Err.find("warning"), std::string::npos);
    EXPECT_NE(run.Err.find("М99"), std::string::npos);
}

TEST_F(Cli, HelpAndVersion)
{
    const CliRun help = Run({ "--help" });
    EXPECT_EQ(help.Status, 0);
    EXPECT_TRUE(help.Out.starts_with("Usage: lapwing-cli [options] INPUT\n"));
    const CliRun version = Run({ "--version" });
    EXPECT_EQ(version.Status, 0);
    EXPECT_TRUE(version.Out.starts_with("lapwing-cli "));
}

} // namespace
