// Windows-1251 <-> UTF-8: a lossless run-time conversion and compile-time literals.
#pragma once


#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// Unicode code points of the bytes 0x80..0xFF. 0x98 has no character in the code page; it is
// mapped to U+0098 so that every byte survives a round trip through UTF-8.
inline constexpr char16_t Cp1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// The byte of a code point, or -1 when the code page has none.
constexpr int Cp1251ByteOf(char32_t codePoint)
{
    if (codePoint < 0x80)
        return static_cast<int>(codePoint);
    for (int i = 0; i < 128; ++i) {
        if (Cp1251High[i] == codePoint)
            return 0x80 + i;
    }
    return -1;
}

// Decodes the UTF-8 sequence at `i` into `codePoint`; returns its length, or 0 when it is
// malformed (overlong, a surrogate, past U+10FFFF, cut short). Used at run time and while
// compiling literals.
constexpr std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t &codePoint)
{
    const auto lead = static_cast<unsigned char>(s[i]);
    std::size_t extra = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        codePoint = lead & 0x1F;
        extra = 1;
        min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        codePoint = lead & 0x0F;
        extra = 2;
        min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        codePoint = lead & 0x07;
        extra = 3;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + extra >= s.size())
        return 0;
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(s[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < min || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return extra + 1;
}

// Every byte becomes one character; nothing is lost.
std::string Cp1251ToUtf8(std::string_view bytes);

// Characters the code page lacks, and malformed UTF-8, become `replacement`; `unmapped`
// (when given) receives how many did.
std::string Utf8ToCp1251(std::string_view utf8, char replacement = '?',
                         std::size_t *unmapped = nullptr);

namespace detail {

    template <std::size_t N>
    struct Utf8Literal
    {
        char text[N] {};
        consteval Utf8Literal(const char (&s)[N])
        {
            for (std::size_t i = 0; i < N; ++i)
                text[i] = s[i];
        }
    };

    template <std::size_t N>
    struct Cp1251Bytes
    {
        char data[N] {};
        std::size_t size = 0;
    };

    template <std::size_t N>
    consteval Cp1251Bytes<N> EncodeLiteral(const Utf8Literal<N> &literal)
    {
        Cp1251Bytes<N> out;
        const std::string_view text(literal.text, N - 1); // the terminating NUL stays out
        for (std::size_t i = 0; i < text.size();) {
            char32_t codePoint = 0;
            const std::size_t length = DecodeUtf8(text, i, codePoint);
            if (length == 0)
                throw "literal is not UTF-8";
            const int byte = Cp1251ByteOf(codePoint);
            if (byte < 0)
                throw "character outside Windows-1251 in literal";
            out.data[out.size++] = static_cast<char>(byte);
            i += length;
        }
        return out;
    }

    template <Utf8Literal S>
    inline constexpr auto EncodedLiteral = EncodeLiteral(S);

} // namespace detail

// "в/к"_w1251 is the three Windows-1251 bytes of the text, converted while compiling.
template <detail::Utf8Literal S>
consteval std::string_view operator""_w1251()
{
    return { detail::EncodedLiteral<S>.data, detail::EncodedLiteral<S>.size };
}

} // namespace engine
