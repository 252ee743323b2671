# Starts a private Xvfb display for scripts (sourced). Sets DISPLAY and
# XVFB_PID; the caller stops it with stop_xvfb, or uses the Wine pair below.
start_xvfb() {
  local geometry=${1:-1920x1080x24} n
  for n in $(seq 90 130); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "$geometry" -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    local i
    for i in $(seq 50); do
      if [ -e "/tmp/.X11-unix/X$n" ]; then export DISPLAY=":$n"; return 0; fi
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "cannot start Xvfb" >&2
  return 1
}
stop_xvfb() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}

# A private 1920x1080 display with a fresh, persistent wineserver on it.
# Wine's desktop belongs to one display, so the server starts afresh on ours;
# it stays up so no run has to wait for it to wind down. Its helper processes
# start here, away from the caller's output pipes, which they would otherwise
# hold open for as long as they live. Stop with stop_wine_display.
start_wine_display() {
  wineserver -k >/dev/null 2>&1 || true
  start_xvfb 1920x1080x24
  wineserver -p
  wine cmd /c exit >/dev/null 2>&1 </dev/null
}
stop_wine_display() {
  wineserver -k >/dev/null 2>&1 || true
  stop_xvfb
}
