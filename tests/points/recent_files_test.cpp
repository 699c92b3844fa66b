#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "points/app_settings.h"

namespace {

using List = std::vector<std::string>;
using points::RecentFiles;
using points::WithRecentFile;
using points::WithRecentFiles;

TEST(RecentFiles, NewestFirstWithoutRepeatsCutToEight)
{
    const List eight { "/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8" };
    struct Case
    {
        const char *name;
        List before;
        std::string path;
        List after;
    };
    const Case cases[] = {
        { "first", {}, "/a.htm", { "/a.htm" } },
        { "repeat moves to the front", { "/a", "/b", "/c" }, "/b", { "/b", "/a", "/c" } },
        { "the oldest falls off", eight, "/9", { "/9", "/1", "/2", "/3", "/4", "/5", "/6", "/7" } },
        { "the oldest read again", eight, "/8",
            { "/8", "/1", "/2", "/3", "/4", "/5", "/6", "/7" } },
        { "Cyrillic name", { "/a" }, "/д/пратакол.htm", { "/д/пратакол.htm", "/a" } },
        { "line break not stored", { "/a" }, "/x\ny.htm", { "/a" } },
        { "control byte not stored", { "/a" }, "/x\ty.htm", { "/a" } },
        { "DEL not stored", { "/a" }, "/x\x7Fy", { "/a" } },
        { "not UTF-8", { "/a" }, "/\xC1\xFE.htm", { "/a" } },
        { "trailing blank", { "/a" }, "/b.htm ", { "/a" } },
        { "empty", { "/a" }, "", { "/a" } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WithRecentFile(c.before, c.path), c.after);
    }
}

TEST(RecentFiles, WrittenInTheirOwnSectionLeavingEveryOtherLine)
{
    struct Case
    {
        const char *name;
        std::string before;
        List list;
        std::string after;
    };
    const std::string tables = "[Ochki]\r\nTablesCount=1\r\nPlacesCount=1\r\n1=5;\r\n";
    const Case cases[] = {
        { "no file", "", { "/a", "/b" }, "[Recent]\r\nFile1=/a\r\nFile2=/b\r\n" },
        { "after the tables", tables, { "/a" }, tables + "\r\n[Recent]\r\nFile1=/a\r\n" },
        { "LF file without a final break", "[Ochki]\nTablesCount=0", { "/a" },
            "[Ochki]\nTablesCount=0\n\n[Recent]\nFile1=/a\n" },
        { "replaced in place, extra keys gone",
            "[Recent]\r\n;mine\r\nFile1=/old\r\n  file2 = /x\r\nKeep=1\r\nFile12=/y\r\n" + tables,
            { "/a" }, "[Recent]\r\n;mine\r\nFile1=/a\r\nKeep=1\r\n" + tables },
        { "section without keys", "[recent]\r\nKeep=1", { "/a" },
            "[recent]\r\nKeep=1\r\nFile1=/a\r\n" },
        { "emptied", "[Recent]\r\nFile1=/old\r\n" + tables, {}, "[Recent]\r\n" + tables },
        { "nothing to add", tables, {}, tables },
        { "unstorable entries left out", "", { "/a", "/x\r\n[Ochki]", "/b" },
            "[Recent]\r\nFile1=/a\r\nFile2=/b\r\n" },
        { "Cyrillic path", "", { "/д/пратакол.htm" }, "[Recent]\r\nFile1=/д/пратакол.htm\r\n" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string written = WithRecentFiles(c.before, c.list);
        EXPECT_EQ(written, c.after);
        List stored;
        for (const std::string &path : c.list) {
            if (points::IsStorablePath(path))
                stored.push_back(path);
        }
        EXPECT_EQ(RecentFiles(written), stored);
    }
}

TEST(RecentFiles, ReadByKeyNumberSkippingWhatCannotBeOpened)
{
    const std::string file = "[Recent]\r\nFile3=/c\r\nFile1=/a\r\nFile2=/a\r\nFile4=\r\n"
                             "File1=/second\r\nFile9=/past\r\nFile0=/zero\r\nName=/n\r\n"
                             "[Other]\r\nFile5=/elsewhere\r\n[RECENT]\r\nfile6= /f \r\n";
    EXPECT_EQ(RecentFiles(file), (List { "/a", "/c", "/f" }));
}

} // namespace
