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

# A screenshot and its crop to the picture's rectangle.
shot() {
  import -window root "$out/$1.png"
  convert "$out/$1.png" -crop "$crop" +repage "$out/$1-picture.png"
}
# AE: the number of pixels that differ between two crops.
differ() { compare -metric AE "$out/$1-picture.png" "$out/$2-picture.png" null: 2>&1 || true; }
# Takes screenshot $1 until `$2` holds (polling, not a fixed wait), at most 5 seconds.
shot_until() {
  for _ in $(seq 1 50); do
    shot "$1"
    eval "$2" && return 0
    sleep 0.1
  done
  return 1
}

# Drawn: the chart's top-left pixel is a black grid line.
shot_until before '[[ $(convert "$out/before-picture.png" -format "%[hex:p{0,0}]" info:) == 000000* ]]' ||
  fail "the chart never showed in the picture"
click "$wid" 50 274                           # BUTTON1 "覆う"
wait_for "covered"
cid=$(timeout 20 xdotool search --sync --classname PLV0WCCOVERFORM | head -1)
[[ -n "$cid" ]] || fail "no window of class PLV0WCCOVERFORM appeared"
shot_until covered '[[ $(differ before covered) -gt 40000 ]]' || fail "the cover did not hide the picture"
click "$cid" 60 34                            # BUTTON3 "戻る"
wait_for "uncovered"
# Shown again; a picture that lost its drawing would stay white or grey here.
shot_until after '[[ $(differ before after) == 0 ]]' || true
same=$(differ before after)
covered=$(differ before covered)
echo "pixels that differ in $crop: before/after $same, before/covered $covered"
[[ "$same" == "0" ]] || fail "the picture changed after it was covered and uncovered ($same pixels)"

click "$wid" 140 274                          # BUTTON2 "終了"
wait $pid || fail "the demo ended with status $?"
trap - EXIT
rm -rf "$demo_cwd"
echo "PASS: screenshots in $out"
