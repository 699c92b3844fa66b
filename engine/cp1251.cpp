#include "engine/cp1251.h"

namespace engine {

namespace {

    void AppendUtf8(std::string &out, char32_t codePoint)
    {
        if (codePoint < 0x80) {
            out.push_back(static_cast<char>(codePoint));
        } else if (codePoint < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
            out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
            out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        }
    }

    int HighByteOf(char32_t codePoint)
    {
        // Cyrillic А..я is one block; everything else is a short search.
        if (codePoint >= 0x0410 && codePoint <= 0x044F)
            return static_cast<int>(0xC0 + (codePoint - 0x0410));
        return Cp1251ByteOf(codePoint);
    }

    // Decodes one UTF-8 sequence at `i`; returns its length, or 0 when malformed.
    std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t &codePoint)
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

} // namespace

std::string Cp1251ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            out.push_back(c);
        else
            AppendUtf8(out, Cp1251High[byte - 0x80]);
    }
    return out;
}

std::string Utf8ToCp1251(std::string_view utf8, char replacement, std::size_t *unmapped)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t missing = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t codePoint = 0;
        const std::size_t length = DecodeUtf8(utf8, i, codePoint);
        if (length == 0) {
            out.push_back(replacement);
            ++missing;
            ++i;
            continue;
        }
        const int byte = codePoint < 0x80 ? static_cast<int>(codePoint) : HighByteOf(codePoint);
        if (byte < 0) {
            out.push_back(replacement);
            ++missing;
        } else {
            out.push_back(static_cast<char>(byte));
        }
        i += length;
    }
    if (unmapped)
        *unmapped = missing;
    return out;
}

bool LooksLikeUtf8Cyrillic(const std::vector<std::string> &lines)
{
    bool cyrillic = false;
    for (const std::string &line : lines) {
        for (std::size_t i = 0; i < line.size();) {
            char32_t codePoint = 0;
            const std::size_t length = DecodeUtf8(line, i, codePoint);
            if (length == 0)
                return false;
            cyrillic = cyrillic || (codePoint >= 0x0400 && codePoint <= 0x04FF);
            i += length;
        }
    }
    return cyrillic;
}

} // namespace engine
