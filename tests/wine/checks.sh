# What the GUI tests share, sourced by them: their arguments (PIRUNE_EXE [PICTURE_DIR],
# setting exe and pictures) and PASS/FAIL lines; `finish` ends the test with the usual
# "N passed, M failed" line and fails unless something passed and nothing failed.
gui_test_arguments() {
  if [ $# -lt 1 ] || [ ! -f "$1" ]; then
    echo "usage: $0 PIRUNE_EXE [PICTURE_DIR]" >&2
    exit 2
  fi
  exe=$(realpath "$1")
  pictures=$(realpath -m "${2:-$(dirname "$exe")}")
  mkdir -p "$pictures"
}

passed=0
failed=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then
    echo "PASS $what"
    passed=$((passed + 1))
  else
    echo "FAIL $what"
    failed=$((failed + 1))
  fi
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
  exit
}
