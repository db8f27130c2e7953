# Sourced by the scripts that run Wine. Finds Debian's wine64 and wineserver (PATH first, then
# /usr/lib/wine/, where Debian's wine64 package puts both without adding them to the PATH) and
# defines `wineserver` as a function, so `wineserver -w` always waits with the right binary.
#   PINARBO_WINE, PINARBO_WINESERVER: the two programs' paths (empty when missing).

pinarbo_find_wine_tool() { # name
  local p
  p=$(command -v "$1" 2>/dev/null) && [ -n "$p" ] && { echo "$p"; return 0; }
  [ -x "/usr/lib/wine/$1" ] && { echo "/usr/lib/wine/$1"; return 0; }
  return 1
}

PINARBO_WINE=${PINARBO_WINE:-$(pinarbo_find_wine_tool wine64)}
PINARBO_WINESERVER=${PINARBO_WINESERVER:-$(pinarbo_find_wine_tool wineserver)}
export PINARBO_WINE PINARBO_WINESERVER

wineserver() {
  if [ -z "$PINARBO_WINESERVER" ]; then
    echo "wineserver not found (install the wine64 package)" >&2
    return 127
  fi
  "$PINARBO_WINESERVER" "$@"
}
