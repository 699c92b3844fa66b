// The command line and the standard streams on POSIX systems: bytes as they come.
#include "cli/console.h"

namespace cli {

std::vector<std::string> Utf8Arguments(int argc, char **argv) { return { argv, argv + argc }; }

void PrepareStandardStreams() { }

} // namespace cli
