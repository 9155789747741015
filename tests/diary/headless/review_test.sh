#!/usr/bin/env bash
# The closed-trade review end to end on the headless backend: scripted runs of QUILLON on
# archives written by hand in the record layout (closed_trades.txt: trade 5 bought and
# settled in two steps, trade 6 sold at a loss without target and with an orientation
# memo, trade 7 at no profit with group 2 alone), each in a working folder of its own,
# checked by the controls of the closed-trade window, the clipboard and the files.
#   review_test.sh QUILLON FIXTURES OUTPUT_FOLDER
set -euo pipefail
quillon=$1
fixtures=$2
out=$3
rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)

# shellcheck source-path=SCRIPTDIR source=headless_helpers.sh
source "$(dirname "$0")/headless_helpers.sh"
# The fixture's record texts and with_memo.
# shellcheck source=../support/closed_trades.sh
source "$(dirname "$0")/../support/closed_trades.sh"

inprogress=取引中データ.TXT
archive=整理データ.TXT

# review_folder NAME [ARCHIVE]: a fresh working folder ($w) with the sample basic data and
# the archive ARCHIVE (UTF-8, closed_trades.txt when none) in its trade-data folder.
review_folder() {
  w=$(fresh "$1")
  sj <"$fixtures/sample_basic_data.txt" >"$w/basic/基本データ.TXT"
  kankyo "$w/basic/" "$w/trades/" >"$w/KANKYO.TXT"
  sj <"${2:-$fixtures/closed_trades.txt}" >"$w/trades/$archive"
}

# --- Script lines.
begin() { echo 'answer file "取引中データ.TXT" "取引中データファイルを保存する場所は?"'; }
open_review() { echo 'click MAINFORM.BUTTON21'; }
end_run() { echo 'close MAINFORM'; }
# text: the lines on stdin as one script text, "\n" after each line (CR LF in a window); a
# "|" at the end of a line only shows where its blanks end.
text() { sed 's/|$//' | awk '{ printf "%s\\n", $0 }'; }
# expect_text NAME: NAME shows the lines on stdin, each followed by CR LF.
expect_text() { printf 'expect %s text "%s"\n' "$1" "$(text)"; }
# The controls of the closed-trade window that the memo window locks while it is shown.
locked="BUTTON23 LIST2 LIST4 LIST5 LIST6 CHECK1 CHECK2 CHECK3 BUTTON33 BUTTON34 BUTTON35 BUTTON36 BUTTON37 BUTTON38"
expect_locked() { for c in $locked; do echo "expect FORM5.$c enabled $((1 - $1))"; done; }
# The closed-trade list's lines, and a memo record's line in a settlement list.
trade5='      5 : USD/JPY : 買い : 2026/03/02_09:06:00 :  13000'
trade6='      6 : EUR/JPY : 売り : 2026/03/03_14:00:00 : -5000'
trade7='      7 : AUD/JPY : 買い : 2026/03/04_09:00:00 :  0'
no_memo='－－－－　見当識　メ　モ　－－－－'
with_memo='－－－　見当識　メモ（あり）－－－'
# expect_list NAME ITEM...: the list holds exactly these items.
expect_list() {
  local name=$1 i=0
  shift
  echo "expect $name count $#"
  for item in "$@"; do
    echo "expect $name item $i \"$item\""
    i=$((i + 1))
  done
}

# same_file FILE EXPECTED WHAT: FILE holds the bytes of EXPECTED (a CP932 file).
same_file() {
  cmp -s "$1" "$2" || {
    diff <(utf8 "$2") <(utf8 "$1") || true
    fail "$3"
  }
}

