# One measured run of a program on the current X display: how many frames it shows and the
# processor time it and the X server spend on them. Frames are counted as one fps sample a
# second written to DIR/fps: by Mesa's HUD (the overlay itself hidden), which counts
# whole-buffer swaps; or, for our Linux programs, which show a frame a changed part at a
# time, by the program itself (KELVORA_FRAME_RATE_FILE), counting every frame shown. The
# processor time is read from /proc when the sample that ends the warm-up appears and
# again when the last counted one does, so that the frames and the time cover the same
# seconds. Sourced by run.sh, which sets WARM_UP and COUNTED (seconds)
# and has started the display (KELVORA_XVFB_PID).
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/process_cpu.sh"

# Waits until FILE holds N lines; false when PROCESS ends first or they are long overdue. Looks
# twenty times a second without starting a process, so that the looking costs the
# measured programs next to nothing: the pause is a read that times out on a pipe no one
# writes to.
wait_for_samples() {
  local file=$1 wanted=$2 process=$3 deadline=$((SECONDS + 30 + 2 * $2)) lines=() pause
  exec {pause}<> <(:)
  until [ ${#lines[@]} -ge "$wanted" ]; do
    if ! kill -0 "$process" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
      exec {pause}>&-
      return 1
    fi
    read -r -t 0.05 -u "$pause" || true
    [ -f "$file" ] && mapfile -t lines <"$file"
  done
  exec {pause}>&-
}

# The processes charged with the program's frames: the display server (SERVER_PID, by
# default the X server) and the program; under Wine, every process of the prefix (its
# server and services work for the program too).
charged_processes() {
  local program=$1 charge=$2
  echo "${SERVER_PID:-$KELVORA_XVFB_PID}"
  if [ "$charge" = wine ]; then
    wine_prefix_processes | grep -vx "$KELVORA_XVFB_PID"
  else
    echo "$program"
  fi
}

# Runs COMMAND in DIR until WARM_UP + COUNTED fps samples are written, then ends it, and
# writes DIR/cost: the frames shown, the processor seconds charged and the wall seconds,
# over the counted samples. CHARGE is "self" or "wine" (see charged_processes); COUNTER
# "hud" or "self" (who counts the frames). On failure shows the program's output and the
# saver's events, if any.
#   measure_frame_cost DIR CHARGE COUNTER COMMAND...
measure_frame_cost() {
  local dir=$1 charge=$2 counter=$3
  shift 3
  mkdir -p "$dir"
  # The saver notes its events there (a program under Wine names the file as Windows does).
  local events=$dir/events
  [ "$charge" != wine ] || events=$(windows_path "$events")
  # SDL would turn the SIGTERM that ends the run into a quit event, which the frame-rate
  # bench's loop does not look at.
  local counting=(KELVORA_FRAME_RATE_FILE="$dir/fps")
  [ "$counter" = self ] \
    || counting=(GALLIUM_HUD=fps GALLIUM_HUD_VISIBLE=false GALLIUM_HUD_PERIOD=1 GALLIUM_HUD_DUMP_DIR="$dir")
  env "${counting[@]}" KELVORA_EVENT_FILE="$events" SDL_NO_SIGNAL_HANDLERS=1 "$@" >"$dir/output" 2>&1 &
  local program=$! charged startWall startCpu endWall endCpu
  if wait_for_samples "$dir/fps" "$WARM_UP" "$program"; then
    mapfile -t charged < <(charged_processes "$program" "$charge")
    startWall=$EPOCHREALTIME
    startCpu=$(cpu_seconds "${charged[@]}")
    if wait_for_samples "$dir/fps" $((WARM_UP + COUNTED)) "$program"; then
      endWall=$EPOCHREALTIME
      endCpu=$(cpu_seconds "${charged[@]}")
    fi
  fi
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  if [ -z "${endCpu:-}" ]; then
    echo "$* gave $(wc -l <"$dir/fps" 2>/dev/null || echo 0) of $((WARM_UP + COUNTED))" \
      "fps samples; its output and events:" >&2
    cat "$dir/output" "$dir/events" >&2 2>/dev/null
    return 1
  fi
  # The counted samples are the frame rate over the seconds between the two readings.
  awk -v skip="$WARM_UP" -v keep="$COUNTED" -v startWall="$startWall" -v endWall="$endWall" \
    -v startCpu="$startCpu" -v endCpu="$endCpu" '
    NR > skip && NR <= skip + keep { sum += $1; n++ }
    END { wall = endWall - startWall; printf "%.1f %.2f %.3f\n", sum / n * wall, endCpu - startCpu, wall }
  ' "$dir/fps" >"$dir/cost"
}
