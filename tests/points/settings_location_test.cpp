#include <fstream>

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/support/platform.h"

#include "points/points_tables.h"
#include "points/settings_file.h"
#include "engine/file_reading.h"
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
    // Absolute paths: Windows needs a drive for one.
    const std::string R = fs::path("/x").is_absolute() ? "" : "C:";
    const Case cases[] = {
        { "a file beside the program",
            { R + "/opt/lw/lapwing", R + "/x", R + "/home/u", true, false },
            R + "/opt/lw/lapwing.INI" },
        { "a writable program folder",
            { R + "/opt/lw/lapwing", R + "/x", R + "/home/u", false, true },
            R + "/opt/lw/lapwing.INI" },
        { "the extension is replaced",
            { R + "/opt/lw/Lapwing.exe", "", R + "/home/u", false, true },
            R + "/opt/lw/Lapwing.INI" },
        { "XDG_CONFIG_HOME", { R + "/usr/bin/lapwing", R + "/x/cfg", R + "/home/u", false, false },
            R + "/x/cfg/lapwing/lapwing.INI" },
        { "no XDG_CONFIG_HOME", { R + "/usr/bin/lapwing", "", R + "/home/u", false, false },
            R + "/home/u/.config/lapwing/lapwing.INI" },
        { "a relative XDG_CONFIG_HOME is ignored",
            { R + "/usr/bin/lapwing", "cfg", R + "/home/u", false, false },
            R + "/home/u/.config/lapwing/lapwing.INI" },
        { "the program's own name", { R + "/usr/bin/lapwing-dev", "", R + "/home/u", false, false },
            R + "/home/u/.config/lapwing/lapwing-dev.INI" },
        { "no home at all", { R + "/usr/bin/lapwing", "", "", false, false },
            R + "/usr/bin/lapwing.INI" },
        { "unknown program path", { "", "", R + "/home/u", false, false },
            R + "/home/u/.config/lapwing/lapwing.INI" },
        // run by root, or by an administrator: the system's folder is not for settings
        { "installed in a writable folder",
            { R + "/usr/bin/lapwing", "", R + "/root", false, true, true },
            R + "/root/.config/lapwing/lapwing.INI" },
        { "installed with a portable file beside it",
            { R + "/usr/bin/lapwing", "", R + "/root", true, true, true },
            R + "/usr/bin/lapwing.INI" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(points::SettingsFilePath(c.inputs), c.expected);
    }
}

TEST(SettingsFilePath, ThisProcessKeepsItBesideItselfInAWritableFolder)
{
    const fs::path program = testsupport::ProgramPath();
    if (!testsupport::FolderWritable(program.parent_path()))
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

namespace {

// Whether closing may write over the settings file, for each way loading can find it.
TEST_F(SettingsFileIo, WhatCouldNotBeReadIsNeverWrittenOver)
{
    namespace fs = std::filesystem;
    const auto file = [&](const std::string &name, std::string_view bytes) {
        std::ofstream(m_dir / name, std::ios::binary) << bytes;
        return m_dir / name;
    };
    const std::string rows = "1=25;20;\n2=18;16;\n";
    const fs::path huge = file("huge.INI", "");
    fs::resize_file(huge, engine::MaxSettingsBytes + 1); // sparse
    struct Case
    {
        const char *name;
        fs::path path;
        points::OverwriteRule rule;
        std::string_view why; // a part of the text
    };
    const Case cases[] = {
        { "missing", m_dir / "missing.INI", points::OverwriteRule::Free, "" },
        { "read whole", file("good.INI", "[Ochki]\nTablesCount=2\nPlacesCount=2\n" + rows),
            points::OverwriteRule::Free, "" },
        { "a bad count without rows loses nothing", file("empty.INI", "[Ochki]\nTablesCount=two\n"),
            points::OverwriteRule::Free, "" },
        { "a count that is not a number",
            file("two.INI", "[Ochki]\nTablesCount=two\nPlacesCount=2\n" + rows),
            points::OverwriteRule::AskFirst,
            "two.INI:2: TablesCount \"two\" is not a number; read as 0. Saving would drop the 2 "
            "rows" },
        { "a count above the limit",
            file("many.INI", "[Ochki]\nTablesCount=2\nPlacesCount=200000\n" + rows),
            points::OverwriteRule::AskFirst,
            "many.INI:3: PlacesCount \"200000\" is above the limit" },
        { "a folder",
            fs::create_directories(m_dir / "folder.INI") ? m_dir / "folder.INI" : fs::path(),
            points::OverwriteRule::Never, "folder.INI: could not be read: Is a directory" },
        { "UTF-16", file("wide.INI", std::string("\xFF\xFE[\0O\0", 6)),
            points::OverwriteRule::Never,
            "wide.INI:1: could not be read: the file is UTF-16 text, not Windows-1251" },
        { "too large", huge, points::OverwriteRule::Never, "larger than the limit of 64 MiB" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto read = points::ReadSettingsFile(c.path);
        const auto loaded = points::LoadPointsTables(read ? read.Value() : std::string());
        const points::SettingsOverwrite overwrite = points::OverwriteRuleFor(c.path, read, loaded);
        EXPECT_EQ(overwrite.Rule, c.rule);
        EXPECT_NE(overwrite.Why.find(c.why), std::string::npos) << overwrite.Why;
    }
    if (testsupport::PermissionsDenyReading()) {
        const fs::path locked = file("locked.INI", "[Ochki]\nTablesCount=1\n");
        fs::permissions(locked, fs::perms::none);
        const auto read = points::ReadSettingsFile(locked);
        EXPECT_EQ(points::OverwriteRuleFor(locked, read, points::LoadPointsTables("")).Rule,
            points::OverwriteRule::Never);
    }
}

} // namespace
