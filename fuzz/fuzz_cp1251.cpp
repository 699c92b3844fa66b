// The Windows-1251 conversion: every byte string survives a round trip through UTF-8, and any
// text converts to the code page without a fault. A protocol read as UTF-8 converts back to
// exactly its text, and one taken for UTF-8 fails only on a character the code page lacks.
#include <cstdlib>
#include <string>

#include "engine/cp1251.h"
#include "engine/protocol_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(bytes), size);
    const std::string utf8 = engine::Cp1251ToUtf8(input);
    std::size_t unmapped = 1;
    if (engine::Utf8ToCp1251(utf8, '?', &unmapped) != input || unmapped != 0)
        std::abort();
    // The same bytes read as UTF-8: each character gives one byte, at most one per input byte.
    const std::string back = engine::Utf8ToCp1251(input, '?', &unmapped);
    if (back.size() > input.size() || unmapped > back.size())
        std::abort();

    std::string again;
    engine::AppendAsUtf8(again, input);
    if (again != utf8)
        std::abort();
    const engine::Result<std::string> converted = engine::Utf8ProtocolToWindows1251(input);
    const bool mark = input.starts_with(engine::Utf8ByteOrderMark);
    if (converted) {
        std::string written;
        engine::AppendAsUtf8(written, converted.Value());
        if (written != input.substr(mark ? engine::Utf8ByteOrderMark.size() : 0))
            std::abort();
    } else if (engine::DetectEncoding(input).Encoding == engine::TextEncoding::Utf8
        && converted.Error().Reason.find("cannot be written") == std::string::npos) {
        std::abort();
    }
    return 0;
}
