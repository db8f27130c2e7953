#!/usr/bin/env bash
# The program as a screen reader meets it, from another process (pinarbo_a11y, Active
# Accessibility): the main button, the items list, the toolbar and the canvas answer with their
# roles, names, states and default actions; a real Down key in the list raises a focus event for
# the new row; a thousand requests leave the program's handles and memory flat. (High contrast
# cannot be switched on under Wine: the construction page's tests force it in their process.)
source "$(dirname "$0")/lib/common.bash"
a11y=${PINARBO_A11Y:-$build/tests/pinarbo_a11y.exe}
probe() { wine_t "$a11y" "$@" | tr -d '\r'; }
settings_count() { ctl settings | tr -d '\r' | sed -n 's/^settings=//p'; }
# field TEXT ID KEY: one field of a probe line ("self0" or "childN").
field() { sed -n "s/^$2: //p" <<<"$1" | tr '|' '\n' | sed -n "s/^$3=//p"; }

new_prefix a11y
reg_set 'Options\Windows\Main' x 1   # not a first start
reg_set 'Options\Common' StartMinimize 0
start_app 2 || finish

# --- the main window's button ---
out=$(probe button)
echo "$out"
check "button: a push button named Settings" test "$(field "$out" self0 role)/$(field "$out" self0 name)" = 43/Settings
check "button: its default action is Press, its key Enter" test "$(field "$out" self0 action)/$(field "$out" self0 shortcut)" = Press/Enter
probe do-button >/dev/null
wait_until '[ "$(settings_count)" = 1 ]' 20
check "button: the default action opens Settings" test "$(settings_count)" = 1

# --- the items list: rows in screen order, the Xmas Tree last ---
out=$(probe list)
names=$(grep '^child' <<<"$out" | sed 's/^child[0-9]*: name=\([^|]*\)|.*/\1/' | paste -sd, -)
check "list: role list with 21 rows" test "$(field "$out" self0 role)/$(sed -n 's/^count=//p' <<<"$out")" = 33/21
check "list: the rows in screen order (got $names)" \
  test "$names" = "Star,Toy,Toy,Toy,Toy,Toy,Toy,Toy,Toy,Garland,Garland,Garland,Garland,Garland,Garland,Garland,Garland,Garland,Garland,Garland,Xmas Tree"
check "list: every row a list item whose default action is Settings" \
  test "$(grep '^child' <<<"$out" | grep -vc '|role=34|.*|action=Settings|')" = 0
