#!/usr/bin/env bash
# Whole-process timing of the command-line dump beside a shell loop of ImageMagick writing the
# same thirty 128 x 112 BMP files. Both start from a fresh, empty output folder on every run;
# ImageMagick gets the photos already decoded, as raw 8-bit grey pixels, so the loop does less
# work than the dump (no save to read, no tiles to decode).
#   bench/compare_dump.sh [build folder]     (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/release}"
dump="$build/app/VUDaviziDump/VUDaviziDump"
make_save="$build/bench/camvista_make_sample_save"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$make_save" "$work"
# The loop writes 24-bit BMP files like the dump's.
loop='rm -rf "$1/im" && mkdir "$1/im" && for f in "$1"/gray/*.gray; do n=$(basename "$f" .gray);'
loop+=' convert -size 128x112 -depth 8 "gray:$f" -type TrueColor "BMP3:$1/im/camera-$n.bmp"; done'
ours='rm -rf "$1/ours" && mkdir "$1/ours" && exec "$2" "$1/camera.sav" --out "$1/ours" >/dev/null'

# One run of each first, to see that both write the same thirty pictures.
sh -c "$ours" sh "$work" "$(realpath "$dump")"
sh -c "$loop" sh "$work"
for f in "$work"/im/*.bmp; do
  n="$(basename "$f")"
  if ! compare -metric AE "$f" "$work/ours/$n" null: 2>/dev/null; then
    echo "the pictures differ: $n" >&2
    exit 1
  fi
done
echo "both write the same $(ls "$work/ours" | wc -l) pictures"

farm-bench -n 10 --timeout 600 --vs "sh -c '$loop' sh $work" -- \
  sh -c "$ours" sh "$work" "$(realpath "$dump")"
