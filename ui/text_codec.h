// Between the window's text and the engine's Windows-1251 bytes.
#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace ui {

// Every byte becomes one character, so nothing is lost on the way back.
QString FromCp1251(std::string_view bytes);
// Characters the code page lacks become '?'.
std::string ToCp1251(const QString &text);

} // namespace ui
