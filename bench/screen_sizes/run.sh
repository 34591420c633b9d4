#!/usr/bin/env bash
# The saver's frame rate at three screen sizes beside the bare loop and a peer users
# know, XScreenSaver's lavalite: one private Xvfb a size, the programs taking turns in
# rounds (kelvora, empty, bare, lavalite, kelvora, ...) so that load on a shared machine
# hits all alike.
#   run.sh LINUX_BUILD [SECONDS_COUNTED [ROUNDS]]
# kelvora is the frame-rate bench's "scene" loop: the saver's own scene and display path
# at the screen's size, without the refresh-rate cap; empty is its "empty" loop (our
# display path with nothing drawn: what the size costs before the scene) and bare its
# "bare" loop (clear and present: what the system's GL can do at all). Every program's
# frames are counted the same way, by Mesa's HUD (one fps sample a second, written to a
# file, the overlay itself hidden); the first WARM_UP samples of each run (start-up,
# shader builds, the flame filling) are left out.
set -euo pipefail
LINUX_BUILD=${1:?}
COUNTED=${2:-6}
ROUNDS=${3:-3}
SIZES=(800x600 1024x768 1920x1080)
PROGRAMS=(kelvora empty bare lavalite)
WARM_UP=5
LAVALITE=/usr/libexec/xscreensaver/lavalite
source "$(dirname "$0")/../../scripts/lib/setup.sh"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kelvora-sizes.XXXXXX")
trap 'stop_private_display; rm -rf "$WORK"' EXIT

[ -x "$LAVALITE" ] || { echo "lavalite is missing: install xscreensaver-gl" >&2; exit 1; }

# Runs one program for one round on the current screen; its fps samples land in DIR/fps.
run_counted() {
  local program=$1 dir=$2
  mkdir -p "$dir"
  local hud=(env GALLIUM_HUD=fps GALLIUM_HUD_VISIBLE=false GALLIUM_HUD_PERIOD=1
    GALLIUM_HUD_DUMP_DIR="$dir")
  local bench=(timeout -k 5 $((COUNTED + 60)) "$LINUX_BUILD/kelvora_frame_rate_bench")
  # Each runs long enough for WARM_UP + COUNTED samples; the bench ends by itself (its
  # scene first runs 3 s untimed), lavalite runs until stopped.
  case $program in
    kelvora) "${hud[@]}" "${bench[@]}" $((COUNTED + 4)) scene ;;
    empty | bare) "${hud[@]}" "${bench[@]}" $((COUNTED + 7)) "$program" ;;
    # One lamp style rather than a random one, so that the rounds compare alike.
    lavalite)
      "${hud[@]}" timeout $((WARM_UP + COUNTED + 2)) "$LAVALITE" -root -delay 0 -style classic \
        || [ $? -eq 124 ] ;;
  esac >"$dir/output" 2>&1
  local samples
  samples=$(wc -l <"$dir/fps" 2>/dev/null || echo 0)
  if [ "$samples" -lt $((WARM_UP + COUNTED)) ]; then
    echo "$program gave $samples fps samples of $((WARM_UP + COUNTED)); its output:" >&2
    cat "$dir/output" >&2
    return 1
  fi
}

# The counted samples of the given runs' fps files, one a line.
counted_samples() {
  local file
  for file in "$@"; do
    awk -v skip=$WARM_UP -v keep="$COUNTED" 'NR > skip && NR <= skip + keep' "$file"
  done
}

mean() { awk '{ sum += $1 } END { printf "%.1f", sum / NR }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
row() { printf '%-10s %9s %9s %9s %9s %17s %s\n' "$@"; }

summary=()
for size in "${SIZES[@]}"; do
  start_private_display "$size"
  echo "== $size: $ROUNDS rounds of $COUNTED counted seconds each;" \
    "load before: $(cut -d' ' -f1-3 /proc/loadavg) =="
  row round kelvora empty bare lavalite kelvora/lavalite
  for round in $(seq "$ROUNDS"); do
    for program in "${PROGRAMS[@]}"; do run_counted "$program" "$WORK/$size/$program/$round"; done
    declare -A rate=()
    for program in "${PROGRAMS[@]}"; do
      rate[$program]=$(counted_samples "$WORK/$size/$program/$round/fps" | mean)
    done
    row "$round" "${rate[kelvora]}" "${rate[empty]}" "${rate[bare]}" "${rate[lavalite]}" \
      "$(ratio "${rate[kelvora]}" "${rate[lavalite]}")"
  done
  declare -A pooled=()
  for program in "${PROGRAMS[@]}"; do
    pooled[$program]=$(counted_samples "$WORK/$size/$program"/*/fps | mean)
  done
  peer=$(ratio "${pooled[kelvora]}" "${pooled[lavalite]}")
  row all "${pooled[kelvora]}" "${pooled[empty]}" "${pooled[bare]}" "${pooled[lavalite]}" "$peer"
  echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
  summary+=("$(row "$size" "${pooled[kelvora]}" "${pooled[empty]}" "${pooled[bare]}" \
    "${pooled[lavalite]}" "$peer" "$(ratio "${pooled[kelvora]}" "${pooled[bare]}")")")
  stop_private_display
done

echo "== Frame rate by screen size (fps, every round pooled) =="
row screen kelvora empty bare lavalite kelvora/lavalite kelvora/bare
printf '%s\n' "${summary[@]}"
echo "goal: kelvora/lavalite >= 1.3 at every size"