# --- The list of closed trades: every entry once, in file order, with its final profit
# amount (trade 5 settled in two steps: its entry's 損益額); a trade's settlements and
# its memo record; the result filters, where turning both off turns the other one on
# again, in both directions; the pair filter.
review_folder lists
run_diary "$w" <<SCRIPT || fail "lists: exit status $?"
$(begin)
$(open_review)
expect FORM5 visible 1
expect MAINFORM visible 0
$(expect_list FORM5.LIST2 "$trade5" "$trade6" "$trade7")
$(expect_list FORM5.LIST4 "トレンド分析" "サポート" "指標" "時間帯" "時間軸")
expect FORM5.LIST4 marked 0 1
expect FORM5.LIST4 marked 3 1
expect FORM5.BUTTON33 enabled 0
expect FORM5.BUTTON49 enabled 0
pick FORM5.LIST2 0
$(expect_list FORM5.LIST3 "2026/03/02_10:00:00 : 売り :  0.5" "2026/03/02_11:00:00 : 売り :  0.8" "$no_memo")
expect FORM5.BUTTON33 enabled 1
expect FORM5.BUTTON34 enabled 0
pick FORM5.LIST2 1
$(expect_list FORM5.LIST3 "2026/03/03_15:00:00 : 買い : -0.5" "$with_memo")
pick FORM5.LIST2 2
$(expect_list FORM5.LIST3 "2026/03/04_09:30:00 : 売り :  0" "$no_memo")
tick FORM5.CHECK2 0
expect FORM5.CHECK3 checked 1
$(expect_list FORM5.LIST2 "$trade6" "$trade7")
expect FORM5.LIST3 count 0
tick FORM5.CHECK3 0
expect FORM5.CHECK2 checked 1
expect FORM5.CHECK3 checked 0
$(expect_list FORM5.LIST2 "$trade5")
tick FORM5.CHECK2 0
expect FORM5.CHECK2 checked 0
expect FORM5.CHECK3 checked 1
$(expect_list FORM5.LIST2 "$trade6" "$trade7")
tick FORM5.CHECK2 1
pick FORM5.COMBO45 "EUR/JPY"
$(expect_list FORM5.LIST2 "$trade6")
pick FORM5.COMBO45 "NZD/JPY"
expect FORM5.LIST2 count 0
tick FORM5.CHECK3 0
pick FORM5.COMBO45 "AUD/JPY"
expect FORM5.LIST2 count 0
pick FORM5.COMBO45 "全部"
$(expect_list FORM5.LIST2 "$trade5")
click FORM5.BUTTON23
$(end_run)
SCRIPT
same_file "$w/trades/$archive" <(sj <"$fixtures/closed_trades.txt") "lists: the archive was written"

# --- The record texts: an entry with its groups, sub-items and options, and its memo;
# "未設定項目は表示しない" and the item list deciding what the next text shows; a
# settlement with its profit texts (right-aligned to each other, back to 0 for an entry);
# an entry without target; the memo record; the chart images of the shown record.
review_folder texts
run_diary "$w" <<SCRIPT || fail "texts: exit status $?"
$(begin)
$(open_review)
expect FORM5.TEXT12 text "この決済の損益  0"
pick FORM5.LIST2 0
$(entry5_all | expect_text FORM5.EDIT9)
expect FORM5.EDIT10 text ""
tick FORM5.CHECK1 1
$(entry5_all | expect_text FORM5.EDIT9)
pick FORM5.LIST2 0
$(entry5_set_only | expect_text FORM5.EDIT9)
tick FORM5.CHECK1 0
pick FORM5.LIST4 0
pick FORM5.LIST4 3
expect FORM5.LIST4 marked 0 0
pick FORM5.LIST2 0
$(entry5_selected | expect_text FORM5.EDIT9)
pick FORM5.LIST4 0
pick FORM5.LIST4 3
pick FORM5.LIST2 0
pick FORM5.LIST3 0
expect FORM5.TEXT12 text "この決済の損益  5000"
expect FORM5.TEXT13 text "ここまでの損益  5000"
pick FORM5.LIST3 1
$(settlement5 | expect_text FORM5.EDIT10)
$(entry5_all | expect_text FORM5.EDIT9)
expect FORM5.TEXT12 text "この決済の損益   8000"
expect FORM5.TEXT13 text "ここまでの損益  13000"
expect FORM5.BUTTON34 enabled 1
expect FORM5.BUTTON49 enabled 0
pick FORM5.LIST2 1
expect FORM5.TEXT12 text "この決済の損益  0"
expect FORM5.TEXT13 text "ここまでの損益  0"
expect FORM5.EDIT10 text ""
expect FORM5.BUTTON34 enabled 0
$(entry6 | expect_text FORM5.EDIT9)
$(expect_list FORM5.LIST5 "損切り" "トレンド分析")
pick FORM5.LIST3 0
expect FORM5.TEXT12 text "この決済の損益 -5000"
expect FORM5.TEXT13 text "ここまでの損益 -5000"
pick FORM5.LIST3 1
$(memo6 | expect_text FORM5.EDIT10)
$(expect_list FORM5.LIST6 "メモ１")
expect FORM5.BUTTON49 enabled 1
pick FORM5.LIST2 2
$(entry7 | expect_text FORM5.EDIT9)
expect FORM5.LIST5 count 0
click FORM5.BUTTON23
$(end_run)
SCRIPT

