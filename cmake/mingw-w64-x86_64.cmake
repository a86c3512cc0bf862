# Cross-building for 64-bit Windows with Debian's mingw-w64 (the posix thread model, so that
# std::thread and std::mutex work). The libraries come from tools/windows/build-deps.sh;
# cmake/windows.cmake finds them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOLARKA_MINGW x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${TOLARKA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOLARKA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TOLARKA_MINGW}-windres)
set(CMAKE_ASM_COMPILER ${TOLARKA_MINGW}-gcc-posix)

# Programs (the build-time generators, pkg-config) from the build machine; libraries and
# headers only from the cross prefixes.
set(CMAKE_FIND_ROOT_PATH /usr/${TOLARKA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static libraries throughout, the compiler's runtime included: the programs need no DLLs.
set(PKG_CONFIG_ARGN --static)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
