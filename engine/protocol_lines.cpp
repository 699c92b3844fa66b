#include "engine/protocol_lines.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace engine {

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

std::string_view ProtocolLines::Copied(std::size_t i) const
{
    const auto found = std::lower_bound(m_copied.begin(), m_copied.end(), i,
        [](const CopiedLine &line, std::size_t index) { return line.Index < index; });
    return std::string_view(m_copies).substr(found->Offset, found->Length);
}

void ProtocolLines::Split()
{
    const char *const base = m_bytes.data();
    const std::size_t size = m_bytes.size();
    // A guess from a typical protocol line, so that the list is rarely regrown.
    m_ends.reserve(size / 64 + 1);
    std::size_t start = 0;
    while (start < size) {
        const auto *lf = static_cast<const char *>(std::memchr(base + start, '\n', size - start));
        const std::size_t end = lf ? static_cast<std::size_t>(lf - base) : size;
        AddLine(start, end);
        start = end + 1;
    }
    m_ends.shrink_to_fit();
}

void ProtocolLines::AddLine(std::size_t begin, std::size_t end)
{
    m_ends.push_back(static_cast<std::uint32_t>(end));
    const char *line = m_bytes.data() + begin;
    std::size_t length = end - begin;
    if (length > 0 && line[length - 1] == '\r')
        --length;
    if (std::memchr(line, '\r', length) == nullptr)
        return;
    m_ends.back() |= CopiedMark;
    const std::size_t copied = m_copies.size();
    for (std::size_t i = 0; i < length; ++i) {
        if (line[i] != '\r')
            m_copies.push_back(line[i]);
    }
    m_copied.push_back({ m_ends.size() - 1, static_cast<std::uint32_t>(copied),
        static_cast<std::uint32_t>(m_copies.size() - copied) });
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
