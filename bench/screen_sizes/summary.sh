# The tables run.sh prints from its cost files (WORK/SIZE/PROGRAM/ROUND/cost): one a size
# as it ends, then the summary, whose ratios stand beside the goals they are read against.
# Speed goals are read, not asserted: a shared machine's load moves them. Sourced by run.sh
# after frame_cost.sh (pooled_cost).

# The saver's goals on llvmpipe: the capped saver's processor time per frame over
# lavalite's at -delay 0, by screen; its cores with its X server at 1920x1080; and every
# product's peak resident memory, capped or not.
declare -A GOAL_PER_FRAME=([1920x1080]=0.3 [3840x2160]=0.6)
GOAL_CORES=0.35
GOAL_PEAK_MB=120
# Xvfb reports a refresh rate of 0 (unknown), so the capped saver takes its default cap.
XVFB_REFRESH_HZ=60

# One field of a program's costs at a size, every round pooled: 1 fps, 2 ms a frame,
# 3 cores, 4 peak MB; nothing where the program was not measured.
#   pooled WORK SIZE PROGRAM FIELD
pooled() {
  compgen -G "$1/$2/$3/*/cost" >/dev/null || return 0
  pooled_cost "$1/$2/$3"/*/cost | cut -d' ' -f"$4"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "" || b == "") print "-"; else printf "%.2f", a / b }'; }
# The goal a ratio is read against, or "-".
goal_or_dash() { [ -n "$1" ] && echo "<= $1" || echo -; }

# Every program measured at a size, a line each: ms a frame in each round, then pooled.
#   print_size_table SIZE_DIR PROGRAM...
print_size_table() {
  local dir=$1 program round rounds fps ms cores peak
  shift
  rounds=$(find "$dir/$1" -name cost | wc -l)
  echo "processor ms per shown frame (program + Xvfb) by round, then every round pooled:"
  printf '%-18s' program
  for round in $(seq "$rounds"); do printf ' %9s' "round $round"; done
  printf ' | %7s %9s %6s %8s\n' fps "ms pooled" cores "peak MB"
  for program in "$@"; do
    printf '%-18s' "$program"
    for round in $(seq "$rounds"); do printf ' %9s' "$(cut -d' ' -f2 <(pooled_cost "$dir/$program/$round/cost"))"; done
    read -r fps ms cores peak < <(pooled_cost "$dir/$program"/*/cost)
    printf ' | %7s %9s %6s %8s\n' "$fps" "$ms" "$cores" "$peak"
  done
}

# The cell of a program at a size in the first summary table: "ms, fps".
frame_cell() { echo "$(pooled "$1" "$2" "$3" 2) ms, $(pooled "$1" "$2" "$3" 1) fps"; }

print_per_frame() {
  local work=$1 size lavalite
  echo "== Processor ms per shown frame (program + Xvfb) and frames a second, the peers at" \
    "-delay 0, every round pooled =="
  echo "| screen | kelvora /S capped | kelvora uncapped | lavalite | flurry | atlantis |" \
    "capped/lavalite | goal | uncapped/lavalite | capped/flurry | capped/atlantis |"
  echo "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
  for size in "${SIZES[@]}"; do
    lavalite=$(pooled "$work" "$size" lavalite 2)
    echo "| $size | $(frame_cell "$work" "$size" kelvora@60) | $(frame_cell "$work" "$size" kelvora) |" \
      "$(frame_cell "$work" "$size" lavalite) | $(frame_cell "$work" "$size" flurry) |" \
      "$(frame_cell "$work" "$size" atlantis) |" \
      "$(ratio "$(pooled "$work" "$size" kelvora@60 2)" "$lavalite") | $(goal_or_dash "${GOAL_PER_FRAME[$size]:-}") |" \
      "$(ratio "$(pooled "$work" "$size" kelvora 2)" "$lavalite") |" \
      "$(ratio "$(pooled "$work" "$size" kelvora@60 2)" "$(pooled "$work" "$size" flurry 2)") |" \
      "$(ratio "$(pooled "$work" "$size" kelvora@60 2)" "$(pooled "$work" "$size" atlantis 2)") |"
  done
}

