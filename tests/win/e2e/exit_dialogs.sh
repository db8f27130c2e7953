#!/usr/bin/env bash
# Ending the program while Settings and an item dialog over it are open: the installer's close
# command (1000) and "End task" (WM_CLOSE, then the exit question answered OK) each end the
# program with code 0, the scene saved and the opacity edited but never confirmed left at its
# stored value.
source "$(dirname "$0")/lib/common.bash"

settings_count() { ctl settings | tr -d '\r' | sed -n 's/^settings=//p'; }
settings_open() { [ "$(settings_count)" = 1 ]; }
wait_for() { # description, command...: polls the command for up to 30 s
  local what=$1; shift
  for _ in $(seq 1 150); do "$@" >/dev/null 2>&1 && return 0; sleep 0.2; done
  fail "$what"; return 1
}

# Settings opened by the main window's command, opacity 40 typed on the "View window" page (not
# confirmed), an item dialog opened by a double click on the top row of the items list.
open_dialogs() {
  ctl cmd 1 >/dev/null
  wait_for "Settings opens" settings_open || return 1
  ctl settings-edit 1019 40 || { fail "the opacity edit was not found"; return 1; }
  ctl open-item >/dev/null
  wait_for "an item dialog opens over Settings" ctl item-dialog
}

new_prefix exit_dialogs
reg_set 'Options\Windows\Main' x 1   # not a first start
reg_set 'Options\Common' StartMinimize 0

for how in command-1000 wm-close; do
  start_app 1 || finish
  open_dialogs || finish
  if [ "$how" = command-1000 ]; then
    ctl cmd 1000 >/dev/null
  else
    ctl close >/dev/null
    wait_for "WM_CLOSE asks the exit question" ctl question && ctl answer ok >/dev/null
  fi
  wait_app_exit 30
  check "$how with Settings and an item dialog open ends with code 0 (got $app_rc)" test "$app_rc" = 0
  wine_settle
  export_reg
  check "$how: the scene was saved" reg_has_section 'Profiles\Default\Items\Tree'
  check "$how: the unconfirmed opacity was not stored" \
    test "$(reg_value 'Profiles\Default\Options\ViewWnd' opaque)" = 75
  # The next way starts from the stored opacity and has to save the scene again.
  reg_set 'Profiles\Default\Options\ViewWnd' opaque 75
  wine_t reg delete "$key\\Profiles\\Default\\Items\\Tree" /f >/dev/null 2>&1
done
finish
