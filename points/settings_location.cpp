// Where the settings file lives, and reading and writing it.

#include "points/settings_location.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <system_error>

#include <unistd.h>

#include "engine/file_reading.h"
#include "engine/save.h"
#include "engine/text.h"

namespace points {

std::filesystem::path SettingsFilePath(const SettingsLocationInputs &inputs)
{
    // A copy that keeps its settings beside itself stays portable, as installations on Windows are;
    // an installed one, whose folder the user cannot write, keeps them in the user's folder.
    std::filesystem::path fileName = inputs.ProgramPath.filename();
    if (fileName.empty())
        fileName = "lapwing";
    fileName.replace_extension(".INI");
    if (!inputs.ProgramPath.filename().empty()
        && (inputs.BesideProgramExists || inputs.ProgramFolderWritable))
        return inputs.ProgramPath.parent_path() / fileName;

    std::filesystem::path configHome;
    if (!inputs.XdgConfigHome.empty() && std::filesystem::path(inputs.XdgConfigHome).is_absolute())
        configHome = inputs.XdgConfigHome; // a relative one is to be ignored
    else if (!inputs.Home.empty())
        configHome = std::filesystem::path(inputs.Home) / ".config";
    else
        return inputs.ProgramPath.parent_path() / fileName; // nowhere better; writing will tell
    return configHome / "lapwing" / fileName;
}

std::filesystem::path SettingsFilePath()
{
    SettingsLocationInputs inputs;
    std::error_code error;
    inputs.ProgramPath = std::filesystem::read_symlink("/proc/self/exe", error);
    if (const char *value = std::getenv("XDG_CONFIG_HOME"))
        inputs.XdgConfigHome = value;
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

engine::Result<std::string> ReadSettingsFile(const std::filesystem::path &path)
{
    engine::Result<std::string> bytes = engine::ReadWholeFile(path, engine::MaxSettingsBytes);
    // Read as single bytes, a UTF-16 file would lose its keys and be written back damaged.
    if (bytes && engine::WideUnicodeMark(bytes.Value()))
        return engine::Failure { 1,
            std::string("the file is ") + engine::WideUnicodeMark(bytes.Value())
                + " text, not Windows-1251" };
    return bytes;
}

engine::Status WriteSettingsFile(const std::filesystem::path &path, std::string_view bytes)
{
    std::error_code error;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), error);
    engine::Status written = engine::WriteFileAtomically(path, bytes);
    if (written)
        return written;
    return engine::Failure { 0, "Unable to write to " + path.string() + ": " + written.Error().Reason };
}

} // namespace points
