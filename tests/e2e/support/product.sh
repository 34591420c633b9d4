# Shared by the end-to-end libraries that run the saver, and by the start-up benchmark: a
# private copy of a product, the saver started from it and ended, a key pressed as a
# person does, and the checks of the saver's end. Sourced after case.sh, waiting.sh and
# events.sh. The script that sources it sets KIND (linux or wine), WORK and EVENTS (the
# saver's event file, see common/event_note.h), and under Wine WINE; SAVER_DRIVER, when
# set, names the Windows program that starts the saver and watches the taskbar
# (tests/backends/windows/saver_driver), which reports to DRIVER_OUT.

SAVER_PID=
SAVER_STARTED=
# A command the saver (or the driver) is started through, with its arguments.
SAVER_LAUNCHER=()

# copy_product: the product of the case's kind as a user installs it, in the case's
# folder: the executable, the settings file and the media folder, so that a case can
# remove any of them.
copy_product() {
  local from program
  if [ "$KIND" = linux ]; then
    from=${KELVORA_LINUX_BUILD:?}
    program=kelvora
  else
    from=${KELVORA_WINDOWS_BUILD:?}
    program=kelvora.scr
  fi
  [ -f "$from/$program" ] || fail "no $program at $from"
  [ -z "${SAVER_DRIVER:-}" ] || [ -f "$SAVER_DRIVER" ] || fail "no saver driver at $SAVER_DRIVER"
  cp "$from/$program" "$WORK/"
  cp -r "$from/durnwick" "$WORK/"
  cp "$from/kelvora.ini" "$WORK/"
}

# start_saver [--close-message-box] [VARIABLE=VALUE...] [ARGUMENT...]: starts the copy in
# the background, with those variables, its events going to EVENTS, and with /S when no
# argument is given. SAVER_STARTED is when the saver's own process began. Through the
# driver when there is one, which first makes sure a taskbar exists (and with
# --close-message-box answers the saver's message box).
start_saver() {
  local driver_options=() environment=()
  if [ "${1:-}" = --close-message-box ]; then
    driver_options+=(--close-message-box)
    shift
  fi
  while [[ ${1:-} =~ ^[A-Za-z_][A-Za-z0-9_]*= ]]; do
    environment+=("$1")
    shift
  done
  [ $# -gt 0 ] || set -- /S
  if [ "$KIND" = linux ]; then
    export KELVORA_EVENT_FILE=$EVENTS
    SAVER_STARTED=$(now)
    env "${environment[@]}" "${SAVER_LAUNCHER[@]}" "$WORK/kelvora" "$@" >"$WORK/saver.out" 2>&1 &
    SAVER_PID=$!
  elif [ -n "${SAVER_DRIVER:-}" ]; then
    KELVORA_EVENT_FILE=$(windows_path "$EVENTS")
    export KELVORA_EVENT_FILE
    env "${environment[@]}" "${SAVER_LAUNCHER[@]}" "$WINE" "$SAVER_DRIVER" "${driver_options[@]}" \
      --timeout 150 "$(windows_path "$WORK/kelvora.scr")" "$@" >"$DRIVER_OUT" 2>/dev/null &
    SAVER_PID=$!
    wait_until 30 driver_saw started || fail "the driver did not start the saver"
    SAVER_STARTED=$(now)
    driver_saw "taskbar visible" || fail "the taskbar was not visible before the saver"
  else
    KELVORA_EVENT_FILE=$(windows_path "$EVENTS")
    export KELVORA_EVENT_FILE
    SAVER_STARTED=$(now)
    env "${environment[@]}" "${SAVER_LAUNCHER[@]}" "$WINE" "$WORK/kelvora.scr" "$@" >"$WORK/saver.out" 2>&1 &
    SAVER_PID=$!
  fi
}

driver_saw() { grep -qx "$1" "$DRIVER_OUT" 2>/dev/null; }

saver_ended() {
  if [ -n "${SAVER_DRIVER:-}" ]; then
    grep -q '^exit ' "$DRIVER_OUT" 2>/dev/null
  else
    ! kill -0 "$SAVER_PID" 2>/dev/null || [ "$(awk '{ print $3 }' "/proc/$SAVER_PID/stat" 2>/dev/null)" = Z ]
  fi
}

# The processor time the saver has taken, in clock ticks (under Wine the loader becomes
# the Windows program, so this is the saver's own process too).
saver_cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$SAVER_PID/stat"; }

# end_saver: the case's saver ends for good. One saver runs per user and display, so one
# left behind would refuse the next case's: one that a fault keeps from ending on SIGTERM
# (which its case reports) gets SIGKILL. Under Wine the saver is not the shell's
# child, nor under a launcher: its command line names the case's private folder, which
# nothing else uses. A stopped one takes its SIGTERM once continued.
end_saver() {
  if [ -n "$SAVER_PID" ] && kill "$SAVER_PID" 2>/dev/null && [ "$KIND" = linux ]; then
    wait_until 5 saver_ended || kill -KILL "$SAVER_PID" 2>/dev/null || true
  fi
  local pid
  for pid in $(pgrep -f "$(basename "$WORK")" || true); do
    kill "$pid" 2>/dev/null && kill -CONT "$pid" 2>/dev/null || true
  done
}

# expect_exit_code_0: the ended saver's exit code is 0. Runs in this shell, never in a
# $(...) subshell: only the shell that started the saver may wait for it, and a subshell
# that does gets 127 whenever this shell has not yet collected the ended process.
expect_exit_code_0() {
  local code=0
  if [ -n "${SAVER_DRIVER:-}" ]; then
    wait_until 10 grep -q '^final taskbar' "$DRIVER_OUT" || fail "the driver did not finish"
    code=$(sed -n 's/^exit //p' "$DRIVER_OUT")
  else
    wait_until 10 saver_ended || fail "the saver's process did not end"
    wait "$SAVER_PID" || code=$?
  fi
  [ "$code" = 0 ] || fail "the saver ended with exit code $code, not 0"
}

# Through the driver: the taskbar was hidden while the saver ran and is visible after it
# ended.
check_taskbar_restored() {
  [ -n "${SAVER_DRIVER:-}" ] || return 0
  driver_saw "taskbar hidden" || fail "the taskbar was never hidden"
  driver_saw "final taskbar visible" || fail "the taskbar stayed hidden after the saver ended"
}

# expect_ending WHAT: the saver decided to end (its "ending 0" line) and its process is
# gone with exit code 0. The deadline only catches a hang: how fast a process ends depends
# on the machine's load (Wine's teardown alone can take seconds), not on the saver.
expect_ending() {
  expect_event 'ending 0' 10 0 "$1"
  wait_until 10 saver_ended || fail "the saver's process did not end after it noted its ending"
  expect_exit_code_0
  check_taskbar_restored
}

# A key pressed as a person does, on the X display: held until the saver has seen it
# down, so that the check never depends on how long a frame takes.
press_key() {
  local mark
  mark=$(event_mark)
  xdotool keydown space
  local seen=0
  wait_for_event 'key-seen [0-9]+' 10 "$mark" || seen=$?
  xdotool keyup space
  [ $seen = 0 ] || fail "the saver did not see the key"
}
