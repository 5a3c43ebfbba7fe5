#!/usr/bin/env bash
# The release under Wine, as a user or an administrator would take it: QuarnelSetup-<version>.exe
# run silently (/S, /D=) on every Windows version the program supports, the installation checked
# (files, AppPath, Start menu, Add/Remove Programs entry, the program's window in the installed
# language); on XP and 98 also the uninstaller run from the Start menu (its question when a backup
# of the user's settings exists, No and Yes), silent uninstalls with a backup, and an upgrade over
# an older installer. After every uninstall the prefix must be as before the installation, the
# backup included; nothing else may be left. Last, the zip and its Readme.txt. Prints one
# "N passed, N failed" line; non-zero when a check failed.
#
# One prefix of its own (build/wine-win32-installer), made once: every case starts from the state
# saved after it was made (registry files put back, files added since removed), which is what a
# fresh prefix would give, in a second instead of twenty. tests/wine/prefix_state.py reads and
# compares the prefix's states.
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
cd "$ROOT"

if [ "$WINEARCH" != win32 ]; then
  # The installer, like the product, is a 32-bit program.
  echo "skipped: Wine runs only 64-bit programs here (WINEARCH=$WINEARCH), the installer is 32-bit"
  echo "0 passed, 0 failed"
  exit 0
fi

build="$ROOT/build/win32"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt" 2>/dev/null)
setup="$build/QuarnelSetup-$version.exe"
zip="$build/Quarnel-$version.zip"
checker="$build/tests/wine/startup_check.exe"
uninstall_checker="$build/tests/wine/uninstall_check.exe"
for f in "$setup" "$zip" "$checker" "$uninstall_checker" "$build/Quarnel.exe" "$build/installer/setup.args"; do
  if [ -z "$version" ] || [ ! -f "$f" ]; then
    echo "missing ${f:-the win32 build} (build the win32 preset first)"
    echo "0 passed, 1 failed"
    exit 1
  fi
done

export WINEPREFIX="$ROOT/build/wine-win32-installer"
# No menu entries of the host's desktop for the shortcuts the installer makes.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
mkdir -p "$(dirname "$WINEPREFIX")"
# A display started here stays up for later runs: it must not hold the lock that comes next.
ensure_display
exec 9>"$WINEPREFIX.lock"
if ! flock -n 9; then
  echo "another installer run has the prefix; waiting for it"
  flock 9
fi
trap 'wineserver -k 2>/dev/null' EXIT

state() { python3 "$ROOT/tests/wine/prefix_state.py" "$WINEPREFIX" "$@"; }
work="$ROOT/build/installer-test"
clean="$WINEPREFIX/.clean"
versions="winxp win98 win2k nt40 winme win95"

