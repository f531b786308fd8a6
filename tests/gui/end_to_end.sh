#!/usr/bin/env bash
# Starts the real editor under a virtual X server with a picture from the shared test data,
# photographs the screen and looks for the picture's pixels, unscaled, in it; then starts a
# second instance with another picture and checks that the first one shows that one too.
# Then it types as a user does: Alt+Delete fills the picture, Ctrl+Z brings it back,
# Ctrl+Shift+Z fills it again, Ctrl+Z returns to the state it was opened in, and Ctrl+W then
# closes the window without asking; a second Ctrl+W closes the other window.
#   end_to_end.sh PATH/TO/pictorane [folder for the screenshots]
# Exits 77 (skipped) when Xvfb or the screenshot tools are missing.
set -euo pipefail

editor=${1:?usage: end_to_end.sh PATH/TO/pictorane [screenshot folder]}
root=$(cd "$(dirname "$0")/../.." && pwd)
testdata="$root/../shared/testdata/pngsuite/png"
# Pictures without a gamma chunk, so that the editor shows exactly the stored values.
first="$testdata/f00n2c08.png"
second="$testdata/z00n2c08.png"

for tool in Xvfb convert xwininfo xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed (scripts/setup.sh installs xvfb, x11-utils, imagemagick and xdotool)"
    exit 77
  fi
done
if ! command -v import >/dev/null 2>&1 && ! command -v xwd >/dev/null 2>&1; then
  echo "SKIPPED: neither ImageMagick's import nor xwd is installed"
  exit 77
fi
for picture in "$first" "$second"; do
  [ -f "$picture" ] || { echo "FAILED: test picture $picture is missing (expected ../shared/testdata)"; exit 1; }
done

work=$(mktemp -d)
shots=${2:-$work}
mkdir -p "$shots"
pids=()
cleanup() {
  local status=$?
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  if [ "$status" -eq 0 ]; then rm -rf "$work"; else echo "screenshots and logs kept in $work"; fi
}
trap cleanup EXIT

# A private copy of the editor: its settings file ("QXSettings.xml" beside the executable)
# starts empty, and TMPDIR gives it an instance socket of its own.
cp "$editor" "$work/pictorane"
export TMPDIR="$work" XDG_RUNTIME_DIR="$work" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAILED: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(cat "$work/display")"

screenshot() { # screenshot FILE
  if command -v import >/dev/null 2>&1; then
    import -window root "$1"
  else
    xwd -root -silent | convert xwd:- "$1"
  fi
}

# find_picture SCREEN NEEDLE: prints "x y" of the first place where every pixel of NEEDLE
# appears unchanged in SCREEN, or nothing.
find_picture() {
  # Needle first, then the screen; only screen pixels whose colour the needle uses are
  # kept, which leaves little of a mostly grey desktop.
  { convert "$2" -alpha off -depth 8 txt:-; echo "--screen--"; convert "$1" -alpha off -depth 8 txt:-; } |
    awk '
      /^#/ { next }
      /^--screen--$/ { screen = 1; next }
      {
        split($1, xy, /[,:]/); x = xy[1] + 0; y = xy[2] + 0; c = $3
        if (!screen) {
          needle[x, y] = c; used[c] = 1
          if (x + 1 > w) w = x + 1
          if (y + 1 > h) h = y + 1
          next
        }
        if (c in used) {
          pixel[x, y] = c
          if (c == needle[0, 0]) candidates[++n] = x SUBSEP y
        }
      }
      END {
        for (i = 1; i <= n; i++) {
          split(candidates[i], p, SUBSEP); ok = 1
          for (yy = 0; yy < h && ok; yy++)
            for (xx = 0; xx < w && ok; xx++)
              if (pixel[p[1] + xx, p[2] + yy] != needle[xx, yy]) ok = 0
          if (ok) { print p[1], p[2]; exit }
        }
      }'
}

wait_for_picture() { # wait_for_picture NEEDLE SHOT: screenshots until the picture shows
  local at=""
  for _ in $(seq 20); do
    sleep 1
    screenshot "$2"
    at=$(find_picture "$2" "$1")
    [ -n "$at" ] && { echo "$at"; return 0; }
  done
  return 1
}

"$work/pictorane" "$first" >"$work/first.log" 2>&1 &
editor_pid=$!
pids+=("$editor_pid")

