// Builders of fixed-column result lines and small protocols for the engine's tests.
#pragma once

#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cp1251.h"
#include "engine/rewrite.h"

namespace testlines {

// Writes `text` (Windows-1251) at a 1-based position, growing the line with blanks.
inline void Put(std::string &line, std::size_t position, std::string_view text)
{
    if (line.size() < position - 1 + text.size())
        line.resize(position - 1 + text.size(), ' ');
    line.replace(position - 1, text.size(), text);
}

struct Athlete
{
    std::string_view name = "Athlete";
    std::string_view team = "";
    std::string_view qualification = ""; // five bytes or fewer
    std::string_view time = "00:40:00";
    std::string_view place = "";         // right-aligned into 79..82
    std::string_view remarks = "";
};

// A result line of the usual layout: name at 6, team at 32, qualification at 53, time at 68,
// place right-aligned at 79..82, remarks from 84.
inline std::string ResultLine(const Athlete &a)
{
    std::string line(82, ' ');
    Put(line, 1, "   1");
    Put(line, 6, a.name);
    Put(line, 32, a.team);
    Put(line, 53, a.qualification);
    Put(line, 59, "1990");
    Put(line, 68, a.time);
    if (a.place.size() <= 4)
        Put(line, 83 - a.place.size(), a.place);
    if (!a.remarks.empty())
        Put(line, 84, a.remarks);
    return line;
}

// The same layout with every field written as given: the place stands at 79 as passed (four
// bytes, right-aligned by the caller). Without remarks the line ends after the place.
inline std::string FieldsLine(std::string_view name, std::string_view team,
                              std::string_view qualification, std::string_view time,
                              std::string_view place, std::string_view remarks = {})
{
    std::string line(82, ' ');
    Put(line, 1, "  1");
    Put(line, 6, name);
    Put(line, 32, team);
    Put(line, 53, qualification);
    Put(line, 68, time);
    Put(line, 79, place);
    if (!remarks.empty())
        Put(line, 84, remarks);
    return line;
}

// Bytes in a heap block of exactly their size, so that the address sanitizer catches a read past
// the end (a literal or a std::string has a NUL behind its last byte).
class ExactBytes
{
public:
    explicit ExactBytes(std::string_view text)
        : m_size(text.size())
        , m_bytes(new char[text.empty() ? 1 : text.size()])
    {
        if (!text.empty())
            std::memcpy(m_bytes.get(), text.data(), text.size());
    }
    std::string_view View() const { return { m_bytes.get(), m_size }; }

private:
    std::size_t m_size;
    std::unique_ptr<char[]> m_bytes;
};

// "hh:mm:ss" of a number of seconds.
inline std::string Clock(int seconds)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

// A points table of one column with the given values for places 1..n.
class ColumnPoints final : public engine::TeamPointsSource
{
public:
    explicit ColumnPoints(std::vector<std::string> values, int tables = 1)
        : m_values(std::move(values))
        , m_tables(tables)
    {
    }
    int TablesCount() const override { return m_tables; }
    int PlacesCount() const override { return static_cast<int>(m_values.size()); }
    std::string_view Value(int table, int place) const override
    {
        if (table != 1 || place < 1 || place > PlacesCount())
            throw std::out_of_range("points cell outside the grid");
        return m_values[static_cast<std::size_t>(place - 1)];
    }

private:
    std::vector<std::string> m_values;
    int m_tables;
};

} // namespace testlines
