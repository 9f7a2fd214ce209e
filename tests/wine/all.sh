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

passed=0
failed=0
suite() {  # NAME COMMAND...
  local name=$1
  shift
  echo "--- $name"
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "--- $name FAILED"; fi
}
suite "script tests under Wine" "$here/run-scripts.sh" "$exe" "$here/../scripts"
suite "screenshot test" "$here/screenshot_test.sh" "$exe"
suite "error dialog test" "$here/error_dialog_test.sh" "$exe"

echo "suites: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
