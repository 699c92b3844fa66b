// Where the settings file lives on Windows: beside the program when its folder is writable (a
// copy run from a USB stick keeps its tables with it) and it is not under Program Files, else
// in %APPDATA%\lapwing.
#include "points/settings_location.h"

#include <string>

#include <windows.h>

#include "engine/paths.h"

namespace points {

namespace {

    std::filesystem::path ProgramPath()
    {
        std::wstring path(MAX_PATH, L'\0');
        for (;;) {
            const DWORD size
                = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
            if (size == 0)
                return {};
            if (size < path.size()) {
                path.resize(size);
                return path;
            }
            path.resize(path.size() * 2); // cut to the buffer: try a larger one
        }
    }

    // Access checks on Windows see only the read-only attribute, not the folder's permissions
    // (C:\Program Files passes them): so a file is made there, and deleted on closing.
    bool FolderWritable(const std::filesystem::path &folder)
    {
        const HANDLE probe = ::CreateFileW((folder / L".lapwing-write-test").c_str(), GENERIC_WRITE,
            0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (probe == INVALID_HANDLE_VALUE)
            return false;
        ::CloseHandle(probe);
        return true;
    }

    // Installed under Program Files, whose folder an administrator may write: not for settings.
    bool UnderProgramFiles(const std::filesystem::path &program)
    {
        const std::wstring path = program.lexically_normal().wstring();
        for (const wchar_t *name : { L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432" }) {
            const wchar_t *value = ::_wgetenv(name);
            if (value == nullptr || *value == L'\0')
                continue;
            std::wstring folder = std::filesystem::path(value).lexically_normal().wstring();
            if (!folder.empty() && folder.back() != L'\\')
                folder += L'\\';
            if (path.size() > folder.size()
                && ::_wcsnicmp(path.c_str(), folder.c_str(), folder.size()) == 0)
                return true;
        }
        return false;
    }

} // namespace

std::filesystem::path SettingsFilePath()
{
    SettingsLocationInputs inputs;
    inputs.ProgramPath = ProgramPath();
    if (const wchar_t *value = ::_wgetenv(L"APPDATA"))
        inputs.ConfigHome = value;
    if (!inputs.ProgramPath.empty()) {
        std::filesystem::path beside = inputs.ProgramPath;
        beside.replace_extension(".INI");
        std::error_code error;
        inputs.BesideProgramExists = std::filesystem::exists(beside, error);
        inputs.Installed = UnderProgramFiles(inputs.ProgramPath);
        inputs.ProgramFolderWritable
            = !inputs.Installed && FolderWritable(inputs.ProgramPath.parent_path());
    }
    return SettingsFilePath(inputs);
}

} // namespace points
