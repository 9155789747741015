#!/usr/bin/env bash
# The trades end to end on the headless backend: trades opened, started, held, settled in
# parts, cancelled and archived by scripted runs of QUILLON, each in a working folder of
# its own, checked by the files they leave and the controls they show.
#   trades_test.sh QUILLON QUILLON_DATA FIXTURES OUTPUT_FOLDER
set -euo pipefail
quillon=$1
data_tool=$2
fixtures=$3
out=$4
rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)

# shellcheck source-path=SCRIPTDIR source=headless_helpers.sh
source "$(dirname "$0")/headless_helpers.sh"

inprogress=取引中データ.TXT
archive=整理データ.TXT

# trade_folder NAME [FIXTURE [STOCK [LOTS]]]: a fresh working folder ($w) whose KANKYO.TXT
# names its basic-data and trade-data folders, with the basic data of FIXTURE (the
# defaults when none) and the stock capacity and default order lots changed where given.
trade_folder() {
  local fixture=${2:-default_basic_data.txt} stock=${3:-} lots=${4:-}
  w=$(fresh "$1")
  sed -e "${stock:+s/^0300_ストック量, .*/0300_ストック量, $stock/}" \
    -e "${lots:+s/^0300_注文枚数, .*/0300_注文枚数, $lots/}" "$fixtures/$fixture" | sj >"$w/basic/基本データ.TXT"
  kankyo "$w/basic/" "$w/trades/" "" "${backup:-}" >"$w/KANKYO.TXT"
}

# --- Script lines, to be put together in the runs' here-documents.
# The start: the recorded trade-data folder is proposed and taken.
begin() { echo 'answer file "取引中データ.TXT" "取引中データファイルを保存する場所は?"'; }
# "新規取引" with its confirmation.
new_trade() {
  echo 'answer msgbox yes "確認メッセージ" "本当に新規に取引を開始しますか？"'
  echo 'click MAINFORM.BUTTON50'
}
# open_line N: clicks line N of the trade list.
open_line() { echo "pick MAINFORM.LIST1 $1"; }
# price CAPTION VALUE: the price box of a caption (TEXT53 price, TEXT54 stop-loss, TEXT69
# target) answered with VALUE.
price() { printf 'click FORM3.%s\ntype FORM7.EDIT13 %s\nclick FORM7.BUTTON53\n' "$1" "$2"; }
# entry PAIR SIDE TIMEFRAME PRICE: an entry's basic settings and its confirmed date-time.
entry() {
  printf 'pick FORM3.COMBO2 "%s"\npick FORM3.COMBO3 "%s"\npick FORM3.COMBO4 "%s"\n' "$1" "$2" "$3"
  price TEXT53 "$4"
  echo 'click FORM3.BUTTON32'
}
# start [ANSWERS]: "取引開始" confirmed; ANSWERS are the answer lines of the messages
# that follow the confirmation.
start() {
  echo 'answer msgbox yes "確認メッセージ" "本当に取引を開始しますか？"'
  if [[ -n ${1:-} ]]; then echo "$1"; fi
  echo 'click FORM3.BUTTON12'
}
# settle [PRICE [ANSWERS]]: "決済" at PRICE (or the price shown), its date-time confirmed
# now; ANSWERS as for start.
settle() {
  if [[ -n ${1:-} ]]; then price TEXT53 "$1"; fi
  echo 'click FORM3.BUTTON32'
  echo 'answer msgbox yes "確認メッセージ" "本当に決済しますか？"'
  if [[ -n ${2:-} ]]; then echo "$2"; fi
  echo 'click FORM3.BUTTON12'
}
hold() { echo 'click FORM3.BUTTON13'; }
cancel() { echo 'click FORM3.BUTTON20'; }
# stop_message CAPTION TEXT: the OK of a stop message.
stop_message() { printf 'answer msgbox ok "%s" "%s"\n' "$1" "$2"; }
partial_warning() {
  stop_message "決済枚数についての警告メッセージ" "登録中の取引データがストック量に達していて\n分割決済はできません。\n残りの注文枚数を完全に決済して下さい。\nなおどうしても分割決済したい時は、\n開始保留中の取引があればキャンセルするか、\n基本データ.TXTのストック量の設定を増やす\n事で回避できます。"
}
stock_error() {
  stop_message "ストック量エラー" "登録中の取引データがストック量に達していて決済取引できません。\n基本データ.TXTのストック量の設定を増やすか、\n開始保留中の取引をキャンセルするか、\n決済保留中の取引を完全に決済して下さい。"
}
end_run() { echo 'close MAINFORM'; }

# --- Reading the trade files.
# records FILE: one line per record of a trade file: trade number, kind, status, lots
# settled, lots remaining, 基本損益, 損益, 損益額 (nothing for a missing file).
records() {
  [[ -f $1 ]] || return 0
  utf8 "$1" | LC_ALL=C awk '
    function value(  v) { v = substr($0, index($0, ",") + 1); gsub(/^ +| +$/, "", v); return v }
    status_next { split($0, f, ","); status = f[1]; status_next = 0 }
    /^0300_取引ナンバー,/ { number = value() }
    /^0300_処理区分,/ { kind = value() }
    /^0300_取引状況,/ { status_next = 1 }
    /^0300_決済枚数,/ { settled = value() }
    /^0300_注文残枚数,/ { remaining = value() }
    /^0300_基本損益,/ { base = value() }
    /^0300_損益,/ { pl = value() }
    /^0300_損益額,/ { amount = value() }
    /^---------- ここまで ----------$/ { print number, kind, status, settled, remaining, base, pl, amount }'
}
# trade_records FILE NUMBER: how many records of trade NUMBER the file holds.
trade_records() { records "$1" | awk -v n="$2" '$1 == n' | wc -l; }
# field FILE RECORD KEY: the value of KEY's header line in the RECORD-th record (from 1).
field() {
  utf8 "$1" | LC_ALL=C awk -v r="$2" -v key="0300_$3," '
    $0 == "********** ここから **********" { n++ }
    n == r && index($0, key) == 1 { print substr($0, length(key) + 1); exit }'
}
# edit_field FILE RECORD KEY VALUE: a hand edit of KEY's header value in the RECORD-th
# record. The script language cannot clear an edit field, so lots to settle below the
# remaining lots come into a held settlement this way.
edit_field() {
  utf8 "$1" | LC_ALL=C awk -v r="$2" -v key="0300_$3," -v value="$4" '
    $0 == "********** ここから **********" { n++ }
    n == r && index($0, key) == 1 { $0 = key value }
    { print }' | sj >"$1.new"
  mv "$1.new" "$1"
}
# expect_records FILE WHAT: the records of FILE are the lines on stdin.
expect_records() {
  diff <(records "$1") - >"$out/diff.txt" || { cat "$out/diff.txt"; fail "$2"; }
}

