#!/usr/bin/env bash
# Runs the script tests against the Windows GUI runtime under Wine.
#   tests/wine/run-scripts.sh build/win32/pirune.exe tests/scripts [NAME...]
#
# A test is NAME.prw (UTF-8 here; converted to Shift_JIS for the run) with NAME.out, the
# expected output, and optionally NAME.status (expected exit status, default 0) and
# NAME.args (one line of extra arguments, quoted as in a shell). The console runtime's
# stdout followed by its stderr is what NAME.out holds; here the same text comes from
# the PIRUNE_TEST_LOG file (see gui/win32/test_log.h). Naming tests runs only those.
# Ends with "N passed, M failed" and fails when any test failed.
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

for name in "${names[@]}"; do
  source_file="$tests/$name.prw"
  expected_file="$tests/$name.out"
  if [ ! -f "$source_file" ] || [ ! -f "$expected_file" ]; then
    fail "$name" "needs both $name.prw and $name.out"
    continue
  fi

  # Each test gets a folder of its own, so files a script writes meet no other test.
  work="$PIRUNE_WINE_TMP/tests/$name"
  mkdir -p "$work"
  if ! iconv -f UTF-8 -t CP932 "$source_file" >"$work/$name.prw" 2>"$work/iconv.err"; then
    fail "$name" "$name.prw cannot be converted to Shift_JIS:" "$(cat "$work/iconv.err")"
    continue
  fi

  want_status=0
  if [ -f "$tests/$name.status" ]; then
    want_status=$(tr -d ' \t\r\n' <"$tests/$name.status")
  fi
  args=()
  if [ -f "$tests/$name.args" ]; then
    # xargs splits the line with the shell's quoting rules without running it.
    mapfile -d '' args < <(head -n 1 "$tests/$name.args" | xargs printf '%s\0')
  fi

  pirune_wine_run "$exe" "$work/$name.prw" "$work/log.txt" "${args[@]}"
  status=$?
  [ -f "$work/log.txt" ] || : >"$work/log.txt"

  difference=$(diff -u --label "expected $name.out" --label "wine log" "$expected_file" "$work/log.txt")
  problems=()
  if [ "$status" = 124 ] || [ "$status" = 137 ]; then
    problems+=("killed after ${PIRUNE_WINE_TIMEOUT:-60} s (the program did not end)")
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
