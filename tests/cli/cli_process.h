// Runs of the built lapwing-cli as a user's shell makes them, for the batch tool's tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include <sys/wait.h>

namespace clitest {

inline std::string ReadBytes(const std::filesystem::path &path)
{
    std::ifstream file(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() };
}

inline void WriteBytes(const std::filesystem::path &path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// The argument as one word of a POSIX shell.
inline std::string Quoted(const std::string &argument)
{
    std::string quoted = "'";
    for (const char c : argument)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct CliRun
{
    int Status = -1;
    std::string Out;
    std::string Err;
};

// The program run with `arguments`, its standard output and error caught in files of `dir`;
// `first`: shell commands run before it in the run's own shell (a cd, ulimit).
inline CliRun RunCli(const std::filesystem::path &dir, const std::vector<std::string> &arguments,
    const std::string &first = {})
{
    std::string command = first + " " + Quoted(LAPWING_CLI);
    for (const std::string &argument : arguments)
        command += " " + Quoted(argument);
    command += " >" + Quoted(dir / "stdout") + " 2>" + Quoted(dir / "stderr");
    const int status = std::system(("(" + command + ")").c_str());
    CliRun run;
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = ReadBytes(dir / "stdout");
    run.Err = ReadBytes(dir / "stderr");
    return run;
}

} // namespace clitest
