// Where the settings file lives, and reading and writing it.

#include "points/settings_location.h"

#include <system_error>

#include "engine/file_reading.h"
#include "engine/paths.h"
#include "engine/save.h"
#include "engine/text.h"

namespace points {

std::filesystem::path SettingsFilePath(const SettingsLocationInputs &inputs)
{
    // A copy that keeps its settings beside itself stays portable; an installed one keeps them
    // in the user's folder even when it may write its own (run by root), so that nothing is
    // left in /usr/bin when the package goes.
    std::filesystem::path fileName = inputs.ProgramPath.filename();
    if (fileName.empty())
        fileName = "lapwing";
    fileName.replace_extension(".INI");
    if (!inputs.ProgramPath.filename().empty()
        && (inputs.BesideProgramExists || (inputs.ProgramFolderWritable && !inputs.Installed)))
        return inputs.ProgramPath.parent_path() / fileName;

    std::filesystem::path configHome;
    if (inputs.ConfigHome.is_absolute())
        configHome = inputs.ConfigHome; // a relative one is to be ignored
    else if (!inputs.Home.empty())
        configHome = std::filesystem::path(inputs.Home) / ".config";
    else
        return inputs.ProgramPath.parent_path() / fileName; // nowhere better; writing will tell
    return configHome / "lapwing" / fileName;
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
    return engine::Failure { 0,
        "Unable to write to " + engine::PathText(path) + ": " + written.Error().Reason };
}

} // namespace points
