#!/usr/bin/env bash
# Files made by libjpeg-turbo's own command-line encoder (restart intervals, progressive
# scans, every sampling the decoder takes) convert with jpeg2bmp to the same picture that
# libjpeg-turbo's djpeg gives: PSNR at least 40 dB.
#   cjpeg_files_test.sh JPEG2BMP WORK_FOLDER
set -euo pipefail
jpeg2bmp=$1
work=$2
for tool in cjpeg djpeg compare convert; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (libjpeg-turbo-progs, imagemagick)"; exit 1; }
done
mkdir -p "$work"
cd "$work"
convert -size 203x117 gradient:navy-orange -fill white -draw "circle 100,58 100,20" \
        -fill black -draw "line 0,0 202,116" source.ppm
convert source.ppm -colorspace Gray -depth 8 source.pgm

status=0
check() {
  local name=$1 input=$2
  shift 2
  cjpeg "$@" -outfile "$name.jpg" "$input"
  "$jpeg2bmp" "$name.jpg" "$name.ours.bmp"
  djpeg -bmp -outfile "$name.ref.bmp" "$name.jpg"
  local psnr
  psnr=$(compare -metric PSNR "$name.ours.bmp" "$name.ref.bmp" null: 2>&1 || true)
  if [[ "$psnr" == inf* ]] || awk -v p="$psnr" 'BEGIN { exit !(p + 0 >= 40) }'; then
    echo "ok   $name  PSNR $psnr"
  else
    echo "FAIL $name  PSNR $psnr"
    status=1
  fi
}
check baseline_2x2 source.ppm -quality 85 -sample 2x2
check baseline_2x1 source.ppm -quality 85 -sample 2x1
check baseline_1x1 source.ppm -quality 85 -sample 1x1
check restart_rows source.ppm -quality 75 -restart 1
check restart_blocks source.ppm -quality 75 -restart 3B -sample 2x1
check progressive source.ppm -quality 80 -progressive
check progressive_restart source.ppm -quality 80 -progressive -restart 2B -sample 1x1
check grey source.pgm -quality 90
check grey_progressive source.pgm -quality 90 -progressive -restart 1
exit $status
