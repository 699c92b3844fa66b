// Paths to and from the UTF-8 text that arguments, settings and messages use.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace engine {

// Windows paths are UTF-16, and a plain std::string would be read in the ANSI code page there,
// losing every letter outside it; on POSIX systems the bytes pass unchanged.
std::filesystem::path Utf8Path(std::string_view utf8);
std::string PathText(const std::filesystem::path &path);

} // namespace engine
