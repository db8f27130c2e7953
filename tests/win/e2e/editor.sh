#!/usr/bin/env bash
# The construction page's editor keys in the running program, pressed as real keys: Delete (Yes),
# Ctrl+Z, Ctrl+Y, Ctrl+Z, Insert, and a run of Alt+arrow nudges, then OK; the stored scene holds
# exactly the expected items in order, the nudged toy moved by exactly (3, 2) stored units.
source "$(dirname "$0")/lib/common.bash"

settings_field() { ctl settings | tr -d '\r' | sed -n "s/^$1=//p"; }
# A real click on the list's row `n` (0 = the top row; rows are 22 pixels high at 96 DPI).
click_row() {
  read -r l t _ _ <<<"$(settings_field pane_rect)"
  xdotool mousemove $((l + 40)) $((t + 11 + 22 * $1)) click 1
}

new_prefix editor
reg_set 'Options\Windows\Main' x 1   # not a first start
import_items 4                       # "Item 0" (a garland) ... "Item 3", the top row
start_app 1 || finish
ctl cmd 1002 >/dev/null
check "Settings opens" wait_until '[ "$(settings_field settings)" = 1 ]' 20
# The list's top row is the item drawn last.
click_row 0
xdotool key Delete
check "Delete asks" wait_until 'xdotool search --name "^Confirmation$" >/dev/null' 10
# The key goes to the question itself: X's focus may still be on the list when the box appears.
xdotool windowfocus "$(xdotool search --name '^Confirmation$' | head -1)" 2>/dev/null
xdotool key Return
check "Yes answers" wait_until '! xdotool search --name "^Confirmation$" >/dev/null' 10
click_row 1   # the list has the keyboard again (not row 0 again: two clicks there make a double click)
xdotool key ctrl+z ctrl+y ctrl+z Insert
# Item 1: the fourth row now (the new item, Item 3, Item 2, Item 1, ...).
click_row 3
xdotool key alt+Right alt+Right alt+Right alt+Down alt+Down
screenshot editor >/dev/null
read -r l t r b <<<"$(settings_field ok_rect)"
xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
check "OK closes Settings" wait_until '[ "$(settings_field settings)" != 1 ]' 20
ctl cmd 1000 >/dev/null   # Exit, as the tray menu sends it
wait_app_exit 30
check "the program ends with code 0 (got $app_rc)" test "$app_rc" = 0
wine_settle
export_reg
items=$(for i in 000 001 002 003 004 005; do printf '%s;' "$(reg_value "Profiles\\Default\\Items\\$i" Caption)"; done)
check "the items in order: the deleted one back, the new one on top (got $items)" \
  test "$items" = "Item 0;Item 1;Item 2;Item 3;Toy;;"
at="$(reg_value 'Profiles\Default\Items\001' x),$(reg_value 'Profiles\Default\Items\001' y)"
check "Item 1 nudged by (3, 2) from (7, 13) (got $at)" test "$at" = "10,15"
finish
