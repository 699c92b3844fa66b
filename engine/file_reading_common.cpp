// What reading files does the same way on every system: the limits as messages name them,
// and a whole file read through ReadFileChunks.
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

Result<std::string> ReadWholeFile(const std::filesystem::path &path, std::uintmax_t limit)
{
    std::string bytes;
    Status read = ReadFileChunks(path, limit, [&](std::string_view chunk) {
        bytes.append(chunk);
        return true;
    });
    if (!read)
        return read.Error();
    return bytes;
}

} // namespace engine
