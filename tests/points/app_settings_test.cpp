#include "points/app_settings.h"

#include <gtest/gtest.h>

#include "points/settings_file.h"

namespace {

using points::CollectorEmail;
using points::WithCollectorEmail;

TEST(CollectorEmail, IsWrittenBesideTheTablesWithoutTouchingThem)
{
    struct Case
    {
        const char *name;
        std::string before;
        std::string after;
        std::string previous = ""; // the address before
    };
    const Case cases[] = {
        { "no file", "", "[Collector]\r\nEmail=a@b.by\r\n" },
        { "tables only", "[Ochki]\r\nTablesCount=1\r\n",
            "[Ochki]\r\nTablesCount=1\r\n\r\n[Collector]\r\nEmail=a@b.by\r\n" },
        { "no final line break", "[Ochki]\nTablesCount=1",
            "[Ochki]\nTablesCount=1\n\n[Collector]\nEmail=a@b.by\n" },
        { "key replaced in place", "[collector]\r\n email = old@x.by ;c\r\n[Ochki]\r\n1=5;\r\n",
            "[collector]\r\n email=a@b.by\r\n[Ochki]\r\n1=5;\r\n", "old@x.by ;c" },
        { "section without the key", "[Collector]\r\nOther=1\r\n[Ochki]\r\n",
            "[Collector]\r\nOther=1\r\nEmail=a@b.by\r\n[Ochki]\r\n" },
        { "an unclosed '[' at the end", "[Ochki]\r\n[",
            "[Ochki]\r\n[\r\n\r\n;\r\n[Collector]\r\nEmail=a@b.by\r\n" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string written = WithCollectorEmail(c.before, " a@b.by\r\n");
        EXPECT_EQ(written, c.after);
        EXPECT_EQ(CollectorEmail(written), "a@b.by");
        EXPECT_EQ(CollectorEmail(c.before), c.previous);
    }
}

TEST(CollectorEmail, SurvivesSavingTheTables)
{
    const std::string withEmail
        = WithCollectorEmail("[Ochki]\r\nTablesCount=1\r\nPlacesCount=1\r\n1=5;\r\n", "a@b.by");
    points::PointsGrid grid(2, 1);
    grid.SetValue(1, 1, "7");
    grid.SetValue(2, 1, "3");
    const std::string saved = points::SavePointsTables(withEmail, grid);
    EXPECT_EQ(CollectorEmail(saved), "a@b.by");
    EXPECT_NE(saved.find("1=7;3;"), std::string::npos);
}

TEST(WindowLayout, IsKeptInItsOwnSection)
{
    const std::string tables = "[Ochki]\r\nTablesCount=1\r\n";
    const points::WindowLayout layout { 900, 700, true, 420, 230, 1 };
    const std::string written = points::WithWindowLayout(tables, layout);
    EXPECT_EQ(written,
        tables
            + "\r\n[Window]\r\nWidth=900\r\nHeight=700\r\nMaximized=1\r\nSplitter=420,230\r\n"
              "Tab=1\r\n");
    EXPECT_EQ(points::ReadWindowLayout(written), layout);
    // Written again, each key in its place.
    EXPECT_EQ(points::WithWindowLayout(written, layout), written);
}

TEST(WindowLayout, ValuesNotUsableReadAsNotKnown)
{
    struct Case
    {
        const char *name;
        std::string section;
        points::WindowLayout expected;
    };
    const Case cases[] = {
        { "nothing", "", {} },
        { "blanks and case", "width = 800 \nHEIGHT=600\nsplitter= 300 , 200\ntab=0\n",
            { 800, 600, false, 300, 200, 0 } },
        { "not numbers", "Width=wide\nHeight=-5\nSplitter=300\nTab=x\nMaximized=yes\n", {} },
        { "too large or zero", "Width=100001\nHeight=0\nSplitter=0,200\n", {} },
        { "the first of a repeated key", "Width=800\nWidth=900\n", { 800, 0, false, 0, 0, 0 } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(points::ReadWindowLayout("[Window]\n" + c.section), c.expected);
    }
}

TEST(InterfaceLanguage, IsKeptInItsOwnSection)
{
    const std::string tables = "[Ochki]\r\nTablesCount=1\r\n";
    EXPECT_EQ(points::InterfaceLanguage(tables), "");
    const std::string written = points::WithInterfaceLanguage(tables, " ru\n");
    EXPECT_EQ(written, tables + "\r\n[Interface]\r\nLanguage=ru\r\n");
    EXPECT_EQ(points::InterfaceLanguage(written), "ru");
    // Back to the system's languages: the key stays, empty.
    const std::string system = points::WithInterfaceLanguage(written, "");
    EXPECT_EQ(system, tables + "\r\n[Interface]\r\nLanguage=\r\n");
    EXPECT_EQ(points::InterfaceLanguage("[interface]\nlanguage = en \n"), "en");
}

} // namespace
