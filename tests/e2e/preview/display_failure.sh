#!/usr/bin/env bash
# The parts that only X11 serves, without a usable X display: the preview and the settings
# dialog end with code 1 and say why, both when $DISPLAY names no display and when the one
# it names cannot be opened; hack mode in a Wayland session (where the root window is
# XWayland's, never shown, and a daemon's window an X window nobody sees) says it needs an
# X display.
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
exit $status
