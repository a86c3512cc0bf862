# The Windows build (cmake --preset windows): cross-built with mingw-w64 on a Debian machine.
# The libraries come from Debian's source packages, built by tools/windows/build-deps.sh into a
# cache outside the tree. The build-time generators (pictures, sounds, clips, question files,
# icons) are the native programs of the host build (the release preset's build/), which this
# build refreshes before it uses them; their output lands in this build's program directory.
if(NOT (WIN32 AND CMAKE_CROSSCOMPILING))
  return()
endif()

set(TOLARKA_WINDEPS_PREFIX "" CACHE PATH "Prefix of the cross-built libraries (empty: run tools/windows/build-deps.sh)")
if(NOT TOLARKA_WINDEPS_PREFIX)
  message(STATUS "Windows libraries: tools/windows/build-deps.sh (the first run builds them, which takes a while)")
  execute_process(COMMAND sh ${CMAKE_SOURCE_DIR}/tools/windows/build-deps.sh
                  OUTPUT_VARIABLE prefix OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT IS_DIRECTORY "${prefix}")
    message(FATAL_ERROR "tools/windows/build-deps.sh failed")
  endif()
  set(TOLARKA_WINDEPS_PREFIX_USED ${prefix})
else()
  set(TOLARKA_WINDEPS_PREFIX_USED ${TOLARKA_WINDEPS_PREFIX})
endif()
message(STATUS "Windows libraries in ${TOLARKA_WINDEPS_PREFIX_USED}")
list(PREPEND CMAKE_FIND_ROOT_PATH ${TOLARKA_WINDEPS_PREFIX_USED})
list(PREPEND CMAKE_PREFIX_PATH ${TOLARKA_WINDEPS_PREFIX_USED})
set(ENV{PKG_CONFIG_LIBDIR} ${TOLARKA_WINDEPS_PREFIX_USED}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# mingw declares the POSIX thread-safe time functions (localtime_r) only when asked; windows.h
# leaves std::min and std::max alone; SDL leaves main alone (no SDL2main).
include(${CMAKE_CURRENT_LIST_DIR}/windows_resources.cmake)

add_compile_definitions(_POSIX_THREAD_SAFE_FUNCTIONS=200112L _USE_MATH_DEFINES NOMINMAX SDL_MAIN_HANDLED)

# cairo builds itself with _FORTIFY_SOURCE, whose checked functions mingw keeps in libssp.
string(APPEND CMAKE_C_STANDARD_LIBRARIES " -lssp")
string(APPEND CMAKE_CXX_STANDARD_LIBRARIES " -lssp")

# The fonts the generators letter the pictures in: the build machine's.
foreach(font SANS:liberation/LiberationSans-Regular SANS_BOLD:liberation/LiberationSans-Bold
             VERDANA:dejavu/DejaVuSans VERDANA_BOLD:dejavu/DejaVuSans-Bold)
  string(REPLACE ":" ";" font ${font})
  list(GET font 0 name)
  list(GET font 1 file)
  set(TOLARKA_FONT_${name} /usr/share/fonts/truetype/${file}.ttf CACHE FILEPATH "")
endforeach()

# The Windows programs run under Wine on this machine: the test program's discovery and the
# tests themselves.
set(CMAKE_CROSSCOMPILING_EMULATOR sh ${CMAKE_SOURCE_DIR}/tools/windows/wine-run.sh ${CMAKE_BINARY_DIR}/wine)

# The host build that runs the generators; configured like the release preset when missing.
set(TOLARKA_HOST_BUILD_DIR ${CMAKE_SOURCE_DIR}/build CACHE PATH "Native build whose generators the Windows build runs")
# The generators, each under its target's name in the host build (the question tool, which is
# also built for Windows, as tolarka_host_qst); the tools' own directories skip their
# executables in this build.
set(TOLARKA_HOST_TOOLS artgen/tolarka_artgen clipgen/clipgen sfxgen/tolarka_sfxgen icongen/tolarka_icongen
                       qst/tolarka-qst)
if(NOT EXISTS ${TOLARKA_HOST_BUILD_DIR}/CMakeCache.txt)
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${CMAKE_SOURCE_DIR} -B ${TOLARKA_HOST_BUILD_DIR}
                          -DCMAKE_BUILD_TYPE=RelWithDebInfo RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "Configuring the host build in ${TOLARKA_HOST_BUILD_DIR} failed")
  endif()
endif()
set(targets)
set(files)
foreach(tool IN LISTS TOLARKA_HOST_TOOLS)
  get_filename_component(name ${tool} NAME)
  set(file ${TOLARKA_HOST_BUILD_DIR}/tools/${tool})
  set(alias ${name})
  if(name STREQUAL "tolarka-qst")
    set(alias tolarka_host_qst)
  endif()
  add_executable(${alias} IMPORTED GLOBAL)
  set_target_properties(${alias} PROPERTIES IMPORTED_LOCATION ${file})
  list(APPEND targets ${name})
  list(APPEND files ${file})
endforeach()
# Every build refreshes them first (a no-op when they are up to date).
add_custom_target(tolarka_host_tools
  COMMAND ${CMAKE_COMMAND} --build ${TOLARKA_HOST_BUILD_DIR} --target ${targets}
  BYPRODUCTS ${files}
  COMMENT "Building the generators natively in ${TOLARKA_HOST_BUILD_DIR}"
  USES_TERMINAL
  VERBATIM)
set(TOLARKA_QST_TOOL tolarka_host_qst)
