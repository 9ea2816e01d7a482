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
sources=$(while IFS= read -r f; do
  if [[ $f =~ \.(cpp|h|cmake|sh)$ || $f =~ (^|/)CMakeLists\.txt$ ]] || [ "$(head -c2 "$f")" = '#!' ]; then echo "$f"; fi
done <<<"$files")
[ -n "$sources" ] || { echo "FAIL: no source file found"; exit 1; }

missing=0
count=0
while IFS= read -r f; do
  count=$((count + 1))
  case $f in
    *.cpp | *.h) line='// SPDX-License-Identifier: GPL-3.0-or-later' ;;
    *) line='# SPDX-License-Identifier: GPL-3.0-or-later' ;;
  esac
  if ! head -2 "$f" | grep -qxF -- "$line" || { [ "$(head -1 "$f")" != "$line" ] && ! head -1 "$f" | grep -q '^#!'; }; then
    echo "FAIL: $f does not start with: $line"
    missing=$((missing + 1))
  fi
done <<<"$sources"
echo "$((count - missing)) passed, $missing failed"
[ "$missing" -eq 0 ]
