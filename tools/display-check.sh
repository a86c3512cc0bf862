#!/bin/sh
# Starts the real game under Xvfb (1024 x 768) with a window manager, walks from the start-up
# window through the splash to the menu and quits through the credits, printing the game's window
# size at each stage. With "no_fullscreen" as the argument the window must stay 640 x 480;
# otherwise it fills the screen from the splash on. Needs the release build (README).
#   tools/display-check.sh [no_fullscreen]
set -e
cd "$(dirname "$0")/.."
exec xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  openbox >/dev/null 2>&1 &
  sleep 1
  build/tolarka "$@" >/dev/null 2>&1 &
  game=$!
  win() { xdotool search --name "^Tolarka\$" 2>/dev/null | head -1; }
  size() {
    id=$(win)
    if [ -z "$id" ]; then echo "no window"; return; fi
    xwininfo -id "$id" | awk "/Width|Height/{printf \"%s \", \$2}"
    xprop -id "$id" _NET_WM_STATE | sed "s/.*= //;s/.*not found.*//"
  }
  sleep 3; echo "start-up: $(size)"
  xdotool key Return; sleep 3; echo "splash:   $(size)"
  xdotool key space; sleep 2; xdotool key space; sleep 2; echo "menu:     $(size)"
  # "Ukončit hru" at 319, 315 of the 640 x 480 screen, scaled when full screen.
  if [ "$(xwininfo -id "$(win)" | awk "/Width/{print \$2}")" = 1024 ]; then
    xdotool mousemove 510 504 click 1
  else
    xdotool mousemove --window "$(win)" 319 315 click 1
  fi
  sleep 2; echo "credits:  $(size)"
  wait $game && echo "ended:    exit $?"
' check "$@"
