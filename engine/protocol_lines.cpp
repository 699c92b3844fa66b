#include "engine/protocol_lines.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <future>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "engine/byte_scan.h"
#include "engine/huge_pages.h"
#include "engine/messages.h"

namespace engine {

using texts::HeadingTag;

std::uint64_t ProtocolLines::NewId()
{
    static std::atomic<std::uint64_t> next { 1 };
    return next.fetch_add(1, std::memory_order_relaxed);
}

ProtocolLines::ProtocolLines(std::shared_ptr<const FileBytes> bytes)
    : m_source(std::move(bytes))
    , m_bytes(m_source ? m_source->Bytes() : std::string_view())
{
    if (m_bytes.size() >= CopiedMark)
        throw std::length_error("a protocol of 2 GiB or more");
    Split();
}

ProtocolLines::ProtocolLines(const std::vector<std::string> &lines)
{
    // Joined by LFs, so that each line is where a file would have it; a line that holds a CR or
    // an LF, which a file could not give back, is kept as a copy.
    std::string bytes;
    std::size_t total = 0;
    for (const std::string &line : lines)
        total += line.size() + 1;
    bytes.reserve(total);
    for (const std::string &line : lines) {
        bytes.append(line);
        bytes.push_back('\n');
    }
    if (bytes.size() >= CopiedMark)
        throw std::length_error("lines of 2 GiB or more");
    m_source = std::make_shared<OwnedBytes>(std::move(bytes));
    m_bytes = m_source->Bytes();
    m_ends.reserve(lines.size());
    std::size_t begin = 0;
    for (const std::string &line : lines) {
        const std::size_t end = begin + line.size();
        if (line.find_first_of("<&") != std::string::npos)
            m_tags.Set(m_ends.size());
        if (line.find(HeadingTag) != std::string::npos)
            m_headings.Set(m_ends.size());
        m_ends.push_back(static_cast<std::uint32_t>(end));
        if (line.find_first_of("\r\n") != std::string::npos) {
            m_ends.back() |= CopiedMark;
            m_copied.push_back({ m_ends.size() - 1, static_cast<std::uint32_t>(m_copies.size()),
                static_cast<std::uint32_t>(line.size()) });
            m_copies.append(line);
        }
        begin = end + 1;
    }
}

ProtocolLines::ProtocolLines(std::initializer_list<std::string_view> lines)
    : ProtocolLines(std::vector<std::string>(lines.begin(), lines.end()))
{
}

void ProtocolLines::LineBits::Set(std::size_t i)
{
    if (m_words.size() <= i / 64)
        m_words.resize(i / 64 + 1);
    m_words[i / 64] |= std::uint64_t { 1 } << (i % 64);
}

std::size_t ProtocolLines::LineBits::Next(std::size_t from, std::size_t none) const
{
    std::size_t word = from / 64;
    if (word >= m_words.size())
        return none;
    std::uint64_t bits = m_words[word] & (~std::uint64_t { 0 } << (from % 64));
    while (bits == 0) {
        if (++word == m_words.size())
            return none;
        bits = m_words[word];
    }
    return 64 * word + static_cast<std::size_t>(std::countr_zero(bits));
}

std::size_t ProtocolLines::LineBits::Count() const
{
    std::size_t count = 0;
    for (const std::uint64_t word : m_words)
        count += static_cast<std::size_t>(std::popcount(word));
    return count;
}

void ProtocolLines::LineBits::CopyRange(
    const LineBits &from, std::size_t first, std::size_t end, std::size_t to)
{
    for (std::size_t i = from.Next(first, end); i < end; i = from.Next(i + 1, end))
        Set(to + i - first);
}

std::string_view ProtocolLines::Copied(std::size_t i) const
{
    const auto found = std::lower_bound(m_copied.begin(), m_copied.end(), i,
        [](const CopiedLine &line, std::size_t index) { return line.Index < index; });
    return std::string_view(m_copies).substr(found->Offset, found->Length);
}

namespace {

