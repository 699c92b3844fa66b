#include "engine/save.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/text.h"

namespace engine {

namespace {

    constexpr std::size_t FlushSize = 1 << 20;

    std::filesystem::path ResolveLinks(const std::filesystem::path &path)
    {
        std::error_code error;
        if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
            const auto resolved = std::filesystem::weakly_canonical(path, error);
            if (!error)
                return resolved;
        }
        return path;
    }

    mode_t NewFileMode()
    {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666 & ~mask;
    }

} // namespace

AtomicFileWriter::AtomicFileWriter(std::filesystem::path path)
    : m_target(ResolveLinks(path))
{
}

AtomicFileWriter::~AtomicFileWriter()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_tempPath.empty())
        ::unlink(m_tempPath.c_str());
}

bool AtomicFileWriter::Fail(const char *what)
{
    if (!m_failed) {
        m_reason = std::string(what) + ": " + std::strerror(errno);
        m_failedLine = m_lines;
    }
    m_failed = true;
    return false;
}

bool AtomicFileWriter::Open()
{
    if (m_target.empty() || !m_target.has_filename()) {
        errno = EINVAL;
        return Fail(m_target.c_str());
    }
    std::error_code error;
    if (std::filesystem::is_directory(m_target, error)) {
        errno = EISDIR;
        return Fail(m_target.c_str());
    }
    std::string pattern = m_target.string() + ".XXXXXX";
    m_fd = ::mkstemp(pattern.data());
    if (m_fd < 0)
        return Fail(pattern.c_str());
    m_tempPath = pattern;
    struct stat existing {};
    const mode_t mode = ::stat(m_target.c_str(), &existing) == 0 ? (existing.st_mode & 07777)
                                                                  : NewFileMode();
    ::fchmod(m_fd, mode);
    return true;
}

bool AtomicFileWriter::Flush()
{
    const char *data = m_buffer.data();
    std::size_t left = m_buffer.size();
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return Fail(m_tempPath.c_str());
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    m_buffer.clear();
    return true;
}

bool AtomicFileWriter::Write(std::string_view bytes)
{
    if (m_failed || m_fd < 0)
        return false;
    m_buffer.append(bytes);
    return m_buffer.size() < FlushSize || Flush();
}

bool AtomicFileWriter::WriteLine(std::string_view line)
{
    ++m_lines;
    return Write(line) && Write(LineBreak);
}

Status AtomicFileWriter::Commit()
{
    if (m_fd < 0 && !m_failed) {
        errno = EBADF;
        Fail(m_target.c_str());
    }
    if (!m_failed && Flush() && ::fsync(m_fd) != 0)
        Fail(m_tempPath.c_str());
    if (m_fd >= 0) {
        if (::close(m_fd) != 0)
            Fail(m_tempPath.c_str());
        m_fd = -1;
    }
    if (!m_failed && ::rename(m_tempPath.c_str(), m_target.c_str()) != 0)
        Fail(m_target.c_str());
    if (m_failed)
        return Failure { m_failedLine, m_reason };
    m_tempPath.clear();
    return Success();
}

Status WriteFileAtomically(const std::filesystem::path &path, std::string_view bytes)
{
    AtomicFileWriter writer(path);
    if (writer.Open())
        writer.Write(bytes);
    return writer.Commit();
}

std::string ProtocolBytes(const std::vector<ProtocolLine> &lines)
{
    std::size_t size = 0;
    for (const ProtocolLine &line : lines)
        size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const ProtocolLine &line : lines)
        AppendLine(bytes, line);
    return bytes;
}

Status SaveProtocol(const std::filesystem::path &path, const std::vector<ProtocolLine> &lines)
{
    AtomicFileWriter writer(path);
    if (writer.Open()) {
        for (const ProtocolLine &line : lines) {
            if (!writer.WriteLine(line))
                break;
        }
    }
    return writer.Commit();
}

} // namespace engine
