#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the .deb from the build folder (cpack -G DEB, into a scratch folder)
# and checks it as the archive would: control fields, where the files go, no
# maintainer scripts, hardened and stripped programs, and, when lintian is
# installed, no lintian tag at all except the overridden ones.
#
#   deb.sh BUILD_DIR
set -uo pipefail
build=$(realpath "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
source "$(dirname "$0")/checks.sh"

if ! (cd "$build" && cpack -G DEB -B "$scratch/pkg") >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  echo "0 passed, 1 failed"
  exit 1
fi
deb=$(ls "$scratch"/pkg/velmora_*.deb)
field() { dpkg-deb -f "$deb" "$1"; }

# Control fields.
depends=$(field Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' | sort)
check "Depends without duplicates" test -z "$(uniq -d <<<"$depends")"
for p in gputils gpsim libc6 libqt6widgets6; do
  check "Depends on $p" grep -q "^$p" <<<"$depends"
done
check "Maintainer is a real address" bash -c "dpkg-deb -f '$deb' Maintainer | grep -qE '^[A-Z][^<]+ <[a-z.]+@velmora\.org>$'"
check "Homepage" test "$(field Homepage)" = https://velmora.org/
check "English description" bash -c "dpkg-deb -f '$deb' Description | head -1 | grep -qx 'Basic translator and simulator for the PIC16F84 microcontroller'"

# Files: no maintainer scripts (nothing needs ldconfig), the module in its
# private multiarch folder.
dpkg-deb -e "$deb" "$scratch/control"
check "no maintainer scripts" bash -c "! ls '$scratch/control' | grep -qE '^(pre|post)(inst|rm)$'"
dpkg-deb -x "$deb" "$scratch/root"
module=$(cd "$scratch/root" && find . -name libvelmora_gpsim.so)
check "module in /usr/lib/<multiarch>/velmora" grep -qE '^\./usr/lib/[a-z0-9_]+-linux-[a-z]+/velmora/libvelmora_gpsim\.so$' <<<"$module"

# Hardening and stripping, file by file.
for f in usr/bin/velmorac usr/bin/velmora "${module#./}"; do
  elf=$scratch/root/$f
  [ -f "$elf" ] || continue
  check "$f: immediate binding (bindnow)" bash -c "readelf -d '$elf' | grep -q 'FLAGS.*BIND_NOW'"
  # (The module has no local arrays, so nothing for the stack protector to guard.)
  [[ $f == usr/bin/* ]] && check "$f: stack protector" bash -c "readelf --dyn-syms -W '$elf' | grep -q __stack_chk_fail"
  check "$f: no .comment section" bash -c "! readelf -S -W '$elf' | grep -qw '\.comment'"
  check "$f: stripped" bash -c "! readelf -S -W '$elf' | grep -qw '\.symtab'"
done
check "velmorac: fortified libc calls" bash -c "readelf --dyn-syms -W '$scratch/root/usr/bin/velmorac' | grep -q '__[a-z]*_chk'"

# lintian: no error, no warning, no unexplained info tag.
if command -v lintian >/dev/null; then
  lintian --display-info --show-overrides --tag-display-limit 0 "$deb" >"$scratch/lintian" 2>&1
  check "lintian: no tag but overridden ones" bash -c "! grep -E '^[EWIXP]: ' '$scratch/lintian'"
  grep -q '^[EWIXP]: ' "$scratch/lintian" && cat "$scratch/lintian"
else
  echo "lintian not installed: the lintian check is skipped"
fi

finish
