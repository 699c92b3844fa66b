// Removing the output's temporary file when the batch run is interrupted.
#pragma once

#include <string>

namespace cli {

// From now until ForgetOnSignal, SIGINT, SIGTERM and SIGHUP remove `path` and then end the
// process as the signal would have; on Windows, Ctrl+C, Ctrl+Break and closing the console do
// (cli/platform/signals_<system>.cpp). (SIGKILL cannot be caught: the next save of the same
// target removes what it leaves.)
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
