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

} // namespace engine
