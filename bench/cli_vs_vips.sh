#!/usr/bin/env bash
# Whole-process time of pictorane-cli beside libvips' command-line tool on the same 6000 x 4000
# photo-like image, each at its default thread count, for the steps users script most. Prints
# both times and their ratio (pictorane / vips; below 1 means pictorane is faster).
# libvips is only the yardstick here, never a dependency of the program: scripts/setup.sh --bench
# installs Debian's libvips-tools. Not run by CI.
# Usage: bench/cli_vs_vips.sh [runs]   (needs a release build in build/)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
cli=build/src/batch/pictorane-cli
[ -x "$cli" ] || { echo "build first: ./scripts/build.sh release pictorane-cli" >&2; exit 1; }
command -v vips >/dev/null || { echo "vips is missing: scripts/setup.sh --bench installs libvips-tools (for this benchmark only)" >&2; exit 1; }
command -v convert >/dev/null || { echo "ImageMagick's convert is missing (scripts/setup.sh installs it)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Smooth gradients with fine noise on top, as in cli_vs_convert.sh. Each tool reads and writes
# its own uncompressed format, so that neither time is mostly a codec's: pictorane BMP, vips
# its native .v (the same pixels). The "copy" row is reading and writing alone.
convert -size 6000x4000 gradient:'#203050-#e0c090' \
    \( -size 6000x4000 xc: +noise Gaussian -colorspace gray \) -compose overlay -composite \
    -type TrueColor "$work/big.bmp"
vips copy "$work/big.bmp" "$work/big.v"

best() {
    local best=""
    for _ in $(seq "$runs"); do
        local start end
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; return 1; }
        end=$(date +%s.%N)
        best=$(echo "$start $end $best" | awk '{t = $2 - $1; if ($3 == "" || t < $3) print t; else print $3}')
    done
    printf '%.3f' "$best"
}

# name | pictorane steps | vips operation and arguments (input and output are added)
cases=(
    "copy||copy"
    "invert|--invert|invert"
    "desaturate|--desaturate|colourspace:b-w"
    "sharpen 3 x 3|--sharpen|conv:sharpen"
    "gaussian blur 2|--gaussian-blur 2|gaussblur:2"
    "gaussian blur 10|--gaussian-blur 10|gaussblur:10"
    "gaussian blur 50|--gaussian-blur 50|gaussblur:50"
    "resize 50 %|--image-size 3000,2000|resize:0.5"
    "rotate 90|--rotate 90|rot:d90"
    "flip vertical|--flip-vertical|flip:vertical"
)

# A 3 x 3 sharpening matrix in vips' text format (the same weights as pictorane's Sharpen).
printf '3 3 4 0\n0 -1 0\n-1 8 -1\n0 -1 0\n' > "$work/sharpen.mat"

printf '%-18s %10s %10s %8s\n' "6000 x 4000" "pictorane" "vips" "ratio"
for entry in "${cases[@]}"; do
    IFS='|' read -r name ours theirs <<<"$entry"
    # shellcheck disable=SC2086
    ours_time=$(best "$cli" "$work/big.bmp" $ours -o "$work/out.bmp")
    operation=${theirs%%:*}
    argument=${theirs#*:}
    [ "$argument" = "$theirs" ] && argument=""
    case "$operation" in
        conv) vips_args=(conv "$work/big.v" "$work/out.v" "$work/sharpen.mat") ;;
        colourspace) vips_args=(colourspace "$work/big.v" "$work/out.v" "$argument") ;;
        *) vips_args=("$operation" "$work/big.v" "$work/out.v" ${argument:+"$argument"}) ;;
    esac
    theirs_time=$(best vips "${vips_args[@]}")
    ratio=$(echo "$ours_time $theirs_time" | awk '{printf "%.2f", $1 / $2}')
    printf '%-18s %9ss %9ss %8s\n' "$name" "$ours_time" "$theirs_time" "$ratio"
done
