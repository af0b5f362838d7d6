# Sourced by the scripts: build folders, the Wine prefix and the virtual display.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
export WINEDEBUG=-all
# Wine names Unix files in the locale's charset; without a UTF-8 locale, folders with
# letters above 127 cannot be made. C.UTF-8 exists on every Debian (ANSI 1252, OEM 437).
export LC_ALL=C.UTF-8
export WINEPREFIX="$BUILD/wineprefix"
# Keep Wine from offering to download Mono and Gecko: nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Configures (once) and builds one tree. $1: folder name under build/, $2: source folder,
# then any further cmake arguments.
build_tree() {
  local dir="$BUILD/$1" source="$2"
  shift 2
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$source" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >"$dir.configure.log" 2>&1 ||
      { cat "$dir.configure.log"; return 1; }
  fi
  cmake --build "$dir" -- -j"$(nproc)"
}

# The Windows build for one MinGW triple.
build_windows() { build_tree "$1" "$ROOT" "-DCMAKE_TOOLCHAIN_FILE=$ROOT/cmake/toolchain-$2-w64-mingw32.cmake"; }

build_all() {
  mkdir -p "$BUILD"
  build_tree native "$ROOT"
  build_tree fuzz "$ROOT/fuzz" -DCMAKE_CXX_COMPILER=clang++
  build_windows x86_64 x86_64
  build_windows i686 i686
}

# Makes the project's own Wine prefix once: virtual desktop, fonts for captions.
ensure_wine_prefix() {
  [ -f "$WINEPREFIX/.ready" ] && return 0
  echo "setup: making the Wine prefix in $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  wineboot -u </dev/null >/dev/null 2>&1
  wineserver -w
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  wineserver -w
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  touch "$WINEPREFIX/.ready"
}

# Starts Xvfb on a free display number and exports DISPLAY; stop_display ends it.
start_display() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "could not start Xvfb on $DISPLAY" >&2
  return 1
}

stop_display() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}

# Starts the Wine server and desktop detached from our output, so that nothing Wine
# leaves running holds a pipe that ctest waits on.
start_wine() {
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1
  setsid wine explorer /desktop=Default,1024x768 </dev/null >/dev/null 2>&1 &
  sleep 1
}

stop_wine() { wineserver -k 2>/dev/null || true; }