# --- A whole buy trade: 2 lots bought at 110.50 and sold at 111.00 leave the in-progress
# file empty and the archive with the entry ("取引中"), the settlement ("決済") and the
# memo record ("メモ"): a price difference of 0.5, 1 in price units, 10000 in currency.
trade_folder buy default_basic_data.txt "" 2
run_diary "$w" <<SCRIPT || fail "buy: exit status $?"
$(begin)
clock 2026/03/05 09:00:00
$(new_trade)
$(entry USD/JPY 買い ５分足 110.50)
$(start)
clock 2026/03/05 10:30:00
$(open_line 0)
expect FORM3.COMBO3 selected 1
expect FORM3.EDIT5 text "2"
expect FORM3.TEXT4 text "2"
$(settle 111.00)
expect MAINFORM.LIST1 count 1
expect MAINFORM.LIST1 item 0 "新規取引"
expect MAINFORM.TEXT56 text "ストックサイズ： 10\nストック消費量： 0"
expect MAINFORM.BUTTON21 enabled 1
$(end_run)
SCRIPT
[[ -f $w/trades/$inprogress && ! -s $w/trades/$inprogress ]] || fail "buy: 取引中データ.TXT is not there and empty"
expect_records "$w/trades/$archive" "buy: 整理データ.TXT" <<'TXT'
1 0 取引中 0 0 0 1 10000
1 1 決済 2 0 0.5 1 10000
1 1 メモ 0 0 0 0 0
TXT

# --- How the archive ends: a last line without its line end (an editor dropped it) gets
# one before the next closed trade, which then reads as a record of its own; an archive
# cut inside a record takes no closed trade: the message, the trade stays open, nothing
# is written.
trade_folder archive_end default_basic_data.txt "" 2
run_diary "$w" <<SCRIPT || fail "archive end: first trade exit status $?"
$(begin)
$(new_trade)
$(entry USD/JPY 買い ５分足 110.50)
$(start)
$(open_line 0)
$(settle 111.00)
$(new_trade)
$(entry USD/JPY 売り ５分足 110.50)
$(start)
$(end_run)
SCRIPT
head -c -4 "$w/trades/$archive" >"$w/trades/cut" && mv "$w/trades/cut" "$w/trades/$archive"
run_diary "$w" <<SCRIPT || fail "archive end: second trade exit status $?"
$(begin)
$(open_line 0)
$(settle 110.00)
$(end_run)
SCRIPT
"$data_tool" check "$w/trades/$archive" >/dev/null 2>&1 || fail "archive end: the archive does not read after the second trade"
[[ $(trade_records "$w/trades/$archive" 1) == 3 && $(trade_records "$w/trades/$archive" 2) == 3 ]] ||
  fail "archive end: the two trades are not whole in the archive"
run_diary "$w" <<SCRIPT || fail "archive end: third trade exit status $?"
$(begin)
$(new_trade)
$(entry USD/JPY 買い ５分足 110.50)
$(start)
$(end_run)
SCRIPT
printf '********** ここから **********\n0300_メモ, 3\n' | sj >>"$w/trades/$archive"
before=$(md5sum "$w/trades/$archive" "$w/trades/$inprogress")
run_diary "$w" <<SCRIPT || fail "archive end: cut-off archive exit status $?"
$(begin)
$(open_line 0)
$(settle 111.00 "$(stop_message 整理データの警告 "整理データ.TXTの最後の取引データが途中で切れているため、終了した取引を整理データに移せません。\n取引中データは変更していません。整理データ.TXTの最後を直してから、もう一度操作して下さい。")")
expect MAINFORM.LIST1 count 2
$(end_run)
SCRIPT
[[ $(md5sum "$w/trades/$archive" "$w/trades/$inprogress") == "$before" ]] || fail "archive end: a file changed although the step was refused"

# --- A sale settled in two parts: 3 lots sold at 110.00, 1 bought back at 110.20 (a loss
# of 0.2, -2000 in currency), then 2 at 109.90 (a gain of 0.1 each): the trade's profit
# comes back to 0. The first part is held first and its lots set by hand.
trade_folder sell default_basic_data.txt "" 3
run_diary "$w" <<SCRIPT || fail "sell: first run exit status $?"
$(begin)
clock 2026/03/05 09:00:00
$(new_trade)
$(entry USD/JPY 売り ５分足 110.00)
$(start)
clock 2026/03/05 09:10:00
$(open_line 0)
expect FORM3.COMBO3 selected 2
$(price TEXT53 110.20)
click FORM3.BUTTON32
$(hold)
$(end_run)
SCRIPT
edit_field "$w/trades/$inprogress" 2 決済枚数 " 1"
run_diary "$w" <<SCRIPT || fail "sell: first settlement exit status $?"
$(begin)
clock 2026/03/05 09:20:00
$(open_line 0)
expect FORM3.EDIT5 text "1"
$(settle)
$(end_run)
SCRIPT
expect_records "$w/trades/$inprogress" "sell: 取引中データ.TXT after the first part" <<'TXT'
1 0 取引中 0 2 0 -0.2 -2000
1 1 決済 1 2 -0.2 -0.2 -2000
TXT
run_diary "$w" <<SCRIPT || fail "sell: second settlement exit status $?"
$(begin)
clock 2026/03/05 09:30:00
$(open_line 0)
expect FORM3.EDIT5 text "2"
$(settle 109.90)
$(end_run)
SCRIPT
[[ ! -s $w/trades/$inprogress ]] || fail "sell: 取引中データ.TXT still holds records"
expect_records "$w/trades/$archive" "sell: 整理データ.TXT" <<'TXT'
1 0 取引中 0 0 0 0 0
1 1 決済 1 2 -0.2 -0.2 -2000
1 1 決済 2 0 0.1 0.2 0
1 1 メモ 0 0 0 0 0
TXT

