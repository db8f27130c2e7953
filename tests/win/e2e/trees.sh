#!/usr/bin/env bash
# Several trees, switched live from the icon's menu with real clicks: "Trees" lists the stored
# trees; choosing the other one saves the tree shown and shows the other at once (its scene, so
# the tree's window takes its size), the stored current tree follows, and back again. Nothing of
# one tree leaks into the other: each keeps its own items, opacity and lights when saved at exit.
source "$(dirname "$0")/lib/common.bash"

menu_rect() { read -r m_l m_t m_r m_b < <(ctl menu | tr -d '\r' | sed -n 's/^menu_rect=//p'); [ -n "${m_b:-}" ]; }
submenu_rect() { read -r s_l s_t s_r s_b < <(ctl menu | tr -d '\r' | sed -n 's/^submenu_rect=//p'); [ -n "${s_b:-}" ]; }
# Opens "Trees" (its line at 68 % of the menu's height) and clicks line $1 of 2 in it.
choose_tree() {
  tray_menu && menu_rect || return 1
  xdotool mousemove $((m_l + 20)) $((m_t + (m_b - m_t) * 68 / 100)) click 1
  wait_until submenu_rect 5 || { screenshot trees-nosub >/dev/null; ctl menu; return 1; }
  xdotool mousemove $((s_l + 20)) $((s_t + (s_b - s_t) * (50 * $1 - 25) / 100)) click 1
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

ctl cmd 1000 >/dev/null   # Exit
wait_app_exit 30
check "ends with code 0 (got $app_rc)" test "$app_rc" = 0
wine_settle
export_reg
check "Default is the current tree" test "$(reg_value Profiles Profile)" = Default
check "Default kept its four items" test "$(reg_value 'Profiles\Default\Items\003' Caption)" = 'Item 3'
default_look="$(reg_value 'Profiles\Default\Options\ViewWnd' opaque),$(reg_value 'Profiles\Default\Options\Blinks' num)"
check "with its own opacity and lights, not the other's (got $default_look)" test "$default_look" = 75,25
check "Second kept its one item" test "$(reg_value 'Profiles\Second\Items\000' Caption)$(reg_value 'Profiles\Second\Items\001' Caption)" = 'Far toy'
check "its opacity and lights" test "$(reg_value 'Profiles\Second\Options\ViewWnd' opaque),$(reg_value 'Profiles\Second\Options\Blinks' num)" = 40,5
finish