print_cores() {
  local work=$1 size=$FULL_HD capped peer
  capped=$(pooled "$work" "$size" kelvora@60 3)
  echo "== What each takes from the machine at $size as users run it: cores (program + Xvfb" \
    "processor seconds a wall second), the peers at their default delays =="
  echo "| program | fps | ms a frame | cores | kelvora capped / it | goal |"
  echo "|---|---:|---:|---:|---:|---:|"
  echo "| kelvora /S capped | $(pooled "$work" "$size" kelvora@60 1) | $(pooled "$work" "$size" kelvora@60 2) |" \
    "$capped | - | <= $GOAL_CORES cores |"
  for peer in "${PEERS[@]}"; do
    echo "| $peer at its default delay | $(pooled "$work" "$size" "$peer@default" 1) |" \
      "$(pooled "$work" "$size" "$peer@default" 2) | $(pooled "$work" "$size" "$peer@default" 3) |" \
      "$(ratio "$capped" "$(pooled "$work" "$size" "$peer@default" 3)") | < 1 |"
  done
  # On a loaded machine the capped saver may fall short of the refresh rate, and its cores
  # with it: what its frames cost at the full rate tells the two apart.
  echo "kelvora /S capped at the full $XVFB_REFRESH_HZ fps would take" \
    "$(awk -v ms="$(pooled "$work" "$size" kelvora@60 2)" -v hz=$XVFB_REFRESH_HZ \
      'BEGIN { printf "%.2f", ms * hz / 1000 }') cores"
}

print_windows() {
  local work=$1 size=$FULL_HD program lavalite
  compgen -G "$work/$size/kelvora.scr*" >/dev/null || return 0
  lavalite=$(pooled "$work" "$size" lavalite 2)
  echo "== The Windows saver under Wine at $size beside lavalite at -delay 0: processor ms per" \
    "shown frame (every process of the Wine prefix + Xvfb) =="
  echo "| kelvora.scr | ms a frame | fps | cores | kelvora.scr/lavalite | kelvora.scr/native kelvora, alike capped or not |"
  echo "|---|---:|---:|---:|---:|---:|"
  for program in "${WINDOWS_ROADS[@]/#/kelvora.scr:}" kelvora.scr@60; do
    local native=kelvora label="${program#kelvora.scr:} road, uncapped"
    [ "$program" != kelvora.scr@60 ] || { native=kelvora@60; label="its own road, capped as shipped"; }
    echo "| $label | $(pooled "$work" "$size" "$program" 2) | $(pooled "$work" "$size" "$program" 1) |" \
      "$(pooled "$work" "$size" "$program" 3) | $(ratio "$(pooled "$work" "$size" "$program" 2)" "$lavalite") |" \
      "$(ratio "$(pooled "$work" "$size" "$program" 2)" "$(pooled "$work" "$size" "$native" 2)") |"
  done
}

# The memory goal is read where the saver's running cost is judged; other sizes are for scale.
memory_goal() { [ "$1" = "$FULL_HD" ] && echo "<= $GOAL_PEAK_MB" || echo -; }

print_memory() {
  local work=$1 size road
  echo "== Peak resident memory, MB, the most of any round, capped and uncapped =="
  echo "| product | screen | capped | uncapped | goal |"
  echo "|---|---|---:|---:|---:|"
  for size in "${SIZES[@]}"; do
    echo "| kelvora | $size | $(pooled "$work" "$size" kelvora@60 4) | $(pooled "$work" "$size" kelvora 4) |" \
      "$(memory_goal "$size") |"
  done
  compgen -G "$work/$FULL_HD/kelvora.scr*" >/dev/null || return 0
  local uncapped=()
  for road in "${WINDOWS_ROADS[@]}"; do uncapped+=("$(pooled "$work" "$FULL_HD" "kelvora.scr:$road" 4) ($road)"); done
  echo "| kelvora.scr under Wine | $FULL_HD | $(pooled "$work" "$FULL_HD" kelvora.scr@60 4) | ${uncapped[*]} |" \
    "$(memory_goal "$FULL_HD") |"
}

#   print_summary WORK
print_summary() {
  print_per_frame "$1"
  print_cores "$1"
  print_windows "$1"
  print_memory "$1"
}
