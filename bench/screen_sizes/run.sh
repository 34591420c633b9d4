#!/usr/bin/env bash
# What a frame of the running saver costs at three screen sizes, beside XScreenSaver's GL
# hacks lavalite, flurry and atlantis: per program, the frames a second and the processor
# milliseconds per shown frame, the program's and the X server's together (on a software
# renderer the server copies every frame, so a user pays for both). One private Xvfb a
# size; the programs take turns in rounds (kelvora, scene-loop, lavalite, flurry, atlantis,
# kelvora, ...) so that load on a shared machine hits all alike.
#   run.sh [--windows-build DIR] LINUX_BUILD [SECONDS_COUNTED [ROUNDS]]
# The programs:
#   kelvora      the saver as users run it, `kelvora /S`, with KELVORA_UNCAPPED=1
#   scene-loop   the frame-rate bench's scene loop: the same scene and display path, no saver
#   lavalite, flurry, atlantis   the hacks with -root -delay 0, one fixed look each
# and at 1920x1080 only:
#   kelvora@60   `kelvora /S` capped at the refresh rate as it ships: the cores it takes
#   kelvora.scr  the Windows saver under Wine, uncapped (with --windows-build), charged with
#                every process of its Wine prefix
set -euo pipefail
WINDOWS_BUILD=
if [ "${1:-}" = --windows-build ]; then
  WINDOWS_BUILD=${2:?}
  shift 2
fi
LINUX_BUILD=${1:?}
COUNTED=${2:-6}
ROUNDS=${3:-3}
SIZES=(800x600 1024x768 1920x1080)
# Where the saver's running cost is judged, and the Windows saver measured.
FULL_HD=1920x1080
# Xvfb reports a refresh rate of 0 (unknown), so the capped saver takes its default cap.
XVFB_REFRESH_HZ=60
PEERS=(lavalite flurry atlantis)
# Seconds of each run left out before counting: start-up, shader builds, the flame filling.
WARM_UP=5
HACKS=/usr/libexec/xscreensaver
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
source "$(dirname "$0")/../../scripts/lib/setup.sh"
source "$(dirname "$0")/frame_cost.sh"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kelvora-sizes.XXXXXX")
# Ends the Wine server of the prefix prepare_wine made, if any.
stop_wine() { [ -z "${WINEPREFIX:-}" ] || "$WINESERVER" -k 2>/dev/null || true; }
trap 'stop_wine; stop_private_display; rm -rf "$WORK"' EXIT

for peer in "${PEERS[@]}"; do
  [ -x "$HACKS/$peer" ] \
    || { echo "$peer is missing: install xscreensaver-gl and xscreensaver-gl-extra" >&2; exit 1; }
done
# The saver's one-instance lock and the Wine prefix's sockets meet no program of the user's.
use_private_runtime_folder

# The programs measured at a size, one a line.
programs_at() {
  printf '%s\n' kelvora scene-loop "${PEERS[@]}"
  [ "$1" != "$FULL_HD" ] || echo kelvora@60
  [ "$1" != "$FULL_HD" ] || [ -z "$WINDOWS_BUILD" ] || echo kelvora.scr
}

# Runs one program for one round on the current screen, into DIR.
measure() {
  local program=$1 dir=$2
  case $program in
    kelvora) measure_frame_cost "$dir" self self env KELVORA_UNCAPPED=1 "$LINUX_BUILD/kelvora" /S ;;
    kelvora@60) measure_frame_cost "$dir" self self "$LINUX_BUILD/kelvora" /S ;;
    kelvora.scr)
      measure_frame_cost "$dir" wine hud env KELVORA_UNCAPPED=1 \
        "$WINE" "$(windows_path "$(realpath "$WINDOWS_BUILD")/kelvora.scr")" /S ;;
    # Runs far longer than counted; ended once measured.
    scene-loop)
      measure_frame_cost "$dir" self self "$LINUX_BUILD/kelvora_frame_rate_bench" 600 scene ;;
    # One look each rather than a random one, so that the rounds compare alike.
    lavalite) measure_frame_cost "$dir" self hud "$HACKS/lavalite" -root -delay 0 -style classic ;;
    flurry) measure_frame_cost "$dir" self hud "$HACKS/flurry" -root -delay 0 -preset classic ;;
    atlantis) measure_frame_cost "$dir" self hud "$HACKS/atlantis" -root -delay 0 ;;
  esac
}

