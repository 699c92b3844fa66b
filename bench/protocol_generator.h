// Large realistic protocols for the benchmarks: groups of athletes under "<h2>" headings.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace bench {

// How the tables are laid out: today's columns, or the year before the qualification and the
// times and places right-aligned further right, as another results program prints them.
enum class TableStyle { Standard, YearFirst };

// A protocol of about `resultLines` result lines in Windows-1251 with CR LF line ends, in
// groups of 60 athletes with headings, headers, a few out-of-competition and foreign athletes,
// and a signatures block at the end.
std::string GenerateProtocol(std::size_t resultLines, TableStyle style = TableStyle::Standard);

// The protocol sizes (result lines) named on a benchmark's command line, or `defaults`.
std::vector<std::size_t> SizesFromArguments(
    int argc, char **argv, std::vector<std::size_t> defaults);

} // namespace bench
