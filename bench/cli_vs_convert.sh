#!/usr/bin/env bash
# Whole-process comparison of pictorane-cli with ImageMagick's convert on a 6000 x 4000
# photo-like image, BMP -> BMP and JPEG -> BMP, plus the batch tool's start-up time.
# Not run by CI. Usage: bench/cli_vs_convert.sh [runs]   (needs a release build in build/)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
cli=build/src/batch/pictorane-cli
[ -x "$cli" ] || { echo "build first: ./scripts/build.sh release pictorane-cli" >&2; exit 1; }
command -v convert >/dev/null || { echo "ImageMagick's convert is missing (scripts/setup.sh installs it)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Smooth gradients with fine noise on top: neither flat (which flatters the JPEG decoder)
# nor pure noise.
convert -size 6000x4000 gradient:'#203050-#e0c090' \
    \( -size 6000x4000 xc: +noise Gaussian -colorspace gray \) -compose overlay -composite \
    -type TrueColor "$work/big.bmp"
convert "$work/big.bmp" -quality 95 "$work/big.jpg"

# Best of N wall-clock seconds of a command.
best() {
    local best=""
    for _ in $(seq "$runs"); do
        local start end
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s.%N)
        best=$(echo "$start $end $best" | awk '{t = $2 - $1; if ($3 == "" || t < $3) print t; else print $3}')
    done
    printf '%.3f' "$best"
}

printf '%-28s %12s %12s\n' "6000 x 4000" "pictorane" "convert"
for source in big.bmp big.jpg; do
    ours=$(best "$cli" "$work/$source" -o "$work/out-ours.bmp")
    theirs=$(best convert "$work/$source" "$work/out-convert.bmp")
    printf '%-28s %11ss %11ss\n' "$source -> out.bmp" "$ours" "$theirs"
done

# Start-up: the mean of many runs that do almost nothing.
count=200
start=$(date +%s.%N)
for _ in $(seq $count); do "$cli" --new 1,1 >/dev/null; done
end=$(date +%s.%N)
echo "$start $end $count" | awk '{printf "start-up (--new 1,1)          %8.2f ms per run (target < 20 ms)\n", ($2 - $1) * 1000 / $3}'
