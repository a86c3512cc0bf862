#pragma once
// The tool's messages are UTF-8 text; one implementation per platform (console_posix.cpp,
// console_windows.cpp), chosen by the build.

namespace tolarka::qst {

// Lets a console show the tool's standard output and error output. On Windows, text bound for
// a console goes to it as UTF-16, which it shows whatever its code page (852 on a Czech
// system); output to a file or a pipe stays UTF-8. A terminal elsewhere takes UTF-8 as it is.
void ShowUtf8InConsole();

}  // namespace tolarka::qst
