#include "cli/rewrite_in_parts.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

#include "engine/text.h"

namespace cli {

namespace {

    // One part's output, in one of a few buffers that go round: reused, so that their pages are
    // touched once rather than fresh memory for every part.
    struct Slot
    {
        std::string bytes;
        std::size_t lines = 0;
        engine::Status result = engine::Success();
        std::exception_ptr error;
        bool ready = false; // made, and not yet written
        engine::TableChecks checks; // what the checks of the part's tables found
        engine::EarnedQualifications earned; // what the part's walk awarded
    };

} // namespace

engine::Status RewriteInParts(const engine::ProtocolLines &lines,
    const std::vector<engine::GroupSettings> &groups, const engine::ProcessOptions &options,
    const engine::TeamPointsSource &points, const engine::RewriteRun &run,
    const std::vector<engine::ProtocolPart> &parts, const engine::SourceEncoding &encoding,
    const PartWriter &write, engine::TableChecks *checks, unsigned workers,
    engine::EarnedQualifications *earned)
{
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t threads = std::min<std::size_t>(workers > 0 ? workers : cores, parts.size());
    // Two buffers a worker: one being made while the other waits to be written.
    const std::size_t slotCount = 2 * threads;
    std::vector<Slot> slots(slotCount);

    std::mutex mutex;
    std::condition_variable changed;
    std::size_t next = 0; // the next part a worker takes
    std::size_t written = 0; // parts handed to `write`
    bool stop = false;

    // Makes part k into its slot; a failure is kept there for the writing side to raise.
    const auto make = [&](std::size_t k, engine::LineEncoder &encode) {
        Slot &slot = slots[k % slotCount];
        try {
            slot.bytes.clear();
            // Room for a part's output, which grows its lines by a fifth or so, at once: grown
            // by doubling it would copy itself and touch fresh pages each time.
            slot.bytes.reserve(2 * PartBytes);
            slot.lines = 0;
            slot.earned.Clear();
            engine::EarnedQualifications *const noted = earned ? &slot.earned : nullptr;
            // Checked first, so that the rewrite finds the part's lines in the cache.
            if (checks)
                slot.checks = engine::CheckTables(lines, groups, parts[k]);
            if (write && encoding.Encoding == engine::TextEncoding::Windows1251) {
                slot.result = engine::RewritePartInto(lines, groups, options, points, run,
                    parts[k], slot.bytes, slot.lines, noted);
            } else if (write) {
                slot.result = engine::RewritePart(
                    lines, groups, options, points, run, parts[k], [&](std::string_view line) {
                        engine::AppendLine(slot.bytes, encode(line));
                        ++slot.lines;
                    },
                    noted);
            } else {
                slot.result = engine::CheckPart(lines, groups, options, points, run, parts[k]);
            }
        } catch (...) {
            slot.error = std::current_exception();
        }
    };
    const auto work = [&] {
        engine::LineEncoder encode(encoding);
        for (;;) {
            std::size_t k = 0;
            {
                std::unique_lock lock(mutex);
                if (stop || next >= parts.size())
                    return;
                k = next++;
                changed.wait(lock, [&] { return stop || k < written + slotCount; });
                if (stop)
                    return;
            }
            make(k, encode);
            {
                const std::lock_guard lock(mutex);
                slots[k % slotCount].ready = true;
            }
            changed.notify_all();
        }
    };

    // The workers are stopped and joined however this function is left.
    struct Workers
    {
        std::mutex &mutex;
        std::condition_variable &changed;
        bool &stop;
        std::vector<std::thread> threads;
        ~Workers()
        {
            {
                const std::lock_guard lock(mutex);
                stop = true;
            }
            changed.notify_all();
            for (std::thread &thread : threads)
                thread.join();
        }
    } running { mutex, changed, stop, {} };
    // Under a limit on processes or memory a thread may not start ("Resource temporarily
    // unavailable"): the run goes on with those that did, or on this thread alone.
    try {
        for (std::size_t w = 0; w < threads; ++w)
            running.threads.emplace_back(work);
    } catch (const std::system_error &) {
    }
    const bool alone = running.threads.empty();
    engine::LineEncoder encode(encoding);

    engine::Status outcome = engine::Success();
    std::size_t k = 0; // the part being handed over
    for (; k < parts.size(); ++k) {
        Slot &slot = slots[k % slotCount];
        if (alone) {
            make(k, encode);
        } else {
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return slot.ready; });
        }
        if (slot.error)
            std::rethrow_exception(slot.error);
        if (checks)
            checks->Append(slot.checks);
        if (!slot.result) {
            outcome = slot.result; // the first failure in the protocol's order, as a whole run's
            break;
        }
        if (write && !write(slot.bytes, slot.lines))
            break;
        if (earned)
            earned->Append(std::move(slot.earned));
        {
            const std::lock_guard lock(mutex);
            slot.ready = false;
            ++written;
        }
        changed.notify_all();
    }
    // A run that stopped early still tells what the checks find in the parts it did not make.
    if (checks && k + 1 < parts.size())
        checks->Append(engine::CheckTables(
            lines, groups, { parts[k + 1].First, parts.back().End, parts[k + 1].HeadingsAbove }));
    return outcome;
}

} // namespace cli
