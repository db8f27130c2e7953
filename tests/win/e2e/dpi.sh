#!/usr/bin/env bash
# Display scales: the same profile at LogPixels 96, 120, 144 and 192 (Wine answers that DPI for
# every window). The tree's window is its 96-DPI size x scale (within a pixel) and shows the tree
# drawn at that scale, the main window's button fills its dialog as at 96 DPI, the settings
# dialog's construction page draws the tree on its canvas at the dialog's scale (screenshots kept
# for looking); after a run at 144 DPI and a clean end the stored positions and sizes are the
# ones a run at 96 DPI stores.
source "$(dirname "$0")/lib/common.bash"

dpi_key='HKCU\Control Panel\Desktop'
# run_at DPI: a fresh prefix at that DPI holding the profile of the run at 96 DPI (when there is
# one), Pinarbo started in it.
run_at() {
  new_prefix dpi   # one prefix at a time: each run starts from a fresh copy
  wine_t reg add "$dpi_key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  if [ -f "$work/profile.reg" ]; then
    reg_import "$work/profile.reg"
  else
    reg_set 'Options\Windows\Main' x 1   # not a first start
    # The tree at (100, 100), where it fits on the screen at every scale.
    reg_set_binary 'Profiles\Default\Options\ViewWnd' plmnt \
      2c0000000000000001000000ffffffffffffffffffffffffffffffff64000000640000002501000050010000
  fi
  wine_settle
  start_app 2
}
# end_app: the session ends; the program saves and ends by itself.
end_app() {
  ctl endsession >/dev/null
  wait_app_exit 20
  check "the run at $1 DPI ends cleanly (got $app_rc)" test "$app_rc" = 0
  wine_settle
}
# settings_shot DPI: opens the settings dialog (on the construction page) and keeps its picture
# as settings<DPI>.png, for looking (its controls must not overlap) and for the tree's size.
settings_shot() {
  ctl cmd 1002 >/dev/null
  for _ in $(seq 1 50); do ctl settings >/dev/null && break; sleep 0.2; done
  sleep 1
  read -r sl st sr sb <<<"$(ctl settings | tr -d '\r' | sed -n 's/^settings_rect=//p')"
  check "at $1 DPI the settings dialog opens" test -n "$sl"
  [ -n "$sl" ] && convert "$(screenshot "settings$1")" -crop "$((sr - sl))x$((sb - st))+$sl+$st" +repage \
    "$work/settings$1.png"
}
# canvas_tree DPI: width and height of what the construction page's canvas shows (the tree with
# its toys): the part of the page left of the list that differs from the page's colour.
canvas_tree() {
  local f=$work/settings$1.png w h
  read -r w h <<<"$(identify -format '%w %h' "$f")"
  convert "$f" -crop "$((w * 52 / 100))x$((h * 72 / 100))+$((w * 3 / 100))+$((h * 10 / 100))" +repage \
    -fuzz 4% -trim -format '%w %h' info:
}
# stored_places: every stored position, size and placement, in a stable order.
stored_places() {
  export_reg
  # Continued lines (long binary values) joined first.
  sed -e ':a' -e '/\\$/N; s/\\\n *//; ta' "$work/reg.txt" | grep -E '^\[|^"(x|y|size|plmnt)"='
}

