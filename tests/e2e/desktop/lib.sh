# Shared by the desktop cases: the Debian package made from this build and seen at its
# real paths by this case alone (its files laid over /usr in a mount namespace of the
# case's own, so nothing is installed on the machine), a normal user with a fresh home
# folder, and the pumpkin on the screen.
# Source with the CPack configuration as the first argument; needs root (for the mount
# namespace and the user) and an X display.
set -euo pipefail

CPACK_CONFIG=${1:?the CPackConfig.cmake of the build}
if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: the case needs root, for its mount namespace and its user"
  exit 77
fi
# The whole case runs in a mount namespace of its own, where /usr shows the package.
if [ -z "${KELVORA_PACKAGE_NAMESPACE:-}" ]; then
  exec env KELVORA_PACKAGE_NAMESPACE=1 unshare --mount --propagation private bash "$0" "$@"
fi

CASE=$(basename "$0" .sh)
CASE_TAG=$CASE
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kelvora-desktop-e2e.XXXXXX")
ARTIFACTS=${KELVORA_ARTIFACTS:-$WORK/artifacts}
mkdir -p "$ARTIFACTS"
# The user's programs, started in the background; ended by their ids.
USER_PIDS=()
# A normal user: XScreenSaver refuses to run as root, and what a user may not write
# (/tmp here) must not matter.
TEST_USER=kelvora-e2e
HOME_FOLDER=$WORK/home
EVENTS=$HOME_FOLDER/events

describe_failure() {
  local log
  for log in "$WORK"/*.log; do show_file "$(basename "$log")" "$log"; done
  show_file event "$EVENTS"
}

# end_with_descendants PID: the process and every process it started (a daemon's hacks).
end_with_descendants() {
  local child
  for child in $(ps -o pid= --ppid "$1" 2>/dev/null); do end_with_descendants "$child"; done
  kill "$1" 2>/dev/null || true
}

end_case() {
  local pid
  for pid in "${USER_PIDS[@]}"; do end_with_descendants "$pid"; done
}
source "$(dirname "${BASH_SOURCE[0]}")/../support/lib.sh"
trap cleanup EXIT

# The package, made from the build as scripts/package makes it, over /usr.
cpack --config "$CPACK_CONFIG" -G DEB -B "$WORK/package" >"$WORK/cpack.log" 2>&1 ||
  fail "cpack could not make the package"
dpkg-deb -x "$WORK"/package/kelvora_*.deb "$WORK/root"
rm -f "$WORK/cpack.log"
mount -t overlay overlay -o "lowerdir=$WORK/root/usr:/usr" /usr

id "$TEST_USER" >/dev/null 2>&1 ||
  useradd --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$TEST_USER"
chmod 711 "$WORK"
mkdir -m 700 "$HOME_FOLDER"
chown "$TEST_USER:" "$HOME_FOLDER"

# user_command COMMAND...: in USER_COMMAND, the command as the user runs it, in the
# reduced environment a daemon gives its savers (no XDG_* folders), with the case's event
# file; setpriv and env replace themselves by it, so its process id is theirs.
user_command() {
  USER_COMMAND=(setpriv --reuid="$TEST_USER" --regid="$TEST_USER" --init-groups
    env -i HOME="$HOME_FOLDER" USER="$TEST_USER" LOGNAME="$TEST_USER" PATH=/usr/bin:/bin
    DISPLAY="$DISPLAY" KELVORA_EVENT_FILE="$EVENTS"
    ${DBUS_SESSION_BUS_ADDRESS:+DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS"} "$@")
}

as_user() {
  user_command "$@"
  "${USER_COMMAND[@]}"
}

# start_as_user NAME COMMAND...: in the background, its output in NAME.log.
start_as_user() {
  local name=$1
  shift
  user_command "$@"
  "${USER_COMMAND[@]}" >"$WORK/$name.log" 2>&1 &
  USER_PIDS+=($!)
}

# event_count PATTERN: how many whole lines of the event file match.
event_count() {
  if [ -f "$EVENTS" ]; then grep -cE "^($1)\$" "$EVENTS" || true; else echo 0; fi
}

# More lines matching PATTERN than COUNT.
events_beyond() { [ "$(event_count "$1")" -gt "$2" ]; }

# expect_pumpkin WHAT: the lit pumpkin and its flame show within 20 s; the picture is kept
# as an artifact.
expect_pumpkin() {
  wait_until 20 scene_shown || { cp "$WORK/poll.png" "$ARTIFACTS/$CASE-no-pumpkin.png"; fail "$1"; }
  cp "$WORK/poll.png" "$ARTIFACTS/$CASE.png"
}
