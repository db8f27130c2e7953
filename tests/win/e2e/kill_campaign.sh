#!/usr/bin/env bash
# Randomized cuts of the exit save: with 60 stored items the program is told the session ends and
# ended hard (TerminateProcess) at a random moment 0-300 ms later, PINARBO_E2E_CUTS times
# (PINARBO_E2E_SEED picks the moments, PINARBO_E2E_SECONDS can bound the time). After every cut the registry must offer the next start the
# whole scene (the complete pending copy, else the profile itself), and the next run, started and
# ended cleanly, must store exactly that scene again with no pending copy left.
source "$(dirname "$0")/lib/common.bash"

cuts=${PINARBO_E2E_CUTS:-8}
seconds=${PINARBO_E2E_SECONDS:-0}  # when set, no new cut starts after this many seconds
RANDOM=${PINARBO_E2E_SEED:-27}

new_prefix campaign
import_items 60

# The profile a start reads, from the last export: the pending copy when it is marked complete,
# else the profile's own section; printed with its root written as "ROOT" and without the mark.
read_scene() {
  awk '
    BEGIN { base = "[HKEY_CURRENT_USER\\Software\\Holverin\\Pinarbo\\" }
    { lines[NR] = $0 }
    $0 == base "Pending\\Default]" { inPending = 1; next }
    /^\[/ { inPending = 0 }
    inPending && $0 == "\"Complete\"=\"1\"" { complete = 1 }
    END {
      root = base (complete ? "Pending\\Default" : "Profiles\\Default")
      for (i = 1; i <= NR; ++i) {
        line = lines[i]
        if (line ~ /^\[/) keep = index(line, root "]") == 1 || index(line, root "\\") == 1
        if (!keep || line ~ /^"Complete"=/) continue
        if (index(line, root) == 1) line = "[ROOT" substr(line, length(root) + 1)
        print line
      }
    }' "$work/reg.txt"
}
item_count() { grep -c '^\[ROOT\\Items\\[0-9][0-9][0-9]\]$' <<<"$1"; }
pending_sections() { grep -c '^\[HKEY_CURRENT_USER\\Software\\Holverin\\Pinarbo\\Pending' "$work/reg.txt"; }

# One clean run makes the stored scene the program's own (defaults added, order fixed).
start_app 1 || finish
ctl endsession >/dev/null
wait_app_exit 20
export_reg
baseline=$(read_scene)
check "the stored scene has 60 items" test "$(item_count "$baseline")" = 60

lost_before=0
lost_after=0
with_pending=0
complete=0
# start_or_note: starts the program; when it does not come up, notes it and makes sure it is gone.
# end_or_fail: waits for the program to end after a kill or a session end; one that outlives it is
# a fault of its own, noted and ended so that the campaign goes on from a known state.
end_or_fail() { # what
  wait_app_exit 20 && return 0
  fail "$1: the program was still running 20 s later"
  kill -9 "$app_pid" 2>/dev/null
  wait_app_exit 5
  return 1
}
start_or_note() {
  start_app 0.2 && return 0
  wait_app_exit 20 || { kill -9 "$app_pid" 2>/dev/null; wait_app_exit 5; }
  log "that start ended with code $app_rc"
  return 1
}

done_cuts=0
for n in $(seq 1 "$cuts"); do
  [ "$seconds" -gt 0 ] && [ "$SECONDS" -ge "$seconds" ] && break
  done_cuts=$n
  ms=$(( RANDOM % 301 ))
  start_or_note || continue
  ctl kill-exit "$ms" >/dev/null
  end_or_fail "cut $n at $ms ms" || continue
  kill_rc=$app_rc
  export_reg
  before=$(read_scene)
  pending=$(pending_sections)
  [ "$pending" -gt 0 ] && with_pending=$((with_pending + 1))
  grep -q '^"Complete"="1"$' "$work/reg.txt" && complete=$((complete + 1))
  if [ "$before" != "$baseline" ]; then
    lost_before=$((lost_before + 1))
    fail "cut $n at $ms ms: the next start would read $(item_count "$before") items (pending sections: $pending)"
    cp "$work/reg.txt" "$work/cut-$n-before.txt"
  fi
  start_or_note || continue
  ctl endsession >/dev/null
  end_or_fail "the clean run after cut $n" || continue
  export_reg
  after=$(read_scene)
  if [ "$after" != "$baseline" ] || [ "$(pending_sections)" != 0 ]; then
    lost_after=$((lost_after + 1))
    fail "cut $n at $ms ms: after the next clean run $(item_count "$after") items are stored (pending sections: $(pending_sections))"
    cp "$work/reg.txt" "$work/cut-$n-after.txt"
  fi
  log "cut $n at $ms ms (exit code $kill_rc, pending sections after the cut: $pending)"
done
log "$done_cuts cuts: $with_pending left a pending copy ($complete of them complete); $lost_before left less than the whole scene to read, $lost_after lost it in the next run"
finish
