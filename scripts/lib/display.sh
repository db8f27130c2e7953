# Sourced by the scripts that need a private virtual display.
#   pinarbo_start_display [SCREEN]  starts Xvfb on a free display number (SCREEN defaults to
#   1280x1024x24), exports DISPLAY and sets xvfb_pid for the caller's cleanup. Answers 1, with a
#   message on stderr, when Xvfb does not start within 20 s.

pinarbo_start_display() {
  local fifo num
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 5 -screen 0 "${1:-1280x1024x24}" -nolisten tcp 5>"$fifo" 2>/dev/null &
  xvfb_pid=$!
  if ! read -r -t 20 num <"$fifo"; then
    rm -f "$fifo"
    echo "Xvfb did not start" >&2
    return 1
  fi
  rm -f "$fifo"
  export DISPLAY=:$num
}
