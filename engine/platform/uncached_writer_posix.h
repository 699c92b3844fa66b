// Writing a large file past the page cache, and writing bytes whole, on POSIX systems.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace engine::platform {

// Writes all `size` bytes, again after an interruption or a short write; false with errno set.
bool WriteAll(int fd, const char *data, std::size_t size);

// A large file that is written once and synced at its end gains nothing from the page cache:
// its bytes are gathered in an aligned buffer and written from there with O_DIRECT. That costs
// one copy in place of the kernel's copy, its bookkeeping of every page and the writeback,
// which at 100 MB was a third of the processor time of writing the file. Where the file system
// or the device refuses it, or a write comes out short, the rest of the file goes through the
// cache as any other, and a real error (a full disk) is then reported as it always was.
class UncachedWriter
{
public:
    // Writes to `fd` (a regular file opened for writing, its offset at `offset`, its end); none
    // where the system has no such writing.
    static std::unique_ptr<UncachedWriter> Start(int fd, long long offset);
    ~UncachedWriter();
    UncachedWriter(const UncachedWriter &) = delete;
    UncachedWriter &operator=(const UncachedWriter &) = delete;

    // False with errno set. The bytes may stay in the buffer until Finish.
    bool Write(std::string_view bytes);
    // Writes what the buffer holds; the descriptor then writes through the cache again.
    bool Finish();

private:
    UncachedWriter(int fd, std::size_t lead);
    bool Gather(std::string_view bytes);
    bool WriteDirect(const char *data, std::size_t size);
    bool ThroughCache();

    int m_fd;
    std::size_t m_lead; // bytes written through the cache before the offset is aligned
    bool m_direct = false; // O_DIRECT is set on the descriptor
    bool m_cached = false; // refused once: everything goes through the cache from then on
    std::size_t m_filled = 0;
    std::unique_ptr<char, void (*)(void *)> m_buffer;
};

} // namespace engine::platform
