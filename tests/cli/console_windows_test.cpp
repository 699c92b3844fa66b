// The standard streams on Windows: a console is given UTF-16 text, a file or pipe the bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "cli/platform/console_windows.h"

namespace {

using cli::platform::ConsoleCalls;
using engine::TextEncoding;

bool IsConsole = false;
std::wstring Shown; // what the console got
std::size_t LongestWrite = 0;

BOOL WINAPI FakeGetMode(HANDLE, LPDWORD mode)
{
    *mode = 0;
    return IsConsole;
}

// Takes at most 1000 units a call, as a console may take part of a write.
BOOL WINAPI FakeWriteWide(HANDLE, const VOID *text, DWORD size, LPDWORD written, LPVOID)
{
    LongestWrite = std::max<std::size_t>(LongestWrite, size);
    *written = std::min<DWORD>(size, 1000);
    Shown.append(static_cast<const wchar_t *>(text), *written);
    return TRUE;
}

std::string Repeated(std::string_view text, int times)
{
    std::string repeated;
    for (int i = 0; i < times; ++i)
        repeated += text;
    return repeated;
}

std::wstring Repeated(std::wstring_view text, int times)
{
    std::wstring repeated;
    for (int i = 0; i < times; ++i)
        repeated += text;
    return repeated;
}

TEST(WindowsConsole, AConsoleGetsTextAndAFileTheBytes)
{
    const std::string message = "lapwing-cli: нёма.htm: Памылка\n";
    struct Case
    {
        const char *name;
        bool console;
        std::string bytes;
        TextEncoding encoding;
        std::wstring shown;
    };
    const Case cases[] = {
        { "a UTF-8 message", true, message, TextEncoding::Utf8,
            L"lapwing-cli: нёма.htm: Памылка\n" },
        { "a Windows-1251 protocol", true, "\xCC\x32\x31\r\n", TextEncoding::Windows1251,
            L"М21\r\n" },
        { "a UTF-8 protocol's byte order mark", true, "\xEF\xBB\xBF<h2>", TextEncoding::Utf8,
            L"<h2>" },
        { "a long text in pieces that split no letter", true, Repeated("Жж", 20000),
            TextEncoding::Utf8, Repeated(L"Жж", 20000) },
        { "redirected", false, message, TextEncoding::Utf8, L"" },
        { "a redirected protocol", false, "\xCC\x32\x31\r\n", TextEncoding::Windows1251, L"" },
    };
    const ConsoleCalls calls { FakeGetMode, FakeWriteWide };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        IsConsole = c.console;
        Shown.clear();
        LongestWrite = 0;
        std::FILE *file = std::tmpfile();
        ASSERT_NE(file, nullptr);
        const engine::Status written = cli::platform::WriteStandard(
            file, reinterpret_cast<HANDLE>(1), c.bytes, c.encoding, calls);
        EXPECT_TRUE(written.Ok());
        EXPECT_TRUE(Shown == c.shown) << Shown.size() << " units shown";
        EXPECT_LE(LongestWrite, 8192u);
        std::string bytes(c.bytes.size() + 1, '\0');
        std::rewind(file);
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
        std::fclose(file);
        EXPECT_EQ(bytes, c.console ? "" : c.bytes);
    }
}

} // namespace
