#include "engine/protocol.h"

#include <cstring>

#include "engine/file_reading.h"
#include "engine/text.h"

namespace engine {

namespace {

    // Appends bytes to the line being read, without its CRs.
    void AppendWithoutCr(std::string &line, const char *data, std::size_t size)
    {
        while (size > 0) {
            const auto *cr = static_cast<const char *>(std::memchr(data, '\r', size));
            const std::size_t run = cr ? static_cast<std::size_t>(cr - data) : size;
            line.append(data, run);
            if (!cr)
                return;
            data += run + 1;
            size -= run + 1;
        }
    }

    // Feeds chunks of a file; completed lines go into `lines`.
    class LineSplitter
    {
    public:
        explicit LineSplitter(std::vector<ProtocolLine> &lines)
            : m_lines(lines)
        {
        }

        void Feed(const char *data, std::size_t size)
        {
            while (size > 0) {
                const auto *lf = static_cast<const char *>(std::memchr(data, '\n', size));
                const std::size_t run = lf ? static_cast<std::size_t>(lf - data) : size;
                AppendWithoutCr(m_current, data, run);
                m_pending = true;
                if (!lf)
                    return;
                // A copy is exactly as long as the line; the reading buffer is kept for the next.
                m_lines.emplace_back(m_current);
                m_current.clear();
                m_pending = false;
                data += run + 1;
                size -= run + 1;
            }
        }

        void Finish()
        {
            if (m_pending)
                m_lines.push_back(std::move(m_current));
            m_pending = false;
        }

    private:
        std::vector<ProtocolLine> &m_lines;
        std::string m_current;
        bool m_pending = false; // bytes after the last LF
    };

} // namespace

std::vector<ProtocolLine> SplitLines(std::string_view bytes)
{
    std::vector<ProtocolLine> lines;
    LineSplitter splitter(lines);
    splitter.Feed(bytes.data(), bytes.size());
    splitter.Finish();
    return lines;
}

Category DeriveCategory(std::string_view name)
{
    // The age sits before the last byte of names like "М21Е" and "Ж16"; the test looks at the
    // second-to-last byte (and the one before it) of every name.
    const std::size_t length = name.size();
    Category category = Category::Adults;
    if (length > 2 && name[length - 2] == '1' && name[length - 3] != '2')
        category = Category::Juniors;
    const bool ageDigit = length > 2 && name[length - 2] >= '0' && name[length - 2] <= '9';
    if (!ageDigit)
        category = Category::Combined;
    return category;
}

void UpdateGroups(const std::vector<ProtocolLine> &lines, std::vector<GroupSettings> &groups)
{
    std::size_t headings = 0;
    for (const ProtocolLine &line : lines) {
        const std::size_t open = line.find("<h2>");
        if (open == std::string::npos)
            continue;
        if (groups.size() < headings + 1)
            groups.resize(headings + 1);
        GroupSettings &group = groups[headings];
        ++headings;

        const std::size_t close = line.find("</h2>");
        const std::size_t textStart = open + 4;
        group.Heading = close != std::string::npos && close >= textStart
            ? line.substr(textStart, close - textStart)
            : std::string();
        std::string name = group.Heading.substr(0, group.Heading.find(','));
        if (group.Name == name)
            continue;
        group.Name = std::move(name);
        group.DistanceClass = DistanceClass::First;
        group.MastersCount = 0;
        group.PointsTable = 0;
        group.Category = DeriveCategory(group.Name);
    }
    groups.resize(headings);
}

Status LoadProtocol(const std::filesystem::path &path, std::vector<ProtocolLine> &lines,
    std::vector<GroupSettings> &groups)
{
    if (path.empty())
        return Failure { 0, "no file name given" }; // and nothing changes
    lines.clear();
    LineSplitter splitter(lines);
    bool started = false;
    const char *wide = nullptr;
    const Status read = ReadFileChunks(path, MaxProtocolBytes, [&](std::string_view chunk) {
        if (!started && (wide = WideUnicodeMark(chunk)) != nullptr)
            return false;
        started = true;
        splitter.Feed(chunk.data(), chunk.size());
        return true;
    });
    if (wide)
        return Failure { 1, std::string("the file is ") + wide + " text, not Windows-1251" };
    if (!read)
        return Failure { started ? lines.size() + 1 : 0, read.Error().Reason };
    splitter.Finish();
    UpdateGroups(lines, groups);
    return Success();
}

} // namespace engine
