#!/usr/bin/env bash
# The chart viewer end to end on the headless backend: charts opened from a new trade's
# stop-loss chart button through the image file dialog, scaled, laid out, scrolled,
# dragged and stepped through their folder, checked by the controls' places, the scroll
# bars' ranges and positions and the pixels of the picture; load failures with their
# messages and no scratch BMP left behind; the scale and the window's size kept in
# KANKYO.TXT; registering and detaching the slot's chart.
#   viewer_test.sh QUILLON CHART_BMP BMP2JPEG FIXTURES OUTPUT_FOLDER
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

# The scratch BMP of the JPEG conversion goes to a folder of the test, looked at after
# every run.
export XDG_RUNTIME_DIR=$out/tmp TMPDIR=$out/tmp
mkdir -p "$XDG_RUNTIME_DIR"
no_scratch_left() { [[ ! -e $XDG_RUNTIME_DIR/DAMMY.BMP ]] || fail "$1: the scratch BMP was left behind"; }

# The image folders: pictures whose pixel (x, y) is red x % 256, green y % 256, blue 0x40.
# The picture box has a one-pixel border: its client area, where the pixels are checked,
# is two pixels smaller than the box.
img=$out/images
mkdir -p "$img/fit" "$img/sizes" "$img/wrap" "$img/bad" "$img/twice"
"$chart_bmp" 1000 600 "$img/fit/big.bmp"
for size in "400 100 exact" "401 100 wider" "385 800 tall" "100 50 small" "5 40 five"; do
  read -r width height name <<<"$size"
  "$chart_bmp" "$width" "$height" "$img/sizes/$name.bmp"
done
# Three images in mixed-case names, sorted a.BMP, B.jpg, c.bmp.
"$chart_bmp" 64 32 "$img/wrap/a.BMP"
"$chart_bmp" 32 64 "$img/wrap/c.bmp"
"$chart_bmp" 48 48 "$out/b.bmp"
"$bmp2jpeg" "$out/b.bmp" "$img/wrap/B.jpg" 90
# A BMP whose extension is written in mixed case, a missing file the folder still lists
# (a link to nothing), a JPEG that is not one.
"$chart_bmp" 20 20 "$img/bad/x.Bmp"
"$chart_bmp" 20 20 "$img/bad/a.bmp"
ln -s "$img/bad/gone.bmp" "$img/bad/b.bmp"
printf '\377\330\377\340 not a JPEG at all' >"$img/bad/c.jpg"
# Two broken JPEGs: a step from one to the other falls back to the first, which fails too.
printf 'garbage' >"$img/twice/a.jpg"
printf '\377\330\377\333 more garbage' >"$img/twice/b.jpg"

viewer_folder() {
  w=$(fresh "$1")
  sj <"$fixtures/sample_basic_data.txt" >"$w/basic/基本データ.TXT"
  kankyo "$w/basic/" "$w/trades/" >"$w/KANKYO.TXT"
}
begin() { echo 'answer file "取引中データ.TXT" "取引中データファイルを保存する場所は?"'; }
new_trade() {
  echo 'answer msgbox yes "確認メッセージ" "本当に新規に取引を開始しますか？"'
  echo 'click MAINFORM.BUTTON50'
}
# open_chart PATH [ANSWER]: the trade's stop-loss chart button, the image file dialog
# answered; ANSWER is the answer line of a message that follows the dialog.
open_chart() {
  printf 'answer file "%s" "ロードするＣＧファイルの選択"\n' "$1"
  if [[ -n ${2:-} ]]; then echo "$2"; fi
  echo 'click FORM3.BUTTON6'
}
close_viewer() { echo 'click FORM2.BUTTON31'; }
# The outer size whose picture area is 400 x 400 (frames 4, caption 23, top bar 25).
area400() { echo 'resize FORM2 408 452'; }
# place CONTROL LEFT TOP WIDTH HEIGHT: a control of the viewer at its place.
place() {
  printf 'expect FORM2.%s left %s\nexpect FORM2.%s top %s\n' "$1" "$2" "$1" "$3"
  printf 'expect FORM2.%s width %s\nexpect FORM2.%s height %s\n' "$1" "$4" "$1" "$5"
}
bars() { printf 'expect FORM2.HSCROLL1 visible %s\nexpect FORM2.VSCROLL1 visible %s\n' "$1" "$2"; }
pixel() { printf 'expect FORM2.PICTURE1 pixel %s %s %s\n' "$1" "$2" "$3"; }
end_run() { echo 'close MAINFORM'; }
# The new trade given up, so that the main window is back to be closed.
end_trade() { echo 'click FORM3.BUTTON20'; end_run; }

