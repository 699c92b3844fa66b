// The one update path of the settings file: the three kinds of keys patched through the one
// editor, each line end kept as the file had it, and the read-patch-write around it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "points/app_settings.h"
#include "points/settings_file.h"
#include "points/settings_location.h"
#include "points/settings_update.h"

namespace {

namespace fs = std::filesystem;

// The tables (one line rewritten per key, a place added), the e-mail and the list (each a new
// section, then rewritten and replaced), in the order the window writes them.
std::string EveryKindWritten(std::string bytes)
{
    points::PointsGrid grid(1, 2);
    grid.SetValue(1, 1, "7");
    grid.SetValue(1, 2, "3");
    bytes = points::SavePointsTables(bytes, grid);
    bytes = points::WithCollectorEmail(bytes, "old@b.by");
    bytes = points::WithRecentFiles(bytes, { "/old" });
    bytes = points::WithRecentFiles(bytes, { "/a", "/b" });
    return points::WithCollectorEmail(bytes, "a@b.by");
}

TEST(SettingsUpdate, EachLineEndStaysAsTheFileHadIt)
{
    const auto uniform = [](std::string_view b) {
        const std::string n(b);
        return std::pair { "[Ochki]" + n + "TablesCount=1" + n + "PlacesCount=1" + n + "1=5;" + n,
            "[Ochki]" + n + "TablesCount=1" + n + "PlacesCount=2" + n + "1=7;" + n + "2=3;" + n + n
                + "[Collector]" + n + "Email=a@b.by" + n + n + "[Recent]" + n + "File1=/a" + n
                + "File2=/b" + n };
    };
    struct Case
    {
        const char *name;
        std::pair<std::string, std::string> file; // before, after
    };
    const Case cases[] = {
        { "CR only", uniform("\r") },
        { "LF", uniform("\n") },
        { "CR LF", uniform("\r\n") },
        // New lines take the break of the line they follow or replace; new sections the first.
        { "mixed",
            { "[Ochki]\r\nTablesCount=1\nPlacesCount=1\r1=5;\n[Recent]\rFile1=/x\n[Collector]\r",
                "[Ochki]\r\nTablesCount=1\nPlacesCount=2\r1=7;\n2=3;\n[Recent]\rFile1=/a\n"
                "File2=/b\n[Collector]\rEmail=a@b.by\r" } },
        { "mixed, no final break",
            { "a=1\nb=2\r\n[Ochki]\rTablesCount=0",
                "a=1\nb=2\r\n[Ochki]\rTablesCount=1\nPlacesCount=2\n1=7;\n2=3;\n\n[Collector]\n"
                "Email=a@b.by\n\n[Recent]\nFile1=/a\nFile2=/b\n" } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EveryKindWritten(c.file.first), c.file.second);
    }
}

class SettingsUpdateFile : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("lapwing-update-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path m_dir;
};

TEST_F(SettingsUpdateFile, ReadsPatchesAndWritesOrSaysWhy)
{
    const fs::path path = m_dir / "lapwing.INI";
    const auto email
        = [](std::string_view current) { return points::WithCollectorEmail(current, "a@b.by"); };
    const auto made = points::UpdateSettingsFile(path, email); // a missing file is made
    ASSERT_TRUE(made.Ok()) << made.Error().Reason;
    EXPECT_EQ(points::ReadSettingsFile(path).Value(), made.Value());

    std::ofstream(path, std::ios::binary) << "[Other]\nKey=1\n"; // written by another window
    const auto patched = points::UpdateSettingsFile(path, email);
    ASSERT_TRUE(patched.Ok());
    EXPECT_EQ(patched.Value(), "[Other]\nKey=1\n\n[Collector]\nEmail=a@b.by\n");
    EXPECT_EQ(points::ReadSettingsFile(path).Value(), patched.Value());

    const fs::path folder = m_dir / "folder.INI";
    fs::create_directories(folder);
    const auto unreadable = points::UpdateSettingsFile(folder, email);
    ASSERT_FALSE(unreadable.Ok());
    EXPECT_EQ(unreadable.Error().Reason,
        "Unable to write to " + folder.string() + ": it could not be read: Is a directory");

    const fs::path blocked = m_dir / "plain" / "lapwing.INI";
    std::ofstream(m_dir / "plain") << "not a folder";
    const auto unwritable = points::UpdateSettingsFile(blocked, email);
    ASSERT_FALSE(unwritable.Ok());
    EXPECT_TRUE(
        unwritable.Error().Reason.starts_with("Unable to write to " + blocked.string() + ": "))
        << unwritable.Error().Reason;
}

} // namespace
