#!/bin/sh
# Starts the real game under Xvfb with a window manager, walks from the start-up window through
# the splash to the menu and quits through the credits, printing the game's window size at each
# stage. With "no_fullscreen" as the argument the window must stay 640 x 480; otherwise it fills
# the screen from the splash on. Needs the release build (README).
#   tools/display-check.sh [--size WxH] [--no-wm] [--shots DIR] [no_fullscreen]
#     --size WxH   the desktop's size (default 1024x768), e.g. 1920x1080 or 3840x2160
#     --no-wm      no window manager, as in a kiosk: full screen must still cover the screen
#     --shots DIR  save a picture of the whole desktop at each stage into DIR
set -e
cd "$(dirname "$0")/.."
size=1024x768
wm=openbox
shots=
while [ $# -gt 0 ]; do
  case "$1" in
    --size) size=$2; shift 2 ;;
    --no-wm) wm=; shift ;;
    --shots) shots=$(mkdir -p "$2" && cd "$2" && pwd); shift 2 ;;
    *) break ;;
  esac
done
# A large desktop draws every picture anew at its scale: give each step more time there.
case $size in [3-9][0-9][0-9][0-9]x*) wait=2 ;; *) wait=1 ;; esac
export CHECK_SIZE=$size CHECK_WM=$wm CHECK_SHOTS=$shots CHECK_WAIT=$wait
exec xvfb-run -a -s "-screen 0 ${size}x24" sh -c '
  if [ -n "$CHECK_WM" ]; then $CHECK_WM >/dev/null 2>&1 & sleep 1; fi
  build/tolarka "$@" >/dev/null 2>&1 &
  game=$!
  win() { xdotool search --onlyvisible --pid $game 2>/dev/null | head -1; }
  size() {
    id=$(win)
    if [ -z "$id" ]; then echo "no window"; return; fi
    xwininfo -id "$id" | awk "/Absolute upper-left|Width|Height/{printf \"%s \", \$NF}"
    xprop -id "$id" WM_NAME _NET_WM_STATE | sed "s/.*= //;s/.*not found.*//" | tr "\n" " "
  }
  shot() { if [ -n "$CHECK_SHOTS" ]; then import -window root "$CHECK_SHOTS/$1.png"; fi; }
  wait_for() { sleep $(($1 * CHECK_WAIT)); }
  wait_for 3; echo "start-up: $(size)"; shot 1-startup
  xdotool key Return; wait_for 3; echo "splash:   $(size)"; shot 2-splash
  xdotool key space; wait_for 2; xdotool key space; wait_for 2; echo "menu:     $(size)"; shot 3-menu
  # "Ukončit hru" at 319, 315 of the 640 x 480 screen, scaled and letterboxed when full screen.
  w=$(xwininfo -id "$(win)" | awk "/Width/{print \$2}")
  h=$(xwininfo -id "$(win)" | awk "/Height/{print \$2}")
  x=$(awk -v w="$w" -v h="$h" "BEGIN { s = (w / 640 < h / 480) ? w / 640 : h / 480; print int((w - 640 * s) / 2 + 319.5 * s) }")
  y=$(awk -v w="$w" -v h="$h" "BEGIN { s = (w / 640 < h / 480) ? w / 640 : h / 480; print int((h - 480 * s) / 2 + 315.5 * s) }")
  xdotool mousemove --window "$(win)" "$x" "$y" click 1
  wait_for 2; echo "credits:  $(size)"; shot 4-credits
  wait $game && echo "ended:    exit $?"
' check "$@"
