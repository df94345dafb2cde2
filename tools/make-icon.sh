#!/usr/bin/env bash
# Regenerates resources/QMQN_VerUpTool.ico from resources/QMQN_VerUpTool.svg:
# one image per size (16, 20, 24, 32, 48, 256 px), each rendered from the
# drawing at that size. Needs rsvg-convert (librsvg2-bin) and ImageMagick.
# The build uses the committed .ico; run this after changing the drawing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
res="$here/../resources"
for tool in rsvg-convert convert; do
  command -v "$tool" >/dev/null || { echo "make-icon: $tool is missing (apt-get install librsvg2-bin imagemagick)" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pngs=()
for size in 16 20 24 32 48 256; do
  rsvg-convert -w "$size" -h "$size" "$res/QMQN_VerUpTool.svg" -o "$work/$size.png"
  pngs+=("$work/$size.png")
done
# 32-bit images with alpha; the 256 px one stays PNG-compressed inside the icon.
convert "${pngs[@]}" -strip -define png:exclude-chunks=date,time "$res/QMQN_VerUpTool.ico"
identify "$res/QMQN_VerUpTool.ico"
