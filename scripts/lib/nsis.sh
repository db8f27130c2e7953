# Sourced by scripts/package and the installer's tests. Builds the installer from
# installer/Pinarbo.nsi over a staged release (stage/readme.txt, stage/LICENSE.txt when present,
# stage/win32/Pinarbo.exe, stage/win64/Pinarbo.exe):
#   pinarbo_nsis ROOT STAGE VERSION OUT [makensis options...]
# ROOT is the repository, STAGE an absolute path. The log goes to ROOT/build/logs/makensis.log.
pinarbo_nsis() {
  local root=$1 stage=$2 version=$3 out=$4 extra=()
  shift 4
  local version4=$version
  while [ "$(tr -cd . <<<"$version4" | wc -c)" -lt 3 ]; do version4=$version4.0; done
  [ -f "$stage/LICENSE.txt" ] && extra=(-DLICENSE="$stage/LICENSE.txt")
  mkdir -p "$root/build/logs"
  (cd "$root" && makensis -V2 -NOCD "$@" -DVERSION="$version" -DVERSION4="$version4" \
    -DEXE32="$stage/win32/Pinarbo.exe" -DEXE64="$stage/win64/Pinarbo.exe" \
    -DREADME="$stage/readme.txt" "${extra[@]}" \
    -DICON="$root/res/ico/102.ico" -DOUTFILE="$out" installer/Pinarbo.nsi) >"$root/build/logs/makensis.log" 2>&1 \
    || { echo "makensis failed" >&2; cat "$root/build/logs/makensis.log" >&2; return 1; }
  echo "$out"
}
