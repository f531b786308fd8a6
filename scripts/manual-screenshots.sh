#!/usr/bin/env bash
# Takes the user manual's screenshots (doc/manual/images/) from the built editor under a
# virtual X display: a sample picture made with the batch tool, the main window, and the
# dialogs the manual shows, each opened with the keys a user would press.
#   manual-screenshots.sh [BUILD_DIR]     (needs xvfb, openbox, xdotool and imagemagick)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=doc/manual/images
display=${SCREENSHOT_DISPLAY:-:87}
work=$(mktemp -d)
mkdir -p "$out" "$work/home" "$work/run"
chmod 700 "$work/run"
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY=$display

# A small landscape on three layers.
"$build/src/batch/pictorane-cli" --new 560,380 --foreground 7cc4e8 --background f7f4ea --gradient 0,0,0,380 \
  --new-layer Sun --foreground f4b73b --select-ellipse 390,50,480,140 --fill-foreground --deselect \
  --new-layer Hills --foreground 4f9a6b --select-lasso '0,380;0,280;150,160;280,290;390,210;560,340;560,380' \
  --fill-foreground --deselect -o "$work/landscape.ora"

Xvfb "$display" -screen 0 1280x860x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
sleep 1
openbox >"$work/wm.log" 2>&1 &
pids+=($!)
sleep 0.5
HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_STATE_HOME=$work/home/.state \
  XDG_CACHE_HOME=$work/home/.cache XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=xcb \
  "$build/src/app/qt/pictorane" "$work/landscape.ora" >"$work/editor.log" 2>&1 &
pids+=($!)
main=$(xdotool search --sync --onlyvisible --name 'Pictorane' | head -1)
xdotool windowmove "$main" 0 0 windowsize "$main" 1280 860
sleep 2

keys() { xdotool key --delay 150 "$@"; sleep 1; }
# The focused window (a dialog) alone.
dialog_shot() { import -window "$(xdotool getactivewindow)" "$out/$1.png"; }
# Opens a dialog with the keys, photographs it and closes it with Escape.
dialog() {
  local name=$1
  shift
  keys "$@"
  sleep 1
  dialog_shot "$name"
  keys Escape
}

keys b # the brush's options in the tool options bar
import -window root "$out/main-window.png"
dialog new-dialog ctrl+n
dialog levels-dialog ctrl+l
dialog gaussian-blur-dialog alt+r b Down Down Return
dialog image-size-dialog alt+i Down Down Return
dialog fill-dialog alt+e Up Up Up Return
keys ctrl+a
dialog feather-dialog alt+s m Return
keys ctrl+d
dialog options-dialog alt+e Up Return
# Without a printer the preview first says so; the message is closed, the preview shown.
keys alt+f Up Up Up Return
if xdotool getactivewindow getwindowname | grep -q Information; then keys Return; fi
dialog_shot print-preview
keys Escape
# Screenshots go into the manual as small PNGs.
for shot in "$out"/*.png; do convert "$shot" -strip -define png:compression-level=9 "$shot"; done
ls -l "$out"
