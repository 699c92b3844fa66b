// Runs of the built lapwing-cli against what a careless user or a hostile file does: an output
// that is the input, CR-only line ends, impossible times, limits on memory, threads and file
// size, control bytes in a heading.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "cli_process.h"
#include <sys/wait.h>
#include <unistd.h>

#include "engine/recognizers.h"

namespace {

namespace fs = std::filesystem;

const fs::path Examples = LAPWING_EXAMPLES_DIR;

using clitest::CliRun;
using clitest::Quoted;
using clitest::ReadBytes;
using clitest::WriteBytes;

class CliSafety : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path()
            / ("lapwing-cli-safety-" + std::to_string(::getpid()) + "-"
                + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_input = m_dir / "in.htm";
        fs::copy_file(Examples / "sample_protocol.htm", m_input);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // `limits`: shell commands run first, in the run's own shell (ulimit).
    CliRun Run(std::vector<std::string> arguments, const std::string &limits = {}) const
    {
        return clitest::RunCli(m_dir, arguments, "cd " + Quoted(m_dir) + " && " + limits);
    }
    // The rewrite that examples/sample_protocol_expected.htm shows, of `input`.
    static std::vector<std::string> Rewrite(const std::string &input)
    {
        return { input, "--points", Examples / "sample.INI", "--rating", "--group", "М21=0,2,1,0",
            "--group", "Open=4,0,1,2", "--inspector", "Кузьмич А.Б." };
    }
    bool TemporaryLeft() const
    {
        for (const auto &entry : fs::directory_iterator(m_dir)) {
            if (entry.path().filename().string().starts_with(".lapwing-"))
                return true;
        }
        return false;
    }

    fs::path m_dir;
    fs::path m_input;
    const std::string m_expected = ReadBytes(Examples / "sample_protocol_expected.htm");
};

TEST_F(CliSafety, AnOutputThatIsTheInputIsRefusedWithoutInPlace)
{
    const std::string source = ReadBytes(m_input);
    fs::create_directory(m_dir / "sub");
    fs::create_symlink("in.htm", m_dir / "link.htm");
    fs::create_hard_link(m_input, m_dir / "hard.htm");
    for (const std::string &output :
        { m_input.string(), std::string("in.htm"), std::string("sub/../in.htm"),
            (m_dir / "link.htm").string(), std::string("hard.htm") }) {
        SCOPED_TRACE(output);
        std::vector<std::string> arguments = Rewrite("in.htm");
        arguments.insert(arguments.end(), { "-o", output });
        const CliRun run = Run(arguments);
        EXPECT_EQ(run.Status, 2);
        EXPECT_TRUE(run.Err.starts_with("lapwing-cli: " + output
            + " is the INPUT protocol itself; give --in-place to replace it with its rewrite\n"))
            << run.Err;
        EXPECT_EQ(ReadBytes(m_input), source);
    }
    // Asked for, by -o or alone.
    std::vector<std::string> arguments = Rewrite("in.htm");
    arguments.insert(arguments.end(), { "--in-place", "-o", "link.htm" });
    const CliRun asked = Run(arguments);
    EXPECT_EQ(asked.Status, 0) << asked.Err;
    EXPECT_EQ(ReadBytes(m_input), m_expected);
    WriteBytes(m_dir / "other.htm", source);
    arguments = Rewrite("other.htm");
    arguments.push_back("--in-place");
    const CliRun alone = Run(arguments);
    EXPECT_EQ(alone.Status, 0) << alone.Err;
    EXPECT_EQ(alone.Out, "");
    EXPECT_EQ(ReadBytes(m_dir / "other.htm"), m_expected);
}

// The points tables replaced by a protocol or a list would be lost as the source protocol would.
TEST_F(CliSafety, AnOutputThatIsThePointsFileIsRefused)
{
    const std::string settings = ReadBytes(Examples / "sample.INI");
    WriteBytes(m_dir / "points.INI", settings);
    fs::create_directory(m_dir / "sub");
    fs::create_symlink("points.INI", m_dir / "points.csv");
    for (const std::vector<std::string> &output : std::vector<std::vector<std::string>> {
             { "-o", "points.INI" }, { "-o", "sub/../points.INI" }, { "-o", "points.csv" },
             { "-o", "out.htm", "--qualification-list", "points.csv" } }) {
        SCOPED_TRACE(output[1] + (output.size() > 2 ? " " + output[3] : ""));
        std::vector<std::string> arguments = Rewrite("in.htm");
        arguments[2] = "points.INI";
        arguments.insert(arguments.end(), output.begin(), output.end());
        const CliRun run = Run(arguments);
        EXPECT_EQ(run.Status, 2);
        EXPECT_NE(run.Err.find(" is the file points.INI names already"), std::string::npos)
            << run.Err;
        EXPECT_TRUE(ReadBytes(m_dir / "points.INI") == settings);
        EXPECT_FALSE(fs::exists(m_dir / "out.htm"));
    }
}

// Two names that cannot be followed (a folder's name too long for the system) are not one file:
// the run says what is wrong with them instead.
TEST_F(CliSafety, NamesThatCannotBeFollowedAreNotTheSameFile)
{
    const std::string tooLong(300, 'a');
    std::vector<std::string> arguments = Rewrite("in.htm");
    arguments[2] = tooLong + "/points.INI";
    arguments.insert(arguments.end(), { "-o", tooLong + "/out.htm" });
    const CliRun run = Run(arguments);
    EXPECT_EQ(run.Status, 1) << run.Err; // the points file cannot be read, not a usage error
    EXPECT_EQ(run.Err.find("names already"), std::string::npos) << run.Err;
}

TEST_F(CliSafety, LinesEndingInCrAloneAreLines)
{
    std::string crOnly;
    for (const char c : ReadBytes(m_input)) {
        if (c != '\n')
            crOnly += c;
    }
    ASSERT_NE(crOnly.find('\r'), std::string::npos);
    WriteBytes(m_input, crOnly);
    const CliRun run = Run(Rewrite("in.htm"));
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, m_expected); // CR LF, as always
}

