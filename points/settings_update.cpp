#include "points/settings_update.h"

#include <system_error>

#include "engine/paths.h"
#include "points/settings_location.h"

namespace points {

engine::Result<std::string> UpdateSettingsFile(
    const std::filesystem::path &path, const SettingsPatch &patch)
{
    engine::Result<std::string> current = ReadSettingsFile(path);
    std::error_code error;
    if (!current && std::filesystem::exists(path, error)) {
        // Written over, a file that could not be read would lose what it holds.
        const engine::Failure &why = current.Error();
        return engine::Failure { why.Line,
            "Unable to write to " + engine::PathText(path)
                + ": it could not be read: " + why.Reason };
    }
    const std::string before = current ? std::move(current.Value()) : std::string();
    std::string after = patch(before);
    if (after == before)
        return after;
    if (const engine::Status written = WriteSettingsFile(path, after); !written)
        return written.Error();
    return after;
}

} // namespace points
