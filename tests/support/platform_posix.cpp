#include "tests/support/platform.h"

#include <unistd.h>

namespace testsupport {

std::filesystem::path ProgramPath() { return std::filesystem::read_symlink("/proc/self/exe"); }

bool FolderWritable(const std::filesystem::path &folder)
{
    return ::access(folder.c_str(), W_OK) == 0;
}

bool PermissionsDenyReading() { return ::geteuid() != 0; }

} // namespace testsupport
