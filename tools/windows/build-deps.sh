#!/bin/sh
# Cross-builds the libraries of the Windows build from Debian's own source packages into a
# prefix of static libraries, and prints the prefix on stdout (progress goes to stderr).
#
# The sources come through a private apt configuration (its own sources list with deb-src
# entries for the archive this machine already uses, its own lists and caches): the machine's
# apt setup is read, never changed, and apt checks the signatures and hashes as it always does.
# The result is cached outside the source tree, keyed by the source packages' versions and
# hashes and by this script, so a second run (from any clone) only asks apt whether anything
# changed:
#   ${TOLARKA_WINDEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tolarka/windows-deps}/<key>
set -eu

HOST=x86_64-w64-mingw32
JOBS=${TOLARKA_WINDEPS_JOBS:-2}
SCRIPT=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")
ROOT=${TOLARKA_WINDEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tolarka/windows-deps}
APTDIR=$ROOT/apt
# Source package names; each one's build is a function below, its place in the order at the end.
PACKAGES="zlib libpng1.6 freetype pixman cairo libsdl2 libsdl2-ttf libsdl2-mixer libsdl2-image
ffmpeg googletest libebur128"

say() { echo "build-deps: $*" >&2; }
die() { say "$*"; exit 1; }

for tool in $HOST-gcc-posix $HOST-g++-posix $HOST-ar $HOST-windres apt-get dpkg-source make cmake nasm flock \
    autoreconf libtoolize pkg-config; do
    command -v "$tool" >/dev/null || die "$tool is missing (sh tools/setup-debian.sh installs it)"
done

mkdir -p "$ROOT" "$APTDIR/lists/partial" "$APTDIR/cache/archives/partial" "$APTDIR/sources.list.d"
exec 9>"$ROOT/.lock"
flock 9

# --- The private apt configuration -------------------------------------------------------------
# deb-src entries for the Debian suites the machine installs from (same mirrors, same keys).
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
# deb822 stanzas: the enabled "deb" stanzas of this release, turned into deb-src.
for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk -v codename="$codename" '
        function flush() {
            if (types ~ /(^|[ \t])deb([ \t]|$)/ && enabled != "no" && suites ~ ("(^|[ \t])" codename)) {
                print "Types: deb-src"; print "URIs: " uris; print "Suites: " suites
                print "Components: " comps; if (signed != "") print "Signed-By: " signed; print ""
            }
            types = uris = suites = comps = signed = enabled = ""
        }
        /^[ \t]*#/ { next }
        /^[ \t]*$/ { flush(); next }
        { key = tolower($1); sub(/^[^:]*:[ \t]*/, "") }
        key == "types:" { types = $0 } key == "uris:" { uris = $0 } key == "suites:" { suites = $0 }
        key == "components:" { comps = $0 } key == "signed-by:" { signed = $0 } key == "enabled:" { enabled = tolower($0) }
        END { flush() }' "$f"
