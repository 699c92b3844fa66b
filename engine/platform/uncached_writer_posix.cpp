#include "engine/platform/uncached_writer_posix.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace engine::platform {

namespace {

    // Direct writes start, and are sized, at multiples of the largest logical block devices
    // have; a device that wants more refuses the first write, and the file goes through the
    // cache.
    constexpr std::size_t Alignment = 4096;
    // Large writes keep the device busy between them; the buffer is filled by copies of a few
    // hundred kilobytes, each part of the output as it comes.
    constexpr std::size_t BufferSize = 1 << 20;

} // namespace

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

UncachedWriter::UncachedWriter(int fd, std::size_t lead)
    : m_fd(fd)
    , m_lead(lead)
    , m_buffer(static_cast<char *>(std::aligned_alloc(Alignment, BufferSize)), std::free)
{
}

UncachedWriter::~UncachedWriter() = default;

std::unique_ptr<UncachedWriter> UncachedWriter::Start(int fd, long long offset)
{
#ifdef O_DIRECT
    std::unique_ptr<UncachedWriter> writer(new (std::nothrow) UncachedWriter(fd,
        (Alignment - static_cast<std::size_t>(offset) % Alignment) % Alignment));
    if (writer && writer->m_buffer)
        return writer;
#else
    static_cast<void>(fd);
    static_cast<void>(offset);
#endif
    return nullptr;
}

bool UncachedWriter::Write(std::string_view bytes)
{
    // Up to the first aligned offset, through the cache.
    const std::size_t lead = std::min(m_lead, bytes.size());
    if (lead > 0 && !WriteAll(m_fd, bytes.data(), lead))
        return false;
    m_lead -= lead;
    bytes.remove_prefix(lead);
    if (m_cached)
        return WriteAll(m_fd, bytes.data(), bytes.size());
    return Gather(bytes);
}

bool UncachedWriter::Gather(std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::size_t size = std::min(BufferSize - m_filled, bytes.size());
        std::memcpy(m_buffer.get() + m_filled, bytes.data(), size);
        m_filled += size;
        bytes.remove_prefix(size);
        if (m_filled < BufferSize)
            break;
        m_filled = 0;
        if (!WriteDirect(m_buffer.get(), BufferSize))
            return false;
        if (m_cached)
            return WriteAll(m_fd, bytes.data(), bytes.size());
    }
    return true;
}

// `size` is a multiple of the alignment. A refusal or a short write sends the rest through the
// cache, which writes it or says why it cannot.
bool UncachedWriter::WriteDirect(const char *data, std::size_t size)
{
#ifdef O_DIRECT
    if (!m_direct) {
        const int flags = ::fcntl(m_fd, F_GETFL);
        m_direct = flags >= 0 && ::fcntl(m_fd, F_SETFL, flags | O_DIRECT) == 0;
    }
    ssize_t written = -1;
    if (m_direct) {
        do
            written = ::write(m_fd, data, size);
        while (written < 0 && errno == EINTR);
    }
    if (written == static_cast<ssize_t>(size))
        return true;
    const std::size_t done = written > 0 ? static_cast<std::size_t>(written) : 0;
    return ThroughCache() && WriteAll(m_fd, data + done, size - done);
#else
    return WriteAll(m_fd, data, size);
#endif
}

bool UncachedWriter::ThroughCache()
{
    m_cached = true;
#ifdef O_DIRECT
    if (m_direct) {
        const int flags = ::fcntl(m_fd, F_GETFL);
        if (flags < 0 || ::fcntl(m_fd, F_SETFL, flags & ~O_DIRECT) != 0)
            return false;
        m_direct = false;
    }
#endif
    return true;
}

bool UncachedWriter::Finish()
{
    const std::size_t filled = std::exchange(m_filled, 0);
    const std::size_t aligned = m_cached ? 0 : filled / Alignment * Alignment;
    if (aligned > 0 && !WriteDirect(m_buffer.get(), aligned))
        return false;
    return ThroughCache() && WriteAll(m_fd, m_buffer.get() + aligned, filled - aligned);
}

} // namespace engine::platform
