# Shared by scripts/run, scripts/test and scripts/bench: installs what is missing,
# builds the products, and provides a private X display and Wine prefix.

KELVORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

KELVORA_PACKAGES=(
  cmake ninja-build ccache g++ clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix wine wine64
  libsdl2-dev libfltk1.3-dev fluid libx11-dev libgl-dev libgl1-mesa-dri
  python3 python3-glad libstb-dev libglm-dev fonts-dejavu-core patch
  libgtest-dev libgmock-dev googletest
  libxinerama-dev libxext-dev libxrandr-dev libxdamage-dev
  libwayland-dev wayland-protocols libegl-dev
  xvfb xauth x11-utils xdotool imagemagick xserver-xephyr x11-xserver-utils
  sway swayidle swaylock wtype grim xwayland iproute2 strace e2fsprogs
  nsis icoutils dpkg-dev
  lintian desktop-file-utils
  xscreensaver mate-screensaver dbus-daemon libglib2.0-bin dconf-gsettings-backend
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing_packages() {
  local missing=()
  local package
  for package in "${KELVORA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
      || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing packages: ${missing[*]}..."
  as_root apt-get update -qq
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

# Runs a command after one line that says what it does, with its output going to
# $KELVORA_LOG instead of the terminal; on failure shows the end of that log.
quiet_stage() {
  local what=$1
  shift
  echo "$what..."
  if ! "$@" >>"$KELVORA_LOG" 2>&1; then
    echo "Failed: $what. The end of $KELVORA_LOG:" >&2
    tail -n 30 "$KELVORA_LOG" >&2
    return 1
  fi
}

# Configures one preset and builds one target of it, each as a quiet stage.
build_target_quietly() {
  quiet_stage "Configuring" cmake --preset "$1" || return 1
  quiet_stage "Building $2" cmake --build --preset "$1" --target "$2"
}

build_products() {
  local preset
  for preset in "$@"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
  done
}

# Starts Xvfb on a display number the server itself finds free (-displayfd: it writes the
# number once it accepts connections, so that two private displays started at once never
# share a number) and exports DISPLAY; stopped on exit or by stop_private_display.
#   start_private_display [WIDTHxHEIGHT]   (1024x768 when not given)
start_private_display() {
  local size=${1:-1024x768} numberFile
  numberFile=$(mktemp)
  # -noreset: by default the server resets when its last client leaves, which puts the
  # pointer back in the middle of the screen; a test that places the pointer with xdotool
  # before starting a program would then start it with the pointer elsewhere.
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$numberFile" >/dev/null 2>&1 &
  KELVORA_XVFB_PID=$!
  local waited=0
  until [ -s "$numberFile" ]; do
    if ! kill -0 "$KELVORA_XVFB_PID" 2>/dev/null || [ $waited -gt 300 ]; then
      echo "Xvfb did not start at $size" >&2
      rm -f "$numberFile"
      return 1
    fi
    sleep 0.05
    waited=$((waited + 1))
  done
  export DISPLAY=":$(tr -d '[:space:]' <"$numberFile")"
  rm -f "$numberFile"
}

# A runtime folder inside the build tree, so that programs started here form a session of
# their own: their sockets and locks meet no program of the user's own session.
use_private_runtime_folder() {
  export XDG_RUNTIME_DIR="$KELVORA_ROOT/build/run"
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
}

# A Wine prefix and a runtime folder inside the build tree, so that nothing of an
# earlier run or of the user's own Wine is shared.
prepare_wine() {
  export WINEPREFIX="$KELVORA_ROOT/build/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  use_private_runtime_folder
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix (about 15 s)..."
    timeout 120 /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w 2>/dev/null || true
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "Wine could not create its prefix in $WINEPREFIX" >&2
      return 1
    fi
  fi
  # One server that stays up with the prefix's services started, so that no test pays
  # for Wine's start-up or races with it.
  /usr/lib/wine/wineserver -p 2>/dev/null || true
  timeout 120 /usr/lib/wine/wine64 wineboot >/dev/null 2>&1 || true
}

stop_private_display() {
  [ -n "${KELVORA_XVFB_PID:-}" ] || return 0
  kill "$KELVORA_XVFB_PID" 2>/dev/null || true
  wait "$KELVORA_XVFB_PID" 2>/dev/null || true
  KELVORA_XVFB_PID=
}

stop_background() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  stop_private_display
}

# A path of this machine as a Windows program under Wine names it (drive Z: is the root).
windows_path() { echo "Z:$1" | tr / '\\'; }