done >"$APTDIR/sources.list.d/debian-src.sources"
# One-line entries "deb [options] uri suite components..." of this release.
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    awk -v codename="$codename" '
        $1 == "deb" { i = 2; if ($2 ~ /^\[/) while ($i !~ /\]$/) i++; if ($2 ~ /^\[/) i++
                      if ($(i + 1) ~ ("^" codename)) { $1 = "deb-src"; print } }' "$f"
done >"$APTDIR/sources.list"
grep -q . "$APTDIR/sources.list" "$APTDIR/sources.list.d/debian-src.sources" ||
    die "no Debian $codename entry found in /etc/apt/sources.list*"

apt_private() {
    "$@" -o Dir::Etc::SourceList="$APTDIR/sources.list" -o Dir::Etc::SourceParts="$APTDIR/sources.list.d" \
        -o Dir::State::Lists="$APTDIR/lists" -o Dir::Cache="$APTDIR/cache" \
        -o Dir::Cache::pkgcache="" -o Dir::Cache::srcpkgcache="" \
        -o Acquire::Languages=none -o APT::Get::Only-Source=true
}

say "updating the private source lists in $APTDIR"
if ! apt_private apt-get -q update >"$APTDIR/update.log" 2>&1; then
    # Offline with lists from an earlier run: build what they describe.
    ls "$APTDIR/lists/"*Sources* >/dev/null 2>&1 || { cat "$APTDIR/update.log" >&2; die "apt-get update failed"; }
    say "apt-get update failed; using the lists of the last run"
fi

# What apt would fetch (file names, sizes and hashes of every source file) names the result.
uris=$(cd "$ROOT" && apt_private apt-get -q --print-uris source $PACKAGES 2>/dev/null | grep "^'") ||
    die "apt cannot find the source packages"
key=${TOLARKA_WINDEPS_KEY:-$( (printf '%s\n' "$uris" | awk '{print $2, $3, $4}'; cat "$SCRIPT"
    $HOST-gcc-posix --version | head -n 1) | sha256sum | cut -c1-16)}
PREFIX=$ROOT/$key
if [ -f "$PREFIX/.complete" ]; then
    say "cached: $PREFIX"
    echo "$PREFIX"
    exit 0
fi

# --- A cold build --------------------------------------------------------------------------------
# An interrupted build resumes: packages already installed into the prefix keep their stamps.
WORK=$ROOT/work-$key
mkdir -p "$PREFIX" "$WORK"
# Each package as the archive offers it now; where a mirror lacks those files (a security
# update's, say), the version of the release itself.
fetch() {
    for want in "$1" "$1/$codename"; do
        (cd "$WORK" && apt_private apt-get -q --download-only source "$want") >>"$WORK/source.log" 2>&1 && return
    done
    ls "$WORK/$1"_*.dsc >/dev/null 2>&1 || { tail -n 30 "$WORK/source.log" >&2; die "apt-get source $1 failed"; }
    say "  $1: Debian's part is missing on the mirror, only the upstream tarball was fetched"
}
say "fetching the sources into $WORK"
for p in $PACKAGES; do
    fetch "$p"
done

export CC="$HOST-gcc-posix" CXX="$HOST-g++-posix" AR="$HOST-ar" RANLIB="$HOST-ranlib" STRIP="$HOST-strip"
export WINDRES="$HOST-windres" RC="$HOST-windres" NM="$HOST-nm" DLLTOOL="$HOST-dlltool"
export PKG_CONFIG_LIBDIR="$PREFIX/lib/pkgconfig" PKG_CONFIG_PATH="" PKG_CONFIG_SYSROOT_DIR=""
export CPPFLAGS="-I$PREFIX/include" CFLAGS="-O2" CXXFLAGS="-O2" LDFLAGS="-L$PREFIX/lib"
export CONFIG_SITE=/dev/null
AUTOCONF_HOST="--host=$HOST --prefix=$PREFIX --disable-shared --enable-static"
CMAKE_HOST="-DCMAKE_SYSTEM_NAME=Windows -DCMAKE_C_COMPILER=$CC -DCMAKE_CXX_COMPILER=$CXX
-DCMAKE_RC_COMPILER=$WINDRES -DCMAKE_FIND_ROOT_PATH=$PREFIX -DCMAKE_FIND_ROOT_PATH_MODE_PROGRAM=NEVER
-DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=ONLY -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY
-DCMAKE_INSTALL_PREFIX=$PREFIX -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF"

# A freshly unpacked tree of a source package, Debian's patches applied. Without Debian's part
# (see fetch), the upstream tarball alone, checked against the hash its .dsc gives.
unpack() {
    rm -rf "$WORK/src-$1"
    for dsc in $(ls -r "$WORK/$1"_*.dsc); do
        dpkg-source -x "$dsc" "$WORK/src-$1" && return
        rm -rf "$WORK/src-$1"
    done
    dsc=$(ls -r "$WORK/$1"_*.dsc | head -n 1)
    orig=$(awk '/^Checksums-Sha256:/ { on = 1; next } /^[^ ]/ { on = 0 }
                on && $3 ~ /[.]orig[.]tar[.][a-z0-9]+$/ { print $1 "  " $3 }' "$dsc" | head -n 1)
    [ -n "$orig" ] || return 1
    (cd "$WORK" && echo "$orig" | sha256sum -c -) || return 1
    mkdir "$WORK/src-$1"
    tar -xf "$WORK/${orig##* }" -C "$WORK/src-$1" --strip-components=1
}
srcdir() { echo "$WORK/src-$1"; }
# Each command of a build; the first that fails ends its package's build (errexit does not
# hold inside the tested subshell of step).
# Each one's time goes to the log, so a slow build shows where it spent it.
run() {
    started=$(date +%s)
    nice -n 10 "$@" || { echo "build-deps: failed: $*" >&2; exit 1; }
    echo "build-deps: $(($(date +%s) - started)) s: $*" | cut -c1-160
}
# The SDL libraries' source packages carry no generated configure: made as Debian makes it.
reconf() { AUTOMAKE="automake --foreign" ACLOCAL="aclocal --force --install -I $PREFIX/share/aclocal -I acinclude" run autoreconf -fi; }
# The licence travels with the library: Debian's copyright file (every author and licence of
# the source, as the package states them) or, without Debian's part, the upstream one. The
# Windows packages ship these beside the programs that link the libraries statically.
keep_licence() {
    mkdir -p "$PREFIX/share/licences"
    for f in debian/copyright COPYING LICENSE LICENSE.txt COPYING.txt; do
        if [ -f "$(srcdir "$1")/$f" ]; then
            cp "$(srcdir "$1")/$f" "$PREFIX/share/licences/$1.txt"
            return
        fi
    done
    die "$1 has no licence file"
}
# Builds one package, its output in a log that is shown when it fails.
step() {
    name=$1; shift
    [ -f "$PREFIX/.built-$name" ] && return
    say "building $name"
    start=$(date +%s)
    # `times` ends the log with the processor time its commands took (user, system): on a
    # loaded machine that tells more than the time on the clock.
    if ! (unpack "$name" && "$@" && times) >"$WORK/$name.log" 2>&1; then
        tail -n 40 "$WORK/$name.log" >&2
        die "$name failed (whole log: $WORK/$name.log)"
    fi
    keep_licence "$name"
    rm -rf "$(srcdir "$name")"
    touch "$PREFIX/.built-$name"
    say "  $name: $(($(date +%s) - start)) s, processor $(tail -n 1 "$WORK/$name.log") (load $(cut -d' ' -f1-3 /proc/loadavg) at the end)"
}

build_zlib() {
    cd "$(srcdir zlib)"
    CHOST=$HOST run ./configure --static --prefix="$PREFIX"
    run make -j"$JOBS" libz.a
    run make install
}

build_libpng() {
    cd "$(srcdir libpng1.6)"
    run ./configure $AUTOCONF_HOST --disable-tools --without-binconfigs
    # The library alone: libpng's default target also builds its test programs.
    run make -j"$JOBS" check_PROGRAMS= libpng16.la
    run make install check_PROGRAMS=
}

build_freetype() {
    cd "$(srcdir freetype)"
    run ./configure $AUTOCONF_HOST --with-zlib=yes --with-png=no --with-harfbuzz=no --with-bzip2=no \
        --with-brotli=no
    run make -j"$JOBS"
    run make install
}

build_pixman() {
    cd "$(srcdir pixman)"
    run ./configure $AUTOCONF_HOST --disable-gtk --disable-libpng --disable-openmp --disable-arm-iwmmxt
    run make -C pixman -j"$JOBS"
    run make -C pixman install
    run make install-pkgconfigDATA
}

build_cairo() {
    cd "$(srcdir cairo)"
    # Debian's patches touch the build files: regenerated, as Debian does (the manual's
    # gtk-doc set-up left out: no manual is built).
    GTKDOCIZE=true run autoreconf -fi
    # The image surface, PNG files and FreeType fonts; no X11, no fontconfig. (Its Windows
    # surface stays: cairo's Windows code does not build without it.)
    run ./configure $AUTOCONF_HOST --enable-png --enable-ft --disable-fc --disable-xlib --disable-xcb \
        --disable-xlib-xrender --disable-quartz --disable-script \
        --disable-ps --disable-pdf --disable-svg --disable-gobject --disable-trace --disable-interpreter \
        --disable-symbol-lookup --disable-valgrind --disable-full-testing --disable-gtk-doc \
        ax_cv_c_float_words_bigendian=no
    # Debian's patch names the exported symbols by pattern, which on Windows would clash with
    # cairo's own list (cairo.def); a static library exports nothing anyway.
    run make -C src -j"$JOBS" export_symbols=
    run make -C src install export_symbols=
}

build_libsdl2() {
    cd "$(srcdir libsdl2)"
    run ./configure $AUTOCONF_HOST --disable-hidapi --disable-video-vulkan
    run make -j"$JOBS"
    run make install
    # The programs start at their own main (SDL_MAIN_HANDLED) and choose their subsystem (console
    # or window) themselves: no SDL2main, no -mwindows for every program that links SDL.
    run sed -i -e 's/-lmingw32 -lSDL2main //' -e 's/ -mwindows//' "$PREFIX/lib/pkgconfig/sdl2.pc"
}

build_libsdl2_ttf() {
    cd "$(srcdir libsdl2-ttf)"
    reconf
    run ./configure $AUTOCONF_HOST --disable-freetype-builtin --disable-harfbuzz
    # The library alone: its demo programs would want SDL2main.
    run make -j"$JOBS" noinst_PROGRAMS=
    run make install noinst_PROGRAMS=
}

build_libsdl2_mixer() {
    cd "$(srcdir libsdl2-mixer)"
    reconf
    # The game's sounds are WAV files: every other format off.
    run ./configure $AUTOCONF_HOST --enable-music-wave --disable-music-cmd --disable-music-mod \
        --disable-music-midi --disable-music-ogg --disable-music-flac --disable-music-mp3 \
        --disable-music-opus
    # The library alone: its demo programs would want SDL2main.
    run make -j"$JOBS" install-hdrs install-lib
}

build_libsdl2_image() {
    cd "$(srcdir libsdl2-image)"
    reconf
    # PNG through libpng; nothing else.
    run ./configure $AUTOCONF_HOST --enable-png --disable-png-shared --disable-stb-image --disable-avif \
        --disable-jpg --disable-jxl --disable-tif --disable-webp --disable-bmp --disable-gif --disable-lbm \
        --disable-pcx --disable-pnm --disable-qoi --disable-svg --disable-tga --disable-xcf --disable-xpm \
        --disable-xv --disable-imageio
    # The library alone: its demo programs would want SDL2main.
    run make -j"$JOBS" noinst_PROGRAMS=
    run make install noinst_PROGRAMS=
}

build_ffmpeg() {
    cd "$(srcdir ffmpeg)"
    # The clips: AVI with MPEG-4 part 2 (the studio clips) or MJPEG (sample clips the tests write),
    # read and written, converted with swscale; files only. No debugging information, as in the
    # other libraries.
    run ./configure --prefix="$PREFIX" --enable-cross-compile --target-os=mingw32 --arch=x86_64 \
        --cross-prefix=$HOST- --cc="$CC" --cxx="$CXX" --pkg-config=pkg-config --enable-static \
        --disable-shared --disable-autodetect --disable-everything --disable-programs --disable-doc --disable-debug \
        --disable-network --disable-avdevice --disable-avfilter --disable-swresample --disable-postproc \
        --enable-w32threads --enable-protocol=file --enable-demuxer=avi --enable-muxer=avi \
        --enable-decoder=mpeg4,mjpeg --enable-encoder=mpeg4,mjpeg --enable-parser=mpeg4video,mjpeg
    run make -j"$JOBS"
    run make install
}

build_googletest() {
    cd "$(srcdir googletest)"
    rm -rf build && mkdir build && cd build
    run cmake .. $CMAKE_HOST -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON
    run make -j"$JOBS"
    run make install
}

build_libebur128() {
    cd "$(srcdir libebur128)"
    rm -rf build && mkdir build && cd build
    run cmake .. $CMAKE_HOST -DENABLE_INTERNAL_QUEUE_H=ON
    run make -j"$JOBS"
    run make install
}

build() {
    for p in "$@"; do
        step "$p" "build_$(echo "$p" | tr '.-' '__' | sed 's/libpng1_6/libpng/')"
    done
}
total=$(date +%s)
# Configure scripts run one check after another, so two independent chains of packages are
# built side by side; the SDL add-ons need both.
build zlib libpng1.6 freetype pixman cairo &
first=$!
build ffmpeg libsdl2 googletest libebur128 &
second=$!
failed=0
wait $first || failed=1
wait $second || failed=1
[ $failed = 0 ] || exit 1
build libsdl2-ttf libsdl2-mixer libsdl2-image
for p in $PACKAGES; do
    [ -f "$PREFIX/.built-$p" ] || die "$p has no place in the build order"
done
printf '%s\n' "$uris" >"$PREFIX/sources.txt"
touch "$PREFIX/.complete"
rm -rf "$WORK"
say "built in $(($(date +%s) - total)) s: $PREFIX"
echo "$PREFIX"
