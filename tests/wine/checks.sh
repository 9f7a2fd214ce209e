# PASS/FAIL lines for the GUI tests, sourced by them; `finish` ends the test with the
# usual "N passed, M failed" line and fails unless something passed and nothing failed.
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
