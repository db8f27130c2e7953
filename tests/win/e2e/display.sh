#!/usr/bin/env bash
# The displays change under the running program: in a Wine virtual desktop of 1280 x 1024 (where
# a resolution change really happens), the tree starts at its default place at the lower right
# and the main window at a stored place near it. A switch to 800 x 600 leaves both off screen: they
# must end fully inside 800 x 600 with their sizes kept. Switching back must not move them again.
# pinarbo_ctl runs inside the same virtual desktop (it sees only that desktop's windows) and
# writes what it finds to files.
source "$(dirname "$0")/lib/common.bash"

desk=pinarbo-display,1280x1024
in_desktop() { "$wine" explorer /desktop=$desk "$@"; }
rects() { # FILE: main_rect, view_rect and screen, as shell variables m_*, v_*, s_*
  rm -f "$work/$1"
  in_desktop "$ctl" rect-file "$(winepath_of "$work/$1")"
  for _ in $(seq 1 50); do [ -s "$work/$1" ] && break; sleep 0.1; done
  read -r _ m_l m_t m_r m_b < <(tr -d '\r' <"$work/$1" | sed -n 's/^main_rect=/x /p')
  read -r _ v_l v_t v_r v_b < <(tr -d '\r' <"$work/$1" | sed -n 's/^view_rect=/x /p')
  read -r _ s_w s_h < <(tr -d '\r' <"$work/$1" | sed -n 's/^screen=/x /p')
  log "$1: main $m_l $m_t $m_r $m_b, tree $v_l $v_t $v_r $v_b, screen $s_w x $s_h"
}
inside() { [ "$1" -ge 0 ] && [ "$2" -ge 0 ] && [ "$3" -le "$5" ] && [ "$4" -le "$6" ]; }
setmode() { in_desktop "$ctl" setmode "$1" "$2" "$(winepath_of "$work/mode.txt")"; sleep 2; }

new_prefix display
reg_set 'Options\Windows\Main' x 1   # not a first start
# The main window's stored place: (1050, 850), shown normally.
reg_set_binary 'Options\Windows\Main' plmnt 2c0000000000000001000000ffffffffffffffffffffffffffffffff1a04000052030000ce040000f2030000
in_desktop "$exe" &
app_pid=$!
sleep 6

rects before.txt
check "the desktop is 1280 x 1024" test "$s_w x $s_h" = "1280 x 1024"
check "the tree starts at the lower right" test "$v_l $v_t" = "1080 724"
check "the main window starts at its stored place" test "$m_l $m_t" = "1050 850"
mw=$((m_r - m_l)); mh=$((m_b - m_t)); vw=$((v_r - v_l)); vh=$((v_b - v_t))

setmode 800 600
rects small.txt
check "the desktop is 800 x 600" test "$s_w x $s_h" = "800 x 600"
check "the tree is fully inside 800 x 600" inside "$v_l" "$v_t" "$v_r" "$v_b" 800 600
check "the main window is fully inside 800 x 600" inside "$m_l" "$m_t" "$m_r" "$m_b" 800 600
check "sizes kept" test "$((m_r - m_l)) $((m_b - m_t)) $((v_r - v_l)) $((v_b - v_t))" = "$mw $mh $vw $vh"
small_main="$m_l $m_t"; small_view="$v_l $v_t"

setmode 1280 1024
rects back.txt
check "the desktop is 1280 x 1024 again" test "$s_w x $s_h" = "1280 x 1024"
check "switching back does not move the tree" test "$v_l $v_t" = "$small_view"
check "switching back does not move the main window" test "$m_l $m_t" = "$small_main"

in_desktop "$ctl" endsession >/dev/null
finish
