#include "engine/result.h"

namespace engine {

std::string Describe(std::string_view file, const Failure &failure)
{
    std::string text(file);
    if (failure.Line > 0)
        text += ':' + std::to_string(failure.Line);
    if (!failure.Reason.empty())
        text += ": " + failure.Reason;
    return text;
}

} // namespace engine
