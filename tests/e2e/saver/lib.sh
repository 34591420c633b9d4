# Shared by the saver's end-to-end cases: a private copy of a product, the saver started
# natively or under Wine (through the driver that watches the taskbar), waits with
# deadlines on the lines of the product's event file, screenshots and the pixel checks of
# the scene.
# Source with the product kind as the first argument: linux or wine.
set -euo pipefail

KIND=${1:?linux or wine}
WINE=/usr/lib/wine/wine64
DRIVER=${KELVORA_WINDOWS_BUILD:-}/tests/windows/saver_driver/saver_driver.exe
CASE=$(basename "$0" .sh)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kelvora-saver-e2e.XXXXXX")
ARTIFACTS=${KELVORA_ARTIFACTS:-$WORK/artifacts}/$KIND
mkdir -p "$ARTIFACTS"
SAVER_PID=
DRIVER_OUT=$WORK/driver.out
SAVER_STARTED=
# A command the saver (under Wine: the driver) is started through, with its arguments.
SAVER_LAUNCHER=()
# The saver's event file (see common/event_note.h), which every process of the case shares.
EVENTS=$WORK/events

fail() {
  echo "FAIL [$KIND $CASE]: $*" >&2
  [ -f "$DRIVER_OUT" ] && sed 's/^/  driver: /' "$DRIVER_OUT" >&2
  [ -f "$WORK/saver.out" ] && sed 's/^/  saver: /' "$WORK/saver.out" >&2
  [ -f "$EVENTS" ] && sed 's/^/  event: /' "$EVENTS" >&2
  exit 1
}

cleanup() {
  if [ -n "$SAVER_PID" ] && kill "$SAVER_PID" 2>/dev/null && [ "$KIND" = linux ]; then
    # One saver runs per user and display, so one left behind would refuse the next
    # case's. A saver waiting in its message box does not look at SIGTERM: only SIGKILL
    # ends it there.
    wait_until 5 saver_ended || kill -KILL "$SAVER_PID" 2>/dev/null || true
  fi
  # Under Wine the saver is not the driver's Unix child, nor under a launcher the shell's;
  # its command line names the private folder, which nothing else uses. A stopped one
  # takes its SIGTERM once continued.
  local pid
  for pid in $(pgrep -f "$(basename "$WORK")" || true); do kill "$pid" 2>/dev/null && kill -CONT "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT

source "$(dirname "${BASH_SOURCE[0]}")/../support/waiting.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../support/screen.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../support/events.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/setup.sh"

# The product folder as a user installs it, in a folder of its own: the executable, the
# settings file and the media folder, so that a case can remove any of them.
copy_product() {
  reset_keyboard_focus
  # Where a person's hand left the mouse: inside the screen, away from the edges and from
  # every place the cases move it to.
  xdotool mousemove 512 384
  local from
  if [ "$KIND" = linux ]; then
    from=${KELVORA_LINUX_BUILD:?}
    [ -x "$from/kelvora" ] || fail "no native product at $from/kelvora"
    cp "$from/kelvora" "$WORK/"
  else
    from=${KELVORA_WINDOWS_BUILD:?}
    [ -f "$from/kelvora.scr" ] || fail "no kelvora.scr at $from"
    [ -f "$DRIVER" ] || fail "no saver driver at $DRIVER"
    cp "$from/kelvora.scr" "$WORK/"
  fi
  cp -r "$from/durnwick" "$WORK/"
  cp "$from/kelvora.ini" "$WORK/"
}

# set_setting SECTION KEY VALUE in the copy's settings file (the keys are unique).
set_setting() {
  sed -i "s/^$2=.*/$2=$3/I" "$WORK/kelvora.ini"
  grep -qi "^$2=$3\$" "$WORK/kelvora.ini" || fail "cannot set $2"
}


# start_saver [--close-message-box] ARGUMENTS...: starts the copy; under Wine through the
# driver, which first makes sure a taskbar exists. SAVER_STARTED is when the saver's own
# process began.
start_saver() {
  local driver_options=()
  if [ "${1:-}" = --close-message-box ]; then
    driver_options+=(--close-message-box)
    shift
  fi
  if [ "$KIND" = linux ]; then
    export KELVORA_EVENT_FILE=$EVENTS
    SAVER_STARTED=$(now)
    "${SAVER_LAUNCHER[@]}" "$WORK/kelvora" "$@" >"$WORK/saver.out" 2>&1 &
    SAVER_PID=$!
  else
    KELVORA_EVENT_FILE=$(windows_path "$EVENTS")
    export KELVORA_EVENT_FILE
    "${SAVER_LAUNCHER[@]}" "$WINE" "$DRIVER" "${driver_options[@]}" --timeout 150 "$(windows_path "$WORK/kelvora.scr")" \
      "$@" >"$DRIVER_OUT" 2>/dev/null &
    SAVER_PID=$!
    wait_until 30 driver_saw started || fail "the driver did not start the saver"
    SAVER_STARTED=$(now)
    driver_saw "taskbar visible" || fail "the taskbar was not visible before the saver"
  fi
}

driver_saw() { grep -qx "$1" "$DRIVER_OUT" 2>/dev/null; }

saver_ended() {
  if [ "$KIND" = linux ]; then
    ! kill -0 "$SAVER_PID" 2>/dev/null || [ "$(awk '{ print $3 }' "/proc/$SAVER_PID/stat" 2>/dev/null)" = Z ]
  else
    grep -q '^exit ' "$DRIVER_OUT" 2>/dev/null
  fi
}

# expect_exit_code_0: the ended saver's exit code is 0. Runs in this shell, never in a
# $(...) subshell: only the shell that started the saver may wait for it, and a subshell
# that does gets 127 whenever this shell has not yet collected the ended process.
expect_exit_code_0() {
  local code=0
  if [ "$KIND" = linux ]; then
    wait "$SAVER_PID" || code=$?
  else
    wait_until 10 grep -q '^final taskbar' "$DRIVER_OUT" || fail "the driver did not finish"
    code=$(sed -n 's/^exit //p' "$DRIVER_OUT")
  fi
  [ "$code" = 0 ] || fail "the saver ended with exit code $code, not 0"
}

# Under Wine: the taskbar was hidden while the saver ran and is visible after it ended.
check_taskbar_restored() {
  [ "$KIND" = wine ] || return 0
  driver_saw "taskbar hidden" || fail "the taskbar was never hidden"
  driver_saw "final taskbar visible" || fail "the taskbar stayed hidden after the saver ended"
}

scene_shown() {
  local shot=$WORK/poll.png
  screenshot "$shot" || return 1
  [ "$(count_pixels "$shot" "$ORANGE")" -ge 500 ] && [ "$(count_pixels "$shot" "$FLAME")" -ge 8 ]
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

# A key pressed as a person does: held until the saver has seen it down, so that the
# check never depends on how long a frame takes.
press_key() {
  local mark
  mark=$(event_mark)
  xdotool keydown space
  local seen=0
  wait_for_event 'key-seen [0-9]+' 10 "$mark" || seen=$?
  xdotool keyup space
  [ $seen = 0 ] || fail "the saver did not see the key"
}

# expect_ending WHAT: the saver decided to end (its "ending 0" line) and its process is
# gone. The deadline only catches a hang: how fast a process ends depends on the
# machine's load (Wine's teardown alone can take seconds), not on the saver.
expect_ending() {
  expect_event 'ending 0' 10 0 "$1"
  wait_until 10 saver_ended || fail "the saver's process did not end after it noted its ending"
  expect_exit_code_0
  check_taskbar_restored
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
