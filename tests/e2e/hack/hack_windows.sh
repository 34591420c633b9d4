#!/bin/bash
# The hack as XScreenSaver runs it: drawn into windows that another program made, one
# process per window started at once (--root with XSCREENSAVER_WINDOW, one per monitor,
# and --window-id as the settings dialog's preview does), the picture following the
# window's size, --fps writing the frame rate in a corner, and each process ending with
# code 0 within 2 s of SIGTERM, or quietly when its window is taken away.
# Usage: hack_windows.sh KELVORA MAKE_WINDOW ARTIFACTS
set -euo pipefail
KELVORA=$1 MAKE_WINDOW=$2 ARTIFACTS=$3
WORK=$(mktemp -d)
mkdir -p "$ARTIFACTS"
PIDS=()

source "$(dirname "$0")/../support/lib.sh"
describe_failure() {
  local f
  for f in "$WORK"/*.err; do show_file "$(basename "$f")" "$f"; done
}
end_case() {
  local p
  for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
}
trap cleanup EXIT

# make_window W H NAME: a window of another program; its id in the variable NAME.
make_window() {
  "$MAKE_WINDOW" "$1" "$2" >"$WORK/$3.id" &
  PIDS+=($!)
  wait_until 10 test -s "$WORK/$3.id" || fail "no window made"
  printf -v "$3" '%s' "$(cat "$WORK/$3.id")"
}

# start_hack NAME ARGS...: the hack with its own event file and standard error.
start_hack() {
  local name=$1
  shift
  KELVORA_EVENT_FILE=$WORK/$name.events "$KELVORA" "$@" 2>"$WORK/$name.err" &
  PIDS+=($!)
  printf -v "pid_$name" '%s' "$!"
}

first_frame() { grep -q '^first-frame ' "$WORK/$1.events" 2>/dev/null; }

# The lit pumpkin's warm orange, as a share of a 64 x 48 reduction of the window.
orange_pixels() {
  screenshot "$WORK/shot.png" "$1" || { echo 0; return; }
  count_pixels "$WORK/shot.png" "$ORANGE" "" 64x48
}
shows_pumpkin() { [ "$(orange_pixels "$1")" -ge 150 ]; }

# White pixels in the lower left 120 x 40 of the last shot, where --fps writes its text.
corner_text_pixels() {
  convert "$WORK/shot.png" -gravity SouthWest -crop 120x40+0+0 +repage \
    -fx 'r > 0.85 && g > 0.85 && b > 0.85 ? 1 : 0' -format '%[fx:round(mean*w*h)]' info:
}
writes_frame_rate() { screenshot "$WORK/shot.png" "$1" && [ "$(corner_text_pixels)" -ge 30 ]; }

# ends_cleanly NAME [SIGNAL]: SIGTERM (or SIGHUP, which must end it the same way), then
# the process's own exit code 0 within 2 s.
ends_cleanly() {
  local pid_var=pid_$1 code=0 signal=${2:-TERM}
  local pid=${!pid_var}
  kill -"$signal" "$pid"
  wait_until 2 bash -c "! kill -0 $pid 2>/dev/null" || fail "$1 still runs 2 s after SIG$signal"
  wait "$pid" || code=$?
  [ "$code" -eq 0 ] || fail "$1 ended with code $code after SIG$signal"
}

# Two monitors' windows, one process each, started at once.
make_window 400 300 left
make_window 400 300 right
xdotool windowmove "$right" 420 0
XSCREENSAVER_WINDOW=$left start_hack left -root
XSCREENSAVER_WINDOW=$right start_hack right --root
wait_until 60 first_frame left || fail "the first --root process drew no frame"
wait_until 60 first_frame right || fail "the second --root process drew no frame"
wait_until 20 shows_pumpkin "$left" || { cp "$WORK/shot.png" "$ARTIFACTS/left.png"; fail "no pumpkin in the first window"; }
wait_until 20 shows_pumpkin "$right" || { cp "$WORK/shot.png" "$ARTIFACTS/right.png"; fail "no pumpkin in the second window"; }
kill -0 "$pid_left" 2>/dev/null || fail "the first --root process ended while the second ran"

ends_cleanly right HUP
xdotool windowunmap "$right"

# The picture follows the window's size: at 2.25 times the area the pumpkin still fills
# its share of the window (a picture left at the old size would fill some 44% of it).
before=$(orange_pixels "$left")
xdotool windowsize "$left" 600 450
grown() {
  [ "$(xwininfo -id "$left" | awk '/Width:/ { print $2 }')" -eq 600 ] &&
    [ "$(orange_pixels "$left")" -ge $((before * 3 / 4)) ]
}
wait_until 10 grown || { cp "$WORK/shot.png" "$ARTIFACTS/grown.png"; fail "the picture did not follow the window's new size"; }
cp "$WORK/shot.png" "$ARTIFACTS/grown.png"
[ "$(corner_text_pixels)" -eq 0 ] || fail "text in the lower left corner without --fps"
ends_cleanly left

# --fps writes the frame rate in the picture's lower left corner.
make_window 400 300 counted
start_hack counted --window-id "$counted" --fps
wait_until 60 first_frame counted || fail "--fps drew no frame"
wait_until 20 writes_frame_rate "$counted" || { cp "$WORK/shot.png" "$ARTIFACTS/fps.png"; fail "--fps wrote no frame rate in the lower left corner"; }
cp "$WORK/shot.png" "$ARTIFACTS/fps.png"
ends_cleanly counted
xdotool windowunmap "$counted"

# The settings dialog's preview: a small window named by --window-id. A colour the hack
# cannot read (xfce4-screensaver once passed 1 from a check box) leaves the settings
# file's colour: one line on standard error, and the pumpkin drawn.
make_window 200 150 small
start_hack small --window-id "$small" --candle-height 15 --candle-color 1
wait_until 60 first_frame small || fail "--window-id drew no frame"
wait_until 20 shows_pumpkin "$small" || { cp "$WORK/shot.png" "$ARTIFACTS/small.png"; fail "no pumpkin in the small window"; }
cp "$WORK/shot.png" "$ARTIFACTS/small.png"
[ "$(wc -l <"$WORK/small.err")" -eq 1 ] && grep -q -- "--candle-color takes .*settings file's value is used" "$WORK/small.err" ||
  fail "the bad colour was not reported in one line: $(cat "$WORK/small.err")"
ends_cleanly small

# A window taken away under the hack (its maker gone, as the daemon takes it away; or the
# hack's own window destroyed by another client) ends it quietly: code 0, its "ending 0"
# line, and no X error on standard error.
for how in root window_id window; do
  # The last window's id must not be taken for the new one's.
  rm -f "$WORK/gone.id"
  case $how in
    root) make_window 200 150 gone && XSCREENSAVER_WINDOW=$gone start_hack "$how" --root ;;
    window_id) make_window 200 150 gone && start_hack "$how" --window-id "$gone" ;;
    window) start_hack "$how" --window ;;
  esac
  maker=${PIDS[-2]}
  pid_var=pid_$how
  wait_until 60 first_frame "$how" || fail "--$how drew no frame"
  if [ "$how" = window ]; then
    xdotool windowclose "$(xdotool search --pid "${!pid_var}" | head -n1)"
  else
    kill "$maker"
  fi
  wait_until 10 bash -c "! kill -0 ${!pid_var} 2>/dev/null" || fail "--$how still runs after its window went"
  code=0
  wait "${!pid_var}" || code=$?
  [ "$code" -eq 0 ] || fail "--$how ended with code $code when its window went"
  grep -qx 'ending 0' "$WORK/$how.events" || fail "--$how noted no ending when its window went"
  [ ! -s "$WORK/$how.err" ] || fail "--$how said: $(cat "$WORK/$how.err")"
done

# A window that does not exist, and an unknown option: one line on standard error, code 1.
for args in "--window-id 0x7ffffff" "--root --bogus"; do
  code=0
  # shellcheck disable=SC2086
  "$KELVORA" $args 2>"$WORK/refused.err" || code=$?
  [ "$code" -eq 1 ] || fail "kelvora $args ended with code $code"
  [ "$(wc -l <"$WORK/refused.err")" -eq 1 ] || fail "kelvora $args said: $(cat "$WORK/refused.err")"
done
echo "ok"
