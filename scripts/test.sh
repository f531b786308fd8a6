#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: the release build, the sanitizer build, and a
# short bounded run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
export PICT_WERROR=ON
export QT_QPA_PLATFORM=offscreen

echo "== release build and tests"
./scripts/build.sh release
ctest --test-dir build --output-on-failure -j "$(nproc)" --timeout 300

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build and tests"
./scripts/build.sh asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)" --timeout 600 -LE slow

if ls fuzz/*.cpp >/dev/null 2>&1; then
  echo "== fuzz targets (bounded runs)"
  ./scripts/build.sh fuzz pict_fuzzers
  ./scripts/fuzz.sh "${PICT_FUZZ_SECONDS:-15}"
fi
echo "== all tests passed"
