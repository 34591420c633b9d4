# With no vertical blank to wait for (a nested X server offers none), the saver still
# shows no more frames a second than the monitor refreshes (the nested server names no
# rate: 60), plus 5 %, and sleeps rather than spins between them. Frames are counted by
# the saver itself, written to a file each second (KELVORA_FRAME_RATE_FILE: Mesa's
# heads-up display counts whole swaps only, and the Linux saver shows most frames a part
# at a time); the processor time the saver took is printed beside the rate. The monitor is small (400 x 300), so
# that a saver without the cap would show several times the rate even on a busy machine.
source "$(dirname "$0")/../lib.sh" "$1"
start_nested_x -screen 400x300
copy_product
counts=$WORK/fps
named=$counts
[ "$KIND" = linux ] || named=$(windows_path "$counts")
start_saver KELVORA_FRAME_RATE_FILE="$named"
wait_until 30 scene_shown || fail "no scene within 30 s"
# The frames counted from here on are the frame loop's.
wait_until 5 test -s "$counts" || fail "the saver wrote no frame counts"
seen=$(wc -l <"$counts")
ticks_before=$(saver_cpu_ticks)
sleep 6  # the measuring time itself, not a wait for an event
ticks_after=$(saver_cpu_ticks)
tail -n +"$((seen + 2))" "$counts" >"$WORK/rates"
[ "$(wc -l <"$WORK/rates")" -ge 3 ] || fail "fewer than three seconds of frame counts"
cp "$WORK/rates" "$ARTIFACTS/$CASE-rates.txt"
mean=$(awk '{ sum += $1 } END { printf "%.1f", sum / NR }' "$WORK/rates")
highest=$(sort -n "$WORK/rates" | tail -n 1)
cpu=$(awk -v a="$ticks_before" -v b="$ticks_after" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.0f", (b - a) / hz / 6 * 100 }')
echo "frames a second: mean $mean, highest $highest; processor $cpu %"
awk -v m="$mean" -v h="$highest" 'BEGIN { exit !(m <= 63 && h <= 64) }' ||
  fail "the saver showed $mean frames a second on average (highest $highest), above 60 + 5 %"
