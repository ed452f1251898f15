# The checks of the packaging tests, sourced by each: check counts what passed and names what
# failed; finish prints the counts and ends the test, failing when a check failed.
passed=0
failed=0
check() {  # check <what> <command...>
  local what=$1; shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $what" >&2
  fi
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}