# Sums the cost files given (frames, processor seconds, wall seconds) and prints
# "fps ms-a-frame cores".
pooled_cost() {
  awk '{ frames += $1; cpu += $2; wall += $3 }
    END { printf "%.1f %.2f %.2f\n", frames / wall, 1000 * cpu / frames, cpu / wall }' "$@"
}

# The costs of the current size, every round pooled, by program.
declare -A pooled=()
# One pooled measure of a program: field 1 fps, 2 ms a frame, 3 cores.
pooled_of() { echo "${pooled[$1]}" | cut -d' ' -f"$2"; }
# A program's cell in the summary table.
cell() { echo "$(pooled_of "$1" 2) ms, $(pooled_of "$1" 1) fps"; }

load_average() { cut -d' ' -f1-3 /proc/loadavg; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
row() { printf '%-12s' "$1"; shift; printf ' %11s' "$@"; echo; }

summary=()
capped=
windows=
for size in "${SIZES[@]}"; do
  start_private_display "$size"
  mapfile -t programs < <(programs_at "$size")
  # A Wine server keeps the screen it started on: one for this screen.
  if printf '%s\n' "${programs[@]}" | grep -qx kelvora.scr; then
    stop_wine
    prepare_wine
  fi
  echo "== $size: $ROUNDS interleaved rounds of $COUNTED counted seconds a program;" \
    "load average before: $(load_average) =="
  echo "processor ms per shown frame (program + Xvfb):"
  row round "${programs[@]}"
  for round in $(seq "$ROUNDS"); do
    perRound=()
    for program in "${programs[@]}"; do
      measure "$program" "$WORK/$size/$program/$round"
      perRound+=("$(pooled_cost "$WORK/$size/$program/$round/cost" | cut -d' ' -f2)")
    done
    row "$round" "${perRound[@]}"
  done
  pooled=()
  for program in "${programs[@]}"; do pooled[$program]=$(pooled_cost "$WORK/$size/$program"/*/cost); done
  echo "every round pooled:"
  for field in 1 2 3; do
    line=()
    for program in "${programs[@]}"; do line+=("$(pooled_of "$program" "$field")"); done
    row "$(echo fps ms cores | cut -d' ' -f$field)" "${line[@]}"
  done
  kelvora=$(pooled_of kelvora 2)
  line=()
  for program in "${programs[@]}"; do line+=("$(ratio "$kelvora" "$(pooled_of "$program" 2)")"); done
  row "kelvora/it" "${line[@]}"
  echo "load average after: $(load_average)"
  summary+=("| $size | $(cell kelvora) | $(cell lavalite) | $(cell flurry) | $(cell atlantis) |\
 $(ratio "$kelvora" "$(pooled_of lavalite 2)") | $(ratio "$kelvora" "$(pooled_of flurry 2)") |\
 $(ratio "$kelvora" "$(pooled_of atlantis 2)") | $(cell scene-loop) |")
  if [ "$size" = "$FULL_HD" ]; then
    # On a loaded machine the capped saver may fall short of the refresh rate, and its
    # cores with it: what its frames cost at the full rate tells the two apart.
    capped="kelvora /S capped at the refresh rate at $size: $(pooled_of kelvora@60 1) fps,\
 $(pooled_of kelvora@60 2) ms a frame, $(pooled_of kelvora@60 3) cores (saver + Xvfb);\
 at the full $XVFB_REFRESH_HZ fps $(awk -v ms="$(pooled_of kelvora@60 2)" -v hz=$XVFB_REFRESH_HZ \
      'BEGIN { printf "%.2f", ms * hz / 1000 }') cores"
    [ -z "$WINDOWS_BUILD" ] || windows="kelvora.scr under Wine at $size, uncapped: $(cell kelvora.scr)\
 (Wine's processes + Xvfb), kelvora.scr/lavalite $(ratio "$(pooled_of kelvora.scr 2)" \
      "$(pooled_of lavalite 2)"); beside it native kelvora /S: $(cell kelvora)"
  fi
  stop_wine
  stop_private_display
done

echo "== Processor ms per shown frame (program + Xvfb) and frames a second, every round pooled =="
echo "| screen | kelvora /S | lavalite | flurry | atlantis | kelvora/lavalite | kelvora/flurry | kelvora/atlantis | scene loop |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|---:|"
printf '%s\n' "${summary[@]}"
echo "$capped"
[ -z "$WINDOWS_BUILD" ] || echo "$windows"
echo "load average at the end: $(load_average)"
echo "goals: kelvora/lavalite <= 0.5 at 1920x1080 and <= 0.6 at 1024x768;" \
  "kelvora /S capped < 0.8 cores plus its X server"
