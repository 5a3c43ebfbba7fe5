#!/usr/bin/env bash
# The MTU finder on a real path: three network namespaces (this machine, a router, the target)
# joined by two veth pairs, the second link with an MTU of 1400. Quarnel.exe runs in the first
# under Wine and must find 1400 to the target's address, on every Windows version, in English
# and German (the scenario mtu_finder_measures_the_path_and_fills_step_2). The prefix's
# wineserver, which sends the echoes, and the display run in that namespace too: a prefix and a
# display of this suite's own. The namespaces go again whatever happens; where they can't be
# made (not root), the suite says it skipped. Prints "N passed, N failed".
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
cd "$ROOT"
export WINEPREFIX="$ROOT/build/wine-$WINEARCH-mtupath"
tests="$WINE_BUILD/tests/scenarios_tests.exe"
case_name=scenario.mtu_finder_measures_the_path_and_fills_step_2

# Inside the first namespace: a display and a wineserver of our own, both stopped by their ids.
if [ "${1:-}" = --inside ]; then
  wineserver -k 2>/dev/null  # one left from an earlier run would send from the wrong namespace
  trap 'wineserver -k 2>/dev/null; [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null' EXIT
  start_display 120 || exit 1
  ensure_prefix
  QUARNEL_MTU_TARGET=$MTU_PATH_TARGET timeout 600 "$WINELOADER" "$tests" "$case_name"
  exit
fi

require_built "$WINE_BUILD/Quarnel.exe" "$tests"
skip() {
  echo "skipped the path of MTU 1400: $1 (the search's simulated paths run in unit_tests)"
  echo "0 passed, 0 failed"
  exit 0
}
[ "$(id -u)" -eq 0 ] || skip "network namespaces need root"

tag="qmtu$$"
trap 'mtu_path_down "$tag"' EXIT
trap 'exit 1' INT TERM HUP
mtu_path_up "$tag" || skip "network namespaces could not be made"

echo "== path: 10.9.1.1 -> router -> $MTU_PATH_TARGET, second link MTU 1400"
ip netns exec "${tag}h" bash "$0" --inside