# --- The in-progress file of an open and a held trade, byte for byte as its layout gives
# it: with groups, a sub-item named MIDDLE (shown and stored as the timeframe it stands
# for), options, stop-loss and target with their set date-times, a choice recorded with
# its date-time and a choice cleared again, a memo of two lines and an empty memo.
trade_folder layout sample_basic_data.txt
run_diary "$w" <<SCRIPT || fail "layout: exit status $?"
$(begin)
clock 2026/03/05 09:00:00
$(new_trade)
expect FORM3 text "新規取引 　＜＜＜　取引ナンバー１３　＞＞＞"
pick FORM3.COMBO2 "USD/JPY"
pick FORM3.COMBO3 "買い"
pick FORM3.COMBO4 "５分足"
expect FORM3.TEXT20 text "１５分足相当"
clock 2026/03/05 09:01:00
pick FORM3.COMBO10 "上昇"
clock 2026/03/05 09:02:00
$(price TEXT54 109.80)
expect FORM3.TEXT62 text "2026/03/05_09:02:00"
clock 2026/03/05 09:03:00
$(price TEXT69 111.20)
expect FORM3.TEXT70 text "2026/03/05_09:03:00"
click FORM3.BUTTON24
clock 2026/03/05 09:04:00
pick FORM6.COMBO5 "雇用統計"
$(price TEXT53 110.50)
clock 2026/03/05 09:05:00
click FORM3.BUTTON32
clock 2026/03/05 09:06:00
$(start)
clock 2026/03/05 10:00:00
$(new_trade)
expect FORM3.TEXT20 text "未設定"
pick FORM3.COMBO2 "EUR/JPY"
pick FORM3.COMBO3 "売り"
pick FORM3.COMBO4 "１時間足"
expect FORM3.TEXT20 text "４時間足相当"
pick FORM3.COMBO11 "押し目"
click FORM3.BUTTON57
pick FORM3.COMBO11 0
click FORM3.BUTTON24
clock 2026/03/05 10:01:00
pick FORM6.COMBO6 "ロンドン"
click FORM3.BUTTON11
type FORM4.EDIT1 "押し目待ち\n指標の後"
$(price TEXT53 160.05)
clock 2026/03/05 10:02:00
$(hold)
$(end_run)
SCRIPT
cmp -s "$w/trades/$inprogress" <(sj <"$fixtures/open_and_held_trades.txt") || {
  diff <(utf8 "$w/trades/$inprogress") "$fixtures/open_and_held_trades.txt" || true
  fail "layout: 取引中データ.TXT differs from its layout"
}
# The choice was recorded with its date-time (the copy taken then shows it) and cleared
# when choice 0 was taken again.
has_line "$w/basic/コピーデータ.TXT" '1_押し目,"2026/03/05_10:00:00"' || fail "layout: the choice was not recorded with its date-time"
has_line "$w/basic/基本データ.TXT" '0300_取引ナンバー,4952' || fail "layout: trade number 14 was not kept"
# Read back and written again (the held trade held again at the same time), the file
# keeps its bytes.
run_diary "$w" <<SCRIPT || fail "layout read back: exit status $?"
$(begin)
clock 2026/03/05 10:02:00
$(open_line 1)
expect FORM3 text "保留中の取引 　＜＜＜　取引ナンバー１４　＞＞＞"
expect FORM3.TEXT20 text "４時間足相当"
expect FORM4.EDIT1 text "押し目待ち\n指標の後"
expect FORM6.COMBO6 selected 2
$(hold)
$(end_run)
SCRIPT
cmp -s "$w/trades/$inprogress" <(sj <"$fixtures/open_and_held_trades.txt") || fail "layout: the file read back and written again differs"

# --- The timeframe keywords are compared exactly: a sub-item named "middle" keeps its name
# whatever the base timeframe, while "MIDDLE" follows it, back to "未設定" for none.
w=$(fresh keywords)
sed 's/^項目名,方向$/項目名,middle/' "$fixtures/sample_basic_data.txt" | sj >"$w/basic/基本データ.TXT"
kankyo "$w/basic/" "$w/trades/" >"$w/KANKYO.TXT"
run_diary "$w" <<SCRIPT || fail "keywords: exit status $?"
$(begin)
$(new_trade)
pick FORM3.COMBO4 "１分足"
expect FORM3.TEXT19 text "★middle"
expect FORM3.TEXT20 text "５分足相当"
pick FORM3.COMBO4 "１時間足"
expect FORM3.TEXT19 text "★middle"
expect FORM3.TEXT20 text "４時間足相当"
pick FORM3.COMBO4 0
expect FORM3.TEXT20 text "未設定"
$(cancel)
$(end_run)
SCRIPT

