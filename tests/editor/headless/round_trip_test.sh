#!/usr/bin/env bash
# The basic data across both programs: a file the editor wrote starts the diary, which
# shows its lists on the trade and option windows and writes it back byte for byte; a
# file the diary wrote opens in the editor, shows there and is saved back unchanged.
#   round_trip_test.sh QUILLSET QUILLON QUILLON_DATA DIARY_FIXTURES OUTPUT_FOLDER
set -euo pipefail
quillset=$1
quillon=$2
data_tool=$3
diary_fixtures=$4
out=$5
rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)

# shellcheck source-path=SCRIPTDIR source=editor_headless_helpers.sh
source "$(dirname "$0")/editor_headless_helpers.sh"

run_diary() {
  local folder=$1
  cat >"$out/run.script"
  (cd "$folder" && "$quillon" --headless "$out/run.script") >"$out/run.out" 2>"$out/run.err"
}

# --- The editor writes the lists of every form into an empty folder.
w=$out/editor_first
mkdir -p "$w/basic" "$w/trades" "$w/cg/方向" "$w/cg/時間帯"
run_editor "$w/basic" <<SCRIPT || fail "editor: exit status $?"
focus EDIT18
key ctrl+a
type EDIT18 30
focus EDIT19
key ctrl+a
type EDIT19 "チャート"
click BUTTON23
focus EDIT13
key ctrl+a
type EDIT13 "USD/JPY\nEUR/JPY\nGBP/JPY,ポンド\n"
click BUTTON25
click BUTTON1
type EDIT3 "トレンド"
type COMBO43 "方向"
type EDIT4 "上昇\n下降\n"
answer file "$w/cg/方向/DUMMY"
tick CHECK2 1
type COMBO44 "MIDDLE"
type EDIT5 "押し目"
click BUTTON17
click BUTTON2
type EDIT7 "環境"
type COMBO46 "地合い"
type EDIT8 "円安\n円高"
click BUTTON19
click BUTTON27
click BUTTON13
type COMBO50 "時間帯"
type EDIT12 "東京\nロンドン\nNY"
answer file "$w/cg/時間帯/DUMMY"
tick CHECK9 1
click BUTTON21
click BUTTON28
click BUTTON24
pick LIST1 3
type EDIT14 "日足"
type EDIT15 "１時間足"
type EDIT16 "日足"
type EDIT17 "週足"
click BUTTON29
click BUTTON32
click BUTTON33
SCRIPT
written=$out/editor_written.txt
cp "$w/basic/基本データ.TXT" "$written"
"$data_tool" check "$w/basic/基本データ.TXT" >"$out/check.out" 2>&1 || {
  cat "$out/check.out"
  fail "quillon-data refuses the file the editor wrote"
}

# --- The diary starts on it and shows every list where the trade window offers it.
run_diary "$w" <<SCRIPT || fail "diary on the editor's file: exit status $?"
answer file "$w/basic/基本データ.TXT" "基本データファイルを保存する場所は?"
answer file "$w/trades/取引中データ.TXT" "取引中データファイルを保存する場所は?"
expect FORM3.COMBO2 count 4
expect FORM3.COMBO2 item 3 "GBP/JPY,ポンド"
expect FORM3.COMBO4 count 5
expect FORM3.COMBO4 item 4 "日足"
expect FORM3.GROUP1 text "トレンド"
expect FORM3.GROUP1 enabled 1
expect FORM3.TEXT19 text "★方向"
expect FORM3.COMBO10 count 3
expect FORM3.COMBO10 item 2 "下降"
expect FORM3.TEXT20 text "MIDDLE"
expect FORM3.COMBO11 item 1 "押し目"
expect FORM3.COMBO12 enabled 0
expect FORM3.GROUP2 text "環境"
expect FORM3.COMBO13 item 2 "円高"
expect FORM6.TEXT15 text "★時間帯"
expect FORM6.COMBO6 count 4
expect FORM6.COMBO6 item 3 "NY"
expect FORM8.CHECK12 text "トレンド"
close MAINFORM
SCRIPT
[[ -d $w/trades/チャート ]] || fail "diary on the editor's file: the chart folder チャート was not made"
cmp -s "$w/basic/基本データ.TXT" "$written" || {
  diff <(utf8 "$written") <(utf8 "$w/basic/基本データ.TXT") || true
  fail "the diary wrote the editor's file back differently"
}

# --- A file the diary wrote opens in the editor with its lists shown, and is saved back
# unchanged.
w=$out/diary_first
mkdir -p "$w/basic" "$w/trades"
sj <"$diary_fixtures/sample_basic_data.txt" >"$w/basic/基本データ.TXT"
run_diary "$w" <<SCRIPT || fail "diary: exit status $?"
answer file "$w/basic/基本データ.TXT"
answer file "$w/trades/取引中データ.TXT"
close MAINFORM
SCRIPT
written=$out/diary_written.txt
cp "$w/basic/基本データ.TXT" "$written"
run_editor "$w/basic" <<'SCRIPT' || fail "editor on the diary's file: exit status $?"
expect GROUP1 text "トレンド"
expect TEXT4 text "★方向"
expect TEXT5 text "MIDDLE"
expect COMBO4 count 3
expect COMBO1 count 5
expect COMBO1 item 4 "EUR/JPY"
expect TEXT38 text "指標"
expect TEXT39 text "★時間帯"
click BUTTON1
expect COMBO43 text "方向"
expect COMBO44 selected 1
expect CHECK2 checked 1
expect EDIT4 text "上昇\n下降"
click BUTTON17
click BUTTON27
click BUTTON13
expect CHECK9 checked 1
click BUTTON21
click BUTTON28
click BUTTON33
SCRIPT
cmp -s "$w/basic/基本データ.TXT" "$written" || {
  diff <(utf8 "$written") <(utf8 "$w/basic/基本データ.TXT") || true
  fail "the editor saved the diary's file back differently"
}
echo "PASS"
