#!/usr/bin/env bash
# Quarnel.exe's command line under every Windows version Wine emulates for it, run from a batch
# file through cmd /c so the exit code is the one a logon script sees: /apply with each example
# profile of docs/profiles, /restore giving the registry back byte for byte, a refused profile
# that changes nothing, and every exit code when it should come. (That a profile writes what a
# walk through the wizard writes is a scenario: tests/scenarios/finish_scenarios.cpp.) Prints one "N passed, N failed" line; non-zero when a check failed.
#
# A prefix of its own (build/wine-<arch>-cmdline): every version starts from the registry saved
# after the fixture machine was loaded.
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
cd "$ROOT"

quarnel="$WINE_BUILD/Quarnel.exe"
require_built "$quarnel"
export WINEPREFIX="$ROOT/build/wine-$WINEARCH-cmdline"
ensure_prefix
trap 'wineserver -k 2>/dev/null' EXIT

work="$ROOT/build/cmdline-test"
rm -rf "$work"
mkdir -p "$work/with blank"
state() { python3 "$ROOT/tests/wine/prefix_state.py" "$WINEPREFIX" "$@"; }
settle() { timeout 60 wineserver -w; }
win() { windows_path "$1"; }
# run ARGS...: the exit code Quarnel.exe gives a batch file with this line (ARGS as typed there).
run() {
  printf '@echo off\r\n%s %s\r\necho exit %%ERRORLEVEL%%\r\n' "$(win "$quarnel")" "$*" >"$work/run.bat"
  timeout 120 "$WINELOADER" cmd /c "$(win "$work/run.bat")" 2>/dev/null | tr -d '\r' |
    sed -n 's/^exit //p'
}
# HIVE\KEY NAME: a value as reg.exe shows it (a DWORD in decimal).
value() {
  local type data
  read -r type data < <("$WINELOADER" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v n="$2" '$1 == n { print $2, $3 }')
  if [ "${type:-}" = REG_DWORD ]; then printf '%d' "$data"; else printf '%s' "${data:-}"; fi
}


