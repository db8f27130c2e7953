# Shared part of the end-to-end scenarios. Each scenario script is run by ctest as
#   bash SCRIPT <path to Pinarbo.exe> <build dir>
# and sources this file. It gets a fresh copy of a booted Wine prefix, drives the program with
# pinarbo_ctl.exe (window messages, tray and shell link queries) and checks the registry.
set -uo pipefail

exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
build=$(cd "$2" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
root=$(cd "$here/../../.." && pwd)
scenario=$(basename "$0" .sh)
ctl=${PINARBO_CTL:-$build/tests/pinarbo_ctl.exe}
work=$build/e2e/$scenario
. "$root/scripts/lib/wine.sh"
. "$root/scripts/lib/display.sh"
wine=$PINARBO_WINE
key='HKCU\Software\Holverin\Pinarbo'
app_pid=""
xvfb_pid=""
failures=0

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64

log() { echo "[$scenario] $*"; }
# Every Wine call is bounded: a step that hangs (Wine, X or the program) fails that step with a
# message instead of stalling the whole scenario until ctest's limit.
wine_t() { timeout "${E2E_STEP_SECONDS:-90}" "$wine" "$@"; }
# wine_settle: waits for the prefix's processes to end, at most 60 s, then ends what is left.
wine_settle() {
  timeout 60 "$PINARBO_WINESERVER" -w && return 0
  log "Wine processes still running after 60 s: ending them"
  wineserver -k 2>/dev/null
  return 1
}
fail() { echo "[$scenario] FAIL: $*"; failures=$((failures + 1)); }
check() { # description, command...
  local what=$1; shift
  if "$@"; then log "ok: $what"; else fail "$what"; fi
}

prefixes=()
cleanup() {
  local rc=$?
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then kill -9 "$app_pid" 2>/dev/null; fi
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null; fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  # A prefix is a 700 MB copy: kept only when the scenario failed, to look into.
  if [ "$rc" -eq 0 ] && [ "$failures" -eq 0 ]; then
    local p
    for p in "${prefixes[@]}"; do rm -rf "$p"; done
  fi
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  pinarbo_start_display || exit 1
fi

# A booted prefix made once per build tree and copied for every scenario.
template=$build/e2e-template
(
  flock 9
  if [ ! -f "$template/.pinarbo-unmanaged" ]; then
    "$root/scripts/wine-run" --prefix "$template" reg add 'HKCU\Software\Wine' /f >/dev/null 2>&1 9>&-
    WINEPREFIX=$template timeout 120 "$PINARBO_WINESERVER" -w 9>&-
  fi
) 9>"$template.e2e-lock"

# new_prefix NAME: a fresh copy of the template, made the current prefix.
new_prefix() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
  export WINEPREFIX=$work/$1
  rm -rf "$WINEPREFIX"
  mkdir -p "$work"
  cp -a "$template" "$WINEPREFIX"
  prefixes+=("$WINEPREFIX")
}

ctl() { wine_t "$ctl" "$@"; }

# start_app [SECONDS]: starts Pinarbo in the background (app_pid), waits until it has started (its
# main window and the desktop view, the last window of its start, exist), then lets it settle for
# SECONDS (1). The wait polls in short rounds for as long as the program runs: a round whose control
# tool could not run (a Wine start racing the prefix's server) is simply repeated, and a program
# that ended is reported with its exit code at once instead of after the whole limit.
start_app() {
  "$wine" "$exe" &
  app_pid=$!
  local deadline=$((SECONDS + ${E2E_START_SECONDS:-60})) what="main window"
  while :; do
    if [ "$what" = "main window" ]; then
      ctl wait-main 1000 >/dev/null && what="view window"
    else
      local view
      view=$(info view)
      [ -n "$view" ] && [ "$view" != none ] && break
    fi
    if ! kill -0 "$app_pid" 2>/dev/null; then
      wait "$app_pid"; app_rc=$?; app_pid=""
      fail "$what did not appear: the program ended with code $app_rc"; return 1
    fi
    if [ "$SECONDS" -ge "$deadline" ]; then
      fail "$what did not appear within ${E2E_START_SECONDS:-60} s"; return 1
    fi
    [ "$what" = "view window" ] && sleep 0.2
  done
  sleep "${1:-1}"
}

# wait_until CONDITION [SECONDS]: evaluates the shell condition until it holds, at most SECONDS
# (10); answers whether it held. For what the program does in answer to a step, instead of a
# fixed sleep that a slow machine outlasts.
wait_until() {
  local deadline=$((SECONDS + ${2:-10}))
  until eval "$1" >/dev/null 2>&1; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.2
  done
}

# wait_app_exit SECONDS: waits for the program to end; its exit code goes to app_rc ("running"
# when it did not end in time).
app_rc=""
wait_app_exit() {
  local limit=$(( ${1:-20} * 10 ))
  for _ in $(seq 1 "$limit"); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$app_pid" 2>/dev/null; then app_rc=running; return 1; fi
  wait "$app_pid"; app_rc=$?
  app_pid=""
}

# run_second_copy: starts another copy and prints its exit code (it should end by itself).
run_second_copy() {
  timeout 60 "$wine" "$exe"; echo $?
}

# info KEY: one value of "pinarbo_ctl info".
info() { ctl info | tr -d '\r' | sed -n "s/^$1=//p"; }

# Registry values of the program, exported once per call into a text file.
export_reg() {
  local out=$work/reg.txt
  rm -f "$work/reg.reg"
  wine_t reg export "$key" "$(winepath_of "$work/reg.reg")" /y >/dev/null 2>&1
  if [ -f "$work/reg.reg" ]; then iconv -f UTF-16LE -t UTF-8 "$work/reg.reg" | tr -d '\r' >"$out"; else : >"$out"; fi
}
winepath_of() { echo "Z:${1//\//\\}"; }
# reg_value SECTION NAME: the stored text (or "hex:..." for binary), empty when absent. Uses the last export.
reg_value() {
  local section="[HKEY_CURRENT_USER\\Software\\Holverin\\Pinarbo${1:+\\$1}]"
  SECTION=$section NAME="\"$2\"" awk '
    BEGIN { s = ENVIRON["SECTION"]; n = ENVIRON["NAME"] }
    $0 == s { inside = 1; next }
    /^\[/ { inside = 0 }
    inside && index($0, n "=") == 1 { v = substr($0, length(n) + 2); gsub(/^"|"$/, "", v); print v; exit }
  ' "$work/reg.txt"
}
reg_has_section() { grep -qxF "[HKEY_CURRENT_USER\\Software\\Holverin\\Pinarbo${1:+\\$1}]" "$work/reg.txt"; }
reg_set() { wine_t reg add "$key\\$1" /v "$2" /d "$3" /f >/dev/null 2>&1; }
reg_set_binary() { wine_t reg add "$key\\$1" /v "$2" /t REG_BINARY /d "$3" /f >/dev/null 2>&1; }
reg_import() { wine_t reg import "$(winepath_of "$1")" >/dev/null 2>&1; }
# import_items N: stores a profile of N items (every third a garland, the others toys with
# varied pictures, places, hues and sizes) in the Default profile.
import_items() {
  local file=$work/items.reg i
  {
    printf 'REGEDIT4\r\n\r\n'
    for i in $(seq 0 $(( $1 - 1 ))); do
      printf '[HKEY_CURRENT_USER\\Software\\Holverin\\Pinarbo\\Profiles\\Default\\Items\\%03d]\r\n' "$i"
      printf '"type"="%d"\r\n"resid"="%d"\r\n"x"="%d"\r\n"y"="%d"\r\n"hue"="%d"\r\n"size"="%d"\r\n"Caption"="Item %d"\r\n\r\n' \
        $(( i % 3 == 0 ? 2 : 1 )) $(( i % 3 == 0 ? 145 : 131 + i % 4 * 3 )) $(( i * 7 % 180 )) $(( i * 13 % 240 )) \
        $(( i * 4 % 240 )) $(( 30 + i % 5 * 10 )) "$i"
    done
  } >"$file"
  reg_import "$file"
}

# The user's Startup folder in the current prefix (made when missing).
startup_folder() {
  local d
  d=$(find "$WINEPREFIX/drive_c/users" -ipath '*Start Menu/Programs/Startup' -type d 2>/dev/null | grep -v '/Public/' | head -1)
  if [ -z "$d" ]; then
    d="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/StartUp"
    mkdir -p "$d"
  fi
  echo "$d"
}

screenshot() { timeout 30 import -window root "$work/$1.png" 2>/dev/null; echo "$work/$1.png"; }

finish() {
  if [ "$failures" -ne 0 ]; then log "$failures check(s) failed"; exit 1; fi
  log "all checks passed"; exit 0
}

# tray_menu: right-clicks the icon in Wine's tray window (in its client area, below the caption) and
# waits for the menu. Without a window manager, X's keyboard focus may still be on a window the
# last menu or dialog left it on; when it leaves the program's main window while the menu opens,
# Wine closes the menu at once. So the focus is put on the main window first, as a window manager
# would have kept it, and a click that opened no menu is repeated, up to six times.
tray_menu() {
  local w main_x
  w=$(xdotool search --name "Wine System Tray" | head -1)
  [ -n "$w" ] || return 1
  for _ in 1 2 3 4 5 6; do
    main_x=$(xdotool search --onlyvisible --name '^Pinarbo$' 2>/dev/null | head -1)
    [ -n "$main_x" ] && xdotool windowfocus "$main_x" 2>/dev/null
    xdotool mousemove 400 400
    xdotool mousemove --window "$w" 12 34 click 3
    wait_until 'ctl menu' 3 && return 0
  done
  return 1
}
