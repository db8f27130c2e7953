#!/usr/bin/env bash
# Two packagings of the same sources in different folders give the same bytes: the sources of this
# tree (what git tracks, as they are now) are copied into another folder, scripts/package runs
# there with the same commit time, and its programs, zips, installer and checksums must equal
# those of the packaging already done here.
#   reproducible.sh        (after scripts/package in this tree)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../../.." && pwd)
failures=0
check() { # description, command...
  local what=$1; shift
  if "$@"; then echo "[reproducible] ok: $what"; else echo "[reproducible] FAIL: $what"; failures=$((failures + 1)); fi
}
version=$(sed -n 's/^project(Pinarbo VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct) || { echo "[reproducible] FAIL: not a git checkout"; exit 1; }
export SOURCE_DATE_EPOCH

other=$root/build/reproducible/another/folder
rm -rf "$root/build/reproducible"
mkdir -p "$other"
(cd "$root" && git ls-files -z | xargs -0 tar -cf - 2>/dev/null) | tar -xf - -C "$other"
(cd "$other" && PINARBO_JOBS=${PINARBO_JOBS:-2} bash scripts/package) >"$root/build/logs/package-again.log" 2>&1
check "scripts/package runs again in another folder" test $? = 0

same() { cmp -s "$1" "$2"; }
for arch in x64 x86; do
  check "release program $arch is the same" same "$root/build/release-$arch/Pinarbo.exe" "$other/build/release-$arch/Pinarbo.exe"
done
for f in "Pinarbo-$version-win64.zip" "Pinarbo-$version-win32.zip" "Pinarbo-$version-setup.exe" SHA256SUMS \
         "scoop/pinarbo.json" "winget/Holverin.Pinarbo/$version/Holverin.Pinarbo.installer.yaml"; do
  check "$f is the same" same "$root/dist/$f" "$other/dist/$f"
done
[ "$failures" -eq 0 ] && rm -rf "$root/build/reproducible"
[ "$failures" -eq 0 ] || { echo "[reproducible] $failures check(s) failed; the second packaging is in $other"; exit 1; }
echo "[reproducible] all checks passed"
