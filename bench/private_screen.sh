# Sourced by the bench scripts: a private Xvfb screen of a chosen size, for measuring how
# cost grows with the screen (the shared setup's private display is always 1024 x 768).

# start_private_screen WIDTHxHEIGHT: starts Xvfb on a number the server finds free itself
# (-displayfd writes it once the server accepts connections) and exports DISPLAY; sets
# PRIVATE_SCREEN_PID for stop_private_screen.
start_private_screen() {
  local size=$1 numberFile waited=0
  numberFile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$numberFile" >/dev/null 2>&1 &
  PRIVATE_SCREEN_PID=$!
  until [ -s "$numberFile" ]; do
    if ! kill -0 "$PRIVATE_SCREEN_PID" 2>/dev/null || [ $waited -gt 300 ]; then
      echo "Xvfb did not start at $size" >&2
      rm -f "$numberFile"
      return 1
    fi
    sleep 0.05
    waited=$((waited + 1))
  done
  export DISPLAY=":$(tr -d '[:space:]' <"$numberFile")"
  rm -f "$numberFile"
}

stop_private_screen() {
  [ -n "${PRIVATE_SCREEN_PID:-}" ] || return 0
  kill "$PRIVATE_SCREEN_PID" 2>/dev/null || true
  wait "$PRIVATE_SCREEN_PID" 2>/dev/null || true
  PRIVATE_SCREEN_PID=
}
