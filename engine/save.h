// Writing files whole or not at all, and saving the corrected protocol.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/protocol.h"
#include "engine/result.h"

namespace engine {

// Writes a file so that a failure never leaves the earlier one damaged or replaced by a part.
//
// What it does by the kind of target (links are followed first, up to 40 of them; a loop is
// refused, a dangling link's target is created):
// - a new or a regular file: the bytes go into a temporary file beside it, which is renamed over
//   it only when every byte went out and reached the disk. The file keeps its permissions and,
//   where the process may, its owner and group. Other hard links keep the old content: the name
//   gets a new file. A file the process may not write is not replaced ("Permission denied").
// - a regular file in a folder the process may not write (but the file it may): written in
//   place, from the start, and cut to length, at Commit. A failure then can leave it damaged.
//   The file is locked (flock) from Open to Commit: a second such save meanwhile is refused.
// - a FIFO, a device, standard output and the like: written directly, never renamed over; a
//   FIFO nobody reads is refused at once instead of waiting.
// - a folder, a socket: refused.
// Temporary files are named ".lapwing-<8 hex of the target's name>-XXXXXX", short whatever
// the target's name, and hold an advisory lock while in use; opening removes those of the same
// target that no live process holds (left by a killed run). The destructor removes the
// temporary file when not committed.
// On Windows a device (NUL, CON, a pipe) is written directly and every other target is a new or
// a regular file: the temporary file is flushed with FlushFileBuffers and, still open, moved over
// the target with MoveFileExW (replacing, written through). A read-only file is refused, and so
// is one another program holds open without letting it be replaced ("the file is in use by
// another program (sharing violation)", for the whole file, at Open when it is held already).
// A save holds its temporary file open from its making, so one that no process has open is
// removed whatever its age.
class AtomicFileWriter
{
public:
    explicit AtomicFileWriter(std::filesystem::path path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter &) = delete;
    AtomicFileWriter &operator=(const AtomicFileWriter &) = delete;

    // Checks the target and makes the temporary file; call it before making the content so that
    // a save that cannot succeed fails first. The failure is kept for Commit too.
    Status Open();
    // `lines`: how many whole lines the bytes hold, when they are lines, so that a failure
    // names the first line of the block it could not write.
    bool Write(std::string_view bytes, std::size_t lines = 0);
    bool WriteLine(std::string_view line); // the line and CR LF
    // Sets the disk's room for about `bytes` aside at once, for a large file whose size is known
    // or guessed: its blocks are then found in one go, not page by page as the bytes come. A
    // hint (a file system may refuse it); what is past the end at Commit is given back.
    void Reserve(long long bytes);
    // A failure's reason names the folder or link when the trouble is there (the caller names
    // the target); its line is the line (counted by WriteLine) being written when a write failed.
    Status Commit();

    // The temporary file while one exists, for a signal handler to remove; empty otherwise.
    const std::string &TemporaryPath() const { return m_tempPath; }

private:
    // Open, WriteOut, Commit, the destructor and the target's handling are the system's part, in
    // engine/platform/atomic_file_<system>.cpp; InPlace is a POSIX target only.
    enum class Mode { Replace, Direct, InPlace };

    bool Fail(std::string reason);
    bool FailErrno(std::string_view what);
    bool Flush();
    bool WriteBlock(std::string_view bytes);
    bool WriteOut(std::string_view bytes); // to the file, now
    bool ResolveTarget();
    bool OpenTemporary();
    bool OpenDirect();
    bool OpenInPlace();
    bool WriteInPlace();

    std::filesystem::path m_given;
    std::filesystem::path m_target;
    Mode m_mode = Mode::Replace;
    std::string m_tempPath;
    int m_fd = -1; // a C runtime descriptor on Windows too, for one interface
    bool m_opened = false;
    std::string m_buffer;
    std::string m_reason;
    bool m_failed = false;
    std::size_t m_lines = 0; // lines handed to WriteLine
    long long m_written = 0; // bytes flushed to the file
    bool m_reserved = false; // the file's size was set ahead by Reserve
    std::size_t m_failedLine = 0;
    // Syncs what was written while the rest is written, so that Commit waits for the end only.
    class BackgroundSync;
    std::unique_ptr<BackgroundSync> m_sync;
    bool StopSync(); // false when a background sync failed (the failure is kept)
};

Status WriteFileAtomically(const std::filesystem::path &path, std::string_view bytes);

// The protocol as saved: every line followed by CR LF, bytes as they are.
std::string ProtocolBytes(const std::vector<ProtocolLine> &lines);

// Creates or replaces the file with the lines, each followed by CR LF.
Status SaveProtocol(const std::filesystem::path &path, const std::vector<ProtocolLine> &lines);

} // namespace engine
