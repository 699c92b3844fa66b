// Removing the output's temporary files when the batch run is interrupted.
#pragma once

#include <string>

namespace cli {

// From now until ForgetOnSignal, SIGINT, SIGTERM and SIGHUP remove `path` (and every other
// path given so far, up to four) and then end the process as the signal would have; on Windows
// every console event does (Ctrl+C, Ctrl+Break, the console closed, logoff, shutdown)
// (cli/platform/signals_<system>.cpp). (SIGKILL and a process terminated on Windows cannot be
// caught: the next save of the same target removes what they leave.)
void RemoveOnSignal(const std::string &path);
void ForgetOnSignal();

// Holds those signals back while it lives, so that a temporary file made meanwhile is known to
// the handler before a signal can end the process.
class SignalsHeld
{
public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld &) = delete;
    SignalsHeld &operator=(const SignalsHeld &) = delete;
};

} // namespace cli
