#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file carries the licence's SPDX line at its top: the first
# line, or the second after a #! line. Source files: C++ (.cpp, .h), CMake
# (CMakeLists.txt, .cmake), .sh files and every file that starts with #!.
# The files listed by git when the folder is a repository, all of them
# otherwise.
#
#   spdx.sh SOURCE_DIR
set -uo pipefail
cd "$1" || exit 1
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  files=$(git ls-files)
else
  files=$(find . -path ./build -prune -o -type f -print | sed 's|^\./||')
fi
# One awk pass reads the first two lines of every file.
awk '
  {
    f = $0; l1 = l2 = ""
    if ((getline l1 < f) > 0) getline l2 < f
    close(f)
    if (f !~ /\.(cpp|h|cmake|sh)$/ && f !~ /(^|\/)CMakeLists\.txt$/ && l1 !~ /^#!/) next
    want = f ~ /\.(cpp|h)$/ ? "// SPDX-License-Identifier: GPL-3.0-or-later" : "# SPDX-License-Identifier: GPL-3.0-or-later"
    count++
    if (l1 == want || (l1 ~ /^#!/ && l2 == want)) next
    print "FAIL: " f " does not start with: " want
    missing++
  }
  END {
    if (count == 0) { print "FAIL: no source file found"; exit 1 }
    printf "%d passed, %d failed\n", count - missing, missing
    exit missing > 0
  }' <<<"$files"
