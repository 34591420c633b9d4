#!/usr/bin/env bash
# Times each product from process start to the first presented frame of the scene (the
# loading picture excluded), median of five runs. (The running savers' peak memory is
# measured over longer runs, capped and not, by bench/screen_sizes.) Needs DISPLAY (and
# WINEPREFIX for the Windows product).
#   run.sh LINUX_BUILD WINDOWS_BUILD
set -euo pipefail
LINUX_BUILD=${1:?}
WINDOWS_BUILD=${2:?}
WINE=/usr/lib/wine/wine64
RUNS=5
source "$(dirname "$0")/../../tests/e2e/support/lib.sh"
KELVORA_LINUX_BUILD=$LINUX_BUILD
KELVORA_WINDOWS_BUILD=$WINDOWS_BUILD
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kelvora-bench.XXXXXX")
trap 'stop_saver; rm -rf "$WORK"' EXIT

stop_saver() {
  [ -n "$SAVER_PID" ] || return 0
  # The Windows saver is not the shell's child: find it by its private folder.
  local pid
  for pid in $SAVER_PID $(pgrep -f "$(basename "$WORK")" || true); do
    kill "$pid" 2>/dev/null || true
  done
  wait "$SAVER_PID" 2>/dev/null || true
  SAVER_PID=
}

# Starts the saver and waits until its event file notes the first frame; sets TAKEN to the
# seconds taken (not printed: the saver's id must outlive this call, so no subshell).
time_one_start() {
  local kind=$1 events=$WORK/events started
  rm -f "$events"
  started=$(now)
  if [ "$kind" = linux ]; then
    KELVORA_EVENT_FILE=$events "$WORK/kelvora" /S >/dev/null 2>&1 &
  else
    KELVORA_EVENT_FILE=$(windows_path "$events") \
      "$WINE" "$(windows_path "$WORK/kelvora.scr")" /S >/dev/null 2>&1 &
  fi
  SAVER_PID=$!
  local waited=0
  until grep -q '^first-frame ' "$events" 2>/dev/null; do
    sleep 0.02
    waited=$((waited + 1))
    [ $waited -lt 1500 ] || { echo "no first frame within 30 s" >&2; return 1; }
  done
  TAKEN=$(awk -v a="$started" '/^first-frame / { printf "%.3f", $2 - a; exit }' "$events")
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

bench() {
  local kind=$1 times=()
  KIND=$kind
  copy_product
  for _ in $(seq $RUNS); do
    time_one_start "$kind"
    times+=("$TAKEN")
    stop_saver
  done
  printf '%-8s first frame: median %s s of %s\n' "$kind" \
    "$(printf '%s\n' "${times[@]}" | median)" "${times[*]}"
}

[ -n "${DISPLAY:-}" ] || { echo "run.sh needs DISPLAY" >&2; exit 1; }
bench linux
# A running Wine server, as on a machine where Windows is already up.
"$WINE" cmd /c exit >/dev/null 2>&1 || true
bench wine
echo "goals: first frame < 0.3 s native, < 0.6 s under Wine"
