// Saving: every line followed by CR LF, bytes as they are, and never a half-written file.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/save.h"

namespace {

using namespace engine;

class SaveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/lapwing-save-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override
    {
        std::filesystem::permissions(m_dir, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(m_dir);
    }

    static std::string Read(const std::filesystem::path &path)
    {
        std::ifstream in(path, std::ios::binary);
        return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    }

    static void Write(const std::filesystem::path &path, std::string_view bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    std::size_t FilesIn() const
    {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(m_dir),
                                                      std::filesystem::directory_iterator()));
    }

    std::filesystem::path m_dir;
};

TEST_F(SaveTest, LinesEndWithCrLfAndBytesAreKept)
{
    const std::vector<ProtocolLine> lines { "<pre>", std::string("\xC0\x98\0x", 4), "", "end" };
    const auto path = m_dir / "out.htm";
    ASSERT_TRUE(SaveProtocol(path, lines).Ok());
    EXPECT_EQ(Read(path), std::string("<pre>\r\n\xC0\x98\0x\r\n\r\nend\r\n", 20));
    EXPECT_EQ(Read(path), ProtocolBytes(lines));
    EXPECT_EQ(FilesIn(), 1u) << "no temporary file may stay behind";
}

TEST_F(SaveTest, ReplacesAnExistingFileAndKeepsItsPermissions)
{
    const auto path = m_dir / "out.htm";
    Write(path, std::string(100000, 'x'));
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(SaveProtocol(path, { "short" }).Ok());
    EXPECT_EQ(Read(path), "short\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(SaveTest, LinkIsFollowed)
{
    const auto target = m_dir / "real.htm";
    const auto link = m_dir / "link.htm";
    Write(target, "old");
    std::filesystem::create_symlink(target, link);
    ASSERT_TRUE(SaveProtocol(link, { "new" }).Ok());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(Read(target), "new\r\n");
}

TEST_F(SaveTest, FailureLeavesTheEarlierFileUntouched)
{
    const auto missingFolder = m_dir / "no" / "such" / "out.htm";
    auto result = SaveProtocol(missingFolder, { "x" });
    EXPECT_FALSE(result.Ok());
    EXPECT_FALSE(result.Error().Reason.empty());

    const auto folder = m_dir / "folder.htm";
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(SaveProtocol(folder, { "x" }).Ok());
    EXPECT_TRUE(std::filesystem::is_directory(folder));

    if (::geteuid() == 0)
        GTEST_SKIP() << "a read-only folder does not stop root";
    const auto path = m_dir / "out.htm";
    Write(path, "earlier");
    std::filesystem::permissions(m_dir, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    result = SaveProtocol(path, { "x" });
    EXPECT_FALSE(result.Ok());
    EXPECT_EQ(Read(path), "earlier");
}

TEST_F(SaveTest, WriteFileAtomicallyWritesWholeBytes)
{
    const auto path = m_dir / "settings.INI";
    std::string bytes(3 << 20, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 31);
    ASSERT_TRUE(WriteFileAtomically(path, bytes).Ok());
    EXPECT_EQ(Read(path), bytes);
}

} // namespace
