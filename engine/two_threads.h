// Work on a large protocol shared by two threads: the reading passes that run before the batch
// tool's parts are made (finding the groups' tables, the impossible times) would otherwise leave
// one core idle for tens of milliseconds on a million lines.
#pragma once

#include <cstddef>
#include <future>
#include <system_error>

namespace engine {

// Calls work(0, half) on another thread and work(half, count) on this one, and returns when both
// are done; an exception of either comes out here. Below `from` items, or when no thread can be
// started, this thread does work(0, count) alone. The halves must not touch the same data.
template <class Work> void InTwoThreads(std::size_t count, std::size_t from, Work &&work)
{
    if (count < from || count < 2) {
        work(std::size_t { 0 }, count);
        return;
    }
    const std::size_t half = count / 2;
    std::future<void> other;
    try {
        other = std::async(std::launch::async, [&] { work(std::size_t { 0 }, half); });
    } catch (const std::system_error &) {
        work(std::size_t { 0 }, count);
        return;
    }
    // The other half is waited for however this one ends.
    struct Join
    {
        std::future<void> &other;
        ~Join()
        {
            if (other.valid())
                other.wait();
        }
    } join { other };
    work(half, count);
    other.get();
}

} // namespace engine
