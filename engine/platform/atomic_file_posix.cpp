// Saving on POSIX systems: links, devices and FIFOs, permissions and owners kept, temporary
// files locked while in use so that a later save can tell them from those of a killed run.
#include "engine/save.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/platform/background_sync_posix.h"
#include "engine/platform/temporary_name.h"

namespace engine {

namespace {

    using namespace platform;

    constexpr int MaxLinks = 40; // as the kernel follows them

    mode_t NewFileMode()
    {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666 & ~mask;
    }

    // Removes temporary files of the same target that no process holds: a run killed while
    // saving leaves its file behind, and nothing else would ever remove it. A save takes its
    // file's lock right after making it and checks the name is still its file (OpenTemporary),
    // so a file removed in that moment is made anew and no age needs to be waited for.
    void RemoveStale(const std::filesystem::path &folder, const std::string &prefix)
    {
        const std::unique_ptr<DIR, int (*)(DIR *)> dir(::opendir(folder.c_str()), ::closedir);
        if (!dir)
            return;
        while (const dirent *entry = ::readdir(dir.get())) {
            const std::string_view name = entry->d_name;
            if (!name.starts_with(prefix) || name.size() != prefix.size() + TempRandom)
                continue;
            const int fd = ::openat(
                ::dirfd(dir.get()), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0)
                continue;
            struct stat info = {};
            if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid()
                && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
                ::unlinkat(::dirfd(dir.get()), entry->d_name, 0);
            ::close(fd);
        }
    }

    // Where a chain of links ends when its last target does not exist yet, or nothing (errno
    // set) when a link cannot be read or the chain goes round.
    std::optional<std::filesystem::path> DanglingTarget(std::filesystem::path path)
    {
        for (int hop = 0; hop <= MaxLinks; ++hop) {
            struct stat info = {};
            if (::lstat(path.c_str(), &info) != 0)
                return errno == ENOENT ? std::optional(path) : std::nullopt;
            if (!S_ISLNK(info.st_mode))
                return path;
            std::error_code error;
            const std::filesystem::path next = std::filesystem::read_symlink(path, error);
            if (error) {
                errno = error.value();
                return std::nullopt;
            }
            path = next.is_absolute() ? next : FolderOf(path) / next;
        }
        errno = ELOOP;
        return std::nullopt;
    }

    // Why the system gave up following links: a chain that comes back to itself, or one longer
    // than it follows.
    std::string TooManyLinks(std::filesystem::path path)
    {
        std::set<std::pair<dev_t, ino_t>> seen;
        for (int hop = 0; hop < 4096; ++hop) {
            struct stat info = {};
            std::error_code error;
            if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
                break;
            if (!seen.insert({ info.st_dev, info.st_ino }).second)
                return "the links go round in a loop (" + std::string(std::strerror(ELOOP)) + ")";
            const std::filesystem::path next = std::filesystem::read_symlink(path, error);
            if (error)
                break;
            path = next.is_absolute() ? next : FolderOf(path) / next;
        }
        return "more than " + std::to_string(MaxLinks) + " links lead to the file ("
            + std::strerror(ELOOP) + ")";
    }

    bool WriteAll(int fd, const char *data, std::size_t size)
    {
        while (size > 0) {
            const ssize_t written = ::write(fd, data, size);
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            data += written;
            size -= static_cast<std::size_t>(written);
        }
        return true;
    }

} // namespace

AtomicFileWriter::AtomicFileWriter(std::filesystem::path path)
    : m_given(std::move(path))
{
}

bool AtomicFileWriter::StopSync()
{
    if (!m_sync)
        return true;
    const int error = m_sync->Stop();
    m_sync.reset();
    if (error == 0)
        return true;
    errno = error;
    return FailErrno({});
}

AtomicFileWriter::~AtomicFileWriter()
{
    m_sync.reset(); // before the descriptor closes
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_tempPath.empty())
        ::unlink(m_tempPath.c_str());
}

