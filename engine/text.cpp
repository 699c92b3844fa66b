#include "engine/text.h"

#include <algorithm>

namespace engine {

std::string_view TrimLeadingBlanks(std::string_view text)
{
    while (!text.empty() && IsBlankOrControl(text.front()))
        text.remove_prefix(1);
    return text;
}

std::string_view TrimBlanks(std::string_view text)
{
    text = TrimLeadingBlanks(text);
    while (!text.empty() && IsBlankOrControl(text.back()))
        text.remove_suffix(1);
    return text;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
        return lower(x) == lower(y);
    });
}

std::size_t FindIgnoringAsciiCase(std::string_view text, std::string_view word, std::size_t from)
{
    for (std::size_t at = from; at + word.size() <= text.size(); ++at) {
        if (EqualsIgnoringAsciiCase(text.substr(at, word.size()), word))
            return at;
    }
    return std::string_view::npos;
}

const char *WideUnicodeMark(std::string_view start)
{
    using namespace std::string_view_literals;
    if (start.starts_with("\xFF\xFE\0\0"sv) || start.starts_with("\0\0\xFE\xFF"sv))
        return "UTF-32";
    if (start.starts_with("\xFF\xFE"sv) || start.starts_with("\xFE\xFF"sv))
        return "UTF-16";
    return nullptr;
}

} // namespace engine
