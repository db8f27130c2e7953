#!/usr/bin/env bash
# The construction page made at 192 DPI: the DPI test of this group run again in a copy of the
# Wine prefix at LogPixels 192 (Wine reads it when a process starts and then answers 192 for
# every window), so the page opens with its dialog units, fonts and canvas at twice the size.
#   dpi.sh <wintest_constructpage.exe> <output folder> <wine prefix>
set -u
exe=$1
mkdir -p "$2"
out=$(cd "$2" && pwd) prefix=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
root=$(cd "$(dirname "$0")/../../.." && pwd)
. "$root/scripts/lib/wine.sh"
copy=$out/prefix192
log=$out/dpi192.log
cleanup() {
  WINEPREFIX=$copy "$PINARBO_WINESERVER" -k 2>/dev/null
  rm -rf "$copy" "$copy.lock"  # a 700 MB copy
}
trap cleanup EXIT
# Without $DISPLAY each wine-run starts a virtual display of its own.

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
