#!/bin/sh
# Builds everything and runs every test: natively the core and the tools' rules, the programs'
# headers, then the programs themselves under Wine.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
ctest --test-dir "$root/build/native" --output-on-failure -j "$(nproc)"
ctest --test-dir "$root/build/win" --output-on-failure
"$root/tests/harness/harness.sh" "$root/build/win-tests/harness" \
    ctest --test-dir "$root/build/win-tests" --output-on-failure
