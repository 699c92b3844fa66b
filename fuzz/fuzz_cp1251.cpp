// The Windows-1251 conversion: every byte string survives a round trip through UTF-8, and any
// text converts to the code page without a fault.
#include <cstdlib>
#include <string>

#include "engine/cp1251.h"

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
    return 0;
}
