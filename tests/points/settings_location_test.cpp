#include <fstream>

#include <gtest/gtest.h>
#include <unistd.h>

#include "points/points_tables.h"
#include "points/settings_file.h"
#include "points/settings_location.h"

namespace {

namespace fs = std::filesystem;
using points::SettingsLocationInputs;

TEST(SettingsFilePath, BesideTheProgramOrInTheUsersFolder)
{
    struct Case
    {
        const char *name;
        SettingsLocationInputs inputs;
        fs::path expected;
    };
    const Case cases[] = {
        { "a file beside the program", { "/opt/lw/lapwing", "/x", "/home/u", true, false },
            "/opt/lw/lapwing.INI" },
        { "a writable program folder", { "/opt/lw/lapwing", "/x", "/home/u", false, true },
            "/opt/lw/lapwing.INI" },
        { "the extension is replaced", { "/opt/lw/Lapwing.exe", "", "/home/u", false, true },
            "/opt/lw/Lapwing.INI" },
        { "XDG_CONFIG_HOME", { "/usr/bin/lapwing", "/x/cfg", "/home/u", false, false },
            "/x/cfg/lapwing/lapwing.INI" },
        { "no XDG_CONFIG_HOME", { "/usr/bin/lapwing", "", "/home/u", false, false },
            "/home/u/.config/lapwing/lapwing.INI" },
        { "a relative XDG_CONFIG_HOME is ignored",
            { "/usr/bin/lapwing", "cfg", "/home/u", false, false },
            "/home/u/.config/lapwing/lapwing.INI" },
        { "the program's own name", { "/usr/bin/lapwing-dev", "", "/home/u", false, false },
            "/home/u/.config/lapwing/lapwing-dev.INI" },
        { "no home at all", { "/usr/bin/lapwing", "", "", false, false }, "/usr/bin/lapwing.INI" },
        { "unknown program path", { "", "", "/home/u", false, false },
            "/home/u/.config/lapwing/lapwing.INI" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(points::SettingsFilePath(c.inputs), c.expected);
    }
}

TEST(SettingsFilePath, ThisProcessKeepsItBesideItselfInAWritableFolder)
{
    const fs::path program = fs::read_symlink("/proc/self/exe");
    if (::access(program.parent_path().c_str(), W_OK) != 0)
        GTEST_SKIP() << "the test's folder is not writable";
    fs::path expected = program;
    expected.replace_extension(".INI");
    EXPECT_EQ(points::SettingsFilePath(), expected);
}

class SettingsFileIo : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("lapwing-points-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path m_dir;
};

TEST_F(SettingsFileIo, WritesWholeFilesAndCreatesTheFolder)
{
    const fs::path path = m_dir / "config" / "lapwing" / "lapwing.INI";
    const std::string bytes = std::string("[Ochki]\r\nTablesCount=0\r\n") + '\0' + "\xC0";
    EXPECT_TRUE(points::WriteSettingsFile(path, bytes).Ok());
    EXPECT_EQ(points::ReadSettingsFile(path).Value(), bytes);
    EXPECT_TRUE(points::WriteSettingsFile(path, "x=1\n").Ok());
    EXPECT_EQ(points::ReadSettingsFile(path).Value(), "x=1\n");
}

TEST_F(SettingsFileIo, AFailedWriteNamesThePathAndKeepsWhatWasThere)
{
    const fs::path notAFolder = m_dir / "plain";
    std::ofstream(notAFolder) << "kept";
    const fs::path path = notAFolder / "lapwing.INI";
    const engine::Status written = points::WriteSettingsFile(path, "x");
    ASSERT_FALSE(written.Ok());
    EXPECT_TRUE(written.Error().Reason.starts_with("Unable to write to " + path.string() + ": "))
        << written.Error().Reason;
    EXPECT_EQ(points::ReadSettingsFile(notAFolder).Value(), "kept");

    const fs::path folder = m_dir / "folder.INI";
    fs::create_directories(folder / "inside");
    EXPECT_FALSE(points::WriteSettingsFile(folder, "x").Ok());
    EXPECT_TRUE(fs::is_directory(folder / "inside"));
}

TEST_F(SettingsFileIo, AMissingOrUnreadableFileGivesNothing)
{
    const auto missing = points::ReadSettingsFile(m_dir / "missing.INI");
    ASSERT_FALSE(missing.Ok());
    EXPECT_EQ(missing.Error().Reason, "No such file or directory");
    const auto folder = points::ReadSettingsFile(m_dir);
    ASSERT_FALSE(folder.Ok());
    EXPECT_EQ(folder.Error().Reason, "Is a directory");
}

} // namespace
