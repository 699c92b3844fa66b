// Removing the output's temporary file when a Windows console run is interrupted (Ctrl+C,
// Ctrl+Break, the console closed, logoff, shutdown). The handler runs in a thread of its own,
// so it may take a lock and call what it likes; the temporary file is open for deleting by name.
#include "cli/signals.h"

#include <filesystem>
#include <mutex>
#include <vector>

#include <windows.h>

#include "engine/paths.h"

namespace cli {

namespace {

    // Held by SignalsHeld (and again by RemoveOnSignal within it): the handler waits until
    // the file is known.
    std::recursive_mutex Guard;
    std::vector<std::filesystem::path> TemporaryPaths;
    bool HandlerInstalled = false;

    // Every event (Ctrl+C, Ctrl+Break, the console closed, logoff, shutdown) ends the process
    // once the handlers are done; the file goes first.
    BOOL WINAPI OnConsoleEvent(DWORD)
    {
        const std::lock_guard lock(Guard);
        for (const std::filesystem::path &path : TemporaryPaths)
            ::DeleteFileW(path.c_str());
        return FALSE; // the default handler ends the process
    }

    // Before the file is made: an event that came between its making and the handler would
    // end the process at once and leave the file.
    void InstallHandler()
    {
        if (!HandlerInstalled)
            HandlerInstalled = ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE) != 0;
    }

} // namespace

void RemoveOnSignal(const std::string &path)
{
    if (path.empty())
        return;
    const std::lock_guard lock(Guard);
    InstallHandler();
    TemporaryPaths.push_back(engine::Utf8Path(path));
}

void ForgetOnSignal()
{
    const std::lock_guard lock(Guard);
    TemporaryPaths.clear();
}

SignalsHeld::SignalsHeld()
{
    Guard.lock();
    InstallHandler();
}

SignalsHeld::~SignalsHeld() { Guard.unlock(); }

} // namespace cli
