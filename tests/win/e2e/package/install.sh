#!/usr/bin/env bash
# The installer under Wine, silent as a deployment would run it:
#   install.sh <setup.exe built for 64-bit> <build dir with pinarbo_ctl and the e2e template>
# A fresh install puts the 64-bit program, the readme, the uninstaller and the Start menu shortcut in
# place, registers the uninstaller with its name, version, publisher, icon and size, and makes no
# Startup shortcut unless asked; the installed program starts and shows its tree. A silent uninstall
# while it runs closes it cleanly (exit code 0, scene saved), removes files, shortcuts and its key and
# keeps the settings. Tree files (.pinarbo) are registered for the user (icon, "Open" imports) and
# unregistered by the uninstall. With /AUTOSTART the Startup shortcut is the program's own and survives the
# program's first start; installing over a running copy closes it first; uninstalling removes it.
# Upgrades: version N+1 (the same installer script with the version bumped) over a running N keeps
# the settings and the tree, closes the program with its save and starts it again, and leaves one
# uninstall entry, with the new version; the same version again repairs a deleted program; the
# older setup then refuses (exit code 2) and changes nothing; uninstalling removes everything.
source "$(dirname "$0")/../lib/common.bash"
setup=$exe
version=$(sed -n 's/^project(Pinarbo VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
uninst_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pinarbo'

user_dir() { find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -1; }
win_path() { # unix path in the prefix -> C:\...
  local rel=${1#"$WINEPREFIX/drive_c/"}
  echo "C:\\${rel//\//\\}"
}
# uninst_value NAME: one value of the uninstall key ("" when absent).
uninst_value() {
  wine_t reg query "$uninst_key" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}
run_setup() { timeout 120 "$wine" "$setup" /S "$@"; }
# class_value SUBKEY: the default value of a key under the user's HKCU\Software\Classes ("" when absent).
class_value() {
  wine_t reg query "HKCU\\Software\\Classes\\$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p'
}
# uninstall: runs the silent uninstaller, which hands over to a copy of itself, and waits for
# that copy to finish removing the files.
uninstall() {
  timeout 120 "$wine" "$prog_dir/Uninstall.exe" /S
  for _ in $(seq 1 300); do [ -e "$prog_dir/Uninstall.exe" ] || break; sleep 0.2; done
}
saved_count() { export_reg; grep -c '^\[HKEY_CURRENT_USER\\Software\\Holverin\\Pinarbo\\Profiles\\Default\\Items' "$work/reg.txt"; }

# places PREFIX_NAME: a fresh prefix and where the setup puts things in it.
places() {
  new_prefix "$1"
  local home; home=$(user_dir)
  prog_dir=$home/AppData/Local/Programs/Pinarbo
  menu_link="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Pinarbo.lnk"
  startup_link=$(startup_folder)/Pinarbo.lnk
  exe=$prog_dir/Pinarbo.exe
}

# --- A fresh silent install.
places install
run_setup; rc=$?
check "silent install ends with code 0 (got $rc)" test "$rc" = 0
for f in Pinarbo.exe readme.txt Uninstall.exe; do check "installed: $f" test -f "$prog_dir/$f"; done
check "the 64-bit program on 64-bit Windows" \
  test "$(python3 "$root/tests/win/e2e/package/peinfo.py" "$prog_dir/Pinarbo.exe" | sed -n 's/^machine=//p')" = x64
check "Start menu shortcut" test -f "$menu_link"
check "it starts the installed program" \
  test "$(ctl shortcut "$(win_path "$menu_link")" | tr -d '\r' | sed -n 's/^target=//p')" = "$(win_path "$prog_dir/Pinarbo.exe")"
check "no Startup shortcut unless asked" test ! -e "$startup_link"
check "uninstaller named Pinarbo" test "$(uninst_value DisplayName)" = Pinarbo
check "uninstaller version $version" test "$(uninst_value DisplayVersion)" = "$version"
check "publisher Holverin" test "$(uninst_value Publisher)" = Holverin
check "icon is the program's" test "$(uninst_value DisplayIcon)" = "$(win_path "$prog_dir/Pinarbo.exe"),0"
size=$(uninst_value EstimatedSize)
check "size in KB given (got $size)" test $((size)) -gt 100
check "uninstall command" test "$(uninst_value UninstallString)" = "\"$(win_path "$prog_dir/Uninstall.exe")\""
check "tree files (.pinarbo) registered for the user" test "$(class_value .pinarbo)" = Pinarbo.TreeFile
check "opening one imports it with the installed program" \
  test "$(class_value 'Pinarbo.TreeFile\shell\open\command')" = "\"$(win_path "$exe")\" /import \"%1\""
check "tree files show the program's icon" test "$(class_value 'Pinarbo.TreeFile\DefaultIcon')" = "$(win_path "$exe"),0"

# --- The installed program runs and shows its tree.
start_app 2 || finish
check "view window shown" test "$(info view_visible)" = 1
check "view has the tree's size" test "$(info view_size)" = "193 250"
check "nothing saved before the end" test "$(saved_count)" = 0

# --- Silent uninstall while it runs.
uninstall
wait_app_exit 30
check "the running program ends with code 0 (got $app_rc)" test "$app_rc" = 0
wine_settle
check "its scene was saved" test "$(saved_count)" -gt 1
check "tree section saved" test "$(reg_value 'Profiles\Default\Items\Tree' resid)" = 122
for f in Pinarbo.exe readme.txt Uninstall.exe; do check "removed: $f" test ! -e "$prog_dir/$f"; done
check "program folder removed" test ! -e "$prog_dir"
check "Start menu shortcut removed" test ! -e "$menu_link"
check "uninstall key removed" test -z "$(uninst_value DisplayName)"
check "tree file association removed" test -z "$(class_value .pinarbo)$(class_value Pinarbo.TreeFile)"
check "settings kept by a silent uninstall" reg_has_section 'Options\Windows\Main'

# --- "Start with Windows", a first start, and an install over the running program.
places autostart
run_setup /AUTOSTART; rc=$?
check "install with /AUTOSTART ends with code 0 (got $rc)" test "$rc" = 0
check "Startup shortcut made" test -f "$startup_link"
link=$(ctl shortcut "$(win_path "$startup_link")" | tr -d '\r')
check "it starts the installed program" test "$(sed -n 's/^target=//p' <<<"$link")" = "$(win_path "$prog_dir/Pinarbo.exe")"
check "in its own folder" test "$(sed -n 's/^folder=//p' <<<"$link")" = "$(win_path "$prog_dir")"
start_app 2 || finish
check "the first start keeps the installer's Startup shortcut" test -f "$startup_link"
run_setup; rc=$?
check "installing again over the running program ends with code 0 (got $rc)" test "$rc" = 0
wait_app_exit 30
check "the running copy was closed with code 0 (got $app_rc)" test "$app_rc" = 0
check "and started again" ctl wait-main 20000
ctl cmd 1000 >/dev/null
check "the started copy ends on the close command" ctl wait-gone 20000
wine_settle
check "and saved its scene" test "$(saved_count)" -gt 1
check "the Startup shortcut stays when not asked again" test -f "$startup_link"
uninstall
wine_settle
check "uninstall removes the Startup shortcut" test ! -e "$startup_link"
check "uninstall removes the program" test ! -e "$prog_dir/Pinarbo.exe"

# --- Upgrades, repair and a refused downgrade.
next=$(awk -F. -v OFS=. '{ $NF = $NF + 1; print }' <<<"$version")
newer=$work/Pinarbo-$next-setup-amd64.exe
(. "$root/scripts/lib/nsis.sh" && pinarbo_nsis "$root" "$root/build/package/stage" "$next" "$newer" -DTARGET=amd64-unicode >/dev/null)
check "the same installer script builds version $next" test -f "$newer"
places upgrade
run_setup
import_items 60
start_app 2 || finish
before=$(stat -c %z "$exe")
timeout 120 "$wine" "$newer" /S; rc=$?
check "version $next over a running $version ends with code 0 (got $rc)" test "$rc" = 0
wait_app_exit 30
check "the running $version was closed with code 0 (got $app_rc)" test "$app_rc" = 0
check "and started again" ctl wait-main 20000
check "the program file was replaced" test "$(stat -c %z "$exe")" != "$before"
check "one uninstall entry, with version $next" test "$(uninst_value DisplayVersion)" = "$next"
entries=$(wine_t reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' | grep -c 'DisplayName.*REG_SZ.*Pinarbo')
check "no second uninstall entry (found $entries)" test "$entries" = 1
ctl cmd 1000 >/dev/null
check "the started copy ends on the close command" ctl wait-gone 20000
wine_settle
check "the tree's 60 items kept through the upgrade" test "$(saved_count)" -ge 60
rm -f "$exe"
timeout 120 "$wine" "$newer" /S; rc=$?
check "installing $next again ends with code 0 (got $rc)" test "$rc" = 0
check "and repairs the deleted program" test -f "$exe"
before=$(stat -c %z "$exe")
timeout 120 "$wine" "$setup" /S; rc=$?
check "the older setup ($version) over $next is refused with code 2 (got $rc)" test "$rc" = 2
check "and changes nothing" test "$(stat -c %z "$exe")" = "$before" -a "$(uninst_value DisplayVersion)" = "$next"
uninstall
wine_settle
for f in Pinarbo.exe readme.txt LICENSE.txt Uninstall.exe; do check "uninstalled after the upgrade: $f" test ! -e "$prog_dir/$f"; done
check "no uninstall entry left" test -z "$(uninst_value DisplayName)"
check "the Start menu shortcut removed" test ! -e "$menu_link"

# --- An uninstall by hand: confirmed, and "No" to keeping the settings removes them.
places by_hand
run_setup
start_app 2 || finish
"$wine" "$prog_dir/Uninstall.exe" &
# press KEY in the newest of at least COUNT windows titled "Pinarbo Uninstall"
press_in() {
  local ids
  for _ in $(seq 1 300); do
    ids=$(xdotool search --name 'Pinarbo Uninstall' 2>/dev/null)
    [ "$(wc -w <<<"$ids")" -ge "$1" ] && { xdotool key --window "$(tail -1 <<<"$ids")" "$2"; return 0; }
    sleep 0.2
  done
  return 1
}
check "uninstaller asks to confirm" press_in 1 Return
check "it asks whether to keep the settings" press_in 2 n
wait_app_exit 30
check "the running program ends with code 0 (got $app_rc)" test "$app_rc" = 0
for _ in $(seq 1 150); do [ -e "$prog_dir/Uninstall.exe" ] || break; sleep 0.2; done
sleep 1
export_reg
check "the settings are removed" test ! -s "$work/reg.txt"
check "the program is removed" test ! -e "$prog_dir/Pinarbo.exe"
press_in 1 Return  # closes the finished uninstaller
finish
