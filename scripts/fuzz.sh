#!/usr/bin/env bash
# Runs every fuzz target for a bounded time from its seed corpus.   fuzz.sh [seconds-per-target]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-15}
# Leaks inside third-party decoders that libheif drives are not ours to fix; see the file.
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan-suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
for exe in build-fuzz/fuzz/fuzz_*; do
  [ -x "$exe" ] || continue
  name=$(basename "$exe")
  seeds=fuzz/corpus/${name#fuzz_}
  work=$(mktemp -d)
  [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/ 2>/dev/null || true
  # Seeds can also come from the shared test images, listed one glob per line.
  if [ -f "fuzz/${name#fuzz_}.seeds" ]; then
    while read -r glob; do
      [ -z "$glob" ] && continue
      for f in $glob; do [ -f "$f" ] && cp "$f" "$work"/; done
    done < "fuzz/${name#fuzz_}.seeds"
  fi
  echo "-- $name (${seconds}s)"
  "$exe" "$work" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=1024 -timeout=10 \
         -print_final_stats=0 2>&1 | tail -n 3
  rm -rf "$work"
done