# The saved states, made on the prefix's first run: its registry as made, once for every Windows
# version Wine is to report (to every program: the installer, its uninstaller, the program and
# the checker alike), and the list of its files.
ensure_prefix
if [ ! -f "$clean/base/user.reg" ]; then
  rm -rf "$clean"
  wineserver -w
  mkdir -p "$clean/base"
  cp "$WINEPREFIX"/*.reg "$clean/base/"
fi
for windows in $versions; do
  [ -f "$clean/$windows/snapshot" ] && continue
  echo "saving the prefix's first state for $windows"
  wineserver -k 2>/dev/null
  wineserver -w
  cp "$clean/base"/*.reg "$WINEPREFIX/"
  wine reg add 'HKCU\Software\Wine' /v Version /d "$windows" /f >/dev/null 2>&1
  wineserver -w
  mkdir -p "$clean/$windows"
  cp "$WINEPREFIX"/*.reg "$clean/$windows/"
  state snapshot "$clean/$windows/snapshot"
done

# reset VERSION: back to the saved state, as a fresh prefix would be, with Wine reporting VERSION.
reset() {
  wineserver -k 2>/dev/null
  wineserver -w
  cp "$clean/$1"/*.reg "$WINEPREFIX/"
  state reset "$clean/$1/snapshot"
  cp "$clean/$1/snapshot" "$work/before"
}


win_path() { printf '%s' "${1//\//\\}"; }  # Z:/a/b -> Z:\a\b
unix_path() {                              # C:\a\b -> the prefix's file
  local p=${1#[Cc]:}
  printf '%s' "$WINEPREFIX/drive_c${p//\\//}"
}
start_menu="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"

# Wine runs a program; it is done when every process of the prefix has ended (an uninstaller
# runs on in a copy of itself), and the registry files are written.
run_wine() { timeout 120 "$WINELOADER" "$@"; }
settle() { timeout 60 wineserver -w; }
# values HKCU|HKLM\KEY: the key's values as the running prefix has them, "name=value" (a DWORD
# in decimal), sorted; fails when there is no such key.
values() {
  local out name type data
  out=$(run_wine reg query "$1" 2>/dev/null) || return 1
  while IFS=$'\t' read -r name type data; do
    [ "$type" = REG_DWORD ] && data=$((data))
    printf '%s=%s\n' "$name" "$data"
  done < <(tr -d '\r' <<<"$out" | sed -n 's/^    \([^ ].*\)    \(REG_[A-Z_]*\)    \(.*\)$/\1\t\2\t\3/p') | sort
}
# run_setup EXE ARGUMENT...: as typed at a Windows prompt. NSIS reads /D= from the raw command
# line, unquoted, to its end; Wine would quote an argument with a blank, so cmd passes the line on.
run_setup() {
  local exe=$1
  shift
  run_wine cmd /c "$(win_path "Z:$exe") $*"
}

program_key='Software\Ovik Quarnel'
backup_key='Software\Ovik Quarnel\Original Settings'
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Ovik Quarnel'
default_dir='C:\Program Files\Ovik Quarnel'

# What the installation must hold: the staged release's program and language files.
shipped_lang=$(cd "$build/release/Lang" && ls -1 | sort)
expected_files() {  # expected_files [EXTRA_LANG_FILE...]
  { printf '%s\n' Quarnel.exe Uninstall.exe Lang
    { [ -n "$shipped_lang" ] && printf '%s\n' "$shipped_lang"; printf '%s\n' "$@"; } |
      sed '/^$/d; s|^|Lang/|'
  } | sort -u
}
installed_files() { (cd "$1" && find . -mindepth 1 | sed 's|^\./||' | sort); }

# A language of the tests' own, as a language file and its flag would ship.
make_probe_lang() {
  mkdir -p "$1"
  printf '[Quarnel]\r\n18=Ovik Quarnel (probe)\r\nIDC_Next=&Probe on\r\n' >"$1/Probe.ini"
  python3 - "$1/Probe.bmp" <<'EOF'
import struct, sys
rows = b"".join(bytes([0, 0, 255]) * 16 for _ in range(16))
header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, 16, 16, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
open(sys.argv[1], "wb").write(header + info + rows)
EOF
}

# A backup as the wizard leaves it: values, and the per-adapter sub-keys.
seed_backup() {
  cat >"$work/backup.reg" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Ovik Quarnel\Original Settings]
"DefaultTTL"=dword:00000080
"Tcp1323Opts"=dword:00000001
"MaxConnectionsPerServer"=dword:00000002
"GlobalMaxTcpWindowSize"=hex:00,40,00,00

[HKEY_CURRENT_USER\Software\Ovik Quarnel\Original Settings\MTU Settings]
"{8C3D6C1A-0000-4000-8000-00AA00BB00CC}"=dword:000005dc

[HKEY_CURRENT_USER\Software\Ovik Quarnel\Original Settings\MSS Settings]
"{8C3D6C1A-0000-4000-8000-00AA00BB00CC}"=dword:000005b4

EOF
  run_wine regedit /S "$(win_path "Z:$work/backup.reg")" >/dev/null 2>&1
}

# The checks of one installation in DIR (a Windows path) of VERSION, with the language files
# expected beyond the shipped ones.
check_installation() {  # DIR VERSION [EXTRA_LANG_FILE...]
  local dir=$1 ver=$2
  shift 2
  local files
  files=$(unix_path "$dir")
  check "files in $dir: Quarnel.exe, Uninstall.exe, Lang\\ and nothing else" \
    same "$(installed_files "$files" | tr '\n' ' ')" "$(expected_files "$@" | tr '\n' ' ')"
  check "Quarnel.exe is the build's" cmp -s "$files/Quarnel.exe" "$build/Quarnel.exe"
  check "AppPath (and nothing else) in HKCU\\$program_key" \
    same "$(values "HKCU\\$program_key" | grep -v '^Language=' | tr '\n' ' ')" "AppPath=$dir "
  local menu="$start_menu/Ovik Quarnel"
  check "Start menu: Ovik Quarnel and its uninstaller" \
    same "$(ls -1 "$menu" 2>/dev/null | tr '\n' ' ')" "Ovik Quarnel.lnk Uninstall Ovik Quarnel.lnk "
  check "the shortcuts point into $dir" shortcuts_point_to "$menu" "$dir"
  local entry size
  entry=$(values "HKLM\\$uninstall_key")
  size=$(sed -n 's/^EstimatedSize=//p' <<<"$entry")
  check "Add/Remove Programs: name, version $ver, publisher, icon, uninstall string" \
    same "$(grep -E '^(DisplayName|DisplayVersion|Publisher|DisplayIcon|UninstallString)=' <<<"$entry" |
      tr '\n' '|')" \
    "DisplayIcon=$dir\\Quarnel.exe,0|DisplayName=Ovik Quarnel|DisplayVersion=$ver|Publisher=Ovik Quarnel|UninstallString=\"$dir\\Uninstall.exe\"|"
  local bytes
  bytes=$(find "$files" -type f -printf '%s\n' | awk '{ n += $1 } END { print n + 0 }')
  check "Add/Remove Programs: size $size KiB is the files' $bytes bytes" \
    kib_of "${size:-0}" "$bytes"
}

# kib_of KIB BYTES: KIB is BYTES in KiB, give or take one per file.
kib_of() { [ $(($1 * 1024)) -ge $(($2 - 4096)) ] && [ $(($1 * 1024)) -le $(($2 + 4096)) ]; }

shortcuts_point_to() {  # MENU_FOLDER DIR
  grep -qaF "$2\\Quarnel.exe" "$1/Ovik Quarnel.lnk" &&
    grep -qaF "$2\\Uninstall.exe" "$1/Uninstall Ovik Quarnel.lnk"
}

# Starts the installed program as the Start menu would and sees its wizard, captioned in the
# language the program's key names (the checker reads the installed language file itself).
check_program() {  # DIR WHAT
  check "$2" run_wine "$checker" wizard "$1\\Quarnel.exe"
}

uninstall() {  # DIR
  run_wine "$1\\Uninstall.exe" /S
  local status=$?
  settle
  return $status
}

# The upgrade's older installer: version 0.9 with the probe language, and a program file that
# differs from the build's.
old_version=0.9.0.0
old_setup="$work/QuarnelSetup-$old_version.exe"
make_old_setup() {
  rm -rf "$work/old"
  make_probe_lang "$work/old/lang-source"
  cp "$build/Quarnel.exe" "$work/old/Quarnel.exe"
  printf 'older' >>"$work/old/Quarnel.exe"
  python3 installer/release.py stage --exe "$work/old/Quarnel.exe" --lang "$work/old/lang-source" \
    --readme "$build/installer/Readme.txt" --out "$work/old/stage" --nsh "$work/old/lang.nsh" >/dev/null &&
    python3 installer/release.py setup "@$build/installer/setup.args" --version "$old_version" \
      --stage "$work/old/stage" --nsh "$work/old/lang.nsh" --out "$old_setup" >/dev/null
}

rm -rf "$work"
mkdir -p "$work"
echo "== QuarnelSetup-$version.exe and Quarnel-$version.zip"
check "the installer's version resource says $version" same "$(state version "$setup")" "$version"
check "Quarnel.exe's version resource says $version" same "$(state version "$build/Quarnel.exe")" "$version"
check "an older installer ($old_version, with a probe language) builds" make_old_setup

# A fresh installation on each Windows version: install, look, start, remove, nothing left.
for windows in $versions; do
  echo "== $windows: silent install into $default_dir, start, silent uninstall"
  reset "$windows"
  check "QuarnelSetup-$version.exe /S succeeds" run_setup "$setup" /S
  check_installation "$default_dir" "$version"
  check_program "$default_dir" "the installed program shows its wizard"
  lang=$(sed -n 's/\.ini$//p' <<<"$shipped_lang" | head -n 1)
  if [ -n "$lang" ]; then
    # The user picks the first language the release ships.
    run_wine reg add "HKCU\\$program_key" /v Language /d "$lang" /f >/dev/null 2>&1
    check_program "$default_dir" "the installed program shows its wizard in $lang"
  fi
  check "Uninstall.exe /S succeeds" uninstall "$default_dir"
  check "everything is gone, and nothing else changed" state compare "$work/before"
done

for windows in winxp win98; do
  echo "== $windows: the installer's language"
  reset "$windows"
  check "QuarnelSetup-$version.exe /S takes Windows' language for the program" \
    eval 'run_setup "$setup" /S && same "$(values "HKCU\\$program_key" | grep "^Language=")" Language=English'
  check "Uninstall.exe /S succeeds" uninstall "$default_dir"
  check "/S /LANG=german installs the program in German" \
    eval 'run_setup "$setup" /S /LANG=german && same "$(values "HKCU\\$program_key" | grep "^Language=")" Language=German'
  check_program "$default_dir" "the installed program shows its wizard in German"
  check "Uninstall.exe /S succeeds" uninstall "$default_dir"
  check "everything is gone, and nothing else changed" state compare "$work/before"
  check "the first window offers the languages; with Deutsch the setup speaks German" \
    run_wine "$uninstall_checker" "$(win_path "Z:$setup")" language Deutsch "&Weiter >"
  settle
  check "cancelled, it changed nothing" state compare "$work/before"
done

custom='C:\Tools\Ovik Quarnel'
for windows in winxp win98; do
  echo "== $windows: a backup of the user's settings survives a silent uninstall"
  reset "$windows"
  seed_backup
  values "HKCU\\$backup_key" >"$work/backup-values"
  settle
  state snapshot "$work/before"
  check "QuarnelSetup-$version.exe /S /D=$custom succeeds" run_setup "$setup" /S "/D=$custom"
  check_installation "$custom" "$version"
  check "the backup is untouched by the installation" \
    same "$(values "HKCU\\$backup_key")" "$(cat "$work/backup-values")"
  # The user picked a language in the wizard.
  run_wine reg add "HKCU\\$program_key" /v Language /d English /f >/dev/null 2>&1
  check "Uninstall.exe /S succeeds with a backup present" uninstall "$custom"
  check "the backup and its key stay, everything else is gone (AppPath, Language too)" \
    state compare "$work/before"

  echo "== $windows: the uninstaller run from the Start menu, without and with a backup"
  reset "$windows"
  check "QuarnelSetup-$version.exe /S succeeds" run_setup "$setup" /S
  check "without a backup it asks nothing and removes everything" \
    run_wine "$uninstall_checker" "$default_dir\\Uninstall.exe" no-backup
  settle
  check "everything is gone, and nothing else changed" state compare "$work/before"
  seed_backup
  values "HKCU\\$backup_key" >"$work/backup-values"
  settle
  state snapshot "$work/before"
  check "QuarnelSetup-$version.exe /S succeeds" run_setup "$setup" /S
  check "with a backup it first asks, naming Reset Connection Settings; No keeps everything" \
    run_wine "$uninstall_checker" "$default_dir\\Uninstall.exe" keep
  check_installation "$default_dir" "$version"
  check "the backup is untouched" same "$(values "HKCU\\$backup_key")" "$(cat "$work/backup-values")"
  check "asked again, Yes goes on and removes the program" \
    run_wine "$uninstall_checker" "$default_dir\\Uninstall.exe" remove
  settle
  check "the backup and its key stay, everything else is gone" state compare "$work/before"

  echo "== $windows: an installation over an older one"
  reset "$windows"
  seed_backup
  values "HKCU\\$backup_key" >"$work/backup-values"
  settle
  state snapshot "$work/before"
  check "QuarnelSetup-$old_version.exe /S /D=$custom succeeds" run_setup "$old_setup" /S "/D=$custom"
  run_wine reg add "HKCU\\$program_key" /v Language /d Probe /f >/dev/null 2>&1
  check "the older installation holds the probe language" \
    [ -f "$(unix_path "$custom")/Lang/Probe.ini" ]
  check_program "$custom" "the older installation's program shows its wizard in Probe"
  check "QuarnelSetup-$version.exe /S (no /D) succeeds over it" run_setup "$setup" /S
  check "Language is kept" same "$(values "HKCU\\$program_key" | grep '^Language=')" "Language=Probe"
  check "the backup is kept" same "$(values "HKCU\\$backup_key")" "$(cat "$work/backup-values")"
  check_installation "$custom" "$version" Probe.bmp Probe.ini
  check "nothing was installed into $default_dir" [ ! -e "$(unix_path "$default_dir")" ]
  check_program "$custom" "the upgraded program shows its wizard in Probe"
  check "Uninstall.exe /S succeeds" uninstall "$custom"
  check "only the backup is left, as before the first installation" state compare "$work/before"
done

echo "== Quarnel-$version.zip"
python3 - "$zip" "$build/release" "$work/zip" <<'EOF'
import os, sys, zipfile
archive, stage, out = sys.argv[1:]
with zipfile.ZipFile(archive) as z:
    names = sorted(z.namelist())
    z.extractall(out)
expected = sorted(["Quarnel.exe", "Readme.txt", "Lang/"] +
                  ["Lang/" + n for n in os.listdir(os.path.join(stage, "Lang"))])
print("entries:", " ".join(names))
sys.exit(0 if names == expected else 1)
EOF
check "the zip holds Quarnel.exe, Readme.txt and Lang\\ with the language files" [ $? -eq 0 ]
check "its Quarnel.exe is the build's" cmp -s "$work/zip/Quarnel.exe" "$build/Quarnel.exe"
readme="$work/zip/Readme.txt"
crlf_only() { [ "$(grep -c $'\r$' "$1")" -eq "$(wc -l <"$1")" ] && [ "$(wc -l <"$1")" -gt 20 ]; }
says_all() {  # FILE TEXT...: every text is in the file
  local file=$1 text
  shift
  for text in "$@"; do grep -qF "$text" "$file" || { echo "    no \"$text\""; return 1; }; done
}
check "Readme.txt has CRLF line ends only" crlf_only "$readme"
check "Readme.txt is Windows-1252 text" python3 -c "open('$readme', 'rb').read().decode('cp1252')"
check "Readme.txt names version $version, the Windows versions, rights, undo and AppPath" \
  says_all "$readme" "Version $version" "Windows 95, 98, Me, NT 4.0, 2000 and XP" \
  "administrator rights" "Reset Connection Settings" "AppPath"
reset winxp
mkdir -p "$(unix_path 'C:\')Tools"
cp -r "$work/zip" "$(unix_path 'C:\Tools')/Quarnel"
check_program 'C:\Tools\Quarnel' "the unzipped program shows its wizard, in English without AppPath"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
