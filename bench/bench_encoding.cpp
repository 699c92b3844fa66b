// Times of telling a protocol's encoding and converting it between UTF-8 and Windows-1251, on
// large generated protocols, against the floor of copying the same bytes. Prints a table.
//
// Usage: bench_encoding [lines ...]   (default: 100000 1000000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/protocol_generator.h"
#include "engine/cp1251.h"
#include "engine/protocol_encoding.h"

namespace {

using Clock = std::chrono::steady_clock;

// The best of a few runs, in seconds; `sink` keeps the work from being optimised away.
template <typename Work> double Best(Work work, std::size_t &sink)
{
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        sink += work();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::size_t> sizes = bench::SizesFromArguments(argc, argv, { 100000, 1000000 });

    std::printf("%9s %9s | %7s %7s %7s %7s %7s %7s\n", "lines", "UTF-8 MB", "copy", "detect",
        "detect", "to 1251", "to UTF8", "by line");
    std::printf(
        "%9s %9s | %7s %7s %7s %7s %7s %7s\n", "", "", "s", "UTF-8 s", "1251 s", "s", "s", "s");
    std::size_t sink = 0;
    for (const std::size_t lines : sizes) {
        const std::string windows1251 = bench::GenerateProtocol(lines);
        const std::string utf8 = engine::Cp1251ToUtf8(windows1251);
        std::vector<std::string_view> protocolLines;
        for (std::size_t from = 0; from < windows1251.size();) {
            const std::size_t end = std::min(windows1251.find('\n', from), windows1251.size());
            protocolLines.push_back(std::string_view(windows1251).substr(from, end - from));
            from = end + 1;
        }

        const double copy = Best(
            [&] {
                std::string out(utf8.size(), '\0');
                std::memcpy(out.data(), utf8.data(), utf8.size());
                return out.size();
            },
            sink);
        const double detectUtf8 = Best(
            [&] { return static_cast<std::size_t>(engine::DetectEncoding(utf8).Encoding); }, sink);
        const double detect1251 = Best(
            [&] { return static_cast<std::size_t>(engine::DetectEncoding(windows1251).Encoding); },
            sink);
        const double toWindows1251 = Best(
            [&] {
                const auto converted = engine::Utf8ProtocolToWindows1251(utf8);
                return converted ? converted.Value().size() : 0;
            },
            sink);
        const double toUtf8 = Best(
            [&] {
                std::string out;
                engine::AppendAsUtf8(out, windows1251);
                return out.size();
            },
            sink);
        const double byLine = Best(
            [&] {
                std::string out;
                out.reserve(utf8.size());
                for (const std::string_view line : protocolLines) {
                    engine::AppendAsUtf8(out, line);
                    out.push_back('\n');
                }
                return out.size();
            },
            sink);
        std::printf("%9zu %9.1f | %7.3f %7.3f %7.3f %7.3f %7.3f %7.3f\n", lines,
            static_cast<double>(utf8.size()) / 1e6, copy, detectUtf8, detect1251, toWindows1251,
            toUtf8, byLine);
    }
    return sink == 0 ? 1 : 0;
}
