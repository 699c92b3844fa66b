// The names of a save's temporary files, the same on every system.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/paths.h"

namespace engine::platform {

inline constexpr std::string_view TempPrefix = ".lapwing-";
inline constexpr std::size_t TempRandom = 6; // mkstemp's XXXXXX
// On Windows, a temporary file younger than this may belong to a save that has not locked it
// yet (POSIX saves check their fresh file's name after locking it, and need no age).
inline constexpr std::time_t StaleAfterSeconds = 5;

// ".lapwing-<8 hex of the name>-": the same target always gets the same prefix (FNV-1a).
inline std::string TempPrefixFor(const std::filesystem::path &target)
{
    std::uint32_t hash = 2166136261u;
    for (const char c : PathText(target.filename())) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(hash));
    return std::string(TempPrefix) + hex + "-";
}

inline std::filesystem::path FolderOf(const std::filesystem::path &target)
{
    return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

} // namespace engine::platform
