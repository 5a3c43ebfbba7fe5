# Shared by scripts/run and scripts/test: paths, builds, the Wine prefix and the X display.
# shellcheck shell=bash
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Some hosts run 64-bit user code only (their kernels refuse i386 executables), and Wine's 32-bit
# loader is itself an i386 program. There Wine runs the x86_64 build of the same sources in a
# 64-bit prefix; where 32-bit code runs, it runs the shipped i686 build.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
  WINE_PRESET=win32
else
  export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  WINE_PRESET=win64
fi
export WINEPREFIX="$ROOT/build/wine-$WINEARCH"
WINE_BUILD="$ROOT/build/$WINE_PRESET"

wine() { "$WINELOADER" "$@"; }

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
    wine wineboot -i >/dev/null 2>&1
    # Without a window manager Wine waits ~2 s on every hidden window unless unmanaged.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.quarnel-ready"
  fi
  # Wine's own MS Sans Serif (fonts-wine) gives dialogs the 6 x 13 base units they have on
  # Windows; this Wine build does not look for it outside the prefix.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d /usr/share/wine/fonts ] && [ ! -f "$fonts/sserife.fon" ]; then
    mkdir -p "$fonts"
    cp -n /usr/share/wine/fonts/* "$fonts/"
    wineserver -k 2>/dev/null || true
  fi
}

# set_windows_version EXE VERSION: what GetVersionExA reports to that program.
set_windows_version() {
  wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$1" /v Version /d "$2" /f >/dev/null 2>&1
}
