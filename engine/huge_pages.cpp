#include "engine/huge_pages.h"

#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace engine {

void AdviseHugePages([[maybe_unused]] const void *data, [[maybe_unused]] std::size_t bytes)
{
#ifdef __linux__
    constexpr std::uintptr_t Huge = 2 * 1024 * 1024;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + Huge - 1) & ~(Huge - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(Huge - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

} // namespace engine
