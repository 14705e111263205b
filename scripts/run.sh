#!/usr/bin/env bash
# The run command: builds Torvik.exe and starts it under Wine in a working folder of its
# own, with the board simulator attached as COM4. Prints what the board receives and the
# run log as they come; Ctrl-C ends everything.
#   scripts/run.sh [boardsim options, e.g. --version 899 --reset-count 2]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TORVIK_BUILD:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

run="$build/run"
export TORVIK_E2E_WORK="$run"
export WINEPREFIX="$run/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8
[[ -f "$WINEPREFIX/system.reg" ]] || python3 "$root/tests/e2e/make_prefix.py"
mkdir -p "$run/work"

pids=()
cleanup() {
  kill "${pids[@]}" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
}
trap cleanup EXIT INT TERM

if [[ -z "${DISPLAY:-}" ]]; then
  for n in $(seq 90 200); do [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] || break; done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  export DISPLAY=":$n"
  echo "no display: using the virtual display $DISPLAY (screenshot: import -display $DISPLAY -window root shot.png)"
fi

# Only the simulated board's port exists in this prefix.
find "$WINEPREFIX/dosdevices" -maxdepth 1 -iname 'com*' -delete
link="$run/board-com4"
"$build/native/bin/boardsim" --link "$link" --version 900 --reset-count 2 "$@" | sed -u 's/^/board: /' &
pids+=($!)
for _ in $(seq 50); do [[ -L "$link" ]] && break; sleep 0.1; done
ln -sfn "$link" "$WINEPREFIX/dosdevices/com4"

cd "$run/work"
tail -n +1 -F RunLog.txt 2>/dev/null | sed -u 's/^/log: /' &
pids+=($!)
echo "Torvik runs in $run/work; close its window or press Ctrl-C to end."
wine "$build/win64/bin/Torvik.exe"
