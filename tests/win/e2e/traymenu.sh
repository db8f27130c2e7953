#!/usr/bin/env bash
# The tray icon's menu, opened by a real right-click on the icon in Wine's "Wine System Tray"
# window: it lists "Settings...", "Show Pinarbo", "Hide tree", "Let clicks through", a separator
# and "Exit" (a screenshot is kept), closes when the user clicks elsewhere, "Show Pinarbo" brings
# the main window back, "Hide tree" hides the tree and "Show tree" shows it again, and "Exit" asks
# "Quit program?" and ends the program with code 0 and everything saved.
source "$(dirname "$0")/lib/common.bash"

menu_rect() { read -r m_l m_t m_r m_b < <(ctl menu | tr -d '\r' | sed -n 's/^menu_rect=//p'); [ -n "${m_b:-}" ]; }
click_line() { # fraction of the menu's height (per cent) from its top
  xdotool mousemove $((m_l + 20)) $((m_t + (m_b - m_t) * $1 / 100)) click 1
  sleep 1
}

new_prefix traymenu
reg_set 'Options\Windows\Main' x 1   # not a first start
start_app 2 || finish
ctl minimize >/dev/null; sleep 1.5
check "minimised into the icon" ctl tray-exists

tray_menu
check "a right-click on the icon opens the menu" menu_rect
log "menu at $m_l $m_t $m_r $m_b"
screenshot menu >/dev/null
# Six lines of text and a separator: between six and seven text lines high.
h=$((m_b - m_t))
check "the menu is six lines and a separator high ($h)" test "$h" -gt 92 -a "$h" -lt 150
xdotool mousemove 700 900 click 1; sleep 1
check "a click elsewhere closes it" bash -c "! timeout 60 '$wine' '$ctl' menu >/dev/null"
check "and chooses nothing" test "$(info main_visible)" = 0

tray_menu
menu_rect && click_line 23   # "Show Pinarbo"
check "Show Pinarbo shows the main window" test "$(info main_visible)$(info main_iconic)" = 10

tray_menu
menu_rect && click_line 38   # "Hide tree"
check "Hide tree hides the tree" wait_until '[ "$(info view_visible)" = 0 ]'
tray_menu
menu_rect && click_line 38   # "Show tree"
check "Show tree shows it again" wait_until '[ "$(info view_visible)" = 1 ]'

tray_menu
check "the menu opens again over the shown window" menu_rect
screenshot menu2 >/dev/null
click_line 91   # "Exit"
sleep 1
check "Exit asks Quit program?" ctl question
ctl answer ok >/dev/null
wait_app_exit 20
check "ends with code 0 (got $app_rc)" test "$app_rc" = 0
wine_settle
export_reg
check "the running copy's handle is gone" test -z "$(reg_value 'Options\Windows\Main' Handle)"
check "the main window's placement is saved" test -n "$(reg_value 'Options\Windows\Main' plmnt)"
check "the profile's scene is saved" reg_has_section 'Profiles\Default\Items\000'
check "the tree's place is saved" test -n "$(reg_value 'Profiles\Default\Options\ViewWnd' plmnt)"
finish
