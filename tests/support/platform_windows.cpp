#include "tests/support/platform.h"

#include <fstream>
#include <string>

#include <windows.h>

namespace testsupport {

std::filesystem::path ProgramPath()
{
    std::wstring path(32768, L'\0'); // the longest path Windows has
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

bool FolderWritable(const std::filesystem::path &folder)
{
    const std::filesystem::path probe = folder / "lapwing-test-probe";
    const bool made = std::ofstream(probe).good();
    std::error_code ignored;
    std::filesystem::remove(probe, ignored);
    return made;
}

bool PermissionsDenyReading() { return false; }

} // namespace testsupport
