#!/bin/sh
# Watches the real game full screen on a running X display (Xvfb with a window manager): walks
# from the start-up window to a new game, through the start clip to the first question, selects
# answers, and saves a picture of the whole screen at each step into DIR. Every picture handed
# to the window system is logged (bench/libpresent_log.so); at the end it prints the gaps
# between them during the clip, so a late or missed frame shows as a gap above the clip's
# frame time. Needs the release build.
# Taking a picture of a 4K screen stops the X server for a while: with --quiet-clip no picture
# is taken during the clip, so that its gaps are the game's own.
#   DISPLAY=:N bench/watch.sh DIR [--quiet-clip]
set -e
cd "$(dirname "$0")/.."
out=$(mkdir -p "$1" && cd "$1" && pwd)
mode=$2
rm -f "$out"/*.png "$out/presents.log"
LD_PRELOAD=$PWD/build/bench/libpresent_log.so PRESENT_LOG=$out/presents.log build/tolarka >"$out/game.log" 2>&1 &
game=$!
trap 'kill $game 2>/dev/null || true' EXIT
win() { xdotool search --onlyvisible --pid $game 2>/dev/null | head -1; }
shot() { import -window root "$out/$1.png"; }
mark() { echo "$1 $(python3 -c 'import time; print(time.monotonic() * 1000)')" >>"$out/marks"; }
# A point of the 640 x 480 screen on the letterboxed full screen.
click() {
  geometry=$(xwininfo -id "$(win)" | awk '/Width/{w=$2} /Height/{h=$2} END{print w, h}')
  set -- $1 $2 $geometry
  xy=$(awk -v px="$1" -v py="$2" -v w="$3" -v h="$4" 'BEGIN {
    s = (w / 640 < h / 480) ? w / 640 : h / 480
    print int((w - 640 * s) / 2 + (px + 0.5) * s), int((h - 480 * s) / 2 + (py + 0.5) * s) }')
  xdotool mousemove --window "$(win)" $xy click 1
}
: >"$out/marks"
sleep 4; xdotool key Return; sleep 4; xdotool key space; sleep 2; xdotool key space; sleep 3
shot 1-menu
click 319 165; sleep 1; xdotool type Divak; click 184 308; sleep 1
shot 2-name
mark clip-start; xdotool key Return
if [ "$mode" = --quiet-clip ]; then sleep 9.2; else
  for t in 1 2 3 4; do sleep 0.8; shot "3-clip-$t"; done
  sleep 6
fi
mark clip-end; shot 4-question
xdotool mousemove 5 5; xdotool key a; sleep 0.3; shot 5-answer-a
xdotool key b; sleep 0.3; shot 6-answer-b
sleep 8; shot 7-after
# The clip's pictures are those of the size handed over most often after Enter.
s=$(awk '/clip-start/{print $2}' "$out/marks")
e=$(awk '/clip-end/{print $2}' "$out/marks")
size=$(awk -v s="$s" -v e="$e" '$1 > s && $1 <= e {print $2}' "$out/presents.log" | sort | uniq -c | sort -rn | awk 'NR==1{print $2}')
awk -v s="$s" -v e="$e" -v size="$size" '
  $1 > s && $1 <= e && $2 == size {
    if (n) { gap = $1 - last; sum += gap; if (gap > max) max = gap; if (gap > 1.5 * 1000 / 12) late++ }
    n++; last = $1 }
  END { printf "start clip: %d pictures of %d pixels, mean gap %.1f ms, longest %.1f ms, gaps over 1.5 frames (12 a second): %d\n", n, size, sum / (n - 1), max, late }' "$out/presents.log"
