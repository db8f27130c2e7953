#!/usr/bin/env bash
# Pinarbo beside its floors, one after another on one private virtual display and one Wine server:
#   tools/perf/side-by-side.sh [REPS] [SECONDS]     (default 3 repetitions of 20 s each)
# Each repetition runs, in this order:
#   shown     Pinarbo with its main window shown and the pointer resting on the main button (the
#             button animates while hovered, as under a user's pointer)
#   tray      Pinarbo started minimised into the tray icon ("StartMinimize" 1): the tree alone
#   layered   tools/perf/layered-floor.cpp: a 193 x 250 layered window updated every 35 ms
#   layered-tree  the same window, transparent outside the default tree's outline (from
#             tests/data/golden): under Wine the outline costs time of its own on every update
#   minimal   tools/perf/minimal-window.cpp: the smallest Win32 window program
# Pinarbo is build/x64/Pinarbo.exe or PINARBO_EXE, run stripped of debug sections as a Release
# build ships; and, when PINARBO_BEFORE names another build of Pinarbo.exe, that build shown and in the tray
# (before-shown, before-tray) for a before/after table made in one run.
# Per program: launch (ms from starting the process to its window mapped on the display, found by a
# poll with a time limit), then after SETTLE seconds (5) the process CPU time over SECONDS (per cent
# of one core, in slices of SLICE seconds, 5), VmRSS and PSS (kB, /proc/PID/smaps_rollup) at the end.
# Prints every run and then the medians, with each one's ratio to both layered floors (CPU) or
# difference to the minimal window program (memory, launch). CPU is given twice: the median of the
# runs, and the lower quartile of all slices, which the ratios use. On a shared build machine other
# work comes in bursts of tens of seconds that can double the time of a program which fills fresh
# pages every frame (as Wine's layered-window update does); a burst lifts some slices, and the lower
# quartile is what the program costs outside them. LAUNCHES=N adds N rounds that only launch Pinarbo
# (shown, and the PINARBO_BEFORE build) and the minimal program, one after another, for the launch
# medians. After each shown run's slices come PAIRS (3) pairs of slices in the same process, the
# pointer away from the main window and then on the button again: their paired differences are what
# the animation alone costs. With SMAPS=1 each program's resident memory per mapped file goes to
# build/perf/smaps-LABEL.txt.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
reps=${1:-3}
secs=${2:-20}
settle=${SETTLE:-5}
exe=$(realpath "${PINARBO_EXE:-$root/build/x64/Pinarbo.exe}")
before=${PINARBO_BEFORE:+$(realpath "$PINARBO_BEFORE")}
perf=$root/build/perf
mkdir -p "$perf"
for tool in minimal-window layered-floor; do
  if [ ! -x "$perf/$tool.exe" ] || [ "$root/tools/perf/$tool.cpp" -nt "$perf/$tool.exe" ]; then
    x86_64-w64-mingw32-g++ -O2 -municode -mwindows -static "$root/tools/perf/$tool.cpp" -o "$perf/$tool.exe" || exit 1
  fi
done
# The default tree's outline, one byte a pixel (0 where the scene and its garlands are fully
# transparent), for the tree-shaped floor.
golden=$root/tests/data/golden
convert "$golden/default-scene.png" "$golden/default-garlands.png" -compose over -composite -alpha extract \
  -threshold 0 -depth 8 "gray:$perf/tree-mask.raw" || exit 1

. "$root/scripts/lib/wine.sh"
. "$root/scripts/lib/display.sh"
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEPREFIX
work=$(mktemp -d)
WINEPREFIX=$work/prefix
template=$root/build/x64/e2e-template
if [ -d "$template" ]; then
  cp -a "$template" "$WINEPREFIX"
else
  "$root/scripts/wine-run" --prefix "$template" reg add 'HKCU\Software\Wine' /f >/dev/null 2>&1 || exit 1
  WINEPREFIX=$template timeout 120 "$PINARBO_WINESERVER" -w
  cp -a "$template" "$WINEPREFIX"
