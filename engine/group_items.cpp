#include "engine/group_items.h"

#include <algorithm>
#include <charconv>

namespace engine {

namespace {

    std::string_view TrimSpaces(std::string_view text)
    {
        text.remove_prefix(std::min(text.size(), text.find_first_not_of(' ')));
        return text.substr(0, text.find_last_not_of(' ') + 1);
    }

    template <typename Enum, std::size_t N>
    std::optional<Enum> Lookup(std::string_view text, const std::array<std::string_view, N> &items)
    {
        text = TrimSpaces(text);
        for (std::size_t i = 0; i < N; ++i) {
            if (text == items[i])
                return static_cast<Enum>(i);
        }
        if (const std::optional<int> number = CountOf(text);
            number && *number < static_cast<int>(N))
            return static_cast<Enum>(*number);
        return std::nullopt;
    }

} // namespace

std::optional<int> CountOf(std::string_view text)
{
    text = TrimSpaces(text);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

std::optional<DistanceClass> DistanceClassOf(std::string_view text)
{
    return Lookup<DistanceClass>(text, DistanceClassItems);
}

std::optional<Category> CategoryOf(std::string_view text)
{
    return Lookup<Category>(text, CategoryItems);
}

} // namespace engine
