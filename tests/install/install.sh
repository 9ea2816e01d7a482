#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR and checks what lands there: the
# programs run from their installed place, the man page formats without
# warnings and documents every option of `velmorac --help`, and (with the
# desktop program) the menu entry, the AppStream metadata and the .bas file
# type pass their validators and name each other consistently.
#
#   install.sh BUILD_DIR SOURCE_DIR GUI(0|1)
set -uo pipefail
build=$1
source_dir=$2
gui=$3
id=org.velmora.Velmora

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0
failed=0
ok() { passed=$((passed + 1)); }
ko() { echo "FAIL: $*"; failed=$((failed + 1)); }
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@" >"$scratch/out" 2>&1; then ok; else ko "$what"; sed 's/^/  /' "$scratch/out"; fi
}

if ! DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >"$scratch/install.log" 2>&1; then
  cat "$scratch/install.log"
  echo "0 passed, 1 failed"
  exit 1
fi
usr=$scratch/root/usr

# velmorac runs from its installed place: version, and a real translation.
check "velmorac --version" bash -c "'$usr/bin/velmorac' --version | grep -qx 'velmorac [0-9.]*'"
check "installed velmorac translates an example" \
  bash -c "'$usr/bin/velmorac' -q -o - '$source_dir/examples/configurazione_io.bas' | grep -q '^        END'"

# The man page: installed, formats cleanly (a missing page fails here too)
# and documents every option the program lists.
man_page=$usr/share/man/man1/velmorac.1.gz
check "man page formats without warnings" \
  bash -c "LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l '$man_page' 2>&1 >'$scratch/man.txt' | (! grep .)"
# The entry lines of OPZIONI, one word a line: each option of --help heads an entry.
awk '/^OPZIONI/ {in_options = 1; next} /^[^ ]/ {in_options = 0} in_options && /^       -/' \
  "$scratch/man.txt" | tr ' ,=[]' '\n' | grep '^-' | sort -u >"$scratch/man_options"
options=$("$usr/bin/velmorac" --help | grep -oE '^ +--?[a-z][a-z-]*' | tr -d ' ' | sort -u)
[ -n "$options" ] && ok || ko "no option read from velmorac --help"
for option in $options; do
  check "man page has an entry for $option" grep -qx -- "$option" "$scratch/man_options"
done

if [ "$gui" = 1 ]; then
  desktop=$usr/share/applications/$id.desktop
  metainfo=$usr/share/metainfo/$id.metainfo.xml
  mime=$usr/share/mime/packages/$id.xml
  check "velmora is installed executable" test -x "$usr/bin/velmora"
  check "icon installed" grep -q '<svg' "$usr/share/icons/hicolor/scalable/apps/$id.svg"
  check "desktop entry valid" desktop-file-validate "$desktop"
  check "AppStream metadata valid" appstreamcli validate --no-net "$metainfo"
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
  # The stack depth module, where the program looks for it, loads into the
  # real gpsim and answers (-1: no program loaded, so no running processor).
  module=$usr/bin/../lib/velmora/libvelmora_gpsim.so
  check "gpsim loads the installed stack module" bash -c "printf '%s\n' 'processor p16f84' \
    'module library \"$module\"' 'module load velmora_stack velmora_stack' 'velmora_stack.depth' quit |
    gpsim -i -S disable | grep -qx -- -1"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
