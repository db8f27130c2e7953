#!/usr/bin/env bash
# Garbage of every kind in the program's registry key, in randomized rounds (seeds printed, so a
# failing round can be repeated with PINARBO_E2E_SEED): the program always starts, shows the tree
# on the screen and its main window reachable (on the screen or in the icon), and ends cleanly
# with code 0. One round stores thousands of item sections.
source "$(dirname "$0")/lib/common.bash"

rounds=${PINARBO_E2E_ROUNDS:-5}
base_seed=${PINARBO_E2E_SEED:-$RANDOM}
log "seeds $base_seed .. $((base_seed + rounds))"
new_prefix bad
for i in $(seq 0 "$rounds"); do
  seed=$((base_seed + i))
  many=0; [ "$i" -eq "$rounds" ] && many=3000
  wine_settle
  wine_t reg delete "$key" /f >/dev/null 2>&1
  python3 "$here/lib/garbage_reg.py" "$seed" "$work/garbage.reg" "$many"
  reg_import "$work/garbage.reg" || fail "seed $seed: the garbage did not import"
  start_app 1 || { fail "seed $seed: no main window"; continue; }
  read -r vl vt vr vb <<<"$(info view_rect)"
  check "seed $seed: the tree is on the screen ($vl $vt $vr $vb)" \
    test $(( vr > vl && vb > vt && vl < 1280 - 16 && vt < 1024 - 16 && vr > 16 && vb > 16 )) = 1
  if [ "$(info main_visible)" = 1 ]; then
    read -r ml mt mr mb <<<"$(info main_rect)"
    check "seed $seed: the main window is on the screen ($ml $mt $mr $mb)" \
      test $(( ml < 1280 - 16 && mt < 1024 - 16 && mr > 16 && mb > 16 )) = 1
  else
    check "seed $seed: the hidden main window has its icon" ctl tray-exists
  fi
  ctl endsession >/dev/null
  wait_app_exit 60
  check "seed $seed: ends cleanly with code 0 (got $app_rc)" test "$app_rc" = 0
  [ "$app_rc" = running ] && { kill -9 "$app_pid"; app_pid=""; }
done
finish
