# Shared by scripts/run, scripts/test and scripts/bench: installs what is missing,
# builds the products, and provides a private X display and Wine prefix.

KELVORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

KELVORA_PACKAGES=(
  cmake ninja-build ccache g++ clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix wine wine64
  libsdl2-dev libfltk1.3-dev fluid libx11-dev libgl-dev libgl1-mesa-dri
  python3-glad libstb-dev libglm-dev fonts-dejavu-core
  libgtest-dev libgmock-dev googletest
  libxinerama-dev libxext-dev
  xvfb xauth x11-utils xdotool imagemagick xserver-xephyr x11-xserver-utils
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
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

build_products() {
  local preset
  for preset in "$@"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
  done
}

# Starts Xvfb on the first free display and exports DISPLAY; stopped on exit.
start_private_display() {
  local number=90
  while [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ]; do
    number=$((number + 1))
  done
  Xvfb ":${number}" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  KELVORA_XVFB_PID=$!
  export DISPLAY=":${number}"
  local waited=0
  until xdpyinfo >/dev/null 2>&1; do
    sleep 0.1
    waited=$((waited + 1))
    if [ $waited -gt 100 ]; then echo "Xvfb did not start" >&2; return 1; fi
  done
}

# A Wine prefix and a runtime folder inside the build tree, so that nothing of an
# earlier run or of the user's own Wine is shared.
prepare_wine() {
  export WINEPREFIX="$KELVORA_ROOT/build/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export XDG_RUNTIME_DIR="$KELVORA_ROOT/build/run"
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix..."
    timeout 120 /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w 2>/dev/null || true
  fi
  # One server that stays up with the prefix's services started, so that no test pays
  # for Wine's start-up or races with it.
  /usr/lib/wine/wineserver -p 2>/dev/null || true
  timeout 120 /usr/lib/wine/wine64 wineboot >/dev/null 2>&1 || true
}

stop_background() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  [ -n "${KELVORA_XVFB_PID:-}" ] && kill "$KELVORA_XVFB_PID" 2>/dev/null || true
}
