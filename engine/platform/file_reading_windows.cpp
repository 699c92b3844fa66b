// Reading a whole input file on Windows, through its UTF-16 name.
#include "engine/file_reading.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include <windows.h>

#include "engine/platform/system_text_windows.h"

namespace engine {

namespace {

    Failure SystemFailure(DWORD error) { return { 0, platform::SystemText(error) }; }

    Failure TooLarge(std::uintmax_t limit)
    {
        return { 0, "the file is larger than the limit of " + LimitText(limit) };
    }

} // namespace

Status ReadFileChunks(const std::filesystem::path &path, std::uintmax_t limit,
    const std::function<bool(std::string_view)> &chunk)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Failure { 0, std::strerror(EISDIR) };
    // Shared for writing and deleting too: another program may hold the protocol open.
    const HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return SystemFailure(::GetLastError());
    const std::unique_ptr<void, decltype(&::CloseHandle)> file(handle, ::CloseHandle);
    if (::GetFileType(handle) != FILE_TYPE_DISK) // a console, a pipe: reading could never end
        return Failure { 0, "not a regular file (a FIFO, device or socket)" };
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(handle, &size))
        return SystemFailure(::GetLastError());
    if (static_cast<std::uintmax_t>(size.QuadPart) > limit)
        return TooLarge(limit);
    try {
        std::vector<char> buffer(std::size_t { 1 } << 20);
        std::uintmax_t total = 0;
        for (;;) {
            DWORD got = 0;
            if (!::ReadFile(
                    handle, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr))
                return SystemFailure(::GetLastError());
            if (got == 0)
                return Success();
            total += got;
            if (total > limit) // the file grew while it was read
                return TooLarge(limit);
            if (!chunk(std::string_view(buffer.data(), got)))
                return Success();
        }
    } catch (const std::bad_alloc &) {
        return Failure { 0, "not enough memory" };
    }
}

} // namespace engine
