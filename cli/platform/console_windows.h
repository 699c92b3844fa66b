// Writing the standard streams on Windows, with the console's calls replaceable so that a test
// can see which ones a write makes.
#pragma once

#include <cstdio>
#include <string_view>

#include <windows.h>

#include "engine/protocol_encoding.h"
#include "engine/result.h"

namespace cli::platform {

struct ConsoleCalls
{
    BOOL(WINAPI *GetMode)(HANDLE, LPDWORD) = ::GetConsoleMode; // succeeds on a console alone
    BOOL(WINAPI *WriteWide)(HANDLE, const VOID *, DWORD, LPDWORD, LPVOID) = ::WriteConsoleW;
};

// WriteStandard's work for `file`, whose system handle is `handle`.
engine::Status WriteStandard(std::FILE *file, HANDLE handle, std::string_view bytes,
    engine::TextEncoding encoding, const ConsoleCalls &calls = {});

} // namespace cli::platform
