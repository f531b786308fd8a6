#!/usr/bin/env bash
# Peak resident memory of the batch tool with history on a 6000 x 4000 photo, against the
# targets of partial undo and the history memory budget:
#  - 20 full-layer adjustments: at most the peak with --history-limit 1 plus the budget
#    (+10 %); with --history-memory 64, at most the --history-limit 1 peak plus 100 MiB;
#  - 20 edits of 200 x 200 selections: within 1.1 x the peak with --history-limit 1;
#  - and the time of the undo of each, as the whole process with one --undo more.
# Not run by CI. Usage: bench/history_memory.sh   (needs a release build in build/)
set -euo pipefail
cd "$(dirname "$0")/.."
cli=build/src/batch/pictorane-cli
[ -x "$cli" ] || { echo "build first: ./scripts/build.sh release pictorane-cli" >&2; exit 1; }
command -v convert >/dev/null || { echo "ImageMagick's convert is missing (scripts/setup.sh installs it)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CACHE_HOME="$work/cache"
convert -size 6000x4000 gradient:'#203050-#e0c090' \
    \( -size 6000x4000 xc: +noise Gaussian -colorspace gray \) -compose overlay -composite \
    -type TrueColor "$work/big.bmp"

# Peak resident set in MiB, and wall seconds, of one run.
peak() {
    /usr/bin/time -f '%M %e' "$cli" "$@" 2>&1 >/dev/null | tail -1 | awk '{printf "%.0f MiB %6.2f s", $1 / 1024, $2}'
}

adjustments=()
for i in $(seq 10); do adjustments+=(--invert --brightness-contrast "$((i * 3)),$((i * 2))"); done
selections=()
for i in $(seq 20); do
    x=$((i * 250)); y=$((i * 150))
    selections+=(--select-rect "$x,$y,$((x + 200)),$((y + 200))" --invert)
done

echo "20 full-layer adjustments"
echo "  --history-limit 1          $(peak "$work/big.bmp" --history-limit 1 "${adjustments[@]}")"
echo "  default (20 states, 256)   $(peak "$work/big.bmp" "${adjustments[@]}")"
echo "  --history-memory 64        $(peak "$work/big.bmp" --history-memory 64 "${adjustments[@]}")"
echo "  --history-memory 0         $(peak "$work/big.bmp" --history-memory 0 "${adjustments[@]}")"
echo "  ... and undo the last one  $(peak "$work/big.bmp" --history-memory 64 "${adjustments[@]}" --undo)"
echo "20 edits of 200 x 200 selections"
echo "  --history-limit 1          $(peak "$work/big.bmp" --history-limit 1 "${selections[@]}")"
echo "  default                    $(peak "$work/big.bmp" "${selections[@]}")"
echo "  ... and undo the last one  $(peak "$work/big.bmp" "${selections[@]}" --undo)"
