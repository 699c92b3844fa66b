// Saving on a full disk and into a read-only folder: the save fails and the earlier file stays
// byte for byte.
#include <gtest/gtest.h>

#include "engine/save.h"
#include "tests/support/small_disk.h"

namespace {

using testsupport::SmallDisk;

const std::string Earlier = "earlier protocol\r\n";

std::vector<engine::ProtocolLine> LargeProtocol()
{
    return std::vector<engine::ProtocolLine>(2000, std::string(100, 'x'));
}

TEST(SaveFaults, FullDiskKeepsTheEarlierFile)
{
    SmallDisk disk(64);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.WhyNot();
    const auto path = disk.Path() / "out.htm";
    SmallDisk::WriteFile(path, Earlier);
    disk.Fill();

    const engine::Status result = engine::SaveProtocol(path, LargeProtocol());
    EXPECT_FALSE(result.Ok());
    EXPECT_NE(result.Error().Reason.find("No space"), std::string::npos) << result.Error().Reason;
    EXPECT_EQ(SmallDisk::ReadFile(path), Earlier);
    EXPECT_FALSE(engine::WriteFileAtomically(path, std::string(200000, 'y')).Ok());
    EXPECT_EQ(SmallDisk::ReadFile(path), Earlier);
    // Nothing but the earlier file and the filler is left behind.
    std::size_t files = 0;
    for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator(disk.Path()))
        ++files;
    EXPECT_EQ(files, 2u);
}

TEST(SaveFaults, AFullDiskDuringALargeSaveIsReported)
{
    // Past 8 MiB the file is synced on a thread while it is written: the disk filling up then
    // still fails the save, and the earlier file stays.
    SmallDisk disk(12 << 10);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.WhyNot();
    const auto path = disk.Path() / "out.htm";
    SmallDisk::WriteFile(path, Earlier);
    engine::AtomicFileWriter writer(path);
    ASSERT_TRUE(writer.Open().Ok());
    const std::string block(1 << 20, 'x');
    for (int i = 0; i < 16; ++i)
        writer.Write(block, 1);
    const engine::Status result = writer.Commit();
    EXPECT_FALSE(result.Ok());
    EXPECT_NE(result.Error().Reason.find("No space"), std::string::npos) << result.Error().Reason;
    EXPECT_EQ(SmallDisk::ReadFile(path), Earlier);
}

TEST(SaveFaults, ReadOnlyFolderKeepsTheEarlierFile)
{
    SmallDisk disk(64);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.WhyNot();
    const auto path = disk.Path() / "out.htm";
    SmallDisk::WriteFile(path, Earlier);
    ASSERT_TRUE(disk.MakeReadOnly());

    const engine::Status result = engine::SaveProtocol(path, { "new" });
    EXPECT_FALSE(result.Ok());
    EXPECT_NE(result.Error().Reason.find("Read-only"), std::string::npos) << result.Error().Reason;
    EXPECT_EQ(SmallDisk::ReadFile(path), Earlier);
}

} // namespace
