#!/usr/bin/env bash
# The notification-area icon: minimising with "MinimizeToTray" 1 hides the dialog into the icon and
# makes the tree click-through; the icon's click toggles the dialog; the shell's "TaskbarCreated"
# brings a lost icon back; "KeepInTray" 0 removes the icon on restore; "MinimizeToTray" 0
# minimises normally without an icon; start placements 0, 1 and 2.
source "$(dirname "$0")/lib/common.bash"

new_prefix tray
reg_set 'Options\Windows\Main' x 1   # not a first start
start_app 1 || finish
check "no icon at start" bash -c "! '$wine' '$ctl' tray-exists"
check "tree clickable while the dialog is shown" test "$(info view_transparent)" = 0
ctl minimize >/dev/null; wait_until '[ "$(info main_visible)" = 0 ] && ctl tray-exists'
check "minimise hides the dialog" test "$(info main_visible)" = 0
check "the icon exists" ctl tray-exists
check "the tree lets clicks through" test "$(info view_transparent)" = 1
ctl tray-move >/dev/null; ctl tray-click >/dev/null
wait_until '[ "$(info main_visible)$(info foreground_is_main)$(info view_transparent)" = 110 ]'
check "a click on the icon shows the dialog" test "$(info main_visible)" = 1
check "in front" test "$(info foreground_is_main)" = 1
check "tree clickable again" test "$(info view_transparent)" = 0
check "KeepInTray 1 keeps the icon" ctl tray-exists
ctl tray-move >/dev/null; ctl tray-click >/dev/null; wait_until '[ "$(info main_visible)" = 0 ]'
check "a click while in front hides it" test "$(info main_visible)" = 0
ctl tray-delete >/dev/null   # the shell forgets its icons (restart)
check "icon gone with the old shell" bash -c "! '$wine' '$ctl' tray-exists"
ctl taskbar-created >/dev/null; wait_until 'ctl tray-exists'
check "TaskbarCreated adds the icon again" ctl tray-exists
ctl tray-move >/dev/null; ctl tray-click >/dev/null; wait_until '[ "$(info main_visible)" = 1 ]'
ctl minimize >/dev/null; wait_until '[ "$(info main_visible)" = 0 ]'
ctl endsession >/dev/null; wait_app_exit 20
check "ends with code 0 (got $app_rc)" test "$app_rc" = 0
wine_settle
export_reg
check "the minimised dialog's placement is kept minimised" test "$(reg_value 'Options\Windows\Main' plmnt | cut -c29-30)" = 02

# Start placement 2 (as at the last exit): minimised again, so into the icon.
start_app 1 || finish
check "start as last exit: minimised into the icon" test "$(info main_visible)$(info main_iconic)" = 01
check "icon shown" ctl tray-exists
ctl endsession >/dev/null; wait_app_exit 20; wine_settle

# Start placement 0: shown; KeepInTray 0 removes the icon on restore.
reg_set 'Options\Common' StartMinimize 0
reg_set 'Options\Common' KeepInTray 0
start_app 1 || finish
check "start placement 0 shows the dialog" test "$(info main_visible)$(info main_iconic)" = 10
ctl minimize >/dev/null; wait_until 'ctl tray-exists'
check "icon while minimised" ctl tray-exists
ctl tray-move >/dev/null; ctl tray-click >/dev/null
wait_until '[ "$(info main_visible)" = 1 ] && ! ctl tray-exists'
check "shown by the icon" test "$(info main_visible)" = 1
check "KeepInTray 0: the icon goes when the dialog is shown" bash -c "! '$wine' '$ctl' tray-exists"
ctl endsession >/dev/null; wait_app_exit 20; wine_settle

# Start placement 1 with MinimizeToTray 0: minimised normally, no icon.
reg_set 'Options\Common' StartMinimize 1
reg_set 'Options\Common' MinimizeToTray 0
start_app 1 || finish
check "start placement 1 minimises the dialog (visible, iconic)" test "$(info main_visible)$(info main_iconic)" = 11
check "no icon without MinimizeToTray" bash -c "! '$wine' '$ctl' tray-exists"
check "tree click-through while minimised" test "$(info view_transparent)" = 1
ctl endsession >/dev/null; wait_app_exit 20
check "ends with code 0 (got $app_rc)" test "$app_rc" = 0
finish