# --- The 1000 x 600 chart fitted to the height of a 400 x 400 area: 666 x 400, which
# needs the horizontal bar and then the vertical one beside it. "等倍" then shows the
# image pixel for pixel, scrolled by the bars, the corner button and dragging, which
# stops at both edges.
viewer_folder fit
run_diary "$w" <<SCRIPT || fail "fit: exit status $?"
$(begin)
$(new_trade)
$(open_chart "$img/fit/big.bmp")
expect FORM2 visible 1
expect FORM2 text "表示中の画像「big.bmp」"
expect FORM2.COMBO1 selected 1
expect FORM3.BUTTON12 enabled 0
expect FORM3.BUTTON13 enabled 0
expect FORM3.BUTTON20 enabled 0
expect FORM3.BUTTON30 enabled 0
expect FORM6.BUTTON25 enabled 0
expect FORM4.BUTTON14 enabled 0
expect FORM3.BUTTON6 enabled 1
$(area400)
# Picking the entry shown raises no change: "等倍" first, then the fit again.
pick FORM2.COMBO1 0
pick FORM2.COMBO1 1
$(bars 1 1)
$(place PICTURE1 0 25 384 384)
$(place HSCROLL1 0 409 384 16)
$(place VSCROLL1 384 25 16 384)
$(place BUTTON1 384 409 16 16)
expect FORM2.BUTTON1 visible 1
expect FORM2.BUTTON1 text "┛"
expect FORM2.HSCROLL1 range 0 282
expect FORM2.VSCROLL1 range 0 16
pick FORM2.COMBO1 0
$(place PICTURE1 0 25 384 384)
expect FORM2.HSCROLL1 range 0 616
expect FORM2.VSCROLL1 range 0 216
$(pixel 0 0 000040)
$(pixel 10 20 0A1440)
$(pixel 381 381 7D7D40)
scroll FORM2.HSCROLL1 300
$(pixel 10 20 361440)
scroll FORM2.VSCROLL1 100
$(pixel 10 20 367840)
click FORM2.BUTTON1
expect FORM2.BUTTON1 text "┏"
expect FORM2.HSCROLL1 pos 616
expect FORM2.VSCROLL1 pos 216
$(pixel 0 0 68D840)
$(pixel 381 381 E55540)
click FORM2.BUTTON1
expect FORM2.BUTTON1 text "┛"
expect FORM2.HSCROLL1 pos 0
$(pixel 0 0 000040)
mousedown FORM2.PICTURE1 300 300
mousemove FORM2.PICTURE1 100 150
expect FORM2.HSCROLL1 pos 200
expect FORM2.VSCROLL1 pos 150
$(pixel 0 0 C89640)
mousemove FORM2.PICTURE1 -3000 -3000
expect FORM2.HSCROLL1 pos 616
expect FORM2.VSCROLL1 pos 216
$(pixel 381 381 E55540)
mousemove FORM2.PICTURE1 3000 3000
expect FORM2.HSCROLL1 pos 0
expect FORM2.VSCROLL1 pos 0
$(pixel 0 0 000040)
mousemove FORM2.PICTURE1 2990 2995 2
expect FORM2.HSCROLL1 pos 0
# The right button does not drag.
mouseup FORM2.PICTURE1 2990 2995
# A slot button pressed again while the viewer is open does nothing (no dialog is asked).
click FORM3.BUTTON6
click FORM3.BUTTON6
expect FORM2 visible 1
$(close_viewer)
expect FORM2 visible 0
expect FORM3.BUTTON12 enabled 1
expect FORM3.BUTTON13 enabled 1
expect FORM3.BUTTON30 enabled 1
expect FORM3.BUTTON39 enabled 0
expect FORM6.BUTTON25 enabled 1
expect FORM4.BUTTON14 enabled 1
expect FORM3.BUTTON6 text "ＣＧ参照"
$(end_trade)
SCRIPT
has_line "$w/KANKYO.TXT" "倍率,0" || has_line "$w/KANKYO.TXT" "倍率, 0" || fail "fit: the scale 等倍 was not kept"

