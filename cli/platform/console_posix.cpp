// The command line and the standard streams on POSIX systems: bytes as they come.
#include "cli/console.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace cli {

std::vector<std::string> Utf8Arguments(int argc, char **argv) { return { argv, argv + argc }; }

void PrepareStandardStreams() { }

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
