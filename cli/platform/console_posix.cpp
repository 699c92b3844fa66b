// The command line and the standard streams on POSIX systems: bytes as they come.
#include "cli/console.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace cli {

std::vector<std::string> Utf8Arguments(int argc, char **argv) { return { argv, argv + argc }; }

// A file-size limit (ulimit -f) would end the run by SIGXFSZ half-way through a write, leaving
// its temporary file behind; ignored, the write fails with "File too large", which the save
// reports like a full disk, keeping the earlier file. (SIGPIPE keeps its default: a reader
// that stops reading ends the run, and what it read cannot be taken back anyway.)
void PrepareStandardStreams() { std::signal(SIGXFSZ, SIG_IGN); }

engine::Status WriteStandard(Stream stream, std::string_view bytes, engine::TextEncoding)
{
    std::FILE *file = stream == Stream::Output ? stdout : stderr;
    // An empty view may have no address at all, which fwrite must not be given.
    if ((!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        || std::fflush(file) != 0)
        return engine::Failure { 0, std::strerror(errno) };
    return engine::Success();
}

} // namespace cli
