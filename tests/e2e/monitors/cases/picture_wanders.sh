# Care for the screen on a 1920 x 1080 monitor: the saver starts with its 4:3 picture in
# the middle, and an hour on (the saver's clock started at 3600 s, as KELVORA_CLOCK_START
# lets a test) the picture stands well to one side, over the bars, yet whole on the screen.
source "$(dirname "$0")/../lib.sh" "$1"
start_nested_x -screen 1920x1080
copy_product

pumpkin_shown() {
  screenshot "$WORK/poll.png" || return 1
  [ "$(count_pixels "$WORK/poll.png" "$ORANGE")" -ge 500 ]
}

# The lit pumpkin's bounds in the last picture, as "LEFT RIGHT TOP BOTTOM" in screen
# pixels, found on a quarter-size copy (full size is slow to test).
pumpkin_bounds() {
  local bounds width height left top
  bounds=$(convert "$WORK/poll.png" -scale 25% -fx "$ORANGE ? 1 : 0" -threshold 50% -format '%@' info:)
  read -r width height left top < <(echo "$bounds" | tr 'x+' '  ')
  echo $((left * 4)) $(((left + width) * 4)) $((top * 4)) $(((top + height) * 4))
}

# place_after SECONDS: the pumpkin's bounds, into left, right, top and bottom, with the
# saver's clock started that far on.
place_after() {
  if [ -n "$SAVER_PID" ]; then
    end_saver
    wait "$SAVER_PID" 2>/dev/null || true
  fi
  start_saver KELVORA_CLOCK_START="$1"
  wait_until 40 pumpkin_shown || fail "no pumpkin within 40 s (clock started at $1 s)"
  cp "$WORK/poll.png" "$ARTIFACTS/$CASE-$1.png"
  read -r left right top bottom < <(pumpkin_bounds)
}

place_after 0
start_middle=$(((left + right) / 2))
echo "at the start: pumpkin from x $left to $right, y $top to $bottom"
[ $((start_middle - 960)) -le 16 ] && [ $((960 - start_middle)) -le 16 ] ||
  fail "the picture does not start in the middle (the pumpkin's middle at x $start_middle)"

place_after 3600
hour_middle=$(((left + right) / 2))
echo "an hour on: pumpkin from x $left to $right, y $top to $bottom"
moved=$((hour_middle - start_middle))
[ "${moved#-}" -ge 120 ] ||
  fail "an hour on the picture moved only $moved px sideways (at least 120 px of the 240 px bars)"
[ "$left" -gt 0 ] && [ "$right" -lt 1920 ] && [ "$top" -gt 0 ] && [ "$bottom" -lt 1080 ] ||
  fail "an hour on the pumpkin left the screen ($left to $right, $top to $bottom)"
