# Shared by the Wayland cases: sway on wlroots' headless backend with two 1280 x 720
# outputs side by side (HEADLESS-1 at 0,0, HEADLESS-2 at 1280,0) and XWayland, in private
# mount and network namespaces (XWayland needs a /tmp it may write; its displays then meet
# nobody else's) with sway as an unprivileged user of a user namespace (it refuses to run
# as root), and for the cases that need outputs which can go or go unseen, a second sway
# nested in it; a private copy of the native product started there; waits on its event
# lines; keys from wtype, a virtual pointer, pictures of each output from grim.
set -euo pipefail

CASE=$(basename "$0" .sh)
CASE_TAG="wayland $CASE"
source "$(dirname "${BASH_SOURCE[0]}")/../support/lib.sh"

# Into the private namespaces first, as root; the case runs again there.
if [ -z "${KELVORA_WAYLAND_NAMESPACES:-}" ]; then
  for tool in sway swaymsg swayidle wtype grim Xwayland; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
  done
  unshare --mount --net --propagation private true 2>/dev/null || skip "no private namespaces here (root needed)"
  exec unshare --mount --net --propagation private env KELVORA_WAYLAND_NAMESPACES=1 bash "$0" "$@"
fi

WORK=$(mktemp -d "${TMPDIR:-/tmp}/kelvora-wayland-e2e.XXXXXX")
ARTIFACTS=${KELVORA_ARTIFACTS:-$WORK/artifacts}
mkdir -p "$ARTIFACTS"
EVENTS=$WORK/events
KIND=linux
COMPOSITOR_PID=
NESTED_COMPOSITOR_PID=
# The first sway's socket, while a nested one is the one the case talks to.
OUTER_SWAYSOCK=
POINTER_PID=
# The folders private_tmp bound into the private /tmp.
BOUND_INTO_TMP=()
# The empty desktop of sway.
DESKTOP_GREY='#3f3f3f'

describe_failure() {
  cp "$WORK/saver.out" "$ARTIFACTS/$CASE-saver.out" 2>/dev/null || true
  show_file saver "$WORK/saver.out" 20
  show_file event "$EVENTS" 20
  [ -f "$WORK/sway.log" ] && grep -i 'error' "$WORK/sway.log" | grep -v drm | sed 's/^/  sway: /' | tail -10
  return 0
}

# The case's folder is removed only once nothing else shows through it.
end_case() {
  end_saver
  [ -n "$POINTER_PID" ] && kill "$POINTER_PID" 2>/dev/null || true
  [ -n "$NESTED_COMPOSITOR_PID" ] && kill "$NESTED_COMPOSITOR_PID" 2>/dev/null || true
  [ -n "$COMPOSITOR_PID" ] && kill "$COMPOSITOR_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  # The private /tmp first, then the folders bound into it.
  umount -R -l /tmp 2>/dev/null || true
  local bound
  for bound in "${BOUND_INTO_TMP[@]}"; do umount -l "$bound" 2>/dev/null || true; done
  for bound in "${BOUND_INTO_TMP[@]}"; do mountpoint -q "$bound" && return 1; done
  return 0
}
trap cleanup EXIT

