#include "ui/output_store.h"

#include <algorithm>
#include <limits>

#include "engine/cp1251.h"
#include "engine/huge_pages.h"
#include "ui/text_codec.h"

namespace ui {

namespace {

    // Offsets and lengths of spans are 32 bits, so that a line costs eight bytes.
    constexpr std::size_t MaxBuffer = std::numeric_limits<std::uint32_t>::max();

    QStringList SplitLines(const QString &text)
    {
        return NormalizeLineBreaks(text).split(QLatin1Char('\n'));
    }

} // namespace

QString NormalizeLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const QChar breaker :
        { QChar(u'\r'), QChar(QChar::LineSeparator), QChar(QChar::ParagraphSeparator) })
        text.replace(breaker, QLatin1Char('\n'));
    return text;
}

QString DecodeCp1251(std::string_view bytes)
{
    // A table lookup per byte: the lines are decoded at every paint, and every byte must come
    // back as the same byte, which a general codec does not promise for 0x98.
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = QChar(byte < 0x80 ? char16_t(byte) : engine::Cp1251High[byte - 0x80]);
    }
    return text;
}

void OutputStore::Clear(std::size_t bytes, std::size_t lines)
{
    m_bytes.clear();
    m_bytes.reserve(bytes);
    engine::AdviseHugePages(m_bytes.data(), m_bytes.capacity());
    m_lines.clear();
    m_lines.reserve(lines);
    engine::AdviseHugePages(m_lines.data(), m_lines.capacity() * sizeof(Line));
    // Released, not just emptied: the next fill may have no edits at all.
    m_edited = std::vector<QString>();
    m_freeEdited = std::vector<std::uint32_t>();
    m_maxLength = 0;
}

void OutputStore::AppendLine(std::string_view bytes)
{
    // Past 4 GiB of output a line keeps its text like an edited one; decoding loses nothing,
    // so it is still saved byte for byte.
    if (m_bytes.size() + bytes.size() >= MaxBuffer) {
        m_lines.push_back(EditedLine(DecodeCp1251(bytes)));
        return;
    }
    m_lines.push_back(
        { static_cast<std::uint32_t>(m_bytes.size()), static_cast<std::uint32_t>(bytes.size()) });
    m_bytes.append(bytes);
    NoteLength(static_cast<qsizetype>(bytes.size()));
}

void OutputStore::SetText(const QString &text)
{
    Clear();
    if (text.isEmpty())
        return;
    for (const QString &line : SplitLines(text))
        m_lines.push_back(EditedLine(line));
}

QString OutputStore::Text(qsizetype line) const
{
    if (line < 0 || line >= LineCount())
        return {};
    const Line &at = m_lines[static_cast<std::size_t>(line)];
    return at.IsSpan() ? DecodeCp1251(Bytes(at)) : m_edited[at.Offset];
}

QString OutputStore::Text(qsizetype line, qsizetype column, qsizetype count) const
{
    if (line < 0 || line >= LineCount())
        return {};
    const Line &at = m_lines[static_cast<std::size_t>(line)];
    if (!at.IsSpan())
        return m_edited[at.Offset].mid(column, count);
    const std::string_view bytes = Bytes(at);
    if (column < 0 || static_cast<std::size_t>(column) >= bytes.size())
        return {};
    return DecodeCp1251(
        bytes.substr(static_cast<std::size_t>(column), static_cast<std::size_t>(count)));
}

qsizetype OutputStore::Length(qsizetype line) const
{
    if (line < 0 || line >= LineCount())
        return 0;
    const Line &at = m_lines[static_cast<std::size_t>(line)];
    return at.IsSpan() ? at.Length : m_edited[at.Offset].size();
}

bool OutputStore::IsEdited(qsizetype line) const
{
    return line >= 0 && line < LineCount() && !m_lines[static_cast<std::size_t>(line)].IsSpan();
}

QString OutputStore::PlainText() const
{
    QString text;
    for (qsizetype line = 0; line < LineCount(); ++line) {
        if (line > 0)
            text += QLatin1Char('\n');
        text += Text(line);
    }
    return text;
}

TextPosition OutputStore::Clamp(TextPosition at) const
{
    if (m_lines.empty())
        return {};
    at.Line = std::clamp<qsizetype>(at.Line, 0, LineCount() - 1);
    at.Column = std::clamp<qsizetype>(at.Column, 0, Length(at.Line));
    return at;
}

