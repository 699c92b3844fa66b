// The Windows batch tool's version resource and manifest, as Windows reads them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

#include "engine/paths.h"

namespace {

const std::wstring Program = engine::Utf8Path(LAPWING_CLI).wstring();

std::wstring VersionText(const std::vector<char> &info, const wchar_t *name)
{
    void *value = nullptr;
    UINT size = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!::VerQueryValueW(info.data(), key.c_str(), &value, &size) || size == 0)
        return {};
    return static_cast<const wchar_t *>(value);
}

TEST(WindowsResources, TheVersionIsTheProjects)
{
    std::vector<char> info(::GetFileVersionInfoSizeW(Program.c_str(), nullptr));
    ASSERT_FALSE(info.empty()) << "no version resource";
    ASSERT_TRUE(
        ::GetFileVersionInfoW(Program.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    const std::wstring version = engine::Utf8Path(LAPWING_VERSION).wstring();
    EXPECT_EQ(VersionText(info, L"ProductVersion"), version);
    EXPECT_EQ(VersionText(info, L"FileVersion"), version);
    EXPECT_EQ(VersionText(info, L"ProductName"), L"Lapwing");
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void **>(&fixed), &size));
    const std::wstring numbers = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"."
        + std::to_wstring(LOWORD(fixed->dwFileVersionMS));
    EXPECT_EQ(numbers, version);
}

TEST(WindowsResources, TheManifestAsksForUtf8AndLongPaths)
{
    const HMODULE module = ::LoadLibraryExW(Program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr) << "no manifest";
    const std::string manifest(
        static_cast<const char *>(::LockResource(::LoadResource(module, found))),
        ::SizeofResource(module, found));
    ::FreeLibrary(module);
    EXPECT_NE(manifest.find(">UTF-8</activeCodePage>"), std::string::npos);
    EXPECT_NE(manifest.find(">true</longPathAware>"), std::string::npos);
}

} // namespace