    // A protocol has a million short lines: memchr's cost per call, twice a line (the LF, then
    // a CR inside), was most of the reading, so the marks are found in one pass of the bytes.
    using scan::ForEachMarkByte;

} // namespace

// The lines of bytes [begin, end) of the protocol, which start a line and end one (or the bytes).
struct ProtocolLines::Index
{
    std::vector<std::uint32_t> ends;
    LineBits tags;
    LineBits headings;
    std::string copies;
    std::vector<CopiedLine> copied;

    // `lineEnd`: LF, or CR in a file that has no LF at all.
    void Split(std::string_view all, std::size_t begin, std::size_t end, char lineEnd)
    {
        const char *const base = all.data();
        std::size_t start = begin;
        std::size_t crs = 0; // CRs in the line so far
        bool tag = false; // a '<' or an '&' in the line so far
        bool heading = false; // a "<h2>" in it
        ForEachMarkByte(all.substr(begin, end - begin), [&](std::size_t offset) {
            const std::size_t at = begin + offset;
            if (base[at] == '&') {
                tag = true;
                return;
            }
            if (base[at] == '<') {
                tag = true;
                // A heading never holds an LF, so one in these bytes is no heading of this line.
                heading = heading || all.substr(at).starts_with(HeadingTag);
                return;
            }
            if (base[at] != lineEnd) { // a CR before an LF, or inside a line
                ++crs;
                return;
            }
            const bool trailingCr = at > start && base[at - 1] == '\r';
            Add(all, start, at, crs > (trailingCr ? 1u : 0u), tag, heading);
            start = at + 1;
            crs = 0;
            tag = false;
            heading = false;
        });
        if (start < end) {
            const bool trailingCr = base[end - 1] == '\r';
            Add(all, start, end, crs > (trailingCr ? 1u : 0u), tag, heading);
        }
    }

    // `crInside`: a CR before the trailing one; the line is then copied without its CRs.
    // `tag`, `heading`: the line's bytes hold a '<' or an '&', a "<h2>".
    void Add(std::string_view all, std::size_t begin, std::size_t end, bool crInside, bool tag,
        bool heading)
    {
        if (tag)
            tags.Set(ends.size());
        if (heading)
            headings.Set(ends.size());
        ends.push_back(static_cast<std::uint32_t>(end));
        if (!crInside)
            return;
        const char *line = all.data() + begin;
        std::size_t length = end - begin;
        if (length > 0 && line[length - 1] == '\r')
            --length;
        ends.back() |= CopiedMark;
        const std::size_t first = copies.size();
        for (std::size_t i = 0; i < length; ++i) {
            if (line[i] != '\r')
                copies.push_back(line[i]);
        }
        copied.push_back({ ends.size() - 1, static_cast<std::uint32_t>(first),
            static_cast<std::uint32_t>(copies.size() - first) });
        // A CR inside "<h2>" leaves a heading in the copy.
        if (std::string_view(copies).substr(first).find(HeadingTag) != std::string_view::npos)
            headings.Set(ends.size() - 1);
    }