fi
unset DISPLAY
pinarbo_start_display || exit 1
cleanup() { "$PINARBO_WINESERVER" -k 2>/dev/null; kill "$xvfb_pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
# One Wine server for the whole run, started before the first measurement, so that no launch
# pays for starting it.
"$PINARBO_WINESERVER" -p
# A main-window placement (44 bytes: shown normally at 100,100), as a clean exit leaves it, so that
# every launch is an everyday later start: a run ended by this script leaves its "Handle" behind,
# and with that alone the next start would count as a first start (centred, shown, the autostart
# shortcut checked against this very file).
"$PINARBO_WINE" reg add 'HKCU\Software\Holverin\Pinarbo\Options\Windows\Main' /v plmnt /t REG_BINARY \
  /d 2c0000000000000001000000ffffffffffffffffffffffffffffffff64000000640000002c0100002c010000 /f >/dev/null 2>&1
results=$work/results
launches=$work/launches
slices=$work/slices
pairs=$work/pairs

now_ms() { echo $(($(date +%s%N) / 1000000)); }
# The Linux process of a Windows program: its command line starts with the program's full path and
# it runs in this run's prefix (other Wine programs of the same name may run on the machine).
find_pid() {
  local p
  for p in $(pgrep -f "^$1"); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && { echo "$p"; return 0; }
  done
  return 1
}
# wait_for COMMAND...: runs the command until it succeeds, at most 60 s.
wait_for() {
  local deadline=$((SECONDS + 60))
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.005
  done
}
# The CPU time of every thread of a process so far, in ns.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.0f", s }'; }
# cpu_slice PID SECONDS: the process's CPU over the next SECONDS, per cent of one core.
cpu_slice() {
  local c0 c1 w0 w1
  c0=$(cpu_ns "$1"); w0=$(date +%s%N)
  sleep "$2"
  c1=$(cpu_ns "$1"); w1=$(date +%s%N)
  awk -v c="$((c1 - c0))" -v w="$((w1 - w0))" 'BEGIN { printf "%.3f", c / w * 100 }'
}
mapped_named() { xdotool search --onlyvisible --name "^$1\$"; }
mapped_class() { xdotool search --onlyvisible --classname "$1"; }

# measure LABEL EXE MAPPED-CHECK... [-- ARGUMENTS...]: one run of a program.
measure() {
  local label=$1 program=$2 pid t0 t1 rss pss launch name check=()
  shift 2
  while [ $# -gt 0 ] && [ "$1" != -- ]; do check+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  name=$(basename "$program")
  t0=$(now_ms)
  "$PINARBO_WINE" "$program" "$@" >/dev/null 2>&1 &
  if ! wait_for "${check[@]}"; then echo "$label: no window within 60 s" >&2; return 1; fi
  t1=$(now_ms)
  launch=$((t1 - t0))
  echo "$label $launch" >>"$launches"
  pid=$(find_pid "$program") || { echo "$label: $name is not running" >&2; return 1; }
  if [ "${label#*shown}" != "$label" ]; then
    # The pointer on the main button, off its centre so that the texture flows.
    # (A search can fail while another window of the display is being destroyed: asked again.)
    local win x y w h geometry="" tries
    for ((tries = 0; tries < 50; tries++)); do
      win=$(mapped_named Pinarbo 2>/dev/null | head -n 1)
      [ -n "$win" ] && geometry=$(xdotool getwindowgeometry --shell "$win" 2>/dev/null) && break
      sleep 0.1
    done
    [ -n "$geometry" ] || { echo "$label: the main window cannot be found" >&2; kill "$pid"; return 1; }
    eval "$geometry"
    x=$((X + WIDTH / 2 + 20)); y=$((Y + HEIGHT / 2 + 10))
    xdotool mousemove "$x" "$y"
  else
    xdotool mousemove 1270 1010
  fi
  sleep "$settle"
  # The run's CPU is the mean of its slices, which follow one another without a gap.
  local slice=${SLICE:-5} count k share run=""
  count=$((secs / slice))
  [ "$count" -ge 1 ] || { count=1; slice=$secs; }
  for ((k = 0; k < count; k++)); do
    share=$(cpu_slice "$pid" "$slice")
    echo "$label $share" >>"$slices"
    run="$run $share"
  done
  # The button's animation alone: in the same process, slices with the pointer away from the
  # main window (still) and back on the button (hover) take turns, so that outside work falls on
  # both alike; the summary gives the median of the paired differences.
  if [ "${label#*shown}" != "$label" ]; then
    local pair still
    for ((pair = 0; pair < ${PAIRS:-3}; pair++)); do
      xdotool mousemove 1270 1010
      sleep 1
      still=$(cpu_slice "$pid" "$slice")
      xdotool mousemove "$x" "$y"
      sleep 1
      echo "$label $still $(cpu_slice "$pid" "$slice")" >>"$pairs"
    done
  fi
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
  pss=$(awk '/^Pss:/ {print $2}' "/proc/$pid/smaps_rollup")
  if [ -n "${SMAPS:-}" ]; then
    # Where the resident memory lies: kB per mapped file (anonymous memory as "[anon]").
    awk '/^[0-9a-f]+-[0-9a-f]+ / { name = NF >= 6 ? $6 : "[anon]" } /^Rss:/ { rss[name] += $2 }
         END { for (n in rss) printf "%7d %s\n", rss[n], n }' "/proc/$pid/smaps" | sort -rn >"$perf/smaps-$label.txt"
  fi
  kill "$pid" 2>/dev/null
  local deadline=$((SECONDS + 30))
  while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.05; done
  awk -v l="$label" -v run="$run" -v rss="$rss" -v pss="$pss" -v launch="$launch" \
    'BEGIN { n = split(run, a, " "); for (i = 1; i <= n; i++) t += a[i]
             printf "%s %.2f %d %d %d\n", l, t / n, rss, pss, launch }' | tee -a "$results"
}

pinarbo_run() {
  local label=$1 program=$2 start=$3
  "$PINARBO_WINE" reg add 'HKCU\Software\Holverin\Pinarbo\Options\Common' /v StartMinimize /d "$start" /f >/dev/null 2>&1
  if [ "$start" = 0 ]; then
    measure "$label" "$program" mapped_named Pinarbo
  else
    # Minimised into the icon: the tree's window is the one that appears.
    measure "$label" "$program" mapped_class "$(basename "$program" | tr 'A-Z' 'a-z')"
  fi
}

echo "# label cpu% rss_kB pss_kB launch_ms ($(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg))"
# The builds as shipped: without the debug sections of a build with debug information, which Wine
# would otherwise read into memory with the image.
mkdir -p "$work/now" "$work/before"
x86_64-w64-mingw32-strip -o "$work/now/Pinarbo.exe" "$exe" || exit 1
[ -z "$before" ] || x86_64-w64-mingw32-strip -o "$work/before/Pinarbo.exe" "$before" || exit 1
# One launch left out of the figures: the first Wine program of a run pays for the server's and
# the display's first work.
secs=1 settle=0 measure warm-up "$perf/minimal-window.exe" mapped_named hello >/dev/null
touch "$pairs"
sed -i '/^warm-up /d' "$results" "$launches" "$slices"
for ((r = 1; r <= reps; r++)); do
  pinarbo_run shown "$work/now/Pinarbo.exe" 0
  pinarbo_run tray "$work/now/Pinarbo.exe" 1
  measure layered "$perf/layered-floor.exe" mapped_named layered-floor
  measure layered-tree "$perf/layered-floor.exe" mapped_named layered-floor -- 193 250 "Z:$perf/tree-mask.raw"
  measure minimal "$perf/minimal-window.exe" mapped_named hello
  if [ -n "$before" ]; then
    pinarbo_run before-shown "$work/before/Pinarbo.exe" 0
    pinarbo_run before-tray "$work/before/Pinarbo.exe" 1
  fi
done

# launch_only LABEL EXE MAPPED-CHECK...: one more launch, then the program is ended.
launch_only() {
  local label=$1 program=$2 t0 pid
  shift 2
  t0=$(now_ms)
  "$PINARBO_WINE" "$program" >/dev/null 2>&1 &
  if ! wait_for "$@"; then echo "$label: no window within 60 s" >&2; return 1; fi
  echo "$label $(($(now_ms) - t0))" >>"$launches"
  pid=$(find_pid "$program") && kill "$pid"
  local deadline=$((SECONDS + 30))
  while [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.05; done
}
"$PINARBO_WINE" reg add 'HKCU\Software\Holverin\Pinarbo\Options\Common' /v StartMinimize /d 0 /f >/dev/null 2>&1
for ((r = 1; r <= ${LAUNCHES:-0}; r++)); do
  launch_only shown "$work/now/Pinarbo.exe" mapped_named Pinarbo
  launch_only minimal "$perf/minimal-window.exe" mapped_named hello
  [ -z "$before" ] || launch_only before-shown "$work/before/Pinarbo.exe" mapped_named Pinarbo
done

echo "# medians over $reps runs of $secs s (load at the end $(cut -d' ' -f1-3 /proc/loadavg))"
awk '
  # sorted(LIST, A): the numbers of the blank-separated LIST into A[1..n] in ascending order; n.
  function sorted(list, a,   n, i, j, t) {
    n = split(list, a, " ")
    for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] + 0 < a[i] + 0) { t = a[i]; a[i] = a[j]; a[j] = t }
    return n
  }
  function median(list,   n, a) {
    n = sorted(list, a)
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
  }
  function quartile(list,   n, a) {
    n = sorted(list, a)
    return a[int((n + 3) / 4)]
  }
  FILENAME == ARGV[1] { ms[$1] = ms[$1] " " $2; next }
  FILENAME == ARGV[2] { sl[$1] = sl[$1] " " $2; nsl[$1]++; next }
  FILENAME == ARGV[3] { if (!($1 in np)) porder[++pcount] = $1
                        np[$1]++; still[$1] = still[$1] " " $2; hover[$1] = hover[$1] " " $3; diff[$1] = diff[$1] " " ($3 - $2); next }
  { if (!($1 in seen)) { seen[$1] = 1; order[++count] = $1 }
    cpu[$1] = cpu[$1] " " $2; rss[$1] = rss[$1] " " $3; pss[$1] = pss[$1] " " $4 }
  END {
    fc = quartile(sl["layered"]); ft = quartile(sl["layered-tree"]); mr = median(rss["minimal"]); mp = median(pss["minimal"]); ml = median(ms["minimal"])
    printf "| program | CPU %% of a core, median of runs | CPU, lower quartile of slices | x layered floor | x tree-shaped floor | VmRSS MB | vs minimal | PSS MB | vs minimal | launch ms | vs minimal |\n"
    printf "|---|---|---|---|---|---|---|---|---|---|---|\n"
    for (i = 1; i <= count; i++) {
      l = order[i]; c = median(cpu[l]); q = quartile(sl[l]); r = median(rss[l]); p = median(pss[l]); t = median(ms[l])
      printf "| %s | %.2f | %.2f (%d slices) | %.2fx | %.2fx | %.1f | %+.1f | %.1f | %+.1f | %d | %+d |\n", l, c, q, nsl[l],
        (fc > 0 ? q / fc : 0), (ft > 0 ? q / ft : 0), r / 1024, (r - mr) / 1024, p / 1024, (p - mp) / 1024, t, t - ml
    }
    if (pcount) {
      printf "\n| the button animation alone, same process | pointer away, median | pointer on the button, median | hover - still, median of the paired slices |\n|---|---|---|---|\n"
      for (i = 1; i <= pcount; i++) {
        l = porder[i]
        printf "| %s | %.2f | %.2f | %+.2f points (%d pairs) |\n", l, median(still[l]), median(hover[l]), median(diff[l]), np[l]
      }
    }
  }' "$launches" "$slices" "$pairs" "$results"
