#!/usr/bin/env bash
# The test command: installs what it needs, builds both builds and runs every suite:
# unit and scenario tests, the same under AddressSanitizer and UBSan, and end to end under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TORVIK_BUILD:-$root/build}
jobs=${TORVIK_JOBS:-2}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

cmake -S "$root" -B "$build/sanitize" -DCMAKE_BUILD_TYPE=Debug -DTORVIK_SANITIZE=ON >/dev/null
cmake --build "$build/sanitize" -j "$jobs" --target torvik_unit_tests

echo "== unit and scenario tests"
ctest --test-dir "$build/native" -L unit -j "$jobs" --output-on-failure
echo "== the same under the sanitizers"
ctest --test-dir "$build/sanitize" -L unit -j "$jobs" --output-on-failure
echo "== end to end under Wine (screenshots in $build/native/e2e/screenshots)"
ctest --test-dir "$build/native" -L e2e --output-on-failure