log="$work/log.txt"
tcpip_nt='HKLM\System\CurrentControlSet\Services\Tcpip\Parameters'
tcpip_9x='HKLM\System\CurrentControlSet\Services\VxD\MSTCP'
interface="$tcpip_nt\\Interfaces\\{7A6A2F51-3C1E-4F0B-9D2A-0C5E8B1D4F60}"
for windows in win95 win98 winme nt40 win2k winxp; do
  echo "== $windows"
  nt=0
  case $windows in nt40 | win2k | winxp) nt=1 ;; esac
  settle
  "$WINELOADER" reg delete 'HKCU\Software\Ovik Quarnel' /f >/dev/null 2>&1
  "$WINELOADER" reg delete "$tcpip_9x" /f >/dev/null 2>&1
  "$WINELOADER" reg delete "$tcpip_nt\\Interfaces" /f >/dev/null 2>&1
  fixture=scenario_9x_machine.reg
  [ $nt = 1 ] && fixture=scenario_nt_machine.reg
  "$WINELOADER" regedit /S "$(win "$ROOT/tests/fixtures/$fixture")" >/dev/null 2>&1
  "$WINELOADER" reg add 'HKCU\Software\Ovik Quarnel' /v AppPath /d "$(win "$ROOT/resources")" /f >/dev/null 2>&1
  set_windows_version Quarnel.exe "$windows"
  settle
  state snapshot "$work/before"

  for type in DialUp DSL LAN Cable; do
    cp "docs/profiles/$type.ini" "$work/with blank/$type.ini"
    rm -f "$log"
    check "/apply $type.ini (a path with a blank) ends with 0" \
      same "$(run /apply "\"$(win "$work/with blank/$type.ini")\"" /log "$(win "$log")")" 0
    check "the log names every value written and ends with the outcome" \
      eval 'grep -q "^written .*DefaultTTL = \"*64" "$log" && [ "$(tail -n 1 "$log" | tr -d "\r")" = "outcome 0: done" ]'
    check "a second /apply keeps the first backup" same "$(run -APPLY "$(win "docs/profiles/$type.ini")")" 0
    check "/restore ends with 0" same "$(run -Restore /log "$(win "$log")")" 0
    settle
    check "the registry is back byte for byte" state compare "$work/before"
  done

  rm -f "$log" "$work/backup.reg"
  check "/review logs the plan and ends with 0" \
    same "$(run /review "$(win "docs/profiles/LAN.ini")" /log "$(win "$log")")" 0
  check "the plan names DefaultTTL" grep -q "DefaultTTL  .* -> 64" "$log"
  settle
  check "/review changed nothing" state compare "$work/before"
  check "/defaults ends with 0" same "$(run /defaults /log "$(win "$log")")" 0
  tcpip=$tcpip_9x
  [ $nt = 1 ] && tcpip=$tcpip_nt
  check "Windows' own values: DefaultTTL is gone" same "$(value "$tcpip" DefaultTTL)" ""
  check "/export ends with 0" same "$(run /export "$(win "$work/backup.reg")")" 0
  check "it wrote the backup as a REGEDIT4 file" \
    eval 'head -n 1 "$work/backup.reg" | grep -q "^REGEDIT4" && grep -q "DefaultTTL" "$work/backup.reg"'
  check "/restore after /defaults ends with 0" same "$(run /restore)" 0
  settle
  check "the registry is back byte for byte" state compare "$work/before"

  printf '[Profile]\r\nConnectionType=DSL\r\nTTL=0\r\n' >"$work/bad.ini"
  rm -f "$log"
  check "a profile with TTL=0 ends with 2" same "$(run /apply "$(win "$work/bad.ini")" /log "$(win "$log")")" 2
  check "its log names the switch, the line and the key" grep -q "^refused /apply .*bad.ini: \[Profile\] TTL=0" "$log"
  check "/restore without a backup ends with 1" same "$(run /restore)" 1
  check "an unknown switch ends with 2" same "$(run /apply "$(win "docs/profiles/LAN.ini")" /now)" 2
  settle
  check "none of them changed anything" state compare "$work/before"

  # The README's batch file, as a logon script runs it: silent install, /apply, the log on the
  # share. The installer is 32-bit: only where Wine runs 32-bit programs.
  setup=$(ls "$ROOT"/build/win32/QuarnelSetup-*.exe 2>/dev/null | head -n 1)
  if { [ "$windows" = winxp ] || [ "$windows" = win98 ]; } && [ "$WINEARCH" = win32 ] && [ -n "$setup" ]; then
    share="$work/share"
    rm -rf "$share" "$WINEPREFIX/drive_c/Quarnel"
    mkdir -p "$share/logs"
    cp "$setup" "$share/QuarnelSetup.exe"
    cp docs/profiles/DSL.ini "$share/"
    set_windows_version QuarnelSetup.exe "$windows"
    timeout 300 "$WINELOADER" cmd /c "$(win "$ROOT/docs/tune.bat")" "$(win "$share")" >/dev/null 2>&1
    settle
    check "docs/tune.bat installs in German, applies DSL.ini and logs on the share" same \
      "$(value 'HKCU\Software\Ovik Quarnel' Language) $(value "$interface" MTU)$(value "$tcpip_9x" DefaultTTL) $(cat "$share"/logs/*.log | tr -d '\r' | tail -n 1) $([ -f "$WINEPREFIX/drive_c/Quarnel/tuned.txt" ] && echo tuned)" \
      "German $([ $nt = 1 ] && echo 1492 || echo 64) outcome 0: done tuned"
    "$WINELOADER" reg delete 'HKCU\Software\Wine\AppDefaults\QuarnelSetup.exe' /f >/dev/null 2>&1
  fi
done

echo "== nt351"
# In English: the language the batch file installed goes.
"$WINELOADER" reg delete 'HKCU\Software\Ovik Quarnel' /f >/dev/null 2>&1
set_windows_version Quarnel.exe nt351
rm -f "$log"
check "Windows NT 3.51 ends with 4" same "$(run /restore /log "$(win "$log")")" 4
check "message 79 is in the log" grep -q "Failed to detect your Windows version" "$log"
"$WINELOADER" reg delete 'HKCU\Software\Wine\AppDefaults\Quarnel.exe' /f >/dev/null 2>&1

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
