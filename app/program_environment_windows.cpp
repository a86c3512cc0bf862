#include <windows.h>
// After windows.h:
#include <knownfolders.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>

#include "app/program_environment.h"
#include "io/file_io_system.h"

namespace tolarka {

namespace fs = std::filesystem;

std::string Environment(const char* name) {
    // Through UTF-16, so that a user folder with diacritics arrives whole.
    const std::wstring wide = fs::path(name).wstring();
    const wchar_t* value = ::_wgetenv(wide.c_str());
    return value ? file_system::Utf8String(fs::path(value)) : std::string();
}

fs::path ProgramDirectory(const char*) {
    const fs::path dir = file_system::ProgramFolder();
    return dir.empty() ? fs::current_path() : dir;
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

bool KeepsFilesInProgramFolder() { return false; }

void PrintToUser(const std::string& text) {
    // A windowed program gets a standard output only when it is redirected (to a file, a pipe);
    // otherwise it borrows the console of the command line it was started from, if any.
    HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) {
        if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;  // started from Explorer: no reader
        out = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
        if (out == INVALID_HANDLE_VALUE) return;
    }
    DWORD written = 0;
    DWORD mode = 0;
    if (::GetConsoleMode(out, &mode)) {
        // A console shows UTF-16 whatever its code page, so Czech letters come out right.
        const int n =
            ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring wide(static_cast<size_t>(n), L'\0');
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
        ::WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        ::WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

}  // namespace tolarka
