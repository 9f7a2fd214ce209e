#!/usr/bin/env bash
# Runs the script tests against the Windows GUI runtime under Wine.
#   tests/wine/run-scripts.sh build/win32/pirune.exe tests/scripts [NAME...]
#
# The tests are the console runtime's (tests/run-scripts.sh), read the same way: NAME.prw
# (UTF-8 here, converted to Shift_JIS for the run unless the name ends in .utf8.prw),
# NAME.out (the console runtime's stdout followed by its stderr), and optionally
# NAME.status (exit status, default 0), NAME.args (one line of more arguments) and a
# folder NAME.files of files put beside the script (".prw" ones converted too). Here the
# output comes from the PIRUNE_TEST_LOG file (see gui/win32/test_log.h). Naming tests
# runs only those. Ends with "N passed, M failed" and fails when any test failed.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=session.sh
source "$here/session.sh"

if [ $# -lt 2 ]; then
  echo "usage: $0 PIRUNE_EXE TEST_DIR [NAME...]" >&2
  exit 2
fi
exe=$1
tests=$2
shift 2
[ -f "$exe" ] || { echo "no such program: $exe" >&2; exit 2; }
[ -d "$tests" ] || { echo "no such folder: $tests" >&2; exit 2; }

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for script in "$tests"/*.prw; do
    [ -e "$script" ] && names+=("$(basename "$script" .prw)")
  done
fi
if [ ${#names[@]} -eq 0 ]; then
  echo "no tests (*.prw) in $tests" >&2
  exit 2
fi

pirune_wine_start || exit 1
trap pirune_wine_stop EXIT

passed=0
failed=0
fail() {
  echo "FAIL $1"
  shift
  [ $# -gt 0 ] && printf '%s\n' "$@" | sed 's/^/  /'
  failed=$((failed + 1))
}

to_sjis() {  # SOURCE TARGET
  case "$1" in
    *.utf8.prw) cp "$1" "$2" ;;
    *.prw) iconv -f UTF-8 -t CP932 "$1" >"$2" ;;
    *) cp -r "$1" "$2" ;;
  esac
}

for name in "${names[@]}"; do
  source_file="$tests/$name.prw"
  expected_file="$tests/$name.out"
  if [ ! -f "$source_file" ] || [ ! -f "$expected_file" ]; then
    fail "$name" "needs both $name.prw and $name.out"
    continue
  fi
  # A test that answers questions on standard input is the console's: the Windows
  # runtime asks with windows, which the GUI tests (dialogs_test.sh) answer.
  if [ -f "$tests/$name.stdin" ]; then
    echo "SKIP $name (answers the console's questions)"
    continue
  fi

  # Each test gets a folder of its own, so files a script writes meet no other test.
  work="$PIRUNE_WINE_TMP/tests/$name"
  mkdir -p "$work"
  if ! to_sjis "$source_file" "$work/$name.prw" 2>"$work/convert.err"; then
    fail "$name" "$name.prw cannot be converted to Shift_JIS:" "$(cat "$work/convert.err")"
    continue
  fi
  if [ -d "$tests/$name.files" ]; then
    for extra in "$tests/$name.files"/*; do
      [ -e "$extra" ] && to_sjis "$extra" "$work/$(basename "$extra")"
    done
  fi

  want_status=0
  if [ -f "$tests/$name.status" ]; then
    want_status=$(tr -d ' \t\r\n' <"$tests/$name.status")
  fi
  args=()
  [ -f "$tests/$name.args" ] && read -r -a args <"$tests/$name.args"

  pirune_wine_run "$exe" "$work/$name.prw" "$PIRUNE_WINE_TMP/tests/$name.log" "${args[@]}"
  status=$?
  log="$PIRUNE_WINE_TMP/tests/$name.log"
  [ -f "$log" ] || : >"$log"

  difference=$(diff -u --label "expected $name.out" --label "wine log" "$expected_file" "$log")
  problems=()
  if [ "$status" = 124 ] || [ "$status" = 137 ]; then
    problems+=("killed after $(pirune_wine_timeout) s (the program did not end)")
  elif [ "$status" != "$want_status" ]; then
    problems+=("exit status $status, expected $want_status")
  fi
  [ -n "$difference" ] && problems+=("$difference")

  if [ ${#problems[@]} -eq 0 ]; then
    echo "PASS $name"
    passed=$((passed + 1))
  else
    fail "$name" "${problems[@]}"
  fi
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
