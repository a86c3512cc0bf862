# cmake -DGAME=path/to/tolarka -DVERSION=x.y -P command_line_test.cmake
# expect(MESSAGE CONDITION...): stops with MESSAGE unless the condition holds.
function(expect what)
  if(NOT (${ARGN}))
    message(FATAL_ERROR "${what}")
  endif()
endfunction()

# No display at all, as on a server or a console without graphics: SDL would otherwise open an
# invisible window. A timeout catches a game that runs anyway.
set(NO_DISPLAY ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=SDL_VIDEODRIVER)

execute_process(COMMAND ${NO_DISPLAY} ${GAME} --help RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err
                TIMEOUT 20)
expect("--help exits 0 (got ${rc})" rc EQUAL 0)
string(FIND "${out}" "Použití: tolarka" at)
expect("--help prints the Czech usage on stdout: ${out}" at GREATER_EQUAL 0)
expect("--help prints nothing on stderr: ${err}" NOT err)

execute_process(COMMAND ${NO_DISPLAY} ${GAME} --version RESULT_VARIABLE rc OUTPUT_VARIABLE out TIMEOUT 20)
expect("--version exits 0 (got ${rc})" rc EQUAL 0)
expect("--version prints the version: ${out}" out STREQUAL "tolarka ${VERSION}\n")

# An unknown option is noted and passed over: the game goes on (here to the missing display).
execute_process(COMMAND ${NO_DISPLAY} ${GAME} --fullscreen RESULT_VARIABLE rc ERROR_VARIABLE err TIMEOUT 20)
expect("an unknown option is passed over (got ${rc})" rc EQUAL 1)
string(FIND "${err}" "--fullscreen" at)
expect("the passed-over option is named: ${err}" at GREATER_EQUAL 0)

execute_process(COMMAND ${NO_DISPLAY} ${GAME} no_fullscreen RESULT_VARIABLE rc OUTPUT_VARIABLE out
                ERROR_VARIABLE err TIMEOUT 20)
expect("without a display the game exits 1 (got ${rc})" rc EQUAL 1)
string(REGEX MATCHALL "\n" lines "${err}")
list(LENGTH lines count)
expect("without a display one line on stderr, got: ${err}" count EQUAL 1)
string(FIND "${err}" "nelze otevřít okno hry" at)
expect("the line says why: ${err}" at GREATER_EQUAL 0)

# A video driver asked for by name that SDL does not have: the same, in Czech, not SDL's own box.
execute_process(COMMAND ${CMAKE_COMMAND} -E env SDL_VIDEODRIVER=no-such-driver ${GAME} RESULT_VARIABLE rc
                ERROR_VARIABLE err TIMEOUT 20)
expect("an unknown video driver exits 1 (got ${rc})" rc EQUAL 1)
string(REGEX MATCHALL "\n" lines "${err}")
list(LENGTH lines count)
expect("an unknown video driver: one line on stderr, got: ${err}" count EQUAL 1)
string(FIND "${err}" "no-such-driver" at)
expect("the line names the driver: ${err}" at GREATER_EQUAL 0)
