#!/usr/bin/env bash
# The parts that only X11 serves, without a usable X display: the preview and the settings
# dialog end with code 1 and say why, both when $DISPLAY names no display and when the one
# it names cannot be opened; hack mode in a Wayland session (where the root window is
# XWayland's, never shown, and a daemon's window an X window nobody sees) says it needs an
# X display. The saver, the dialog and the hack end with code 1 and one line that says so
# when the X server goes away under them (each on an X server of its own, which the case
# ends); and the hack on a 16-bit screen, which GL cannot draw on, ends with code 1 and one
# line.
# Argument: the native product.
set -uo pipefail
product=${1:?the kelvora executable}

# A display number with no server: no socket and no lock file.
number=150
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done

# A Wayland session's runtime folder, where no compositor listens.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT

status=0
while IFS='|' read -r display wayland arguments expected; do
  environment=(env -u DISPLAY -u WAYLAND_DISPLAY)
  [ -n "$display" ] && environment+=("DISPLAY=$display")
  [ -n "$wayland" ] && environment+=("WAYLAND_DISPLAY=$wayland" "XDG_RUNTIME_DIR=$runtime")
  # shellcheck disable=SC2086
  said=$("${environment[@]}" "$product" $arguments 2>&1)
  code=$?
  if [ "$code" -ne 1 ] || [ "$said" != "$expected" ]; then
    echo "FAIL $arguments with DISPLAY='$display' WAYLAND_DISPLAY='$wayland': exit $code, said: $said (expected: $expected)"
    status=1
  fi
done <<CASES
||/P 1|kelvora: the preview needs an X display, and \$DISPLAY names none
:$number||/P 1|kelvora: cannot open display :$number: no X server there accepted the connection
||/C|kelvora: the settings dialog needs an X display, and \$DISPLAY names none
:$number||/C|kelvora: cannot open display :$number: no X server there accepted the connection
|wayland-0|--root|kelvora: hack mode needs an X display
:$number|wayland-0|--window-id 0x200001|kelvora: hack mode needs an X display
CASES

source "$(dirname "$0")/../support/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/run"
while IFS='|' read -r mode ready; do
  start_private_display >/dev/null || { echo "FAIL: no X server for $mode"; exit 1; }
  rm -f "$work/events"
  KELVORA_EVENT_FILE=$work/events XDG_RUNTIME_DIR=$work/run "$product" "$mode" 2>"$work/said" &
  pid=$!
  if wait_until 60 grep -q "^$ready" "$work/events"; then
    kill "$KELVORA_XVFB_PID"
    code=0
    wait "$pid" || code=$?
    said=$(cat "$work/said")
    if [ "$code" -ne 1 ] || [ "$said" != "kelvora: the connection to the X server was lost" ]; then
      echo "FAIL $mode with the X server gone: exit $code, said: $said"
      status=1
    fi
  else
    echo "FAIL $mode never noted $ready"
    kill "$pid" "$KELVORA_XVFB_PID"
    status=1
  fi
done <<CASES
/S|first-frame
/C|settings-window-shown
--window|first-frame
CASES
# A second screen of 16 bits: our own window there, and its root window given by id.
number=$((number + 1))
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
Xvfb ":$number" -screen 0 800x600x24 -screen 1 800x600x16 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
wait_until 10 test -e "/tmp/.X11-unix/X$number" || { echo "FAIL: no 16-bit X server"; exit 1; }
root16=$(DISPLAY=:$number.1 xwininfo -root | awk '/Window id:/ { print $4 }')
for args in "--window" "--window-id $root16"; do
  code=0
  # shellcheck disable=SC2086
  said=$(DISPLAY=:$number.1 XDG_RUNTIME_DIR=$work/run timeout 60 "$product" $args 2>&1 >/dev/null) || code=$?
  if [ "$code" -ne 1 ] || [ "$(printf '%s\n' "$said" | wc -l)" -ne 1 ] || [[ $said != kelvora:* ]]; then
    echo "FAIL $args on a 16-bit screen: exit $code, said: $said"
    status=1
  fi
done
kill "$xvfb"
exit $status
