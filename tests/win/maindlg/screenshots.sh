#!/usr/bin/env bash
# Photographs the main window's button in its three looks with the real pointer and checks them:
#   screenshots.sh <wintest_maindlg.exe> <output folder> <wine prefix>
# Uses DISPLAY (the test run's Xvfb) or a private Xvfb; needs xdotool and ImageMagick. Leaves normal.png, hot-a.png,
# hot-b.png, centre-a.png, centre-b.png and pressed.png (crops of the button) in the output folder.
set -u
exe=$1 out=$2 prefix=$3
root=$(cd "$(dirname "$0")/../../.." && pwd)
mkdir -p "$out"
rm -f "$out"/*.png
log=$out/showcase.log
fail=0

# The pointer, the screenshots and the program must share one display: start one when none is set.
. "$root/scripts/lib/display.sh"
xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
  pinarbo_start_display || { echo "FAILED: no virtual display"; exit 1; }
fi
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null' EXIT
check() { # message, condition...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; fail=1; fi
}

"$root/scripts/wine-run" --prefix "$prefix" "$exe" --gtest_also_run_disabled_tests \
  --gtest_filter='MainDlgShowcase.*' >"$log" 2>&1 &
pid=$!

rect=""
for _ in $(seq 1 600); do
  rect=$(grep -a '^BUTTON ' "$log" | head -1 | tr -d '\r')
  [ -n "$rect" ] && break
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
if [ -z "$rect" ]; then
  echo "FAILED: the dialog did not come up"; cat "$log"; kill $pid 2>/dev/null; exit 1
fi
read -r _ left top right bottom <<<"$rect"
w=$((right - left)) h=$((bottom - top)) cx=$(((left + right) / 2)) cy=$(((top + bottom) / 2))
crop="${w}x${h}+${left}+${top}"

shot() { # name: the button's area of the screen
  import -window root "$out/screen.png" && convert "$out/screen.png" -crop "$crop" +repage "$out/$1.png"
}
differ() { # a b: number of differing pixels > 0
  local n
  n=$(compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1 | cut -d' ' -f1)
  echo "   $1 vs $2: $n pixels differ"
  [ "${n%.*}" -gt 0 ]
}
same() { ! differ "$1" "$2"; }

xdotool mousemove 5 1000; sleep 1
shot normal
xdotool mousemove $((right - 3)) "$cy"; sleep 1   # off-centre, to the right: the texture flows
shot hot-a; sleep 0.2; shot hot-b
xdotool mousemove "$cx" "$cy"; sleep 1            # the centre: still
shot centre-a; sleep 0.2; shot centre-b
xdotool mousedown 1; sleep 0.6
shot pressed
xdotool mousemove $((right + 8)) "$cy"; sleep 0.3 # release beside the button: no click
xdotool mouseup 1; sleep 0.5
xdotool mousemove "$cx" "$cy"; sleep 0.5
xdotool click 1                                   # the click that ends the showcase

check "hot look differs from the normal look" differ normal hot-a
check "hot texture moves 200 ms later with the pointer off-centre" differ hot-a hot-b
check "hot texture stands still with the pointer at the centre" same centre-a centre-b
check "pressed look differs from the hot look" differ centre-b pressed
check "pressed look differs from the normal look" differ normal pressed

for _ in $(seq 1 200); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then echo "FAILED: the final click did not end the showcase"; kill $pid; fail=1; fi
wait $pid
rc=$?
check "showcase run passed (one click, none from the release outside)" test $rc -eq 0
[ $rc -eq 0 ] || grep -a -E 'Failure|Expected|Which|Actual' "$log"
rm -f "$out/screen.png"
exit $fail
