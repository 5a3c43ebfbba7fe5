#!/usr/bin/env bash
# Starts Quarnel.exe under every Windows version Wine can emulate for it and checks its first
# screen: the wizard on 95, 98, Me, NT 4.0, 2000 and XP; message "79" alone on NT 3.51 and
# Vista; both once more with a language file named by the program's key. Prints one
# "N passed, N failed" line; non-zero when a case failed.
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
cd "$ROOT"

quarnel="$WINE_BUILD/Quarnel.exe"
checker="$WINE_BUILD/tests/wine/startup_check.exe"
require_built "$quarnel" "$checker"

ensure_prefix


# The version other runs chose for Quarnel.exe, put back at the end.
appdefaults='HKCU\Software\Wine\AppDefaults\Quarnel.exe'
previous=$(wine reg query "$appdefaults" /v Version 2>/dev/null | tr -d '\r' |
  awk '$1 == "Version" { print $3 }')
restore_version() {
  if [ -n "$previous" ]; then
    set_windows_version Quarnel.exe "$previous"
  else
    wine reg delete "$appdefaults" /v Version /f >/dev/null 2>&1
  fi
}
trap restore_version EXIT

passed=0
failed=0
run_case() {  # run_case VERSION MODE [--lang]
  local version=$1 mode=$2
  shift 2
  set_windows_version Quarnel.exe "$version"
  echo "== $version: $mode $*"
  if timeout 120 "$WINELOADER" "$checker" "$mode" "$(windows_path "$quarnel")" "$@"; then
    passed=$((passed + 1))
  else
    echo "FAILED $version $mode $*"
    failed=$((failed + 1))
  fi
}

for version in win95 win98 winme nt40 win2k winxp; do run_case "$version" wizard; done
for version in nt351 vista; do run_case "$version" refuse; done
run_case winxp wizard --lang
run_case win98 wizard --lang
run_case nt351 refuse --lang

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
