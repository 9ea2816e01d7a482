#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the source tarball (cpack --config CPackSourceConfig.cmake -G TXZ),
# checks what it holds, then configures and builds velmorac from it alone and
# compares its translation with the build folder's. Only the translator and
# velmorac are built (no desktop program, no tests): they are what depends on
# the sources being complete at the top level (translator/, toolchain/, app/,
# the CMake files), and the whole program would take minutes.
#
#   source_tarball.sh BUILD_DIR VERSION
set -uo pipefail
build=$(realpath "$1")
version=$2
# Inside the build folder, which the tarball never includes; there the
# compiler cache finds the objects of the build folder's own translator.
scratch=$(mktemp -d "$build/source-tarball-test.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
source "$(dirname "$0")/checks.sh"

top=velmora-$version
if ! cpack --config "$build/CPackSourceConfig.cmake" -G TXZ -B "$scratch" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  echo "0 passed, 1 failed"
  exit 1
fi
tarball=$scratch/$top.tar.xz
check "tarball named $top.tar.xz" test -f "$tarball"
tar -tJf "$tarball" >"$scratch/list"
check "every path under $top/" bash -c "! grep -v '^$top/' '$scratch/list'"
check "no build folder, cache or repository" \
  bash -c "! grep -E '^$top/(build[^/]*|out)/|/CMakeCache\.txt$|/CMakeFiles/|/\.git/|_CPack_Packages' '$scratch/list'"
for f in CMakeLists.txt LICENSE README.md data/changelog translator/translator.h app/velmorac.cpp examples/configurazione_io.bas; do
  check "holds $f" grep -qx "$top/$f" "$scratch/list"
done

tar -xJf "$tarball" -C "$scratch"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
check "configures from the tarball" cmake -S "$scratch/$top" -B "$scratch/$top/build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_GUI=OFF -DVELMORA_TESTS=OFF "${launcher[@]}"
check "builds velmorac from the tarball" cmake --build "$scratch/$top/build" --target velmorac -j2
example=$scratch/$top/examples/configurazione_io.bas
check "translates as the build folder's velmorac" \
  cmp <("$scratch/$top/build/app/velmorac" -q -o - "$example") <("$build/app/velmorac" -q -o - "$example")

finish