bad_hits=""
while IFS= read -r line; do
  id=${line%%:*}; id=${id#child}
  [ $(( $(field "$line" "child$id" state) & 0x10000 )) -eq 0 ] || continue   # off screen
  [ "$(field "$line" "child$id" hit)" = "$id" ] || bad_hits="$bad_hits $id"
done < <(grep '^child' <<<"$out")
check "list: a hit test at each shown row's centre finds that row (wrong: ${bad_hits:-none})" test -z "$bad_hits"

# A real click on the top row selects and focuses it.
read -r l t w h <<<"$(field "$out" child1 rect)"
xdotool mousemove $((l + w / 2)) $((t + h / 2)) click 1
wait_until '[ "$(field "$(probe list)" child1 state)" = 0x300006 ]' 10
out=$(probe list)
check "list: the clicked row is selected and focused (state $(field "$out" child1 state))" \
  test "$(field "$out" child1 state)" = 0x300006
check "list: its selection and focus name it" test "$(sed -n 's/^selection=//p;s/^focus=//p' <<<"$out" | paste -sd, -)" = 1,1

# Events, as an out-of-context hook in another process sees them: Down moves focus and selection
# to the second row, Space hides its item (its description says so), the toolbar's first tool
# (its default action) adds a row.
events=$work/events.txt
wine_t "$a11y" watch 25000 >"$events" 2>/dev/null &
watch_pid=$!
wait_until 'grep -q hooked "$events"' 20
xdotool key Down
wait_until 'grep -q "event=focus class=KV_NavigatePane child=2" "$events"' 10
check "events: Down raises focus on row 2" grep -q "event=focus class=KV_NavigatePane child=2" "$events"
check "events: and the selection of row 2" grep -q "event=selection class=KV_NavigatePane child=2" "$events"
check "events: and the end of row 1's selection" grep -q "event=selection-remove class=KV_NavigatePane child=1" "$events"
xdotool key space
wait_until '[ "$(field "$(probe list)" child2 description)" = invisible ]' 10
check "list: a hidden item's row is described as invisible" test "$(field "$(probe list)" child2 description)" = invisible

# --- the toolbar ---
out=$(probe toolbar)
echo "$out"
check "toolbar: role tool bar with four tools" test "$(field "$out" self0 role)/$(sed -n 's/^count=//p' <<<"$out")" = 22/4
check "toolbar: push buttons named as their tips" \
  test "$(field "$out" child1 role)/$(field "$out" child1 name)/$(field "$out" child2 name)" = \
  "43/Add a toy or garland (Insert)/Delete selected toy and garlands (Delete)"
check "toolbar: with their keys and Press as default action" \
  test "$(field "$out" child1 shortcut)/$(field "$out" child2 shortcut)/$(field "$out" child1 action)" = Insert/Delete/Press

# --- the canvas ---
out=$(probe canvas)
echo "$out"
check "canvas: a graphic that tells the scene" \
  test "$(field "$out" self0 role)/$(field "$out" self0 description)" = "40/Tree with 20 items"

probe do-tool 1 >/dev/null
wait_until '[ "$(probe list | sed -n "s/^count=//p")" = 22 ]' 10
check "toolbar: the first tool's default action adds a row" test "$(probe list | sed -n 's/^count=//p')" = 22
wait_until 'grep -q "event=reorder class=KV_NavigatePane child=0" "$events"' 10
check "events: the new row reorders the list" grep -q "event=reorder class=KV_NavigatePane child=0" "$events"
check "canvas: its description follows" test "$(field "$(probe canvas)" self0 description)" = "Tree with 21 items"

# A row's default action opens its settings, after the call has returned.
probe do-row 1 >/dev/null
wait_until 'ctl item-dialog' 10
check "list: a row's default action opens its settings" ctl item-dialog
xdotool key Escape
wait_until '! ctl item-dialog' 10
check "the settings close with Escape" bash -c "! '$wine' '$ctl' item-dialog"
wait "$watch_pid" 2>/dev/null

# The keyboard alone: Tab reaches the canvas (its object then has the focus), where Insert adds.
canvas_focused() { [ $(( $(field "$(probe canvas)" self0 state) & 4 )) -ne 0 ]; }
for _ in $(seq 1 12); do xdotool key Tab; canvas_focused && break; done
check "keyboard: Tab reaches the canvas" canvas_focused
xdotool key Insert
wait_until '[ "$(probe list | sed -n "s/^count=//p")" = 23 ]' 10
check "keyboard: Insert on the canvas adds an item" test "$(probe list | sed -n 's/^count=//p')" = 23

# --- no leak: a thousand requests of the four objects in turn, each with a question ---
out=$(probe soak 1000)
echo "$out"
check "soak: every request answered" test "$(sed -n 's/^answered=//p' <<<"$out")" = 1000
check "soak: the program still runs" kill -0 "$app_pid"
hb=$(sed -n 's/^handles_before=//p' <<<"$out"); ha=$(sed -n 's/^handles_after=//p' <<<"$out")
pb=$(sed -n 's/^private_kb_before=//p' <<<"$out"); pa=$(sed -n 's/^private_kb_after=//p' <<<"$out")
# Wine counts no handles of another process (0): then memory is the measure, with room for the
# heap's own ups and downs (about 2 MB here); the exact references are counted in this process by
# the construction page's tests.
check "soak: handles flat ($hb -> $ha)" test $((ha - hb)) -le 4
check "soak: private memory flat ($pb KB -> $pa KB)" test $((pa - pb)) -le 4096

finish
