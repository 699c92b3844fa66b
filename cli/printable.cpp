#include "cli/printable.h"

#include <cstdio>

#include "engine/cp1251.h"

namespace cli {

bool IsUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        char32_t codePoint = 0;
        const std::size_t length = engine::DecodeUtf8(text, i, codePoint);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string Printable(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t codePoint = 0;
        std::size_t length = engine::DecodeUtf8(text, i, codePoint);
        const bool control = codePoint < 0x20 ? codePoint != '\n' && codePoint != '\t'
                                              : codePoint >= 0x7F && codePoint <= 0x9F;
        if (length > 0 && !control) {
            shown.append(text, i, length);
        } else {
            for (const char byte : text.substr(i, length > 0 ? length : 1)) {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(byte));
                shown += hex;
            }
        }
        i += length > 0 ? length : 1;
    }
    return shown;
}

} // namespace cli
