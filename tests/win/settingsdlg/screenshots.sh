#!/usr/bin/env bash
# Photographs every page of the settings dialog over the program's desktop tree:
#   screenshots.sh <wintest_settingsdlg.exe> <output folder> <wine prefix>
# Leaves page<template>.png (the dialog's area) and screen-page<template>.png for each page, and
# page165-open.png with the gradient list dropped down, in the output folder.
set -u
exe=$1 out=$2 prefix=$3
root=$(cd "$(dirname "$0")/../../.." && pwd)
mkdir -p "$out"
rm -f "$out"/*.png
log=$out/showcase.log
. "$root/scripts/lib/display.sh"
xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
  pinarbo_start_display || { echo "FAILED: no virtual display"; exit 1; }
fi
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null' EXIT

"$root/scripts/wine-run" --prefix "$prefix" "$exe" --gtest_also_run_disabled_tests \
  --gtest_filter='AppSettings.DISABLED_Showcase' >"$log" 2>&1 &
pid=$!
seen=0 fail=0
for _ in $(seq 1 1200); do
  lines=$(grep -a -c '^PAGE ' "$log")
  if [ "$lines" -gt "$seen" ]; then
    read -r _ name left top right bottom <<<"$(grep -a '^PAGE ' "$log" | sed -n "$((seen + 1))p" | tr -d '\r')"
    sleep 0.8
    import -window root "$out/screen-$name.png"
    h=$((bottom - top))
    convert "$out/screen-$name.png" -crop "$((right - left))x${h}+${left}+${top}" +repage "$out/$name.png"
    echo "photographed $name"
    seen=$((seen + 1))
  fi
  grep -a -q '^DONE' "$log" && [ "$lines" -eq "$seen" ] && break
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
wait $pid || fail=1
[ "$seen" -ge 5 ] || { echo "FAILED: only $seen pages photographed"; fail=1; }
[ $fail -eq 0 ] || cat "$log"
exit $fail