TextPosition OutputStore::End() const
{
    return m_lines.empty() ? TextPosition {}
                           : TextPosition { LineCount() - 1, Length(LineCount() - 1) };
}

TextPosition OutputStore::Insert(TextPosition at, const QString &text)
{
    if (m_lines.empty())
        m_lines.push_back({});
    at = Clamp(at);
    const QStringList parts = SplitLines(text);
    const Line old = m_lines[static_cast<std::size_t>(at.Line)];
    const QString oldText = Text(at.Line);
    if (parts.size() == 1) {
        if (parts.front().isEmpty())
            return at;
        SetLine(
            at.Line, EditedLine(oldText.left(at.Column) + parts.front() + oldText.mid(at.Column)));
        return { at.Line, at.Column + parts.front().size() };
    }

    Release(old);
    m_lines[static_cast<std::size_t>(at.Line)] = Line {};
    // Breaking an untouched line leaves both halves untouched: they are still spans of the
    // buffer, saved byte for byte.
    const bool span = old.IsSpan();
    const auto column = static_cast<std::uint32_t>(at.Column);
    std::vector<Line> added;
    added.reserve(static_cast<std::size_t>(parts.size()));
    added.push_back(span && parts.front().isEmpty()
            ? Line { old.Offset, column }
            : EditedLine(oldText.left(at.Column) + parts.front()));
    for (qsizetype i = 1; i + 1 < parts.size(); ++i)
        added.push_back(EditedLine(parts[i]));
    added.push_back(span && parts.back().isEmpty()
            ? Line { old.Offset + column, old.Length - column }
            : EditedLine(parts.back() + oldText.mid(at.Column)));
    const auto where = m_lines.begin() + at.Line;
    *where = added.front();
    m_lines.insert(where + 1, added.begin() + 1, added.end());
    return { at.Line + parts.size() - 1, parts.back().size() };
}

void OutputStore::Remove(TextPosition from, TextPosition to)
{
    from = Clamp(from);
    to = Clamp(to);
    if (to < from)
        std::swap(from, to);
    if (from == to)
        return;
    const Line first = m_lines[static_cast<std::size_t>(from.Line)];
    const Line last = m_lines[static_cast<std::size_t>(to.Line)];
    // Two untouched pieces that lie next to each other in the buffer join into one span, so
    // that Enter followed by Backspace gives back the untouched line.
    const auto kept = static_cast<std::uint32_t>(from.Column);
    const auto skipped = static_cast<std::uint32_t>(to.Column);
    Line joined;
    if (first.IsSpan() && last.IsSpan()
        && (kept == 0 || skipped == last.Length || first.Offset + kept == last.Offset + skipped)) {
        const std::uint32_t offset = kept == 0 ? last.Offset + skipped : first.Offset;
        joined = { offset, kept + (last.Length - skipped) };
    } else {
        joined = EditedLine(Text(from.Line).left(from.Column) + Text(to.Line).mid(to.Column));
    }
    for (qsizetype line = from.Line; line <= to.Line; ++line)
        Release(m_lines[static_cast<std::size_t>(line)]);
    m_lines[static_cast<std::size_t>(from.Line)] = joined;
    m_lines.erase(m_lines.begin() + from.Line + 1, m_lines.begin() + to.Line + 1);
}

QString OutputStore::TextBetween(TextPosition from, TextPosition to) const
{
    from = Clamp(from);
    to = Clamp(to);
    if (to < from)
        std::swap(from, to);
    if (from.Line == to.Line)
        return Text(from.Line).mid(from.Column, to.Column - from.Column);
    QString text = Text(from.Line).mid(from.Column);
    for (qsizetype line = from.Line + 1; line < to.Line; ++line)
        text += QLatin1Char('\n') + Text(line);
    return text + QLatin1Char('\n') + Text(to.Line).left(to.Column);
}

