#!/bin/sh
# Regenerates docs/screens/*.png: a game played on the headless backend over the data of the
# release build (run the README's build first), drawn at twice the game's 640 x 480 as a modern
# screen shows it; and a few at 2.25 x, as a 1920 x 1080 screen shows the game full screen.
set -e
cd "$(dirname "$0")/.."
shots() {
    SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy build/tools/screenshots/tolarka-screenshots --scale "$1" build "$2"
}
shots 2 docs/screens
hd=$(mktemp -d)
trap 'rm -rf "$hd"' EXIT
shots 2.25 "$hd"
for name in rules-4-keys 05-new-game 12-answer-locked 19-save-banner; do
    cp "$hd/$name.png" "docs/screens/hd-$name.png"
done