# --- The texts out: "ファイルに出力" writes the text and CR LF to the chosen name with
# ".TXT" for its extension, in the chosen folder; cancelled, it writes nothing.
# "クリップボードへ" puts the whole text on the clipboard.
review_folder output
mkdir "$w/reports"
run_diary "$w" <<SCRIPT || fail "output: exit status $?"
$(begin)
$(open_review)
pick FORM5.LIST2 0
answer file "$w/reports/report.doc" "テキストファイルに出力する為のファイルの選択"
click FORM5.BUTTON35
click FORM5.BUTTON33
$(printf 'expect clipboard "%s"' "$(entry5_all | text)")
pick FORM5.LIST3 1
answer file cancel
click FORM5.BUTTON36
click FORM5.BUTTON34
$(printf 'expect clipboard "%s"' "$(settlement5 | text)")
click FORM5.BUTTON23
$(end_run)
SCRIPT
made=$(find "$w/reports" -mindepth 1 -printf '%f ')
[[ $made == "report.TXT " ]] || fail "output: the folder holds $made"
same_file "$w/reports/report.TXT" <({ entry5_all | sed 's/|$//'; echo; } | sj) "output: report.TXT is not the text with CR LF"

# --- The orientation memo: edited on trade 5's memo record, the memo window locks the
# review (its close box included) until its "閉じる" stores the memo; the archive is
# rewritten with every other record as it was read, and the next start shows the memo.
review_folder memo
run_diary "$w" <<SCRIPT || fail "memo: exit status $?"
$(begin)
$(open_review)
pick FORM5.LIST2 0
pick FORM5.LIST3 2
expect FORM5.BUTTON49 enabled 1
click FORM5.BUTTON49
expect FORM4 visible 1
expect FORM4.EDIT1 text ""
expect FORM5.BUTTON49 enabled 0
$(expect_locked 1)
close FORM5
expect FORM5 visible 1
expect FORM4 visible 1
type FORM4.EDIT1 "ダマシに注意\n次は待つ"
click FORM4.BUTTON14
expect FORM4 visible 0
$(expect_locked 0)
$(expect_list FORM5.LIST3 "2026/03/02_10:00:00 : 売り :  0.5" "2026/03/02_11:00:00 : 売り :  0.8" "$with_memo")
pick FORM5.LIST3 2
$(printf '%s\n' "－－－－－－－　見当識　メ　　モ　－－－－－－－" "ダマシに注意" "次は待つ" | expect_text FORM5.EDIT10)
close FORM5
expect MAINFORM visible 1
$(open_review)
expect FORM5.LIST2 enabled 1
expect FORM5.BUTTON23 enabled 1
pick FORM5.LIST2 0
expect FORM5.LIST3 item 2 "$with_memo"
click FORM5.BUTTON23
$(end_run)
SCRIPT
with_memo 4 ダマシに注意 次は待つ <"$fixtures/closed_trades.txt" | sj >"$out/memo_expected.txt"
same_file "$w/trades/$archive" "$out/memo_expected.txt" "memo: the archive does not hold the memo as its layout gives it"
# Read back, the memos come into the memo window; its close box stores the memo as its
# "閉じる" does, and storing them unchanged gives the same bytes.
run_diary "$w" <<SCRIPT || fail "memo read back: exit status $?"
$(begin)
$(open_review)
pick FORM5.LIST2 0
pick FORM5.LIST3 2
click FORM5.BUTTON49
expect FORM4.EDIT1 text "ダマシに注意\n次は待つ"
close FORM4
expect FORM4 visible 0
expect FORM5.BUTTON23 enabled 1
pick FORM5.LIST2 1
pick FORM5.LIST3 1
click FORM5.BUTTON49
expect FORM4.EDIT1 text "損切りが遅れた\n次は早めに"
expect FORM4.BUTTON15 text "参照済"
expect FORM4.BUTTON16 text "ＣＧ参照"
click FORM4.BUTTON14
click FORM5.BUTTON23
$(end_run)
SCRIPT
same_file "$w/trades/$archive" "$out/memo_expected.txt" "memo: storing an unchanged memo changed the archive"

