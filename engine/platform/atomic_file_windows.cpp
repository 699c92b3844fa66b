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

    // Removes temporary files of the same target that no process has open: a run killed while
    // saving leaves its file behind. A save holds its file open from the moment it creates it,
    // sharing it for deleting only, so opening one alone, to be deleted on closing, fails while
    // a save still writes it, and one that opens is stale however young.
    void RemoveStale(const std::filesystem::path &folder, const std::string &prefix)
    {
        WIN32_FIND_DATAW found;
        const HANDLE search = ::FindFirstFileW((folder / Utf8Path(prefix + "*")).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return;
        do {
            const std::string name = PathText(found.cFileName);
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !name.starts_with(prefix)
                || name.size() != prefix.size() + TempRandom)
                continue;
            const HANDLE file = ::CreateFileW((folder / found.cFileName).c_str(), DELETE, 0,
                nullptr, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT,
                nullptr);
            if (file != INVALID_HANDLE_VALUE)
                ::CloseHandle(file);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }

    // Whether another program holds the file open without letting it be deleted, which moving
    // a file over it needs.
    bool HeldByAnother(const std::filesystem::path &path)
    {
        const HANDLE file = ::CreateFileW(path.c_str(), DELETE,
            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
            nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return ::GetLastError() == ERROR_SHARING_VIOLATION;
        ::CloseHandle(file);
        return false;
    }

    // A DOS device's name (NUL, CON, COM1, ...; "nul.txt" too on older Windows) or a path in the
    // device namespace (\\.\): a target that may be a device, which no file can be moved over.
    bool MayBeDevice(const std::filesystem::path &path)
    {
        if (path.native().starts_with(L"\\\\.\\"))
            return true;
        std::wstring name = path.filename().native();
        name = name.substr(0, name.find_first_of(L".:"));
        while (!name.empty() && name.back() == L' ')
            name.pop_back();
        for (wchar_t &c : name)
            c = c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
        return name == L"CON" || name == L"PRN" || name == L"AUX" || name == L"NUL"
            || name == L"CONIN$" || name == L"CONOUT$"
            || (name.size() == 4 && (name.starts_with(L"COM") || name.starts_with(L"LPT"))
                && name[3] >= L'1' && name[3] <= L'9');
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
    if (MayBeDevice(m_given) && (!OpenDirect() || m_mode == Mode::Direct))
        return !m_failed;
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
    // Refused before the content is made, as the move at the end would be.
    if (HeldByAnother(m_target))
        return Fail(Reason({}, ERROR_SHARING_VIOLATION));
    return true;
}

// A device is written directly, as on other systems; a disk file of a device's name (which
// newer Windows allow) is replaced as any file.
bool AtomicFileWriter::OpenDirect()
{
    const HANDLE device = ::CreateFileW(m_given.c_str(), GENERIC_WRITE,
        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (device == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
            || Fail(Reason({}, error));
    }
    if (::GetFileType(device) == FILE_TYPE_DISK) {
        ::CloseHandle(device);
        return true;
    }
    m_fd = ::_open_osfhandle(reinterpret_cast<std::intptr_t>(device), _O_WRONLY | _O_BINARY);
    if (m_fd < 0) {
        ::CloseHandle(device);
        return FailErrno({});
    }
    m_mode = Mode::Direct;
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
        if (ResolveTarget() && m_mode == Mode::Replace)
            OpenTemporary();
    }
    if (m_failed)
        return Failure { m_failedLine, m_reason };
    return Success();
}

// Windows finds a file's clusters as it grows without the cost this saves elsewhere.
void AtomicFileWriter::Reserve(long long) { }

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
    // What fails from here on fails for the whole file, not for the line written last.
    const auto failWhole = [this](DWORD error) {
        if (!m_failed) {
            Fail(Reason({}, error));
            m_failedLine = 0;
        }
    };
    // A device needs no flush to the disk, and a pipe's would wait for its reader.
    if (!m_failed && Flush() && m_mode == Mode::Replace && !::FlushFileBuffers(HandleOf(m_fd)))
        failWhole(::GetLastError());
    // Moved while still open, so that no other save of the target takes it for a stale one.
    if (!m_failed && m_mode == Mode::Replace
        && !::MoveFileExW(Utf8Path(m_tempPath).c_str(), m_target.c_str(),
            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD error = ::GetLastError();
        // Windows refuses to replace a file another program holds open as "access denied".
        if (error == ERROR_ACCESS_DENIED && HeldByAnother(m_target))
            error = ERROR_SHARING_VIOLATION;
        failWhole(error);
    }
    if (m_fd >= 0) {
        // Every byte went out through WriteFile and was flushed: closing loses nothing.
        ::_close(m_fd);
        m_fd = -1;
    }
    if (m_failed)
        return Failure { m_failedLine, m_reason };
    m_tempPath.clear();
    return Success();
}

} // namespace engine
