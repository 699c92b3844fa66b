// Between the window's text and the engine's Windows-1251 bytes.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include <QString>

namespace ui {

// Every byte becomes one character, so nothing is lost on the way back.
QString FromCp1251(std::string_view bytes);
// Characters the code page lacks become '?'; check with FirstUnencodable first where that matters.
std::string ToCp1251(const QString &text);

// The first character of a text that Windows-1251 cannot hold.
struct Unencodable
{
    qsizetype Column = 0; // 1-based, counting characters (a surrogate pair is one)
    QString Text; // the character itself
};
std::optional<Unencodable> FirstUnencodable(const QString &text);

// A path the user gave, in the system's encoding of file names.
std::filesystem::path ToPath(const QString &path);

} // namespace ui
