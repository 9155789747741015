#!/usr/bin/env bash
# The charts of trades end to end on the headless backend: the chart catalogue of a choice
# list, a closed trade's charts shown from the review and exported under readable names,
# a chart registered on a trade that is then started, a chart registered on the
# orientation memo of a closed trade, and chart names from hand-edited trade files that
# would reach outside the chart folder. Checked by the controls and the files left behind.
#   charts_test.sh QUILLON CHART_BMP BMP2JPEG FIXTURES OUTPUT_FOLDER
set -euo pipefail
quillon=$1
chart_bmp=$2
bmp2jpeg=$3
fixtures=$4
out=$5
rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)

# shellcheck source-path=SCRIPTDIR source=headless_helpers.sh
source "$(dirname "$0")/headless_helpers.sh"

export XDG_RUNTIME_DIR=$out/tmp TMPDIR=$out/tmp
mkdir -p "$XDG_RUNTIME_DIR"

inprogress=取引中データ.TXT
archive=整理データ.TXT

# The images. Each has its own width, so that the picture box tells which one is shown
# (a picture smaller than the area is shown at its own size).
img=$out/images
mkdir -p "$img/cat3" "$img/empty" "$img/other"
"$chart_bmp" 30 20 "$img/cat3/a.bmp"
"$chart_bmp" 40 20 "$img/cat3/b.bmp"
"$chart_bmp" 50 20 "$img/cat3/c.bmp"
"$chart_bmp" 60 20 "$img/other/s.bmp"
"$chart_bmp" 70 20 "$out/c.bmp"
"$bmp2jpeg" "$out/c.bmp" "$img/other/c.jpg" 90
# A text file is no image: the empty catalogue folder holds only this.
echo "not an image" >"$img/empty/readme.txt"

# charts_folder NAME [BASIC]: a fresh working folder ($w) with the basic data BASIC
# (UTF-8 on stdin of sj, the sample basic data when none).
charts_folder() {
  w=$(fresh "$1")
  sj <"${2:-$fixtures/sample_basic_data.txt}" >"$w/basic/基本データ.TXT"
  kankyo "$w/basic/" "$w/trades/" >"$w/KANKYO.TXT"
}
begin() { echo 'answer file "取引中データ.TXT" "取引中データファイルを保存する場所は?"'; }
new_trade() {
  echo 'answer msgbox yes "確認メッセージ" "本当に新規に取引を開始しますか？"'
  echo 'click MAINFORM.BUTTON50'
}
end_run() { echo 'close MAINFORM'; }
# register SLOT PATH: the slot's button, the image file dialog answered, "登録".
register() {
  printf 'answer file "%s" "ロードするＣＧファイルの選択"\nclick %s\nclick FORM2.BUTTON2\n' "$2" "$1"
}
shown() { printf 'expect FORM2 text "表示中の画像「%s」"\n' "$1"; }
width() { echo "expect FORM2.PICTURE1 width $1"; }
refused() {
  printf 'answer msgbox ok "チャートＣＧエラー" "チャートＣＧのファイル名「%s」は使えません。\\nフォルダを含まないファイル名にして下さい。"\n' "$1"
}
missing() {
  printf 'answer msgbox ok "チャートＣＧエラー" "登録されたチャートＣＧのファイル「%s」が見つかりません"\n' "$1"
}
# same FILE COPY: the copy holds the file's bytes.
same() { cmp -s "$1" "$2" || fail "$3: $2 is not a copy of $1"; }

# --- The catalogue. Group 1's first list ("方向") gets five choices and a folder of three
# images; its second list ("MIDDLE", one choice) a folder without images; option 2 (two
# choices) the folder of three images.
catalogue_basic=$out/catalogue_basic.txt
awk -v cat3="$img/cat3/" -v empty="$img/empty/" '
  /^0300_ＣＧ選択肢CGO/ { print; print " 2,\"" cat3 "\""; option = 1; next }
  option && /^ 2,/ { option = 0; next }
  /^0300_ＣＧ選択肢CGG/ { print "0300_ＣＧ選択肢CGG, 2"; print " 1, 1,\"" cat3 "\""; print " 2, 1,\"" empty "\""; skip = 1; next }
  skip && /^ 1, 1,/ { next }
  /^0300_グループ０１－１/ { print "0300_グループ０１－１, 5"; print "項目名,方向"; print "上昇"; print "下降"; print "横ばい"; print "急騰"; print "急落"; drop = 1; next }
  drop && /^'"'"'/ { drop = 0 }
  drop { next }
  { skip = 0; print }
