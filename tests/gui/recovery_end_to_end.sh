#!/usr/bin/env bash
# Autosave and recovery, for real: starts the editor under a virtual X server on a picture
# with autosave every minute, fills the picture with the foreground colour, waits until the
# recovery copy is written, kills the editor with SIGKILL, starts it again, answers the
# recovery prompt with Recover and looks for the filled picture on the screen.
#   recovery_end_to_end.sh PATH/TO/pictorane [folder for the screenshots]
# Exits 77 (skipped) when Xvfb, xdotool or the screenshot tools are missing.
set -euo pipefail

editor=${1:?usage: recovery_end_to_end.sh PATH/TO/pictorane [screenshot folder]}
root=$(cd "$(dirname "$0")/../.." && pwd)
picture="$root/../shared/testdata/pngsuite/png/f00n2c08.png"
fill="#3366CC"

for tool in Xvfb convert xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed (scripts/setup.sh installs xvfb, xdotool and imagemagick)"
    exit 77
  fi
done
command -v import >/dev/null 2>&1 || { echo "SKIPPED: ImageMagick's import is not installed"; exit 77; }
[ -f "$picture" ] || { echo "FAILED: test picture $picture is missing (expected ../shared/testdata)"; exit 1; }

work=$(mktemp -d)
shots=${2:-$work}
mkdir -p "$shots"
pids=()
cleanup() {
  local status=$?
  for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  if [ "$status" -eq 0 ]; then rm -rf "$work"; else echo "screenshots and logs kept in $work"; fi
}
trap cleanup EXIT

# A private copy of the editor whose settings file beside it asks for autosave every minute
# and a foreground colour that nothing else on the screen has.
cp "$editor" "$work/pictorane"
cat >"$work/QXSettings.xml" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<BrindlemossSettingsV1><Options><Application autosave_minutes="1" default_fg_color="$fill"/></Options></BrindlemossSettingsV1>
XML
export TMPDIR="$work" XDG_RUNTIME_DIR="$work" XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"
export XDG_CACHE_HOME="$work/cache" QT_QPA_PLATFORM=xcb
recovery="$work/state/pictorane/recovery"

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAILED: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(cat "$work/display")"

# wait_for_fill SHOT: screenshots until at least the picture's 32 x 32 pixels show the fill.
wait_for_fill() {
  for _ in $(seq 30); do
    sleep 1
    import -window root "$1"
    count=$(convert "$1" -alpha off -fill black +opaque "$fill" -fill white -opaque "$fill" -format "%[fx:round(mean*w*h)]" info:)
    [ "$count" -ge 1024 ] && return 0
  done
  return 1
}

"$work/pictorane" "$picture" >"$work/first.log" 2>&1 &
editor_pid=$!
pids+=("$editor_pid")
main=""
for _ in $(seq 30); do
  main=$(xdotool search --name "Pictorane" 2>/dev/null | head -1 || true)
  [ -n "$main" ] && break
  sleep 1
done
[ -n "$main" ] || { echo "FAILED: the editor shows no window"; exit 1; }
sleep 2
# Keys go where the pointer clicked: into the document window, at the top left of the
# workspace, beside the picture.
xdotool mousemove 40 180 click 1
sleep 1
xdotool key --clearmodifiers ctrl+a
xdotool key --clearmodifiers alt+Delete
if ! wait_for_fill "$shots/filled.png"; then
  echo "FAILED: the picture was not filled (see $shots/filled.png)"; exit 1
fi

# The first autosave comes a minute after the start.
for _ in $(seq 100); do
  ls "$recovery"/*.record >/dev/null 2>&1 && break
  sleep 1
done
ls "$recovery"/*.record >/dev/null 2>&1 || { echo "FAILED: no recovery copy was written"; ls -la "$work/state" || true; exit 1; }
kill -9 "$editor_pid"
wait "$editor_pid" 2>/dev/null || true
echo "killed after the autosave: $(ls "$recovery")"

"$work/pictorane" >"$work/second.log" 2>&1 &
pids+=($!)
# The prompt is a window titled "Pictorane" like the main window; Recover is its default
# button, so Return goes to each of them (the main window ignores it while the prompt is up).
prompt=""
for _ in $(seq 30); do
  sleep 1
  prompt=$(xdotool search --name "^Pictorane$" 2>/dev/null || true)
  [ "$(echo "$prompt" | grep -c .)" -ge 2 ] && break
done
sleep 2
import -window root "$shots/prompt.png"
[ -n "$prompt" ] || { echo "FAILED: no recovery prompt (see $shots/prompt.png)"; exit 1; }
for window in $(xdotool search --name "^Pictorane$" 2>/dev/null | tac); do
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key --clearmodifiers Return
  sleep 1
done
if ! wait_for_fill "$shots/recovered.png"; then
  echo "FAILED: the recovered picture is not on the screen (see $shots/prompt.png, $shots/recovered.png)"; exit 1
fi
ls "$recovery"/*.record >/dev/null 2>&1 && { echo "FAILED: the old recovery files are still there"; exit 1; }
echo "PASSED"
