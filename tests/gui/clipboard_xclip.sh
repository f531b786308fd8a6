#!/usr/bin/env bash
# The clipboard against another program under a virtual X server: runs the xclip tests of the
# Qt test program on the xcb platform.   clipboard_xclip.sh PATH/TO/test_qt
# Exits 77 (skipped) when Xvfb or xclip is missing.
set -euo pipefail
tests=${1:?usage: clipboard_xclip.sh PATH/TO/test_qt}
for tool in Xvfb xclip; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed (scripts/setup.sh installs xvfb and xclip)"
    exit 77
  fi
done
work=$(mktemp -d)
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAILED: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(cat "$work/display")" PICT_TEST_PLATFORM=xcb XDG_RUNTIME_DIR="$work"
"$tests" --gtest_filter='XclipTest.*' 2>&1 | tee "$work/run.log"
if ! grep -q "PASSED  ] 2 tests" "$work/run.log"; then
  echo "FAILED: the two xclip tests did not both run and pass under Xvfb"
  exit 1
fi
