#!/usr/bin/env bash
# First start with an empty registry, a second copy meanwhile, and the end of the Windows session:
# the main dialog is centred and shown, the default scene appears on the desktop at the initial
# place with the composed size and matches the golden picture's shape, an old autostart shortcut is
# deleted, the second copy ends with code 1; ending the session saves the profile, the items, the
# tree and both placements, removes "Handle", and the program ends with code 0.
source "$(dirname "$0")/lib/common.bash"

new_prefix first
startup_dir=$(startup_folder)
echo "left from before" >"$startup_dir/Pinarbo.lnk"

start_app 2 || finish
check "an autostart shortcut left from before is deleted" test ! -e "$startup_dir/Pinarbo.lnk"
check "main dialog shown" test "$(info main_visible)" = 1
read -r l t r b <<<"$(info main_rect)"
check "main dialog centred (centre $(( (l + r) / 2 )),$(( (t + b) / 2 )))" \
  test $(( ( (l + r) / 2 - 640 ) ** 2 <= 4 && ( (t + b) / 2 - 512 ) ** 2 <= 4 )) = 1
check "view window is 193 x 250 (composed default scene)" test "$(info view_size)" = "193 250"
check "view at the initial place (screen - 200, screen - 300)" test "$(info view_rect | cut -d' ' -f1-2)" = "1080 724"
check "view topmost" test "$(info view_topmost)" = 1

export_reg
check "first start: Handle is written (so a copy started now finds this one)" test -n "$(reg_value 'Options\Windows\Main' Handle)"
rc=$(run_second_copy)
check "a second copy ends with code 1 (got $rc)" test "$rc" = 1
check "the first copy still runs" kill -0 "$app_pid"

# The picture on the desktop: the composed default scene's shape (tree, toys and garlands).
shot=$(screenshot desktop)
convert "$shot" -crop 193x250+1080+724 +repage "$work/view.png"
golden=$root/tests/data/golden
convert "$golden/default-scene.png" "$golden/default-garlands.png" -alpha extract -compose lighten -composite \
  -threshold 0 "$work/golden-mask.png"
convert "$work/view.png" -colorspace gray -threshold 0 "$work/view-mask.png"
diff_px=$(compare -metric AE "$work/golden-mask.png" "$work/view-mask.png" null: 2>&1 | cut -d' ' -f1)
log "shape differs in $diff_px of $((193 * 250)) pixels"
check "the tree on the desktop has the golden picture's shape" test "${diff_px%.*}" -lt 1500
# Inside the tree (opaque in the golden picture) the colours are the golden ones at 75 % opacity.
mean_view=$(convert "$work/view.png" "$work/golden-mask.png" -compose multiply -composite -format '%[fx:mean]' info:)
mean_gold=$(convert "$golden/default-scene.png" -background black -alpha remove "$work/golden-mask.png" \
  -compose multiply -composite -format '%[fx:mean*0.75]' info:)
log "mean brightness: desktop $mean_view, golden at 75 % $mean_gold"
check "colours match the golden picture at the view's opacity" \
  awk -v a="$mean_view" -v b="$mean_gold" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d < 0.03) }'

ctl endsession >/dev/null
wait_app_exit 20
check "ending the session ends the program with code 0 (got $app_rc)" test "$app_rc" = 0
wine_settle
export_reg
check "Profile = Default" test "$(reg_value Profiles Profile)" = Default
check "no Handle after the end" test -z "$(reg_value 'Options\Windows\Main' Handle)"
check "main placement saved" test -n "$(reg_value 'Options\Windows\Main' plmnt)"
check "view placement saved" test -n "$(reg_value 'Profiles\Default\Options\ViewWnd' plmnt)"
check "view saved topmost" test "$(reg_value 'Profiles\Default\Options\ViewWnd' topmost)" = 1
check "tree section saved (resid 122)" test "$(reg_value 'Profiles\Default\Items\Tree' resid)" = 122
for n in $(seq -w 0 19); do
  reg_has_section "Profiles\\Default\\Items\\0$n" || fail "item section 0$n missing"
done
check "no item section 020" bash -c "! grep -qF 'Items\\020]' '$work/reg.txt'"
# Rows of the default table: caption, type, resid, brig, contr, hue, opaque, size, x, y.
check_item() {
  local n=$1 caption=$2 type=$3 resid=$4 brig=$5 contr=$6 hue=$7 opaque=$8 size=$9 x=${10} y=${11}
  local s="Profiles\\Default\\Items\\$n" got
  got="$(reg_value "$s" Caption) $(reg_value "$s" type) $(reg_value "$s" resid) $(reg_value "$s" brig) $(reg_value "$s" contr) $(reg_value "$s" hue) $(reg_value "$s" opaque) $(reg_value "$s" size) $(reg_value "$s" x) $(reg_value "$s" y)"
  check "item $n = $caption $type $resid $brig $contr $hue $opaque $size $x $y" \
    test "$got" = "$caption $type $resid $brig $contr $hue $opaque $size $x $y"
}
check_item 000 Garland 2 145 0 0 0 100 100 58 209
check_item 005 Garland 2 145 0 0 160 100 80 72 43
check_item 010 Garland 2 145 0 0 69 100 100 58 162
check_item 011 Toy 1 131 -25 0 84 100 50 63 174
check_item 016 Toy 1 134 -25 0 25 100 50 105 86
check_item 017 Toy 1 134 0 0 96 100 50 77 131
check_item 018 Toy 1 134 22 40 139 100 50 65 55
check_item 019 Star 1 140 2 3 0 100 65 72 0
for k in MinimizeToTray HideInTray StartMinimize ConfirmExit; do
  check "common option $k at its default is absent" test -z "$(reg_value 'Options\Common' $k)"
done
check "KeepInTray (no recorded default) is stored" test "$(reg_value 'Options\Common' KeepInTray)" = 1
finish
