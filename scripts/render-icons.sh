#!/usr/bin/env bash
# Renders the application icon's PNG sizes from its SVG (run after editing the SVG; the PNGs
# are committed so that building needs no SVG renderer).
set -euo pipefail
cd "$(dirname "$0")/../desktop/icons"
for size in 16 22 24 32 48 64 128 256 512; do
  rsvg-convert -w "$size" -h "$size" pictorane.svg -o "pictorane-$size.png"
done
