#!/bin/sh
# Installs every Debian package needed to build, run and test Tolarka.
# Runs as root directly, or through sudo from a normal account.
set -e
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends \
  build-essential cmake ninja-build pkg-config clang clang-format libclang-rt-14-dev \
  libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev libpng-dev libx11-dev \
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev \
  libcairo2-dev libebur128-dev \
  fonts-liberation fonts-dejavu-core \
  libgtest-dev googletest \
  xvfb xauth x11-utils imagemagick sox xdotool openbox ffmpeg \
  desktop-file-utils appstream dpkg-dev debhelper file \
  g++-mingw-w64-x86-64-posix wine64 nsis nasm autoconf automake libtool unzip
