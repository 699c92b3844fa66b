// A tiny file system mounted for a test, to make writes fail for real: full, or read-only.
// Mounting needs root; without it the test is skipped with the reason.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <sys/mount.h>
#include <unistd.h>

namespace testsupport {

class SmallDisk
{
public:
    // A tmpfs of `kib` KiB at a new folder under /tmp.
    explicit SmallDisk(int kib = 64)
    {
        char pattern[] = "/tmp/lapwing-disk-XXXXXX";
        if (!::mkdtemp(pattern)) {
            m_why = "cannot make a folder in /tmp";
            return;
        }
        m_path = pattern;
        const std::string options = "size=" + std::to_string(kib) + "k,mode=0777";
        if (::geteuid() != 0) {
            m_why = "mounting a small file system needs root";
        } else if (::mount("tmpfs", m_path.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            m_why = "mounting a tmpfs was refused here";
        } else {
            m_mounted = true;
        }
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(m_path.c_str(), MNT_DETACH);
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool Mounted() const { return m_mounted; }
    const std::string &WhyNot() const { return m_why; }
    const std::filesystem::path &Path() const { return m_path; }

    // Fills the disk to the last byte with a file of its own.
    void Fill() const
    {
        std::FILE *file = std::fopen((m_path / "filler").c_str(), "wb");
        if (!file)
            return;
        const std::string block(4096, 'f');
        while (std::fwrite(block.data(), 1, block.size(), file) == block.size()) {
        }
        std::fclose(file);
    }

    bool MakeReadOnly() const
    {
        return ::mount("tmpfs", m_path.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

    static void WriteFile(const std::filesystem::path &path, std::string_view bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    static std::string ReadFile(const std::filesystem::path &path)
    {
        std::ifstream in(path, std::ios::binary);
        return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    }

private:
    std::filesystem::path m_path;
    std::string m_why;
    bool m_mounted = false;
};

} // namespace testsupport
