#!/usr/bin/env bash
# The installer's choice of program as a table over both cases, where this Wine runs only 64-bit
# programs: a test setup built around the installer's own choice (installer/Architecture.nsh)
# with the release's two programs writes what each case installs; 64-bit Windows must get the x64
# program and other Windows the x86 one, each carrying the project version.
#   architecture.sh <build dir with the e2e template>   (after scripts/package)
source "$(dirname "$0")/../lib/common.bash"
version=$(sed -n 's/^project(Pinarbo VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
stage=$root/build/package/stage
new_prefix architecture
out=$WINEPREFIX/drive_c/choice
makensis -V2 -NOCD -DOUTFILE="$work/architecture.exe" -DOUTDIR='C:\choice' \
  -DEXE32="$stage/win32/Pinarbo.exe" -DEXE64="$stage/win64/Pinarbo.exe" \
  "-X!addincludedir $root/installer" "$root/tests/win/e2e/package/architecture.nsi" >"$work/makensis.log" 2>&1
check "the test setup builds around the installer's choice" test -f "$work/architecture.exe"
timeout 120 "$wine" "$work/architecture.exe" /S
wine_settle
for case in "64-bit Windows:x64" "32-bit Windows:x86"; do
  windows=${case%%:*} machine=${case##*:}
  info=$(python3 "$root/tests/win/e2e/package/peinfo.py" "$out/$machine/Pinarbo.exe" 2>/dev/null)
  check "$windows gets the $machine program" test "$(sed -n 's/^machine=//p' <<<"$info")" = "$machine"
  check "$windows: its version is $version" test "$(sed -n 's/^FileVersion=//p' <<<"$info")" = "$version"
done
finish
