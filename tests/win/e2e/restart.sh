#!/usr/bin/env bash
# Later starts: "Handle" is written; a second copy brings the first forward and ends with code 1;
# a killed process keeps the values of the last clean end, and its stale "Handle" lets the next
# copy run. The exit question: Cancel keeps the program, OK ends it; without confirmation the
# program's own exit command ends it at once.
source "$(dirname "$0")/lib/common.bash"

new_prefix restart
start_app 1 || finish
ctl endsession >/dev/null
wait_app_exit 20
check "first run ends cleanly (got $app_rc)" test "$app_rc" = 0
wine_settle

# Second start: the handle is written; a second copy shows the first one and ends.
start_app 1 || finish
export_reg
handle=$(reg_value 'Options\Windows\Main' Handle)
check "Handle written on a later start" test "$handle" = "$(ctl find | tr -d '\r')"
ctl minimize >/dev/null; sleep 1
check "minimised into the icon: hidden" test "$(info main_visible)" = 0
rc=$(run_second_copy)
check "a second copy ends with code 1 (got $rc)" test "$rc" = 1
check "the first copy's window is shown again" test "$(info main_visible)" = 1

# The exit question (ConfirmExit 1 by default): Cancel keeps the program running.
ctl cmd 1001 >/dev/null
for _ in $(seq 1 50); do ctl question && break; sleep 0.2; done
check "\"Quit program?\" is asked" ctl question
ctl answer cancel >/dev/null; sleep 1
check "Cancel keeps the program running" kill -0 "$app_pid"
check "the main window stays" test "$(info main_visible)" = 1

# Killed: nothing is saved, the stale handle stays behind.
export_reg; before=$(grep -v Handle "$work/reg.txt" | md5sum)
kill -9 "$app_pid"; wait "$app_pid" 2>/dev/null; app_pid=""
wine_settle
export_reg; after=$(grep -v Handle "$work/reg.txt" | md5sum)
check "a killed process keeps the values of the last clean end" test "$before" = "$after"
check "its stale Handle is still stored" test -n "$(reg_value 'Options\Windows\Main' Handle)"
start_app 1 || finish
check "a stale Handle lets the new copy run" kill -0 "$app_pid"

# OK in the question ends the program with code 0.
ctl cmd 1001 >/dev/null
for _ in $(seq 1 50); do ctl question && break; sleep 0.2; done
ctl answer ok >/dev/null
wait_app_exit 20
check "OK ends the program with code 0 (got $app_rc)" test "$app_rc" = 0

# Without confirmation the exit command ends at once.
wine_settle
reg_set 'Options\Common' ConfirmExit 0
start_app 1 || finish
ctl cmd 1001 >/dev/null
wait_app_exit 20
check "ConfirmExit 0: the exit command ends without a question (got $app_rc)" test "$app_rc" = 0
finish