bool AtomicFileWriter::ResolveTarget()
{
    if (m_given.empty() || !m_given.has_filename())
        return Fail("no file name given");
    struct stat info = {};
    if (::stat(m_given.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            errno = EISDIR;
            return FailErrno({});
        }
        if (S_ISSOCK(info.st_mode))
            return Fail("a socket, not a file");
        if (!S_ISREG(info.st_mode)) {
            m_mode = Mode::Direct;
            m_target = m_given;
            return true;
        }
        char real[PATH_MAX];
        if (::realpath(m_given.c_str(), real) == nullptr)
            return FailErrno({});
        m_target = real;
        // Renaming needs only the folder's permission; the file's own is what the user set.
        if (::faccessat(AT_FDCWD, m_target.c_str(), W_OK, AT_EACCESS) != 0)
            return FailErrno({});
        return true;
    }
    if (errno == ELOOP)
        return Fail(TooManyLinks(m_given));
    if (errno != ENOENT)
        return FailErrno({});
    const std::optional<std::filesystem::path> dangling = DanglingTarget(m_given);
    if (!dangling)
        return errno == ELOOP ? Fail(TooManyLinks(m_given)) : FailErrno({});
    m_target = *dangling;
    return true;
}

bool AtomicFileWriter::OpenTemporary()
{
    const std::filesystem::path folder = FolderOf(m_target);
    const std::string prefix = TempPrefixFor(m_target);
    RemoveStale(folder, prefix);
    std::string pattern;
    // Another save's RemoveStale may take the fresh file before its lock is ours and remove it:
    // then the name is no longer this file, and another is made.
    for (int attempt = 0; m_fd < 0; ++attempt) {
        pattern = (folder / (prefix + "XXXXXX")).string();
        m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (m_fd < 0)
            return false;
        struct stat held = {};
        struct stat named = {};
        ::flock(m_fd, LOCK_EX); // waits only while a RemoveStale holds it
        if (::fstat(m_fd, &held) == 0
            && ::stat(pattern.c_str(), &named) == 0 && held.st_dev == named.st_dev
            && held.st_ino == named.st_ino)
            break;
        ::close(m_fd);
        m_fd = -1;
        if (attempt == 100) {
            errno = EAGAIN;
            return false;
        }
    }
    m_tempPath = pattern;
    struct stat existing = {};
    if (::stat(m_target.c_str(), &existing) == 0) {
        // Owner first: changing it may clear the set-id bits that the mode then restores.
        // Without the right to give the file away, at least its group is kept where allowed.
        if ((existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())
            && ::fchown(m_fd, existing.st_uid, existing.st_gid) != 0) {
            const bool groupKept = ::fchown(m_fd, static_cast<uid_t>(-1), existing.st_gid) == 0;
            static_cast<void>(groupKept);
        }
        ::fchmod(m_fd, existing.st_mode & 07777);
    } else {
        ::fchmod(m_fd, NewFileMode());
    }
    return true;
}

