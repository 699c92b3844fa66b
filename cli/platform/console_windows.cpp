// The command line and the standard streams on Windows.
#include "cli/console.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>

namespace cli {

namespace {

    std::string Utf8(const wchar_t *text)
    {
        const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
        if (size <= 1)
            return {};
        std::string utf8(static_cast<std::size_t>(size), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
        utf8.pop_back(); // the terminating NUL
        return utf8;
    }

    UINT ConsoleCodePage = 0;

    void RestoreConsoleCodePage() { ::SetConsoleOutputCP(ConsoleCodePage); }

} // namespace

std::vector<std::string> Utf8Arguments(int argc, char **argv)
{
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> wide(
        ::CommandLineToArgvW(::GetCommandLineW(), &count), ::LocalFree);
    if (!wide)
        return { argv, argv + argc };
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i)
        arguments.push_back(Utf8(wide.get()[i]));
    return arguments;
}

void PrepareStandardStreams()
{
    ::_setmode(::_fileno(stdout), _O_BINARY);
    // The console's code page outlives the process: it is given back at exit.
    ConsoleCodePage = ::GetConsoleOutputCP();
    if (ConsoleCodePage != 0 && ConsoleCodePage != CP_UTF8 && ::SetConsoleOutputCP(CP_UTF8))
        std::atexit(RestoreConsoleCodePage);
}

} // namespace cli
