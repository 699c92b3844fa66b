// The small byte-text helpers and the failure descriptions every message is built from.
#include "engine/text.h"

#include <gtest/gtest.h>

#include "engine/result.h"

using namespace engine;

TEST(Text, TrimBlanks)
{
    struct Case
    {
        std::string_view text, both, leading;
    };
    constexpr Case cases[] = {
        { "\x01 \t25\x20\r\n", "25", "25\x20\r\n" }, { " 2 5 ", "2 5", "2 5 " },
        { "\x7F", "\x7F", "\x7F" }, // DEL is above 0x20
        { " \x0b ", "", "" }, { "\xC0", "\xC0", "\xC0" }, // a Cyrillic letter is no blank
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TrimBlanks(c.text), c.both);
        EXPECT_EQ(TrimLeadingBlanks(c.text), c.leading);
    }
}

TEST(Text, EqualsIgnoringAsciiCase)
{
    EXPECT_TRUE(EqualsIgnoringAsciiCase("Ochki", "oCHKI"));
    EXPECT_TRUE(EqualsIgnoringAsciiCase("<U>", "<u>"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("Ochki", "Ochk"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("@", "`")); // 0x40 and 0x60 are not letters
    EXPECT_FALSE(EqualsIgnoringAsciiCase("\xC0", "\xE0")); // Cyrillic А and а stay apart
}

TEST(Text, FindIgnoringAsciiCase)
{
    EXPECT_EQ(FindIgnoringAsciiCase("a<BR>b<br>", "<br"), 1u);
    EXPECT_EQ(FindIgnoringAsciiCase("a<BR>b<br>", "<br", 2), 6u);
    EXPECT_EQ(FindIgnoringAsciiCase("</PR", "</pre"), std::string_view::npos); // cut short
    EXPECT_EQ(FindIgnoringAsciiCase("", ""), 0u);
}

TEST(Text, WideUnicodeMark)
{
    using namespace std::string_view_literals;
    EXPECT_STREQ(WideUnicodeMark("\xFF\xFE<\0h\0"sv), "UTF-16");
    EXPECT_STREQ(WideUnicodeMark("\xFE\xFF\0<"sv), "UTF-16");
    EXPECT_STREQ(WideUnicodeMark("\xFF\xFE\0\0<\0\0\0"sv), "UTF-32");
    EXPECT_STREQ(WideUnicodeMark("\0\0\xFE\xFF"sv), "UTF-32");
    EXPECT_EQ(WideUnicodeMark("\xEF\xBB\xBF<h2>"), nullptr); // UTF-8's mark is byte text
    EXPECT_EQ(WideUnicodeMark("\xFF"), nullptr);
    EXPECT_EQ(WideUnicodeMark(""), nullptr);
}

TEST(Text, DescribeFailure)
{
    EXPECT_EQ(Describe("in.htm", { 12, "bad" }), "in.htm:12: bad");
    EXPECT_EQ(Describe("in.htm", { 0, "bad" }), "in.htm: bad");
    EXPECT_EQ(Describe("in.htm", { 3, "" }), "in.htm:3");
}
