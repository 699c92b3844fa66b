// Result times past 59 minutes or seconds are found and named, and read as they stand.
#include <gtest/gtest.h>

#include <atomic>

#include "engine/recognizers.h"
#include "engine/rewrite.h"
#include "engine/time_check.h"
#include "engine/two_threads.h"
#include "test_lines.h"

namespace {

using namespace engine;
using testlines::ResultLine;

TEST(ImpossibleTimes, MinutesOrSecondsPast59)
{
    struct Case
    {
        std::string_view time;
        bool impossible;
    };
    const Case cases[] = {
        { "00:40:00", false }, { "01:59:59", false }, { "99:59:59", false }, // hours have no limit
        { "00:40:75", true }, { "00:60:00", true }, { "99:99:99", true },
        { " 0:41:60", true }, // a blank-led hour: the general reading
        { "00:4x:75", false }, // the time does not read: nothing to warn of
    };
    // Another layout's time: "h:mm:ss" where its title puts it.
    const std::string yearFirst = Utf8ToCp1251(
        " п/п Фамилия Имя               Команда               Г.р. Квал Номер Результат  Место");
    for (const auto &[time, impossible] : { std::pair { "0:41:60", true }, std::pair { "0:41:59", false } }) {
        std::string line(86, ' ');
        testlines::Put(line, 6, "A");
        testlines::Put(line, 71, time);
        testlines::Put(line, 83, "1");
        const ProtocolLines lines = { "<pre>", yearFirst, line, "</pre>" };
        EXPECT_EQ(ImpossibleTimeLines(lines).size(), impossible ? 1u : 0u) << time;
    }
    for (const Case &c : cases) {
        SCOPED_TRACE(c.time);
        const ProtocolLines lines = { "<pre>", ResultLine({ .time = c.time }), "</pre>" };
        EXPECT_EQ(ImpossibleTimeLines(lines),
            c.impossible ? std::vector<std::size_t> { 2 } : std::vector<std::size_t> {});
    }
    // read as they stand
    EXPECT_EQ(SecondsOf(ResultLine({ .time = "00:40:75" })), 40 * 60 + 75);
}

TEST(ImpossibleTimes, OnlyResultLinesAndEveryOneNamedOnce)
{
    std::vector<std::string> lines = { "<pre>", "00:40:75 is a note, not a result line" };
    for (int i = 0; i < 12; ++i)
        lines.push_back(ResultLine({ .time = i % 2 == 0 ? "00:40:75" : "00:40:00" }));
    lines.push_back("</pre>");
    lines.push_back(ResultLine({ .time = "00:40:75" })); // outside any table
    const std::vector<std::size_t> found = ImpossibleTimeLines(ProtocolLines(lines));
    EXPECT_EQ(found, (std::vector<std::size_t> { 3, 5, 7, 9, 11, 13 }));
    // A table the rewrite copies unchanged is not read to its closing tag, whatever it holds:
    // another "<pre>" inside it starts no table.
    const ProtocolLines unmapped { "<pre>", "   1 Athlete              0:10:45", "<pre>",
        ResultLine({ .time = "00:40:75" }), "</pre>" };
    EXPECT_EQ(ImpossibleTimeLines(unmapped), std::vector<std::size_t> {});
    EXPECT_EQ(DescribeImpossibleTimes("in.htm", found),
        "in.htm: lines 3, 5, 7, 9, 11, 13: the result time's minutes or seconds exceed 59 (read "
        "as they stand)");
    EXPECT_EQ(DescribeImpossibleTimes("in.htm", { 7 }),
        "in.htm: line 7: the result time's minutes or seconds exceed 59 (read as they stand)");
    EXPECT_EQ(DescribeImpossibleTimes("in.htm", { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 }),
        "in.htm: lines 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 and 2 more: the result time's minutes or "
        "seconds exceed 59 (read as they stand)");
    EXPECT_EQ(DescribeImpossibleTimes("in.htm", {}), "");
}

TEST(ImpossibleTimes, PartsFindWhatTheWholeFinds)
{
    // Tables with their groups, a stray closing tag and a signatures block: the parts, cut after
    // each closing tag, name the same lines in the same order.
    std::vector<std::string> lines = { "<html>", "</pre>" };
    for (int group = 0; group < 4; ++group) {
        lines.push_back("<h2>M" + std::to_string(20 + group) + "</h2>");
        lines.push_back("<pre>");
        for (int i = 0; i < 5; ++i)
            lines.push_back(ResultLine({ .time = (i + group) % 3 == 0 ? "00:40:75" : "00:40:00" }));
        lines.push_back("</pre>");
    }
    lines.push_back("<pre>" + Utf8ToCp1251("Главный судья"));
    lines.push_back(ResultLine({ .time = "00:40:75" }));
    lines.push_back("</pre>");
    const ProtocolLines protocol(lines);
    std::vector<GroupSettings> groups;
    UpdateGroups(protocol, groups);
    const std::vector<std::size_t> whole = ImpossibleTimeLines(protocol, groups);
    EXPECT_EQ(whole.size(), 7u);
    std::vector<std::size_t> inParts;
    for (const ProtocolPart &part : ProtocolParts(protocol, 1)) {
        const std::vector<std::size_t> found = ImpossibleTimeLines(protocol, groups, part);
        inParts.insert(inParts.end(), found.begin(), found.end());
    }
    EXPECT_EQ(inParts, whole);
}

TEST(InTwoThreads, EveryItemOnceBelowAndAboveTheThreshold)
{
    for (const std::size_t count : { 0u, 1u, 2u, 3u, 999u }) {
        for (const std::size_t from : { 2u, 1000u }) {
            std::vector<std::atomic<int>> seen(count);
            InTwoThreads(count, from, [&](std::size_t first, std::size_t end) {
                for (std::size_t k = first; k < end; ++k)
                    ++seen[k];
            });
            for (std::size_t k = 0; k < count; ++k)
                EXPECT_EQ(seen[k], 1) << count << " from " << from << " item " << k;
        }
    }
}

} // namespace