# --- A header error in the archive stops the program with the key, the header and the
# archive's name, and nothing is written.
stops_review() {
  local name=$1 from=$2 to=$3 caption=$4
  review_folder "$name" <(sed "s/^$from\$/$to/" "$fixtures/closed_trades.txt")
  local before
  before=$(cd "$w" && find . -type f -exec md5sum {} + | sort)
  run_diary "$w" <<SCRIPT || fail "$name: exit status $?"
$(begin)
answer msgbox ok "$caption" "整理データ.TXTの上記のヘッダーを修正して下さい"
$(open_review)
SCRIPT
  [[ $(cd "$w" && find . -type f -exec md5sum {} + | sort) == "$before" ]] || fail "$name: a file was written or made"
}
stops_review number_zero '0300_損益額,-5000' '0000_損益額,-5000' "損益額  0000_損益額←ヘッダーエラー"
stops_review no_underscore '0300_価格,160.50' '価格,160.50' "売買項目  価格←ヘッダーエラー"

# --- An archive cut off inside its last record: the warning once, the whole records
# shown, the file as it was after opening and closing. Cut inside trade 7's memo record,
# trade 7 is listed with its settlement; cut inside its entry, it is not listed.
# whole N: the bytes of the fixture's first N records.
whole() { awk -v n="$1" '/ここから/ { r++ } r > n { exit } { print }' "$fixtures/closed_trades.txt" | sj | wc -c; }
warning='answer msgbox ok "整理データの警告" "整理データ.TXTの最後の取引データが途中で切れているため、切れた部分は表示しません。\nそれより前の取引データはすべて表示します。"'
# Each case: the whole records before the cut, the trades listed, the last of them, the
# lines of its settlement list.
declare -A first_settlement=([trade6]="2026/03/03_15:00:00 : 買い : -0.5" [trade7]="2026/03/04_09:30:00 : 売り :  0")
while read -r records count last settlements; do
  review_folder "cut_$records"
  sj <"$fixtures/closed_trades.txt" | head -c $(($(whole "$records") + 200)) >"$w/trades/$archive"
  cp "$w/trades/$archive" "$out/cut_$records.txt"
  run_diary "$w" <<SCRIPT || fail "cut after $records records: exit status $?"
$(begin)
$warning
$(open_review)
expect FORM5.LIST2 count $count
expect FORM5.LIST2 item $((count - 1)) "${!last}"
pick FORM5.LIST2 $((count - 1))
expect FORM5.LIST3 count $settlements
expect FORM5.LIST3 item 0 "${first_settlement[$last]}"
click FORM5.BUTTON23
$(end_run)
SCRIPT
  same_file "$w/trades/$archive" "$out/cut_$records.txt" "cut after $records records: opening and closing changed the archive"
done <<'CASES'
9 3 trade7 1
7 2 trade6 2
CASES
# After a memo edit the whole records are written again and the cut-off end after them.
w=$out/cut_9
run_diary "$w" <<SCRIPT || fail "cut memo: exit status $?"
$(begin)
$warning
$(open_review)
pick FORM5.LIST2 0
pick FORM5.LIST3 2
click FORM5.BUTTON49
type FORM4.EDIT1 "ダマシに注意"
click FORM4.BUTTON14
click FORM5.BUTTON23
$(end_run)
SCRIPT
{
  with_memo 4 ダマシに注意 <"$fixtures/closed_trades.txt" | awk '/ここから/ { n++ } n == 10 { exit } { print }' | sj
  tail -c +$(($(whole 9) + 1)) "$out/cut_9.txt"
} >"$out/cut_expected.txt"
same_file "$w/trades/$archive" "$out/cut_expected.txt" "cut: the memo edit did not keep the cut-off end after the whole records"

