#!/usr/bin/env bash
# Real windows: the chart viewer opened from a new trade's stop-loss chart button under
# Xvfb. The image file dialog takes a typed path; the viewer fits the 1200 x 800 chart to
# its height, then "等倍" shows it pixel for pixel; the horizontal bar's arrow steps it,
# a drag with the mouse moves it on; the trade window covers the viewer and is moved
# away again, and the picture is drawn as it was. The pixels of the screenshots are read
# back: the chart's pixel (x, y) is red x % 256, green y % 256, blue 0x40. Screenshots of
# every step are saved in OUTPUT_FOLDER.
#   viewer_test.sh QUILLON OUTPUT_FOLDER QUILLON_DATA CHART_BMP
set -euo pipefail
data_tool=$3
chart_bmp=$4
source "$(dirname "$0")/../support/diary_files.sh"
work=$(mkdir -p "$2/work" && cd "$2/work" && pwd)
if [[ -z "${QUILL_IN_XVFB:-}" ]]; then
  rm -rf "$work"
  mkdir -p "$work/basic" "$work/trades" "$work/images"
  "$data_tool" defaults "$work/basic/基本データ.TXT"
  kankyo "$work/basic/" "$work/trades/" >"$work/KANKYO.TXT"
  "$chart_bmp" 1200 800 "$work/images/chart.bmp"
fi
demo_cwd=$work
xvfb_screen=1400x900
source "$(dirname "$0")/../../support/xvfb_demo.sh"
# shellcheck source=window_helpers.sh
source "$(dirname "$0")/window_helpers.sh"

# The viewer stands at the screen's corner: its client area starts at the sizing frame
# (4) and the caption (19), the picture 25 below the client top at its layout place.
client_x=4
client_y=23
# expect_chart SHOT X Y RRGGBB WHAT: the picture's pixel (X, Y) on the screenshot, inside
# the picture box's one-pixel border.
expect_chart() {
  local got
  got=$(colour "$1" $((client_x + 1 + $2)) $((client_y + 25 + 1 + $3)))
  [[ $got == "$4" ]] || fail "$5: the picture's pixel ($2, $3) on $1.png is $got, expected $4"
}

# --- The trade window, and the stop-loss chart button with the image file dialog.
window QuillFileDialog "取引中データファイルを保存する場所は?" >/dev/null
xdotool key Return
main=$(window PLV0WCMAINFORM)
click "$main" 30 324 78 30                        # BUTTON50 "新規取引"
answer_yes "確認メッセージ"
trade=$(window PLV0WCFORM3)
click "$trade" 792 36 90 24                       # BUTTON6 "ＣＧ参照"
window QuillFileDialog "ロードするＣＧファイルの選択" >/dev/null
xdotool key ctrl+a
xdotool type --delay 20 "$work/images/chart.bmp"
xdotool key Return
viewer=$(window PLV0WCFORM2 "表示中の画像「chart.bmp」")
shot viewer_fit
# Fitted to the height of the area the viewer had before this first layout (300 - 27 -
# 25 = 248 rows): 372 x 248, centred in the 400 x 275 area at (14, 13). Its corner pixel
# is the chart's first.
expect_chart viewer_fit 14 13 000040 "fit to height"

# --- "等倍": the combo box one entry up.
xdotool mousemove --window "$viewer" 5 5
before=$(menus)
click "$viewer" 6 0 96 24                         # COMBO1
wait_until test "$(menus)" -gt "$before" || fail "the scale choice opened no list"
xdotool key Up Return
wait_until test "$(menus)" -eq "$before" || fail "the scale choice's list stayed open"
shot viewer_actual_size
for p in "0 0 000040" "10 20 0A1440" "300 200 2CC840"; do
  read -r x y rgb <<<"$p"
  expect_chart viewer_actual_size "$x" "$y" "$rgb" "等倍"
done

# --- The horizontal bar's right arrow, five times: the outer 408 x 327 viewer has a
# 384 x 259 picture and the bar below it at client y 284, 384 wide, its range 1200 - 384
# = 816, one pixel a step.
for _ in 1 2 3 4 5; do
  click "$viewer" 368 284 16 16
  sleep 0.1
done
shot viewer_scrolled
expect_chart viewer_scrolled 0 0 050040 "after five steps of the bar"

# --- A drag from (200, 150) to (160, 100) in the picture moves the view 40 right and 50
# down (the image follows the pointer).
# The window xdotool names is the client area; the picture starts 25 below its top.
xdotool mousemove --window "$viewer" 200 $((150 + 25)) mousedown 1
for step in 1 2 3 4; do
  xdotool mousemove --window "$viewer" $((200 - 10 * step)) $((150 - 12 * step - (step == 4 ? 2 : 0) + 25))
  sleep 0.1
done
xdotool mouseup 1
shot viewer_dragged
expect_chart viewer_dragged 0 0 2D3240 "after the drag"

# --- Covered by the trade window and uncovered: the picture comes back as it was.
xdotool windowmove "$trade" 100 60
xdotool windowraise "$trade"
shot viewer_covered
[[ $(colour viewer_covered $((client_x + 150)) $((client_y + 25 + 100))) != "$(colour viewer_dragged $((client_x + 150)) $((client_y + 25 + 100)))" ]] ||
  fail "the trade window did not cover the viewer"
xdotool windowmove "$trade" 420 340
shot viewer_uncovered
for p in "0 0 2D3240" "150 100 C39640" "381 256 AA3240"; do
  read -r x y rgb <<<"$p"
  expect_chart viewer_uncovered "$x" "$y" "$rgb" "uncovered"
done

# --- "終了" hides the viewer and gives the trade window its buttons back.
click "$viewer" 216 0 48 24                       # BUTTON31 "終了"
wait_until hidden PLV0WCFORM2 || fail "the viewer stayed open after 終了"
shot trade_after_viewer

kill "$pid"
wait "$pid" || true
trap - EXIT
echo "PASS: screenshots in $out (viewer_fit, viewer_actual_size, viewer_scrolled, viewer_dragged, viewer_covered, viewer_uncovered, trade_after_viewer)"
