#!/usr/bin/env bash
# The release files in dist/: each zip holds exactly the program, the readme text (and the licence
# when the repository has one); its Pinarbo.exe is built for the zip's machine and its version
# resource carries the CMake project version; the setup program is the 32-bit one (it must start
# on every Windows) and carries the same version.
#   zips.sh [DIST]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../../.." && pwd)
dist=${1:-$root/dist}
failures=0
check() { # description, command...
  local what=$1; shift
  if "$@"; then echo "[zips] ok: $what"; else echo "[zips] FAIL: $what"; failures=$((failures + 1)); fi
}
version=$(sed -n 's/^project(Pinarbo VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
numbers=$version
while [ "$(tr -cd . <<<"$numbers" | wc -c)" -lt 3 ]; do numbers=$numbers.0; done
expected="Pinarbo.exe readme.txt"
for f in LICENSE LICENSE.txt LICENSE.md COPYING; do [ -f "$root/$f" ] && { expected="LICENSE.txt $expected"; break; }; done

tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
value() { sed -n "s/^$1=//p" "$2"; }
for pair in win32:x86 win64:x64; do
  name=${pair%%:*} machine=${pair##*:}
  zip=$dist/Pinarbo-$version-$name.zip
  check "$name: $(basename "$zip") exists" test -f "$zip" || continue
  check "$name: holds exactly $expected" test "$(unzip -Z1 "$zip" | sort | xargs)" = "$expected"
  mkdir -p "$tmp/$name" && unzip -q "$zip" -d "$tmp/$name"
  python3 "$here/peinfo.py" "$tmp/$name/Pinarbo.exe" >"$tmp/$name.info"
  check "$name: Pinarbo.exe is a $machine program" test "$(value machine "$tmp/$name.info")" = "$machine"
  for key in FileVersion ProductVersion; do
    check "$name: $key is $version" test "$(value $key "$tmp/$name.info")" = "$version"
  done
  check "$name: version numbers are $numbers" test "$(value file_numbers "$tmp/$name.info")" = "$numbers"
  check "$name: readme names the version" grep -q "^Pinarbo $version" "$tmp/$name/readme.txt"
done
setup=$dist/Pinarbo-$version-setup.exe
python3 "$here/peinfo.py" "$setup" >"$tmp/setup.info"
check "setup: a 32-bit program" test "$(value machine "$tmp/setup.info")" = x86
check "setup: ProductVersion is $version" test "$(value ProductVersion "$tmp/setup.info")" = "$version"
[ "$failures" -eq 0 ] || { echo "[zips] $failures check(s) failed"; exit 1; }
echo "[zips] all checks passed"
