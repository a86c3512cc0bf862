#include <windows.h>
// After windows.h:
#include <knownfolders.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>

#include "app/program_environment.h"

namespace tolarka {

namespace fs = std::filesystem;

std::string Environment(const char* name) {
    // Through UTF-16, so that a user folder with diacritics arrives whole.
    const std::wstring wide = fs::path(name).wstring();
    const wchar_t* value = ::_wgetenv(wide.c_str());
    if (!value) return {};
    const std::u8string utf8 = fs::path(value).u8string();
    return std::string(utf8.begin(), utf8.end());
}

fs::path ProgramDirectory(const char*) {
    std::wstring exe(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (n == 0) return fs::current_path();
        if (n < exe.size()) {
            exe.resize(n);
            break;
        }
        exe.resize(exe.size() * 2);
    }
    return fs::path(exe).parent_path();
}

// The roaming application data folder (%APPDATA%), where Windows programs keep what is the
// player's own.
fs::path PlayerDataDirectory() {
    PWSTR folder = nullptr;
    fs::path dir;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &folder)))
        dir = fs::path(folder) / L"Tolarka";
    ::CoTaskMemFree(folder);
    return dir;
}

// A Windows session always has its desktop.
std::string MissingDisplay() { return {}; }

}  // namespace tolarka