OutputStore::Snapshot OutputStore::Take(qsizetype first, qsizetype count) const
{
    Snapshot taken;
    first = std::clamp<qsizetype>(first, 0, LineCount());
    count = std::clamp<qsizetype>(count, 0, LineCount() - first);
    taken.m_lines.reserve(static_cast<std::size_t>(count));
    for (qsizetype i = first; i < first + count; ++i) {
        const Line &line = m_lines[static_cast<std::size_t>(i)];
        if (line.IsSpan()) {
            taken.m_lines.push_back(line);
        } else {
            taken.m_lines.push_back(
                { static_cast<std::uint32_t>(taken.m_texts.size()), EditedMark });
            taken.m_texts.push_back(m_edited[line.Offset]);
        }
    }
    return taken;
}

void OutputStore::Put(qsizetype first, qsizetype count, const Snapshot &lines)
{
    first = std::clamp<qsizetype>(first, 0, LineCount());
    count = std::clamp<qsizetype>(count, 0, LineCount() - first);
    const auto begin = m_lines.begin() + first;
    for (auto line = begin; line != begin + count; ++line)
        Release(*line);
    m_lines.erase(begin, begin + count);
    std::vector<Line> restored;
    restored.reserve(lines.m_lines.size());
    for (const Line &line : lines.m_lines) {
        if (line.IsSpan()) {
            restored.push_back(line);
            NoteLength(line.Length);
        } else {
            restored.push_back(EditedLine(lines.m_texts[line.Offset]));
        }
    }
    m_lines.insert(m_lines.begin() + first, restored.begin(), restored.end());
}

std::vector<engine::ProtocolLine> OutputStore::Lines() const
{
    std::vector<engine::ProtocolLine> lines;
    lines.reserve(m_lines.size());
    ForEachLine([&lines](std::string_view line) {
        lines.emplace_back(line);
        return true;
    });
    return lines;
}

void OutputStore::ForEachLine(const std::function<bool(std::string_view)> &sink) const
{
    if (SavesNothing())
        return;
    std::string converted;
    for (const Line &line : m_lines) {
        if (line.IsSpan()) {
            if (!sink(Bytes(line)))
                return;
        } else {
            converted = ToCp1251(m_edited[line.Offset]);
            if (!sink(converted))
                return;
        }
    }
}

engine::Status OutputStore::Save(
    const std::filesystem::path &path, const engine::SourceEncoding &encoding) const
{
    engine::AtomicFileWriter writer(path);
    engine::LineEncoder encode(encoding);
    if (writer.Open() && writer.Write(encode.Start()))
        ForEachLine([&](std::string_view line) { return writer.WriteLine(encode(line)); });
    return writer.Commit();
}

std::optional<UnencodableChar> OutputStore::FirstUnencodable() const
{
    for (std::size_t line = 0; line < m_lines.size(); ++line) {
        if (m_lines[line].IsSpan())
            continue; // bytes that came from the rewrite are Windows-1251 already
        if (const std::optional<Unencodable> bad
            = ui::FirstUnencodable(m_edited[m_lines[line].Offset]))
            return UnencodableChar { static_cast<qsizetype>(line) + 1, bad->Column, bad->Text };
    }
    return std::nullopt;
}

std::size_t OutputStore::MemoryBytes() const
{
    std::size_t bytes = m_bytes.capacity() + m_lines.capacity() * sizeof(Line)
        + m_edited.capacity() * sizeof(QString) + m_freeEdited.capacity() * sizeof(std::uint32_t);
    for (const QString &text : m_edited)
        bytes += static_cast<std::size_t>(text.capacity()) * sizeof(QChar);
    return bytes;
}

OutputStore::Line OutputStore::EditedLine(const QString &text)
{
    std::uint32_t slot;
    if (!m_freeEdited.empty()) {
        slot = m_freeEdited.back();
        m_freeEdited.pop_back();
        m_edited[slot] = text;
    } else {
        slot = static_cast<std::uint32_t>(m_edited.size());
        m_edited.push_back(text);
    }
    NoteLength(text.size());
    return { slot, EditedMark };
}

void OutputStore::SetLine(qsizetype index, Line line)
{
    Release(m_lines[static_cast<std::size_t>(index)]);
    m_lines[static_cast<std::size_t>(index)] = line;
}

void OutputStore::Release(const Line &line)
{
    if (line.IsSpan())
        return;
    // The slot is reused by the next edited line; its text goes now.
    m_edited[line.Offset] = QString();
    m_freeEdited.push_back(line.Offset);
}

void OutputStore::NoteLength(qsizetype length) { m_maxLength = std::max(m_maxLength, length); }

} // namespace ui