' "$fixtures/sample_basic_data.txt" >"$catalogue_basic"
grep -q '急落' "$catalogue_basic" || fail "catalogue: the basic data fixture was not made"
charts_folder catalogue "$catalogue_basic"
run_diary "$w" <<SCRIPT || fail "catalogue: exit status $?"
$(begin)
$(new_trade)
click FORM3.COMBO10
expect FORM2 visible 1
expect FORM3 enabled 0
expect FORM2.COMBO44 visible 1
expect FORM2.BUTTON2 visible 1
expect FORM2.BUTTON7 visible 0
expect FORM2.BUTTON31 visible 0
expect FORM2.COMBO44 count 4
expect FORM2.COMBO44 item 0 "未設定"
expect FORM2.COMBO44 item 1 "上昇"
expect FORM2.COMBO44 item 3 "横ばい"
expect FORM2.COMBO44 selected 1
$(shown a.bmp)
$(width 30)
click FORM2.BUTTON5
$(shown b.bmp)
expect FORM2.COMBO44 selected 2
pick FORM2.COMBO44 3
$(shown c.bmp)
$(width 50)
pick FORM2.COMBO44 1
$(shown a.bmp)
clock 2026/03/05 09:45:30
click FORM2.BUTTON2
expect FORM2 visible 0
expect FORM3 enabled 1
expect FORM3.COMBO10 selected 1
# Opened again on the choice made: its picture; ← from the first wraps to the last.
click FORM3.COMBO10
expect FORM2.COMBO44 selected 1
$(shown a.bmp)
click FORM2.BUTTON4
$(shown c.bmp)
expect FORM2.COMBO44 selected 3
# Entry 0 clears the choice and leaves the catalogue open; "登録" then takes the picture.
pick FORM2.COMBO44 0
expect FORM3.COMBO10 selected 0
expect FORM2 visible 1
clock 2026/03/05 09:50:00
click FORM2.BUTTON2
expect FORM3.COMBO10 selected 3
# The folder without images: the catalogue closes at once and the choice is reset.
pick FORM3.COMBO11 1
click FORM3.COMBO11
expect FORM2 visible 0
expect FORM3 enabled 1
expect FORM3.COMBO11 selected 0
expect FORM2.COMBO44 visible 0
expect FORM2.BUTTON31 visible 1
# A list without a chart folder opens nothing.
click FORM3.COMBO4
expect FORM2 visible 0
# Option 2: three images for two choices offer two entries; the third image pictures no
# choice, and "登録" on it keeps the choice made before.
click FORM3.BUTTON24
expect FORM6 visible 1
click FORM6.COMBO6
expect FORM2 visible 1
expect FORM6 enabled 0
expect FORM2.COMBO44 count 3
expect FORM2.COMBO44 item 2 "ロンドン"
click FORM2.BUTTON5
click FORM2.BUTTON2
expect FORM6 enabled 1
expect FORM6.COMBO6 selected 2
click FORM6.COMBO6
expect FORM2.COMBO44 selected 2
click FORM2.BUTTON5
$(shown c.bmp)
click FORM2.BUTTON2
expect FORM2 visible 0
expect FORM6.COMBO6 selected 2
click FORM3.BUTTON13
$(end_run)
SCRIPT
utf8 "$w/trades/$inprogress" | grep -A1 -Fx "0300_グループ０１－１,方向" | grep -Fx '3_横ばい,"2026/03/05_09:50:00"' >/dev/null ||
  fail "catalogue: the held trade does not record choice 3 with the time it was chosen"
utf8 "$w/trades/$inprogress" | grep -A1 "^0300_グループ０１－２," | grep -Fx '0_未設定,""' >/dev/null ||
  fail "catalogue: the empty catalogue did not reset the second list's choice"

# --- A chart registered before the trade is started is named by the started trade.
charts_folder started
run_diary "$w" <<SCRIPT || fail "started: exit status $?"
$(begin)
$(new_trade)
pick FORM3.COMBO2 "USD/JPY"
pick FORM3.COMBO3 "買い"
pick FORM3.COMBO4 "５分足"
click FORM3.TEXT53
type FORM7.EDIT13 110.50
click FORM7.BUTTON53
click FORM3.BUTTON32
$(register FORM3.BUTTON6 "$img/other/s.bmp")
expect FORM3.BUTTON6 text "参照済"
answer msgbox yes "確認メッセージ" "本当に取引を開始しますか？"
click FORM3.BUTTON12
$(end_run)
SCRIPT
has_line "$w/trades/$inprogress" "0300_取引状況, 0" || fail "started: the trade was not started"
has_line "$w/trades/$inprogress" "0300_損切り価格,s.bmp" || fail "started: the started trade does not name s.bmp"
same "$img/other/s.bmp" "$w/trades/FXCG/s.bmp" started

