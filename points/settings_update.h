// The one way the settings file is changed: read as it is now, patched, written whole.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "engine/result.h"

namespace points {

// Reads the settings file as it is on disk now (another window may have written it since it
// was loaded; a missing file reads as empty), hands its bytes to `patch`, and writes what
// `patch` returns with WriteSettingsFile, which replaces the file whole or not at all. Nothing
// is written when the patch changes nothing. Returns the bytes the file now holds, or why it
// was not changed: "Unable to write to <path>: <reason>" (UTF-8); the file is then as it was.
using SettingsPatch = std::function<std::string(std::string_view current)>;
engine::Result<std::string> UpdateSettingsFile(
    const std::filesystem::path &path, const SettingsPatch &patch);

} // namespace points