# --- The sizes, each opened in a 400 x 400 area: as wide as the area, one pixel wider,
# wider than the area less a bar beside a needed vertical one, a small image centred,
# "×０.１" of a 5-pixel-wide one; the viewer snaps back to its minimum size.
viewer_folder sizes
run_diary "$w" <<SCRIPT || fail "sizes: exit status $?"
$(begin)
$(new_trade)
$(open_chart "$img/sizes/exact.bmp")
$(area400)
pick FORM2.COMBO1 0
$(bars 0 0)
expect FORM2.BUTTON1 visible 0
$(place PICTURE1 0 175 400 100)
$(pixel 397 97 8D6140)
$(close_viewer)
$(open_chart "$img/sizes/wider.bmp")
$(bars 1 0)
$(place PICTURE1 0 167 400 100)
$(place HSCROLL1 0 267 400 16)
expect FORM2.HSCROLL1 range 0 1
scroll FORM2.HSCROLL1 1
$(pixel 397 0 8E0040)
$(close_viewer)
$(open_chart "$img/sizes/tall.bmp")
$(bars 1 1)
expect FORM2.HSCROLL1 range 0 1
expect FORM2.VSCROLL1 range 0 416
$(close_viewer)
$(open_chart "$img/sizes/small.bmp")
pick FORM2.COMBO1 1
$(bars 0 0)
$(place PICTURE1 150 200 100 50)
$(pixel 0 0 000040)
$(pixel 97 47 612F40)
$(close_viewer)
$(open_chart "$img/sizes/five.bmp")
pick FORM2.COMBO1 11
expect FORM2.PICTURE1 width 5
expect FORM2.PICTURE1 height 4
resize FORM2 300 200
expect FORM2 width 400
expect FORM2 height 300
resize FORM2 500 250
expect FORM2 width 500
expect FORM2 height 300
$(close_viewer)
$(end_trade)
SCRIPT
has_line "$w/KANKYO.TXT" "倍率,11" || has_line "$w/KANKYO.TXT" "倍率, 11" || fail "sizes: the scale ×０.１ was not kept"
# The next start shows the scale chosen last.
run_diary "$w" <<SCRIPT || fail "sizes, restarted: exit status $?"
$(begin)
expect FORM2.COMBO1 selected 11
$(end_run)
SCRIPT

# --- The viewer's size, place and scale from KANKYO.TXT: a 600 x 400 client area at
# (10, 20) in "横合わせ"; a small image is centred in that area.
viewer_folder kept
kankyo "$w/basic/" "$w/trades/" | iconv -f CP932 -t UTF-8 | sed -e 's/\r$//' -e '/ＣＧ用ウインドウ/,/倍率/{s/^横サイズ, 400/横サイズ, 600/;s/^縦サイズ, 300/縦サイズ, 400/}' \
  -e '/ＣＧ用ウインドウ/,/倍率/{s/^Ｘ座標位置, 0/Ｘ座標位置, 10/;s/^Ｙ座標位置, 0/Ｙ座標位置, 20/;s/^倍率, 1/倍率, 2/}' | sj >"$w/KANKYO.TXT"
run_diary "$w" <<SCRIPT || fail "kept: exit status $?"
$(begin)
expect FORM2 left 10
expect FORM2 top 20
expect FORM2 width 608
expect FORM2 height 427
expect FORM2.COMBO1 selected 2
$(new_trade)
$(open_chart "$img/sizes/small.bmp")
$(bars 0 0)
$(place PICTURE1 250 187 100 50)
$(close_viewer)
$(end_trade)
SCRIPT

