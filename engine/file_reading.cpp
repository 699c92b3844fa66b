#include "engine/file_reading.h"

#include <cerrno>
#include <cstring>
#include <algorithm>
#include <memory>
#include <new>
#include <span>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace engine {

namespace {

    class Descriptor
    {
    public:
        explicit Descriptor(int fd)
            : m_fd(fd)
        {
        }
        ~Descriptor()
        {
            if (m_fd >= 0)
                ::close(m_fd);
        }
        Descriptor(const Descriptor &) = delete;
        Descriptor &operator=(const Descriptor &) = delete;
        int Get() const { return m_fd; }

    private:
        int m_fd;
    };

    Failure SystemFailure() { return { 0, std::strerror(errno) }; }

    Failure TooLarge(std::uintmax_t limit)
    {
        return { 0, "the file is larger than the limit of " + LimitText(limit) };
    }

} // namespace

Status ReadFileChunks(const std::filesystem::path &path, std::uintmax_t limit,
    const std::function<bool(std::string_view)> &chunk)
{
    // O_NONBLOCK: opening a FIFO must not wait for a writer; the type is checked right after.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0)
        return SystemFailure();
    struct stat info = {};
    if (::fstat(file.Get(), &info) != 0)
        return SystemFailure();
    if (S_ISDIR(info.st_mode))
        return Failure { 0, std::strerror(EISDIR) };
    if (!S_ISREG(info.st_mode))
        return Failure { 0, "not a regular file (a FIFO, device or socket)" };
    if (static_cast<std::uintmax_t>(info.st_size) > limit)
        return TooLarge(limit);
    try {
        // As large as the file and a byte (to see its end), up to 1 MiB, and not zeroed: a
        // small settings file must not cost a megabyte of fresh pages.
        const std::size_t size = static_cast<std::size_t>(
            std::min<std::uintmax_t>(static_cast<std::uintmax_t>(info.st_size) + 1, std::uintmax_t { 1 } << 20));
        const std::unique_ptr<char[]> storage(new char[std::max<std::size_t>(size, 4096)]);
        const std::span<char> buffer(storage.get(), std::max<std::size_t>(size, 4096));
        std::uintmax_t total = 0;
        for (;;) {
            const ssize_t got = ::read(file.Get(), buffer.data(), buffer.size());
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                return SystemFailure();
            }
            if (got == 0)
                return Success();
            total += static_cast<std::uintmax_t>(got);
            if (total > limit) // the file grew while it was read
                return TooLarge(limit);
            if (!chunk(std::string_view(buffer.data(), static_cast<std::size_t>(got))))
                return Success();
        }
    } catch (const std::bad_alloc &) {
        return Failure { 0, "not enough memory" };
    }
}

} // namespace engine
