#!/usr/bin/env bash
# Runs every batch command line of cases.txt and compares the bytes it writes and its --info
# with the hashes in expected.txt, which were recorded from an earlier build: a refactoring
# must not change what the batch tool produces.
#   run.sh CLI            compare (exit 1 on any difference)
#   run.sh CLI --record   rewrite expected.txt
set -euo pipefail
cli=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
data=$(realpath "$here/../../../../shared/testdata")
[ -d "$data" ] || { echo "test data not found at $data" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
actual="$work/actual.txt"
without_png_time() {
  perl -e 'binmode STDIN; binmode STDOUT; local $/; my $d = <STDIN>;
    if (substr($d, 0, 8) ne "\x89PNG\r\n\x1a\n") { print $d; exit }
    print substr($d, 0, 8); my $p = 8;
    while ($p + 8 <= length $d) {
      my ($len, $type) = unpack("Na4", substr($d, $p, 8));
      my $chunk = substr($d, $p, $len + 12); $p += $len + 12;
      next if $type eq "tEXt" && substr($chunk, 8, 18) eq "Modification Time\0";
      print $chunk;
    }'
}
while read -r name args; do
  case "$name" in ''|'#'*) continue ;; esac
  args=${args//@PNG/$data/pngsuite/png/basn2c08.png}
  args=${args//@RGBA/$data/pngsuite/png/basn6a08.png}
  args=${args//@PAL/$data/pngsuite/png/basn3p08.png}
  args=${args//@BMP8/$data/bmpsuite/g/pal8.bmp}
  args=${args//@BMP/$data/bmpsuite/g/rgb24.bmp}
  dir="$work/$name"
  mkdir "$dir"
  read -r -a argv <<<"$args"
  if ! (cd "$dir" && "$cli" "${argv[@]}" --info >info.json 2>stderr.txt); then
    echo "$name: the batch tool failed: $(cat "$dir/stderr.txt")" >&2
    exit 1
  fi
  out=$(ls "$dir" | grep '^out\.')
  # A PNG carries the time it was written; every other byte is compared.
  echo "$name $(without_png_time <"$dir/$out" | sha256sum | cut -c1-16) $(sha256sum <"$dir/info.json" | cut -c1-16)" >>"$actual"
done <"$here/cases.txt"
if [ "${2:-}" = "--record" ]; then
  cp "$actual" "$here/expected.txt"
  echo "recorded $(wc -l <"$actual") cases"
  exit 0
fi
if ! diff -u "$here/expected.txt" "$actual"; then
  echo "the batch tool's output differs from the recorded hashes (lines marked +)" >&2
  exit 1
fi
echo "$(wc -l <"$actual") cases match"
