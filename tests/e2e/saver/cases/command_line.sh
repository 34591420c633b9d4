# The native product's command line as a person types it in a terminal: --version, -h, -?
# and --help answer on standard output and end with 0, an unknown --option is refused in
# one line on standard error with code 1, and none of them opens a window. The screen-saver
# protocol's forms keep their meaning: -s and -c, which it does not know, start the saver,
# as they do on Windows.
# Kinds: linux
source "$(dirname "$0")/../lib.sh" "$1"
copy_product

# arguments | exit code | the stream that answers | its first line (an extended regex)
answers=(
  "--version|0|out|kelvora [0-9]+\.[0-9]+\.[0-9]+"
  "-h|0|out|usage: kelvora .*"
  "-?|0|out|usage: kelvora .*"
  "--help|0|out|usage: kelvora .*"
  "--bogus|1|err|kelvora: unknown option \"--bogus\" .*"
)
for row in "${answers[@]}"; do
  IFS='|' read -r arguments code stream line <<<"$row"
  echo "case: $arguments"
  ended=0
  KELVORA_EVENT_FILE=$EVENTS timeout 10 "$WORK/kelvora" "$arguments" >"$WORK/out" 2>"$WORK/err" || ended=$?
  [ "$ended" -ne 124 ] || fail "kelvora $arguments was still running after 10 s"
  [ "$ended" -eq "$code" ] || fail "kelvora $arguments ended with $ended, not $code"
  silent=out
  [ "$stream" = out ] && silent=err
  [ ! -s "$WORK/$silent" ] || fail "kelvora $arguments wrote on std$silent: $(cat "$WORK/$silent")"
  head -n 1 "$WORK/$stream" | grep -qxE "$line" || fail "kelvora $arguments said: $(head -n 3 "$WORK/$stream")"
  [ "$stream" = out ] || [ "$(wc -l <"$WORK/err")" -eq 1 ] || fail "kelvora $arguments said more than one line"
  [ ! -s "$EVENTS" ] || fail "kelvora $arguments ran: $(cat "$EVENTS")"
done

for switch in -s -c; do
  echo "case: $switch"
  EVENTS=$WORK/events$switch
  start_saver "$switch"
  wait_for_scene 10
  end_with_key
done
