// The command line and the standard streams on POSIX systems: bytes as they come.
#include "cli/console.h"

#include <csignal>

namespace cli {

std::vector<std::string> Utf8Arguments(int argc, char **argv) { return { argv, argv + argc }; }

// A file-size limit (ulimit -f) would end the run by SIGXFSZ half-way through a write, leaving
// its temporary file behind; ignored, the write fails with "File too large", which the save
// reports like a full disk, keeping the earlier file. (SIGPIPE keeps its default: a reader
// that stops reading ends the run, and what it read cannot be taken back anyway.)
void PrepareStandardStreams() { std::signal(SIGXFSZ, SIG_IGN); }

} // namespace cli
