# Shared by the saver's end-to-end cases: on the shared helpers (tests/e2e/support: a
# private copy of a product, the saver started natively or under Wine through the driver
# that watches the taskbar, waits on the product's event lines, screenshots and pixel
# checks), the saver's own steps: settings, the scene awaited, the mouse and the keys,
# the message box and spoiled media.
# Source with the product kind as the first argument: linux or wine.
set -euo pipefail

KIND=${1:?linux or wine}
WINE=/usr/lib/wine/wine64
DRIVER=${KELVORA_WINDOWS_BUILD:-}/tests/backends/windows/saver_driver/saver_driver.exe
CASE=$(basename "$0" .sh)
CASE_TAG="$KIND $CASE"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kelvora-saver-e2e.XXXXXX")
ARTIFACTS=${KELVORA_ARTIFACTS:-$WORK/artifacts}/$KIND
mkdir -p "$ARTIFACTS"
DRIVER_OUT=$WORK/driver.out
# The saver's event file (see common/event_note.h), which every process of the case shares.
EVENTS=$WORK/events

source "$(dirname "${BASH_SOURCE[0]}")/../support/lib.sh"
# Under Wine the saver is started by the driver, which watches the taskbar.
[ "$KIND" = linux ] || SAVER_DRIVER=$DRIVER

describe_failure() {
  show_file driver "$DRIVER_OUT"
  show_file saver "$WORK/saver.out"
  show_file event "$EVENTS"
}
end_case() { end_saver; }
trap cleanup EXIT

# Where a person's hand left the mouse: inside the screen, away from the edges and from
# every place the cases move it to; and the keyboard's focus where keys reach the saver.
reset_keyboard_focus
xdotool mousemove 512 384

# set_setting SECTION KEY VALUE in the copy's settings file (the keys are unique).
set_setting() {
  sed -i "s/^$2=.*/$2=$3/I" "$WORK/kelvora.ini"
  grep -qi "^$2=$3\$" "$WORK/kelvora.ini" || fail "cannot set $2"
}

# Waits for the saver's first frame, then for the scene on the screen, from the saver's
# start, and keeps the picture that showed it.
wait_for_scene() {
  local limit=$1
  expect_event 'first-frame [0-9.]+' "$limit" 0 "the saver presented no frame"
  wait_until "$limit" scene_shown || {
    cp "$WORK/poll.png" "$ARTIFACTS/$CASE-no-scene.png" 2>/dev/null || true
    fail "no pumpkin and flame within ${limit} s (last picture: $ARTIFACTS/$CASE-no-scene.png)"
  }
  cp "$WORK/poll.png" "$ARTIFACTS/$CASE-scene.png"
}

# move_mouse X Y: moves the mouse and waits until the saver's frame loop has handled the
# new place (the line comes after the exit detector's look at it). The place before must
# already have been seen, so that the first new line is this one's.
move_mouse() {
  local mark
  mark=$(event_mark)
  xdotool mousemove "$1" "$2"
  expect_event 'mouse-seen [0-9]+ [0-9]+' 10 "$mark" "the saver did not see the mouse at $1 $2"
}

end_with_key() {
  expect_event 'first-frame [0-9.]+' 10 0 "the saver presented no frame"
  press_key
  expect_ending "a key did not end the saver"
}

second_message() {
  echo "One or more files are missing from application. Please download and re-install the software from ${KELVORA_WEBSITE:?}"
}

# A set-up failure: the "Screen Saver" box shows with the given text; closing it ends the
# saver with the taskbar shown again.
expect_message_box_then_end() {
  local text=$1
  expect_event "message-box \"Screen Saver\" \".*\"" 20 0 "no \"Screen Saver\" message box"
  local noted
  noted=$(sed -n 's/^message-box "Screen Saver" "\(.*\)"$/\1/p' "$EVENTS")
  [ "$noted" = "$text" ] || fail "the message box said: $noted"
  if [ "$KIND" = linux ]; then
    local box
    box=$(xdotool search --sync --onlyvisible --name '^Screen Saver$' | head -n1)
    screenshot "$ARTIFACTS/$CASE-message-box.png"
    xdotool windowfocus --sync "$box" key Return
  else
    wait_until 20 grep -q '^message box: ' "$DRIVER_OUT" || fail "no \"Screen Saver\" message box"
    screenshot "$ARTIFACTS/$CASE-message-box.png"
    driver_saw "message box: $text" || fail "the message box did not say: $text"
  fi
  expect_event 'message-box-closed' 5 0 "the message box did not close"
  expect_ending "closing the message box did not end the saver"
}

# refuse_each_medium SPOIL CASE...: for each "NAME MEDIUM" case, a fresh copy of the good
# media with MEDIUM spoiled by the function SPOIL (called with NAME and the medium's path);
# the saver must end in the missing-files box each time.
refuse_each_medium() {
  local spoil=$1
  shift
  local media=$WORK/durnwick/kelvora entry name medium
  [ -d "$WORK/good-media" ] || cp -r "$media" "$WORK/good-media"
  for entry in "$@"; do
    read -r name medium <<<"$entry"
    rm -rf "$media" && cp -r "$WORK/good-media" "$media"
    rm -f "$media/$medium"
    "$spoil" "$name" "$media/$medium"
    echo "case: $name $medium"
    # Each run has its own event file and driver report.
    EVENTS=$WORK/events-$name-$medium
    DRIVER_OUT=$WORK/driver-$name-$medium.out
    start_saver --close-message-box /S
    expect_message_box_then_end "$(second_message)"
  done
}

# start_on_road NAME [VARIABLE=VALUE...]: a fresh run of the saver's /S with its own event
# file and driver report (NAME tells the runs apart), with those variables.
start_on_road() {
  local name=$1
  shift
  echo "run: $name $*"
  EVENTS=$WORK/events-$name
  DRIVER_OUT=$WORK/driver-$name.out
  start_saver --close-message-box "$@" /S
}

# scene_measures PICTURE: where the scene lies and how it looks, on a quarter-size copy:
# the lit pumpkin's box (width height left top), the flame core's centre (x y) and the
# mean colour (red green blue, 0 to 255) of a patch of skin on its left cheek, which the
# flickering glow inside does not reach.
scene_measures() {
  local small=$WORK/measured.png pumpkin flame
  convert "$1" -scale 25% "$small"
  pumpkin=$(convert "$small" -fx "$ORANGE ? 1 : 0" -threshold 50% -format '%@' info: | tr 'x+' '  ')
  flame=$(convert "$small" -fx "$FLAME ? 1 : 0" -threshold 50% -format '%@' info: | tr 'x+' '  ')
  read -r width height left top <<<"$pumpkin"
  echo "$pumpkin" "$(echo "$flame" | awk '{ printf "%d %d", $3 + $1 / 2, $4 + $2 / 2 }')" \
    "$(convert "$small" -crop "$((width / 10))x$((height / 8))+$((left + width / 20))+$((top + height * 2 / 5))" +repage \
      -format '%[fx:round(255*mean.r)] %[fx:round(255*mean.g)] %[fx:round(255*mean.b)]' info:)"
}
