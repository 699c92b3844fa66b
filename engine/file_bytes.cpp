#include "engine/file_bytes.h"

#include <new>
#include <system_error>

#include "engine/file_reading.h"
#include "engine/huge_pages.h"

namespace engine {

Result<std::shared_ptr<const FileBytes>> ReadProtocolBytes(
    const std::filesystem::path &path, std::uintmax_t limit, FileAccess access)
{
    if (access == FileAccess::Map) {
        if (auto mapped = MapProtocolFile(path, limit))
            return mapped;
    }
    try {
        std::string bytes;
        // One allocation of the file's size: the string never regrows (and copies) as it fills.
        std::error_code error;
        if (const std::uintmax_t size = std::filesystem::file_size(path, error);
            !error && size <= limit)
            bytes.reserve(static_cast<std::size_t>(size));
        AdviseHugePages(bytes.data(), bytes.capacity());
        const Status read = ReadFileChunks(path, limit, [&](std::string_view chunk) {
            bytes.append(chunk);
            return true;
        });
        if (!read)
            return read.Error();
        return std::shared_ptr<const FileBytes>(std::make_shared<OwnedBytes>(std::move(bytes)));
    } catch (const std::bad_alloc &) {
        return Failure { 0, "not enough memory" };
    }
}

} // namespace engine
