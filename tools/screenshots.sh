#!/bin/sh
# Regenerates docs/screens/*.png: a game played on the headless backend over the data of the
# release build (run the README's build first), drawn at twice the game's 640 x 480 as a modern
# screen shows it.
set -e
cd "$(dirname "$0")/.."
SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy build/tools/screenshots/tolarka-screenshots --scale 2 build docs/screens
