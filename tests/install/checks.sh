# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the install and package tests: the counters, one line per
# failed check, and the closing line. The test sets $scratch first (the
# output of a failed check is kept in $scratch/out).
passed=0
failed=0
ok() { passed=$((passed + 1)); }
ko() { echo "FAIL: $*"; failed=$((failed + 1)); }
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@" >"$scratch/out" 2>&1; then ok; else ko "$what"; sed 's/^/  /' "$scratch/out" | tail -30; fi
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
