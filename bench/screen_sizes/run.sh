#!/usr/bin/env bash
# What a frame of the running saver costs at three screen sizes, beside XScreenSaver's GL
# hacks lavalite, flurry and atlantis, and what each takes from the machine as users run
# them: per program the frames a second shown (counted by the X server, alike for all),
# the processor milliseconds per shown frame and the cores (processor seconds a wall
# second), the program's and the X server's together (on a software renderer the server
# copies every frame, so a user pays for both), and the program's peak resident memory.
# One private Xvfb a size; the programs take turns in rounds (kelvora@60, kelvora,
# lavalite, ..., kelvora@60, ...) so that load on a shared machine hits all alike.
#   run.sh [--windows-build DIR] LINUX_BUILD [SECONDS_COUNTED [ROUNDS]]
# The programs at every size:
#   kelvora@60   `kelvora /S` as it ships, capped at the refresh rate
#   kelvora      `kelvora /S` uncapped (KELVORA_UNCAPPED=1): frames as fast as they come
#   lavalite, flurry, atlantis   the hacks with -root -delay 0, one fixed look each
# and at 1920x1080 only:
#   lavalite@default, flurry@default, atlantis@default   the hacks at their own delays,
#                as a user runs them: their cores are what the capped saver is held to
#   kelvora.scr:d3d11, kelvora.scr:gl   the Windows saver under Wine, uncapped, on each
#                road (with --windows-build), charged with every process of its Wine prefix
#   kelvora.scr@60   the Windows saver as it ships: capped, on the road it takes itself
set -euo pipefail
WINDOWS_BUILD=
if [ "${1:-}" = --windows-build ]; then
  WINDOWS_BUILD=${2:?}
  shift 2
fi
LINUX_BUILD=${1:?}
COUNTED=${2:-6}
ROUNDS=${3:-3}
SIZES=(1024x768 1920x1080 3840x2160)
# Where the saver's running cost is judged, and the Windows saver measured.
FULL_HD=1920x1080
PEERS=(lavalite flurry atlantis)
WINDOWS_ROADS=(d3d11 gl)
# Seconds of each run left out before counting: start-up, shader builds, the flame filling.
WARM_UP=5
HACKS=/usr/libexec/xscreensaver
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
DAMAGE_FRAMES=$LINUX_BUILD/kelvora_damage_frames
source "$(dirname "$0")/../../scripts/lib/setup.sh"
source "$(dirname "$0")/frame_cost.sh"
source "$(dirname "$0")/summary.sh"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kelvora-sizes.XXXXXX")
# Ends the Wine server of the prefix prepare_wine made, if any.
stop_wine() { [ -z "${WINEPREFIX:-}" ] || "$WINESERVER" -k 2>/dev/null || true; }
trap 'stop_wine; stop_private_display; rm -rf "$WORK"' EXIT

for peer in "${PEERS[@]}"; do
  [ -x "$HACKS/$peer" ] \
    || { echo "$peer is missing: install xscreensaver-gl and xscreensaver-gl-extra" >&2; exit 1; }
done
[ -x "$DAMAGE_FRAMES" ] \
  || { echo "$DAMAGE_FRAMES is missing: install libxdamage-dev and build again" >&2; exit 1; }
# The saver's one-instance lock and the Wine prefix's sockets meet no program of the user's.
use_private_runtime_folder

# The programs measured at a size, one a line.
programs_at() {
  printf '%s\n' kelvora@60 kelvora "${PEERS[@]}"
  [ "$1" = "$FULL_HD" ] || return 0
  printf '%s@default\n' "${PEERS[@]}"
  [ -n "$WINDOWS_BUILD" ] || return 0
  printf 'kelvora.scr:%s\n' "${WINDOWS_ROADS[@]}"
  echo kelvora.scr@60
}

# One look each rather than a random one, so that the rounds compare alike.
declare -A LOOKS=([lavalite]="-style classic" [flurry]="-preset classic" [atlantis]="")

# Runs the Windows saver under Wine with the environment given, into DIR.
measure_windows_saver() {
  local dir=$1
  shift
  measure_frame_cost "$dir" wine damage env "$@" \
    "$WINE" "$(windows_path "$(realpath "$WINDOWS_BUILD")/kelvora.scr")" /S
}

# Runs one program for one round on the current screen, into DIR.
measure() {
  local program=$1 dir=$2
  case $program in
    kelvora@60) measure_frame_cost "$dir" self damage env -u KELVORA_UNCAPPED "$LINUX_BUILD/kelvora" /S ;;
    kelvora) measure_frame_cost "$dir" self damage env KELVORA_UNCAPPED=1 "$LINUX_BUILD/kelvora" /S ;;
    kelvora.scr@60) measure_windows_saver "$dir" -u KELVORA_UNCAPPED -u KELVORA_RENDERER ;;
    kelvora.scr:*) measure_windows_saver "$dir" KELVORA_UNCAPPED=1 KELVORA_RENDERER="${program#*:}" ;;
    *)
      # A hack, at -delay 0 unless it runs at its own delay.
      local peer=${program%@default} delay=(-delay 0) look
      [ "$peer" = "$program" ] || delay=()
      read -ra look <<<"${LOOKS[$peer]}"
      measure_frame_cost "$dir" self damage "$HACKS/$peer" -root "${delay[@]}" "${look[@]}" ;;
  esac
}

load_average() { cut -d' ' -f1-3 /proc/loadavg; }

for size in "${SIZES[@]}"; do
  start_private_display "$size"
  mapfile -t programs < <(programs_at "$size")
  # A Wine server keeps the screen it started on: one for this screen.
  if printf '%s\n' "${programs[@]}" | grep -q '^kelvora\.scr'; then
    stop_wine
    prepare_wine
  fi
  echo "== $size: $ROUNDS interleaved rounds of $COUNTED counted seconds a program;" \
    "load average before: $(load_average) =="
  for round in $(seq "$ROUNDS"); do
    for program in "${programs[@]}"; do measure "$program" "$WORK/$size/$program/$round"; done
    echo "round $round of $ROUNDS measured; load average $(load_average)"
  done
  print_size_table "$WORK/$size" "${programs[@]}"
  stop_wine
  stop_private_display
done

print_summary "$WORK"
echo "load average at the end: $(load_average)"
