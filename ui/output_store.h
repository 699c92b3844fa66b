// The output view's text: the rewrite's bytes in one buffer with a span per line, and storage
// of their own only for the lines the user edits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QString>
#include <QStringList>

#include "engine/protocol.h"
#include "engine/save.h"

namespace ui {

// A place between characters: line and column from 0, the column in UTF-16 units of the line.
struct TextPosition
{
    qsizetype Line = 0;
    qsizetype Column = 0;
    auto operator<=>(const TextPosition &) const = default;
};

// A character Windows-1251 cannot hold, where the user sees it: line and column from 1, the
// column counted in characters.
struct UnencodableChar
{
    qsizetype Line = 1;
    qsizetype Column = 1;
    QString Character;
};

// Lines of Windows-1251 text that a person may edit. Filling appends the bytes of each line to
// one buffer, which is kept (and reused by the next fill), so a million lines cost one buffer
// and a small span each, and repeated fills do not grow memory. A line the user has not touched
// is its span: its text is decoded when asked for and its bytes are given back exactly; the
// halves of a line broken with Enter stay spans, and so does a line joined back. An edited line
// holds its text, converted to Windows-1251 only when the lines are collected. With no lines at
// all the text is empty; editing then starts the first line.
class OutputStore
{
public:
    // Empties the text; the buffers keep their capacity. `bytes` and `lines` are what the next
    // fill is expected to need, so that the buffers are not regrown while filling.
    void Clear(std::size_t bytes = 0, std::size_t lines = 0);
    void AppendLine(std::string_view bytes);
    // Replaces everything with `text`, lines split at '\n'; each counts as edited.
    void SetText(const QString &text);

    qsizetype LineCount() const { return static_cast<qsizetype>(m_lines.size()); }
    // The text of a line; empty past the end.
    QString Text(qsizetype line) const;
    // `count` characters of it from `column` (fewer at its end), decoding no more than those.
    QString Text(qsizetype line, qsizetype column, qsizetype count) const;
    qsizetype Length(qsizetype line) const;
    bool IsEdited(qsizetype line) const;
    // The longest line in characters, as filled or edited (never shrinks until the next fill).
    qsizetype MaxLength() const { return m_maxLength; }
    // The whole text, lines joined by '\n'.
    QString PlainText() const;

    // The nearest valid position.
    TextPosition Clamp(TextPosition at) const;
    TextPosition End() const;
    // Inserts `text` at `at`; '\n', "\r\n", '\r' and the Unicode line and paragraph separators
    // break lines. Returns the position after the inserted text.
    TextPosition Insert(TextPosition at, const QString &text);
    // Removes the text from `from` to `to` (in either order), joining lines.
    void Remove(TextPosition from, TextPosition to);
    QString TextBetween(TextPosition from, TextPosition to) const;

    // The lines to save: untouched lines as they were filled, edited ones in Windows-1251, with
    // '?' for a character it lacks (FirstUnencodable() finds those first). A text that is one
    // empty line saves nothing.
    std::vector<engine::ProtocolLine> Lines() const;
    // Lines() would be empty.
    bool SavesNothing() const { return m_lines.empty() || (m_lines.size() == 1 && Length(0) == 0); }
    // The same lines handed out one by one, without a copy of the whole text; stops when
    // `sink` returns false.
    void ForEachLine(const std::function<bool(std::string_view)> &sink) const;
    // Creates or replaces the file with Lines(), each followed by CR LF, as
    // engine::SaveProtocol does; in UTF-8 when the protocol came in UTF-8.
    engine::Status Save(const std::filesystem::path &path,
        const engine::SourceEncoding &encoding = {}) const;
    // The first character of an edited line that Windows-1251 cannot hold.
    std::optional<UnencodableChar> FirstUnencodable() const;

    // Bytes held by the buffers and the edited lines' texts (capacities, not sizes).
    std::size_t MemoryBytes() const;

private:
    // Eight bytes a line: a span of the buffer, or (Length == EditedMark) the slot in m_edited
    // that holds the line's text.
    struct Line
    {
        std::uint32_t Offset = 0;
        std::uint32_t Length = 0;
        bool IsSpan() const { return Length != EditedMark; }
    };
    static constexpr std::uint32_t EditedMark = 0xFFFFFFFF;

public:
    // Whole lines as they are, to be put back later (undo). Untouched lines are copied as
    // spans, so that a snapshot of a million lines costs eight bytes each and puts back the
    // very bytes; the buffer is never changed while editing.
    class Snapshot
    {
    public:
        qsizetype LineCount() const { return static_cast<qsizetype>(m_lines.size()); }

    private:
        friend class OutputStore;
        std::vector<Line> m_lines; // an edited line's Offset indexes m_texts
        std::vector<QString> m_texts;
    };

    // Lines `first` to `first + count - 1` (those of them that exist).
    Snapshot Take(qsizetype first, qsizetype count) const;
    // Replaces `count` lines from `first` with the snapshot's.
    void Put(qsizetype first, qsizetype count, const Snapshot &lines);

private:
    std::string_view Bytes(const Line &line) const
    {
        return { m_bytes.data() + line.Offset, line.Length };
    }
    Line EditedLine(const QString &text);
    void SetLine(qsizetype index, Line line);
    void Release(const Line &line);
    void NoteLength(qsizetype length);

    std::string m_bytes;
    std::vector<Line> m_lines;
    std::vector<QString> m_edited;
    std::vector<std::uint32_t> m_freeEdited; // slots of m_edited no line uses
    qsizetype m_maxLength = 0;
};

// `text` with every line break ("\r\n", '\r', the Unicode line and paragraph separators) as '\n'.
QString NormalizeLineBreaks(QString text);

// The text of Windows-1251 bytes: every byte one character (0x98, which has none, U+0098), so
// that nothing is lost on the way back.
QString DecodeCp1251(std::string_view bytes);

} // namespace ui
