// The command line and the standard streams as the batch tool needs them on each system
// (cli/platform/console_<system>.cpp).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/protocol_encoding.h"
#include "engine/result.h"

namespace cli {

// The arguments in UTF-8. Windows hands `argv` over in the ANSI code page, which turns the
// letters it lacks into "?": there they are read anew from the UTF-16 command line. Elsewhere
// `argv` as it is.
std::vector<std::string> Utf8Arguments(int argc, char **argv);

// Standard output carries the protocol's bytes unchanged (on Windows no LF becomes CR LF).
void PrepareStandardStreams();

enum class Stream { Output, Error };

// Writes `bytes`, text in `encoding`, to standard output or error, flushed. A Windows console
// is given the text as UTF-16 (WriteConsoleW): bytes written to it would show in its code page
// (866, 1251) as other letters, whatever that page is. A file or a pipe, and every stream on
// other systems, gets the bytes as they are. The failure's reason is the system's.
engine::Status WriteStandard(Stream stream, std::string_view bytes,
    engine::TextEncoding encoding = engine::TextEncoding::Utf8);

} // namespace cli
