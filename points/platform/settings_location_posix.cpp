// Where the settings file lives on POSIX systems: beside the program, else $XDG_CONFIG_HOME.
#include "points/settings_location.h"

#include <cstdlib>
#include <string_view>
#include <system_error>

#include <pwd.h>
#include <unistd.h>

namespace points {

namespace {

    // The folders programs are installed in; the prefix of this build is one too (a
    // /usr/local install).
    bool InstalledPath(const std::filesystem::path &program)
    {
        const std::string path = program.lexically_normal().string();
        for (const std::string_view prefix :
            { "/usr/", "/bin/", "/sbin/", "/opt/", "/snap/", LAPWING_INSTALL_PREFIX "/" }) {
            if (prefix.size() > 1 && path.starts_with(prefix))
                return true;
        }
        return false;
    }

} // namespace

std::filesystem::path SettingsFilePath()
{
    SettingsLocationInputs inputs;
    std::error_code error;
    inputs.ProgramPath = std::filesystem::read_symlink("/proc/self/exe", error);
    if (const char *value = std::getenv("XDG_CONFIG_HOME"))
        inputs.ConfigHome = value;
    if (const char *value = std::getenv("HOME"); value && *value)
        inputs.Home = value;
    else if (const passwd *user = ::getpwuid(::geteuid()); user && user->pw_dir)
        inputs.Home = user->pw_dir; // started without a $HOME (by a service, by sudo -i ...)
    if (!inputs.ProgramPath.empty()) {
        std::filesystem::path beside = inputs.ProgramPath;
        beside.replace_extension(".INI");
        inputs.BesideProgramExists = std::filesystem::exists(beside, error);
        inputs.ProgramFolderWritable
            = ::access(inputs.ProgramPath.parent_path().c_str(), W_OK) == 0;
        inputs.Installed = InstalledPath(inputs.ProgramPath);
    }
    return SettingsFilePath(inputs);
}

} // namespace points