# --- The input check of a start names every wrong item in order, each with its blank:
# nothing entered, then a price of 0.00 (wrong) and 0.5 (right, its fraction counts), a
# date-time never confirmed ("_" is a short date and a short time). The screen stays open
# and nothing is written until the check passes.
trade_folder checks
run_diary "$w" <<SCRIPT || fail "input checks: exit status $?"
$(begin)
clock 2026/03/05 09:00:00
$(new_trade)
$(start "$(stop_message 基本設定入力エラー "通貨ペア 売買項目 価格 確定日 確定時間 基本時間足 ")")
expect FORM3 visible 1
pick FORM3.COMBO2 "USD/JPY"
pick FORM3.COMBO3 "売り"
pick FORM3.COMBO4 "１分足"
$(price TEXT53 0.00)
$(start "$(stop_message 基本設定入力エラー "価格 確定日 確定時間 ")")
$(price TEXT53 0.5)
$(start "$(stop_message 基本設定入力エラー "確定日 確定時間 ")")
expect FORM3.TEXT65 text "_"
click FORM3.BUTTON32
$(start)
expect FORM3 visible 0
$(end_run)
SCRIPT
[[ $(field "$w/trades/$inprogress" 1 価格) == 0.5 ]] || fail "input checks: the price 0.5 was not stored"
# Arming the emergency settlement checks pair, side and the entry's date-time first.
run_diary "$w" <<SCRIPT || fail "emergency check: exit status $?"
$(begin)
$(new_trade)
$(stop_message 緊急決済時の基本設定入力エラー "通貨ペア 売買項目 エントリーの確定日 確定時間 の\n設定を先に済ませて下さい")
click FORM3.BUTTON51
expect FORM3.TEXT61 visible 0
$(cancel)
$(end_run)
SCRIPT
# Lots to settle above the remaining lots: 11 of 10 report "決済枚数", without a blank.
run_diary "$w" <<SCRIPT || fail "settle lots check: hold exit status $?"
$(begin)
$(open_line 0)
click FORM3.BUTTON32
$(hold)
$(end_run)
SCRIPT
edit_field "$w/trades/$inprogress" 2 決済枚数 " 11"
run_diary "$w" <<SCRIPT || fail "settle lots check: exit status $?"
$(begin)
$(open_line 0)
expect FORM3.EDIT5 text "11"
expect FORM3.TEXT4 text "10"
$(settle "" "$(stop_message 基本設定入力エラー "決済枚数")")
expect FORM3 visible 1
$(hold)
$(end_run)
SCRIPT
expect_records "$w/trades/$inprogress" "settle lots check: a refused settlement changed the file" <<'TXT'
1 0 取引中 0 10 0 0 0
1 1 決済保留 10 10 0 0 0
TXT

# --- Hold and cancel: a held entry cancelled is gone from the file; a brand-new trade
# cancelled gives its number back, so the next new trade gets the same number. A held
# entry's number was saved and is not given back.
trade_folder cancel
run_diary "$w" <<SCRIPT || fail "cancel: exit status $?"
$(begin)
clock 2026/03/05 09:00:00
$(new_trade)
$(hold)
expect MAINFORM.LIST1 count 2
$(open_line 0)
expect FORM3 text "保留中の取引 　＜＜＜　取引ナンバー１　＞＞＞"
expect FORM3.BUTTON20 visible 1
$(cancel)
expect MAINFORM.LIST1 count 1
$(new_trade)
expect FORM3 text "新規取引 　＜＜＜　取引ナンバー２　＞＞＞"
$(cancel)
expect MAINFORM visible 1
$(new_trade)
expect FORM3 text "新規取引 　＜＜＜　取引ナンバー２　＞＞＞"
$(hold)
$(end_run)
SCRIPT
expect_records "$w/trades/$inprogress" "cancel: 取引中データ.TXT" <<'TXT'
2 0 開始保留 0 0 0 0 0
TXT
has_line "$w/basic/基本データ.TXT" '0300_取引ナンバー,50' || fail "cancel: the basic data do not hold trade number 2"

# --- A full table (stock capacity 1: two slots). Opening an open trade in the last free
# slot warns about partial settlements; with the table full, a partial settlement is
# refused with the warning and EDIT5 refilled with the remaining lots, and the second
# press settles everything. Two open trades fill the table: opening one is a stock error.
trade_folder full default_basic_data.txt 1 3
run_diary "$w" <<SCRIPT || fail "full table: first run exit status $?"
$(begin)
clock 2026/03/05 09:00:00
$(new_trade)
$(entry USD/JPY 買い １分足 110.00)
$(start)
expect MAINFORM.BUTTON50 enabled 1
expect MAINFORM.TEXT56 text "ストックサイズ： 1\nストック消費量： 1"
$(partial_warning)
$(open_line 0)
expect FORM3.EDIT5 text "3"
$(price TEXT53 110.30)
click FORM3.BUTTON32
$(hold)
expect MAINFORM.BUTTON50 enabled 0
expect MAINFORM.LIST1 count 1
$(end_run)
SCRIPT
edit_field "$w/trades/$inprogress" 2 決済枚数 " 1"
run_diary "$w" <<SCRIPT || fail "full table: settlement exit status $?"
$(begin)
$(partial_warning)
$(open_line 0)
expect FORM3.EDIT5 text "1"
$(settle "" "$(partial_warning)")
expect FORM3 visible 1
expect FORM3.EDIT5 text "3"
$(settle)
expect MAINFORM.BUTTON50 enabled 1
$(new_trade)
$(entry USD/JPY 売り １分足 110.00)
$(start)
$(new_trade)
$(entry AUD/JPY 買い １分足 80.00)
$(start)
expect MAINFORM.BUTTON50 enabled 0
$(stock_error)
$(open_line 0)
expect FORM3 visible 0
expect MAINFORM visible 1
expect MAINFORM.LIST1 count 2
$(end_run)
SCRIPT
expect_records "$w/trades/$archive" "full table: 整理データ.TXT" <<'TXT'
1 0 取引中 0 0 0 0.9 9000
1 1 決済 3 0 0.3 0.9 9000
1 1 メモ 0 0 0 0 0
TXT
expect_records "$w/trades/$inprogress" "full table: 取引中データ.TXT" <<'TXT'
2 0 取引中 0 3 0 0 0
3 0 取引中 0 3 0 0 0
TXT

# --- A settlement whose profit amount has more digits than the amount holds (899 x 10
# lots x 910000 per lot) is refused whole: held afterwards, the trade is as it was before.
trade_folder overflow
run_diary "$w" <<SCRIPT || fail "overflow: exit status $?"
$(begin)
clock 2026/03/05 09:00:00
$(new_trade)
type FORM3.EDIT6 9
expect FORM3.EDIT6 text "910000"
$(entry USD/JPY 買い １分足 100.00)
$(start)
$(open_line 0)
$(settle 999.00 "$(stop_message 損益計算エラー "損益が計算できる桁数を超えているため決済できません。\nエントリー価格と決済価格を確認して下さい。")")
expect FORM3 visible 1
expect FORM3.EDIT5 text "10"
$(hold)
$(end_run)
SCRIPT
expect_records "$w/trades/$inprogress" "overflow: the refused settlement changed the trade" <<'TXT'
1 0 取引中 0 10 0 0 0
1 1 決済保留 10 10 0 0 0
TXT

