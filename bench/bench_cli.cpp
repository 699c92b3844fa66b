// lapwing-cli as whole processes against the floor of copying the same file, run side by side
// (interleaved) on generated protocols: the floor is `dd bs=1M conv=fsync`, which reads the
// file, writes the same bytes to a new file and waits for the disk. Prints a table of median
// times and peak memory.
//
// Usage: bench_cli [lines ...]   (default: 10000 100000 1000000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench/protocol_generator.h"
#include "engine/save.h"

namespace {

struct Run
{
    double seconds = 0;
    double peakMb = 0;
};

// Runs the program to its end; standard output goes to `stdoutFile` when given.
Run Measure(const std::vector<std::string> &arguments, const std::string &stdoutFile = {})
{
    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!stdoutFile.empty()) {
            const int fd = ::open(stdoutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 || ::dup2(fd, 1) < 0)
                std::_Exit(127);
        }
        ::execv(argv[0], argv.data());
        std::_Exit(127);
    }
    int status = 0;
    rusage usage {};
    ::wait4(pid, &status, 0, &usage);
    const double seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "bench_cli: %s failed\n", arguments[0].c_str());
        std::exit(1);
    }
    return { seconds, static_cast<double>(usage.ru_maxrss) * 1024 / 1e6 };
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::size_t> sizes = bench::SizesFromArguments(argc, argv, { 10000, 100000, 1000000 });

    char pattern[] = "/tmp/lapwing-bench-XXXXXX";
    if (!::mkdtemp(pattern))
        return 1;
    const std::filesystem::path dir = pattern;
    const std::string input = dir / "protocol.htm";
    const std::string output = dir / "out.htm";
    const std::string points = dir / "points.ini";
    std::string ini = "[Ochki]\r\nTablesCount=1\r\nPlacesCount=10\r\n";
    for (int place = 1; place <= 10; ++place)
        ini += std::to_string(place) + "=" + std::to_string(30 - 2 * place) + ";\r\n";
    if (!engine::WriteFileAtomically(points, ini).Ok())
        return 1;
    // Every group of the generated protocol (M10..M99) with a class, a points table and rating
    // points: all the work a real run does.
    std::vector<std::string> cli = { LAPWING_CLI, input, "--points", points, "--rating",
        "--inspector", "Inspector I." };
    for (int group = 10; group < 100; ++group) {
        cli.push_back("--group");
        cli.push_back("M" + std::to_string(group) + "=" + std::to_string(group % 4) + ",0,1,0");
    }
    std::vector<std::string> toFile = cli;
    toFile.insert(toFile.end(), { "-o", output });
    const std::vector<std::string> floor
        = { "/bin/dd", "if=" + input, "of=" + output, "bs=1M", "conv=fsync", "status=none" };

    std::printf("Whole processes, median of the runs; the floor is dd bs=1M conv=fsync of the same\n"
                "file to a new file. Peak memory is the process's largest resident size.\n\n");
    std::printf("%9s %7s %4s | %7s | %7s %6s %8s %5s | %7s %6s %8s %5s\n", "lines", "file MB",
        "runs", "floor s", "-o s", "xfloor", "peak MB", "xfile", "> file s", "xfloor", "peak MB",
        "xfile");
    // Today's layout at every size, then the year-first layout at the largest, whose tables are
    // read through their own columns rather than the fixed ones.
    std::vector<std::pair<std::size_t, bench::TableStyle>> rows;
    for (const std::size_t size : sizes)
        rows.emplace_back(size, bench::TableStyle::Standard);
    rows.emplace_back(*std::max_element(sizes.begin(), sizes.end()), bench::TableStyle::YearFirst);
    double standardLargest = 0;
    for (const auto &[size, style] : rows) {
        const bool yearFirst = style == bench::TableStyle::YearFirst;
        double fileMb = 0;
        {
            const std::string protocol = bench::GenerateProtocol(size, style);
            fileMb = static_cast<double>(protocol.size()) / 1e6;
            if (!engine::WriteFileAtomically(input, protocol).Ok())
                return 1;
        }
        const int runs = size >= 1000000 ? 7 : 11;
        std::vector<double> floorTimes, fileTimes, fileMbs, outTimes, outMbs;
        for (int run = 0; run < runs; ++run) {
            // The order turns each run, so that none of the three always follows another.
            for (int step = 0; step < 3; ++step) {
                std::filesystem::remove(output);
                switch ((run + step) % 3) {
                case 0:
                    floorTimes.push_back(Measure(floor).seconds);
                    break;
                case 1: {
                    const Run r = Measure(toFile);
                    fileTimes.push_back(r.seconds);
                    fileMbs.push_back(r.peakMb);
                    break;
                }
                default: {
                    const Run r = Measure(cli, output);
                    outTimes.push_back(r.seconds);
                    outMbs.push_back(r.peakMb);
                    break;
                }
                }
            }
        }
        const double f = Median(floorTimes);
        std::printf("%9zu %7.1f %4d | %7.3f | %7.3f %6.2f %8.1f %5.2f | %7.3f %6.2f %8.1f %5.2f%s\n",
            size, fileMb, runs, f, Median(fileTimes), Median(fileTimes) / f, Median(fileMbs),
            Median(fileMbs) / fileMb, Median(outTimes), Median(outTimes) / f, Median(outMbs),
            Median(outMbs) / fileMb, yearFirst ? "  year-first" : "");
        if (!yearFirst && size == rows.back().first)
            standardLargest = Median(fileTimes) / f;
        if (yearFirst)
            std::printf("\nThe year-first layout's -o time over the floor is %.2fx today's layout's.\n",
                Median(fileTimes) / f / standardLargest);
        std::fflush(stdout);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
