# Shared by the end-to-end libraries: the clock and polling a condition with a deadline.

now() { date +%s.%N; }
seconds_since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.2f", b - a }'; }

# wait_until SECONDS COMMAND...: polls the command until it succeeds or the time is up.
wait_until() {
  local limit=$1
  shift
  local start
  start=$(now)
  until "$@"; do
    if awk -v a="$start" -v b="$(now)" -v l="$limit" 'BEGIN { exit !(b - a > l) }'; then
      return 1
    fi
    sleep 0.05
  done
}
