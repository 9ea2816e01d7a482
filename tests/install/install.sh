#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch DESTDIR and checks what lands there: the
# programs run from their installed place; the manual pages, English and
# Italian, format without warnings and name exactly the options of
# `velmorac --help`, as the bash completion does; the examples, licence and
# changelog are there; with the desktop program, the menu entry, AppStream
# metadata and .bas file type pass their validators and name each other, and
# the gpsim module loads into the real gpsim from its private folder.
#
#   install.sh BUILD_DIR SOURCE_DIR GUI(0|1) MODULE_DIR
set -uo pipefail
build=$1
source_dir=$2
gui=$3
module_dir=$4
id=org.velmora.Velmora

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
source "$(dirname "$0")/checks.sh"
same_set() {  # same_set WHAT FILE_A FILE_B: two sorted lists, differences shown
  if diff "$2" "$3" >"$scratch/diff"; then ok; else ko "$1 (< only in the first, > only in the second)"; sed 's/^/  /' "$scratch/diff"; fi
}

if ! DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >"$scratch/install.log" 2>&1; then
  cat "$scratch/install.log"
  echo "0 passed, 1 failed"
  exit 1
fi
usr=$scratch/root/usr

# velmorac runs from its installed place: version, and a real translation.
check "velmorac --version" bash -c "'$usr/bin/velmorac' --version | grep -qx 'velmorac [0-9.]*'"
check "installed velmorac translates an installed example" \
  bash -c "'$usr/bin/velmorac' -q -o - '$usr/share/velmora/examples/configurazione_io.bas' | grep -q '^        END'"

# The options of --help: the entry lines ("  -o, --output PERCORSO   ...").
"$usr/bin/velmorac" --help | sed -n 's/^  \(-[^ ,]*\(, -[^ ,]*\)*\).*/\1/p' | tr ', ' '\n\n' | grep . | sort -u \
  >"$scratch/help_options"
[ "$(wc -l <"$scratch/help_options")" -ge 10 ] && ok || ko "too few options read from velmorac --help"

# Each manual page formats without warnings; velmorac's, in both languages,
# has one entry for exactly the options --help lists.
pages=(man1/velmorac it/man1/velmorac)
[ "$gui" = 1 ] && pages+=(man1/velmora it/man1/velmora)
for page in "${pages[@]}"; do
  file=$usr/share/man/$page.1.gz
  check "$page formats without warnings" \
    bash -c "LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l '$file' 2>&1 >'$scratch/man.txt' | (! grep .)"
  check "$page is compressed without a time stamp" bash -c "gzip -lv '$file' >/dev/null && ! file '$file' | grep -q 'last modified'"
  [[ $page == */velmorac ]] || continue
  awk '/^(OPTIONS|OPZIONI)$/ {in_options = 1; next} /^[^ ]/ {in_options = 0} in_options && /^       -/' \
    "$scratch/man.txt" | tr ' ,=[]' '\n' | grep '^-' | sort -u >"$scratch/man_options"
  same_set "$page and --help name the same options" "$scratch/help_options" "$scratch/man_options"
done

# Bash completion: its options are those of --help; a program argument offers
# .bas files and folders, --check offers exercise files.
completion=$usr/share/bash-completion/completions/velmorac
mkdir -p "$scratch/work/classe"
touch "$scratch/work/lampeggio.bas" "$scratch/work/esercizio.txt" "$scratch/work/note.odt"
complete_words() {  # complete_words WORD...: the completions of the last word
  (cd "$scratch/work" && bash -c 'source "$1"; shift; COMP_WORDS=(velmorac "$@"); COMP_CWORD=$#; _velmorac
                                  printf "%s\n" "${COMPREPLY[@]}" | sort' _ "$completion" "$@")
}
complete_words - | grep '^-' >"$scratch/completion_options"
same_set "completion offers the options of --help" "$scratch/help_options" "$scratch/completion_options"
check "completion of a program: .bas files and folders" test "$(complete_words '' | tr '\n' ' ')" = "classe lampeggio.bas "
check "completion after --check: exercise files and folders" \
  test "$(complete_words --batch --check '' | tr '\n' ' ')" = "classe esercizio.txt "

# Examples, licence, changelog.
for example in "$source_dir"/examples/*; do
  check "example $(basename "$example") installed" cmp "$example" "$usr/share/velmora/examples/$(basename "$example")"
done
check "DEP-5 copyright, GPL-3+" bash -c "head -1 '$usr/share/doc/velmora/copyright' | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' &&
  grep -qx 'License: GPL-3+' '$usr/share/doc/velmora/copyright'"
version=$("$usr/bin/velmorac" --version | cut -d' ' -f2)
check "changelog.gz readable, its version is the program's" \
  bash -c "zcat '$usr/share/doc/velmora/changelog.gz' > '$scratch/changelog' &&
  test \"\$(dpkg-parsechangelog -l '$scratch/changelog' -S Version)\" = '$version'"

if [ "$gui" = 1 ]; then
  desktop=$usr/share/applications/$id.desktop
  metainfo=$usr/share/metainfo/$id.metainfo.xml
  mime=$usr/share/mime/packages/$id.xml
  check "velmora is installed executable" test -x "$usr/bin/velmora"
  check "icon installed" grep -q '<svg' "$usr/share/icons/hicolor/scalable/apps/$id.svg"
  check "desktop entry valid" desktop-file-validate "$desktop"
  check "AppStream metadata valid" appstreamcli validate --no-net "$metainfo"
  check "AppStream licences" bash -c "grep -qx '  <project_license>GPL-3.0-or-later</project_license>' '$metainfo' &&
    grep -q '<metadata_license>' '$metainfo'"
  check "AppStream version is the program's" grep -q "<release version=\"$version\"" "$metainfo"
  # The names that tie the files together.
  check "desktop entry runs velmora with a file" grep -qx 'Exec=velmora %f' "$desktop"
  check "desktop entry names the icon" grep -qx "Icon=$id" "$desktop"
  type=$(grep -o 'mime-type type="[^"]*"' "$mime" | cut -d'"' -f2)
  check "desktop entry opens the .bas type" grep -qx "MimeType=$type;" "$desktop"
  check "metainfo launches the desktop entry" grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo"
  check "metainfo provides the .bas type" grep -qF "<mediatype>$type</mediatype>" "$metainfo"
  # The file type compiles into a MIME database that maps *.bas to it.
  check "MIME database builds" update-mime-database "$usr/share/mime"
  check "*.bas maps to $type" grep -qx "[0-9]*:$type:\*\.bas" "$usr/share/mime/globs2"
  # The stack depth module, where the program looks for it (../MODULE_DIR
  # from bin/), loads into the real gpsim and answers (-1: no program loaded,
  # so no running processor).
  module=$usr/bin/../$module_dir/libvelmora_gpsim.so
  check "gpsim loads the installed stack module" bash -c "printf '%s\n' 'processor p16f84' \
    'module library \"$module\"' 'module load velmora_stack velmora_stack' 'velmora_stack.depth' quit |
    gpsim -i -S disable | grep -qx -- -1"
fi

finish
