#!/usr/bin/env bash
# End-to-end runs of QUILLON on the headless backend, each in a working folder of its
# own, checked by the messages it shows, the controls it leaves and the files it writes.
#   diary_headless_test.sh QUILLON QUILLON_DATA FIXTURES OUTPUT_FOLDER
set -euo pipefail
quillon=$1
data_tool=$2
fixtures=$3
out=$4
rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)

fail() {
  echo "FAIL: $*"
  for f in "$out"/run.out "$out"/run.err; do [[ -f $f ]] && { echo "--- $f"; cat "$f"; }; done
  exit 1
}

source "$(dirname "$0")/../support/diary_files.sh"

# run_diary FOLDER SCRIPT: runs the diary in FOLDER with the script (UTF-8 on stdin).
run_diary() {
  local folder=$1
  cat >"$out/run.script"
  (cd "$folder" && "$quillon" --headless "$out/run.script") >"$out/run.out" 2>"$out/run.err"
}

# A fresh working folder with a basic-data folder and a trade-data folder in it.
fresh() {
  local w=$out/$1
  mkdir -p "$w/basic" "$w/trades"
  echo "$w"
}

# --- The first start: the basic-data location first, the trade-data folder second; a
# normal close then writes both files in their layouts.
w=$(fresh first)
sj <"$fixtures/sample_basic_data.txt" >"$w/basic/基本データ.TXT"
run_diary "$w" <<SCRIPT || fail "first start: exit status $?"
answer file "$w/basic/基本データ.TXT" "基本データファイルを保存する場所は?"
answer file "$w/trades/取引中データ.TXT" "取引中データファイルを保存する場所は?"
expect FORM3.GROUP1 text "トレンド"
expect FORM3.TEXT19 text "★方向"
expect FORM3.TEXT20 text "MIDDLE"
expect FORM3.COMBO10 count 3
expect FORM3.COMBO10 item 2 "下降"
expect FORM3.GROUP1 enabled 1
expect FORM3.BUTTON30 enabled 1
expect FORM3.COMBO10 enabled 1
expect FORM3.COMBO12 enabled 0
expect FORM3.GROUP2 enabled 0
expect FORM6.TEXT15 text "★時間帯"
expect FORM6.COMBO5 item 1 "雇用統計"
expect FORM3.COMBO2 count 5
expect FORM3.COMBO4 item 3 "１時間足"
expect FORM3.COMBO3 item 2 "買い"
expect FORM5.COMBO45 item 0 "全部"
expect FORM5.COMBO45 item 4 "EUR/JPY"
expect FORM5.COMBO45 selected 0
expect FORM8.CHECK12 text "トレンド"
expect FORM8.CHECK12 enabled 1
expect FORM8.CHECK13 enabled 0
expect FORM8.CHECK24 text "指標"
expect FORM8.CHECK26 enabled 0
expect FORM2.COMBO1 selected 1
expect FORM2.COMBO1 item 11 "×０.１"
expect MAINFORM.BUTTON21 enabled 0
expect MAINFORM.BUTTON22 enabled 0
expect FORM2.BUTTON4 enabled 0
expect MAINFORM.BUTTON56 visible 0
expect FORM3 visible 0
close MAINFORM
SCRIPT
[[ -d $w/trades/FXCG ]] || fail "first start: the chart folder was not created"
cmp -s "$w/basic/基本データ.TXT" <(sj <"$fixtures/sample_basic_data.txt") || fail "first start: 基本データ.TXT differs"
cmp -s "$w/KANKYO.TXT" <(kankyo "$w/basic/" "$w/trades/") || {
  diff <(utf8 "$w/KANKYO.TXT") <(kankyo "$w/basic/" "$w/trades/" | iconv -f CP932 -t UTF-8 | sed 's/\r$//') || true
  fail "first start: KANKYO.TXT differs"
}

# --- A normal start: the recorded trade-data folder is proposed; the defaults written by
# the diary's own writer come back unchanged.
"$data_tool" defaults "$w/basic/基本データ.TXT"
cmp -s "$w/basic/基本データ.TXT" <(sj <"$fixtures/default_basic_data.txt") || fail "the default basic data differ"
run_diary "$w" <<SCRIPT || fail "normal start: exit status $?"
answer file "取引中データ.TXT" "取引中データファイルを保存する場所は?"
expect FORM3.GROUP1 text ""
expect FORM3.GROUP1 enabled 0
close MAINFORM
SCRIPT
cmp -s "$w/basic/基本データ.TXT" <(sj <"$fixtures/default_basic_data.txt") || fail "normal start: 基本データ.TXT differs"
cmp -s "$w/KANKYO.TXT" <(kankyo "$w/basic/" "$w/trades/") || fail "normal start: KANKYO.TXT differs"

