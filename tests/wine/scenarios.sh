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
for f in "$WINE_BUILD/Quarnel.exe" "$tests"; do
  if [ ! -f "$f" ]; then
    echo "missing $f (build the $WINE_PRESET preset first)"
    echo "result: 0 passed, 1 failed"
    exit 1
  fi
done

mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
if ! flock -n 9; then
  echo "another scenario run has the prefix; waiting for it"
  flock 9
fi

xvfb_pid=
cleanup() {
  # The prefix's Wine processes go before the display they draw on.
  wineserver -k 2>/dev/null
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; fi
}
trap cleanup EXIT

# The first free display from :90 on; Xvfb refuses a taken one, so a race just moves on.
for n in $(seq 90 119); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
    export DISPLAY=":$n"
    break
  fi
  xvfb_pid=
done
if [ -z "$xvfb_pid" ]; then
  echo "no display of our own; using the shared one (focus changes from other programs may show)"
fi

ensure_prefix
timeout 1500 "$WINELOADER" "$tests" "$@"
