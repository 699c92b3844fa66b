// Texts the window shows (UTF-8).
#pragma once

namespace ui {

inline constexpr const char *LoadFailedMessage = "Памылка пры адкрыцці файла";
inline constexpr const char *SaveFailedMessage = "Памылка падчас запісу";
inline constexpr const char *NoOutputNameMessage = "Вызначце імя файла";
inline constexpr const char *Utf8ProtocolMessage
    = "Файл, падобна, запісаны ў кадоўцы UTF-8, а не Windows-1251: літары ў ім будуць "
      "паказаны і захаваны няправільна. Захавайце пратакол у Windows-1251 і прачытайце зноў.";
// The results collector's address named in the saving confirmation.
inline constexpr const char *CollectorEmail = "results@example.org";
inline constexpr const char *SavedMessagePrefix
    = "Вынікі захаваны ў файле. Не забудзцеся даслаць іх на e-mail: ";
inline constexpr const char *SavedMessageSuffix = ". Дзякую!";

} // namespace ui
