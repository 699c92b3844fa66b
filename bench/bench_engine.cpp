// Load, rewrite and save times of the engine as the window runs it, on large generated
// protocols, with each run's peak memory. Prints a table.
//
// Usage: bench_engine [lines ...]   (default: 1000 10000 100000 1000000)
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "bench/protocol_generator.h"
#include "engine/huge_pages.h"
#include "engine/protocol.h"
#include "engine/rewrite.h"
#include "engine/save.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

class TenPlaces final : public engine::TeamPointsSource
{
public:
    int TablesCount() const override { return 1; }
    int PlacesCount() const override { return 10; }
    std::string_view Value(int, int place) const override
    {
        static const char *values[] = { "25", "20", "18", "16", "15", "14", "13", "12", "11", "10" };
        return values[place - 1];
    }
};

struct Figures
{
    double load = 0, rewrite = 0, save = 0;
    long peakKiB = 0;
    long startKiB = 0; // the process before it read anything
};

void SetGroups(std::vector<engine::GroupSettings> &groups)
{
    for (std::size_t i = 0; i < groups.size(); ++i) {
        groups[i].DistanceClass = static_cast<engine::DistanceClass>(i % 4);
        groups[i].PointsTable = 1;
    }
}

engine::ProcessOptions Options()
{
    engine::ProcessOptions options;
    options.RatingPoints = true;
    return options;
}

std::optional<std::string> Inspector() { return "Inspector"; }

// The engine's run, in a process of its own: the protocol read into memory, the rewrite into
// one buffer with a span per line (as the window's view holds it), saved from there. Prints the
// load, rewrite and save times and the peak resident size in KiB.
int MeasureHere(const std::filesystem::path &input, const std::filesystem::path &output)
{
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    const long startKiB = usage.ru_maxrss; // the process itself: libraries, stacks, stdio
    engine::ProtocolLines lines;
    std::vector<engine::GroupSettings> groups;
    auto start = Clock::now();
    (void)engine::LoadProtocol(input, lines, groups);
    const double load = Seconds(start);
    SetGroups(groups);
    start = Clock::now();
    std::string bytes;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> spans;
    const engine::OutputSize room = engine::OutputSizeBound(lines);
    bytes.reserve(room.Bytes);
    spans.reserve(room.Lines);
    // As the window's output view asks for them.
    engine::AdviseHugePages(bytes.data(), bytes.capacity());
    engine::AdviseHugePages(spans.data(), spans.capacity() * sizeof spans[0]);
    engine::RewriteProtocolTo(lines, groups, Options(), TenPlaces(), Inspector,
        [&](std::string_view line) {
            spans.emplace_back(static_cast<std::uint32_t>(bytes.size()),
                static_cast<std::uint32_t>(line.size()));
            bytes.append(line);
        });
    const double rewrite = Seconds(start);
    start = Clock::now();
    engine::AtomicFileWriter writer(output);
    if (writer.Open()) {
        for (const auto &[offset, size] : spans)
            writer.WriteLine(std::string_view(bytes).substr(offset, size));
    }
    const bool saved = writer.Commit().Ok();
    const double save = Seconds(start);
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("%f %f %f %ld %ld\n", load, rewrite, saved ? save : -1.0, usage.ru_maxrss,
        startKiB);
    return saved ? 0 : 1;
}

// Runs MeasureHere in a new process (this program started anew, not a fork of the one that
// generated the protocol), so that its peak memory is the engine's own.
Figures Measure(const std::filesystem::path &input, const std::filesystem::path &output)
{
    int fds[2];
    if (::pipe(fds) != 0)
        std::exit(1);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], 1);
        ::close(fds[0]);
        ::close(fds[1]);
        ::execl("/proc/self/exe", "bench_engine", "--measure", input.c_str(), output.c_str(),
            static_cast<char *>(nullptr));
        std::_Exit(127);
    }
    ::close(fds[1]);
    std::string text;
    char buffer[256];
    ssize_t got;
    while ((got = ::read(fds[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(got));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    Figures figures;
    if (std::sscanf(text.c_str(), "%lf %lf %lf %ld %ld", &figures.load, &figures.rewrite,
            &figures.save, &figures.peakKiB, &figures.startKiB)
        != 5)
        std::exit(1);
    return figures;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::string_view(argv[1]) == "--measure")
        return MeasureHere(argv[2], argv[3]);
    const std::vector<std::size_t> sizes = bench::SizesFromArguments(argc, argv, { 1000, 10000, 100000, 1000000 });
    constexpr int Runs = 3;

    char pattern[] = "/tmp/lapwing-bench-XXXXXX";
    if (!::mkdtemp(pattern))
        return 1;
    const std::filesystem::path dir = pattern;
    std::printf("The engine as the window runs it: the protocol read into memory, the rewrite\n"
                "into one buffer with a span per line, saved from there. Times in seconds are the\n"
                "median of %d runs, each in a process of its own. Peak memory is the process's\n"
                "largest resident size; \"engine\" is that less the process's own before it read\n"
                "anything (libraries, stacks). The batch tool against the floor of copying the\n"
                "file: bench_cli.\n\n",
                Runs);
    std::printf("%9s %8s | %7s %7s %7s %7s | %8s %5s | %9s %5s\n", "lines", "file MB", "load",
                "rewrite", "save", "total", "peak MB", "xfile", "engine MB", "xfile");
    for (const std::size_t size : sizes) {
        const auto input = dir / "protocol.htm";
        double fileMb = 0;
        {
            const std::string protocol = bench::GenerateProtocol(size);
            fileMb = static_cast<double>(protocol.size()) / 1e6;
            if (!engine::WriteFileAtomically(input, protocol).Ok())
                return 1;
        }
        std::vector<Figures> runs;
        for (int run = 0; run < Runs; ++run)
            runs.push_back(Measure(input, dir / "out.htm"));
        // The median run by total time.
        std::sort(runs.begin(), runs.end(), [](const Figures &a, const Figures &b) {
            return a.load + a.rewrite + a.save < b.load + b.rewrite + b.save;
        });
        const Figures &m = runs[Runs / 2];
        const double peakMb = static_cast<double>(m.peakKiB) * 1024 / 1e6;
        const double engineMb = static_cast<double>(m.peakKiB - m.startKiB) * 1024 / 1e6;
        std::printf("%9zu %8.1f | %7.3f %7.3f %7.3f %7.3f | %8.1f %5.2f | %9.1f %5.2f\n", size,
                    fileMb, m.load, m.rewrite, m.save, m.load + m.rewrite + m.save, peakMb,
                    peakMb / fileMb, engineMb, engineMb / fileMb);
        std::fflush(stdout);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
