// The byte scans under the readers' fast paths, sixteen bytes at a time where SSE2 is there,
// and their plain versions, always compiled: the tests hold each fast scan to its plain one, and
// a build with LAPWING_PLAIN_SCANS defined (the CMake option of that name) uses the plain ones
// only, so that they are built and tested too.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__) && !defined(LAPWING_PLAIN_SCANS)
#define LAPWING_SSE2_SCANS 1
#include <emmintrin.h>
#endif

namespace engine::scan {

// Bytes CapitalsMask looks at.
inline constexpr std::size_t CapitalsMaskBytes = 48;

// Whether a byte of `text` is 'A'..'Z'.
bool HasLatinCapitalPlain(std::string_view text);
// Bit k: byte k of the CapitalsMaskBytes bytes at `bytes` is 'A'..'Z'.
std::uint64_t CapitalsMaskPlain(const char *bytes);

// Calls found(offset) for every CR, LF, '<' and '&' of the bytes from `from` on, in order.
template <typename Found>
void ForEachMarkBytePlain(std::string_view bytes, Found &&found, std::size_t from = 0)
{
    for (std::size_t i = from; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\n' || c == '\r' || c == '<' || c == '&')
            found(i);
    }
}

#ifdef LAPWING_SSE2_SCANS

bool HasLatinCapitalSse2(std::string_view text);
std::uint64_t CapitalsMaskSse2(const char *bytes);

template <typename Found> void ForEachMarkByteSse2(std::string_view bytes, Found &&found)
{
    const char *const base = bytes.data();
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lt = _mm_set1_epi8('<');
    const __m128i amp = _mm_set1_epi8('&');
    std::size_t i = 0;
    for (; i + 16 <= bytes.size(); i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(base + i));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, lf), _mm_cmpeq_epi8(chunk, cr)),
                _mm_or_si128(_mm_cmpeq_epi8(chunk, lt), _mm_cmpeq_epi8(chunk, amp)))));
        while (mask != 0) {
            found(i + static_cast<std::size_t>(std::countr_zero(mask)));
            mask &= mask - 1;
        }
    }
    ForEachMarkBytePlain(bytes, found, i);
}

#endif

// The scans the readers use: the fast ones where they are built, else the plain ones.
#ifdef LAPWING_SSE2_SCANS
inline bool HasLatinCapital(std::string_view text) { return HasLatinCapitalSse2(text); }
inline std::uint64_t CapitalsMask(const char *bytes) { return CapitalsMaskSse2(bytes); }
template <typename Found> void ForEachMarkByte(std::string_view bytes, Found &&found)
{
    ForEachMarkByteSse2(bytes, found);
}
#else
inline bool HasLatinCapital(std::string_view text) { return HasLatinCapitalPlain(text); }
inline std::uint64_t CapitalsMask(const char *bytes) { return CapitalsMaskPlain(bytes); }
template <typename Found> void ForEachMarkByte(std::string_view bytes, Found &&found)
{
    ForEachMarkBytePlain(bytes, found);
}
#endif

} // namespace engine::scan
