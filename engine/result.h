// What a step that can fail reports: the line it stopped at and why.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace engine {

// Line: 1-based line of the file the step read or wrote, 0 when no line applies. Reason: the
// system's or the program's own words (UTF-8 unless a caller says otherwise).
struct Failure
{
    std::size_t Line = 0;
    std::string Reason;

    bool operator==(const Failure &other) const = default;
};

// "file:line: reason", leaving out the line when 0 and the reason when empty.
std::string Describe(std::string_view file, const Failure &failure);

// A value, or the failure that kept it from being made. std::expected arrives only with C++23.
template <typename T> class [[nodiscard]] Result
{
public:
    Result(T value)
        : m_state(std::move(value))
    {
    }
    Result(Failure failure)
        : m_state(std::move(failure))
    {
    }

    bool Ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return Ok(); }
    T &Value() { return std::get<0>(m_state); }
    const T &Value() const { return std::get<0>(m_state); }
    const Failure &Error() const { return std::get<1>(m_state); }

    bool operator==(const Result &other) const = default;

private:
    std::variant<T, Failure> m_state;
};

struct Done
{
    bool operator==(const Done &) const = default;
};

// Success, or a failure.
using Status = Result<Done>;
inline Status Success() { return Done {}; }

} // namespace engine
