#!/usr/bin/env bash
# Real windows: a trade's chart under Xvfb from its registration to the review. A new
# trade gets its stop-loss chart through the real image file dialog and "登録", picks the
# choice of its first group list from the chart catalogue of that list, is started,
# settled and so closed into the archive; the review then shows the chart again from
# LIST5. The files tell what the diary did; screenshots of the catalogue, the registered
# chart and the chart shown from the review are saved in OUTPUT_FOLDER.
#   charts_test.sh QUILLON OUTPUT_FOLDER FIXTURES CHART_BMP
set -euo pipefail
fixtures=$3
chart_bmp=$4
source "$(dirname "$0")/../support/diary_files.sh"
work=$(mkdir -p "$2/work" && cd "$2/work" && pwd)
if [[ -z "${QUILL_IN_XVFB:-}" ]]; then
  rm -rf "$work"
  mkdir -p "$work/basic" "$work/trades" "$work/images" "$work/catalogue"
  # The sample basic data, its first group list's chart catalogue in the test's folder.
  sed "s|^ 1, 1,\".*\"$| 1, 1,\"$work/catalogue/\"|" "$fixtures/sample_basic_data.txt" | sj >"$work/basic/基本データ.TXT"
  kankyo "$work/basic/" "$work/trades/" >"$work/KANKYO.TXT"
  "$chart_bmp" 1200 800 "$work/images/chart.bmp"
  "$chart_bmp" 300 200 "$work/catalogue/up.bmp"
  "$chart_bmp" 200 300 "$work/catalogue/down.bmp"
fi
demo_cwd=$work
xvfb_screen=1600x900
source "$(dirname "$0")/../../support/xvfb_demo.sh"
# shellcheck source=window_helpers.sh
source "$(dirname "$0")/window_helpers.sh"
trades=$work/trades

# The viewer stands at the screen's corner; the picture is 25 below its client top, inside
# a one-pixel border (as in viewer_test.sh).
expect_chart() {
  local got
  got=$(colour "$1" $((4 + 1 + $2)) $((23 + 25 + 1 + $3)))
  [[ $got == "$4" ]] || fail "$5: the picture's pixel ($2, $3) on $1.png is $got, expected $4"
}

window QuillFileDialog "取引中データファイルを保存する場所は?" >/dev/null
xdotool key Return
main=$(window PLV0WCMAINFORM)

# --- A new trade and its entry.
click "$main" 30 324 78 30                        # BUTTON50 "新規取引"
answer_yes "確認メッセージ"
trade=$(window PLV0WCFORM3)
enter_price "$trade" 110.50
pick "$trade" 6 36 96 1                           # COMBO2: USD/JPY
pick "$trade" 108 36 72 2                         # COMBO3: 買い
pick "$trade" 192 36 108 2                        # COMBO4: ５分足
click "$trade" 912 12 150 24                      # BUTTON32 "エントリー 日時確定"

# --- The stop-loss chart through the real file dialog, registered.
click "$trade" 792 36 90 24                       # BUTTON6 "ＣＧ参照"
window QuillFileDialog "ロードするＣＧファイルの選択" >/dev/null
xdotool key ctrl+a
xdotool type --delay 20 "$work/images/chart.bmp"
xdotool key Return
viewer=$(window PLV0WCFORM2 "表示中の画像「chart.bmp」")
shot registering
# The first layout fits the chart to the 248 rows of the area before it: 372 x 248,
# centred at (14, 13).
expect_chart registering 14 13 000040 "the chart to register"
click "$viewer" 330 0 48 24                       # BUTTON2 "登録"
wait_until hidden PLV0WCFORM2 || fail "the viewer stayed open after 登録"
cmp -s "$work/images/chart.bmp" "$trades/FXCG/chart.bmp" || fail "the chart was not copied into the chart folder"

# --- The catalogue of the first group list ("★方向"): its combo box's own list opened and
# its shown item taken again (a pick that changes nothing is the click) opens the
# catalogue on the first picture; "→" goes to the second, "登録" chooses it.
xdotool mousemove --window "$trade" 5 5
before=$(menus)
click "$trade" 12 126 108 24                      # COMBO10
wait_until test "$(menus)" -gt "$before" || fail "the first group list opened no list"
xdotool key Return
viewer=$(window PLV0WCFORM2 "表示中の画像「down.bmp」")
shot catalogue
click "$viewer" 204 0 24 24                       # BUTTON5 "→"
window PLV0WCFORM2 "表示中の画像「up.bmp」" >/dev/null
shot catalogue_next
click "$viewer" 228 0 48 24                       # BUTTON2 "登録"
wait_until hidden PLV0WCFORM2 || fail "the catalogue stayed open after 登録"

# --- Started, then settled: the trade goes into the archive.
click "$trade" 936 444 78 30                      # BUTTON12 "取引開始"
answer_yes "確認メッセージ"
wait_until hidden PLV0WCFORM3 || fail "the trade window stayed open after the start"
entry=$(record "$trades/取引中データ.TXT" 1)
has_line "$entry" "0300_損切り価格,chart.bmp" "the started trade"
grep -E '^2_下降,"[0-9/_:]+"$' <<<"$entry" >/dev/null || fail "the catalogue's choice was not recorded:"$'\n'"$entry"
main=$(window PLV0WCMAINFORM)
click "$main" 12 116 810 14                       # LIST1, line 1
trade=$(window PLV0WCFORM3)
enter_price "$trade" 111.25
click "$trade" 912 12 150 24                      # BUTTON32 "決済 日時確定"
click "$trade" 936 444 78 30                      # BUTTON12 "決済"
answer_yes "確認メッセージ"
wait_until hidden PLV0WCFORM3 || fail "the trade window stayed open after the settlement"
has_line "$(record "$trades/整理データ.TXT" 1)" "0300_損切り価格,chart.bmp" "the archived entry"

# --- The review: the entry's chart list, its line "損切り" shown in the viewer.
main=$(window PLV0WCMAINFORM)
click "$main" 468 324 168 30                      # BUTTON21 "整理データの表示"
review=$(window PLV0WCFORM5)
xdotool mousemove --window "$review" 456 40 click 1   # LIST2, line 1
sleep 0.5
xdotool mousemove --window "$review" 675 143 click 1  # LIST5, line 1 "損切り"

viewer=$(window PLV0WCFORM2 "表示中の画像「chart.bmp」")
shot review_chart
# Fitted now to the 275 rows of the viewer's last layout, the chart (412 x 275) is wider
# than the 400-pixel area and gets both bars: it starts at the picture's corner.
expect_chart review_chart 0 0 000040 "the chart from the review"
click "$viewer" 330 0 48 24                       # BUTTON31 "終了" in the review layout
wait_until hidden PLV0WCFORM2 || fail "the viewer stayed open after 終了"
shot review_after

kill "$pid"
wait "$pid" || true
trap - EXIT
echo "PASS: screenshots in $out (registering, catalogue, catalogue_next, review_chart, review_after)"
