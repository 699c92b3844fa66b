// Removing the output's temporary file when a Windows console run is interrupted (Ctrl+C,
// Ctrl+Break, the console closed). The handler runs in a thread of its own, so it may take a
// lock and call what it likes; the temporary file is open for deleting by name.
#include "cli/signals.h"

#include <filesystem>
#include <mutex>

#include <windows.h>

#include "engine/paths.h"

namespace cli {

namespace {

    // Held by SignalsHeld (and again by RemoveOnSignal within it): the handler waits until
    // the file is known.
    std::recursive_mutex Guard;
    std::filesystem::path TemporaryPath;
    bool HandlerInstalled = false;

    BOOL WINAPI OnConsoleEvent(DWORD)
    {
        const std::lock_guard lock(Guard);
        if (!TemporaryPath.empty())
            ::DeleteFileW(TemporaryPath.c_str());
        return FALSE; // the default handler ends the process
    }

} // namespace

void RemoveOnSignal(const std::string &path)
{
    if (path.empty())
        return;
    const std::lock_guard lock(Guard);
    TemporaryPath = engine::Utf8Path(path);
    if (!HandlerInstalled)
        HandlerInstalled = ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE) != 0;
}

void ForgetOnSignal()
{
    const std::lock_guard lock(Guard);
    TemporaryPath.clear();
}

SignalsHeld::SignalsHeld() { Guard.lock(); }

SignalsHeld::~SignalsHeld() { Guard.unlock(); }

} // namespace cli
