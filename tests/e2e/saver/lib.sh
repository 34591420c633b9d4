# Shared by the saver's end-to-end cases: a private copy of a product, the saver started
# natively or under Wine (through the driver that watches the taskbar), polling with
# deadlines, screenshots and the pixel checks of the scene.
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

fail() {
  echo "FAIL [$KIND $CASE]: $*" >&2
  [ -f "$DRIVER_OUT" ] && sed 's/^/  driver: /' "$DRIVER_OUT" >&2
  [ -f "$WORK/saver.out" ] && sed 's/^/  saver: /' "$WORK/saver.out" >&2
  exit 1
}

cleanup() {
  [ -n "$SAVER_PID" ] && kill "$SAVER_PID" 2>/dev/null || true
  # Under Wine the saver is not the driver's Unix child; its command line names the
  # private folder, which nothing else uses.
  local pid
  for pid in $(pgrep -f "$(basename "$WORK")" || true); do kill "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT

now() { date +%s.%N; }
seconds_since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.2f", b - a }'; }

# wait_until SECONDS COMMAND...: polls the command until it succeeds or the time is up.
wait_until() {
  local limit=$1
  shift
  local start
  start=$(now)
  until "$@"; do
    if awk -v a="$start" -v b="$(now)" -v l="$limit" 'BEGIN { exit !(b - a > l) }'; then
      return 1
    fi
    sleep 0.05
  done
}

# Without a window manager the keyboard focus stays where an earlier program left it
# (a closed message box leaves none); give it to the root, so that keys go to the window
# under the pointer, as on a fresh display.
reset_keyboard_focus() {
  xdotool windowfocus "$(xwininfo -root | awk '/Window id:/ { print $4 }')" 2>/dev/null || true
}

# The product folder as a user installs it, in a folder of its own: the executable, the
# settings file and the media folder, so that a case can remove any of them.
copy_product() {
  reset_keyboard_focus
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

windows_path() { echo "Z:$1" | tr / '\\'; }

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
    SAVER_STARTED=$(now)
    "$WORK/kelvora" "$@" >"$WORK/saver.out" 2>&1 &
    SAVER_PID=$!
  else
    "$WINE" "$DRIVER" "${driver_options[@]}" --timeout 150 "$(windows_path "$WORK/kelvora.scr")" \
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

saver_exit_code() {
  if [ "$KIND" = linux ]; then
    local code=0
    wait "$SAVER_PID" || code=$?
    echo "$code"
  else
    wait_until 10 grep -q '^final taskbar' "$DRIVER_OUT" || fail "the driver did not finish"
    sed -n 's/^exit //p' "$DRIVER_OUT"
  fi
}

# Under Wine: the taskbar was hidden while the saver ran and is visible after it ended.
check_taskbar_restored() {
  [ "$KIND" = wine ] || return 0
  driver_saw "taskbar hidden" || fail "the taskbar was never hidden"
  driver_saw "final taskbar visible" || fail "the taskbar stayed hidden after the saver ended"
}

screenshot() { import -window root "$1" 2>/dev/null; }

# How many pixels of a 128 x 96 reduction of the picture pass a colour test.
count_pixels() {
  convert "$1" -scale '128x96!' -fx "$2 ? 1 : 0" -format '%[fx:round(mean*w*h)]' info:
}

# The lit pumpkin: a large warm orange shape (some 1300 of the 12288 reduced pixels at
# the start pose); the flame: the vivid glow it casts inside the carved openings and its
# tongues above the stem (some 170), saturated as the skin (blue near 0.3) never is.
ORANGE='r > 0.45 && g > 0.12 && g < 0.75 && b < 0.35 && r > 1.3 * g'
FLAME='r > 0.85 && b < 0.2'

scene_shown() {
  local shot=$WORK/poll.png
  screenshot "$shot" || return 1
  [ "$(count_pixels "$shot" "$ORANGE")" -ge 500 ] && [ "$(count_pixels "$shot" "$FLAME")" -ge 40 ]
}

# Waits for the scene, from the saver's start, and keeps the picture that showed it.
wait_for_scene() {
  local limit=$1
  wait_until "$limit" scene_shown || {
    cp "$WORK/poll.png" "$ARTIFACTS/$CASE-no-scene.png" 2>/dev/null || true
    fail "no pumpkin and flame within ${limit} s (last picture: $ARTIFACTS/$CASE-no-scene.png)"
  }
  cp "$WORK/poll.png" "$ARTIFACTS/$CASE-scene.png"
}

# The time a key press may take to end the saver.
key_exit_limit() { [ "$KIND" = linux ] && echo 1 || echo 3; }

# A key pressed as a person does: the saver asks whether the key is down when it polls,
# so a press and release within one frame (as `xdotool key` sends them) could pass
# between two polls.
press_key() {
  xdotool keydown space
  sleep 0.15
  xdotool keyup space
}

end_with_key() {
  press_key
  wait_until "$(key_exit_limit)" saver_ended || fail "a key did not end the saver"
  [ "$(saver_exit_code)" = 0 ] || fail "the saver did not end with exit code 0"
  check_taskbar_restored
}

second_message() {
  echo "One or more files are missing from application. Please download and re-install the software from ${KELVORA_WEBSITE:?}"
}

# A set-up failure: the "Screen Saver" box shows (under Wine with the given text); closing
# it ends the saver with the taskbar shown again.
expect_message_box_then_end() {
  local text=$1
  if [ "$KIND" = linux ]; then
    wait_until 10 xdotool search --onlyvisible --name '^Screen Saver$' >/dev/null ||
      fail "no \"Screen Saver\" message box"
    local box
    box=$(xdotool search --onlyvisible --name '^Screen Saver$' | head -n1)
    screenshot "$ARTIFACTS/$CASE-message-box.png"
    # A box can be on the screen a moment before it takes keys; a press it missed is
    # pressed again until the saver ends or the presses run out.
    local presses=0
    until [ $presses -eq 5 ]; do
      xdotool windowfocus --sync "$box" key Return 2>/dev/null
      presses=$((presses + 1))
      wait_until 1 saver_ended && break
    done
  else
    wait_until 20 grep -q '^message box: ' "$DRIVER_OUT" || fail "no \"Screen Saver\" message box"
    screenshot "$ARTIFACTS/$CASE-message-box.png"
    driver_saw "message box: $text" || fail "the message box did not say: $text"
  fi
  wait_until 5 saver_ended || fail "closing the message box did not end the saver"
  [ "$(saver_exit_code)" = 0 ] || fail "the saver did not end with exit code 0"
  check_taskbar_restored
}
