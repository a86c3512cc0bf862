#!/bin/sh
# Plays the Windows game as a player would, under Wine and Xvfb, from what a player downloads:
#  1. the zip unpacked into a folder with diacritics: teacher's questions built with
#     tolarka-qst.exe, a game started, one question answered, the game saved into slot 1 (the
#     save must land in the Wine user's %APPDATA%\Tolarka), the program quit, started again and
#     the saved game loaded;
#  2. the installer run silently: the Start menu shortcut started, a game saved into slot 2,
#     the uninstaller run as Apps & features runs it: the program, shortcut and entry go, the
#     saves stay.
# Needs the packages (cmake --build --preset windows --target package). Its Wine prefix is
# BUILD/smoke/wine; nothing outside BUILD/smoke is touched.
#   tools/windows/smoke-test.sh [--display N] [--size WxH] [--shots DIR] [BUILD]
set -eu
cd "$(dirname "$0")/../.."
display=
size=1920x1080
shots=
while [ $# -gt 0 ]; do
    case "$1" in
        --display) display=${2#:}; shift 2 ;;
        --size) size=$2; shift 2 ;;
        --shots) shots=$(mkdir -p "$2" && cd "$2" && pwd); shift 2 ;;
        *) break ;;
    esac
done
build=$(cd "${1:-build-windows}" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
zip=$build/tolarka-$version-win64.zip
setup=$build/tolarka-$version-win64-setup.exe
for f in "$zip" "$setup"; do
    [ -f "$f" ] || { echo "smoke: $f is missing (cmake --build --preset windows --target package)" >&2; exit 1; }
done

started=$(date +%s)
work=$build/smoke
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
WINE=${TOLARKA_WINE:-/usr/lib/wine/wine64}
pids=
cleanup() {
    # Only this prefix's Wine server and programs.
    "${WINE%64}server" -k 2>/dev/null || true
    for p in $pids; do kill "$p" 2>/dev/null || true; done
}
trap cleanup EXIT
fail() { echo "smoke: FAILED: $*" >&2; shot "failed" || true; exit 1; }
step() { echo "smoke: [$(($(date +%s) - started)) s] $*"; }

# A display of our own: the given number, else the first free one from 90.
if [ -z "$display" ]; then
    display=90
    while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
fi
Xvfb ":$display" -screen 0 "${size}x24" -ac -nolisten tcp >/dev/null 2>&1 &
pids="$pids $!"
export DISPLAY=":$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done
openbox >/dev/null 2>&1 &
pids="$pids $!"

mkdir -p "$WINEPREFIX"
[ -f "$WINEPREFIX/system.reg" ] || { step "creating the Wine prefix"; "$WINE" wineboot --init >/dev/null 2>&1; }
unixpath() { "$WINE" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
winpath() { "$WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
appdata_win=$("$WINE" cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')
appdata=$(unixpath "$appdata_win")
player="$appdata/Tolarka"
[ -n "$appdata" ] || fail "no %APPDATA% in the Wine prefix"
rm -rf "$player" "$WINEPREFIX/drive_c/Hry"

shot() { if [ -n "$shots" ]; then import -window root "$shots/$1.png"; fi; }
# The game's visible window; the whole screen when it is full screen.
window() { xdotool search --onlyvisible --classname '^tolarka\.exe$' 2>/dev/null | head -1; }
wait_window() {
    for _ in $(seq 120); do [ -n "$(window)" ] && return 0; sleep 0.5; done
    fail "no game window"
}
# Clicks the point (X, Y) of the game's 640 x 480 screen, scaled and letterboxed as drawn.
click() {
    id=$(window)
    eval "$(xdotool getwindowgeometry --shell "$id")"
    at=$(awk -v w="$WIDTH" -v h="$HEIGHT" -v x="$1" -v y="$2" 'BEGIN {
        s = (w / 640 < h / 480) ? w / 640 : h / 480
        print int((w - 640 * s) / 2 + (x + 0.5) * s), int((h - 480 * s) / 2 + (y + 0.5) * s) }')
    # shellcheck disable=SC2086 # the two coordinates
    xdotool mousemove --window "$id" $at
    sleep 0.3
    xdotool click 1
}
key() { xdotool key --window "$(window)" "$@"; }
# Closes the window as a player does, with Alt+F4 typed on the keyboard (the window manager
# asks the program to close), then answers the game's question with a click on "Ano" (Enter
# would reach the game as Alt+Enter under Wine when the window manager took Alt+F4).
close_window() {
    xdotool windowactivate --sync "$(window)" >/dev/null 2>&1 || true
    xdotool key alt+F4
    sleep 2
    shot "$1-close-question"
    click 274 274
}
wait_file() {
    for _ in $(seq "$2"); do [ -e "$1" ] && return 0; sleep 1; done
    fail "$1 did not appear"
}
wait_gone() {
    for _ in $(seq "$2"); do [ -e "$1" ] || return 0; sleep 1; done
    fail "$1 is still there"
}
# The game has ended when the program that started it has and its window is gone: `start`
# with a shortcut may return while the game still plays its credits (and holds its files,
# which an uninstaller then cannot delete).
wait_exit() {
    for _ in $(seq "$2"); do
        if ! kill -0 "$1" 2>/dev/null && [ -z "$(window)" ]; then
            sleep 2
            return 0
        fi
        sleep 1
    done
    fail "the game did not end"
}
slot_y() { echo $((49 + 48 * ($1 - 1) + 20)); }

# From the start-up window to the main menu: the notice box, the count, the splash's two pages.
to_menu() {
    wait_window
    sleep 4
    shot "$1-startup"
    key Return
    sleep 5
    shot "$1-splash"
    key space
    sleep 3
    key space
    sleep 3
    shot "$1-menu"
}
# A new game for NAME, the save asked for in the game's menu, the first question answered
# right (A in the teacher's questions below), the game saved into SLOT.
play_and_save() {
    click 319 165
    sleep 1
    xdotool type --delay 250 "$1"
    sleep 0.5
    shot "$3-name"
    key Return
    sleep 14
    shot "$3-question"
    # The menu slides open step by step, slowly on a loaded machine: wait till it is open.
    click 40 17
    sleep 4
    click 140 17
    sleep 1
    shot "$3-save-asked"
    sleep 5
    key a
    sleep 12
    shot "$3-save-slots"
    click 320 "$(slot_y "$2")"
    wait_file "$player/save/0$2.sav" 30
    sleep 4
    shot "$3-after-save"
}
# "Ukončit hru" on the main menu: the credits, then the program ends.
quit_from_menu() {
    click 319 315
    sleep 3
    shot "$1-credits"
    wait_exit "$2" 90
}

step "portable: the zip unpacked into C:\\Hry\\Žofie"
mkdir -p "$WINEPREFIX/drive_c/Hry"
unzip -q "$zip" -d "$WINEPREFIX/drive_c/Hry"
mv "$WINEPREFIX/drive_c/Hry/tolarka-$version-win64" "$WINEPREFIX/drive_c/Hry/Žofie"
game='C:\Hry\Žofie\tolarka.exe'

# A teacher's level 1, every answer A, built into the player's own question folder.
mkdir -p "$work/moje"
for n in 1 2 3; do
    printf '[00%s]\notázka: Zkušební otázka číslo %s?\nA: Správně\nB: Špatně\nC: Také špatně\nD: Zase špatně\nsprávně: A\ntéma: zeměpis\n\n' "$n" "$n"
done >"$work/moje/01.txt"
"$WINE" 'C:\Hry\Žofie\tolarka-qst.exe' build "$(winpath "$work/moje")" "$appdata_win\\Tolarka\\qst" >"$work/qst.log" 2>&1 || { cat "$work/qst.log" >&2; fail "tolarka-qst.exe build"; }
ls "$player/qst/"01-*.qst >/dev/null 2>&1 || fail "no question files in $player/qst"

version_out=$("$WINE" "$game" --version 2>/dev/null | tr -d '\r')
[ "$version_out" = "tolarka $version" ] || fail "--version printed '$version_out'"

step "portable: a game saved into slot 1"
"$WINE" "$game" >/dev/null 2>&1 &
pid=$!
to_menu portable-1
play_and_save "Žofie" 1 portable-1
[ ! -e "$WINEPREFIX/drive_c/Hry/Žofie/save" ] || fail "the game saved beside itself, not in %APPDATA%"
quit_from_menu portable-1 "$pid"

step "portable: started again, slot 1 loaded"
"$WINE" "$game" >/dev/null 2>&1 &
pid=$!
to_menu portable-2
click 319 215
sleep 2
shot "portable-2-load-slots"
click 320 "$(slot_y 1)"
# A loaded game is used up: its slot empties once the game is back on the screen.
wait_gone "$player/save/01.sav" 30
sleep 10
shot "portable-2-restored"
close_window portable-2
wait_exit "$pid" 30

step "installer: silent install"
"$WINE" "$setup" /S
installed=$(unixpath "$("$WINE" cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')")/Programs/Tolarka
[ -f "$installed/tolarka.exe" ] || fail "nothing installed in $installed"
for f in tolarka-qst.exe fonts/DejaVuSans.ttf qst sfx gfx CTIMNE.txt licence/ffmpeg.txt licence/gcc-runtime.txt Odinstalovat.exe; do
    [ -e "$installed/$f" ] || fail "$f is not installed"
done
shortcut="$appdata/Microsoft/Windows/Start Menu/Programs/Tolarka.lnk"
[ -f "$shortcut" ] || fail "no Start menu shortcut"
[ ! -e "$(unixpath 'C:\users\Public\Desktop')/Tolarka.lnk" ] && [ ! -e "$(unixpath "$("$WINE" cmd /c echo %USERPROFILE% | tr -d '\r')")/Desktop/Tolarka.lnk" ] ||
    fail "a desktop shortcut nobody asked for"
strings "$shortcut" | grep -q 'Programs\\Tolarka\\tolarka.exe' || fail "the shortcut points elsewhere"
uninstall=$("$WINE" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolarka' /v QuietUninstallString 2>/dev/null |
    tr -d '\r' | sed -n 's/.*REG_SZ *//p')
[ -n "$uninstall" ] || fail "no Apps & features entry"

step "installed: started from the Start menu shortcut, a game saved into slot 2"
"$WINE" start /wait "$(winpath "$shortcut")" >/dev/null 2>&1 &
pid=$!
to_menu installed
play_and_save "Petr" 2 installed
quit_from_menu installed "$pid"

step "installed: uninstalled as Apps & features does it"
# What Apps & features runs: the quoted program and /S.
"$WINE" "$(printf '%s\n' "$uninstall" | sed 's/^"\([^"]*\)".*/\1/')" /S
wait_gone "$installed" 60
[ ! -e "$shortcut" ] || fail "the Start menu shortcut stayed"
! "$WINE" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolarka' >/dev/null 2>&1 ||
    fail "the Apps & features entry stayed"
[ -f "$player/save/02.sav" ] || fail "the uninstaller took the saves"
ls "$player/qst/"01-*.qst >/dev/null 2>&1 || fail "the uninstaller took the teacher's questions"

step "passed in $(($(date +%s) - started)) s"
