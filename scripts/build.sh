#!/bin/sh
# Builds the three configurations: build/native (the core, the tools' rules and their unit tests,
# under the sanitizers), build/win (the Windows programs and what is built like them) and
# build/win-tests (the end-to-end tests, which run the programs of build/win under Wine).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
toolchain="$root/cmake/mingw-i686.cmake"

cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build/native" -j "$jobs"

cmake -S "$root" -B "$root/build/win" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DMINGW_THREADS=win32 >/dev/null
cmake --build "$root/build/win" -j "$jobs"

cmake -S "$root" -B "$root/build/win-tests" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DMINGW_THREADS=posix -DKOLBRENTA_E2E_PROGRAMS="$root/build/win/bin" >/dev/null
cmake --build "$root/build/win-tests" -j "$jobs"
