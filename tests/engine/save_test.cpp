// Saving: every line followed by CR LF, bytes as they are, and never a half-written file.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>
#include <csignal>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <cstring>

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

TEST_F(SaveTest, ALargeFileInBlocksAndLinesIsWhole)
{
    // Blocks of a MiB go straight to the file, lines through the buffer, and from 8 MiB on a
    // thread syncs the file as it grows: the bytes come out whole and in order, whatever room
    // was set aside for them, and the room past them is given back.
    for (const long long reserved : { 0LL, 9LL << 20, 48LL << 20 }) {
        SCOPED_TRACE(reserved);
        const auto path = m_dir / "out.htm";
        AtomicFileWriter writer(path);
        ASSERT_TRUE(writer.Open().Ok());
        writer.Reserve(reserved);
        std::string expected;
        for (int i = 0; i < 24; ++i) {
            const std::string block(1 << 20, static_cast<char>('a' + i));
            ASSERT_TRUE(writer.Write(block, 1));
            const std::string line = "line " + std::to_string(i);
            ASSERT_TRUE(writer.WriteLine(line));
            expected += block + line + "\r\n";
        }
        ASSERT_TRUE(writer.Commit().Ok());
        EXPECT_EQ(Read(path), expected);
        struct stat info = {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_LE(static_cast<long long>(info.st_blocks) * 512, (25LL << 20));
        EXPECT_EQ(FilesIn(), 1u);
    }
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

TEST_F(SaveTest, AFolderIsNotReplaced)
{
    const auto folder = m_dir / "folder.htm";
    std::filesystem::create_directory(folder);
    const Status failed = SaveProtocol(folder, { "x" });
    ASSERT_FALSE(failed.Ok());
    EXPECT_EQ(failed.Error().Reason, "Is a directory");
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

// What saving does to each kind of target. Some rows need root (to give a file away), some an
// ordinary user (permissions do not stop root); each runs where it can.
TEST_F(SaveTest, EachKindOfTarget)
{
    namespace fs = std::filesystem;
    const bool root = ::geteuid() == 0;
    const std::vector<ProtocolLine> lines { "new" };
    const std::string saved = "new\r\n";
    const auto folder = [&](const std::string &name) {
        fs::create_directory(m_dir / name);
        return m_dir / name;
    };

    { // a FIFO with a reader gets the bytes and stays a FIFO
        const auto fifo = m_dir / "fifo";
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(reader, 0);
        EXPECT_TRUE(SaveProtocol(fifo, lines).Ok());
        char got[16] {};
        EXPECT_EQ(::read(reader, got, sizeof got), static_cast<ssize_t>(saved.size()));
        EXPECT_EQ(std::string(got), saved);
        ::close(reader);
        EXPECT_TRUE(fs::is_fifo(fifo));
        // nobody reading: refused at once, not waited for
        const Status refused = SaveProtocol(fifo, lines);
        ASSERT_FALSE(refused.Ok());
        EXPECT_NE(refused.Error().Reason.find("no process reads"), std::string::npos);
        EXPECT_TRUE(fs::is_fifo(fifo));
    }
    { // a device is written, never replaced
        EXPECT_TRUE(SaveProtocol("/dev/null", lines).Ok());
        EXPECT_TRUE(fs::is_character_file("/dev/null"));
    }
    { // a dangling link: its target is made, the link stays
        const auto link = m_dir / "dangling.htm";
        fs::create_symlink("made.htm", link);
        ASSERT_TRUE(SaveProtocol(link, lines).Ok());
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(Read(m_dir / "made.htm"), saved);
    }
    { // a loop of links is refused
        fs::create_symlink("loop-b", m_dir / "loop-a");
        fs::create_symlink("loop-a", m_dir / "loop-b");
        const Status refused = SaveProtocol(m_dir / "loop-a", lines);
        ASSERT_FALSE(refused.Ok());
        EXPECT_NE(refused.Error().Reason.find("loop"), std::string::npos);
        EXPECT_TRUE(fs::is_symlink(m_dir / "loop-a"));
    }
    { // a hard link: the saved name gets a new file, the other keeps the old content
        Write(m_dir / "first.htm", "old");
        fs::create_hard_link(m_dir / "first.htm", m_dir / "second.htm");
        ASSERT_TRUE(SaveProtocol(m_dir / "first.htm", lines).Ok());
        EXPECT_EQ(Read(m_dir / "first.htm"), saved);
        EXPECT_EQ(Read(m_dir / "second.htm"), "old");
    }
    { // a name as long as the system allows: the temporary name does not grow with it
        const auto path = m_dir / std::string(255, 'n');
        ASSERT_TRUE(SaveProtocol(path, lines).Ok());
        EXPECT_EQ(Read(path), saved);
    }
    { // a missing folder is named
        const Status failed = SaveProtocol(m_dir / "no" / "out.htm", lines);
        ASSERT_FALSE(failed.Ok());
        EXPECT_EQ(failed.Error().Reason,
            "cannot create a file in " + (m_dir / "no").string() + ": No such file or directory");
    }
    if (root) { // owner and group are kept
        const auto path = m_dir / "theirs.htm";
        Write(path, "old");
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
        ASSERT_TRUE(SaveProtocol(path, lines).Ok());
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, 65534u);
        EXPECT_EQ(info.st_gid, 65534u);
    } else {
        // a file the user may not write is not replaced, though its folder is writable
        const auto path = m_dir / "read-only.htm";
        Write(path, "old");
        ::chmod(path.c_str(), 0444);
        const Status refused = SaveProtocol(path, lines);
        ASSERT_FALSE(refused.Ok());
        EXPECT_EQ(refused.Error().Reason, "Permission denied");
        EXPECT_EQ(Read(path), "old");
        // a writable file in a read-only folder is written in place
        const auto locked = folder("locked");
        Write(locked / "out.htm", "a longer earlier content");
        ::chmod(locked.c_str(), 0555);
        EXPECT_TRUE(SaveProtocol(locked / "out.htm", lines).Ok());
        EXPECT_EQ(Read(locked / "out.htm"), saved);
        // a new file there cannot be made, and the folder is named
        const Status refusedNew = SaveProtocol(locked / "new.htm", lines);
        ASSERT_FALSE(refusedNew.Ok());
        EXPECT_EQ(refusedNew.Error().Reason,
            "cannot create a file in " + locked.string() + ": Permission denied");
        ::chmod(locked.c_str(), 0755);
    }
}

TEST_F(SaveTest, StaleTemporaryFilesOfTheTargetAreRemoved)
{
    const auto path = m_dir / "out.htm";
    std::string prefix;
    {
        AtomicFileWriter probe(path);
        ASSERT_TRUE(probe.Open().Ok());
        prefix = probe.TemporaryPath().substr(0, probe.TemporaryPath().size() - 6);
    }
    const auto make = [&](const std::string &suffix, bool old) {
        const std::string name = prefix + suffix;
        Write(name, std::string(1000, 't'));
        if (old) {
            const timeval past[2] = { { 1000000000, 0 }, { 1000000000, 0 } };
            ::utimes(name.c_str(), past);
        }
        return name;
    };
    const std::string stale = make("AAAAAA", true);
    const std::string young = make("BBBBBB", false); // killed a moment ago: no age waited for
    const std::string held = make("CCCCCC", true);
    const int holder = ::open(held.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0); // a live save
    Write(m_dir / ".lapwing-other", "not ours");

    ASSERT_TRUE(SaveProtocol(path, { "x" }).Ok());
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_FALSE(std::filesystem::exists(young));
    EXPECT_TRUE(std::filesystem::exists(held));
    EXPECT_TRUE(std::filesystem::exists(m_dir / ".lapwing-other"));
    ::close(holder);
}

// Two processes save into one writable file of a read-only folder: the second is refused while
// the first writes, and the file ends as the first wrote it.
TEST_F(SaveTest, ASecondInPlaceSaveMeanwhileIsRefused)
{
    namespace fs = std::filesystem;
    const bool root = ::geteuid() == 0;
    const fs::path folder = m_dir / "locked";
    const fs::path out = folder / "out.htm";
    fs::create_directory(folder);
    Write(out, "earlier");
    if (root) { // a read-only folder does not stop root: the saves run as nobody
        ASSERT_EQ(::chmod(m_dir.c_str(), 0711), 0);
        ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chown(out.c_str(), 65534, 65534), 0);
    }
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    const auto save = [&](auto &&inChild) {
        const pid_t child = ::fork();
        if (child == 0) {
            if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(2);
            ::_exit(inChild() ? 0 : 1);
        }
        return child;
    };
    int opened[2];
    int commit[2];
    ASSERT_EQ(::pipe(opened), 0);
    ASSERT_EQ(::pipe(commit), 0);
    const pid_t first = save([&] {
        AtomicFileWriter writer(out);
        const bool ok = writer.Open().Ok() && writer.WriteLine("first");
        char c = 'o';
        if (::write(opened[1], &c, 1) != 1 || ::read(commit[0], &c, 1) != 1)
            return false;
        return ok && writer.Commit().Ok();
    });
    ASSERT_GT(first, 0);
    char c = 0;
    ASSERT_EQ(::read(opened[0], &c, 1), 1);
    const pid_t second = save([&] {
        AtomicFileWriter writer(out);
        const Status refused = writer.Open();
        return !refused.Ok()
            && refused.Error().Reason
            == "another save is writing this file now; try again when it has finished";
    });
    int status = -1;
    ASSERT_EQ(::waitpid(second, &status, 0), second);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the second save was not refused";
    ASSERT_EQ(::write(commit[1], &c, 1), 1);
    ASSERT_EQ(::waitpid(first, &status, 0), first);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the first save failed";
    EXPECT_EQ(Read(out), "first\r\n");
    for (const int fd : { opened[0], opened[1], commit[0], commit[1] })
        ::close(fd);
    ::chmod(folder.c_str(), 0755);
}

// What a refusal says is what the target is: a long chain of links is no loop, a socket no FIFO.
TEST_F(SaveTest, RefusalsSayWhatTheTargetIs)
{
    namespace fs = std::filesystem;
    const std::vector<ProtocolLine> lines { "new" };
    const auto chain = [&](const std::string &name, int links) {
        for (int i = 0; i < links; ++i)
            fs::create_symlink(name + std::to_string(i + 1), m_dir / (name + std::to_string(i)));
        return m_dir / (name + "0");
    };
    EXPECT_TRUE(SaveProtocol(chain("ok", 40), lines).Ok()); // as far as the system follows
    EXPECT_EQ(Read(m_dir / "ok40"), "new\r\n");
    Write(m_dir / "long41", "old");
    const Status tooLong = SaveProtocol(chain("long", 41), lines);
    ASSERT_FALSE(tooLong.Ok());
    EXPECT_EQ(tooLong.Error().Reason,
        "more than 40 links lead to the file (Too many levels of symbolic links)");
    const Status dangling = SaveProtocol(chain("dangling", 41), lines);
    ASSERT_FALSE(dangling.Ok());
    EXPECT_EQ(dangling.Error().Reason, tooLong.Error().Reason);
    fs::create_symlink("loop0", m_dir / "loop1");
    fs::create_symlink("loop1", m_dir / "loop0");
    const Status loop = SaveProtocol(m_dir / "loop0", lines);
    ASSERT_FALSE(loop.Ok());
    EXPECT_EQ(
        loop.Error().Reason, "the links go round in a loop (Too many levels of symbolic links)");

    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (m_dir / "socket").string();
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    ASSERT_EQ(::bind(server, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    const Status socket = SaveProtocol(socketPath, lines);
    ASSERT_FALSE(socket.Ok());
    EXPECT_EQ(socket.Error().Reason, "a socket, not a file");
    ::close(server);
}

TEST_F(SaveTest, AFileTooLargeForTheSystemIsReportedAndNothingIsLeft)
{
    // A limit on the size of files cuts a large save short past 12 MiB, after the file began
    // to be synced on its own thread: the reason is the system's, and no file is left.
    const auto path = m_dir / "out.htm";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit { (12 << 20) + 12345, (12 << 20) + 12345 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        bool reported = false;
        {
            AtomicFileWriter writer(path);
            const std::string block((1 << 20) + 5, 'x');
            for (int i = 0; i < 16; ++i)
                writer.Write(block);
            const Status saved = writer.Commit();
            reported = !saved.Ok() && saved.Error().Reason == std::strerror(EFBIG);
        }
        ::_exit(reported ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(FilesIn(), 0u);
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
