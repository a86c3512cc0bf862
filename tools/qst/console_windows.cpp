#include <windows.h>

#include <cstdlib>
#include <iostream>
#include <streambuf>
#include <string>

#include "tools/qst/console.h"

namespace tolarka::qst {

namespace {

// Hands every piece of text written to it to a console as UTF-16. Unbuffered: each insertion
// arrives whole (a string's characters are never split between two writes).
class ConsoleBuffer : public std::streambuf {
public:
    explicit ConsoleBuffer(HANDLE console) : console_(console) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const char ch = traits_type::to_char_type(c);
        return Write(&ch, 1) ? c : traits_type::eof();
    }
    std::streamsize xsputn(const char* text, std::streamsize size) override {
        return Write(text, size) ? size : 0;
    }

private:
    bool Write(const char* text, std::streamsize size) {
        const int n = ::MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(size), nullptr, 0);
        std::wstring wide(static_cast<size_t>(n), L'\0');
        ::MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(size), wide.data(), n);
        DWORD written = 0;
        return ::WriteConsoleW(console_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) !=
               0;
    }

    HANDLE console_;
};

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode);
}

std::streambuf* g_coutBuffer = nullptr;
std::streambuf* g_cerrBuffer = nullptr;

// The streams get their own buffers back before the console buffers go.
void RestoreBuffers() {
    std::cout.flush();
    if (g_coutBuffer) std::cout.rdbuf(g_coutBuffer);
    if (g_cerrBuffer) std::cerr.rdbuf(g_cerrBuffer);
}

}  // namespace

void ShowUtf8InConsole() {
    static ConsoleBuffer out(::GetStdHandle(STD_OUTPUT_HANDLE));
    static ConsoleBuffer err(::GetStdHandle(STD_ERROR_HANDLE));
    if (IsConsole(::GetStdHandle(STD_OUTPUT_HANDLE))) g_coutBuffer = std::cout.rdbuf(&out);
    if (IsConsole(::GetStdHandle(STD_ERROR_HANDLE))) g_cerrBuffer = std::cerr.rdbuf(&err);
    if (g_coutBuffer || g_cerrBuffer) std::atexit(RestoreBuffers);
}

}  // namespace tolarka::qst