# --- The trade-data folder question cancelled ends the program before anything is written.
before=$(md5sum "$w/KANKYO.TXT" "$w/basic/基本データ.TXT")
run_diary "$w" <<SCRIPT || fail "cancelled folder: exit status $?"
answer file cancel
SCRIPT
[[ $(md5sum "$w/KANKYO.TXT" "$w/basic/基本データ.TXT") == "$before" ]] || fail "cancelled folder: files were written"

# --- A moved window and chart window size are remembered.
run_diary "$w" <<SCRIPT || fail "moved window: exit status $?"
answer file "取引中データ.TXT"
move MAINFORM 40 50
close MAINFORM
SCRIPT
utf8 "$w/KANKYO.TXT" | grep -A2 'メイン・ウインドウ' | grep -qx 'Ｘ座標位置, 40' || fail "moved window: x not written"

# --- No basic data: the first start in a folder without the file, and a later start
# whose recorded folder lost it. Nothing is written.
w=$(fresh missing)
run_diary "$w" <<SCRIPT || fail "missing basic data: exit status $?"
answer file "$w/basic/基本データ.TXT"
answer msgbox ok "セットアップ・エラーメッセージ" "基本データ.TXTが見つかりませんので終了します。"
SCRIPT
[[ ! -e $w/KANKYO.TXT ]] || fail "missing basic data: KANKYO.TXT was written"
kankyo "$w/basic/" "$w/trades/" >"$w/KANKYO.TXT"
run_diary "$w" <<SCRIPT || fail "missing recorded basic data: exit status $?"
answer msgbox ok "セットアップ・エラーメッセージ" "基本データ.TXTが見つかりませんので終了します。"
SCRIPT
cmp -s "$w/KANKYO.TXT" <(kankyo "$w/basic/" "$w/trades/") || fail "missing basic data: KANKYO.TXT was rewritten"
[[ ! -e $w/basic/基本データ.TXT ]] || fail "missing basic data: 基本データ.TXT was written"

# --- Header errors stop the program with the header in the caption, before anything is
# written: a header without "_", a later version's list whose lines are then read as
# headers, and a later version's window section in KANKYO.TXT.
header_error() {
  local name=$1 file=$2 caption=$3 text=$4
  w=$(fresh "$name")
  kankyo "$w/basic/" "$w/trades/" >"$w/KANKYO.TXT"
  "$data_tool" defaults "$w/basic/基本データ.TXT"
  cat >"$w/$file"
  local before
  before=$(md5sum "$w/KANKYO.TXT" "$w/basic/基本データ.TXT")
  run_diary "$w" <<SCRIPT || fail "$name: exit status $?"
answer msgbox ok "$caption" "$text"
SCRIPT
  [[ $(md5sum "$w/KANKYO.TXT" "$w/basic/基本データ.TXT") == "$before" ]] || fail "$name: a file was written"
}
printf 'ストック量,10\n' | sj | header_error no_underscore basic/基本データ.TXT \
  "ストック量←ヘッダーエラー" "基本データ.TXTの上記のヘッダーを修正して下さい"
printf '0000_ストック量,10\n' | sj | header_error number_zero basic/基本データ.TXT \
  "0000_ストック量←ヘッダーエラー" "基本データ.TXTの上記のヘッダーを修正して下さい"
printf '0301_通貨ペア,4\nUSD/JPY\nAUD/JPY\nNZD/JPY\nEUR/JPY\n' | sj | header_error newer_list basic/基本データ.TXT \
  "USD/JPY←ヘッダーエラー" "基本データ.TXTの上記のヘッダーを修正して下さい"
printf '0301_メイン・ウインドウ,5\nＸ座標位置, 173\nＹ座標位置, 454\n' | sj | header_error newer_window KANKYO.TXT \
  "Ｘ座標位置←ヘッダーエラー" "KANKYO.TXTの上記のヘッダーを修正して下さい"
