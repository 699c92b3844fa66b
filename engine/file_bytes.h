// Reading a protocol file's bytes into one region: mapped, or read once into memory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

#include "engine/protocol_lines.h"
#include "engine/result.h"

namespace engine {

// Why lines made from a mapped file cannot be trusted (see FileBytes::Intact).
inline constexpr std::string_view CutShortReason
    = "the file was cut short by another program while it was read";

enum class FileAccess {
    Read, // into memory: the lines stay as read while the file changes (a window keeps them)
    Map,  // mapped where the system can: no copy, for a run that uses the lines at once
};

// The file's bytes, with the checks and reasons of ReadFileChunks. A file is mapped only when it
// is a non-empty regular file within the limit; any other case is read, which says what is wrong.
Result<std::shared_ptr<const FileBytes>> ReadProtocolBytes(
    const std::filesystem::path &path, std::uintmax_t limit, FileAccess access);

// The mapping itself (one file per system); null when the file is not mapped.
std::shared_ptr<const FileBytes> MapProtocolFile(
    const std::filesystem::path &path, std::uintmax_t limit);

} // namespace engine
