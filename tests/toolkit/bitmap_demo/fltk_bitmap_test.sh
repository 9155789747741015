#!/usr/bin/env bash
# Real windows: the bitmap demo on the FLTK backend under Xvfb. A 1000 x 500 chart is
# stretched into 400 x 200 of a picture box; a second form is opened over it and closed
# again. Screenshots before, while covered and after; the picture's rectangle must be the
# same pixel for pixel before and after, and must have been covered in between.
#   fltk_bitmap_test.sh DEMO_PROGRAM OUTPUT_FOLDER
set -euo pipefail
demo_cwd=$(mktemp -d)
source "$(dirname "$0")/../../support/xvfb_demo.sh"
command -v compare >/dev/null || fail "compare is not installed (imagemagick)"

wid=$(timeout 20 xdotool search --sync --classname PLV0WCMAINFORM | head -1)
[[ -n "$wid" ]] || fail "no window of class PLV0WCMAINFORM appeared"
wait_for "ready"
read -r _ px py pw ph < <(grep '^picture ' "$log")
crop="${pw}x${ph}+${px}+${py}"
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

sleep 0.5  # the first frame drawn
import -window root "$out/before.png"
click "$wid" 50 274                           # BUTTON1 "覆う"
wait_for "covered"
cid=$(timeout 20 xdotool search --sync --classname PLV0WCCOVERFORM | head -1)
[[ -n "$cid" ]] || fail "no window of class PLV0WCCOVERFORM appeared"
sleep 0.5
import -window root "$out/covered.png"
click "$cid" 60 34                            # BUTTON3 "戻る"
wait_for "uncovered"
sleep 0.5
import -window root "$out/after.png"

for shot in before covered after; do
  convert "$out/$shot.png" -crop "$crop" +repage "$out/$shot-picture.png"
done
# AE: the number of pixels that differ.
same=$(compare -metric AE "$out/before-picture.png" "$out/after-picture.png" null: 2>&1 || true)
covered=$(compare -metric AE "$out/before-picture.png" "$out/covered-picture.png" null: 2>&1 || true)
echo "pixels that differ in $crop: before/after $same, before/covered $covered"
[[ "$same" == "0" ]] || fail "the picture changed after it was covered and uncovered ($same pixels)"
[[ "$covered" =~ ^[0-9]+$ && "$covered" -gt 40000 ]] || fail "the cover did not hide the picture ($covered pixels)"

click "$wid" 140 274                          # BUTTON2 "終了"
wait $pid || fail "the demo ended with status $?"
trap - EXIT
rm -rf "$demo_cwd"
echo "PASS: screenshots in $out"