if ! at=$(wait_for_picture "$first" "$shots/first.png"); then
  echo "FAILED: $(basename "$first") is not on the screen at 100 % (see $shots/first.png)"
  exit 1
fi
echo "first picture found at $at"
first_at=$at
# The main window is titled after its active document, then the program.
xwininfo -root -tree | grep -q 'Pictorane"' || { echo "FAILED: no Pictorane window"; exit 1; }

# A second start hands its file to the running editor and ends at once with status 0.
if ! timeout 20 "$work/pictorane" "$second" >"$work/second.log" 2>&1; then
  echo "FAILED: the second instance did not end cleanly"; cat "$work/second.log"; exit 1
fi
kill -0 "$editor_pid" 2>/dev/null || { echo "FAILED: the first instance is gone"; exit 1; }
if ! at=$(wait_for_picture "$second" "$shots/second.png"); then
  echo "FAILED: the first instance does not show $(basename "$second") (see $shots/second.png)"
  exit 1
fi
echo "second picture found at $at"


# ---- the keyboard ----
read -r sx sy <<<"$at"
read -r fx fy <<<"$first_at"
size=$(identify -format '%wx%h' "$second")
# colors_at SHOT: how many colors the second picture's place holds now (1 when filled).
colors_at() { convert "$1" -crop "$size+$sx+$sy" +repage -format '%k' info:; }
# shows_at SHOT PICTURE X Y: whether the picture is at that place, pixel for pixel (faster
# than looking for it over the whole screen).
shows_at() {
  convert "$1" -crop "$(identify -format '%wx%h' "$2")+$3+$4" +repage -alpha off -depth 8 "$work/place.ppm"
  convert "$2" -alpha off -depth 8 "$work/needle.ppm"
  [ "$(compare -metric AE "$work/place.ppm" "$work/needle.ppm" null: 2>&1 || true)" = 0 ]
}
press() { # press KEYS SHOT: the keys, then a screenshot once the window has drawn
  xdotool key --delay 80 "$1"
  sleep 1.5
  screenshot "$2"
}
# The first picture is still there, in its own window.
shows_at "$shots/second.png" "$first" "$fx" "$fy" || { echo "FAILED: the first window went away"; exit 1; }
# A click on the picture gives its window the keyboard (the hand tool changes nothing).
xdotool mousemove $((sx + 4)) $((sy + 4)) click 1
sleep 0.5
press alt+Delete "$shots/filled.png"
[ "$(colors_at "$shots/filled.png")" = 1 ] || { echo "FAILED: Alt+Delete did not fill the picture (see $shots/filled.png)"; exit 1; }
press ctrl+z "$shots/undone.png"
shows_at "$shots/undone.png" "$second" "$sx" "$sy" || { echo "FAILED: Ctrl+Z did not bring the picture back (see $shots/undone.png)"; exit 1; }
press ctrl+shift+z "$shots/redone.png"
[ "$(colors_at "$shots/redone.png")" = 1 ] || { echo "FAILED: Ctrl+Shift+Z did not fill it again (see $shots/redone.png)"; exit 1; }
press ctrl+z "$shots/saved-state.png"
shows_at "$shots/saved-state.png" "$second" "$sx" "$sy" || { echo "FAILED: the second Ctrl+Z did not undo (see $shots/saved-state.png)"; exit 1; }
# Back at the state it was opened in: nothing to save, so Ctrl+W closes without a question.
press ctrl+w "$shots/closed.png"
if shows_at "$shots/closed.png" "$second" "$sx" "$sy"; then
  echo "FAILED: Ctrl+W did not close the window, or asked first (see $shots/closed.png)"; exit 1
fi
if xwininfo -root -tree | grep '"Pictorane": ("pictorane"' >/dev/null; then
  echo "FAILED: a question is open (see $shots/closed.png)"; exit 1
fi
shows_at "$shots/closed.png" "$first" "$fx" "$fy" || { echo "FAILED: Ctrl+W closed the wrong window"; exit 1; }
xdotool mousemove $((fx + 4)) $((fy + 4)) click 1
sleep 0.5
press ctrl+w "$shots/all-closed.png"
if shows_at "$shots/all-closed.png" "$first" "$fx" "$fy"; then
  echo "FAILED: Ctrl+W did not close the first window (see $shots/all-closed.png)"; exit 1
fi
echo "keyboard: fill, undo, redo, undo to the opened state and close all answered"
echo "PASSED"
