#!/bin/sh
# wine-run.sh WINEPREFIX PROGRAM.exe [ARGS...]: runs a Windows program of the build under Wine
# (Debian's wine64) in the build's own Wine prefix, quietly, and exits with the program's status.
set -e
export WINEPREFIX="$1"
shift
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
WINE=${TOLARKA_WINE:-/usr/lib/wine/wine64}
[ -x "$WINE" ] || { echo "wine-run: $WINE is missing (sh tools/setup-debian.sh installs wine64)" >&2; exit 1; }
mkdir -p "$WINEPREFIX"
# The first program creates the prefix; others started meanwhile wait for it.
(
    flock 9
    [ -f "$WINEPREFIX/system.reg" ] || "$WINE" wineboot --init >/dev/null 2>&1 || true
) 9>"$WINEPREFIX.lock"
exec "$WINE" "$@"
