#include "engine/byte_scan.h"

#include <algorithm>
#include <cstring>

namespace engine::scan {

// Most windows hold no Latin capital at all, and are ruled out eight bytes at a time before the
// byte-by-byte count (the compiler does not vectorise a loop of unknown length at -O2). The last
// bytes are looked at as the eight that end the text, some of them twice.
bool HasLatinCapitalPlain(std::string_view text)
{
    constexpr std::uint64_t Ones = ~std::uint64_t { 0 } / 255; // 0x0101...01
    // Whether a byte of x lies strictly between 64 and 91, i.e. is 'A'..'Z': the classic "has a
    // byte between m and n" test, exact for 0 <= m <= 127 and n <= 128.
    const auto between = [](std::uint64_t x) {
        const std::uint64_t low = x & Ones * 127;
        return ((Ones * (127 + 91) - low) & ~x & (low + Ones * (127 - 64)) & Ones * 128) != 0;
    };
    const auto word = [&](std::size_t at) {
        std::uint64_t bytes;
        std::memcpy(&bytes, text.data() + at, sizeof bytes);
        return bytes;
    };
    if (text.size() < 8)
        return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    for (std::size_t i = 0; i + 8 <= text.size(); i += 8) {
        if (between(word(i)))
            return true;
    }
    return text.size() % 8 != 0 && between(word(text.size() - 8));
}

std::uint64_t CapitalsMaskPlain(const char *bytes)
{
    std::uint64_t mask = 0;
    for (std::size_t i = 0; i < CapitalsMaskBytes; ++i) {
        if (bytes[i] >= 'A' && bytes[i] <= 'Z')
            mask |= std::uint64_t { 1 } << i;
    }
    return mask;
}

#ifdef LAPWING_SSE2_SCANS

namespace {

    // As signed bytes 'A'..'Z' lie between 64 and 91, and every byte from 0x80 is below.
    unsigned CapitalsOf16(const char *at)
    {
        const __m128i below = _mm_set1_epi8('A' - 1);
        const __m128i above = _mm_set1_epi8('Z' + 1);
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
        return static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpgt_epi8(bytes, below), _mm_cmplt_epi8(bytes, above))));
    }

} // namespace

// Sixteen bytes at a time; the last bytes as the sixteen that end the text, some of them twice.
bool HasLatinCapitalSse2(std::string_view text)
{
    if (text.size() < 16)
        return HasLatinCapitalPlain(text);
    for (std::size_t i = 0; i + 16 <= text.size(); i += 16) {
        if (CapitalsOf16(text.data() + i) != 0)
            return true;
    }
    return text.size() % 16 != 0 && CapitalsOf16(text.data() + text.size() - 16) != 0;
}

std::uint64_t CapitalsMaskSse2(const char *bytes)
{
    std::uint64_t mask = 0;
    for (std::size_t i = 0; i < CapitalsMaskBytes; i += 16)
        mask |= std::uint64_t { CapitalsOf16(bytes + i) } << i;
    return mask;
}

#endif

} // namespace engine::scan