# --- A settlement at the entry price asks first; answered No, the trade and the
# settlement record stay as they were and the screen stays open.
trade_folder same_price
run_diary "$w" <<SCRIPT || fail "same price: exit status $?"
$(begin)
$(new_trade)
$(entry USD/JPY 買い ５分足 110.50)
$(start)
$(open_line 0)
$(settle "" 'answer msgbox no "警告" "エントリー価格と決済価格が同じです。決済しますか？"')
expect FORM3 visible 1
$(hold)
$(end_run)
SCRIPT
expect_records "$w/trades/$inprogress" "same price: the declined settlement changed the trade" <<'TXT'
1 0 取引中 0 10 0 0 0
1 1 決済保留 10 10 0 0 0
TXT

# --- The emergency settlement: armed on the entry screen with its price, "取引開始" opens
# the same trade's settlement screen at once with that price and the emergency date-time.
# The emergency entry: armed on a settlement screen, "決済" opens a new trade with them.
trade_folder emergency
run_diary "$w" <<SCRIPT || fail "emergency: exit status $?"
$(begin)
clock 2026/03/05 09:00:00
$(new_trade)
$(entry USD/JPY 買い ５分足 110.50)
clock 2026/03/05 09:45:30
click FORM3.BUTTON51
expect FORM7 text "決済価格の入力（未入力でも可）"
type FORM7.EDIT13 111.25
click FORM7.BUTTON53
expect FORM3.TEXT61 visible 1
expect FORM3.TEXT61 text "2026/03/05_09:45:30"
$(start)
expect FORM3 visible 1
expect FORM3 text "決済取引 　＜＜＜　取引ナンバー１　＞＞＞　　エントリー価格：１１０．５０"
expect FORM3.BUTTON12 text "決済"
expect FORM3.EDIT2 text "111"
expect FORM3.EDIT3 text "25"
expect FORM3.TEXT65 text "2026/03/05_09:45:30"
expect FORM3.TEXT61 visible 0
answer msgbox yes "確認メッセージ" "本当に決済しますか？"
click FORM3.BUTTON12
expect MAINFORM visible 1
$(new_trade)
$(entry AUD/JPY 売り ５分足 80.00)
$(start)
clock 2026/03/05 10:15:00
$(open_line 0)
click FORM3.BUTTON51
expect FORM7 text "エントリー価格の入力（未入力でも可）"
type FORM7.EDIT13 79.5
click FORM7.BUTTON53
$(price TEXT53 79.80)
click FORM3.BUTTON32
answer msgbox yes "確認メッセージ" "本当に決済しますか？"
answer msgbox yes "緊急エントリーの確認メッセージ" "本当に新規に取引を開始しますか？"
click FORM3.BUTTON12
expect FORM3 visible 1
expect FORM3 text "新規取引 　＜＜＜　取引ナンバー３　＞＞＞"
expect FORM3.BUTTON12 text "取引開始"
expect FORM3.EDIT2 text "79"
expect FORM3.EDIT3 text "5"
expect FORM3.TEXT65 text "2026/03/05_10:15:00"
pick FORM3.COMBO2 "AUD/JPY"
pick FORM3.COMBO3 "買い"
pick FORM3.COMBO4 "５分足"
$(start)
$(end_run)
SCRIPT
[[ $(field "$w/trades/$archive" 2 価格) == 111.25 ]] || fail "emergency: the settlement price was not the emergency price"
utf8 "$w/trades/$archive" | sed -n '/^0300_取引ナンバー, 1$/,/ここまで/p' | grep -Fx '"2026/03/05_09:45:30"' >/dev/null ||
  fail "emergency: the settlement's date-time is not the emergency date-time"
expect_records "$w/trades/$inprogress" "emergency: 取引中データ.TXT" <<'TXT'
3 0 取引中 0 10 0 0 0
TXT
[[ $(field "$w/trades/$inprogress" 1 価格) == 79.5 ]] || fail "emergency: the emergency entry's price"
# With the table full the emergency entry stops with the stock error, and the held
# settlement it followed stands.
trade_folder emergency_full default_basic_data.txt 1
run_diary "$w" <<SCRIPT || fail "emergency full: exit status $?"
$(begin)
$(new_trade)
$(entry USD/JPY 買い ５分足 110.50)
$(start)
$(partial_warning)
$(open_line 0)
click FORM3.BUTTON51
click FORM7.BUTTON54
$(stop_message ストック量エラー "登録中の取引データがストック量に達していて緊急エントリーできません。\n基本データ.TXTのストック量の設定を増やすか、\n開始保留中の取引をキャンセルして下さい。")
$(hold)
expect FORM3 visible 0
expect MAINFORM visible 1
$(end_run)
SCRIPT
expect_records "$w/trades/$inprogress" "emergency full: 取引中データ.TXT" <<'TXT'
1 0 取引中 0 10 0 0 0
1 1 決済保留 10 10 0 0 0
TXT

# --- An open trade whose settlement is held is listed once, by the held settlement, with
# the entry's price, side and confirmed date-time and the settlement's own status, time,
# target and stop-loss.
trade_folder held_line
run_diary "$w" <<SCRIPT || fail "held line: exit status $?"
$(begin)
clock 2026/03/05 09:00:00
$(new_trade)
$(price TEXT54 109.80)
$(price TEXT69 111.20)
$(entry USD/JPY 買い ５分足 110.50)
$(start)
expect MAINFORM.LIST1 item 0 "     1 : 2026/03/05_09:00:00 : 取引中   :  USD/JPY   : 110.50  : 買い : 2026/03/05_09:00:00 : 111.20  : 109.80 "
clock 2026/03/05 09:30:00
$(open_line 0)
$(price TEXT53 111.00)
click FORM3.BUTTON32
clock 2026/03/05 09:31:00
$(hold)
expect MAINFORM.LIST1 count 2
expect MAINFORM.LIST1 item 0 "     1 : 2026/03/05_09:31:00 : 決済保留 :  USD/JPY   : 110.50  : 買い : 2026/03/05_09:00:00 : 111.20  : 109.80 "
expect MAINFORM.LIST1 item 1 "新規取引"
$(end_run)
SCRIPT

