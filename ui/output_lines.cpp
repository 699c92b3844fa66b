#include "ui/output_lines.h"

#include <QHash>

#include "ui/text_codec.h"

namespace ui {

void OutputLines::Assign(std::vector<engine::ProtocolLine> lines, QStringList shown)
{
    m_lines = std::move(lines);
    m_shown = std::move(shown);
}

std::vector<engine::ProtocolLine> OutputLines::Collect(const QStringList &viewLines) const
{
    if (viewLines == m_shown && m_shown.size() == static_cast<qsizetype>(m_lines.size()))
        return m_lines;

    // The shown text can only name stored lines when the view returned one text per line.
    const bool aligned = m_shown.size() == static_cast<qsizetype>(m_lines.size());
    QHash<QString, std::size_t> firstEqual;
    if (aligned) {
        for (qsizetype i = m_shown.size() - 1; i >= 0; --i)
            firstEqual.insert(m_shown[i], static_cast<std::size_t>(i));
    }

    std::vector<engine::ProtocolLine> collected;
    collected.reserve(static_cast<std::size_t>(viewLines.size()));
    for (qsizetype i = 0; i < viewLines.size(); ++i) {
        const QString &text = viewLines[i];
        if (aligned && i < m_shown.size() && m_shown[i] == text) {
            collected.push_back(m_lines[static_cast<std::size_t>(i)]);
        } else if (const auto found = firstEqual.constFind(text); found != firstEqual.cend()) {
            collected.push_back(m_lines[found.value()]);
        } else {
            collected.push_back(ToCp1251(text));
        }
    }
    return collected;
}

QStringList DecodeLines(const std::vector<engine::ProtocolLine> &lines)
{
    QStringList decoded;
    decoded.reserve(static_cast<qsizetype>(lines.size()));
    for (const engine::ProtocolLine &line : lines)
        decoded.append(FromCp1251(line));
    return decoded;
}

} // namespace ui
