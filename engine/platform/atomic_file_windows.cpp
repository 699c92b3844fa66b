// Saving on Windows: a temporary file beside the target, flushed to the disk and moved over it.
#include "engine/save.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "engine/paths.h"
#include "engine/platform/system_text_windows.h"
#include "engine/platform/temporary_name.h"

namespace engine {

namespace {

    using namespace platform;

    HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(::_get_osfhandle(fd)); }

    std::uint64_t Ticks(const FILETIME &time) // in 100 ns
    {
        return (std::uint64_t { time.dwHighDateTime } << 32) | time.dwLowDateTime;
    }

    // Removes temporary files of the same target that no process has open: a run killed while
    // saving leaves its file behind. Opening one alone, to be deleted on closing, fails while
    // a save still writes it.
    void RemoveStale(const std::filesystem::path &folder, const std::string &prefix)
    {
        WIN32_FIND_DATAW found;
        const HANDLE search = ::FindFirstFileW((folder / Utf8Path(prefix + "*")).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return;
        FILETIME now;
        ::GetSystemTimeAsFileTime(&now);
        do {
            const std::string name = PathText(found.cFileName);
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !name.starts_with(prefix)
                || name.size() != prefix.size() + TempRandom
                || Ticks(now) - Ticks(found.ftLastWriteTime)
                    < std::uint64_t { StaleAfterSeconds } * 10'000'000)
                continue;
            const HANDLE file = ::CreateFileW((folder / found.cFileName).c_str(), DELETE, 0,
                nullptr, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT,
                nullptr);
            if (file != INVALID_HANDLE_VALUE)
                ::CloseHandle(file);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }

    std::string Reason(std::string_view what, DWORD error)
    {
        const std::string system = SystemText(error);
        return what.empty() ? system : std::string(what) + ": " + system;
    }

} // namespace

// Windows syncs a file at Commit alone.
class AtomicFileWriter::BackgroundSync
{
};

AtomicFileWriter::AtomicFileWriter(std::filesystem::path path)
    : m_given(std::move(path))
{
}

bool AtomicFileWriter::StopSync() { return true; }

AtomicFileWriter::~AtomicFileWriter()
{
    if (m_fd >= 0)
        ::_close(m_fd);
    if (!m_tempPath.empty())
        ::DeleteFileW(Utf8Path(m_tempPath).c_str());
}

bool AtomicFileWriter::ResolveTarget()
{
    if (m_given.empty() || !m_given.has_filename())
        return Fail("no file name given");
    m_target = m_given;
    const DWORD attributes = ::GetFileAttributesW(m_given.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        // A missing folder is named when the temporary file cannot be made in it.
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
            || Fail(Reason({}, error));
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return Fail(std::strerror(EISDIR));
    // The user marked it not to be changed: refused before anything is written.
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return Fail(Reason({}, ERROR_ACCESS_DENIED));
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) { // a link: the file it points at is replaced
        std::error_code error;
        std::filesystem::path real = std::filesystem::canonical(m_given, error);
        if (error)
            return Fail(error.default_error_condition().message());
        m_target = std::move(real);
    }
    return true;
}

bool AtomicFileWriter::OpenTemporary()
{
    const std::filesystem::path folder = FolderOf(m_target);
    const std::string prefix = TempPrefixFor(m_target);
    RemoveStale(folder, prefix);
    constexpr std::string_view Letters
        = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    std::uniform_int_distribution<std::size_t> pick(0, Letters.size() - 1);
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && error == ERROR_FILE_EXISTS; ++attempt) {
        std::string name = prefix;
        for (std::size_t i = 0; i < TempRandom; ++i)
            name += Letters[pick(random)];
        const std::filesystem::path path = folder / Utf8Path(name);
        // Shared for deleting only: the batch tool's Ctrl+C handler removes it by name.
        const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            error = ::GetLastError();
            continue;
        }
        m_fd = ::_open_osfhandle(reinterpret_cast<std::intptr_t>(file), _O_WRONLY | _O_BINARY);
        if (m_fd < 0) {
            ::CloseHandle(file);
            ::DeleteFileW(path.c_str());
            return FailErrno({});
        }
        m_tempPath = PathText(path);
        return true;
    }
    return Fail(Reason("cannot create a file in " + PathText(folder), error));
}

Status AtomicFileWriter::Open()
{
    if (!m_opened) {
        m_opened = true;
        if (ResolveTarget())
            OpenTemporary();
    }
    if (m_failed)
        return Failure { m_failedLine, m_reason };
    return Success();
}

bool AtomicFileWriter::WriteOut(std::string_view bytes)
{
    std::string_view rest = bytes;
    while (!rest.empty()) {
        DWORD written = 0;
        const auto size = static_cast<DWORD>(std::min<std::size_t>(rest.size(), 1u << 30));
        if (!::WriteFile(HandleOf(m_fd), rest.data(), size, &written, nullptr))
            return Fail(Reason({}, ::GetLastError()));
        rest.remove_prefix(written);
    }
    return true;
}

Status AtomicFileWriter::Commit()
{
    if (!m_opened)
        static_cast<void>(Open());
    if (!m_failed && Flush() && !::FlushFileBuffers(HandleOf(m_fd)))
        Fail(Reason({}, ::GetLastError()));
    if (m_fd >= 0) {
        if (::_close(m_fd) != 0)
            FailErrno({});
        m_fd = -1;
    }
    if (!m_failed
        && !::MoveFileExW(Utf8Path(m_tempPath).c_str(), m_target.c_str(),
            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        Fail(Reason({}, ::GetLastError()));
    if (m_failed)
        return Failure { m_failedLine, m_reason };
    m_tempPath.clear();
    return Success();
}

} // namespace engine