# --- Closing the review, by "閉じる" and by the close box, gives the trade window back as
# at start-up: the basic data's group names again (the archive's "トレンド分析" is not
# written into the trades), the trades in progress, the stock display, and the trade
# number taken over from the in-progress file (14, the basic data hold 12).
while read -r name closer; do
  review_folder "$name"
  sj <"$fixtures/open_and_held_trades.txt" >"$w/trades/$inprogress"
  run_diary "$w" <<SCRIPT || fail "$name: exit status $?"
$(begin)
$(open_review)
pick FORM5.LIST2 0
$closer
expect FORM5 visible 0
expect MAINFORM visible 1
expect MAINFORM.LIST1 count 3
expect MAINFORM.LIST1 item 2 "新規取引"
expect MAINFORM.TEXT56 text "ストックサイズ： 20\nストック消費量： 2"
expect MAINFORM.BUTTON21 enabled 1
clock 2026/03/05 10:02:00
pick MAINFORM.LIST1 1
click FORM3.BUTTON13
answer msgbox yes "確認メッセージ" "本当に新規に取引を開始しますか？"
click MAINFORM.BUTTON50
expect FORM3 text "新規取引 　＜＜＜　取引ナンバー１５　＞＞＞"
click FORM3.BUTTON20
$(end_run)
SCRIPT
  same_file "$w/trades/$inprogress" <(sj <"$fixtures/open_and_held_trades.txt") "$name: the trades in progress written again differ"
  same_file "$w/trades/$archive" <(sj <"$fixtures/closed_trades.txt") "$name: the archive was written"
  has_line "$w/basic/基本データ.TXT" 'グループ名,トレンド' || fail "$name: the basic data lost their group name"
done <<'CASES'
close_button click FORM5.BUTTON23
close_box close FORM5
CASES

# --- In a relocated folder closing the review ends the program: the memo edited is
# written first, then the environment with the window's place; the basic data, which
# hold the archive's group names meanwhile, are not written.
review_folder relocated
sj <"$fixtures/open_and_held_trades.txt" >"$w/trades/移転しました.TXT"
run_diary "$w" <<SCRIPT || fail "relocated: exit status $?"
$(begin)
answer msgbox ok "取引不能警告" "指定したフォルダ内には取引中のデータが移転している為\n存在しませんので、整理データを見る事しかできません。"
$(open_review)
move FORM5 300 200
pick FORM5.LIST2 0
pick FORM5.LIST3 2
click FORM5.BUTTON49
type FORM4.EDIT1 "ダマシに注意\n次は待つ"
click FORM4.BUTTON14
answer msgbox ok "強制終了警告" "指定したフォルダ内には取引データが存在しませんので、終了します。"
click FORM5.BUTTON23
SCRIPT
same_file "$w/trades/$archive" "$out/memo_expected.txt" "relocated: the memo was not written"
same_file "$w/basic/基本データ.TXT" <(sj <"$fixtures/sample_basic_data.txt") "relocated: the basic data were written"
utf8 "$w/KANKYO.TXT" | grep -A2 '^0300_整理データ表示・ウインドウ,' | tr '\n' ' ' | grep -Fq 'Ｘ座標位置, 300 Ｙ座標位置, 200' ||
  fail "relocated: KANKYO.TXT does not hold the window's place"
[[ ! -e $w/trades/$inprogress ]] || fail "relocated: an in-progress file was made"

