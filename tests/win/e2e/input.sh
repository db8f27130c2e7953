#!/usr/bin/env bash
# The tree and the user's input, driven with real input: "Let clicks through" switched from the
# icon's menu (a real right-click, then its mnemonic L) makes real clicks on the tree's painted
# pixels reach the window below and a drag leave the tree where it is, while off the tree takes
# them (a drag moves it); the option is stored and is back at the next start, where the tree
# ignores the mouse from the first moment. The hide hotkey, pressed as real keys
# (Ctrl+Alt+Shift+T), hides the tree and shows it again; the tree's monitor is stored. The
# settings dialog's View page shows the stored option.
source "$(dirname "$0")/lib/common.bash"

# A mnemonic key into the open menu. Without a window manager, X's keyboard focus may stay on
# Wine's tray window (explorer's process) after the right-click, though the program made its main
# window the foreground one for the menu (as Windows then gives the menu the keyboard): X's focus
# is put on the main window first. While the menu stays open, the key is sent again.
menu_key() {
  local main_x
  main_x=$(xdotool search --name '^Pinarbo$' | head -1)
  for _ in 1 2 3; do
    [ -n "$main_x" ] && xdotool windowfocus "$main_x" 2>/dev/null
    xdotool key "$1"
    wait_until '! ctl menu' 3 && return 0
  done
  return 1
}
view_field() { info "view_$1"; }
# A painted pixel of the tree: the middle of its picture, a little below its centre.
tree_point() {
  read -r v_l v_t v_r v_b < <(view_field rect)
  px=$(( (v_l + v_r) / 2 )); py=$(( v_t + (v_b - v_t) * 55 / 100 ))
}
clicks() { sed -n 's/^clicks=//p' "$work/clicks.txt" 2>/dev/null | tr -d '\r'; }
drag_tree() { # by 80 pixels to the left and up, with real button presses
  tree_point
  xdotool mousemove "$px" "$py" mousedown 1
  for step in 1 2 3 4; do xdotool mousemove $((px - step * 20)) $((py - step * 20)); sleep 0.05; done
  xdotool mouseup 1
}

new_prefix input
reg_set 'Options\Windows\Main' x 1   # not a first start
start_app 1 || finish
# The icon appears once the main window went into it; restored, the window keeps the icon.
ctl minimize >/dev/null
wait_until 'ctl tray-exists' 10
ctl restore >/dev/null
check "shown again, the tree takes the mouse" wait_until '[ "$(view_field transparent)$(info main_iconic)" = 00 ]'

# A click catcher under the tree, for as long as the checks below need it.
"$wine" "$ctl" catcher 60000 "$(winepath_of "$work/clicks.txt")" &
catcher_pid=$!
check "the catcher window is under the tree" wait_until '[ "$(clicks)" = 0 ]' 20
tree_point
xdotool mousemove "$px" "$py" click 1
sleep 0.5   # nothing is to happen: a short look that the click did not go through
check "while off, a click on the tree stays on the tree (clicks=$(clicks))" test "$(clicks)" = 0

check "the icon's menu opens" tray_menu
screenshot input_menu >/dev/null
menu_key l
check "L in the menu lets clicks through: the tree ignores the mouse" wait_until '[ "$(view_field transparent)" = 1 ]'
before=$(view_field rect)
tree_point
xdotool mousemove "$px" "$py" click 1
check "a click on a painted pixel reaches the window below" wait_until '[ "$(clicks)" = 1 ]'
drag_tree
check "a drag over the tree reaches the window below too" wait_until '[ "$(clicks)" = 2 ]'
check "and the tree stays where it was" test "$(view_field rect)" = "$before"

check "the menu opens again" tray_menu
menu_key l
check "L again: the tree takes the mouse" wait_until '[ "$(view_field transparent)" = 0 ]'
drag_tree
check "a drag moves the tree again" wait_until '[ "$(view_field rect)" != "$before" ]'
check "the menu opens a third time" tray_menu
menu_key l
check "and lets clicks through once more" wait_until '[ "$(view_field transparent)" = 1 ]'

# The hide hotkey, as real keys.
xdotool key ctrl+alt+shift+t
check "Ctrl+Alt+Shift+T hides the tree" wait_until '[ "$(view_field visible)" = 0 ]'
xdotool key ctrl+alt+shift+t
check "and shows it again" wait_until '[ "$(view_field visible)" = 1 ]'

kill "$catcher_pid" 2>/dev/null
ctl cmd 1001 >/dev/null
check "Exit asks Quit program?" wait_until 'ctl question'
ctl answer ok >/dev/null
wait_app_exit 20
check "ends with code 0 (got $app_rc)" test "$app_rc" = 0
wine_settle
export_reg
check "ClickThrough is stored as 1 ($(reg_value 'Options\Common' ClickThrough))" test "$(reg_value 'Options\Common' ClickThrough)" = 1
check "the tree's monitor is stored ($(reg_value 'Profiles\Default\Options\ViewWnd' mon))" \
  test "$(reg_value 'Profiles\Default\Options\ViewWnd' mon)" = '\\\\.\\DISPLAY1'
check "with its place there" test -n "$(reg_value 'Profiles\Default\Options\ViewWnd' monx)"
check "and today's placement as before" test -n "$(reg_value 'Profiles\Default\Options\ViewWnd' plmnt)"

start_app 0 || finish
check "at the next start the tree lets clicks through at once" test "$(view_field transparent)$(info main_iconic)" = 10
ctl cmd 1002 >/dev/null   # the main button: Settings
check "the View page's box shows clicks let through" wait_until '[ "$(ctl settings-check 1160 | tr -d "\r")" = checked=1 ]'
screenshot input_settings >/dev/null
finish
