# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the tests/cli scripts: sourced with VELMORAC and SOURCE_DIR as $1
# and $2. Sets V (velmorac, absolute) and S (the source folder), works in a
# temporary folder removed on exit, and gives fail, run, same and finish.
set -u
V=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
S=$(cd "$2" && pwd)
[ -x "$V" ] || { echo "no velmorac at $1"; exit 2; }
W=$(mktemp -d)
trap 'rm -rf "$W"' EXIT
cd "$W" || exit 2

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# run STATUS WHAT ARGS...: velmorac ARGS (standard output in out.txt, standard
# error in err.txt, no standard input) must exit with STATUS.
run() {
  local want=$1 what=$2; shift 2
  "$V" "$@" >out.txt 2>err.txt </dev/null
  local got=$?
  [ "$got" = "$want" ] || fail "$what: exit status $got, expected $want ($(head -c 300 err.txt))"
}
same() { cmp -s "$1" "$2" || fail "$3: $(diff "$1" "$2" | head -5)"; }
# finish NAME: the summary line and the exit status.
finish() {
  [ "$failures" = 0 ] && echo "$1: all checks passed"
  exit $((failures > 0))
}
