#include "cli/signals.h"

#include <csignal>
#include <cstring>

#include <climits>
#include <unistd.h>

namespace cli {

namespace {

    // The handler may only touch async-signal-safe things: fixed buffers and unlink(). A run
    // saves the protocol and its lists of qualifications, each through a temporary file.
    constexpr int MaxPaths = 4;
    char TemporaryPaths[MaxPaths][PATH_MAX + 1];
    volatile std::sig_atomic_t Armed = 0; // how many of TemporaryPaths are in use
    constexpr int Signals[] = { SIGINT, SIGTERM, SIGHUP };

    extern "C" void OnSignal(int signal)
    {
        for (int k = 0; k < Armed; ++k)
            ::unlink(TemporaryPaths[k]);
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }

} // namespace

void RemoveOnSignal(const std::string &path)
{
    if (path.empty() || path.size() > PATH_MAX || Armed >= MaxPaths)
        return;
    // Counted once whole, so that the handler never reads a path half copied.
    std::memcpy(TemporaryPaths[Armed], path.c_str(), path.size() + 1);
    Armed = Armed + 1;
    for (const int signal : Signals) {
        struct sigaction current = {};
        ::sigaction(signal, nullptr, &current);
        if (current.sa_handler == SIG_IGN)
            continue; // run under nohup: the signal stays ignored
        struct sigaction action = {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

void ForgetOnSignal() { Armed = 0; }

namespace {

    sigset_t HeldSignals()
    {
        sigset_t set;
        sigemptyset(&set);
        for (const int signal : Signals)
            sigaddset(&set, signal);
        return set;
    }

} // namespace

SignalsHeld::SignalsHeld()
{
    const sigset_t set = HeldSignals();
    ::sigprocmask(SIG_BLOCK, &set, nullptr);
}

SignalsHeld::~SignalsHeld()
{
    const sigset_t set = HeldSignals();
    ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
}

} // namespace cli