# A /tmp of the case's own that still shows, where they were, the case's folder and the
# trees it reads from (the product's build and these scripts), for any of them under /tmp
# (a clone made there, say): the first folder of each below /tmp is bound into it.
private_tmp() {
  local tmp=$WORK/tmp place top
  mkdir -p "$tmp" && chmod 1777 "$tmp"
  for place in "$WORK" "${KELVORA_LINUX_BUILD:-}" "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"; do
    case "$place" in
    /tmp/?*)
      top=${place#/tmp/}
      top=${top%%/*}
      [ -d "$tmp/$top" ] && continue
      mkdir -p "$tmp/$top"
      mount --bind "/tmp/$top" "$tmp/$top"
      BOUND_INTO_TMP+=("$tmp/$top")
      ;;
    esac
  done
  mount --rbind "$tmp" /tmp
  ip link set lo up
}

# How many headless outputs the first sway has: a case that wants one sets it first.
OUTPUTS=${OUTPUTS:-2}

# start_compositor [CONFIGURATION LINE...]: sway with both outputs (or OUTPUTS), and the
# lines added to its configuration; WAYLAND_DISPLAY, SWAYSOCK and DISPLAY (its XWayland)
# name it.
start_compositor() {
  private_tmp
  local runtime=$WORK/run
  mkdir -p -m 700 "$runtime"
  {
    echo 'output HEADLESS-1 resolution 1280x720 position 0 0'
    echo 'output HEADLESS-2 resolution 1280x720 position 1280 0'
    echo 'default_border none'
    echo 'xwayland enable'
    printf '%s\n' "$@"
  } >"$WORK/sway.conf"
  unshare --user --map-user=1000 --map-group=1000 \
    env -i PATH=/usr/bin:/bin HOME="$WORK" XDG_RUNTIME_DIR="$runtime" WLR_BACKENDS=headless \
    WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman WLR_HEADLESS_OUTPUTS="$OUTPUTS" \
    sway -c "$WORK/sway.conf" >"$WORK/sway.log" 2>&1 &
  COMPOSITOR_PID=$!
  export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=wayland-1
  wait_until 20 compositor_answers HEADLESS "$OUTPUTS" || fail "sway did not start"
  # XWayland starts with the first X client; its display is the first in the private /tmp.
  export DISPLAY=:0
}

# compositor_answers PREFIX [COUNT]: the sway whose socket is not OUTER_SWAYSOCK answers,
# with the two (or COUNT) outputs PREFIX-1, PREFIX-2...; SWAYSOCK names it.
compositor_answers() {
  SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | grep -vxF "$OUTER_SWAYSOCK" | head -n1)
  export SWAYSOCK
  [ -n "$SWAYSOCK" ] && [ "$(swaymsg -t get_outputs 2>/dev/null | grep -c "\"name\": \"$1-")" = "${2:-2}" ]
}

# start_nested_compositor: a second sway inside the first, on wlroots' Wayland backend,
# whose two outputs WL-1 and WL-2 are windows of the first (side by side on HEADLESS-1):
# unlike a headless output, one of them goes when its window is closed (unplug_output).
# WAYLAND_DISPLAY and SWAYSOCK then name the nested sway, OUTER_SWAYSOCK the first.
start_nested_compositor() {
  printf '%s\n' 'default_border none' 'xwayland disable' >"$WORK/nested-sway.conf"
  unshare --user --map-user=1000 --map-group=1000 \
    env -i PATH=/usr/bin:/bin HOME="$WORK" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
    WAYLAND_DISPLAY="$WAYLAND_DISPLAY" WLR_BACKENDS=wayland WLR_WL_OUTPUTS=2 \
    WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$WORK/nested-sway.conf" >"$WORK/nested-sway.log" 2>&1 &
  NESTED_COMPOSITOR_PID=$!
  OUTER_SWAYSOCK=$SWAYSOCK
  export WAYLAND_DISPLAY=wayland-2
  wait_until 20 compositor_answers WL || fail "the nested sway did not start"
}

# unplug_output NAME: the nested sway's output goes as an unplugged monitor does, its
# window in the first sway closed; returns once the nested sway has let it go.
unplug_output() {
  SWAYSOCK=$OUTER_SWAYSOCK swaymsg "[title=\"^wlroots - $1\$\"] kill" >/dev/null ||
    fail "the first sway has no window of $1 to close"
  wait_until 10 output_gone "$1" || fail "$1 did not go"
}

# show_nested_outputs yes|no: the nested sway's outputs, windows of the first sway, moved
# to a workspace it shows, or to one it does not show, where they are asked for no frames,
# and their clients with them.
show_nested_outputs() {
  local moves='[app_id="wlroots"] move container to workspace hidden'
  [ "$1" = no ] || moves='[app_id="wlroots"] move container to workspace shown; workspace shown'
  SWAYSOCK=$OUTER_SWAYSOCK swaymsg "$moves" >/dev/null || fail "the first sway could not move the nested outputs"
}

output_gone() { ! swaymsg -t get_outputs | grep -q "\"name\": \"$1\""; }

# photograph OUTPUT: a picture of that output in the artifacts, its path printed.
photograph() {
  local picture=$ARTIFACTS/$CASE-$1.png
  grim -o "$1" "$picture" || fail "grim could not photograph $1"
  echo "$picture"
}

# The lit pumpkin and its flame show on the output, and nothing of the empty desktop: the
# smoke's grey matches the desktop's at a pixel or two now and then, a strip left uncovered
# at thousands.
output_covered() {
  local picture
  picture=$(photograph "$1")
  [ "$(count_pixels "$picture" "$ORANGE")" -ge 300 ] && [ "$(count_pixels "$picture" "$FLAME")" -ge 4 ] &&
    [ "$(convert "$picture" -fill black +opaque "$DESKTOP_GREY" -fill white -opaque "$DESKTOP_GREY" \
      -format '%[fx:round(mean*w*h)]' info:)" -lt 50 ]
}

# expect_outputs_covered [OUTPUT...]: the saver has presented a frame and covers each
# output (by default the two headless ones).
expect_outputs_covered() {
  expect_event 'first-frame [0-9.]+' 30 0 "the saver presented no frame"
  [ $# -gt 0 ] || set -- HEADLESS-1 HEADLESS-2
  local output
  for output in "$@"; do
    wait_until 20 output_covered "$output" || fail "$output is not covered by the scene (see $ARTIFACTS/$CASE-$output.png)"
  done
}

# cpu_ticks_over SECONDS: the processor time the saver used meanwhile, in ticks of 10 ms.
cpu_ticks_over() {
  local before
  before=$(saver_cpu_ticks)
  sleep "$1"
  echo $(($(saver_cpu_ticks) - before))
}
# The saver rests: under 3 % of one core.
resting() { [ "$(cpu_ticks_over 2)" -le 6 ]; }

# drawing OUTPUT: two pictures of the output half a second apart differ: the flame never
# holds still while the saver draws.
drawing() {
  grim -o "$1" "$WORK/a.png" && sleep 0.5 && grim -o "$1" "$WORK/b.png" || return 1
  [ "$(compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>&1 | cut -d' ' -f1)" != 0 ]
}

# A key typed on a keyboard that wtype plugs in: sway takes a new keyboard's first key
# only after it has set the keyboard up, and tells nobody when that is done.
type_key() { wtype -s 800 -k space || fail "wtype could not type"; }

# plug_pointer: a virtual pointer kept plugged in for the rest of the case; move_pointer
# DX DY moves it and returns once the compositor has taken the move.
plug_pointer() {
  mkfifo "$WORK/pointer.in"
  "${KELVORA_VIRTUAL_POINTER:?}" <"$WORK/pointer.in" >"$WORK/pointer.out" 2>&1 &
  POINTER_PID=$!
  exec 7>"$WORK/pointer.in"
  wait_until 10 grep -qx plugged "$WORK/pointer.out" || fail "no virtual pointer: $(cat "$WORK/pointer.out")"
}

moves_taken() { grep -cx moved "$WORK/pointer.out" || true; }
moves_taken_above() { [ "$(moves_taken)" -gt "$1" ]; }

move_pointer() {
  local before
  before=$(moves_taken)
  echo "$1 $2" >&7
  wait_until 10 moves_taken_above "$before" || fail "the pointer did not move"
}

# fine_detail PICTURE: how much of the scene's middle (its mean grey difference, in
# thousandths) is lost when the picture is halved and doubled again, by averaging each two
# by two pixels and repeating them: none for a picture drawn at half the output's pixels
# and doubled by the compositor.
fine_detail() {
  convert "$1" -crop 640x480+320+120 +repage \( +clone -scale 50% -scale 200% \) -compose difference -composite \
    -colorspace gray -format '%[fx:mean * 1000]' info:
}
