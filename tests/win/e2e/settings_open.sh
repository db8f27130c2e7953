#!/usr/bin/env bash
# The settings dialog in the running program: the main window's button opens it (a real click);
# while it is open, the button's command (as the tray menu sends it), a click on the icon and a
# shell restart open no second dialog; the end of the logon with the dialog open saves the scene,
# and ends the program with code 0.
source "$(dirname "$0")/lib/common.bash"

settings_count() { ctl settings | tr -d '\r' | sed -n 's/^settings=//p'; }

new_prefix settings
reg_set 'Options\Windows\Main' x 1   # not a first start
reg_set 'Options\Common' StartMinimize 0
start_app 2 || finish
read -r l t r b <<<"$(info main_rect)"
xdotool mousemove $(( (l + r) / 2 )) $(( (t + b) / 2 + 10 )) click 1
for _ in $(seq 1 50); do [ "$(settings_count)" = 1 ] && break; sleep 0.2; done
check "a click on the main button opens Settings" test "$(settings_count)" = 1
screenshot settings-open >/dev/null

ctl cmd 1002 >/dev/null; sleep 0.5
check "the button's command while open: still one dialog" test "$(settings_count)" = 1
ctl tray-move >/dev/null; ctl tray-click >/dev/null; sleep 0.5
ctl tray-move >/dev/null; ctl tray-click >/dev/null; sleep 0.5
check "icon clicks while open: still one dialog" test "$(settings_count)" = 1
ctl taskbar-created >/dev/null; sleep 0.5
check "a shell restart while open: still one dialog" test "$(settings_count)" = 1
check "the program runs" kill -0 "$app_pid"

ctl endsession >/dev/null; wait_app_exit 30
check "the end of the logon with Settings open ends with code 0 (got $app_rc)" test "$app_rc" = 0
wine_settle
export_reg
check "the scene was saved" reg_has_section 'Profiles\Default\Items\Tree'
check "the main window's placement was saved" test -n "$(reg_value 'Options\Windows\Main' plmnt)"
finish
