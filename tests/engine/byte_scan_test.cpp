// The byte scans: the ones the readers use (sixteen bytes at a time where SSE2 is built) and the
// plain ones each answer as the byte-by-byte rule does, on texts of every length made of the
// bytes next to what they look for.
#include "engine/byte_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace engine::scan;

namespace {

std::string RandomText(std::mt19937 &random, std::string_view pieces, std::size_t size)
{
    std::string text;
    for (std::size_t i = 0; i < size; ++i)
        text += pieces[random() % pieces.size()];
    return text;
}

} // namespace

TEST(ByteScan, FastAndPlainScansAgreeWithTheRule)
{
    std::mt19937 random(7);
    const auto capital = [](char c) { return c >= 'A' && c <= 'Z'; };
    // Mostly no capital, so that a single one anywhere is what decides.
    constexpr std::string_view nearCapitals = "aaaaaaaaaaaa@[`{\xC1\xDA\x80\xFF" "AZ";
    constexpr std::string_view nearMarks = "xxxxxx\n\r<&;=%\x8A\x8D\xBC";
    for (int round = 0; round < 20000; ++round) {
        const std::string text = RandomText(random, nearCapitals, random() % 70);
        const bool rule = std::any_of(text.begin(), text.end(), capital);
        ASSERT_EQ(HasLatinCapital(text), rule) << text;
        ASSERT_EQ(HasLatinCapitalPlain(text), rule) << text;

        const std::string window = RandomText(random, nearCapitals, CapitalsMaskBytes);
        std::uint64_t mask = 0;
        for (std::size_t k = 0; k < CapitalsMaskBytes; ++k)
            mask |= std::uint64_t { capital(window[k]) } << k;
        ASSERT_EQ(CapitalsMask(window.data()), mask) << window;
        ASSERT_EQ(CapitalsMaskPlain(window.data()), mask) << window;

        const std::string bytes = RandomText(random, nearMarks, random() % 70);
        std::vector<std::size_t> marks;
        for (std::size_t k = 0; k < bytes.size(); ++k) {
            if (bytes[k] == '\n' || bytes[k] == '\r' || bytes[k] == '<' || bytes[k] == '&')
                marks.push_back(k);
        }
        std::vector<std::size_t> fast, plain;
        ForEachMarkByte(bytes, [&](std::size_t at) { fast.push_back(at); });
        ForEachMarkBytePlain(bytes, [&](std::size_t at) { plain.push_back(at); });
        ASSERT_EQ(fast, marks) << bytes;
        ASSERT_EQ(plain, marks) << bytes;
    }
}
