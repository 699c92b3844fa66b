// What tests ask of the system they run on, where POSIX systems and Windows answer differently
// (tests/support/platform_<system>.cpp).
#pragma once

#include <filesystem>

namespace testsupport {

// The running test program.
std::filesystem::path ProgramPath();
// Whether this process may make a file in `folder`.
bool FolderWritable(const std::filesystem::path &folder);
// Whether a file without permissions is unreadable to this process: not to root, and not on
// Windows, where permissions only mark a file read-only.
bool PermissionsDenyReading();

} // namespace testsupport
