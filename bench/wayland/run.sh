#!/usr/bin/env bash
# What a frame of the capped saver costs on Wayland's layer shell beside X11, at
# 1280 x 720 in the same run: processor ms per shown frame and cores, the saver's and its
# display server's together (headless sway with one output, drawing with pixman; Xvfb).
# Frames are counted by the saver itself (KELVORA_FRAME_RATE_FILE). The two take turns in
# rounds, so that load on a shared machine hits both alike. Runs in the private namespaces
# the Wayland end-to-end cases use (sway refuses to run as root).
#   run.sh LINUX_BUILD [SECONDS_COUNTED [ROUNDS]]
set -euo pipefail
LINUX_BUILD=$(realpath "${1:?}")
COUNTED=${2:-6}
ROUNDS=${3:-3}
# Seconds of each run left out before counting: start-up, shader builds, the flame filling.
WARM_UP=5
OUTPUTS=1
source "$(dirname "$0")/../../tests/e2e/wayland/lib.sh"
source "$(dirname "$0")/../screen_sizes/frame_cost.sh"

start_compositor
start_private_display 1280x720
trap 'stop_private_display; cleanup' EXIT
WAYLAND=$WAYLAND_DISPLAY
SWAY_PID=$(pgrep -f "^sway -c $WORK/sway.conf")

# Runs the saver on one display server for one round, into DIR.
measure() {
  local server=$1 dir=$2
  if [ "$server" = wayland ]; then
    SERVER_PID=$SWAY_PID measure_frame_cost "$dir" self self env WAYLAND_DISPLAY="$WAYLAND" "$LINUX_BUILD/kelvora" /S
  else
    SERVER_PID=$KELVORA_XVFB_PID measure_frame_cost "$dir" self self env -u WAYLAND_DISPLAY "$LINUX_BUILD/kelvora" /S
  fi
}

echo "== 1280x720, capped: $ROUNDS interleaved rounds of $COUNTED counted seconds; load average before:" \
  "$(cut -d' ' -f1-3 /proc/loadavg) =="
printf '%-6s %14s %14s\n' round "x11 ms" "wayland ms"
for round in $(seq "$ROUNDS"); do
  for server in x11 wayland; do measure "$server" "$WORK/$server/$round"; done
  printf '%-6s %14s %14s\n' "$round" "$(pooled_cost "$WORK/x11/$round/cost" | cut -d' ' -f2)" \
    "$(pooled_cost "$WORK/wayland/$round/cost" | cut -d' ' -f2)"
done
read -r x11Fps x11Ms x11Cores _ < <(pooled_cost "$WORK"/x11/*/cost)
read -r wlFps wlMs wlCores _ < <(pooled_cost "$WORK"/wayland/*/cost)
echo "| display | fps | ms a frame | cores |"
echo "|---|---:|---:|---:|"
echo "| X11 (saver + Xvfb) | $x11Fps | $x11Ms | $x11Cores |"
echo "| Wayland layer shell (saver + sway) | $wlFps | $wlMs | $wlCores |"
echo "wayland/x11 ms a frame: $(awk -v a="$wlMs" -v b="$x11Ms" 'BEGIN { printf "%.2f", a / b }') (goal <= 1.3)"
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
