#!/usr/bin/env bash
# Two copies started in the same moment (autostart and a click at logon): exactly one runs on,
# with one main window, and the other ends with code 1. A first run that is killed leaves the next
# start a first start (an old autostart shortcut is deleted, the main dialog is centred); once a
# first run has ended cleanly, the next start is a later one (the shortcut stays).
source "$(dirname "$0")/lib/common.bash"

new_prefix instances
"$wine" "$exe" &
pid1=$!
"$wine" "$exe" &
pid2=$!
ctl wait-main 60000 >/dev/null || fail "no main window appeared"
for _ in $(seq 1 150); do
  kill -0 "$pid1" 2>/dev/null && kill -0 "$pid2" 2>/dev/null || break
  sleep 0.2
done
sleep 2
alive=0
for p in "$pid1" "$pid2"; do kill -0 "$p" 2>/dev/null && alive=$((alive + 1)); done
check "exactly one of two copies started together runs on ($alive running)" test "$alive" = 1
if kill -0 "$pid1" 2>/dev/null; then app_pid=$pid1; other=$pid2; else app_pid=$pid2; other=$pid1; fi
wait "$other"; rc=$?
check "the other copy ends with code 1 (got $rc)" test "$rc" = 1
check "there is one main window" test "$(ctl count-main | tr -d '\r')" = 1

# The first run is killed: it never ended cleanly, so the next start is still a first start.
kill -9 "$app_pid"; wait "$app_pid" 2>/dev/null; app_pid=""
wine_settle
export_reg
check "the killed first run left its Handle" test -n "$(reg_value 'Options\Windows\Main' Handle)"
startup_dir=$(startup_folder)
echo "left from before" >"$startup_dir/Pinarbo.lnk"
start_app 2 || finish
check "after a killed first run: an old autostart shortcut is deleted" test ! -e "$startup_dir/Pinarbo.lnk"
read -r l t r b <<<"$(info main_rect)"
check "after a killed first run: the main dialog is centred" \
  test $(( ( (l + r) / 2 - 640 ) ** 2 <= 4 && ( (t + b) / 2 - 512 ) ** 2 <= 4 )) = 1
ctl endsession >/dev/null
wait_app_exit 20
check "the first run ends cleanly (got $app_rc)" test "$app_rc" = 0
wine_settle

# After a clean first run the next start is a later one: the shortcut is kept.
echo "made by the user" >"$startup_dir/Pinarbo.lnk"
start_app 2 || finish
check "a later start keeps the autostart shortcut" test -e "$startup_dir/Pinarbo.lnk"
ctl endsession >/dev/null
wait_app_exit 20
check "the later run ends cleanly (got $app_rc)" test "$app_rc" = 0
finish
