#!/usr/bin/env bash
# Cross-builds the program and its Windows test programs for x86_64 Windows:
# the libraries first (cached, see build-libs.sh), then the project in BUILD_DIR.
# WIN_PREFIX=folder (and WIN_EXTRA_PREFIX=folder) use already built library prefixes instead.
#
# Usage: build.sh [BUILD_DIR]     (default build-windows)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
B=${1:-$ROOT/build-windows}
JOBS=${JOBS:-$(nproc)}

"$ROOT/scripts/windows/deps.sh"
T0=$(date +%s)
if [ -z "${WIN_PREFIX:-}" ]; then
  # Its output is shown as it comes, and its last line names the prefix. (Not through
  # tee /dev/stderr: that reopens a log file given as stderr and truncates it.)
  libs_log=$(mktemp)
  "$ROOT/scripts/windows/build-libs.sh" | tee "$libs_log"
  WIN_PREFIX=$(tail -n 1 "$libs_log")
  rm -f "$libs_log"
fi
if [ -z "${WIN_EXTRA_PREFIX:-}" ]; then
  # The libraries added later (HTML5 parser, EXIF), cached on their own.
  extra_log=$(mktemp)
  "$ROOT/scripts/windows/build-extra-libs.sh" | tee "$extra_log"
  WIN_EXTRA_PREFIX=$(tail -n 1 "$extra_log")
  rm -f "$extra_log"
fi
T1=$(date +%s)

# Another library set means another configuration.
if [ -f "$B/CMakeCache.txt" ] && { ! grep -qxF "WIN_PREFIX:PATH=$WIN_PREFIX" "$B/CMakeCache.txt" ||
    ! grep -qxF "WIN_EXTRA_PREFIX:PATH=$WIN_EXTRA_PREFIX" "$B/CMakeCache.txt"; }; then
  rm -rf "$B"
fi
if [ ! -f "$B/build.ninja" ]; then
  cmake -S "$ROOT" -B "$B" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/scripts/windows/toolchain.cmake" \
    -DWIN_PREFIX="$WIN_PREFIX" -DWIN_EXTRA_PREFIX:PATH="$WIN_EXTRA_PREFIX" -DCMAKE_BUILD_TYPE=Release -DWERROR=ON -DBUILD_BENCHMARKS=OFF >/dev/null
fi
cmake --build "$B" -j "$JOBS"
T2=$(date +%s)
echo "libraries $((T1 - T0))s, program $((T2 - T1))s"
echo "$B/huizhan-hotspots.exe: $(stat -c %s "$B/huizhan-hotspots.exe") bytes"
