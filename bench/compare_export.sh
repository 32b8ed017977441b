#!/usr/bin/env bash
# Whole-process timing of `camvista --export` over 1,000 distinct shots beside a shell loop of
# ImageMagick and one of GraphicsMagick doing the same work per file: default frame 3 laid over
# the shot, the Game Boy Pocket colours, 4x nearest neighbour, PNG. Then the peak memory of one
# export of 10,000 shots. Every run writes into a fresh folder. Needs imagemagick and
# graphicsmagick (Debian packages) and GNU time.
#   bench/compare_export.sh [build folder] [runs]      (default build/release, 5)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/release}"
runs="${2:-5}"
app="$(realpath "$build/app/camvista")"
frame="$(realpath "$build/app/frames/default/3.gif")"
make_shots="$build/bench/camvista_make_export_shots"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$make_shots" "$work/shots" 1000

# The colours the export writes: the Pocket palette through the fourth step's table at its
# neutral point, which lifts odd values by one.
fill="-fill 'rgb(196,208,162)' -opaque 'rgb(255,255,255)' -fill 'rgb(78,84,60)'"
fill+=" -opaque 'rgb(128,128,128)' -fill 'rgb(140,150,110)' -opaque 'rgb(192,192,192)'"
fill+=" -fill 'rgb(32,32,32)' -opaque 'rgb(0,0,0)'"
# Each writes into the folder it is given.
cat >"$work/ours.sh" <<SCRIPT
exec "$app" --export --out "\$1" --palette "Game Boy Pocket" --frame 3 --scale 4 \
  "$work"/shots/*.bmp >/dev/null 2>"$work/ours.err"
SCRIPT
cat >"$work/im.sh" <<SCRIPT
for f in "$work"/shots/*.bmp; do
  convert "\$f" "$frame" -composite $fill -scale 400% "PNG:\$1/\$(basename "\$f" .bmp)-4x.png"
done
SCRIPT
cat >"$work/gm.sh" <<SCRIPT
for f in "$work"/shots/*.bmp; do
  gm convert "\$f" -draw "image Over 0,0 0,0 '$frame'" $fill -scale 400% \
    "PNG:\$1/\$(basename "\$f" .bmp)-4x.png"
done
SCRIPT

# One run of each first, to see that all three write the same pictures.
for tool in ours im gm; do mkdir "$work/$tool" && sh "$work/$tool.sh" "$work/$tool"; done
for n in shot00000 shot00123 shot00999; do
  for tool in im gm; do
    if [ "$(compare -metric AE "$work/ours/$n-4x.png" "$work/$tool/$n-4x.png" null: 2>&1)" != 0 ]
    then
      echo "the pictures differ: $tool/$n-4x.png" >&2
      exit 1
    fi
  done
done
echo "all three write the same $(ls "$work/ours" | wc -l) pictures"
echo "bytes of the 1,000 files: camvista $(du -cb "$work"/ours/*.png | tail -1 | cut -f1)," \
  "ImageMagick $(du -cb "$work"/im/*.png | tail -1 | cut -f1)"

median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
wall() { # tool: the median wall seconds of $runs runs, each into an empty folder
  for _ in $(seq "$runs"); do
    rm -rf "$work/$1" && mkdir "$work/$1"
    if ! /usr/bin/time -f '%e' -o "$work/time" sh "$work/$1.sh" "$work/$1"; then
      echo "$1 failed: $(tail -3 "$work/time"; tail -3 "$work/ours.err" 2>/dev/null)" >&2
      exit 1
    fi
    cat "$work/time"
  done | median
}
ours="$(wall ours)"
im="$(wall im)"
gm="$(wall gm)"
echo "median wall seconds for 1,000 shots: camvista $ours, ImageMagick $im, GraphicsMagick $gm"
awk -v a="$ours" -v b="$im" -v c="$gm" 'BEGIN {
  printf "camvista exports %.1f times as fast as the ImageMagick loop, %.1f times the GraphicsMagick one\n", b / a, c / a }'

# Peak memory of one export of 10,000 shots: the work streams, no picture is kept.
"$make_shots" "$work/many" 10000
mkdir "$work/many-out"
/usr/bin/time -v "$app" --export --out "$work/many-out" --palette "Game Boy Pocket" --frame 3 \
  "$work"/many/*.bmp 2>&1 >/dev/null | grep -E 'Maximum resident|Elapsed'
