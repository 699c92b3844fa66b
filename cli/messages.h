// Texts the batch tool prints (UTF-8); the first two are the desktop program's own words.
#pragma once

namespace cli {

inline constexpr const char *LoadFailedMessage = "Памылка пры адкрыцці файла";
inline constexpr const char *SaveFailedMessage = "Памылка падчас запісу";

} // namespace cli