printf '0300_通貨ペア,21\n' | sj | header_error too_many_pairs basic/基本データ.TXT \
  "通貨ペア←項目数エラー" "基本データ.TXTの通貨ペアの項目数 21は最大20を超えています"
# Hand-edited values the diary cannot work with stop it the same way: a stock capacity
# below 1 (the trade table would have no slots), a chart folder that is not one plain
# folder inside the trade folder.
for stock in -2 -1 0 10000; do
  printf '0300_ストック量,%s\n' "$stock" | sj | header_error "stock_$stock" basic/基本データ.TXT \
    "ストック量←設定値エラー" "基本データ.TXTのストック量「$stock」は使えません。\n1から9999までの数値にして下さい。"
done
for folder in ../escaped a/b '*' ''; do
  printf '0300_ＣＧフォルダ名,%s\n' "$folder" | sj | header_error "chart_folder" basic/基本データ.TXT \
    "ＣＧフォルダ名←設定値エラー" \
    "基本データ.TXTのＣＧフォルダ名「$folder」は使えません。\n「/」「*」「?」を含まない、空でないフォルダ名を一つ書いて下さい。"
  [[ ! -e $w/escaped && ! -e $w/trades/a ]] || fail "chart folder $folder: a folder was made"
done

# --- Folders whose names hold a double quote: one that a field can hold is recorded and
# read back whole; one that no field can hold (a quote and a comma), and one whose name
# the file tests would take for a wildcard, are refused when chosen, and the question
# comes again.
w=$(fresh quotes)
"$data_tool" defaults "$w/basic/基本データ.TXT"
kankyo "$w/basic/" "$w/trades/" >"$w/KANKYO.TXT"
mkdir -p "$w/say \"hi\", then" "$w/my\"trades"
run_diary "$w" <<SCRIPT || fail "quoted folders: exit status $?"
answer file "$w/say \\"hi\\", then/取引中データ.TXT"
answer msgbox ok "格納フォルダーのパスエラー" "$w/say \\"hi\\", then/\nこのフォルダーの名前は記録できません。別のフォルダーを選んで下さい。"
answer file "$w/my\\"trades/取引中データ.TXT"
close MAINFORM
SCRIPT
utf8 "$w/KANKYO.TXT" | grep -qxF "0300_取引中データ設定格納パス,$w/my\"trades/" || fail "quoted folders: the folder was not recorded as it is"
[[ -d $w/my\"trades/FXCG ]] || fail "quoted folders: no chart folder in the chosen folder"
run_diary "$w" <<SCRIPT || fail "quoted folders read back: exit status $?"
answer file "取引中データ.TXT" "取引中データファイルを保存する場所は?"
close MAINFORM
SCRIPT
utf8 "$w/KANKYO.TXT" | grep -qxF "0300_取引中データ設定格納パス,$w/my\"trades/" || fail "quoted folders: the folder did not read back whole"

# --- Relocation: a folder whose trades moved can only show its closed trades; the folder
# written at the end is the one recorded before, not the relocated one.
w=$(fresh relocated)
"$data_tool" defaults "$w/basic/基本データ.TXT"
kankyo "$w/basic/" "$w/trades/" >"$w/KANKYO.TXT"
mkdir -p "$w/old"
: >"$w/old/移転しました.TXT"
: >"$w/old/整理データ.TXT"
run_diary "$w" <<SCRIPT || fail "relocated: exit status $?"
answer file "$w/old/取引中データ.TXT"
answer msgbox ok "取引不能警告" "指定したフォルダ内には取引中のデータが移転している為\n存在しませんので、整理データを見る事しかできません。"
expect MAINFORM.LIST1 enabled 0
expect MAINFORM.BUTTON22 enabled 0
expect MAINFORM.BUTTON50 enabled 0
expect MAINFORM.BUTTON55 enabled 1
close MAINFORM
SCRIPT
cmp -s "$w/KANKYO.TXT" <(kankyo "$w/basic/" "$w/trades/") || fail "relocated: the recorded trade folder was not kept"
rm "$w/old/整理データ.TXT"
before=$(md5sum "$w/KANKYO.TXT")
run_diary "$w" <<SCRIPT || fail "relocated without closed trades: exit status $?"
answer file "$w/old/取引中データ.TXT"
answer msgbox ok "強制終了警告" "指定したフォルダ内にはデータが存在しませんので、終了します。"
SCRIPT
[[ $(md5sum "$w/KANKYO.TXT") == "$before" ]] || fail "relocated without closed trades: KANKYO.TXT was written"

# --- A recorded folder that is gone: the trade-data folder is forgotten (only the file
# name is proposed), backups are switched off.
w=$(fresh gone)
"$data_tool" defaults "$w/basic/基本データ.TXT"
kankyo "$w/basic/" "$w/nowhere/" "" "$w/nobackup/" >"$w/KANKYO.TXT"
run_diary "$w" <<SCRIPT || fail "gone folders: exit status $?"
answer msgbox ok "格納フォルダーのパスエラー" "取引中データを格納するフォルダーが見つかりません"
answer msgbox ok "格納フォルダーのパスエラー" "バックアップを格納するフォルダーが見つかりません"
answer file "$w/trades/取引中データ.TXT"
expect MAINFORM.CHECK4 checked 0
close MAINFORM
SCRIPT
cmp -s "$w/KANKYO.TXT" <(kankyo "$w/basic/" "$w/trades/") || fail "gone folders: KANKYO.TXT differs"

# --- Backups: a recorded backup folder switches them on; switching them off leaves no
# backup line; switching them on asks for the place.
w=$(fresh backups)
mkdir -p "$w/backup"
"$data_tool" defaults "$w/basic/基本データ.TXT"
kankyo "$w/basic/" "$w/trades/" "" "$w/backup/" >"$w/KANKYO.TXT"
run_diary "$w" <<SCRIPT || fail "backups off: exit status $?"
answer file "取引中データ.TXT"
expect MAINFORM.CHECK4 checked 1
tick MAINFORM.CHECK4 0
close MAINFORM
SCRIPT
cmp -s "$w/KANKYO.TXT" <(kankyo "$w/basic/" "$w/trades/") || fail "backups off: the backup line is still written"
run_diary "$w" <<SCRIPT || fail "backups on: exit status $?"
answer file "取引中データ.TXT"
expect MAINFORM.CHECK4 checked 0
answer file "$w/backup/DUMMY.TXT" "バックアップする場所は?"
tick MAINFORM.CHECK4 1
close MAINFORM
SCRIPT
cmp -s "$w/KANKYO.TXT" <(kankyo "$w/basic/" "$w/trades/" "" "$w/backup/") || fail "backups on: KANKYO.TXT differs"
run_diary "$w" <<SCRIPT || fail "backups cancelled: exit status $?"
answer file "取引中データ.TXT"
answer file cancel
tick MAINFORM.CHECK4 0
tick MAINFORM.CHECK4 1
expect MAINFORM.CHECK4 checked 0
close MAINFORM
SCRIPT
cmp -s "$w/KANKYO.TXT" <(kankyo "$w/basic/" "$w/trades/") || fail "backups cancelled: backups stayed on"

# --- The time stop: set with "日時を保存する" it is kept across runs and warned about at
# the next start; released, its file is gone. Set without the box it lasts one run.
w=$(fresh timestop)
"$data_tool" defaults "$w/basic/基本データ.TXT"
kankyo "$w/basic/" "$w/trades/" >"$w/KANKYO.TXT"
run_diary "$w" <<SCRIPT || fail "time stop set: exit status $?"
answer file "取引中データ.TXT"
clock 2026/12/10 09:30:15
click MAINFORM.BUTTON55
expect FORM7 text "タイムストップ設定"
expect FORM7.TEXT63 text "半角または全角で各欄に数値を入力して下さい。"
expect FORM7.CHECK5 visible 1
expect FORM7.EDIT13 visible 0
expect FORM7.EDIT14 text "26"
expect FORM7.EDIT19 text "15"
expect MAINFORM enabled 0
# The fields take half-width digits only, two of them: a full-width one is refused.
type FORM7.EDIT16 ０
expect FORM7.EDIT16 text "10"
tick FORM7.CHECK5 1
click FORM7.BUTTON53
expect FORM7 visible 0
expect FORM7.CHECK5 visible 0
expect MAINFORM enabled 1
expect MAINFORM.BUTTON56 visible 1
expect FORM3.BUTTON10 visible 1
close MAINFORM
SCRIPT
[[ $(utf8 "$w/basic/タイムストップ設定.TXT") == '"2026/12/10_09:30:15"' ]] || fail "time stop set: file holds $(utf8 "$w/basic/タイムストップ設定.TXT")"
run_diary "$w" <<SCRIPT || fail "time stop kept: exit status $?"
answer file "取引中データ.TXT"
answer msgbox ok "タイムストップ警告" "現在タイムストップが 2026/12/10_09:30:15 に設定されています。\n通常時間に戻すには解除してください。"
expect MAINFORM.BUTTON56 visible 1
click MAINFORM.BUTTON56
expect MAINFORM.BUTTON56 visible 0
expect FORM3.BUTTON10 visible 0
close MAINFORM
SCRIPT
[[ ! -e $w/basic/タイムストップ設定.TXT ]] || fail "time stop released: the file is still there"
printf '"2026/01/02_03:04:05"\n' | sj >"$w/basic/タイムストップ設定.TXT"
run_diary "$w" <<SCRIPT || fail "time stop for one run: exit status $?"
answer file "取引中データ.TXT"
answer msgbox ok "タイムストップ警告"
click MAINFORM.BUTTON55
expect FORM7.CHECK5 checked 1
tick FORM7.CHECK5 0
click FORM7.BUTTON53
expect MAINFORM.BUTTON56 visible 1
click MAINFORM.BUTTON55
click FORM7.BUTTON54
expect MAINFORM.BUTTON56 visible 1
close MAINFORM
SCRIPT
[[ ! -e $w/basic/タイムストップ設定.TXT ]] || fail "time stop for one run: the file was kept"

# --- quillon-data: the program's files read and written back give the same bytes; a
# faulty file is reported with its line and the diary's own caption.
w=$out/first
"$data_tool" check "$w/KANKYO.TXT" >/dev/null || fail "quillon-data check of a written KANKYO.TXT failed"
for f in "$w/KANKYO.TXT" "$w/basic/基本データ.TXT"; do
  "$data_tool" rewrite "$f" "$out/rewritten" || fail "quillon-data rewrite $f failed"
  cmp -s "$f" "$out/rewritten" || fail "quillon-data rewrite $f changed it"
done
sj <"$fixtures/sample_basic_data.txt" >"$out/基本データ.TXT"
"$data_tool" rewrite "$out/基本データ.TXT" "$out/rewritten" || fail "quillon-data rewrite of the sample failed"
cmp -s "$out/基本データ.TXT" "$out/rewritten" || fail "quillon-data rewrite changed the sample"
sed -i '9s/^0300_//' "$out/基本データ.TXT"
status=0
"$data_tool" check "$out/基本データ.TXT" >"$out/run.out" 2>"$out/run.err" || status=$?
[[ $status -eq 1 ]] || fail "quillon-data check of a faulty file: exit status $status"
grep -q ':9: ストック量←ヘッダーエラー$' "$out/run.err" || fail "quillon-data check did not name line 9"
# replace_line N TEXT FILE: line N of the Shift-JIS file becomes TEXT (given in UTF-8).
replace_line() {
  { head -n $(($1 - 1)) "$3"; printf '%s\n' "$2" | sj; tail -n +$(($1 + 1)) "$3"; } >"$3.new" && mv "$3.new" "$3"
}
replace_line 9 '0300_ストック量,-2' "$out/基本データ.TXT"
status=0
"$data_tool" check "$out/基本データ.TXT" >"$out/run.out" 2>"$out/run.err" || status=$?
[[ $status -eq 1 ]] || fail "quillon-data check of a stock capacity of -2: exit status $status"
grep -q ':9: ストック量←設定値エラー$' "$out/run.err" || fail "quillon-data check did not report the stock capacity on line 9"
grep -q '1から9999までの数値にして下さい。' "$out/run.err" || fail "quillon-data check did not give the range"
replace_line 9 '0300_ＣＧフォルダ名,..' "$out/基本データ.TXT"
status=0
"$data_tool" check "$out/基本データ.TXT" >"$out/run.out" 2>"$out/run.err" || status=$?
[[ $status -eq 1 ]] && grep -q ':9: ＣＧフォルダ名←設定値エラー$' "$out/run.err" || fail "quillon-data check did not report the chart folder"
echo "all diary runs passed"
