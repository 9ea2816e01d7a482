#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/setup's choices, without touching the machine: fake dpkg-query,
# apt-get, id and sudo on PATH, and an os-release file per family. Checks the
# per-family names, the install in groups with one-by-one retry, what is fatal
# and what is not, and root / sudo / advice.
#
#   setup.sh SOURCE_DIR
set -uo pipefail
source_dir=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
source "$(dirname "$0")/checks.sh"
expect() {  # expect DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then ok; else ko "$what"; sed 's/^/  | /' "$scratch/out"; fi
}

fake=$scratch/bin
mkdir -p "$fake"
# dpkg-query: installed are the names in $scratch/installed.
cat >"$fake/dpkg-query" <<'FAKE'
#!/bin/bash
printf '%s\n' "$@" | grep -v '^-' | grep -Fx -f "$SCRATCH/installed" | sed 's/$/\tinstall ok installed/'
FAKE
# apt-get: logs each call; "install" fails when any name is in $scratch/unknown.
cat >"$fake/apt-get" <<'FAKE'
#!/bin/bash
echo "apt-get $*" >>"$SCRATCH/apt.log"
[[ " $* " == *" install "* ]] || exit 0
names=$(printf '%s\n' "$@" | grep -v -e '^-' -e '^install$' -e '^DPkg')
grep -Fxq -f "$SCRATCH/unknown" <<<"$names" && exit 100
echo "$names" >>"$SCRATCH/installed"
FAKE
cat >"$fake/id" <<'FAKE'
#!/bin/bash
echo "$FAKE_UID"
FAKE
cat >"$fake/sudo" <<'FAKE'
#!/bin/bash
echo "sudo $1" >>"$SCRATCH/apt.log"
exec "$@"
FAKE
chmod +x "$fake"/*
# A PATH with the fakes and the basic tools, but no real sudo.
mkdir -p "$scratch/nosudo"
for tool in bash awk grep sed cat dirname env; do ln -s "$(command -v $tool)" "$scratch/nosudo/$tool"; done

# run FAMILY UID WITH_SUDO(0|1) [ARGS...]: status in $status, output in $scratch/out.
run() {
  local id=${1%-*} version=${1#*-} uid=$2 with_sudo=$3
  shift 3
  printf 'ID=%s\nVERSION_ID="%s"\n' "$id" "$version" >"$scratch/os-release"
  : >"$scratch/apt.log"
  local path=$fake:$scratch/nosudo
  [ "$with_sudo" = 1 ] || mv "$fake/sudo" "$scratch/sudo.off"
  SCRATCH=$scratch FAKE_UID=$uid VELMORA_OS_RELEASE=$scratch/os-release PATH=$path \
    bash "$source_dir/scripts/setup" "$@" >"$scratch/out" 2>&1
  status=$?
  [ "$with_sudo" = 1 ] || mv "$scratch/sudo.off" "$fake/sudo"
}
lists() { grep -qw -- "$1" "$scratch/out"; }
installs() { grep -q "install.* $1\( \|$\)" "$scratch/apt.log"; }

# 1. Per family, with nothing installed: --check lists the family's names,
#    never a versioned name where a version-less one exists, and installs nothing.
#    FAMILY  CLANG RUNTIME  NOT LISTED
families=(
  "debian-12     libclang-rt-dev     libclang-rt-14-dev"
  "debian-13     libclang-rt-dev     libclang-rt-14-dev"
  "ubuntu-22.04  libclang-rt-14-dev  libclang-rt-dev"
  "ubuntu-24.04  libclang-rt-dev     libclang-rt-18-dev"
)
for row in "${families[@]}"; do
  read -r family want unwanted <<<"$row"
  : >"$scratch/installed"
  echo none >"$scratch/unknown"
  run "$family" 0 1 --check
  expect "$family --check: exit status 1" test "$status" = 1
  expect "$family --check lists $want" lists "$want"
  expect "$family --check does not list $unwanted" bash -c "! grep -qw -- '$unwanted' '$scratch/out'"
  for p in gputils gpsim qt6-base-dev lintian sigrok-cli qt6-translations-l10n; do
    expect "$family --check lists $p" lists "$p"
  done
  expect "$family --check installs nothing" test ! -s "$scratch/apt.log"
  # The whole run: every group installed, then nothing left for --check.
  run "$family" 0 1
  expect "$family setup: exit status 0" test "$status" = 0
  expect "$family setup installs $want" installs "$want"
  run "$family" 0 1 --check
  expect "$family: nothing missing after setup" test "$status" = 0
done

# 2. One unknown test package: its group is retried one by one, the rest of
#    the group and the other groups are installed, and setup succeeds.
: >"$scratch/installed"
echo sigrok-cli >"$scratch/unknown"
run debian-12 0 1
expect "unknown test package: exit status 0" test "$status" = 0
expect "unknown test package named in the message" lists sigrok-cli
expect "the rest of its group still installed" installs lintian
expect "the other groups installed" installs gpsim-doc
expect "apt-get update once" test "$(grep -c ' update' "$scratch/apt.log")" = 1

# 3. An unknown runtime package is fatal, and the other groups still go in.
: >"$scratch/installed"
echo qt6-translations-l10n >"$scratch/unknown"
run debian-12 0 1
expect "unknown runtime package: exit status 1" test "$status" = 1
expect "unknown runtime package named" lists qt6-translations-l10n
expect "the build group still installed" installs cmake

# 4. Everything present: apt-get never runs.
echo none >"$scratch/unknown"
run debian-12 0 1
run debian-12 0 1
expect "all present: exit status 0, no apt-get" bash -c "test $status = 0 && test ! -s '$scratch/apt.log'"

# 5. Not root: through sudo when there is one; advice and no apt-get when not.
: >"$scratch/installed"
run debian-13 1000 1
expect "not root, sudo: apt-get through sudo" grep -q '^sudo apt-get' "$scratch/apt.log"
: >"$scratch/installed"
run debian-13 1000 0
expect "not root, no sudo: exit status 1" test "$status" = 1
expect "not root, no sudo: advice names root and the command" bash -c "grep -q root '$scratch/out' && grep -q 'apt-get install' '$scratch/out'"
expect "not root, no sudo: no apt-get" test ! -s "$scratch/apt.log"

finish
