// Reading a whole input file: regular files only, within a size limit, in chunks.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "engine/result.h"

namespace engine {

// Far above any real protocol (a large event's is a few megabytes) and settings file, and low
// enough that a wrong file (a disk image, /dev/zero) is refused before it eats the memory.
inline constexpr std::uintmax_t MaxProtocolBytes = std::uintmax_t { 1 } << 30; // 1 GiB
inline constexpr std::uintmax_t MaxSettingsBytes = std::uintmax_t { 64 } << 20; // 64 MiB

// "1 GiB", "64 MiB": a limit as the messages name it.
std::string LimitText(std::uintmax_t bytes);

// Hands the file's bytes to `chunk` in order until it returns false. Fails, with the system's
// reason, when the file cannot be opened or read, is not a regular file (a folder, a FIFO or a
// device: reading one could block or never end), or holds more than `limit` bytes; a memory failure
// says "not enough memory". A failure after some chunks leaves them delivered.
Status ReadFileChunks(const std::filesystem::path &path, std::uintmax_t limit,
    const std::function<bool(std::string_view)> &chunk);

Result<std::string> ReadWholeFile(const std::filesystem::path &path, std::uintmax_t limit);

} // namespace engine
