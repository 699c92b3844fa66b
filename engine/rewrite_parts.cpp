// The protocol cut into parts for the batch tool's workers, and the room a rewrite's output takes.
#include "engine/rewrite.h"

#include <algorithm>

#include "engine/line_layout.h"
#include "engine/table_layout.h"

namespace engine {

std::vector<ProtocolPart> ProtocolParts(const ProtocolLines &lines, std::size_t bytes)
{
    std::vector<ProtocolPart> parts;
    ProtocolPart part;
    std::size_t headings = 0;
    std::size_t partStart = 0; // where the part's bytes begin
    // Only closing tags are read (lines with a '<', once the part is large enough); headings are
    // counted from what the splitting noted.
    for (std::size_t i = lines.NextTag(0); i < lines.size(); i = lines.NextTag(i + 1)) {
        if (lines.HoldsHeading(i))
            ++headings;
        // After a closing tag the walk starts afresh, unless the tag is the chief judge's line,
        // which goes with the signatures block above it.
        if (lines.EndOffset(i) + 1 - partStart >= bytes && EndsTable(lines[i])
            && !(i > 0 && IsSignaturesStart(lines, i - 1))) {
            part.End = i + 1;
            parts.push_back(part);
            part = { i + 1, 0, headings };
            partStart = lines.EndOffset(i) + 1;
        }
    }
    if (part.First < lines.size() || parts.empty()) {
        part.End = lines.size();
        parts.push_back(part);
    }
    return parts;
}

OutputSize OutputSizeBound(const ProtocolLines &protocolLines)
{
    // A result line grows to PaddedLength and by three five-byte fields; a table gets four
    // header lines (each at most the longest line and its fields) and at most twelve summary
    // lines; the inspector adds one line.
    constexpr std::size_t Fields = 3 * 5;
    constexpr std::size_t SummaryBytes = 12 * 128;
    std::size_t input = 0;
    std::size_t bound = 0;
    std::size_t longest = 0;
    std::size_t tables = 0;
    for (const std::string_view line : protocolLines) {
        input += line.size();
        // Tables in other layouts pad their lines further than today's 86 bytes.
        bound += std::max(line.size(), PaddedLength + 32) + Fields;
        longest = std::max(longest, line.size());
        tables += StartsTable(line) ? 1 : 0;
    }
    bound += tables * (4 * (longest + Fields) + SummaryBytes) + 4096;
    // A protocol of many tables and one very long line would reserve far more than it needs.
    const std::size_t cap = 3 * input + (std::size_t { 1 } << 20);
    return { std::min(bound, cap), protocolLines.size() + tables * 16 + 16 };
}

} // namespace engine