rm -f "$work/profile.reg"  # from an earlier run of this scenario
for dpi in 96 120 144 192; do
  run_at "$dpi" || finish
  read -r vw vh <<<"$(info view_size)"
  read -r vl vt _ <<<"$(info view_rect)"
  log "at $dpi DPI the tree's window is $vw x $vh at ($vl, $vt)"
  if [ "$dpi" = 96 ]; then
    base_w=$vw; base_h=$vh
    check "the default scene at 96 DPI is 193 x 250" test "$vw $vh" = "193 250"
  else
    want_w=$((base_w * dpi / 96)); want_h=$((base_h * dpi / 96))
    check "at $dpi DPI the width is $base_w x $dpi / 96 within a pixel ($vw)" test $(( (vw - want_w) ** 2 <= 1 )) = 1
    check "at $dpi DPI the height is $base_h x $dpi / 96 within a pixel ($vh)" test $(( (vh - want_h) ** 2 <= 1 )) = 1
  fi
  sleep 1
  shot=$(screenshot "desktop$dpi")
  check "at $dpi DPI the tree stays at its stored corner" test "$vl $vt" = "100 100"
  convert "$shot" -crop "${vw}x${vh}+$vl+$vt" +repage "$work/view$dpi.png"
  painted=$(convert "$work/view$dpi.png" -colorspace gray -threshold 0 -format '%[fx:mean]' info:)
  check "at $dpi DPI the tree is drawn in its window (painted share $painted)" \
    awk -v p="$painted" 'BEGIN { exit !(p > 0.3) }'
  # The main window's button fills its dialog as at 96 DPI: the share of the dialog's width its
  # picture takes along the middle row (inside the frame) is at least 85 % of the 96-DPI share.
  read -r ml mt mr mb <<<"$(info main_rect)"
  row=$(( (mt + mb) / 2 + (mb - mt) / 20 ))
  bg=$(convert "$shot" -format "%[pixel:p{$((ml + 8)),$row}]" info:)
  box=$(convert "$shot" -crop "$((mr - ml - 16))x1+$((ml + 8))+$row" +repage -bordercolor "$bg" -border 0x1 \
        -fuzz 6% -format '%@' info: 2>/dev/null)
  button=${box%%x*}
  share=$(( 1000 * ${button:-0} / (mr - ml) ))
  log "at $dpi DPI the main window is $((mr - ml)) x $((mb - mt)), its button ${button:-?} wide ($share per mille)"
  convert "$shot" -crop "$((mr - ml))x$((mb - mt))+$ml+$mt" +repage "$work/main$dpi.png"
  if [ "$dpi" = 96 ]; then
    base_share=$share
  else
    check "at $dpi DPI the button fills its dialog ($share against $base_share per mille)" \
      test $(( share * 100 >= base_share * 85 )) = 1
  fi
  if [ "$dpi" = 96 ]; then
    settings_shot 96
    end_app 96
    stored_places >"$work/places96.txt"
    wine_t reg export "$key" "$(winepath_of "$work/profile.reg")" /y >/dev/null 2>&1
  elif [ "$dpi" = 144 ]; then
    end_app 144
    stored_places >"$work/places144.txt"
    check "stored positions and sizes after a run at 144 DPI are those of 96 DPI" \
      diff "$work/places96.txt" "$work/places144.txt"
  else
    settings_shot "$dpi"
    end_app "$dpi"
  fi
done

# The construction page's canvas shows the tree at the dialog's scale: twice its 96-DPI size.
read -r tw96 th96 <<<"$(canvas_tree 96)"; read -r tw192 th192 <<<"$(canvas_tree 192)"
log "the construction canvas shows ${tw96}x$th96 at 96 DPI, ${tw192}x$th192 at 192 DPI"
check "at 192 DPI the construction canvas draws the tree twice as large (${tw192}x$th192 against ${tw96}x$th96)" \
  test $(( (tw192 - 2 * tw96) ** 2 <= 16 && (th192 - 2 * th96) ** 2 <= 16 )) = 1

# Drawn at the scale, not stretched: the 192-DPI picture has clearly more edge detail (spread of
# its Laplacian) than the 96-DPI picture enlarged twice, as a system stretching the window would
# show it (toys and garlands come from their sources, not from their smaller pictures).
convert "$work/view96.png" -filter triangle -resize 200% "$work/stretched96.png"
edges() { convert "$1" -colorspace gray -morphology Convolve Laplacian:0 -format '%[fx:standard_deviation]' info:; }
sharp=$(edges "$work/view192.png"); stretched=$(edges "$work/stretched96.png")
check "at 192 DPI the edges are sharper than a stretch of 96 DPI ($sharp against $stretched)" \
  awk -v a="$sharp" -v b="$stretched" 'BEGIN { exit !(a > 1.1 * b) }'
finish