# --- The review: trade 5 of the archive carries a stop-loss chart, an option chart whose
# label is "12" and a group chart that is missing from the chart folder.
review_archive=$out/review_archive.txt
awk '
  /^0300_損切り価格,$/ && !stop { print "0300_損切り価格,s.bmp"; stop = 1; next }
  /^0300_オプション１,$/ && !option { print "0300_オプション１,c.jpg"; option = 2; next }
  option == 2 { print "12"; option = 1; next }
  /^0300_グループ０１,$/ && !group { print "0300_グループ０１,gone.bmp"; group = 1; next }
  { print }
' "$fixtures/closed_trades.txt" >"$review_archive"
review_folder() {
  charts_folder "$1"
  sj <"$2" >"$w/trades/$archive"
  mkdir -p "$w/trades/FXCG"
  cp "$img/other/s.bmp" "$img/other/c.jpg" "$w/trades/FXCG/"
}
review_folder review "$review_archive"
mkdir -p "$out/export"
# An earlier export is overwritten without a question.
echo "old" >"$out/export/c 12.jpg"
run_diary "$w" <<SCRIPT || fail "review: exit status $?"
$(begin)
click MAINFORM.BUTTON21
pick FORM5.LIST2 0
expect FORM5.LIST5 count 3
expect FORM5.LIST5 item 0 "損切り"
expect FORM5.LIST5 item 1 "12"
expect FORM5.LIST5 item 2 "トレンド分析"
pick FORM5.LIST5 0
expect FORM2 visible 1
$(shown s.bmp)
$(width 60)
expect FORM2.BUTTON2 visible 0
expect FORM2.BUTTON7 visible 0
expect FORM2.BUTTON31 visible 1
expect FORM2.COMBO44 visible 0
expect FORM5.LIST5 enabled 0
expect FORM5.LIST6 enabled 0
click FORM2.BUTTON5
$(shown c.jpg)
$(width 70)
expect FORM5.LIST5 selected 1
# The missing chart: the load's message, and the image shown before stays.
answer msgbox ok "gone.bmp" "このファイルは存在しません"
click FORM2.BUTTON5
expect FORM5.LIST5 selected 2
$(shown c.jpg)
click FORM2.BUTTON5
$(shown s.bmp)
expect FORM5.LIST5 selected 0
answer msgbox ok "gone.bmp" "このファイルは存在しません"
click FORM2.BUTTON4
$(shown s.bmp)
click FORM2.BUTTON4
expect FORM5.LIST5 selected 1
$(shown c.jpg)
click FORM2.BUTTON31
expect FORM2 visible 0
expect FORM5.LIST5 enabled 1
expect FORM5.LIST6 enabled 1
# A line whose chart is missing opens nothing.
answer msgbox ok "チャートＣＧエラー" "登録されたチャートＣＧのファイルが見つかりません"
pick FORM5.LIST5 2
expect FORM2 visible 0
# The export: ESC copies nothing; a chosen folder gets every chart there is, and the
# missing one is named.
answer file cancel "ＣＧファイルを転送する場所は?"
click FORM5.BUTTON37
answer file "$out/export/DUMMY" "ＣＧファイルを転送する場所は?"
$(missing gone.bmp)
click FORM5.BUTTON37
click FORM5.BUTTON23
$(end_run)
SCRIPT
same "$img/other/s.bmp" "$out/export/s 損切り.bmp" review
same "$img/other/c.jpg" "$out/export/c 12.jpg" review
[[ $(find "$out/export" -type f | wc -l) -eq 2 ]] || fail "review: the export folder holds other files: $(ls "$out/export")"
# A cancelled export has no folder: nothing lands beside the program either.
[[ -z $(find "$w" -maxdepth 1 -name '* *') ]] || fail "review: a cancelled export copied into the working folder"
# The review's viewer changed nothing of the archive.
cmp -s <(sj <"$review_archive") "$w/trades/$archive" || fail "review: the archive was changed"

