// Mapping a protocol file on POSIX systems, safe against the file being cut short meanwhile.
//
// A page of a mapped file that another program truncated raises SIGBUS when read. The handler
// below puts zero pages over the lost part of a mapping this file made, marks it cut, and lets
// the read go on; the caller sees ProtocolLines::Intact() turn false and uses nothing it made.
// A SIGBUS anywhere else goes to the handler that was there before (or the default action).
#include "engine/file_bytes.h"

#include <atomic>
#include <csignal>
#include <mutex>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace engine {

namespace {

    struct Region
    {
        std::atomic<char *> Begin { nullptr };
        std::atomic<std::size_t> Size { 0 };
        std::atomic<bool> Cut { false };
    };
    // A run maps one protocol at a time; the few slots allow for more, and a mapping that finds
    // none free is read instead.
    constexpr int Slots = 8;
    Region g_regions[Slots];
    struct sigaction g_previous = {};

    void OnBusError(int signal, siginfo_t *info, void *context)
    {
        char *const address = static_cast<char *>(info->si_addr);
        for (Region &region : g_regions) {
            char *const begin = region.Begin.load();
            const std::size_t size = region.Size.load();
            if (begin == nullptr || address < begin || address >= begin + size)
                continue;
            const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
            char *const from = begin
                + ((static_cast<std::size_t>(address - begin)) & ~(static_cast<std::size_t>(page) - 1));
            // mmap is a plain system call, safe here in practice though POSIX does not list it.
            if (::mmap(from, static_cast<std::size_t>(begin + size - from), PROT_READ,
                    MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0)
                != MAP_FAILED) {
                region.Cut.store(true);
                return;
            }
            break;
        }
        if (g_previous.sa_flags & SA_SIGINFO) {
            g_previous.sa_sigaction(signal, info, context);
            return;
        }
        if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
            g_previous.sa_handler(signal);
            return;
        }
        // The default action, when the faulting read runs again.
        ::signal(SIGBUS, SIG_DFL);
    }

    void InstallHandler()
    {
        static std::once_flag once;
        std::call_once(once, [] {
            struct sigaction action = {};
            action.sa_sigaction = OnBusError;
            action.sa_flags = SA_SIGINFO | SA_NODEFER;
            sigemptyset(&action.sa_mask);
            ::sigaction(SIGBUS, &action, &g_previous);
        });
    }

    class MappedBytes final : public FileBytes
    {
    public:
        MappedBytes(char *begin, std::size_t size, Region &region)
            : m_begin(begin)
            , m_size(size)
            , m_region(region)
        {
        }
        ~MappedBytes() override
        {
            m_region.Size.store(0);
            m_region.Begin.store(nullptr);
            ::munmap(m_begin, m_size);
        }
        MappedBytes(const MappedBytes &) = delete;
        MappedBytes &operator=(const MappedBytes &) = delete;

        std::string_view Bytes() const override { return { m_begin, m_size }; }
        bool Intact() const override { return !m_region.Cut.load(); }

    private:
        char *m_begin;
        std::size_t m_size;
        Region &m_region;
    };

    Region *ClaimSlot()
    {
        for (Region &region : g_regions) {
            char *expected = nullptr;
            // A slot is claimed by a placeholder address, then given the mapping's.
            static char claimed;
            if (region.Begin.compare_exchange_strong(expected, &claimed))
                return &region;
        }
        return nullptr;
    }

} // namespace

std::shared_ptr<const FileBytes> MapProtocolFile(
    const std::filesystem::path &path, std::uintmax_t limit)
{
    // O_NONBLOCK: opening a FIFO must not wait for a writer; only regular files are mapped.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info = {};
    const bool mappable = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0
        && static_cast<std::uintmax_t>(info.st_size) <= limit;
    Region *region = mappable ? ClaimSlot() : nullptr;
    if (!region) {
        ::close(fd);
        return nullptr;
    }
    InstallHandler();
    const auto size = static_cast<std::size_t>(info.st_size);
    region->Cut.store(false);
    region->Size.store(0);
    // Populated at once: one call brings every page in, instead of a fault per page.
    void *begin = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    ::close(fd);
    if (begin == MAP_FAILED) {
        region->Begin.store(nullptr);
        return nullptr;
    }
    region->Size.store(size);
    region->Begin.store(static_cast<char *>(begin));
    try {
        return std::make_shared<MappedBytes>(static_cast<char *>(begin), size, *region);
    } catch (...) {
        region->Size.store(0);
        region->Begin.store(nullptr);
        ::munmap(begin, size);
        throw;
    }
}

} // namespace engine
