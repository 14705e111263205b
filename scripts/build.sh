#!/usr/bin/env bash
# Builds both builds: win64 (Torvik.exe and the Win32 tools) and native (tests, Linux tools).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TORVIK_BUILD:-$root/build}
jobs=${TORVIK_JOBS:-2}
cmake -S "$root" -B "$build/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/win64" -j "$jobs"
cmake -S "$root" -B "$build/native" -DCMAKE_BUILD_TYPE=Debug -DTORVIK_WIN64_BIN="$build/win64/bin" >/dev/null
cmake --build "$build/native" -j "$jobs"
