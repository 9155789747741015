#!/usr/bin/env bash
# quillon-data on the trade files: the diary makes them in headless runs (a trade settled
# in two parts, the second part closing it, and a held trade), and quillon-data checks them,
# writes them back byte for byte, and reports a faulty header with its line.
#   quillon_data_trades_test.sh QUILLON QUILLON_DATA FIXTURES OUTPUT_FOLDER
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

# Shift-JIS with CR LF line ends, as the diary writes; and back to UTF-8 for greps.
sj() { iconv -f UTF-8 -t CP932 | sed 's/$/\r/'; }
utf8() { iconv -f CP932 -t UTF-8 "$1" | sed 's/\r$//'; }

run_diary() {
  cat >"$out/run.script"
  (cd "$w" && "$quillon" --headless "$out/run.script") >"$out/run.out" 2>"$out/run.err"
}

w=$out/diary
mkdir -p "$w/basic" "$w/trades"
sj <"$fixtures/sample_basic_data.txt" >"$w/basic/基本データ.TXT"
inprogress=$w/trades/取引中データ.TXT
archive=$w/trades/整理データ.TXT
copy=$w/basic/コピーデータ.TXT

# --- The diary's files: trade 13 bought 10 lots and started, trade 14 held.
run_diary <<SCRIPT || fail "two trades: exit status $?"
answer file "$w/basic/基本データ.TXT"
answer file "$inprogress"
clock 2026/03/02 10:15:00
answer msgbox yes "確認メッセージ"
click MAINFORM.BUTTON50
pick FORM3.COMBO2 1
pick FORM3.COMBO3 2
pick FORM3.COMBO4 2
click FORM3.TEXT53
type FORM7.EDIT13 110.50
click FORM7.BUTTON53
click FORM3.BUTTON32
answer msgbox yes "確認メッセージ"
click FORM3.BUTTON12
clock 2026/03/02 10:20:00
answer msgbox yes "確認メッセージ"
click MAINFORM.BUTTON50
pick FORM3.COMBO2 2
click FORM3.BUTTON13
close MAINFORM
SCRIPT

# 3 of the 10 lots settled the way a typist replaces a field: focus, select all, type.
# The settlement screen is copied first ("コピーデータ.TXT").
run_diary <<SCRIPT || fail "settling 3 of 10: exit status $?"
answer file "取引中データ.TXT"
clock 2026/03/02 11:00:00
pick MAINFORM.LIST1 0
expect FORM3.EDIT5 text "10"
click FORM3.TEXT53
type FORM7.EDIT13 110.80
click FORM7.BUTTON53
click FORM3.BUTTON32
click FORM3.BUTTON57
focus FORM3.EDIT5
key ctrl+a
type FORM3.EDIT5 3
expect FORM3.EDIT5 text "3"
answer msgbox yes "確認メッセージ"
click FORM3.BUTTON12
close MAINFORM
SCRIPT
grep -qx '0300_決済枚数, 3' <(utf8 "$inprogress") || fail "settling 3 of 10: no settlement of 3 lots in 取引中データ.TXT"
grep -qx '0300_注文残枚数, 7' <(utf8 "$inprogress") || fail "settling 3 of 10: 7 lots are not left open"
mkdir -p "$out/three"
three=$out/three/取引中データ.TXT
cp "$inprogress" "$three"
[[ -f $copy ]] || fail "the copy did not write コピーデータ.TXT"

# The other 7 close trade 13: it goes to the archive, trade 14 stays.
run_diary <<SCRIPT || fail "settling the rest: exit status $?"
answer file "取引中データ.TXT"
clock 2026/03/02 11:30:00
pick MAINFORM.LIST1 0
expect FORM3.EDIT5 text "7"
click FORM3.TEXT53
type FORM7.EDIT13 110.20
click FORM7.BUTTON53
click FORM3.BUTTON32
answer msgbox yes "確認メッセージ"
click FORM3.BUTTON12
close MAINFORM
SCRIPT
[[ $(grep -c '^\*\*\*\*\*\*\*\*\*\* ここから' <(utf8 "$archive")) -eq 4 ]] ||
  fail "the closed trade is not 4 records (entry, two settlements, memo) in 整理データ.TXT"

# --- check passes and rewrite gives the same bytes, with the basic data's groups and
# options in use and with those whose blocks the file holds.
for f in "$three" "$inprogress" "$archive" "$copy"; do
  "$data_tool" check "$f" >"$out/run.out" 2>"$out/run.err" || fail "check $f"
  for basic in "" "--basic $w/basic/基本データ.TXT"; do
    # shellcheck disable=SC2086
    "$data_tool" rewrite $basic "$f" "$out/rewritten" || fail "rewrite $basic $f"
    cmp -s "$f" "$out/rewritten" || fail "rewrite $basic $f changed it"
  done
