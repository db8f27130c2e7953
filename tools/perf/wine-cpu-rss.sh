#!/usr/bin/env bash
# CPU share and resident memory of a Windows program running under Wine on a private virtual
# display: the program is started in a fresh copy of the Wine prefix the Windows tests boot
# (build/x64/e2e-template), left 15 s to settle, then its process CPU time is read over SECONDS.
#   tools/perf/wine-cpu-rss.sh [EXE] [SECONDS]     (default build/x64/Pinarbo.exe, 60)
#   tools/perf/wine-cpu-rss.sh --minimal [SECONDS] (the yardstick: minimal-window.cpp beside it)
# Prints "cpu <per cent of one core> rss <kB>". Pinarbo starts as after a first start (main
# window placed), so the tree and its frames run as a user sees them.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ "${1:-}" = --minimal ]; then
  shift
  set -- "$root/build/perf/minimal-window.exe" "$@"
  mkdir -p "$root/build/perf"
  x86_64-w64-mingw32-g++ -O2 -municode -mwindows -static "$root/tools/perf/minimal-window.cpp" -o "$1" || exit 1
fi
exe=$(realpath "${1:-$root/build/x64/Pinarbo.exe}")
secs=${2:-60}
. "$root/scripts/lib/wine.sh"
. "$root/scripts/lib/display.sh"
template=$root/build/x64/e2e-template
[ -d "$template" ] || { echo "no Wine template: run the Windows tests once (ctest -R e2e in build/x64)"; exit 1; }

export WINEDEBUG=-all WINEPREFIX
WINEPREFIX=$(mktemp -d)/prefix
cp -a "$template" "$WINEPREFIX"
pinarbo_start_display || exit 1
cleanup() { wineserver -k 2>/dev/null; kill "$xvfb_pid" 2>/dev/null; rm -rf "$(dirname "$WINEPREFIX")"; }
trap cleanup EXIT

"$PINARBO_WINE" reg add 'HKCU\Software\Holverin\Pinarbo\Options\Windows\Main' /v x /d 1 /f >/dev/null 2>&1
"$PINARBO_WINE" "$exe" >/dev/null 2>&1 &
sleep 15
name=$(basename "$exe")
pid=""
for p in $(pgrep -f "$name"); do [ "$(cat "/proc/$p/comm" 2>/dev/null)" = "${name:0:15}" ] && pid=$p; done  # comm keeps 15 characters
[ -n "$pid" ] || { echo "$name is not running"; exit 1; }
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
t0=$(ticks); s0=$(date +%s%N)
sleep "$secs"
t1=$(ticks); s1=$(date +%s%N)
rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
awk -v t="$((t1 - t0))" -v hz="$(getconf CLK_TCK)" -v ns="$((s1 - s0))" -v rss="$rss" \
  'BEGIN { printf "cpu %.1f %% rss %d kB\n", t / hz / (ns / 1e9) * 100, rss }'
