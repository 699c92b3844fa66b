// Asking the system for huge pages under a large buffer that is about to be filled.
#pragma once

#include <cstddef>

namespace engine {

// Filling a buffer of a hundred megabytes in pages of 4 KiB costs tens of thousands of page
// faults, and every later pass over it misses the address cache as often; on some machines that
// costs more than the work done with the bytes. Asks for huge pages under the whole 2 MiB blocks
// of the buffer, where the system offers them on request (Linux); elsewhere it does nothing.
void AdviseHugePages(const void *data, std::size_t bytes);

} // namespace engine
