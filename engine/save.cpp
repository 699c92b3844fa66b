#include "engine/save.h"

#include <cerrno>
#include <cstring>

#include "engine/text.h"

namespace engine {

namespace {

    // Small enough that the buffer's pages stay few and warm, large enough for few system calls.
    constexpr std::size_t FlushSize = 256 << 10;

} // namespace

bool AtomicFileWriter::Fail(std::string reason)
{
    if (!m_failed) {
        m_reason = std::move(reason);
        m_failedLine = m_lines;
    }
    m_failed = true;
    return false;
}

bool AtomicFileWriter::FailErrno(std::string_view what)
{
    const std::string system = std::strerror(errno);
    return Fail(what.empty() ? system : std::string(what) + ": " + system);
}

bool AtomicFileWriter::Write(std::string_view bytes, std::size_t lines)
{
    const std::size_t before = m_lines;
    m_lines += lines > 0 ? 1 : 0; // a failure from here on is at the block's first line
    const bool written = WriteBlock(bytes);
    m_lines = before + lines;
    return written;
}

bool AtomicFileWriter::WriteBlock(std::string_view bytes)
{
    if (!m_opened)
        static_cast<void>(Open());
    if (m_failed)
        return false;
    // Allocated once: a buffer grown by doubling would copy itself and touch new pages each time.
    if (m_buffer.capacity() < FlushSize)
        m_buffer.reserve(FlushSize + (64 << 10));
    // A large block goes straight to the file rather than through the buffer.
    if (bytes.size() >= FlushSize && m_mode != Mode::InPlace)
        return (m_buffer.empty() || Flush()) && WriteOut(bytes);
    m_buffer.append(bytes);
    return m_buffer.size() < FlushSize || Flush();
}

bool AtomicFileWriter::Flush()
{
    if (m_mode == Mode::InPlace)
        return true; // written whole at Commit
    if (!WriteOut(m_buffer))
        return false;
    m_buffer.clear();
    return true;
}

bool AtomicFileWriter::WriteLine(std::string_view line)
{
    ++m_lines;
    return WriteBlock(line) && WriteBlock(LineBreak);
}

Status WriteFileAtomically(const std::filesystem::path &path, std::string_view bytes)
{
    AtomicFileWriter writer(path);
    if (writer.Open()) {
        writer.Reserve(static_cast<long long>(bytes.size()));
        writer.Write(bytes);
    }
    return writer.Commit();
}

std::string ProtocolBytes(const std::vector<ProtocolLine> &lines)
{
    std::size_t size = 0;
    for (const ProtocolLine &line : lines)
        size += line.size() + LineBreak.size();
    std::string bytes;
    bytes.reserve(size);
    for (const ProtocolLine &line : lines)
        AppendLine(bytes, line);
    return bytes;
}

Status SaveProtocol(const std::filesystem::path &path, const std::vector<ProtocolLine> &lines)
{
    AtomicFileWriter writer(path);
    if (writer.Open()) {
        for (const ProtocolLine &line : lines) {
            if (!writer.WriteLine(line))
                break;
        }
    }
    return writer.Commit();
}

} // namespace engine
