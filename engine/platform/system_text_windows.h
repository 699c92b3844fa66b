// A Windows error code as the messages name it.
#pragma once

#include <string>
#include <system_error>

#include <windows.h>

namespace engine::platform {

// Another program holds the file open without sharing it, as a spreadsheet or an editor may.
inline constexpr const char *InUseReason
    = "the file is in use by another program (sharing violation)";

// In the words POSIX systems use where the error has a counterpart ("Permission denied", "No
// such file or directory"), so that messages read the same on every system; else in Windows'.
// A file held open by another program is said to be so: its counterpart would read as a
// missing permission, which the user cannot fix.
inline std::string SystemText(unsigned long error)
{
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return InUseReason;
    return std::system_category().default_error_condition(static_cast<int>(error)).message();
}

} // namespace engine::platform
