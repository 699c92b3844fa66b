// Writing files whole or not at all, and saving the corrected protocol.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/protocol.h"
#include "engine/result.h"

namespace engine {

// Writes into a temporary file beside `path` and renames it over `path` only when every byte
// went out, so a failure leaves any earlier file untouched. A link is followed: the file it
// points at is replaced. A new file gets the usual permissions, a replaced one keeps its own.
class AtomicFileWriter
{
public:
    explicit AtomicFileWriter(std::filesystem::path path);
    ~AtomicFileWriter(); // removes the temporary file when not committed
    AtomicFileWriter(const AtomicFileWriter &) = delete;
    AtomicFileWriter &operator=(const AtomicFileWriter &) = delete;

    bool Open();
    bool Write(std::string_view bytes);
    bool WriteLine(std::string_view line); // the line and CR LF
    // Failure.Line is the line (counted by WriteLine) the failure came at, when one applies.
    Status Commit();
    const std::string &Reason() const { return m_reason; }

private:
    bool Fail(const char *what);
    bool Flush();

    std::filesystem::path m_target;
    std::string m_tempPath;
    int m_fd = -1;
    std::string m_buffer;
    std::string m_reason;
    bool m_failed = false;
    std::size_t m_lines = 0; // lines handed to WriteLine
    std::size_t m_failedLine = 0;
};

Status WriteFileAtomically(const std::filesystem::path &path, std::string_view bytes);

// The protocol as saved: every line followed by CR LF, bytes as they are.
std::string ProtocolBytes(const std::vector<ProtocolLine> &lines);

// Creates or replaces the file with the lines, each followed by CR LF.
Status SaveProtocol(const std::filesystem::path &path, const std::vector<ProtocolLine> &lines);

} // namespace engine