# --- Copy and paste: only the ticked items come over ("通貨ペア", "基本時間足", "損切り価格"
# and the group); on a settlement record "通貨ペア" and "売買項目" cannot be ticked, not
# even by "全部チェック".
trade_folder paste sample_basic_data.txt
run_diary "$w" <<SCRIPT || fail "paste: exit status $?"
$(begin)
clock 2026/03/05 09:00:00
$(new_trade)
expect FORM3.BUTTON58 enabled 0
pick FORM3.COMBO10 "上昇"
$(price TEXT54 109.80)
$(entry USD/JPY 買い ５分足 110.50)
click FORM3.BUTTON57
expect FORM3.BUTTON58 enabled 1
$(start)
clock 2026/03/05 10:00:00
$(new_trade)
expect FORM3.BUTTON58 enabled 1
click FORM3.BUTTON58
expect FORM8 visible 1
expect FORM3 enabled 0
expect FORM8.CHECK6 enabled 1
tick FORM8.CHECK6 1
tick FORM8.CHECK9 1
tick FORM8.CHECK10 1
tick FORM8.CHECK12 1
click FORM8.BUTTON61
expect FORM8 visible 0
expect FORM3 enabled 1
expect FORM3.COMBO2 selected 1
expect FORM3.COMBO3 selected 0
expect FORM3.COMBO4 selected 2
expect FORM3.EDIT2 text "0"
expect FORM3.EDIT7 text "109"
expect FORM3.EDIT8 text "80"
expect FORM3.TEXT62 text "2026/03/05_09:00:00"
expect FORM3.COMBO10 selected 1
expect FORM3.TEXT20 text "１５分足相当"
expect FORM3.TEXT65 text "_"
$(hold)
$(open_line 0)
click FORM3.BUTTON58
expect FORM8.CHECK6 enabled 0
expect FORM8.CHECK6 checked 0
expect FORM8.CHECK7 enabled 0
click FORM8.BUTTON59
expect FORM8.CHECK7 checked 0
expect FORM8.CHECK8 checked 1
expect FORM8.CHECK12 checked 1
expect FORM8.CHECK13 checked 0
expect FORM8.CHECK26 checked 0
expect FORM8.CHECK29 checked 1
click FORM8.BUTTON60
expect FORM8.CHECK8 checked 0
click FORM8.BUTTON62
expect FORM8 visible 0
expect FORM3 enabled 1
$(hold)
$(end_run)
SCRIPT
[[ -f $w/basic/コピーデータ.TXT ]] || fail "paste: no コピーデータ.TXT in the basic-data folder"
[[ $(field "$w/trades/$inprogress" 2 通貨ペア) == 1_USD/JPY && $(field "$w/trades/$inprogress" 2 売買項目) == 0_未設定 &&
  $(field "$w/trades/$inprogress" 2 価格) == 0 ]] || fail "paste: the pasted record holds other items"
utf8 "$w/trades/$inprogress" | sed -n '/^0300_取引ナンバー, 14$/,/ここまで/p' | grep -Fx '1_上昇,"2026/03/05_09:00:00"' >/dev/null ||
  fail "paste: the group's choice did not come over with its date-time"

# --- Backups under the frozen script clock: each step's backup keeps its own folder, the
# second of the same second with "_2"; under a time stop the folder is named by the
# frozen date-time, and so is every stamp: the stop-loss set on focus, the confirmed
# date-time, the target's set date-time and the status time.
backup=$out/backups/
mkdir -p "$backup"
trade_folder backup
unset backup
run_diary "$w" <<SCRIPT || fail "backup: exit status $?"
$(begin)
clock 2009/03/05 14:07:09
$(new_trade)
$(entry USD/JPY 買い ５分足 110.50)
$(start)
$(new_trade)
$(hold)
clock 2010/01/02 03:04:05
click MAINFORM.BUTTON55
click FORM7.BUTTON53
clock 2026/03/05 12:00:00
$(new_trade)
click FORM3.EDIT7
expect FORM3.TEXT62 text "2010/01/02_03:04:05"
type FORM3.EDIT7 109
click FORM3.BUTTON32
expect FORM3.TEXT65 text "2010/01/02_03:04:05"
$(price TEXT69 111.20)
expect FORM3.TEXT70 text "2010/01/02_03:04:05"
$(hold)
$(end_run)
SCRIPT
ls "$out/backups" >"$out/backups.txt"
diff "$out/backups.txt" - <<'TXT' || fail "backup: the backup folders"
090305_140709
090305_140709_2
100102_030405
TXT
[[ $(trade_records "$out/backups/090305_140709/$inprogress" 1) == 1 && $(records "$out/backups/090305_140709/$inprogress" | wc -l) == 1 &&
  $(records "$out/backups/090305_140709_2/$inprogress" | wc -l) == 2 ]] || fail "backup: a backup does not hold its step's trades"
cmp -s "$out/backups/100102_030405/$inprogress" "$w/trades/$inprogress" || fail "backup: the last backup is not the file"
[[ -f $out/backups/090305_140709/基本データ.TXT && ! -e $out/backups/090305_140709/$archive ]] || fail "backup: the files of a backup"
utf8 "$w/trades/$inprogress" | sed -n '/^0300_取引ナンバー, 3$/,/ここまで/p' >"$out/third.txt"
[[ $(grep -c '2010/01/02_03:04:05' "$out/third.txt") == 4 ]] || fail "backup: not every stamp of the third trade is the frozen date-time"

