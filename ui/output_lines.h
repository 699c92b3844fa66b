// The rewrite's output lines kept beside their text in the output view, so that saving writes
// every line the user did not touch exactly as the rewrite produced it.
#pragma once

#include <vector>

#include <QStringList>

#include "engine/protocol.h"

namespace ui {

class OutputLines
{
public:
    // The lines now shown, and how the view reports them back (a text view may not return
    // every character as it was given, so the comparison is made with what it returns).
    void Assign(std::vector<engine::ProtocolLine> lines, QStringList shown);

    const std::vector<engine::ProtocolLine> &Lines() const { return m_lines; }

    // The bytes to save for the view's lines: a line equal to a shown line keeps the stored
    // bytes (the one at its own position first, else the first equal one); any other line is
    // converted to Windows-1251.
    std::vector<engine::ProtocolLine> Collect(const QStringList &viewLines) const;

private:
    std::vector<engine::ProtocolLine> m_lines;
    QStringList m_shown;
};

// The text of each stored line as the view is given it.
QStringList DecodeLines(const std::vector<engine::ProtocolLine> &lines);

} // namespace ui