# --- The size a user gives the viewer is the one KANKYO.TXT keeps and the next start
# restores; maximised or minimised at the end, the viewer keeps its normal size.
viewer_folder resized
run_diary "$w" <<SCRIPT || fail "resized: exit status $?"
$(begin)
$(new_trade)
$(open_chart "$img/sizes/small.bmp")
resize FORM2 520 380
maximize FORM2
expect FORM2 state 2
$(close_viewer)
$(end_trade)
SCRIPT
has_line "$w/KANKYO.TXT" "横サイズ, 512" || fail "resized: the viewer's width was not kept"
has_line "$w/KANKYO.TXT" "縦サイズ, 353" || fail "resized: the viewer's height was not kept"
run_diary "$w" <<SCRIPT || fail "resized, restarted: exit status $?"
$(begin)
expect FORM2 width 520
expect FORM2 height 380
$(new_trade)
$(open_chart "$img/sizes/small.bmp")
resize FORM2 440 340
minimize FORM2
expect FORM2 state 1
$(close_viewer)
$(end_trade)
SCRIPT
has_line "$w/KANKYO.TXT" "横サイズ, 432" || fail "resized, minimised: the viewer's width was not kept"
has_line "$w/KANKYO.TXT" "縦サイズ, 313" || fail "resized, minimised: the viewer's height was not kept"

# --- ← and → through a folder of three images in mixed-case names, wrapping at both ends.
viewer_folder wrap
run_diary "$w" <<SCRIPT || fail "wrap: exit status $?"
$(begin)
$(new_trade)
$(open_chart "$img/wrap/c.bmp")
expect FORM2.BUTTON4 enabled 1
expect FORM2.BUTTON5 enabled 1
expect FORM2 text "表示中の画像「c.bmp」"
click FORM2.BUTTON5
expect FORM2 text "表示中の画像「a.BMP」"
click FORM2.BUTTON4
expect FORM2 text "表示中の画像「c.bmp」"
click FORM2.BUTTON4
expect FORM2 text "表示中の画像「B.jpg」"
expect FORM2.PICTURE1 width 48
click FORM2.BUTTON4
expect FORM2 text "表示中の画像「a.BMP」"
# "タスクバーへ" minimises the viewer; the next image shown restores it.
click FORM2.BUTTON3
expect FORM2 state 1
click FORM2.BUTTON5
expect FORM2 state 0
expect FORM2 width 408
expect FORM2 height 327
expect FORM2 text "表示中の画像「B.jpg」"
minimize FORM2
restore FORM2
expect FORM2 width 408
expect FORM2 height 327
$(place PICTURE1 176 138 48 48)
$(close_viewer)
$(end_trade)
SCRIPT
no_scratch_left wrap

# --- Load failures: "x.Bmp" goes the JPEG way and cannot be shown; a listed file that is
# gone; a JPEG that is not one. After each, the viewer falls back to the image shown
# before the step; with no image before, it shows none and still lays out and closes.
viewer_folder bad
run_diary "$w" <<SCRIPT || fail "bad: exit status $?"
$(begin)
$(new_trade)
$(open_chart "$img/bad/x.Bmp" 'answer msgbox ok "x.Bmp" "このファイルは表示できません"')
expect FORM2 visible 1
expect FORM2 text ""
expect FORM2.PICTURE1 visible 0
resize FORM2 500 400
pick FORM2.COMBO1 0
expect FORM2.PICTURE1 visible 0
click FORM2.BUTTON5
expect FORM2 text "表示中の画像「a.bmp」"
expect FORM2.PICTURE1 visible 1
answer msgbox ok "b.bmp" "このファイルは存在しません"
click FORM2.BUTTON5
expect FORM2 text "表示中の画像「a.bmp」"
expect FORM2.PICTURE1 width 20
answer msgbox ok "c.jpg" "このファイルは表示できません"
click FORM2.BUTTON5
expect FORM2 text "表示中の画像「a.bmp」"
$(close_viewer)
$(end_trade)
SCRIPT
no_scratch_left bad

