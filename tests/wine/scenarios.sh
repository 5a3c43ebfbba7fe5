#!/usr/bin/env bash
# Runs the wizard scenarios against the real Quarnel.exe under Wine: scenarios_tests.exe starts
# the program for every session and drives it from outside. Arguments go to the test program (a
# case filter such as "scenario.back_on"). Prints its "result: N passed, N failed" line;
# non-zero when a case failed.
#
# The windows go to an X display of this run's own: on a display other programs share, a window
# of theirs takes the activation from the wizard now and then, and the focus change that comes
# with it reaches the program as input no user gave.
#
# The run also has a Wine prefix of its own (made on the first run, then reused): the cases
# prepare the registry keys the program reads, and another test program working in the shared
# prefix meanwhile (the store and contract suites use the same keys, and making the shared
# prefix may restart its wineserver) would change them under a running case. Two scenario runs
# at once take turns on it.
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
cd "$ROOT"
export WINEPREFIX="$ROOT/build/wine-$WINEARCH-scenarios"

tests="$WINE_BUILD/tests/scenarios_tests.exe"
require_built "$WINE_BUILD/Quarnel.exe" "$tests"

mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
if ! flock -n 9; then
  echo "another scenario run has the prefix; waiting for it"
  flock 9
fi

cleanup() {
  # The prefix's Wine processes go before the display they draw on.
  wineserver -k 2>/dev/null
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null; fi
}
trap cleanup EXIT

if ! start_display 90; then
  echo "no display of our own; using the shared one (focus changes from other programs may show)"
fi

ensure_prefix
timeout 1500 "$WINELOADER" "$tests" "$@"
