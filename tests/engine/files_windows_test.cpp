// Reading and saving files on Windows: UTF-16 names, the temporary file moved over the target.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <random>

#include <windows.h>

#include "engine/file_reading.h"
#include "engine/paths.h"
#include "engine/save.h"

namespace {

namespace fs = std::filesystem;
using namespace engine;

class WindowsFiles : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path()
            / ("lapwing-files-" + std::to_string(std::random_device()()));
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        std::error_code ignored;
        for (const fs::directory_entry &entry : fs::directory_iterator(m_dir, ignored))
            fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
        fs::remove_all(m_dir, ignored);
    }

    static void Write(const fs::path &path, std::string_view bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const fs::path &path)
    {
        std::ifstream in(path, std::ios::binary);
        return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const fs::directory_entry &entry : fs::directory_iterator(m_dir))
            names.push_back(PathText(entry.path().filename()));
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_dir;
};

TEST_F(WindowsFiles, ACyrillicNameIsReplacedWholeAndReadBack)
{
    const std::string name = "вынікі М21.htm";
    const fs::path path = m_dir / Utf8Path(name);
    Write(path, std::string(100000, 'x'));
    const std::vector<ProtocolLine> lines { "<pre>", std::string("\xC0\n\0x", 4), "" };
    ASSERT_TRUE(SaveProtocol(path, lines).Ok());
    const Result<std::string> read = ReadWholeFile(path, MaxProtocolBytes);
    ASSERT_TRUE(read.Ok()) << read.Error().Reason;
    EXPECT_EQ(read.Value(), std::string("<pre>\r\n\xC0\n\0x\r\n\r\n", 15));
    EXPECT_EQ(Names(), std::vector<std::string> { name }) << "no temporary file may stay";
}

TEST_F(WindowsFiles, EachKindOfTarget)
{
    fs::create_directory(m_dir / "folder.htm");
    const fs::path readOnly = m_dir / "read-only.htm";
    Write(readOnly, "kept");
    fs::permissions(readOnly, fs::perms::owner_write, fs::perm_options::remove);
    struct Case
    {
        const char *name;
        fs::path path;
        std::string reason; // its start
    };
    const Case cases[] = {
        { "no name", {}, "no file name given" },
        { "a folder", m_dir / "folder.htm", "Is a directory" },
        { "a read-only file", readOnly, "Permission denied" },
        { "a missing folder", m_dir / "missing" / "out.htm",
            "cannot create a file in " + PathText(m_dir / "missing") },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Status saved = WriteFileAtomically(c.path, "new");
        ASSERT_FALSE(saved.Ok());
        EXPECT_TRUE(saved.Error().Reason.starts_with(c.reason)) << saved.Error().Reason;
    }
    EXPECT_EQ(Read(readOnly), "kept");
    EXPECT_EQ(Names(), (std::vector<std::string> { "folder.htm", "read-only.htm" }));
}

TEST_F(WindowsFiles, AnUncommittedSaveLeavesTheFileAsItWas)
{
    const fs::path path = m_dir / "out.htm";
    Write(path, "earlier");
    {
        AtomicFileWriter writer(path);
        ASSERT_TRUE(writer.Open().Ok());
        EXPECT_TRUE(fs::exists(Utf8Path(writer.TemporaryPath())));
        writer.WriteLine("half");
    }
    EXPECT_EQ(Read(path), "earlier");
    EXPECT_EQ(Names(), std::vector<std::string> { "out.htm" });
}

TEST_F(WindowsFiles, StaleTemporaryFilesAreRemovedUnlessOpen)
{
    const fs::path path = m_dir / "out.htm";
    std::string prefix;
    {
        AtomicFileWriter probe(path);
        ASSERT_TRUE(probe.Open().Ok());
        prefix = PathText(Utf8Path(probe.TemporaryPath()).filename());
        prefix.resize(prefix.size() - 6);
    }
    const auto make = [&](const std::string &suffix, bool old) {
        Write(m_dir / (prefix + suffix), "t");
        if (old)
            fs::last_write_time(m_dir / (prefix + suffix),
                fs::file_time_type::clock::now() - std::chrono::hours(1));
    };
    make("AAAAAA", true);
    make("BBBBBB", false); // left a moment ago by a run that was killed: a save holds its own
    make("CCCCCC", true);
    std::ifstream held(m_dir / (prefix + "CCCCCC")); // a live save
    Write(m_dir / ".lapwing-other", "not ours");

    ASSERT_TRUE(SaveProtocol(path, { "x" }).Ok());
    EXPECT_EQ(
        Names(), (std::vector<std::string> { prefix + "CCCCCC", ".lapwing-other", "out.htm" }));
}

TEST_F(WindowsFiles, DevicesAreWrittenDirectly)
{
    for (const char *device : { "NUL", "nul", "\\\\.\\NUL" }) {
        SCOPED_TRACE(device);
        const Status saved = WriteFileAtomically(Utf8Path(device), "new");
        EXPECT_TRUE(saved.Ok()) << saved.Error().Reason;
    }
    const fs::path folder = fs::current_path();
    for (const fs::directory_entry &entry : fs::directory_iterator(folder))
        EXPECT_FALSE(PathText(entry.path().filename()).starts_with(".lapwing-"))
            << "a temporary file was made for a device";
}

TEST_F(WindowsFiles, AFileHeldByAnotherProgramIsSaidToBeInUse)
{
    const fs::path path = m_dir / "held.htm";
    Write(path, "kept");
    // As a spreadsheet holds the file it shows: others may read it, not replace it.
    const HANDLE held = ::CreateFileW(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    AtomicFileWriter writer(path);
    const Status opened = writer.Open();
    ::CloseHandle(held);
    ASSERT_FALSE(opened.Ok());
    EXPECT_EQ(opened.Error(),
        (Failure { 0, "the file is in use by another program (sharing violation)" }));
    EXPECT_EQ(Read(path), "kept");
    EXPECT_EQ(Names(), std::vector<std::string> { "held.htm" });
}

TEST_F(WindowsFiles, AFileTakenByAnotherProgramWhileSavingIsSaidToBeInUseWithoutALine)
{
    const fs::path path = m_dir / "held.htm";
    Write(path, "kept");
    AtomicFileWriter writer(path);
    ASSERT_TRUE(writer.Open().Ok());
    writer.WriteLine("first");
    writer.WriteLine("second");
    const HANDLE held = ::CreateFileW(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const Status committed = writer.Commit();
    ::CloseHandle(held);
    ASSERT_FALSE(committed.Ok());
    EXPECT_EQ(committed.Error(),
        (Failure { 0, "the file is in use by another program (sharing violation)" }));
    EXPECT_EQ(Read(path), "kept");
}

TEST_F(WindowsFiles, ReadingFailuresSayWhy)
{
    const fs::path large = m_dir / "large.INI";
    Write(large, "");
    fs::resize_file(large, MaxSettingsBytes + 1);
    struct Case
    {
        const char *name;
        fs::path path;
        std::string reason;
    };
    const Case cases[] = {
        { "missing", m_dir / "missing.htm", "No such file or directory" },
        { "a folder", m_dir, "Is a directory" },
        { "a device", "NUL", "not a regular file (a FIFO, device or socket)" },
        { "above the limit", large, "the file is larger than the limit of 64 MiB" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Result<std::string> read = ReadWholeFile(c.path, MaxSettingsBytes);
        ASSERT_FALSE(read.Ok());
        EXPECT_EQ(read.Error().Reason, c.reason);
    }
}

} // namespace