bool AtomicFileWriter::OpenDirect()
{
    // Without O_NONBLOCK opening a FIFO waits for a reader, which may never come.
    m_fd = ::open(m_target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (m_fd < 0) {
        struct stat info = {};
        if (errno == ENXIO && ::stat(m_target.c_str(), &info) == 0 && S_ISFIFO(info.st_mode))
            return Fail("no process reads from this FIFO");
        if (errno == ENXIO)
            return Fail("no device answers to it (" + std::string(std::strerror(ENXIO)) + ")");
        return FailErrno({});
    }
    const int flags = ::fcntl(m_fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(m_fd, F_SETFL, flags & ~O_NONBLOCK);
    return true;
}

Status AtomicFileWriter::Open()
{
    if (!m_opened) {
        m_opened = true;
        if (ResolveTarget()) {
            if (m_mode == Mode::Direct) {
                OpenDirect();
            } else if (!OpenTemporary()) {
                const int error = errno;
                std::error_code ignored;
                if (error == EACCES && std::filesystem::exists(m_target, ignored)) {
                    m_mode = Mode::InPlace; // the folder is read-only, the file is writable
                    OpenInPlace();
                } else {
                    errno = error;
                    FailErrno("cannot create a file in " + FolderOf(m_target).string());
                }
            }
        }
    }
    if (m_failed)
        return Failure { m_failedLine, m_reason };
    return Success();
}

void AtomicFileWriter::Reserve(long long bytes)
{
#ifdef __linux__
    // Without it, the file system reserves and maps the blocks of a new file a page at a time as
    // each write comes, a tenth of a large run's writing. The file's size goes ahead with its
    // blocks, which every file system gives back when Commit cuts it to what was written; a
    // small file gains nothing, and a refusal (a full disk, a file system without it) leaves the
    // blocks to be found as before.
    constexpr long long ReserveFrom = 8 << 20;
    if (m_mode == Mode::Replace && m_fd >= 0 && !m_failed && !m_reserved && m_written == 0
        && bytes >= ReserveFrom)
        m_reserved = ::fallocate(m_fd, 0, 0, static_cast<off_t>(bytes)) == 0;
#else
    static_cast<void>(bytes);
#endif
}

bool AtomicFileWriter::WriteOut(std::string_view bytes)
{
    if (!WriteAll(m_fd, bytes.data(), bytes.size()))
        return FailErrno({});
#ifdef SYNC_FILE_RANGE_WRITE
    // The disk starts on what was written while the rest is being made, so that the sync at
    // Commit waits for the last part only. A hint: where it is refused, Commit syncs it all.
    if (m_mode == Mode::Replace)
        ::sync_file_range(m_fd, static_cast<off_t>(m_written), static_cast<off_t>(bytes.size()),
            SYNC_FILE_RANGE_WRITE);
#endif
    m_written += static_cast<long long>(bytes.size());
    // Small files are synced at Commit alone; a thread is worth it for large ones.
    constexpr long long SyncFrom = 8 << 20;
    if (m_mode == Mode::Replace && !m_sync && m_written >= SyncFrom) {
        try {
            m_sync = std::make_unique<BackgroundSync>(m_fd);
        } catch (const std::system_error &) {
            // No thread to spare: Commit syncs it all.
        }
    }
    return true;
}

// Two saves written over one file at once would mix their bytes: the file is locked from Open
// to Commit, and a second save meanwhile is refused rather than kept waiting for a run that
// may take minutes.
bool AtomicFileWriter::OpenInPlace()
{
    m_fd = ::open(m_target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (m_fd < 0)
        return FailErrno({});
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        return true;
    if (errno == EWOULDBLOCK)
        return Fail("another save is writing this file now; try again when it has finished");
    return FailErrno({});
}

bool AtomicFileWriter::WriteInPlace()
{
    const bool written = WriteAll(m_fd, m_buffer.data(), m_buffer.size())
        && ::ftruncate(m_fd, static_cast<off_t>(m_buffer.size())) == 0 && ::fsync(m_fd) == 0;
    if (!written)
        FailErrno({});
    return written;
}

Status AtomicFileWriter::Commit()
{
    if (!m_opened)
        static_cast<void>(Open());
    if (!m_failed && m_mode == Mode::InPlace) {
        WriteInPlace();
    } else if (!m_failed) {
        // The room Reserve set aside past the bytes is cut off: without that the file would end
        // in zeros.
        if (Flush() && m_reserved && ::ftruncate(m_fd, static_cast<off_t>(m_written)) != 0)
            FailErrno({});
        StopSync();
        // Devices and pipes need no sync, and some refuse it.
        if (!m_failed && ::fsync(m_fd) != 0
            && !(m_mode == Mode::Direct && (errno == EINVAL || errno == EROFS || errno == ENOTSUP)))
            FailErrno({});
    }
    m_sync.reset(); // stopped before the descriptor closes, whatever failed
    if (m_fd >= 0) {
        if (::close(m_fd) != 0)
            FailErrno({});
        m_fd = -1;
    }
    if (!m_failed && m_mode == Mode::Replace && ::rename(m_tempPath.c_str(), m_target.c_str()) != 0)
        FailErrno({});
    if (m_failed)
        return Failure { m_failedLine, m_reason };
    m_tempPath.clear();
    return Success();
}

} // namespace engine
