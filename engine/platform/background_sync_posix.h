// The thread that syncs a large file as it is written (engine/platform/atomic_file_posix.cpp).
#pragma once

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <unistd.h>

#include "engine/save.h"

namespace engine {

// A large file's data reaches the disk while the rest is still being made: a thread syncs the
// file over and over as it is written. sync_file_range only starts the writing; a device with a
// cache of its own still takes its time over everything at the final fsync, which then waited
// as long as for a file written at once.
class AtomicFileWriter::BackgroundSync
{
public:
    explicit BackgroundSync(int fd)
        : m_thread([this, fd] { Run(fd); })
    {
    }
    ~BackgroundSync() { Stop(); }

    // The error of a failed sync (0: none): Commit must report it, as the final fsync may not.
    int Stop()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        if (m_thread.joinable())
            m_thread.join();
        return m_error;
    }

private:
    void Run(int fd)
    {
        std::unique_lock lock(m_mutex);
        while (!m_stop) {
            lock.unlock();
            const int error = ::fdatasync(fd) == 0 ? 0 : errno;
            lock.lock();
            if (error != 0 && m_error == 0)
                m_error = error;
            m_changed.wait_for(lock, std::chrono::milliseconds(5), [this] { return m_stop; });
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_stop = false;
    int m_error = 0;
    std::thread m_thread; // last: it starts when everything else is there
};

} // namespace engine
