// The protocol's lines as spans of one byte region: the file's bytes, mapped or read once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/protocol_encoding.h"

namespace engine {

// One line as the rewrite makes it or a test writes it: Windows-1251 bytes, no line terminator.
using ProtocolLine = std::string;

// The bytes lines are spans of. A mapped file may be cut short by another program while it is
// mapped; Intact() then turns false (the pages past the new end read as zeros instead of
// stopping the program), and what was made from the lines must not be used.
class FileBytes
{
public:
    virtual ~FileBytes() = default;
    virtual std::string_view Bytes() const = 0;
    virtual bool Intact() const { return true; }
};

// A million lines cost their file's bytes once and four bytes each: there is no allocation per
// line. A line ends at LF and its CR before the LF is left out of its span; the rare line with
// another CR inside is copied without it, so every CR is dropped as the lines are read. A file
// without any LF whose lines end in CR alone (as old Mac editors save) has its lines end at CR.
// Copies share the bytes, which never change.
class ProtocolLines
{
public:
    ProtocolLines() = default;
    // Splits the bytes into lines: a final LF adds no empty line.
    explicit ProtocolLines(std::shared_ptr<const FileBytes> bytes);
    // Each string is one line, kept exactly as it is (for lines made in memory).
    ProtocolLines(const std::vector<std::string> &lines); // NOLINT: a list of lines is lines
    ProtocolLines(std::initializer_list<std::string_view> lines);

    std::size_t size() const { return m_ends.size(); }
    bool empty() const { return m_ends.empty(); }
    std::string_view operator[](std::size_t i) const
    {
        const std::uint32_t end = m_ends[i];
        if (end & CopiedMark)
            return Copied(i);
        const std::size_t begin = i == 0 ? 0 : (m_ends[i - 1] & ~CopiedMark) + 1;
        const std::size_t length = end - begin;
        // A CR before the LF is not part of the line.
        return { m_bytes.data() + begin,
            length - (length > 0 && m_bytes[end - 1] == '\r' ? 1 : 0) };
    }
    // Whether line i holds markup, a '<' or an '&': only such a line can be a tag or a table's
    // edge, and only such a line shows fewer characters than it has bytes. And whether it holds
    // a group heading, "<h2>". The splitting notes both as it passes each '<' and '&', so that
    // the walks through a million lines need not read every line, or any, to find them.
    bool HoldsTag(std::size_t i) const { return m_tags.Test(i); }
    bool HoldsHeading(std::size_t i) const { return m_headings.Test(i); }
    // The first line from `from` on that holds markup, or a heading; size() if none does.
    std::size_t NextTag(std::size_t from) const { return m_tags.Next(from, size()); }
    std::size_t NextHeading(std::size_t from) const { return m_headings.Next(from, size()); }
    std::size_t HeadingCount() const { return m_headings.Count(); }
    // Where line i ends in the bytes: at its LF (its CR in a file without LFs), or at the end.
    std::size_t EndOffset(std::size_t i) const { return m_ends[i] & ~CopiedMark; }
    // False when the mapped file was cut short since the lines were read (see FileBytes).
    bool Intact() const { return !m_source || m_source->Intact(); }
    // The encoding of the file the lines were read from; a UTF-8 file's lines are held converted
    // to Windows-1251, and what is made of them is written back in UTF-8.
    const SourceEncoding &Encoding() const { return m_encoding; }
    void SetEncoding(const SourceEncoding &encoding) { m_encoding = encoding; }
    // A number no other lines read in this process have (a copy has its original's): what was
    // found from these lines is known to be theirs without reading them again.
    std::uint64_t Id() const { return m_id; }

    class const_iterator
    {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator() = default;
        const_iterator(const ProtocolLines *lines, std::size_t i)
            : m_lines(lines)
            , m_i(i)
        {
        }
        std::string_view operator*() const { return (*m_lines)[m_i]; }
        std::string_view operator[](difference_type n) const
        {
            return (*m_lines)[m_i + static_cast<std::size_t>(n)];
        }
        const_iterator &operator++() { ++m_i; return *this; }
        const_iterator operator++(int) { const_iterator old = *this; ++m_i; return old; }
        const_iterator &operator--() { --m_i; return *this; }
        const_iterator operator--(int) { const_iterator old = *this; --m_i; return old; }
        const_iterator &operator+=(difference_type n) { m_i += static_cast<std::size_t>(n); return *this; }
        const_iterator &operator-=(difference_type n) { m_i -= static_cast<std::size_t>(n); return *this; }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const const_iterator &a, const const_iterator &b)
        {
            return static_cast<difference_type>(a.m_i) - static_cast<difference_type>(b.m_i);
        }
        friend bool operator==(const const_iterator &a, const const_iterator &b) { return a.m_i == b.m_i; }
        friend auto operator<=>(const const_iterator &a, const const_iterator &b) { return a.m_i <=> b.m_i; }

    private:
        const ProtocolLines *m_lines = nullptr;
        std::size_t m_i = 0;
    };
    using iterator = const_iterator;
    using value_type = std::string_view;

    const_iterator begin() const { return { this, 0 }; }
    const_iterator end() const { return { this, size() }; }

    friend bool operator==(const ProtocolLines &a, const ProtocolLines &b);

private:
    // Each line is four bytes: where its bytes end in the file (at its LF, or at the end); it
    // starts after the previous line's LF. CopiedMark set: the line held a CR inside and its
    // text, without the CRs, is in m_copies. Protocols are limited far below 2 GiB, so 31 bits
    // hold any offset.
    static constexpr std::uint32_t CopiedMark = 0x80000000u;
    struct CopiedLine
    {
        std::size_t Index = 0;
        std::uint32_t Offset = 0; // in m_copies
        std::uint32_t Length = 0;
    };

    // One bit a line.
    class LineBits
    {
    public:
        bool Test(std::size_t i) const
        {
            return i / 64 < m_words.size() && (m_words[i / 64] >> (i % 64) & 1) != 0;
        }
        void Set(std::size_t i);
        std::size_t Next(std::size_t from, std::size_t none) const;
        std::size_t Count() const;
        // Sets bit `to + (i - first)` for each bit i of `from` set in [first, end).
        void CopyRange(const LineBits &from, std::size_t first, std::size_t end, std::size_t to);

    private:
        std::vector<std::uint64_t> m_words;
    };

    std::string_view Copied(std::size_t i) const;
    struct Index;
    void Split();

    std::shared_ptr<const FileBytes> m_source;
    std::string_view m_bytes;
    std::vector<std::uint32_t> m_ends;
    LineBits m_tags;
    LineBits m_headings;
    std::string m_copies;
    std::vector<CopiedLine> m_copied; // in order of Index
    SourceEncoding m_encoding;
    std::uint64_t m_id = NewId();
    static std::uint64_t NewId();
};

// Bytes held in memory.
class OwnedBytes final : public FileBytes
{
public:
    explicit OwnedBytes(std::string bytes)
        : m_bytes(std::move(bytes))
    {
    }
    std::string_view Bytes() const override { return m_bytes; }

private:
    std::string m_bytes;
};

} // namespace engine
