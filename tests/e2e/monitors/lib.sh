# Shared by the monitors' end-to-end cases: a nested X server with the monitors a case
# asks for, a private copy of a product started in it (natively, or under Wine in a prefix
# that sees every monitor), polling with deadlines, screenshots and pixel measures.
# Source with the product kind as the first argument: linux or wine.
set -euo pipefail

KIND=${1:?linux or wine}
CASE=$(basename "$0" .sh)
CASE_TAG="$KIND $CASE"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kelvora-monitors-e2e.XXXXXX")
ARTIFACTS=${KELVORA_ARTIFACTS:-$WORK/artifacts}/$KIND
mkdir -p "$ARTIFACTS"
EVENTS=$WORK/events
# A colour the scene never shows: any pixel of it left on the screen is bare desktop.
ROOT_COLOUR='#00ff00'
NESTED_PID=
NESTED_DISPLAY=

source "$(dirname "${BASH_SOURCE[0]}")/../support/lib.sh"

describe_failure() { show_file saver "$WORK/saver.out" 20; }
end_case() {
  end_saver
  # Wine's server of this prefix, and with it every Windows process it runs.
  [ "$KIND" = linux ] || WINEPREFIX=$MONITORS_PREFIX "$WINESERVER" -k 2>/dev/null || true
  [ -z "$NESTED_PID" ] || kill "$NESTED_PID" 2>/dev/null || true
}
trap cleanup EXIT

# The native saver's one-instance lock in a runtime folder of the case's own.
if [ "$KIND" = linux ]; then
  export XDG_RUNTIME_DIR=$WORK/run
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
fi

# start_nested_x XEPHYR_SCREEN_ARGUMENTS...: a nested X server inside the current display,
# on the first free display number from 160, its root painted ROOT_COLOUR. DISPLAY then
# names it.
start_nested_x() {
  [ -n "${DISPLAY:-}" ] || fail "no X display to nest the monitors in"
  command -v Xephyr >/dev/null || fail "Xephyr is not installed (package xserver-xephyr)"
  local number=160
  while [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ]; do
    number=$((number + 1))
    [ $number -lt 200 ] || fail "no free display number"
  done
  Xephyr ":$number" "$@" -nolisten tcp >"$WORK/xephyr.out" 2>&1 &
  NESTED_PID=$!
  NESTED_DISPLAY=":$number"
  export DISPLAY=$NESTED_DISPLAY
  wait_until 10 xdpyinfo >/dev/null 2>&1 || fail "the nested X server did not start"
  xsetroot -solid "$ROOT_COLOUR"
  [ "$KIND" = linux ] || prepare_monitors_prefix
}

# Wine's prefix for these tests: a copy of the prepared one (or a new one), told to take
# the monitors from Xinerama rather than XRandR, which sees a nested server's one output.
MONITORS_PREFIX=${KELVORA_LINUX_BUILD:-$WORK}/../wineprefix-monitors

prepare_monitors_prefix() {
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export XDG_RUNTIME_DIR=$WORK/run
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  if [ ! -f "$MONITORS_PREFIX/system.reg" ]; then
    if [ -f "${WINEPREFIX:-/nonexistent}/system.reg" ]; then
      cp -a "$WINEPREFIX" "$MONITORS_PREFIX"
    else
      WINEPREFIX=$MONITORS_PREFIX timeout 120 "$WINE" wineboot --init >/dev/null 2>&1 || true
    fi
  fi
  export WINEPREFIX=$MONITORS_PREFIX
  # A server left from a display of another size would keep that size.
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w 2>/dev/null || true
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f >/dev/null 2>&1 ||
    fail "cannot set the Wine prefix's monitor source"
  "$WINESERVER" -w 2>/dev/null || true
}

# How many pixels of the picture, at full size, are exactly the root's colour.
bare_desktop_pixels() {
  convert "$1" -fill black +opaque "$ROOT_COLOUR" -fill white -opaque "$ROOT_COLOUR" \
    -format '%[fx:round(mean*w*h)]' info:
}

# The time a key may take to end the saver: it catches a hang or a wait, not a slow
# machine (Wine takes a quarter of a second here; one that waited for a window manager a
# bare X server lacks took two seconds for each monitor's window).
key_exit_limit() { [ "$KIND" = linux ] && echo 1 || echo 3; }