# --- A picture too large to hold: a 1-bit BMP of 20000 x 15000 (a sparse file of 37.5 MB
# that unpacks to more than the 1 GiB a bitmap may take).
le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
mkdir -p "$img/huge"
rows=$(((20000 + 31) / 32 * 4 * 15000))
# shellcheck disable=SC2059
printf "BM$(le32 $((62 + rows)))\x00\x00\x00\x00$(le32 62)$(le32 40)$(le32 20000)$(le32 15000)\x01\x00\x01\x00$(le32 0)$(le32 "$rows")$(le32 2835)$(le32 2835)$(le32 2)$(le32 0)\x00\x00\x00\x00\xff\xff\xff\x00" >"$img/huge/huge.bmp"
truncate -s $((62 + rows)) "$img/huge/huge.bmp"
viewer_folder huge
run_diary "$w" <<SCRIPT || fail "huge: exit status $?"
$(begin)
$(new_trade)
$(open_chart "$img/huge/huge.bmp" 'answer msgbox ok "huge.bmp" "ロードする為のメモリが足りません"')
expect FORM2.PICTURE1 visible 0
$(close_viewer)
$(end_trade)
SCRIPT

viewer_folder twice
run_diary "$w" <<SCRIPT || fail "twice: exit status $?"
$(begin)
$(new_trade)
$(open_chart "$img/twice/a.jpg" 'answer msgbox ok "a.jpg" "このファイルは表示できません"')
answer msgbox ok "b.jpg" "このファイルは表示できません"
answer msgbox ok "a.jpg" "このファイルは表示できません"
click FORM2.BUTTON5
expect FORM2 text ""
expect FORM2.PICTURE1 visible 0
resize FORM2 600 500
$(close_viewer)
$(end_trade)
SCRIPT
no_scratch_left twice

# --- A file that is neither "*.BMP" nor "*.JPG": the viewer opens without an image, not
# with the one it showed last time.
mkdir -p "$img/none"
"$chart_bmp" 30 30 "$img/none/chart.png"
viewer_folder none
run_diary "$w" <<SCRIPT || fail "none: exit status $?"
$(begin)
$(new_trade)
$(open_chart "$img/wrap/c.bmp")
expect FORM2.PICTURE1 visible 1
$(close_viewer)
$(open_chart "$img/none/chart.png")
expect FORM2 visible 1
expect FORM2 text ""
expect FORM2.PICTURE1 visible 0
click FORM2.BUTTON5
expect FORM2 text ""
$(close_viewer)
$(end_trade)
SCRIPT

