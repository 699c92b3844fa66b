// The command line and the standard streams on Windows.
#include "cli/console.h"
#include "cli/platform/console_windows.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <io.h>

#include <shellapi.h>

#include "engine/platform/system_text_windows.h"

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

    // Small pieces: older consoles refuse a write of 64 KiB or more.
    constexpr std::size_t PieceBytes = 8192;

    // The piece of `bytes` from `start` that ends on a whole character.
    std::size_t PieceEnd(std::string_view bytes, std::size_t start, engine::TextEncoding encoding)
    {
        if (bytes.size() - start <= PieceBytes)
            return bytes.size();
        std::size_t end = start + PieceBytes;
        if (encoding == engine::TextEncoding::Utf8) {
            // Back over continuation bytes (10xxxxxx) to a character's first byte.
            while (end > start && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80)
                --end;
            if (end == start) // no character starts here: the bytes are not UTF-8 anyway
                end = start + PieceBytes;
        }
        return end;
    }

    engine::Status WriteConsoleText(HANDLE console, std::string_view bytes,
        engine::TextEncoding encoding, const platform::ConsoleCalls &calls)
    {
        // A byte order mark would show as a blank.
        if (encoding == engine::TextEncoding::Utf8 && bytes.starts_with("\xEF\xBB\xBF"))
            bytes.remove_prefix(3);
        const UINT page = encoding == engine::TextEncoding::Utf8 ? CP_UTF8 : 1251;
        std::wstring text;
        for (std::size_t start = 0; start < bytes.size();) {
            const std::size_t end = PieceEnd(bytes, start, encoding);
            const int size = static_cast<int>(end - start);
            text.resize(static_cast<std::size_t>(size)); // one byte makes one UTF-16 unit at most
            const int wide = ::MultiByteToWideChar(
                page, 0, bytes.data() + start, size, text.data(), static_cast<int>(text.size()));
            if (wide == 0)
                return engine::Failure { 0, engine::platform::SystemText(::GetLastError()) };
            for (std::wstring_view rest(text.data(), static_cast<std::size_t>(wide));
                 !rest.empty();) {
                DWORD written = 0;
                if (!calls.WriteWide(
                        console, rest.data(), static_cast<DWORD>(rest.size()), &written, nullptr))
                    return engine::Failure { 0, engine::platform::SystemText(::GetLastError()) };
                if (written == 0)
                    return engine::Failure { 0, std::strerror(EIO) };
                rest.remove_prefix(written);
            }
            start = end;
        }
        return engine::Success();
    }

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

void PrepareStandardStreams() { ::_setmode(::_fileno(stdout), _O_BINARY); }

engine::Status platform::WriteStandard(std::FILE *file, HANDLE handle, std::string_view bytes,
    engine::TextEncoding encoding, const ConsoleCalls &calls)
{
    DWORD mode = 0;
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE && calls.GetMode(handle, &mode)) {
        if (std::fflush(file) != 0)
            return engine::Failure { 0, std::strerror(errno) };
        return WriteConsoleText(handle, bytes, encoding, calls);
    }
    // An empty view may have no address at all, which fwrite must not be given.
    if ((!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        || std::fflush(file) != 0)
        return engine::Failure { 0, std::strerror(errno) };
    return engine::Success();
}

engine::Status WriteStandard(Stream stream, std::string_view bytes, engine::TextEncoding encoding)
{
    return stream == Stream::Output
        ? platform::WriteStandard(stdout, ::GetStdHandle(STD_OUTPUT_HANDLE), bytes, encoding)
        : platform::WriteStandard(stderr, ::GetStdHandle(STD_ERROR_HANDLE), bytes, encoding);
}

} // namespace cli
