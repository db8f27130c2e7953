#!/usr/bin/env bash
# Several trees, switched live from the icon's menu with real clicks: "Trees" lists the stored
# trees; choosing the other one saves the tree shown and shows the other at once (its scene, so
# the tree's window takes its size), the stored current tree follows, and back again. Nothing of
# one tree leaks into the other: each keeps its own items, opacity and lights when saved at exit.
source "$(dirname "$0")/lib/common.bash"

menu_rect() { read -r m_l m_t m_r m_b < <(ctl menu | tr -d '\r' | sed -n 's/^menu_rect=//p'); [ -n "${m_b:-}" ]; }
submenu_rect() { read -r s_l s_t s_r s_b < <(ctl menu | tr -d '\r' | sed -n 's/^submenu_rect=//p'); [ -n "${s_b:-}" ]; }
# Opens "Trees" with its mnemonic R and takes its line $1 with the arrow keys (separators are
# skipped). Without a window manager X's keyboard focus is put on the main window first, where
# Windows gives the open menu the keyboard.
menu_keys() {
  local main_x
  main_x=$(xdotool search --name '^Pinarbo$' | head -1)
  [ -n "$main_x" ] && xdotool windowfocus "$main_x" 2>/dev/null
  xdotool key "$@"
}
choose_tree() {
  tray_menu || return 1
  menu_keys r
  wait_until submenu_rect 5 || return 1
  for _ in $(seq 2 "$1"); do menu_keys Down; done
  menu_keys Return
  wait_until '! ctl menu' 5
}
view_width() { read -r w _ <<<"$(info view_size)"; echo "$w"; }

new_prefix trees
reg_set 'Options\Windows\Main' x 1   # not a first start
import_items 4
reg_set 'Profiles\Second\Items\000' type 1
reg_set 'Profiles\Second\Items\000' resid 131
reg_set 'Profiles\Second\Items\000' x 400   # far right of the tree: a wider window
reg_set 'Profiles\Second\Items\000' y 0
reg_set 'Profiles\Second\Items\000' Caption 'Far toy'
reg_set 'Profiles\Second\Options\ViewWnd' opaque 40
reg_set 'Profiles\Second\Options\Blinks' num 5
start_app 1 || finish
# The icon appears once the main window went into it; restored, the window keeps the icon.
ctl minimize >/dev/null
wait_until 'ctl tray-exists' 10
ctl restore >/dev/null
first=$(view_width)
log "Default's window is $first wide"

check "Trees > Second" choose_tree 2
check "the desktop shows the other tree at once" wait_until '[ "$(view_width)" -gt $((first + 200)) ]' 10
export_reg
check "the stored current tree follows" test "$(reg_value Profiles Profile)" = Second
check "the tree left was saved first" test "$(reg_value 'Profiles\Default\Items\003' Caption)" = 'Item 3'
screenshot trees-second >/dev/null

check "Trees > Default" choose_tree 1
check "and back" wait_until '[ "$(view_width)" = "$first" ]' 10
export_reg   # Second as the switch saved it
check "Second kept its one item" test "$(reg_value 'Profiles\Second\Items\000' Caption)$(reg_value 'Profiles\Second\Items\001' Caption)" = 'Far toy'
check "its opacity and lights" test "$(reg_value 'Profiles\Second\Options\ViewWnd' opaque),$(reg_value 'Profiles\Second\Options\Blinks' num)" = 40,5

# New tree (the fourth line: two trees, then the separator is skipped): a name with a backslash is
# refused with the dialog still open; a good one makes the tree and shows it (the default scene).
dialog_there() { xdotool search --name "^$1\$" >/dev/null; }
type_in() { # types into the dialog named $1 (X's focus put on it first)
  xdotool windowfocus "$(xdotool search --name "^$1\$" | head -1)" 2>/dev/null
  xdotool key ctrl+a type "$2"
  xdotool key Return
}
check "Trees > New tree..." choose_tree 3
check "asks a name" wait_until 'dialog_there "New tree"' 10
type_in "New tree" 'Bad\name'
sleep 1   # nothing is to happen: a short look that the dialog stayed
check "a name with a backslash is refused, the dialog stays" dialog_there "New tree"
screenshot trees-refused-name >/dev/null
type_in "New tree" 'Kitchen'
check "a good name closes it" wait_until '! dialog_there "New tree"' 10
check "and shows the new tree: the default scene" wait_until '[ "$(view_width)" = 193 ]' 10
export_reg
check "stored as the current tree" test "$(reg_value Profiles Profile)" = Kitchen
check "with the default scene saved" reg_has_section 'Profiles\Kitchen\Items\Tree'

# Delete: the tree shown is never offered; S picks Second in the list, then a question.
check "Trees > Delete..." choose_tree 7
check "asks which tree" wait_until 'dialog_there Delete' 10
xdotool windowfocus "$(xdotool search --name '^Delete$' | head -1)" 2>/dev/null
xdotool key s Return
check "asks whether" wait_until 'dialog_there Confirmation' 10
xdotool key Return
check "Second is gone" wait_until 'export_reg; ! reg_has_section "Profiles\Second"' 10
check "Default stays" reg_has_section 'Profiles\Default\Items\Tree'

# The same trees on Settings' Common options page: its list marks the tree shown; choosing Default
# and "Show" (real clicks) closes Settings as OK does, shows Default, and opens Settings again on
# that page, where the list now marks Default.
settings_field() { ctl settings | tr -d '\r' | sed -n "s/^$1=//p"; }
click_middle() { read -r l t r b <<<"$(settings_field "$1")"; xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1; }
ctl cmd 1002 >/dev/null
check "Settings opens" wait_until '[ "$(settings_field settings)" = 1 ]' 20
read -r l t _ _ <<<"$(settings_field tabs_rect)"
xdotool mousemove $((l + 20)) $((t + 10)) click 1   # the first tab takes the keyboard
xdotool key Right Right Right Right
check "the Common options tab shows the trees" wait_until '[ "$(settings_field trees_visible)" = 1 ]' 10
check "the tree shown is marked (got $(settings_field trees_line1))" \
  test "$(settings_field trees_line0)|$(settings_field trees_line1)|$(settings_field trees_sel)" = 'Default|Kitchen (shown)|1'
screenshot trees-common-page >/dev/null
read -r l t _ _ <<<"$(settings_field trees_rect)"
xdotool mousemove $((l + 30)) $((t + 2 + $(settings_field trees_item_height) / 2)) click 1   # Default
click_middle show_rect
check "Show: the desktop shows Default" wait_until '[ "$(view_width)" = "$first" ]' 15
check "Settings opens again on that page, Default marked" \
  wait_until '[ "$(settings_field trees_visible)|$(settings_field trees_line0)|$(settings_field trees_sel)" = "1|Default (shown)|0" ]' 15
export_reg
check "the stored current tree follows" test "$(reg_value Profiles Profile)" = Default
click_middle ok_rect
check "OK closes Settings" wait_until '[ "$(settings_field settings)" != 1 ]' 20

ctl cmd 1000 >/dev/null   # Exit
wait_app_exit 30
check "ends with code 0 (got $app_rc)" test "$app_rc" = 0
wine_settle
export_reg
check "Default is the current tree" test "$(reg_value Profiles Profile)" = Default
check "Default kept its four items" test "$(reg_value 'Profiles\Default\Items\003' Caption)" = 'Item 3'
default_look="$(reg_value 'Profiles\Default\Options\ViewWnd' opaque),$(reg_value 'Profiles\Default\Options\Blinks' num)"
check "with its own opacity and lights, not the other's (got $default_look)" test "$default_look" = 75,25
finish
