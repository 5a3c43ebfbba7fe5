# Shared by scripts/run and scripts/test: paths, builds, the Wine prefix and the X display.
# shellcheck shell=bash
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="$ROOT/build/wine"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

build_preset() {  # build_preset NAME [targets...]
  local preset=$1; shift
  cmake --preset "$preset" -S "$ROOT" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)" "$@"
}

# Xvfb when there is no display; Wine needs one even for console test programs that open windows.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  export DISPLAY=:87
  if ! [ -e /tmp/.X11-unix/X87 ]; then
    Xvfb :87 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X87 ] && break; sleep 0.1; done
  fi
}

# One 32-bit prefix under build/, made once and reused.
ensure_prefix() {
  ensure_display
  if [ ! -f "$WINEPREFIX/.quarnel-ready" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i >/dev/null 2>&1
    # Without a window manager Wine waits ~2 s on every hidden window unless unmanaged.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.quarnel-ready"
  fi
}

# set_windows_version EXE VERSION: what GetVersionExA reports to that program.
set_windows_version() {
  wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$1" /v Version /d "$2" /f >/dev/null 2>&1
}
