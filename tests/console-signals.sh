#!/usr/bin/env bash
# Runs the scripts of tests/scripts-signals with the console runtime and sends them
# signals, as a user's Ctrl+C or a system's shutdown would.
# usage: tests/console-signals.sh RUNTIME SCRIPT_DIR
#
# Besides NAME.prw, NAME.out and NAME.status (as tests/run-scripts.sh reads them), a test
# has NAME.signals: lines of "TEXT<TAB>SIGNAL [SIGNAL...]". For each line in turn, once
# the program has printed a line TEXT on standard output, the signals are sent one right
# after the other. The bound on waiting only keeps a hung program from hanging the test.
set -u
runtime=$(realpath "$1")
dir=$(realpath "$2")
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
pass=0
fail=0

printed() { tr -d '\r' <"$1" | grep -qxF -- "$2"; }

for script in "$dir"/*.prw; do
  name=$(basename "$script" .prw)
  run="$work/$name"
  mkdir -p "$run"
  iconv -f UTF-8 -t CP932 "$script" >"$run/$name.prw"
  expected_status=0
  [ -f "$dir/$name.status" ] && expected_status=$(cat "$dir/$name.status")
  (cd "$run" && exec "$runtime" "$name.prw" >stdout 2>stderr </dev/null) &
  pid=$!
  problem=
  while IFS=$'\t' read -r text signals; do
    [ -z "$text" ] && continue
    for _ in $(seq 600); do
      printed "$run/stdout" "$text" && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    if ! printed "$run/stdout" "$text"; then
      problem="never printed \"$text\""
      break
    fi
    for signal in $signals; do kill "-$signal" "$pid"; done
  done <"$dir/$name.signals"
  for _ in $(seq 600); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    kill -KILL "$pid" 2>/dev/null
    problem="${problem:-did not end}"
  fi
  wait "$pid"
  status=$?
  pid=
  cat "$run/stdout" "$run/stderr" >"$run/actual"
  if [ -z "$problem" ] && [ "$status" = "$expected_status" ] && diff -u "$dir/$name.out" "$run/actual" >"$run/diff"; then
    pass=$((pass + 1))
    echo "PASS $name"
  else
    fail=$((fail + 1))
    echo "FAIL $name (status $status, expected $expected_status) $problem"
    [ -f "$run/diff" ] && cat "$run/diff"
  fi
done
echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
