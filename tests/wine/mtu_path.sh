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
target_address=10.9.2.2

# Inside the first namespace: a display and a wineserver of our own, both stopped by their ids.
if [ "${1:-}" = --inside ]; then
  wineserver -k 2>/dev/null  # one left from an earlier run would send from the wrong namespace
  trap 'wineserver -k 2>/dev/null; [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null' EXIT
  start_display 120 || exit 1
  ensure_prefix
  QUARNEL_MTU_TARGET=$target_address timeout 600 "$WINELOADER" "$tests" "$case_name"
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
spaces=()
remove_namespaces() {
  local ns pid
  for ns in "${spaces[@]}"; do
    for pid in $(ip netns pids "$ns" 2>/dev/null); do kill "$pid" 2>/dev/null; done
    ip netns delete "$ns" 2>/dev/null
  done
  # A veth pair not yet moved into a namespace is still here.
  for link in "${tag}a" "${tag}c"; do ip link delete "$link" 2>/dev/null; done
}
trap remove_namespaces EXIT
trap 'exit 1' INT TERM HUP

for role in h r t; do
  ip netns add "$tag$role" 2>/dev/null || skip "ip netns add failed"
  spaces+=("$tag$role")
done
in_ns() { ip netns exec "$tag$1" "${@:2}"; }
set -e
ip link add "${tag}a" type veth peer name "${tag}b"
ip link set "${tag}a" netns "${tag}h"
ip link set "${tag}b" netns "${tag}r"
ip link add "${tag}c" mtu 1400 type veth peer name "${tag}d" mtu 1400
ip link set "${tag}c" netns "${tag}r"
ip link set "${tag}d" netns "${tag}t"
in_ns h ip addr add 10.9.1.1/24 dev "${tag}a"
in_ns r ip addr add 10.9.1.2/24 dev "${tag}b"
in_ns r ip addr add 10.9.2.1/24 dev "${tag}c"
in_ns t ip addr add "$target_address/24" dev "${tag}d"
for role in h r t; do
  in_ns "$role" ip link set lo up
  # Without this the first "fragmentation needed" is remembered and later probes are split
  # by the sender itself, so they pass.
  in_ns "$role" sysctl -qw net.ipv4.route.mtu_expires=0
done
in_ns h ip link set "${tag}a" up
in_ns r ip link set "${tag}b" up
in_ns r ip link set "${tag}c" up
in_ns t ip link set "${tag}d" up
in_ns h ip route add default via 10.9.1.2
in_ns t ip route add default via 10.9.2.1
in_ns r sysctl -qw net.ipv4.ip_forward=1
set +e

echo "== path: 10.9.1.1 -> router -> $target_address, second link MTU 1400"
in_ns h bash "$0" --inside
