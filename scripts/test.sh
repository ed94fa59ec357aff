#!/bin/sh
# Builds everything and runs every test: the core natively, then the Windows programs under Wine.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
ctest --test-dir "$root/build/native" --output-on-failure -j "$(nproc)"
"$root/tests/harness/harness.sh" "$root/build/win/harness" \
    ctest --test-dir "$root/build/win" --output-on-failure