done

# A choice and its date-time edited in by hand come back as they are.
mkdir -p "$out/edited"
utf8 "$three" | sed '0,/^0_未設定,""$/s//1_上昇,"2026\/03\/02_10:16:00"/' | sj >"$out/edited/取引中データ.TXT"
grep -qx '1_上昇,"2026/03/02_10:16:00"' <(utf8 "$out/edited/取引中データ.TXT") || fail "the choice fixture was not edited"
"$data_tool" rewrite "$out/edited/取引中データ.TXT" "$out/rewritten" || fail "rewrite of an edited choice"
cmp -s "$out/edited/取引中データ.TXT" "$out/rewritten" || fail "rewrite changed an edited choice"

# The basic data decide what is in use: with none of its groups and options used, their
# blocks are not written back; without --basic the file's blocks are kept.
mkdir -p "$out/nogroups"
"$data_tool" defaults "$out/nogroups/基本データ.TXT"
"$data_tool" rewrite --basic "$out/nogroups/基本データ.TXT" "$three" "$out/rewritten" || fail "rewrite with no groups in use"
! grep -q '^0300_グループ\|^0300_オプション' <(utf8 "$out/rewritten") || fail "blocks not in use were written"
[[ $(grep -c '^0300_メモ' <(utf8 "$out/rewritten")) -eq 3 ]] || fail "records were lost without their blocks"

# A check is not refused for the stock capacity: three records against a capacity of 1
# (the diary itself would stop with "ストック量エラー").
mkdir -p "$out/stock1"
utf8 "$w/basic/基本データ.TXT" | sed 's/^0300_ストック量, 20$/0300_ストック量, 1/' | sj >"$out/stock1/基本データ.TXT"
grep -qx '0300_ストック量, 1' <(utf8 "$out/stock1/基本データ.TXT") || fail "the stock fixture was not edited"
"$data_tool" check --basic "$out/stock1/基本データ.TXT" "$three" >"$out/run.out" 2>"$out/run.err" ||
  fail "check of three records against a stock capacity of 1"

# --- A header without its number stops the reading: the line, the last key and the bad
# header in the caption, and the file's own name in the text. In the archive the bad
# header is in its second record.
# break_header FILE N OUT: OUT is FILE with the N-th "0300_処理区分" line's number cut off.
break_header() {
  mkdir -p "$(dirname "$3")"
  utf8 "$1" | awk -v n="$2" '/^0300_処理区分,/ && ++seen == n { sub(/^0300_/, "") } { print }' | sj >"$3"
}
line_of() { utf8 "$1" | grep -n '^処理区分,' | cut -d: -f1; }
while read -r name source nth; do
  bad=$out/bad/$name
  break_header "$source" "$nth" "$bad"
  line=$(line_of "$bad")
  [[ -n $line ]] || fail "$name: the fixture was not broken"
  status=0
  "$data_tool" check "$bad" >"$out/run.out" 2>"$out/run.err" || status=$?
  [[ $status -eq 1 ]] || fail "check of a broken $name: exit status $status"
  grep -qx "$bad:$line: 取引ナンバー  処理区分←ヘッダーエラー" "$out/run.err" || fail "$name: the caption with line $line"
  grep -qx "${name}の上記のヘッダーを修正して下さい" "$out/run.err" || fail "$name: the text does not name the file"
  status=0
  "$data_tool" rewrite "$bad" "$out/bad/written" >"$out/run.out" 2>"$out/run.err" || status=$?
  [[ $status -eq 1 && ! -e $out/bad/written ]] || fail "rewrite of a broken $name wrote something"
done <<CASES
取引中データ.TXT $three 1
整理データ.TXT $archive 2
コピーデータ.TXT $copy 1
CASES

# A faulty --basic file is reported as the diary reports it, with its own line.
utf8 "$w/basic/基本データ.TXT" | sed 's/^0300_ストック量, 20$/ストック量, 20/' | sj >"$out/stock1/基本データ.TXT"
status=0
"$data_tool" check --basic "$out/stock1/基本データ.TXT" "$three" >"$out/run.out" 2>"$out/run.err" || status=$?
[[ $status -eq 1 ]] && grep -qx "$out/stock1/基本データ.TXT:9: ストック量←ヘッダーエラー" "$out/run.err" ||
  fail "a faulty --basic file was not reported with its line"
status=0
"$data_tool" check --basic "$w/basic/基本データ.TXT" "$w/KANKYO.TXT" >"$out/run.out" 2>"$out/run.err" || status=$?
[[ $status -eq 2 ]] || fail "--basic with KANKYO.TXT: exit status $status"
echo "all quillon-data trade-file runs passed"
