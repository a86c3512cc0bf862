# cmake -DBUILD_DIR=... -DWORK_DIR=... -DSOURCE_DIR=... -DAPP_ID=... -DCONTENT=ON|OFF -P install_test.cmake
# expect(MESSAGE CONDITION...): stops with MESSAGE unless the condition holds.
function(expect what)
  if(NOT (${ARGN}))
    message(FATAL_ERROR "${what}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(ROOT ${WORK_DIR}/usr)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${ROOT}
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
expect("cmake --install failed: ${err}" rc EQUAL 0)

set(expected
  games/tolarka
  lib/tolarka/tolarka-clips.so
  bin/tolarka-qst
  share/applications/${APP_ID}.desktop
  share/metainfo/${APP_ID}.metainfo.xml
  share/icons/hicolor/scalable/apps/tolarka.svg
  share/man/man6/tolarka.6.gz
  share/man/man1/tolarka-qst.1.gz
  share/doc/tolarka/README
  share/doc/tolarka/question-format.md
  share/doc/tolarka/LICENSE
  share/doc/tolarka/COPYING)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/tolarka.png)
endforeach()
if(CONTENT)
  list(APPEND expected share/games/tolarka/sfx/menu.wav share/games/tolarka/gfx/r1.avi
       share/games/tolarka/qst/01-001.qst)
endif()
foreach(file ${expected})
  expect("missing from the install: ${file}" EXISTS ${ROOT}/${file})
endforeach()

# Nothing of the build's own bookkeeping or of a player's files.
file(GLOB_RECURSE stray ${ROOT}/*.tmp ${ROOT}/*manifest* ${ROOT}/*.sav ${ROOT}/*.log)
expect("stray files installed: ${stray}" NOT stray)
if(EXISTS ${ROOT}/share/games/tolarka/save OR EXISTS ${ROOT}/share/games/tolarka/logs)
  message(FATAL_ERROR "save/ or logs/ installed")
endif()

# The icon sizes are what their directories say.
foreach(size 16 256)
  file(READ ${ROOT}/share/icons/hicolor/${size}x${size}/apps/tolarka.png head LIMIT 24 HEX)
  string(SUBSTRING "${head}" 32 8 width)
  math(EXPR width "0x${width}")
  expect("icon ${size}x${size} is ${width} wide" width EQUAL size)
endforeach()

execute_process(COMMAND desktop-file-validate ${ROOT}/share/applications/${APP_ID}.desktop
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
expect("desktop-file-validate: ${out}${err}" rc EQUAL 0)
execute_process(COMMAND appstreamcli validate --no-net --pedantic ${ROOT}/share/metainfo/${APP_ID}.metainfo.xml
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
expect("appstreamcli validate --pedantic: ${out}${err}" rc EQUAL 0)
string(REGEX MATCH "\n[WEIP]: [^\n]*" issue "\n${out}")
expect("appstreamcli validate --pedantic: ${issue}" NOT issue)

# Every installed file goes into exactly one Debian package or is left out on purpose, so
# debian/*.install cannot drift from the install rules.
set(claims)
foreach(list tolarka.install tolarka-data.install not-installed)
  file(STRINGS ${SOURCE_DIR}/debian/${list} lines REGEX "^[^#]")
  list(APPEND claims ${lines})
endforeach()
file(GLOB_RECURSE installed RELATIVE ${WORK_DIR} ${ROOT}/*)
foreach(file ${installed})
  set(owners 0)
  foreach(claim ${claims})
    string(FIND "${file}/" "${claim}/" at)
    if(at EQUAL 0)
      math(EXPR owners "${owners} + 1")
    endif()
  endforeach()
  expect("${file}: claimed by ${owners} of debian/*.install and debian/not-installed" owners EQUAL 1)
endforeach()
if(CONTENT)
  foreach(claim ${claims})
    expect("debian/ names ${claim}, which the install does not make" EXISTS ${WORK_DIR}/${claim})
  endforeach()
endif()

# The packages' build dependencies are what a set-up machine has.
find_program(CHECK_BUILD_DEPS dpkg-checkbuilddeps)
if(CHECK_BUILD_DEPS)
  execute_process(COMMAND ${CHECK_BUILD_DEPS} WORKING_DIRECTORY ${SOURCE_DIR}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  expect("dpkg-checkbuilddeps: ${out}${err}" rc EQUAL 0)
endif()

# The copyright file's paths are source paths, and each matches something.
file(STRINGS ${SOURCE_DIR}/debian/copyright patterns REGEX "^Files: ")
foreach(line ${patterns})
  string(REGEX REPLACE "^Files: " "" pattern "${line}")
  file(GLOB matched ${SOURCE_DIR}/${pattern})
  expect("debian/copyright: Files: ${pattern} matches nothing in the source" matched)
endforeach()

# The installed game finds the installed data from its own place, wherever the prefix is.
execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${WORK_DIR}/home --unset=XDG_DATA_HOME
                        ${ROOT}/games/tolarka --help
                RESULT_VARIABLE rc OUTPUT_VARIABLE out)
expect("installed tolarka --help exits 0" rc EQUAL 0)
string(FIND "${out}" "${ROOT}/share/games/tolarka\n" at)
expect("installed game reads ${ROOT}/share/games/tolarka: ${out}" at GREATER_EQUAL 0)
string(FIND "${out}" "${WORK_DIR}/home/.local/share/tolarka/save" at)
expect("installed game saves under the player's home: ${out}" at GREATER_EQUAL 0)

# The game starts without FFmpeg; its clip module, found from the game's place, brings it.
find_program(READELF readelf)
if(READELF)
  execute_process(COMMAND ${READELF} -d ${ROOT}/games/tolarka OUTPUT_VARIABLE needed)
  expect("the installed game links FFmpeg itself" NOT needed MATCHES "libav")
  expect("the installed game links SDL_image or SDL_mixer" NOT needed MATCHES "SDL2_(image|mixer)")
  execute_process(COMMAND ${READELF} -d ${ROOT}/lib/tolarka/tolarka-clips.so OUTPUT_VARIABLE needed)
  expect("the clip module does not link FFmpeg" needed MATCHES "libavcodec")
endif()

execute_process(COMMAND ${ROOT}/bin/tolarka-qst --version RESULT_VARIABLE rc)
expect("installed tolarka-qst --version exits 0" rc EQUAL 0)
file(REMOVE_RECURSE ${WORK_DIR})
