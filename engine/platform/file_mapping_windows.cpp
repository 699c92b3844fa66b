// On Windows the protocol is read into memory, not mapped.
#include "engine/file_bytes.h"

namespace engine {

std::shared_ptr<const FileBytes> MapProtocolFile(const std::filesystem::path &, std::uintmax_t)
{
    return nullptr;
}

} // namespace engine
