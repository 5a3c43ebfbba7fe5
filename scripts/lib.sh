# Shared by the scripts and the Wine suites: paths, builds, the Wine prefix and the X display.
# shellcheck shell=bash
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Some hosts run 64-bit user code only (their kernels refuse i386 executables), and Wine's 32-bit
# loader is itself an i386 program. There Wine runs the x86_64 build of the same sources in a
# 64-bit prefix; where 32-bit code runs, it runs the shipped i686 build. Scripts that install Wine
# ask again once it is there. QUARNEL_WINEARCH=win64 takes the 64-bit way on any host.
pick_wine() {
  if [ "${QUARNEL_WINEARCH:-}" != win64 ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
    WINE_PRESET=win32
  else
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
    WINE_PRESET=win64
  fi
  export WINEPREFIX="$ROOT/build/wine-$WINEARCH"
  WINE_BUILD="$ROOT/build/$WINE_PRESET"
}
pick_wine

wine() { "$WINELOADER" "$@"; }

build_preset() {  # build_preset NAME [targets...]
  local preset=$1; shift
  cmake --preset "$preset" -S "$ROOT" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)" "$@"
}

# start_display FIRST [WxHxD]: an Xvfb of this run's own on the first free display from :FIRST on; sets
# DISPLAY and XVFB_PID (the caller stops it). A display counts as up only once a client has talked
# to it: a socket or lock file can outlive its server (a machine reused between runs keeps /tmp),
# and a server of another namespace can hold the abstract socket of the same number.
XVFB_PID=
start_display() {
  local first=$1 n owner
  for n in $(seq "$first" $((first + 29))); do
    if [ -e "/tmp/.X$n-lock" ]; then
      owner=$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)
      if [ -n "$owner" ] && kill -0 "$owner" 2>/dev/null; then continue; fi
      rm -f "/tmp/.X$n-lock" "/tmp/.X11-unix/X$n"
    elif [ -e "/tmp/.X11-unix/X$n" ]; then
      continue
    fi
    Xvfb ":$n" -screen 0 "${2:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
      kill -0 "$XVFB_PID" 2>/dev/null || break
      if xdpyinfo -display ":$n" >/dev/null 2>&1 && kill -0 "$XVFB_PID" 2>/dev/null; then
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null
    XVFB_PID=
  done
  echo "could not start an X display (Xvfb) on :$first to :$((first + 29))" >&2
  return 1
}

# A display for Wine, which needs one even for console test programs that open windows: the
# caller's when it answers, else one of our own. That one goes when the calling script ends,
# whatever traps the script sets: a watcher waits for the script's shell and stops it by its id.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  start_display 87 || return 1
  local shell=$$ xvfb=$XVFB_PID
  (while kill -0 "$shell" 2>/dev/null; do sleep 1; done; kill "$xvfb" 2>/dev/null) \
    </dev/null >/dev/null 2>&1 &
}

# One prefix under build/ (32- or 64-bit, as pick_wine chose), made once and reused.
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

# require_built FILE...: a suite ends with one failure when a program it runs was not built.
require_built() {
  local f
  for f in "$@"; do
    if [ ! -f "$f" ]; then
      echo "missing $f (build the $WINE_PRESET preset first)"
      echo "0 passed, 1 failed"
      exit 1
    fi
  done
}

# A host path as Wine's Z: drive shows it to a Windows program.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# mtu_path_up TAG: a path for the MTU finder. Three network namespaces, TAGh (this machine,
# 10.9.1.1), TAGr (a router) and TAGt (the target, $MTU_PATH_TARGET), joined by two veth pairs;
# the second link carries 1400 bytes. False when they can't be made (not root); the caller
# removes whatever was made with mtu_path_down TAG, whatever happens.
MTU_PATH_TARGET=10.9.2.2
mtu_path_up() {
  local tag=$1 role
  in_ns() { ip netns exec "$tag$1" "${@:2}"; }
  [ "$(id -u)" -eq 0 ] || return 1
  for role in h r t; do ip netns add "$tag$role" 2>/dev/null || return 1; done
  ip link add "${tag}a" type veth peer name "${tag}b" &&
    ip link set "${tag}a" netns "${tag}h" && ip link set "${tag}b" netns "${tag}r" &&
    ip link add "${tag}c" mtu 1400 type veth peer name "${tag}d" mtu 1400 &&
    ip link set "${tag}c" netns "${tag}r" && ip link set "${tag}d" netns "${tag}t" &&
    in_ns h ip addr add 10.9.1.1/24 dev "${tag}a" &&
    in_ns r ip addr add 10.9.1.2/24 dev "${tag}b" &&
    in_ns r ip addr add 10.9.2.1/24 dev "${tag}c" &&
    in_ns t ip addr add "$MTU_PATH_TARGET/24" dev "${tag}d" || return 1
  for role in h r t; do
    in_ns "$role" ip link set lo up || return 1
    # Else the first "fragmentation needed" is remembered, and later probes are split by the
    # sender itself, so they pass.
    in_ns "$role" sysctl -qw net.ipv4.route.mtu_expires=0 || return 1
  done
  in_ns h ip link set "${tag}a" up && in_ns r ip link set "${tag}b" up &&
    in_ns r ip link set "${tag}c" up && in_ns t ip link set "${tag}d" up &&
    in_ns h ip route add default via 10.9.1.2 && in_ns t ip route add default via 10.9.2.1 &&
    in_ns r sysctl -qw net.ipv4.ip_forward=1
}
# Stops every process left in the namespaces (by its id) and removes them.
mtu_path_down() {
  local tag=$1 role pid
  for role in h r t; do
    for pid in $(ip netns pids "$tag$role" 2>/dev/null); do kill "$pid" 2>/dev/null || true; done
    ip netns delete "$tag$role" 2>/dev/null || true
  done
  # A veth pair not yet moved into a namespace is still here.
  ip link delete "${tag}a" 2>/dev/null || true
  ip link delete "${tag}c" 2>/dev/null || true
}

# The Wine suites' checks: each prints one line and counts; the suite ends with
# echo "$passed passed, $failed failed".
passed=0
failed=0
check() {  # check WHAT COMMAND...: one check, passed when the command succeeds
  local what=$1
  shift
  if "$@"; then
    echo "  ok   $what"
    passed=$((passed + 1))
  else
    echo "  FAIL $what"
    failed=$((failed + 1))
  fi
}
same() { [ "$1" = "$2" ] || { echo "    got \"$1\", expected \"$2\""; return 1; }; }
