#!/usr/bin/env bash
# Nobody can see the tree, so it builds no frames: a full-screen window of another program in
# front, a locked session, a session disconnected from its display. The program's CPU time over
# 5 s while covered must stay below a tenth of 5 s uncovered, the tree's pixels stand still, and
# frames go on once it can be seen again. Wine sends no session notices, so pinarbo_ctl posts
# them to the program's desktop watch as the system would.
source "$(dirname "$0")/lib/common.bash"

cpu_ticks() { awk '{print $14 + $15}' "/proc/$app_pid/stat"; }
cpu_over() { local a b; a=$(cpu_ticks); sleep "$1"; b=$(cpu_ticks); echo $((b - a)); }
changing() { ctl view-changing "${1:-1500}" | tr -d '\r'; }

new_prefix pause
reg_set 'Options\Windows\Main' x 1   # not a first start
start_app 2 || finish
# The pointer away from the main button: its hover animation would be counted too.
xdotool mousemove 5 5; sleep 0.5
check "the tree animates at start" test "$(changing)" = 1
running=$(cpu_over 5)
log "CPU over 5 s uncovered: $running ticks"

ctl fullscreen 8000 >"$work/fullscreen.txt" &
fs=$!
sleep 1.5
check "a full-screen window in front stops the frames" test "$(changing)" = 0
covered=$(cpu_over 5)
log "CPU over 5 s covered: $covered ticks"
check "covered CPU ($covered) below a tenth of uncovered ($running)" test $((covered * 10)) -lt "$running"
wait "$fs"
check "the full-screen window was in front" grep -q "foreground_was_popup=1" "$work/fullscreen.txt"
sleep 1.2
check "frames go on once it is gone" test "$(changing)" = 1

ctl session lock; sleep 0.5
check "a locked session stops the frames" test "$(changing)" = 0
locked=$(cpu_over 3)
log "CPU over 3 s locked: $locked ticks"
ctl session unlock; sleep 0.5
check "unlocking resumes them" test "$(changing)" = 1

ctl session console-disconnect; sleep 0.5
check "a disconnected session stops the frames" test "$(changing)" = 0
ctl session lock; ctl session console-connect; sleep 0.5
check "connected but still locked: still stopped" test "$(changing)" = 0
ctl session unlock; sleep 0.5
check "connected and unlocked: frames again" test "$(changing)" = 1

ctl endsession >/dev/null; wait_app_exit 20
check "ends with code 0 (got $app_rc)" test "$app_rc" = 0
finish