TEST_F(CliSafety, ImpossibleTimesAreReadAndNamedOnce)
{
    std::string bytes = ReadBytes(m_input);
    std::vector<std::size_t> changed;
    std::size_t number = 1;
    for (std::size_t begin = 0; begin < bytes.size() && changed.size() < 2; ++number) {
        const std::size_t end = bytes.find("\r\n", begin);
        if (engine::IsResultLine(std::string_view(bytes).substr(begin, end - begin))) {
            bytes.replace(begin + 70, 5, number % 2 == 0 ? "99:99" : "40:75");
            changed.push_back(number);
        }
        begin = end + 2;
    }
    ASSERT_EQ(changed.size(), 2u);
    WriteBytes(m_input, bytes);
    const CliRun run = Run(Rewrite("in.htm"));
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err,
        "lapwing-cli: warning: in.htm: lines " + std::to_string(changed[0]) + ", "
            + std::to_string(changed[1])
            + ": the result time's minutes or seconds exceed 59 (read as they stand)\n");
}

TEST_F(CliSafety, ControlBytesOfAHeadingAreShownEscaped)
{
    // A table of another layout is named by its group, whose heading holds escape sequences.
    std::string line(86, ' ');
    line.replace(0, 12, "   1 Athlete");
    line.replace(73, 7, "0:10:45");
    WriteBytes(m_input, "<h2>M\x1B]0;owned\x07\x1B[2J21\x98</h2>\n<pre>\n" + line + "\n</pre>\n");
    const CliRun run = Run({ "in.htm" });
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Err.find('\x1B'), std::string::npos) << run.Err;
    EXPECT_NE(
        run.Err.find(":2: M\\x1B]0;owned\\x07\\x1B[2J21\\xC2\\x98: its columns"), std::string::npos)
        << run.Err;
}

TEST_F(CliSafety, AFileSizeLimitFailsTheSaveAndKeepsTheEarlierFile)
{
    WriteBytes(m_dir / "out.htm", "earlier");
    std::vector<std::string> arguments = Rewrite("in.htm");
    arguments.insert(arguments.end(), { "-o", "out.htm" });
    const std::string limit = "ulimit -f 4 &&"; // 4 KiB, less than the output
    const CliRun toFile = Run(arguments, limit);
    EXPECT_EQ(toFile.Status, 1);
    // named at the line being written
    EXPECT_TRUE(toFile.Err.starts_with("lapwing-cli: out.htm:")) << toFile.Err;
    EXPECT_TRUE(toFile.Err.ends_with(": Памылка падчас запісу: File too large\n")) << toFile.Err;
    EXPECT_EQ(ReadBytes(m_dir / "out.htm"), "earlier");
    EXPECT_FALSE(TemporaryLeft());
    const CliRun toStdout = Run(Rewrite("in.htm"), limit);
    EXPECT_EQ(toStdout.Status, 1);
    EXPECT_EQ(toStdout.Err, "lapwing-cli: standard output: File too large\n");
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define LAPWING_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define LAPWING_SANITIZED 1
#endif
#endif

TEST_F(CliSafety, ThreadsThatCannotStartLeaveTheRunToOne)
{
#ifdef LAPWING_SANITIZED
    GTEST_SKIP() << "a sanitizer's shadow memory does not fit a limit on the address space";
#endif
    // Every thread's stack (as large as the stack limit) is past the address space allowed.
    std::vector<std::string> arguments = Rewrite("in.htm");
    arguments.insert(arguments.end(), { "-o", "out.htm" });
    const CliRun run = Run(arguments, "ulimit -s 2000000 && ulimit -v 1000000 &&");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(ReadBytes(m_dir / "out.htm"), m_expected);
}

// A protocol larger than the address space allowed: the run says so, naming the file, and
// writes nothing.
TEST_F(CliSafety, RunningOutOfMemorySaysSoAndNamesTheFile)
{
#ifdef LAPWING_SANITIZED
    GTEST_SKIP() << "a sanitizer's shadow memory does not fit a limit on the address space";
#endif
    const std::string example = ReadBytes(m_input);
    std::string bytes;
    while (bytes.size() < (32u << 20))
        bytes += example;
    WriteBytes(m_dir / "big.htm", bytes);
    const CliRun run = Run({ "big.htm", "-o", "out.htm" }, "ulimit -v 16000 &&");
    EXPECT_EQ(run.Status, 1);
    EXPECT_TRUE(run.Err.starts_with("lapwing-cli: big.htm: ")) << run.Err;
    EXPECT_TRUE(run.Err.ends_with(": not enough memory\n")) << run.Err;
    EXPECT_FALSE(fs::exists(m_dir / "out.htm"));
    EXPECT_FALSE(TemporaryLeft());
}

} // namespace