# --- A trade recorded with the trade commands and reviewed in the same run: 2 lots bought
# at 110.50 with a group choice, an option, stop-loss and target, sold at 111.00.
w=$(fresh recorded)
sed 's/^0300_注文枚数, .*/0300_注文枚数, 2/' "$fixtures/sample_basic_data.txt" | sj >"$w/basic/基本データ.TXT"
kankyo "$w/basic/" "$w/trades/" >"$w/KANKYO.TXT"
price() { printf 'click FORM3.%s\ntype FORM7.EDIT13 %s\nclick FORM7.BUTTON53\n' "$1" "$2"; }
run_diary "$w" <<SCRIPT || fail "recorded: exit status $?"
$(begin)
clock 2026/03/05 09:00:00
answer msgbox yes "確認メッセージ" "本当に新規に取引を開始しますか？"
click MAINFORM.BUTTON50
pick FORM3.COMBO2 "USD/JPY"
pick FORM3.COMBO3 "買い"
pick FORM3.COMBO4 "５分足"
clock 2026/03/05 09:01:00
pick FORM3.COMBO10 "上昇"
clock 2026/03/05 09:02:00
$(price TEXT54 109.80)
$(price TEXT69 111.20)
click FORM3.BUTTON24
pick FORM6.COMBO6 "東京"
$(price TEXT53 110.50)
clock 2026/03/05 09:05:00
click FORM3.BUTTON32
clock 2026/03/05 09:06:00
answer msgbox yes "確認メッセージ" "本当に取引を開始しますか？"
click FORM3.BUTTON12
clock 2026/03/05 10:30:00
pick MAINFORM.LIST1 0
$(price TEXT53 111.00)
click FORM3.BUTTON32
answer msgbox yes "確認メッセージ" "本当に決済しますか？"
click FORM3.BUTTON12
expect MAINFORM.LIST1 count 1
$(open_review)
$(expect_list FORM5.LIST2 "     13 : USD/JPY : 買い : 2026/03/05_09:06:00 :  10000")
pick FORM5.LIST2 0
$(expect_list FORM5.LIST3 "2026/03/05_10:30:00 : 売り :  0.5" "$no_memo")
$(
  cat <<'TXT' | expect_text FORM5.EDIT9
2026/03/05_09:06:00 : USD/JPY  買い          |
                      110.50   2枚  10000通貨
2026/03/05_09:02:00 : 111.20   ←決済目標価格
2026/03/05_09:02:00 : 109.80   ←損切り価格
2026/03/05_09:05:00エントリー
－－－－－－－－－－－－－－－－－－－－－－－
      基本時間足   　５分足


トレンド

2026/03/05_09:01:00　方向　上昇

                   　１５分足相当　未設定


                   　指標　未設定

2026/03/05_09:02:00　時間帯　東京
TXT
)
pick FORM5.LIST3 0
expect FORM5.TEXT12 text "この決済の損益  10000"
expect FORM5.TEXT13 text "ここまでの損益  10000"
pick FORM5.LIST3 1
click FORM5.BUTTON49
type FORM4.EDIT1 "利確が早い"
click FORM4.BUTTON14
expect FORM5.LIST3 item 1 "$with_memo"
click FORM5.BUTTON23
expect MAINFORM.LIST1 count 1
expect MAINFORM.TEXT56 text "ストックサイズ： 20\nストック消費量： 0"
$(end_run)
SCRIPT
utf8 "$w/trades/$archive" | awk '/ここから/ { n++ } n == 3' | grep -A7 '^0300_メモ,' >"$out/recorded_memo.txt"
diff "$out/recorded_memo.txt" - <<'TXT' || fail "recorded: the memo record does not hold the memo"
0300_メモ, 1





利確が早い
---------------------------------
TXT

# --- A hand-edited basic data file without its stock capacity: the capacity the review
# gave the table (the archive's record count) does not outlast the review; the diary's
# own 10 comes back. A filter change leaves nothing shown, so the buttons that act on a
# shown record wait for one again.
# An eleventh record, so that the archive's count is not the default 10.
{ cat "$fixtures/closed_trades.txt"; printf '********** ここから **********\n0300_取引ナンバー, 8\n0300_処理区分, 1\n---------- ここまで ----------\n\n'; } >"$out/eleven.txt"
review_folder no_stock_line "$out/eleven.txt"
grep -v -e '^0300_ストック量' "$fixtures/sample_basic_data.txt" | sj >"$w/basic/基本データ.TXT"
run_diary "$w" <<SCRIPT || fail "no stock line: exit status $?"
$(begin)
expect MAINFORM.TEXT56 text "ストックサイズ： 10\nストック消費量： 0"
$(open_review)
pick FORM5.LIST2 0
expect FORM5.BUTTON33 enabled 1
tick FORM5.CHECK3 0
expect FORM5.BUTTON33 enabled 0
expect FORM5.BUTTON35 enabled 0
expect FORM5.EDIT9 text ""
click FORM5.BUTTON23
expect MAINFORM.TEXT56 text "ストックサイズ： 10\nストック消費量： 0"
$(end_run)
SCRIPT
has_line "$w/basic/基本データ.TXT" "0300_ストック量, 10" || fail "no stock line: the review's capacity was written into the basic data"

echo "all review runs passed"
