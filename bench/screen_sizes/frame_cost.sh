# One measured run of a program on the current display: how many frames it shows, the
# processor time it and the display server spend on them, and its peak resident memory.
# Frames are counted as one sample a second written to DIR/fps: on X from outside the
# program, by the X server's DAMAGE events (DAMAGE_FRAMES, bench/damage_frames), so that
# every program is counted alike whether it shows whole frames or changed parts; or, where
# the display is no X server (Wayland), by the saver itself (KELVORA_FRAME_RATE_FILE). The
# processor time is read from /proc when the sample that ends the warm-up appears and
# again when the last counted one does, so that the frames and the time cover the same
# seconds. Sourced by run.sh, which sets WARM_UP and COUNTED (seconds)
# and has started the display (KELVORA_XVFB_PID).
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/process_cpu.sh"

# Waits until FILE is there and holds N lines; false when PROCESS ends first or they are
# long overdue. Looks twenty times a second without starting a process, so that the
# looking costs the measured programs next to nothing: the pause is a read that times out
# on a pipe no one writes to.
wait_for_samples() {
  local file=$1 wanted=$2 process=$3 deadline=$((SECONDS + 30 + 2 * $2)) lines=() pause
  exec {pause}<> <(:)
  until [ -f "$file" ] && [ ${#lines[@]} -ge "$wanted" ]; do
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

# The most memory PROCESS has held resident so far, in MB.
peak_resident_mb() {
  awk '/^VmHWM/ { printf "%.1f\n", $2 / 1024 }' "/proc/$1/status" 2>/dev/null
}

# Runs COMMAND in DIR until WARM_UP + COUNTED samples are written, then ends it, and writes
# DIR/cost: the frames shown, the processor seconds charged and the wall seconds over the
# counted samples, and the program's peak resident MB (under Wine the saver's own process,
# which Wine's loader becomes). CHARGE is "self" or "wine" (see charged_processes); COUNTER
# "damage" (the X server counts) or "self" (the saver counts). On failure shows the
# program's output and the saver's events, if any.
#   measure_frame_cost DIR CHARGE COUNTER COMMAND...
measure_frame_cost() {
  local dir=$1 charge=$2 counter=$3
  shift 3
  mkdir -p "$dir"
  # The saver notes its events there (a program under Wine names the file as Windows does).
  local events=$dir/events
  [ "$charge" != wine ] || events=$(windows_path "$events")
  local counting=() counterPid=
  if [ "$counter" = damage ]; then
    # Out of the Wine prefix, whose processes are charged with a Windows program's frames.
    env -u WINEPREFIX "${DAMAGE_FRAMES:?names no frame counter}" "$dir/fps" 2>"$dir/counter-output" &
    counterPid=$!
    # It creates the file once it watches the display.
    wait_for_samples "$dir/fps" 0 "$counterPid" || { cat "$dir/counter-output" >&2; return 1; }
  else
    counting=(KELVORA_FRAME_RATE_FILE="$dir/fps")
  fi
  # The SIGTERM that ends the run ends the saver at once, as it does the hacks, rather than
  # as a quit event of SDL's.
  env "${counting[@]}" KELVORA_EVENT_FILE="$events" SDL_NO_SIGNAL_HANDLERS=1 "$@" >"$dir/output" 2>&1 &
  local program=$! charged startWall startCpu endWall endCpu peak
  if wait_for_samples "$dir/fps" "$WARM_UP" "$program"; then
    mapfile -t charged < <(charged_processes "$program" "$charge")
    startWall=$EPOCHREALTIME
    startCpu=$(cpu_seconds "${charged[@]}")
    if wait_for_samples "$dir/fps" $((WARM_UP + COUNTED)) "$program"; then
      endWall=$EPOCHREALTIME
      endCpu=$(cpu_seconds "${charged[@]}")
      peak=$(peak_resident_mb "$program")
    fi
  fi
  kill "$program" $counterPid 2>/dev/null || true
  wait "$program" $counterPid 2>/dev/null || true
  if [ -z "${endCpu:-}" ]; then
    echo "$* gave $(wc -l <"$dir/fps" 2>/dev/null || echo 0) of $((WARM_UP + COUNTED))" \
      "fps samples; its output and events:" >&2
    cat "$dir/output" "$dir/events" >&2 2>/dev/null
    return 1
  fi
  # The counted samples are the frame rate over the seconds between the two readings.
  awk -v skip="$WARM_UP" -v keep="$COUNTED" -v startWall="$startWall" -v endWall="$endWall" \
    -v startCpu="$startCpu" -v endCpu="$endCpu" -v peak="${peak:-0}" '
    NR > skip && NR <= skip + keep { sum += $1; n++ }
    END {
      wall = endWall - startWall
      printf "%.1f %.2f %.3f %s\n", sum / n * wall, endCpu - startCpu, wall, peak
    }
  ' "$dir/fps" >"$dir/cost"
}

# Sums the cost files given over every round and prints "fps ms-a-frame cores peak-MB": the
# frames over the wall seconds, the processor time over the frames and over the wall
# seconds, and the highest peak.
pooled_cost() {
  awk '{ frames += $1; cpu += $2; wall += $3; if ($4 > peak) peak = $4 }
    END { printf "%.1f %.2f %.2f %.1f\n", frames / wall, 1000 * cpu / frames, cpu / wall, peak }' "$@"
}
