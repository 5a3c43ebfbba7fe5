#!/usr/bin/env bash
# The translators' checker (scripts/check-lang) on language files made to break its rules, one
# rule each (tests/fixtures/lang, their "; expect:" line names it), and on one that keeps them
# all: each must break exactly what it names, the fit included, which only Wine can measure.
# Prints "N passed, N failed"; non-zero when a case failed.
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
cd "$ROOT"

checker="$WINE_BUILD/tests/lang_check.exe"
require_built "$WINE_BUILD/Quarnel.exe" "$checker"
ensure_prefix

fixtures=()
for f in "$ROOT"/tests/fixtures/lang/*.ini; do fixtures+=("$(windows_path "$f")"); done
"$WINELOADER" "$checker" --expect "$(windows_path "$WINE_BUILD/Quarnel.exe")" "${fixtures[@]}"