# --- Registering: the chart from another folder is copied into the chart folder and the
# slot names it; opened again without re-reading, the registered file is shown from the
# chart folder, and registered again from there nothing is asked; detached, the slot is
# empty and the file stays. Another a.BMP from elsewhere asks before it replaces the one
# registered: No keeps the old file (and the slot names a.BMP), Yes copies.
"$chart_bmp" 10 10 "$out/other_a.bmp"
mkdir -p "$img/other"
mv "$out/other_a.bmp" "$img/other/a.BMP"
reread() { printf 'answer msgbox %s "チャートＣＧの読込み確認" "基チャートＣＧから再度読込みますか？"\n' "$1"; }
overwrite() { printf 'answer msgbox %s "チャート画像の転送エラー" "既に登録フォルダー内に存在しています。上書きしますか？"\n' "$1"; }
viewer_folder register
run_diary "$w" <<SCRIPT || fail "register: exit status $?"
$(begin)
$(new_trade)
$(open_chart "$img/wrap/c.bmp")
click FORM2.BUTTON5
click FORM2.BUTTON2
expect FORM2 visible 0
expect FORM3.BUTTON6 text "参照済"
expect FORM3.BUTTON12 enabled 1
expect FORM3.BUTTON30 enabled 1
$(reread no)
click FORM3.BUTTON6
expect FORM2 text "表示中の画像「a.BMP」"
expect FORM2.BUTTON4 enabled 0
click FORM2.BUTTON2
expect FORM3.BUTTON6 text "参照済"
$(reread no)
click FORM3.BUTTON6
click FORM2.BUTTON7
expect FORM3.BUTTON6 text "ＣＧ参照"
$(open_chart "$img/other/a.BMP")
$(overwrite no)
click FORM2.BUTTON2
expect FORM3.BUTTON6 text "参照済"
$(reread no)
click FORM3.BUTTON6
expect FORM2.PICTURE1 width 64
click FORM2.BUTTON31
$(reread yes)
$(open_chart "$img/other/a.BMP")
expect FORM2.PICTURE1 width 10
$(overwrite yes)
click FORM2.BUTTON2
click FORM3.BUTTON13
$(end_run)
SCRIPT
cmp -s "$img/other/a.BMP" "$w/trades/FXCG/a.BMP" || fail "register: the overwrite did not copy the other a.BMP"
[[ -f $img/wrap/a.BMP && -f $img/other/a.BMP ]] || fail "register: a source was moved"
utf8 "$w/trades/取引中データ.TXT" | grep -F 'a.BMP' >/dev/null || fail "register: the held trade does not name a.BMP"
# The registered file gone: the message, and the viewer stays closed.
rm "$w/trades/FXCG/a.BMP"
run_diary "$w" <<SCRIPT || fail "register, file gone: exit status $?"
$(begin)
pick MAINFORM.LIST1 0
expect FORM3.BUTTON6 text "参照済"
answer msgbox no "チャートＣＧの読込み確認" "基チャートＣＧから再度読込みますか？"
answer msgbox ok "チャートＣＧエラー" "登録されたチャートＣＧのファイルが見つかりません"
click FORM3.BUTTON6
expect FORM2 visible 0
expect FORM3.BUTTON12 enabled 1
expect FORM3.BUTTON30 enabled 1
click FORM3.BUTTON13
$(end_run)
SCRIPT
# --- Each kind of slot keeps its own chart: a memo slot (FORM4), an option slot (FORM6)
# and a group slot (FORM3), each registered with another image; the held trade names
# them, and opened again its buttons say so.
viewer_folder slots
run_diary "$w" <<SCRIPT || fail "slots: exit status $?"
$(begin)
$(new_trade)
# A cancelled dialog opens nothing and gives the buttons back.
answer file cancel "ロードするＣＧファイルの選択"
click FORM3.BUTTON6
expect FORM2 visible 0
expect FORM3.BUTTON30 enabled 1
expect FORM3.BUTTON12 enabled 1
click FORM3.BUTTON11
click FORM3.BUTTON24
answer file "$img/wrap/a.BMP" "ロードするＣＧファイルの選択"
click FORM4.BUTTON15
expect FORM4.BUTTON16 enabled 0
expect FORM3.BUTTON6 enabled 0
click FORM2.BUTTON2
answer file "$img/wrap/B.jpg" "ロードするＣＧファイルの選択"
click FORM6.BUTTON25
click FORM2.BUTTON2
answer file "$img/wrap/c.bmp" "ロードするＣＧファイルの選択"
click FORM3.BUTTON30
click FORM2.BUTTON2
expect FORM4.BUTTON15 text "参照済"
expect FORM4.BUTTON16 text "ＣＧ参照"
expect FORM6.BUTTON25 text "参照済"
expect FORM6.BUTTON26 text "ＣＧ参照"
expect FORM3.BUTTON30 text "参照済"
expect FORM3.BUTTON6 text "ＣＧ参照"
expect FORM4.BUTTON16 enabled 1
expect FORM3.BUTTON39 enabled 0
click FORM3.BUTTON13
$(end_run)
SCRIPT
for name in a.BMP B.jpg c.bmp; do
  cmp -s "$img/wrap/$name" "$w/trades/FXCG/$name" || fail "slots: $name was not copied into the chart folder"
done
for line in "0300_グループ０１,c.bmp" "0300_オプション１,B.jpg"; do
  has_line "$w/trades/取引中データ.TXT" "$line" || fail "slots: the held trade has no line '$line'"
done
utf8 "$w/trades/取引中データ.TXT" | grep -A1 -Fx "0300_メモ, 1" | grep -Fx a.BMP >/dev/null ||
  fail "slots: the held trade's memo does not name a.BMP in its first chart"
run_diary "$w" <<SCRIPT || fail "slots, reopened: exit status $?"
$(begin)
pick MAINFORM.LIST1 0
expect FORM4.BUTTON15 text "参照済"
expect FORM6.BUTTON25 text "参照済"
expect FORM3.BUTTON30 text "参照済"
expect FORM3.BUTTON6 text "ＣＧ参照"
click FORM3.BUTTON13
$(end_run)
SCRIPT

echo "viewer headless: all passed"
