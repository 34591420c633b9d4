# Processor time of running processes, for the benchmarks that charge a program, and the X
# server that shows its frames, with the time they use.

# The user and system time the processes have used so far, in seconds, summed; a process
# that has ended counts nothing.
cpu_seconds() {
  local pid line fields ticks=0
  for pid in "$@"; do
    { read -r line <"/proc/$pid/stat"; } 2>/dev/null || continue
    # The command name in parentheses may hold spaces and brackets: split after its last
    # bracket, where the fields from the state on put utime and stime at 11 and 12.
    read -ra fields <<<"${line##*) }"
    ticks=$((ticks + fields[11] + fields[12]))
  done
  awk -v ticks="$ticks" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.2f\n", ticks / hz }'
}

# The processes of the Wine prefix $WINEPREFIX, one id a line: its server, its services and
# every program started in it, each of which has the prefix in its environment. Other Wine
# prefixes on the machine (another user's, another checkout's) are not among them.
wine_prefix_processes() {
  local environ pid
  : "${WINEPREFIX:?names no Wine prefix}"
  for environ in /proc/[0-9]*/environ; do
    pid=${environ#/proc/}
    pid=${pid%/environ}
    grep -qzxF "WINEPREFIX=$WINEPREFIX" "$environ" 2>/dev/null && echo "$pid"
  done
  return 0
}
