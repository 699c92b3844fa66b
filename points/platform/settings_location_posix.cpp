// Where the settings file lives on POSIX systems: beside the program, else $XDG_CONFIG_HOME.
#include "points/settings_location.h"

#include <cstdlib>
#include <system_error>

#include <unistd.h>

namespace points {

std::filesystem::path SettingsFilePath()
{
    SettingsLocationInputs inputs;
    std::error_code error;
    inputs.ProgramPath = std::filesystem::read_symlink("/proc/self/exe", error);
    if (const char *value = std::getenv("XDG_CONFIG_HOME"))
        inputs.ConfigHome = value;
    if (const char *value = std::getenv("HOME"))
        inputs.Home = value;
    if (!inputs.ProgramPath.empty()) {
        std::filesystem::path beside = inputs.ProgramPath;
        beside.replace_extension(".INI");
        inputs.BesideProgramExists = std::filesystem::exists(beside, error);
        inputs.ProgramFolderWritable
            = ::access(inputs.ProgramPath.parent_path().c_str(), W_OK) == 0;
    }
    return SettingsFilePath(inputs);
}

} // namespace points
