#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fills a seed corpus folder for the fuzzers from the project's own programs:
# examples/, the golden programs and the BASIC programs written inside the
# translator tests (raw string literals, and runs of "...\n" literals).
#
#   fuzz/seed_corpus.sh DIR
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:?usage: fuzz/seed_corpus.sh DIR}"
mkdir -p "$dir"
for f in examples/*.bas tests/golden/*.bas; do
  cp "$f" "$dir/$(basename "$(dirname "$f")")_$(basename "$f")"
done
# Programs in the tests: every raw string literal, and every group of adjacent
# ordinary literals that holds a line end, each becomes one seed file.
perl -e '
  my $dir = shift;
  my $n = 0;
  for my $file (@ARGV) {
    local $/;
    open my $fh, "<", $file or die;
    my $src = <$fh>;
    while ($src =~ /R"([^(]*)\((.*?)\)\1"/sg) {
      my $text = $2;
      next unless $text =~ /\n/;
      open my $out, ">", sprintf("%s/test_%04d.bas", $dir, ++$n) or die;
      print $out $text;
    }
    while ($src =~ /((?:"(?:[^"\\\n]|\\.)*"\s*)+)/sg) {
      my $group = $1;
      next unless $group =~ /\\n/;
      my $text = "";
      while ($group =~ /"((?:[^"\\\n]|\\.)*)"/g) { $text .= $1; }
      $text =~ s/\\n/\n/g; $text =~ s/\\r/\r/g; $text =~ s/\\t/\t/g;
      $text =~ s/\\"/"/g; $text =~ s/\\\\/\\/g;
      next if length($text) < 8;
      open my $out, ">", sprintf("%s/test_%04d.bas", $dir, ++$n) or die;
      print $out $text;
    }
  }
' "$dir" tests/translator/*.cpp
echo "seed corpus: $(ls "$dir" | wc -l) files in $dir"
