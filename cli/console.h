// The command line and the standard streams as the batch tool needs them on each system
// (cli/platform/console_<system>.cpp).
#pragma once

#include <string>
#include <vector>

namespace cli {

// The arguments in UTF-8. Windows hands `argv` over in the ANSI code page, which turns the
// letters it lacks into "?": there they are read anew from the UTF-16 command line. Elsewhere
// `argv` as it is.
std::vector<std::string> Utf8Arguments(int argc, char **argv);

// Standard output carries the protocol's bytes unchanged (on Windows no LF becomes CR LF), and
// a Windows console shows the UTF-8 messages as text.
void PrepareStandardStreams();

} // namespace cli
