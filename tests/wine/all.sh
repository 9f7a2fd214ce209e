#!/usr/bin/env bash
# Every test of pirune.exe under Wine: the script tests, then the GUI tests.
#   tests/wine/all.sh build/win32/pirune.exe
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
  echo "usage: $0 PIRUNE_EXE" >&2
  exit 2
fi
exe=$1
# shellcheck source=session.sh
source "$here/session.sh"

# One display, one prefix and one Wine server for all the suites.
pirune_wine_start || exit 1
trap pirune_wine_stop EXIT
case $PIRUNE_WINE_ROUTE in
  native) echo "Wine route: this machine runs 32-bit programs natively" ;;
  emulated) echo "Wine route: 32-bit programs run under qemu-user emulation$([ "${PIRUNE_I386_EMULATION:-0}" = 1 ] && echo ", forced by PIRUNE_I386_EMULATION=1"); time bounds × $PIRUNE_WINE_SCALE" ;;
esac
export PIRUNE_WINE_TMP DISPLAY WINEPREFIX WINEARCH WINEDEBUG WINEDLLOVERRIDES

passed=0
failed=0
suite() {  # NAME COMMAND...
  local name=$1
  shift
  echo "--- $name"
  if PIRUNE_WINE_SHARED=1 "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "--- $name FAILED"; fi
}
suite "script tests under Wine" "$here/run-scripts.sh" "$exe" "$here/../scripts"
# pirune.exe alone in a folder: no regular-expression library beside it.
alone=$(mktemp -d)
cp "$exe" "$alone/"
suite "scripts without a regular-expression library" "$here/run-scripts.sh" "$alone/$(basename "$exe")" "$here/../scripts-no-regex"
rm -rf "$alone"
suite "Windows-only scripts (registry)" "$here/run-scripts.sh" "$exe" "$here/../scripts-windows"
suite "screenshot test" "$here/screenshot_test.sh" "$exe"
suite "error dialog test" "$here/error_dialog_test.sh" "$exe"
suite "events test" "$here/events_test.sh" "$exe"
suite "security test" "$here/security_test.sh" "$exe"
suite "dialogs test" "$here/dialogs_test.sh" "$exe"

echo "suites: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
