#!/usr/bin/env bash
# A full-screen program of another process in front hides the tree (not only stills it); once
# that program leaves the front, or ends, the tree shows again at the same place and animates. Once with an ordinary
# borderless popup over the monitor, once with a topmost one. Hiding never moves the window, so
# the placement stored at the exit is the one the tree had.
source "$(dirname "$0")/lib/common.bash"

changing() { ctl view-changing "${1:-1500}" | tr -d '\r'; }

new_prefix fullscreen
reg_set 'Options\Windows\Main' x 1   # not a first start
start_app 0 || finish
# The pointer away from the main button: its hover animation would be counted too.
xdotool mousemove 5 5
check "the tree animates at start" wait_until '[ "$(changing)" = 1 ]' 10
before=$(info view_rect)
log "tree at $before"

for kind in plain topmost; do
  stop=$work/stop-$kind
  rm -f "$stop" "$work/fullscreen-$kind.txt"
  ctl fullscreen-until "$(winepath_of "$stop")" "$kind" >"$work/fullscreen-$kind.txt" &
  fs=$!
  check "$kind: the full-screen window comes to the front" wait_until "grep -q up '$work/fullscreen-$kind.txt'" 20
  check "$kind: the tree is hidden" wait_until '[ "$(info view_visible)" = 0 ]' 10
  check "$kind: the tree window keeps its rectangle while hidden" test "$(info view_rect)" = "$before"
  if [ "$kind" = plain ]; then
    # Our main window to the front: the full-screen program has left it.
    ctl foreground main >/dev/null
    check "$kind: shown again once the program left the front" wait_until '[ "$(info view_visible)" = 1 ]' 10
  fi
  touch "$stop"
  wait "$fs"
  if [ "$kind" = topmost ]; then
    check "$kind: it stayed in front until it ended" grep -q "foreground_was_popup=1" "$work/fullscreen-$kind.txt"
  fi
  check "$kind: the tree is shown again once it ended" wait_until '[ "$(info view_visible)" = 1 ]' 10
  check "$kind: at the same place" test "$(info view_rect)" = "$before"
  check "$kind: and animates" wait_until '[ "$(changing)" = 1 ]' 10
done

ctl endsession >/dev/null; wait_app_exit 20
check "ends with code 0 (got $app_rc)" test "$app_rc" = 0
finish