# --- The price and date-time commands: "価格に反映" copies the stop-loss or the target into
# the price; the date-time boxes of TEXT65 and TEXT62 take what is typed, parts out of
# range clamped (hour 25 becomes 23), and a cancelled box changes nothing. The confirmed
# date-time typed is the one stored at the hold.
trade_folder commands
run_diary "$w" <<SCRIPT || fail "price commands: exit status $?"
$(begin)
clock 2026/03/05 09:00:00
$(new_trade)
$(price TEXT54 109.80)
$(price TEXT69 111.20)
$(entry USD/JPY 買い ５分足 110.50)
$(start)
$(open_line 0)
expect FORM3.BUTTON52 visible 1
click FORM3.BUTTON52
expect FORM3.EDIT2 text "109"
expect FORM3.EDIT3 text "80"
click FORM3.BUTTON63
expect FORM3.EDIT2 text "111"
expect FORM3.EDIT3 text "20"
expect FORM3.TEXT65 text "_"
click FORM3.TEXT65
expect FORM7 text "決済 日時確定"
expect FORM7.TEXT63 text "半角または全角で各欄に数値を入力して下さい。"
type FORM7.EDIT14 26
type FORM7.EDIT15 03
type FORM7.EDIT16 06
type FORM7.EDIT17 25
type FORM7.EDIT18 30
type FORM7.EDIT19 00
click FORM7.BUTTON53
expect FORM3.TEXT65 text "2026/03/06_23:30:00"
click FORM3.TEXT65
expect FORM7.EDIT17 text "23"
click FORM7.BUTTON54
expect FORM3.TEXT65 text "2026/03/06_23:30:00"
click FORM3.TEXT62
expect FORM7 text "損切り価格の日時設定"
expect FORM7.EDIT17 text "09"
click FORM7.BUTTON53
expect FORM3.TEXT62 text "2026/03/05_09:00:00"
$(hold)
$(end_run)
SCRIPT
[[ $(utf8 "$w/trades/$inprogress" | sed -n '/^0300_日時確定/{n;p}' | sed -n 2p) == '"2026/03/06_23:30:00"' ]] ||
  fail "price commands: the typed confirmed date-time was not stored"
[[ $(field "$w/trades/$inprogress" 2 価格) == 111.20 ]] || fail "price commands: the target was not taken as the price"

# --- Start-up with closed trades of an earlier week: "整理データの表示" is enabled at once,
# "データフォルダの移動" only while there is an in-progress file; in a relocated folder it
# stays disabled even with one.
trade_folder last_week
cp "$out/buy/trades/$archive" "$w/trades/"
run_diary "$w" <<SCRIPT || fail "last week: exit status $?"
$(begin)
expect MAINFORM.BUTTON21 enabled 1
expect MAINFORM.BUTTON22 enabled 0
$(new_trade)
$(hold)
expect MAINFORM.BUTTON22 enabled 1
$(end_run)
SCRIPT
trade_folder relocated
cp "$out/buy/trades/$archive" "$w/trades/"
sj <"$fixtures/open_and_held_trades.txt" >"$w/trades/移転しました.TXT"
sj <"$fixtures/open_and_held_trades.txt" >"$w/trades/$inprogress"
run_diary "$w" <<SCRIPT || fail "relocated: exit status $?"
$(begin)
$(stop_message 取引不能警告 "指定したフォルダ内には取引中のデータが移転している為\n存在しませんので、整理データを見る事しかできません。")
expect MAINFORM.BUTTON21 enabled 1
expect MAINFORM.BUTTON22 enabled 0
expect MAINFORM.BUTTON50 enabled 0
expect MAINFORM.LIST1 enabled 0
$(end_run)
SCRIPT

# --- A faulty in-progress file stops the start with a message naming the file, and
# nothing is written: a header without "_" (its caption takes the key read before it),
# a header numbered 0, and more records than the table has slots.
stops_start() {
  local name=$1 stock=$2 caption=$3 text=$4
  trade_folder "$name" sample_basic_data.txt "$stock"
  cat >"$w/trades/$inprogress"
  local before
  before=$(md5sum "$w/KANKYO.TXT" "$w/basic/基本データ.TXT" "$w/trades/$inprogress")
  run_diary "$w" <<SCRIPT || fail "$name: exit status $?"
$(begin)
$(stop_message "$caption" "$text")
SCRIPT
  [[ $(md5sum "$w/KANKYO.TXT" "$w/basic/基本データ.TXT" "$w/trades/$inprogress") == "$before" ]] || fail "$name: a file was written"
  [[ $(ls "$w/trades") == $(printf '%s\n' FXCG "$inprogress") ]] || fail "$name: a file was made"
}
sed 's/^0300_価格,110.50$/価格,110.50/' "$fixtures/open_and_held_trades.txt" | sj |
  stops_start no_underscore 20 "売買項目  価格←ヘッダーエラー" "取引中データ.TXTの上記のヘッダーを修正して下さい"
sed 's/^0300_価格,110.50$/0000_価格,110.50/' "$fixtures/open_and_held_trades.txt" | sj |
  stops_start number_zero 20 "価格  0000_価格←ヘッダーエラー" "取引中データ.TXTの上記のヘッダーを修正して下さい"
cat "$fixtures/open_and_held_trades.txt" "$fixtures/open_and_held_trades.txt" | sj |
  stops_start too_many 2 "ストック量エラー" "取引中データ.TXTの取引データが3件を超えています。\n基本データ.TXTのストック量（2）を増やして下さい。"

# --- Trade numbers survive a crash: a step writes the number it took into the basic data
# at once (backups off), and a number the basic data lost with a killed run is taken over
# from the in-progress file at the next start: no number is given twice.
trade_folder numbers
# The first run stops after its step without the main window's end (the script ends while
# the diary waits), which would write the basic data too.
status=0
run_diary "$w" <<SCRIPT || status=$?
$(begin)
$(new_trade)
$(hold)
SCRIPT
if [[ $status != 1 ]] || ! grep -q 'still waiting' "$out/run.out" "$out/run.err"; then
  fail "numbers: the first run did not stop waiting"
fi
has_line "$w/basic/基本データ.TXT" '0300_取引ナンバー,49' || fail "numbers: the step did not write its trade number"
status=0
{
  QUILLON_KILL_AT=after-trade-file run_diary "$w" <<SCRIPT || status=$?
$(begin)
$(new_trade)
$(hold)
SCRIPT
} 2>>"$out/killed.txt"
[[ $status == 137 ]] || fail "numbers: the run ended with status $status, not by SIGKILL"
has_line "$w/basic/基本データ.TXT" '0300_取引ナンバー,49' || fail "numbers: the killed run wrote the basic data"
run_diary "$w" <<SCRIPT || fail "numbers: restart exit status $?"
$(begin)
$(new_trade)
expect FORM3 text "新規取引 　＜＜＜　取引ナンバー３　＞＞＞"
$(hold)
$(end_run)
SCRIPT
[[ $(records "$w/trades/$inprogress" | cut -d' ' -f1 | tr '\n' ' ') == "1 2 3 " ]] || fail "numbers: the trades' numbers"

