#pragma once
#include <string>
#include <string_view>

namespace tolarka {

// Texts in the game's data files are single-byte Windows-1250; in memory they are UTF-8.
// On Linux the conversion goes through iconv ("WINDOWS-1250"); on Windows, which has no iconv,
// through a table of the code page (cp1250_windows.cpp). Both replace bad input the same way.

// Windows-1250 bytes -> UTF-8. The five bytes the code page leaves undefined (0x81, 0x83, 0x88,
// 0x90, 0x98) become U+FFFD, so a damaged file still shows where the bad byte was.
std::string Cp1250ToUtf8(std::string_view bytes);

// UTF-8 -> Windows-1250 bytes. A character the code page lacks, and every byte of malformed
// UTF-8, becomes '?'.
std::string Utf8ToCp1250(std::string_view utf8);

// True when every character of well-formed UTF-8 text exists in Windows-1250.
bool IsRepresentableInCp1250(std::string_view utf8);

}  // namespace tolarka
