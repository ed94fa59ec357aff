#!/bin/sh
# Installs what the build and the tests need on Debian 12, and only what is missing.
set -eu

packages="cmake make g++ googletest libgtest-dev zlib1g-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32
  binutils-mingw-w64-i686 mingw-w64-i686-dev
  wine wine32:i386 xvfb fonts-wine fonts-liberation fonts-dejavu-core"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages:$missing; run as root to install them" >&2
    exit 1
fi
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends $missing >/dev/null
