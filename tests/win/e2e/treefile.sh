#!/usr/bin/env bash
# Tree files from the command line. A scene of 30 toys with an own tree picture and own toy
# pictures is exported from the running program (/export, handed to it), then imported into a
# fresh prefix where those picture files do not exist: the program starts on the new tree, every
# carried value is equal, the paths point at byte-identical copies and the desktop shows those
# pictures. Every malformed file of the
# table is refused with exit code 2 and changes no profile, handed to a running copy or with none;
# without /silent the refusal says what is wrong in a message box.
source "$(dirname "$0")/lib/common.bash"
data=$root/tests/data/treefile
images=$root/tests/data/imaging/files

# run_exe ARGS...: runs a second Pinarbo with ARGS to its end and prints its exit code.
run_exe() { timeout 120 "$wine" "$exe" "$@" >/dev/null 2>&1; echo $?; }
# carried FILE PROFILE: the carried values of a profile in a registry export, with the profile's
# name taken out, one "section|value" line each, sorted; "path" values are left to the caller.
carried() {
  awk -v p="[HKEY_CURRENT_USER\\\\Software\\\\Holverin\\\\Pinarbo\\\\Profiles\\\\$2\\\\" '
    /^\[/ { s = (index($0, p) == 1) ? substr($0, length(p) + 1) : ""; next }
    s == "" || /^"path"=/ || /^$/ { next }
    s ~ /^Options\\ViewWnd/ && !/^"(opaque|plmnt)"=/ { next }
    { print s "|" $0 }' "$1" | sort
}
# linux_path 'C:\\...': the file a stored (doubly escaped) path names in the current prefix.
linux_path() { local p=${1//\\\\/\/}; echo "$WINEPREFIX/drive_c/${p#C:/}"; }

# Own pictures no built-in one resembles: a magenta block for the tree, a blue one for four toys
# (with transparent borders, so their colour is not taken as the background).
own_tree=$work/own-tree.png own_toy=$work/own-toy.png
mkdir -p "$work"
convert -size 120x160 xc:none -fill '#ff00ff' -draw 'rectangle 10,10 109,149' "$own_tree"
convert -size 80x80 xc:none -fill '#0000ff' -draw 'rectangle 4,4 75,75' "$own_toy"
# shown_pixels NAME R G B: how many pixels of the tree's window on a screenshot have about that
# colour (each part within 24).
shown_pixels() {
  local shot l t r b
  shot=$(screenshot "$1")
  read -r l t r b <<<"$(info view_rect)"
  convert "$shot" -crop "$((r - l))x$((b - t))+$l+$t" rgb:- | python3 -c '
import sys
want = [int(v) for v in sys.argv[1:4]]
data = sys.stdin.buffer.read()
print(sum(1 for i in range(0, len(data) - 2, 3) if all(abs(data[i + k] - want[k]) <= 24 for k in range(3))))' "$2" "$3" "$4"
}

new_prefix from
mkdir -p "$WINEPREFIX/drive_c/mine"
cp "$own_tree" "$WINEPREFIX/drive_c/mine/tree.png"
cp "$own_toy" "$WINEPREFIX/drive_c/mine/toy.png"
import_items 30
reg_set 'Profiles\Default\Items\Tree' type 0
reg_set 'Profiles\Default\Items\Tree' source 1
reg_set 'Profiles\Default\Items\Tree' path 'C:\mine\tree.png'
for i in 001 004 007 010; do
  reg_set "Profiles\\Default\\Items\\$i" source 1
  reg_set "Profiles\\Default\\Items\\$i" path 'C:\mine\toy.png'
  reg_set "Profiles\\Default\\Items\\$i" hue 0
done
reg_set 'Profiles\Default\Options\ViewWnd' opaque 100
start_app 1 || finish
file=$work/Living\ room.pinarbo
rm -f "$file"
rc=$(run_exe /export "$(winepath_of "$file")" /silent)
check "/export handed to the running copy ends with 0 (got $rc)" test "$rc" = 0
check "the tree file is written" test -s "$file"
check "the running copy still runs" kill -0 "$app_pid"
ctl endsession >/dev/null
wait_app_exit 20
wine_settle
export_reg
carried "$work/reg.txt" Default >"$work/from.txt"
check "the exported scene holds 31 items" test "$(grep -c '|"type"=' "$work/from.txt")" = 31
cp "$file" "$work/seed.pinarbo"

new_prefix to
check "the fresh prefix has none of the picture files" test ! -e "$WINEPREFIX/drive_c/mine"
"$wine" "$exe" "$(winepath_of "$file")" /silent &
app_pid=$!
check "the program starts after the import" ctl wait-main 60000
wait_until 'test "$(info view)" != none' 30
export_reg
check "the imported tree is the stored current one" test "$(reg_value Profiles Profile)" = "Living room"
carried "$work/reg.txt" "Living room" >"$work/to.txt"
check "every carried value is equal" diff "$work/from.txt" "$work/to.txt"
tree_path=$(reg_value 'Profiles\Living room\Items\Tree' path)
toy_path=$(reg_value 'Profiles\Living room\Items\004' path)
case "$tree_path" in *'\\Pinarbo\\Pictures\\Living room\\tree.png') ok=1 ;; *) ok=0 ;; esac
check "the tree's path points into its own picture folder ($tree_path)" test "$ok" = 1
check "the tree picture is a byte-identical copy" cmp -s "$(linux_path "$tree_path")" "$own_tree"
check "the toy picture is a byte-identical copy" cmp -s "$(linux_path "$toy_path")" "$own_toy"
# On the desktop: the magenta tree and the blue toys (a picture that failed to load would show a
# built-in one instead).
magenta=$(shown_pixels imported-desktop 255 0 255)
blue=$(shown_pixels imported-desktop 0 0 255)
check "the desktop shows the own tree picture ($magenta magenta pixels)" test "$magenta" -gt 5000
check "and the own toy pictures ($blue blue pixels)" test "$blue" -gt 1000
check "items without own picture carry no path" test -z "$(reg_value 'Profiles\Living room\Items\002' path)"

# Malformed files, handed to the running copy and then with none running: exit code 2, nothing changed.
for f in "$data"/bad/*.pinarbo "$data/not-a-picture.pinarbo"; do
  rc=$(run_exe /silent /import "$(winepath_of "$f")")
  check "refused by the running copy: $(basename "$f") (exit $rc)" test "$rc" = 2
done
check "the running copy still runs" kill -0 "$app_pid"
ctl endsession >/dev/null
wait_app_exit 20
wine_settle
export_reg
grep -v '"Handle"=' "$work/reg.txt" >"$work/saved.txt"
for f in "$data/bad/cut--half-of-a-good-file.pinarbo" "$data/bad/unsafe_name--dot-dot.pinarbo" \
         "$data/not-a-picture.pinarbo"; do
  rc=$(run_exe "$(winepath_of "$f")" /silent)
  check "refused with none running, nothing started: $(basename "$f") (exit $rc)" test "$rc" = 2
done
# Once without /silent: the user is told what is wrong, and the program still does not start.
"$wine" "$exe" "$(winepath_of "$data/bad/altered--one-value-changed.pinarbo")" &
note_pid=$!
check "a refusal is shown in a message box" wait_until 'ctl note | grep -q "checksum does not match"' 30
ctl note | tr -d '\r' | sed 's/^/  shown: /'
ctl note-ok >/dev/null
wait "$note_pid"; rc=$?
check "and the exit code is still 2 (got $rc)" test "$rc" = 2
check "no main window was made" test "$(ctl count-main | tr -d '\r')" = 0
wine_settle
export_reg
check "no profile was added or changed by the refused files" diff <(grep -v '"Handle"=' "$work/reg.txt") "$work/saved.txt"
check "no picture folder besides the imported tree's" \
  test "$(find "$WINEPREFIX/drive_c/users" -path '*Pinarbo/Pictures/*' -type d | wc -l)" = 1

# A good file handed to the running copy: it saves its tree, imports and switches at once; at its
# end it saves the new tree, and neither tree takes anything of the other.
start_app 1 || finish
rc=$(run_exe /import "$(winepath_of "$file")" /silent)
check "/import handed to the running copy ends with 0 (got $rc)" test "$rc" = 0
ctl endsession >/dev/null
wait_app_exit 20
wine_settle
export_reg
check "the running copy switched to the new tree" test "$(reg_value Profiles Profile)" = "Living room (2)"
carried "$work/reg.txt" "Living room (2)" >"$work/to2.txt"
carried "$work/reg.txt" "Living room" >"$work/to1.txt"
check "the new tree, saved at the end, holds the file's values" diff "$work/from.txt" "$work/to2.txt"
check "the tree it switched from keeps its values" diff "$work/from.txt" "$work/to1.txt"
finish
