#!/usr/bin/env bash
# Side by side: one photo-to-shot conversion (decode, squeeze to 128 x 112, grey, 4-level
# ordered dither, write BMP) by the converter, by ImageMagick and by GraphicsMagick, for a
# 4096 x 3072 and a 640 x 480 photograph. Each command runs RUNS times as a whole process after
# one warm-up; the median wall time is printed in milliseconds. On a busy machine read the
# ratios more than the times.
#   bench/compare_convert.sh [build folder]     (default build/release; RUNS=15 by default)
# Needs: apt-get install -y imagemagick graphicsmagick
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/release}"
runs="${RUNS:-15}"
ours="$build/bench/camvista_convert_once"
# Full paths: a "convert" earlier on PATH may be something else.
if [[ -x /usr/bin/magick ]]; then im=(/usr/bin/magick); else im=(/usr/bin/convert-im6.q16); fi
gm=(/usr/bin/gm convert)
for tool in "$ours" "${im[0]}" "${gm[0]}"; do
  [[ -x "$tool" ]] || { echo "missing: $tool" >&2; exit 1; }
done

# A memory disk where there is one: the converter's writer syncs every file it writes to disk,
# the other tools do not, and the sync would be timed instead of the work.
if [[ -d /dev/shm && -w /dev/shm ]]; then work="$(mktemp -d -p /dev/shm)"; else work="$(mktemp -d)"; fi
trap 'rm -rf "$work"' EXIT

# Photograph-like test pictures: a smooth plasma with fine noise, saved as JPEG.
"${im[@]}" -size 1024x768 -seed 12 plasma:fractal -attenuate 0.3 +noise Gaussian \
  -resize '4096x3072!' -quality 90 "$work/large.jpg"
"${im[@]}" "$work/large.jpg" -resize '640x480!' -quality 90 "$work/small.jpg"

median_ms() { # command... ; prints the median wall time of $runs runs in ms
  local times=() start end
  "$@" >/dev/null 2>&1
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    times+=($(((end - start) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]/1000}'
}

# The other tools twice: decoding the whole photograph, and with their shrink-on-load hint
# (the JPEG decoder's own scaling to no less than twice 128 x 112), as the converter does.
printf '%-11s %10s %12s %12s %12s %12s\n' picture converter ImageMagick "IM shrunk" \
  GraphicsMagick "GM shrunk"
for name in large small; do
  in="$work/$name.jpg"
  a=$(median_ms "$ours" "$in" "$work/ours.bmp")
  im_args=("$in" -resize '128x112!' -colorspace Gray -ordered-dither o4x4,4 "BMP3:$work/im.bmp")
  b=$(median_ms "${im[@]}" "${im_args[@]}")
  b2=$(median_ms "${im[@]}" -define jpeg:size=256x224 "${im_args[@]}")
  # GraphicsMagick's ordered dither gives two levels per channel; it is the nearest it has.
  gm_args=("$in" -resize '128x112!' -colorspace Gray -ordered-dither intensity 4x4
    "BMP3:$work/gm.bmp")
  c=$(median_ms "${gm[@]}" "${gm_args[@]}")
  c2=$(median_ms "${gm[@]}" -size 256x224 "${gm_args[@]}")
  size=$("${im[@]}" "$in" -format '%wx%h' info:)
  printf '%-11s %7s ms %9s ms %9s ms %9s ms %9s ms\n' "$size" "$a" "$b" "$b2" "$c" "$c2"
done
