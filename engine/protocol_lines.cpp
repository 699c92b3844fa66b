#include "engine/protocol_lines.h"

#include <cstring>
#include <stdexcept>

namespace engine {

namespace {

    std::shared_ptr<const FileBytes> Joined(std::size_t total, auto &&lines)
    {
        std::string bytes;
        bytes.reserve(total);
        for (std::string_view line : lines)
            bytes.append(line);
        return std::make_shared<OwnedBytes>(std::move(bytes));
    }

} // namespace

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
    std::size_t total = 0;
    for (const std::string &line : lines)
        total += line.size();
    m_source = Joined(total, lines);
    m_bytes = m_source->Bytes();
    m_spans.reserve(lines.size());
    std::size_t offset = 0;
    for (const std::string &line : lines) {
        m_spans.push_back({ static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(line.size()) });
        offset += line.size();
    }
}

ProtocolLines::ProtocolLines(std::initializer_list<std::string_view> lines)
    : ProtocolLines(std::vector<std::string>(lines.begin(), lines.end()))
{
}

void ProtocolLines::Split()
{
    const char *const base = m_bytes.data();
    const std::size_t size = m_bytes.size();
    // A guess from a typical protocol line, so that the spans are rarely regrown.
    m_spans.reserve(size / 64 + 1);
    std::size_t start = 0;
    while (start < size) {
        const auto *lf = static_cast<const char *>(std::memchr(base + start, '\n', size - start));
        const std::size_t end = lf ? static_cast<std::size_t>(lf - base) : size;
        AddLine(start, end - start);
        start = end + 1;
    }
    m_spans.shrink_to_fit();
}

void ProtocolLines::AddLine(std::size_t offset, std::size_t length)
{
    const char *line = m_bytes.data() + offset;
    if (length > 0 && line[length - 1] == '\r')
        --length;
    if (std::memchr(line, '\r', length) == nullptr) {
        m_spans.push_back({ static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(length) });
        return;
    }
    const std::size_t copied = m_copies.size();
    for (std::size_t i = 0; i < length; ++i) {
        if (line[i] != '\r')
            m_copies.push_back(line[i]);
    }
    m_spans.push_back({ static_cast<std::uint32_t>(copied) | CopiedMark,
        static_cast<std::uint32_t>(m_copies.size() - copied) });
}

std::size_t ProtocolLines::OverheadBytes() const
{
    return m_spans.capacity() * sizeof(Span) + m_copies.capacity();
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
