// The size limits of input files, as messages name them.
#include "engine/file_reading.h"

namespace engine {

std::string LimitText(std::uintmax_t bytes)
{
    if (bytes >= (std::uintmax_t { 1 } << 30) && bytes % (std::uintmax_t { 1 } << 30) == 0)
        return std::to_string(bytes >> 30) + " GiB";
    if (bytes >= (std::uintmax_t { 1 } << 20) && bytes % (std::uintmax_t { 1 } << 20) == 0)
        return std::to_string(bytes >> 20) + " MiB";
    return std::to_string(bytes) + " bytes";
}

} // namespace engine
