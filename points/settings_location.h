// Where the settings file lives, and reading and writing it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "engine/result.h"

namespace points {

// Where the settings file lives: "<program>.INI" beside the program when that file exists (a
// portable copy), or when the program's folder is writable and the program is not installed (a
// build or an unpacked folder); otherwise in the user's configuration folder ($XDG_CONFIG_HOME,
// else ~/.config, on POSIX systems; %APPDATA% on Windows). An installed program never writes
// into the system's folders, though root (or an administrator) may.
struct SettingsLocationInputs
{
    std::filesystem::path ProgramPath; // the running executable
    std::filesystem::path ConfigHome; // $XDG_CONFIG_HOME or %APPDATA%, may be empty
    std::string Home; // $HOME (else the user's home); empty on Windows, where %APPDATA% has none
    bool BesideProgramExists = false;
    bool ProgramFolderWritable = false;
    // In the system's folders for programs: under /usr, /bin, /sbin, /opt, /snap or the prefix
    // it was built for on POSIX systems, under Program Files on Windows.
    bool Installed = false;
};
std::filesystem::path SettingsFilePath(const SettingsLocationInputs &inputs);
// The same for this process, looking at the file system and the environment
// (points/platform/settings_location_<system>.cpp).
std::filesystem::path SettingsFilePath();

// The file's bytes; a failure says why in the system's words (regular files up to
// engine::MaxSettingsBytes are read; a UTF-16 or UTF-32 file is refused at line 1).
engine::Result<std::string> ReadSettingsFile(const std::filesystem::path &path);
// Replaces the file whole or not at all, creating its folder when needed. A failure's reason is
// "Unable to write to <path>: <the system's reason>" (UTF-8); the old file is then kept.
engine::Status WriteSettingsFile(const std::filesystem::path &path, std::string_view bytes);

} // namespace points