# --- The orientation memo of a closed trade (trade 6's, whose first memo chart is set)
# takes a second chart: the archive is rewritten with
# that one line changed, the copy in the chart folder made.
charts_folder memo
sj <"$fixtures/closed_trades.txt" >"$w/trades/$archive"
cp "$w/trades/$archive" "$out/memo_before.txt"
run_diary "$w" <<SCRIPT || fail "memo: exit status $?"
$(begin)
click MAINFORM.BUTTON21
pick FORM5.LIST2 1
pick FORM5.LIST3 1
click FORM5.BUTTON49
$(register FORM4.BUTTON16 "$img/other/s.bmp")
expect FORM4.BUTTON16 text "参照済"
expect FORM5.LIST5 enabled 0
expect FORM5.LIST6 enabled 0
click FORM4.BUTTON14
expect FORM5.LIST6 enabled 1
click FORM5.BUTTON23
$(end_run)
SCRIPT
diff <(utf8 "$out/memo_before.txt") <(utf8 "$w/trades/$archive") >"$out/memo.diff" || true
[[ $(grep -c '^[<>]' "$out/memo.diff") -eq 2 ]] && grep -qx '< ' "$out/memo.diff" && grep -qx '> s.bmp' "$out/memo.diff" ||
  fail "memo: the archive changed otherwise than in one memo chart line: $(cat "$out/memo.diff")"
changed=$(head -1 "$out/memo.diff" | sed 's/c.*//')
utf8 "$w/trades/$archive" | sed -n "$((changed - 2))p" | grep -q '^0300_メモ,' ||
  fail "memo: the changed line is not the second memo chart"
same "$img/other/s.bmp" "$w/trades/FXCG/s.bmp" memo

# --- Chart names that would reach outside the chart folder: refused with their message,
# the file outside never shown nor copied.
outside_archive=$out/outside_archive.txt
sed 's|^0300_損切り価格,s.bmp$|0300_損切り価格,../x.bmp|' "$review_archive" >"$outside_archive"
review_folder outside "$outside_archive"
"$chart_bmp" 80 20 "$w/trades/x.bmp"
mkdir -p "$out/export_outside"
run_diary "$w" <<SCRIPT || fail "outside, review: exit status $?"
$(begin)
click MAINFORM.BUTTON21
pick FORM5.LIST2 0
expect FORM5.LIST5 item 0 "損切り"
$(refused ../x.bmp)
pick FORM5.LIST5 0
expect FORM2 visible 0
# Stepping onto it from the next line shows nothing new.
pick FORM5.LIST5 1
$(shown c.jpg)
$(refused ../x.bmp)
click FORM2.BUTTON4
$(shown c.jpg)
click FORM2.BUTTON31
answer file "$out/export_outside/DUMMY" "ＣＧファイルを転送する場所は?"
$(refused ../x.bmp)
$(missing gone.bmp)
click FORM5.BUTTON37
click FORM5.BUTTON23
$(end_run)
SCRIPT
[[ $(ls -A "$out/export_outside") == "c 12.jpg" ]] || fail "outside: the export holds $(ls -A "$out/export_outside")"
[[ ! -e "$out/x 損切り.bmp" ]] || fail "outside: the file outside was exported next to the folder"

# A held trade whose stop-loss chart names "../x.bmp": its button asks nothing and opens
# nothing.
charts_folder outside_trade
run_diary "$w" <<SCRIPT || fail "outside, trade: exit status $?"
$(begin)
$(new_trade)
$(register FORM3.BUTTON6 "$img/other/s.bmp")
click FORM3.BUTTON13
$(end_run)
SCRIPT
utf8 "$w/trades/$inprogress" | sed 's|^0300_損切り価格,s.bmp$|0300_損切り価格,../x.bmp|' | sj >"$out/edited.txt"
mv "$out/edited.txt" "$w/trades/$inprogress"
has_line "$w/trades/$inprogress" "0300_損切り価格,../x.bmp" || fail "outside, trade: the fixture was not edited"
"$chart_bmp" 80 20 "$w/trades/x.bmp"
run_diary "$w" <<SCRIPT || fail "outside, trade, reopened: exit status $?"
$(begin)
pick MAINFORM.LIST1 0
expect FORM3.BUTTON6 text "参照済"
$(refused ../x.bmp)
click FORM3.BUTTON6
expect FORM2 visible 0
expect FORM3.BUTTON30 enabled 1
expect FORM3.BUTTON12 enabled 1
click FORM3.BUTTON13
$(end_run)
SCRIPT

echo "charts headless: all passed"
