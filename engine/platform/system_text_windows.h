// A Windows error code as the messages name it.
#pragma once

#include <string>
#include <system_error>

namespace engine::platform {

// In the words POSIX systems use where the error has a counterpart ("Permission denied", "No
// such file or directory"), so that messages read the same on every system; else in Windows'.
inline std::string SystemText(unsigned long error)
{
    return std::system_category().default_error_condition(static_cast<int>(error)).message();
}

} // namespace engine::platform
