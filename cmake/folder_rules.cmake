# The game's folders and the folders each may use, lowest first: a folder includes headers of,
# and its targets link, only itself and the folders listed for it. Read by the FolderBoundaries
# test (includes) and by the top CMakeLists.txt (links), so a crossing fails the build.
set(TOLARKA_FOLDERS io assets media platform platform/sdl platform/headless anim game saves startup app)

set(allowed_io "")
set(allowed_assets "")
set(allowed_platform "io")
set(allowed_platform/sdl "io;platform")
set(allowed_platform/headless "platform")
set(allowed_media "assets;platform")
set(allowed_anim "platform")
set(allowed_game "anim;io;platform")
set(allowed_saves "game;io;platform")
set(allowed_startup "game;io;platform")
set(allowed_app "anim;game;io;media;platform;saves;startup")

# Folders whose screens (frm_*.h) only app/ may include.
set(TOLARKA_SCREEN_FOLDERS anim game saves startup)
# The program itself (main and what it asks of the operating system) also starts the real
# backend: it alone of app/ may use platform/sdl/ and SDL.
set(TOLARKA_PROGRAM_FILES_REGEX "^app/(main|program_environment_[a-z]+)\\.cpp$")
set(allowed_program "platform/sdl")
# SDL and FFmpeg are seen only by platform/sdl/ and the program.
set(TOLARKA_SYSTEM_MEDIA_REGEX "^#include <(SDL|libav|libsw)")

# Each target's folder (a target's sources lie in its folder; text measuring and the font files'
# place are the toolkit's own, implemented in platform/sdl/). tolarka_art_fonts, where the build
# found the fonts, is the build's setting, not a folder's code.
set(TOLARKA_FOLDER_TARGETS
  io:tolarka_io
  assets:tolarka_artwork
  media:tolarka_media
  platform:tolarka_platform platform:tolarka_text
  platform/sdl:tolarka_media_files platform/sdl:tolarka_sdlmedia platform/sdl:tolarka_clip_code platform/sdl:tolarka_sample_clips platform/sdl:tolarka_render platform/sdl:tolarka_sdl
  platform/headless:tolarka_headless
  anim:tolarka_anim
  game:tolarka_logic game:tolarka_game
  saves:tolarka_saves_logic saves:tolarka_saves
  startup:tolarka_startup_logic startup:tolarka_startup
  app:tolarka_app)
# Libraries from outside and the targets that may link them.
set(TOLARKA_SDL_TARGETS tolarka_text tolarka_sdlmedia tolarka_clip_code tolarka_sample_clips tolarka_render tolarka_sdl)
set(TOLARKA_CAIRO_TARGETS tolarka_artwork)

# The folder whose rules a source path (relative to the top) follows: the longest of
# TOLARKA_FOLDERS it lies in (platform/sdl/ before platform/), else its first component.
function(tolarka_folder_of path out)
  string(REGEX REPLACE "/.*" "" found "${path}")
  set(longest 0)
  foreach(folder IN LISTS TOLARKA_FOLDERS)
    string(LENGTH "${folder}" length)
    if(length GREATER longest AND path MATCHES "^${folder}/")
      set(found ${folder})
      set(longest ${length})
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Stops with every crossing listed, one a line, under `heading`; does nothing when there is none.
function(tolarka_fail_on_crossings heading crossings)
  if(crossings)
    list(JOIN crossings "\n  " text)
    message(FATAL_ERROR "${heading}:\n  ${text}")
  endif()
endfunction()

# Fails the configuration when a folder's target links a target of a folder it may not use, or
# SDL, FFmpeg or cairo outside the targets that own them.
function(tolarka_check_folder_links)
  set(targets "")
  foreach(entry IN LISTS TOLARKA_FOLDER_TARGETS)
    string(REPLACE ":" ";" entry "${entry}")
    list(GET entry 0 folder)
    list(GET entry 1 target)
    set(folder_of_${target} ${folder})
    list(APPEND targets ${target})
  endforeach()
  set(crossings "")
  foreach(target IN LISTS targets)
    set(folder ${folder_of_${target}})
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(links ${target} INTERFACE_LINK_LIBRARIES)
    else()
      get_target_property(links ${target} LINK_LIBRARIES)
    endif()
    if(NOT links)
      continue()
    endif()
    foreach(link IN LISTS links)
      if(link STREQUAL "tolarka_warnings")
        continue()
      elseif(DEFINED folder_of_${link})
        set(to ${folder_of_${link}})
        if(NOT to STREQUAL folder AND NOT to IN_LIST allowed_${folder})
          list(APPEND crossings "${target} (${folder}) links ${link} (${to})")
        endif()
      elseif(link MATCHES "^PkgConfig::(SDL2|FFMPEG|PNG)$")
        if(NOT target IN_LIST TOLARKA_SDL_TARGETS)
          list(APPEND crossings "${target} (${folder}) links ${link}")
        endif()
      elseif(link MATCHES "^PkgConfig::CAIRO$")
        if(NOT target IN_LIST TOLARKA_CAIRO_TARGETS)
          list(APPEND crossings "${target} (${folder}) links ${link}")
        endif()
      endif()
    endforeach()
  endforeach()
  tolarka_fail_on_crossings("Links across folder boundaries (cmake/folder_rules.cmake)" "${crossings}")
endfunction()
