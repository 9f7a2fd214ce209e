#!/usr/bin/env bash
# Runs the script tests with the console runtime.
# usage: tests/run-scripts.sh RUNTIME SCRIPT_DIR
#
# A test is NAME.prw (kept as UTF-8 here, converted to Shift_JIS before it runs, unless
# its name ends in .utf8.prw: those run as saved), NAME.out (what the runtime prints on
# standard output followed by standard error), optionally NAME.status (the exit status,
# 0 when missing), NAME.args (more command-line arguments, one line), NAME.stdin (what the
# runtime reads on standard input, UTF-8; none: an empty input) and a folder
# NAME.files whose files are put beside the script (".prw" ones converted too).
# With PIRUNE_NO_FAST_PATHS=1 in the environment the runtime takes none of its shortcuts,
# and every test must still give the same output (ctest runs them so as "scripts-plain").
set -u
runtime=$(realpath "$1")
dir=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Deleting a file moves it to the trash of the user's data folder: the tests' own one
# lies in the work folder, so a run leaves nothing in the trash of whoever runs it.
export XDG_DATA_HOME="$work/data"
mkdir -p "$XDG_DATA_HOME"
pass=0
fail=0

to_sjis() { # source target
  case "$1" in
    *.utf8.prw) cp "$1" "$2" ;;
    *.prw) iconv -f UTF-8 -t CP932 "$1" > "$2" ;;
    *) cp "$1" "$2" ;;
  esac
}

for script in "$dir"/*.prw; do
  file=$(basename "$script")
  name=${file%.prw}
  run="$work/$name"
  mkdir -p "$run"
  to_sjis "$script" "$run/$file"
  if [ -d "$dir/$name.files" ]; then
    for extra in "$dir/$name.files"/*; do to_sjis "$extra" "$run/$(basename "$extra")"; done
  fi
  args=()
  [ -f "$dir/$name.args" ] && read -r -a args < "$dir/$name.args"
  expected_status=0
  [ -f "$dir/$name.status" ] && expected_status=$(cat "$dir/$name.status")
  input=/dev/null
  [ -f "$dir/$name.stdin" ] && input="$dir/$name.stdin"
  (cd "$run" && timeout 60 "$runtime" "$file" "${args[@]}" > stdout 2> stderr < "$input")
  status=$?
  cat "$run/stdout" "$run/stderr" > "$run/actual"
  if [ "$status" = "$expected_status" ] && diff -u "$dir/$name.out" "$run/actual" > "$run/diff"; then
    pass=$((pass + 1))
    echo "PASS $name"
  else
    fail=$((fail + 1))
    echo "FAIL $name (status $status, expected $expected_status)"
    cat "$run/diff"
  fi
done
echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