# --- A cancel while the emergency settlement is armed asks first; Yes withdraws the
# cancel (the screen stays), No cancels.
trade_folder emergency_cancel
run_diary "$w" <<SCRIPT || fail "emergency cancel: exit status $?"
$(begin)
$(new_trade)
$(entry USD/JPY 買い ５分足 110.50)
click FORM3.BUTTON51
click FORM7.BUTTON54
answer msgbox yes "緊急決済　日時確定処理の確認" "「緊急決済　日時確定」ボタンが押されています。\nキャンセル処理を取り消しますか？"
$(cancel)
expect FORM3 visible 1
answer msgbox no "緊急決済　日時確定処理の確認"
$(cancel)
expect FORM3 visible 0
expect MAINFORM.LIST1 count 1
$(end_run)
SCRIPT
[[ ! -s $w/trades/$inprogress ]] || fail "emergency cancel: the cancelled trade was written"

# --- The kill test: a trade step killed (SIGKILL) at each point between its writes, then
# a normal start. Every trade is whole exactly once, in "取引中データ.TXT" or in
# "整理データ.TXT": the files are those from before the step or those from after it, the
# note of the step is gone, and the next trade step works. Trade 1 is archived, trade 2
# is settled (first in part, then the rest), trade 3 stays open.
trade_folder kill_setup default_basic_data.txt "" 3
run_diary "$w" <<SCRIPT || fail "kill setup: exit status $?"
$(begin)
clock 2026/03/05 09:00:00
$(new_trade)
$(entry USD/JPY 買い ５分足 110.00)
$(start)
$(open_line 0)
$(settle 110.50)
$(new_trade)
$(entry AUD/JPY 売り ５分足 80.00)
$(start)
$(open_line 0)
$(price TEXT53 79.50)
click FORM3.BUTTON32
$(hold)
$(new_trade)
$(entry NZD/JPY 買い ５分足 70.00)
$(start)
$(end_run)
SCRIPT
edit_field "$w/trades/$inprogress" 2 決済枚数 " 1"
# The two steps: the held part of trade 2 settled (no archive), then the rest (archived).
partial_step() {
  begin
  echo 'clock 2026/03/05 10:00:00'
  open_line 0
  settle
  end_run
}
close_step() {
  begin
  echo 'clock 2026/03/05 11:00:00'
  open_line 0
  settle 79.80
  end_run
}
# snapshot STATE: the trade data of $w kept as STATE; prepare NAME STATE: a working
# folder ($w) that holds them.
snapshot() { cp -R "$w/trades" "$out/state_$1"; }
prepare() {
  w=$(fresh "$1")
  cp "$out/kill_setup/basic/基本データ.TXT" "$w/basic/"
  cp -R "$out/state_$2/." "$w/trades/"
  kankyo "$w/basic/" "$w/trades/" >"$w/KANKYO.TXT"
}
same_trades() {
  local f
  for f in "$inprogress" "$archive"; do
    [[ ! -e $1/$f && ! -e $2/$f ]] || cmp -s "$1/$f" "$2/$f" || return 1
  done
}
# counts FOLDER NUMBER: the records of trade NUMBER in the in-progress file and the archive.
counts() { echo "$(trade_records "$1/$inprogress" "$2") $(trade_records "$1/$archive" "$2")"; }
snapshot start
prepare kill_reference start
run_diary "$w" < <(partial_step) || fail "kill reference: partial step exit status $?"
snapshot partial
run_diary "$w" < <(close_step) || fail "kill reference: close step exit status $?"
snapshot closed
[[ $(counts "$out/state_partial" 2) == "2 0" && $(counts "$out/state_closed" 2) == "0 4" ]] ||
  fail "kill reference: trade 2 is not settled as the steps say"
while read -r point step before after; do
  prepare "kill_${step}_$point" "$before"
  status=0
  # (The shell's own "Killed" notice goes with the run's stderr.)
  { QUILLON_KILL_AT=$point run_diary "$w" < <("${step}_step") || status=$?; } 2>>"$out/killed.txt"
  [[ $status == 137 ]] || fail "kill at $point ($step): the run ended with status $status, not by SIGKILL"
  # The cut is where it was meant to be: an archive step leaves its note, and a cut inside
  # the append a torn archive for the start to cut back.
  if [[ $step == close ]]; then
    [[ -e $w/trades/.quillon-archive-step ]] || fail "kill at $point: no note of the step was left"
  fi
  if [[ $point == inside-archive-append ]]; then
    (($(stat -c %s "$w/trades/$archive") > $(stat -c %s "$out/state_$before/$archive"))) ||
      fail "kill at $point: the archive holds no part of the records"
  fi
  run_diary "$w" <<SCRIPT || fail "kill at $point ($step): restart exit status $?"
$(begin)
$(end_run)
SCRIPT
  [[ ! -e $w/trades/.quillon-archive-step ]] || fail "kill at $point ($step): the note of the step is still there"
  same_trades "$w/trades" "$out/state_$before" || same_trades "$w/trades" "$out/state_$after" ||
    fail "kill at $point ($step): the trade files are neither those before nor those after the step"
  for number in 1 2 3; do
    found=$(counts "$w/trades" "$number")
    [[ $found == $(counts "$out/state_$before" "$number") || $found == $(counts "$out/state_$after" "$number") ]] ||
      fail "kill at $point ($step): trade $number has $found records (in progress, archived)"
  done
  for f in "$inprogress" "$archive"; do
    status=0
    "$data_tool" check "$w/trades/$f" >"$out/run.out" 2>"$out/run.err" || status=$?
    [[ $status == 0 ]] || fail "kill at $point ($step): quillon-data check $f failed"
  done
  run_diary "$w" <<SCRIPT || fail "kill at $point ($step): the next step exit status $?"
$(begin)
$(new_trade)
$(hold)
$(end_run)
SCRIPT
  [[ $(counts "$w/trades" 4) == "1 0" && $(records "$w/trades/$inprogress" | tail -1) == "4 0 開始保留 0 0 0 0 0" ]] ||
    fail "kill at $point ($step): the next step did not write its trade"
done <<'CASES'
before-trade-file partial start partial
after-trade-file partial start partial
after-note close partial closed
inside-archive-append close partial closed
after-archive-append close partial closed
after-trade-file close partial closed
CASES

echo "all trade runs passed"
