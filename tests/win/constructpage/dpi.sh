#!/usr/bin/env bash
# The construction page made at 192 DPI: the DPI test of this group run again in a copy of the
# Wine prefix at LogPixels 192 (Wine reads it when a process starts and then answers 192 for
# every window), so the page opens with its dialog units, fonts and canvas at twice the size.
#   dpi.sh <wintest_constructpage.exe> <output folder> <wine prefix>
set -u
exe=$1 out=$2 prefix=$3
root=$(cd "$(dirname "$0")/../../.." && pwd)
. "$root/scripts/lib/wine.sh"
mkdir -p "$out"
copy=$out/prefix192
log=$out/dpi192.log
xvfb_pid=""
cleanup() {
  WINEPREFIX=$copy "$PINARBO_WINESERVER" -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$copy"  # a 700 MB copy
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$fifo" 2>/dev/null &
  xvfb_pid=$!
  read -r -t 20 num <"$fifo" || { echo "FAILED: Xvfb did not start"; rm -f "$fifo"; exit 1; }
  rm -f "$fifo"
  export DISPLAY=:$num
fi

# A booted prefix to copy (the group's own run boots it when it has not yet).
"$root/scripts/wine-run" --prefix "$prefix" cmd /c exit >/dev/null 2>&1
WINEPREFIX=$prefix timeout 60 "$PINARBO_WINESERVER" -w
rm -rf "$copy"
cp -a "$prefix" "$copy"
"$root/scripts/wine-run" --prefix "$copy" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f \
  >/dev/null 2>&1
WINEPREFIX=$copy timeout 60 "$PINARBO_WINESERVER" -w
timeout 240 "$root/scripts/wine-run" --prefix "$copy" "$exe" --gtest_filter='PageDpi.*' >"$log" 2>&1
rc=$?
tr -d '\r' <"$log" | grep -a -E '^\[ *(OK|FAILED|PASSED) |opened at|Failure' | head -20
grep -a -q 'the page opened at 192 DPI' "$log" || { echo "FAILED: the page did not open at 192 DPI"; rc=1; }
[ $rc -eq 0 ] || tail -n 40 "$log"
exit $rc
