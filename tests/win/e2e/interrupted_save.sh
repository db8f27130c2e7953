#!/usr/bin/env bash
# A save cut short never costs the user's tree: with a stored scene of 60 items, the program is
# ended hard (TerminateProcess) at several moments after it was told the session ends, and
# started again; each time it must come back with the whole scene, which its next clean end
# stores exactly as before, with no pending copy left behind.
source "$(dirname "$0")/lib/common.bash"

new_prefix interrupted
import_items 60
wine_settle

# One clean run makes the stored scene the program's own (defaults dropped, order fixed).
start_app 1 || finish
ctl endsession >/dev/null
wait_app_exit 20
wine_settle
export_reg
scene_of() { awk '/^\[/ { keep = index($0, "\\Profiles\\") > 0 } keep' "$work/reg.txt"; }
baseline=$(scene_of)
check "the stored scene has 60 items" test "$(grep -c '^\[.*\\Items\\[0-9][0-9][0-9]\]$' <<<"$baseline")" = 60

for ms in 0 15 60 120 250 500 900; do
  start_app 1 || finish
  ctl kill-exit "$ms" >/dev/null
  wait_app_exit 20
  wine_settle
  export_reg
  pending=$(grep -c '^\[HKEY_CURRENT_USER\\Software\\Holverin\\Pinarbo\\Pending' "$work/reg.txt")
  log "ended hard ${ms} ms after the end-of-session notice (exit code $app_rc, pending sections: $pending)"
  start_app 1 || finish
  ctl endsession >/dev/null
  wait_app_exit 20
  wine_settle
  export_reg
  check "after a kill at $ms ms the next run has the whole scene and stores it as before" test "$(scene_of)" = "$baseline"
  check "no pending copy is left after a clean end" test "$(grep -c '\\Pinarbo\\Pending' "$work/reg.txt")" = 0
done
finish
