#!/usr/bin/env bash
# The program as a screen reader meets it, from another process (pinarbo_a11y, Active
# Accessibility): the main button, the items list, the toolbar and the canvas answer with their
# roles, names, states and default actions; a real Down key in the list raises a focus event for
# the new row; a thousand requests leave the program's handles and memory flat; in high contrast
# the list, toolbar and canvas paint with the system's colours, switching live.
source "$(dirname "$0")/lib/common.bash"
a11y=${PINARBO_A11Y:-$build/tests/pinarbo_a11y.exe}
probe() { wine_t "$a11y" "$@" | tr -d '\r'; }
settings_count() { ctl settings | tr -d '\r' | sed -n 's/^settings=//p'; }
# field TEXT ID KEY: one field of a probe line ("self0" or "childN").
field() { sed -n "s/^$2: //p" <<<"$1" | tr '|' '\n' | sed -n "s/^$3=//p"; }
# pixel X Y FILE: the colour at a screen point of a screenshot, as rrggbb.
pixel() { convert "$3" -format "%[hex:p{$1,$2}]" info: 2>/dev/null | cut -c1-6 | tr 'A-F' 'a-f'; }

new_prefix a11y
reg_set 'Options\Windows\Main' x 1   # not a first start
reg_set 'Options\Common' StartMinimize 0
start_app 2 || finish

# --- the main window's button ---
out=$(probe button)
echo "$out"
check "button: a push button named Settings" test "$(field "$out" self0 role)/$(field "$out" self0 name)" = 43/Settings
check "button: its default action is Press" test "$(field "$out" self0 action)" = Press
probe do-button >/dev/null
wait_until '[ "$(settings_count)" = 1 ]' 20
check "button: the default action opens Settings" test "$(settings_count)" = 1

# --- the items list ---
out=$(probe list)
echo "$out"
finish