    // Takes lines first..end of `from`, which follow this index's.
    void AppendRange(const Index &from, std::size_t first, std::size_t end)
    {
        const std::size_t lines = ends.size();
        tags.CopyRange(from.tags, first, end, lines);
        headings.CopyRange(from.headings, first, end, lines);
        ends.insert(ends.end(), from.ends.begin() + static_cast<std::ptrdiff_t>(first),
            from.ends.begin() + static_cast<std::ptrdiff_t>(end));
        auto line = std::lower_bound(from.copied.begin(), from.copied.end(), first,
            [](const CopiedLine &copy, std::size_t index) { return copy.Index < index; });
        for (; line != from.copied.end() && line->Index < end; ++line) {
            copied.push_back({ lines + line->Index - first, static_cast<std::uint32_t>(copies.size()),
                line->Length });
            copies.append(from.copies, line->Offset, line->Length);
        }
    }
};

void ProtocolLines::Split()
{
    // The first reading of a large file's pages costs more than the splitting: several
    // microseconds a page on some machines, and more for some pages of a file than for others.
    // Two threads share it: the bytes are cut at LFs into pieces, which one thread takes from
    // the front and the other from the back until they meet, so that both are busy to the end.
    constexpr std::size_t ThreadsFrom = 16 << 20;
    constexpr std::size_t PieceBytes = 4 << 20;
    // A file saved with CR alone has its lines end there: one with no LF anywhere, or with one
    // LF only, as its last byte after two CRs or more (a line added by a tool that ends lines
    // in LF). Finding an LF costs a normal file one line's reading. The final LF of such a file
    // is left out of its lines, as a final LF is.
    std::size_t size = m_bytes.size();
    const char *const lf
        = size > 0 ? static_cast<const char *>(std::memchr(m_bytes.data(), '\n', size)) : nullptr;
    const bool lastLfOnly = lf && lf == m_bytes.data() + size - 1
        && std::count(m_bytes.begin(), m_bytes.end() - 1, '\r') >= 2;
    const char lineEnd = size > 0 && (!lf || lastLfOnly) ? '\r' : '\n';
    if (lastLfOnly)
        --size;
    std::vector<std::size_t> cuts = { 0 }; // piece k is [cuts[k], cuts[k + 1])
    for (std::size_t at = PieceBytes; size >= ThreadsFrom && at < size; at = cuts.back() + PieceBytes) {
        const auto *found
            = static_cast<const char *>(std::memchr(m_bytes.data() + at, lineEnd, size - at));
        if (!found)
            break;
        cuts.push_back(static_cast<std::size_t>(found - m_bytes.data()) + 1);
    }
    if (cuts.back() < size)
        cuts.push_back(size);

    // A guess from a typical protocol line, so that the lists are rarely regrown; room reserved
    // and never written costs no memory.
    const auto reserved = [size] {
        Index index;
        index.ends.reserve(size / 64 + 1);
        AdviseHugePages(index.ends.data(), index.ends.capacity() * sizeof index.ends[0]);
        return index;
    };
    Index index = reserved();
    std::mutex mutex;
    std::size_t front = 0; // pieces [front, back) are still to be split
    std::size_t back = cuts.size() - 1;
    const auto take = [&](bool fromBack) -> std::optional<std::size_t> {
        const std::lock_guard lock(mutex);
        if (front == back)
            return std::nullopt;
        return fromBack ? --back : front++;
    };
    // The pieces the other thread split, last first, and where each begins in its index.
    struct FromBack
    {
        Index index;
        std::vector<std::size_t> starts;
    };
    std::future<FromBack> other;
    if (cuts.size() > 2) {
        try {
            other = std::async(std::launch::async, [&] {
                FromBack done { reserved(), {} };
                while (const std::optional<std::size_t> k = take(true)) {
                    done.starts.push_back(done.index.ends.size());
                    done.index.Split(m_bytes, cuts[*k], cuts[*k + 1], lineEnd);
                }
                return done;
            });
        } catch (const std::system_error &) {
            // No thread to spare: one splits it all.
        }
    }
    while (const std::optional<std::size_t> k = take(false))
        index.Split(m_bytes, cuts[*k], cuts[*k + 1], lineEnd);
    if (other.valid()) {
        const FromBack done = other.get();
        std::size_t end = done.index.ends.size();
        for (auto start = done.starts.rbegin(); start != done.starts.rend(); ++start) {
            index.AppendRange(done.index, *start, end);
            end = *start;
        }
    }
    m_ends = std::move(index.ends);
    m_tags = std::move(index.tags);
    m_headings = std::move(index.headings);
    m_copies = std::move(index.copies);
    m_copied = std::move(index.copied);
}

bool operator==(const ProtocolLines &a, const ProtocolLines &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

} // namespace engine
