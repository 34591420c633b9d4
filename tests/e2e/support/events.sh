# Shared by the end-to-end libraries: waits on the lines of the product's event file (see
# common/event_note.h). The library that sources it names the file in EVENTS; saver_ended
# comes from product.sh, fail from case.sh.

# event_mark: how many lines the event file holds now, to wait for a line written after it.
event_mark() { [ -f "$EVENTS" ] && wc -l <"$EVENTS" || echo 0; }

event_written() { tail -n "+$(($2 + 1))" "$EVENTS" 2>/dev/null | grep -qE "^($1)\$"; }

# wait_for_event PATTERN SECONDS [MARK]: waits until the event file holds a whole line
# matching the extended regular expression (after line MARK when given). Gives up early
# when the saver has ended without writing it.
wait_for_event() {
  local pattern=$1 limit=$2 mark=${3:-0} start
  start=$(now)
  until event_written "$pattern" "$mark"; do
    if saver_ended; then
      event_written "$pattern" "$mark"
      return
    fi
    if awk -v a="$start" -v b="$(now)" -v l="$limit" 'BEGIN { exit !(b - a > l) }'; then
      return 1
    fi
    sleep 0.02
  done
}

# expect_event PATTERN SECONDS [MARK] WHAT: wait_for_event, failing with WHAT.
expect_event() {
  wait_for_event "$1" "$2" "${3:-0}" || fail "$4 (no event line \"$1\" within $2 s)"
}
