#!/usr/bin/env bash
# End-to-end runs of QUILLSET on the headless backend, each in a folder of its own,
# checked by the messages it shows, the controls it leaves and the file it writes.
#   editor_headless_test.sh QUILLSET FIXTURES DIARY_FIXTURES OUTPUT_FOLDER
set -euo pipefail
quillset=$1
fixtures=$2
diary_fixtures=$3
out=$4
rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)

# shellcheck source-path=SCRIPTDIR source=editor_headless_helpers.sh
source "$(dirname "$0")/editor_headless_helpers.sh"

# --- An empty folder: the defaults (the diary's own) are shown, and saving writes them in
# the file's layout, the trade states from "取引中" on.
w=$(fresh empty)
run_editor "$w" <<'SCRIPT' || fail "empty folder: exit status $?"
expect MAINFORM text "　＜＜　ＱＵＩＬＬＯＮ　取引画面設定　Ver.3.0　＞＞"
expect COMBO1 count 4
expect COMBO1 item 0 "未設定"
expect COMBO1 item 3 "NZD/JPY"
expect COMBO3 count 4
expect COMBO3 item 3 "１時間足"
expect EDIT1 text "10"
expect EDIT2 text "10000"
expect EDIT18 text "10"
expect EDIT19 text "FXCG"
expect GROUP1 text ""
expect COMBO4 count 1
expect FORM2 visible 0
click BUTTON33
SCRIPT
cmp -s "$w/基本データ.TXT" <(sj <"$diary_fixtures/default_basic_data.txt") || {
  diff <(utf8 "$w/基本データ.TXT") "$diary_fixtures/default_basic_data.txt" || true
  fail "empty folder: the saved defaults differ"
}
[[ $(find "$w" -type f | wc -l) -eq 1 ]] || fail "empty folder: files other than 基本データ.TXT were left: $(ls "$w")"

# --- The corrections when saving: lots 0 as 1, a unit that is no number as 10000, a
# stock capacity of 3 as 5, an empty chart-folder name as "FXCG".
w=$(fresh corrections)
run_editor "$w" <<'SCRIPT' || fail "corrections: exit status $?"
focus EDIT1
key ctrl+a
type EDIT1 0
focus EDIT2
key ctrl+a
type EDIT2 abc
focus EDIT18
key ctrl+a
type EDIT18 3
focus EDIT19
key ctrl+a
type EDIT19 ""
expect EDIT19 text ""
click BUTTON33
SCRIPT
has_line "$w/基本データ.TXT" "0300_注文枚数, 1" || fail "corrections: lots 0 not saved as 1"
has_line "$w/基本データ.TXT" "0300_通貨単位, 10000" || fail "corrections: unit not saved as 10000"
has_line "$w/基本データ.TXT" "0300_ストック量, 5" || fail "corrections: stock 3 not saved as 5"
has_line "$w/基本データ.TXT" "0300_ＣＧフォルダ名,FXCG" || fail "corrections: empty folder name not saved as FXCG"

# --- What no correction mends is refused before anything is written, the field named,
# and the editor stays: a stock capacity the diary refuses, a chart folder that is not
# one plain folder, lots no 16-bit number holds. Mended, the save goes through.
w=$(fresh refused)
run_editor "$w" <<'SCRIPT' || fail "refused values: exit status $?"
focus EDIT18
key ctrl+a
type EDIT18 10000
answer msgbox ok "ストック量の設定エラー" "ストック量「10000」は登録できません。\n9999以下の数値にして下さい。"
click BUTTON33
expect MAINFORM exists 1
focus EDIT18
key ctrl+a
type EDIT18 9999
focus EDIT19
key ctrl+a
type EDIT19 "a/b"
answer msgbox ok "ＣＧフォルダ名の設定エラー"
click BUTTON33
focus EDIT19
key ctrl+a
type EDIT19 ".."
answer msgbox ok "ＣＧフォルダ名の設定エラー"
click BUTTON33
focus EDIT19
key ctrl+a
type EDIT19 "チャート"
focus EDIT1
key ctrl+a
type EDIT1 40000
answer msgbox ok "注文枚数の設定エラー"
click BUTTON33
focus EDIT1
key ctrl+a
type EDIT1 25
click BUTTON33
SCRIPT
has_line "$w/基本データ.TXT" "0300_ストック量, 9999" || fail "refused values: stock 9999 not saved"
has_line "$w/基本データ.TXT" "0300_ＣＧフォルダ名,チャート" || fail "refused values: folder name not saved"
has_line "$w/基本データ.TXT" "0300_注文枚数, 25" || fail "refused values: lots not saved"

# --- Header numbers above 300 load nothing from those entries: the defaults stay.
w=$(fresh newer)
sj <"$fixtures/newer_headers.txt" >"$w/基本データ.TXT"
run_editor "$w" <<'SCRIPT' || fail "newer headers: exit status $?"
expect EDIT1 text "10"
expect EDIT2 text "10000"
expect EDIT18 text "10"
expect EDIT19 text "FXCG"
expect COMBO1 count 4
expect GROUP1 text ""
expect TEXT38 text ""
expect EDIT1 text "10"
click BUTTON33
SCRIPT
cmp -s "$w/基本データ.TXT" <(sj <"$diary_fixtures/default_basic_data.txt") || fail "newer headers: not the defaults"

# --- A header that does not split ends the editor with the line named above the request
# to mend it; the file stays as it was.
w=$(fresh header_error)
printf '0300_取引ナンバー,48\nストック量,10\n' | sj >"$w/基本データ.TXT"
before=$(md5sum "$w/基本データ.TXT")
run_editor "$w" <<'SCRIPT' || fail "header error: exit status $?"
answer msgbox ok "ヘッダーエラー" "ストック量,10←ヘッダーエラー\n基本データ.TXTの上記のヘッダーを修正して下さい"
SCRIPT
[[ $(md5sum "$w/基本データ.TXT") == "$before" ]] || fail "header error: the file was written"
# A list too long for its capacity keeps the shared reader's message.
printf '0300_通貨ペア,21\n' | sj >"$w/基本データ.TXT"
run_editor "$w" <<'SCRIPT' || fail "too many pairs: exit status $?"
answer msgbox ok "通貨ペア←項目数エラー" "基本データ.TXTの通貨ペアの項目数 21は最大20を超えています"
SCRIPT

# --- The location dialog cancelled ends the editor at once; "登録しないで終了" writes
# nothing.
w=$(fresh cancelled)
printf 'answer file cancel\n' >"$out/run.script"
(cd "$w" && "$quillset" --headless "$out/run.script") >"$out/run.out" 2>"$out/run.err" || fail "cancelled location: exit status $?"
run_editor "$w" <<'SCRIPT' || fail "end without saving: exit status $?"
focus EDIT1
key ctrl+a
type EDIT1 5
click BUTTON34
SCRIPT
[[ -z $(ls -A "$w") ]] || fail "cancelled location / end without saving: files were written: $(ls "$w")"

# --- The close box: with nothing changed it ends at once and writes nothing; with a
# change it asks, No keeps the editor open, Yes ends it without writing. An edit undone
# by hand counts as no change.
w=$(fresh close_box)
sj <"$diary_fixtures/sample_basic_data.txt" >"$w/基本データ.TXT"
before=$(md5sum "$w/基本データ.TXT")
run_editor "$w" <<'SCRIPT' || fail "close box unchanged: exit status $?"
click BUTTON1
click BUTTON17
close MAINFORM
SCRIPT
run_editor "$w" <<'SCRIPT' || fail "close box changed: exit status $?"
click BUTTON23
focus EDIT13
key ctrl+a
type EDIT13 "EUR/USD"
click BUTTON25
answer msgbox no "終了の確認" "設定が変更されています。\n変更を登録しないで終了しますか？"
close MAINFORM
expect MAINFORM exists 1
expect COMBO1 item 1 "EUR/USD"
focus EDIT18
key ctrl+a
type EDIT18 20
answer msgbox yes "終了の確認"
close MAINFORM
SCRIPT
run_editor "$w" <<'SCRIPT' || fail "close box field changed: exit status $?"
focus EDIT1
key ctrl+a
type EDIT1 7
answer msgbox yes "終了の確認"
close MAINFORM
SCRIPT
[[ $(md5sum "$w/基本データ.TXT") == "$before" ]] || fail "close box: the file was written"

# --- Text to list: one trailing line break is dropped, a second one stays as an empty
# item; an empty line inside stays. A typed "MIDDLE" selects the second title entry when
# the list is opened again; another title is text with no entry selected. The group form
# disables the main form until "登録" or "キャンセル", which stores nothing.
w=$(fresh lists)
run_editor "$w" <<'SCRIPT' || fail "lists: exit status $?"
click BUTTON3
expect MAINFORM enabled 0
expect FORM3 visible 1
type EDIT3 "形状"
type COMBO43 "MIDDLE"
type EDIT4 "A\nB\n"
type COMBO44 "足型"
type EDIT5 "A\nB\n\n"
type EDIT6 "A\n\nC"
click BUTTON17
expect MAINFORM enabled 1
expect FORM3 visible 0
expect GROUP3 text "形状"
expect TEXT11 text "MIDDLE"
expect TEXT12 text "足型"
expect COMBO11 count 3
expect COMBO12 count 4
expect COMBO12 item 3 ""
expect COMBO13 count 4
expect COMBO13 item 2 ""
click BUTTON3
expect COMBO43 selected 1
expect COMBO43 text "MIDDLE"
expect COMBO44 selected -1
expect COMBO44 text "足型"
expect EDIT4 text "A\nB"
expect EDIT5 text "A\nB\n"
type EDIT4 "\nX"
click BUTTON18
expect MAINFORM enabled 1
expect COMBO11 count 3
click BUTTON2
expect FORM4 visible 1
type EDIT7 "時間"
type COMBO46 "SHORT"
type EDIT8 "朝\n昼"
type COMBO49 "LONG"
type EDIT11 "夜"
click BUTTON19
expect TEXT7 text "SHORT"
expect TEXT10 text "LONG"
expect COMBO7 count 3
expect COMBO10 item 1 "夜"
click BUTTON27
expect MAINFORM visible 0
click BUTTON14
expect FORM2 enabled 0
type COMBO50 "指標"
type EDIT12 "雇用統計\nFOMC\n"
click BUTTON21
expect FORM2 enabled 1
expect TEXT40 text "指標"
expect COMBO40 count 3
click BUTTON28
expect MAINFORM visible 1
click BUTTON33
SCRIPT
block "$w/基本データ.TXT" "グループ０３－１" | diff - <(printf '0300_グループ０３－１, 2\n項目名,MIDDLE\nA\nB\n') ||
  fail "lists: group 03 sub-list 1"
block "$w/基本データ.TXT" "グループ０３－２" | diff - <(printf '0300_グループ０３－２, 3\n項目名,足型\nA\nB\n\n') ||
  fail "lists: group 03 sub-list 2"
block "$w/基本データ.TXT" "グループ０３－３" | diff - <(printf '0300_グループ０３－３, 3\n項目名,\nA\n\nC\n') ||
  fail "lists: group 03 sub-list 3"
block "$w/基本データ.TXT" "グループ０２－０" | diff - <(printf '0300_グループ０２－０, 2\n項目名,SHORT\n朝\n昼\n') ||
  fail "lists: group 02 sub-list 0"
block "$w/基本データ.TXT" "オプション３" | diff - <(printf '0300_オプション３, 2\nグループ名,指標\n雇用統計\nFOMC\n') ||
  fail "lists: option 3"
has_line "$w/基本データ.TXT" "グループ名,形状" || fail "lists: group 03 name"

# --- More than 20 items are refused when "登録" is pressed, the list and the count named,
# the form kept open and nothing stored; 20 items and a trailing line break are stored.
# A comma alone is stored (the file quotes it); a line no field can hold is refused.
w=$(fresh too_many)
sj <"$diary_fixtures/sample_basic_data.txt" >"$w/基本データ.TXT"
lines21=$(printf 'L%s\\n' $(seq 1 21))
lines20=$(printf 'L%s\\n' $(seq 1 20))
run_editor "$w" <<SCRIPT || fail "too many: exit status $?"
click BUTTON1
type EDIT6 "$lines21"
answer msgbox ok "登録エラー" "グループ０１の項目３の項目内容は21行あります。\n登録できるのは20行までです。"
click BUTTON17
expect FORM3 visible 1
expect MAINFORM enabled 0
expect MAINFORM.COMBO6 count 1
focus EDIT6
key ctrl+a
type EDIT6 "$lines20"
click BUTTON17
expect MAINFORM.COMBO6 count 21
click BUTTON23
focus EDIT13
key ctrl+a
type EDIT13 "$lines21"
answer msgbox ok "登録エラー" "通貨ペアの項目内容は21行あります。\n登録できるのは20行までです。"
click BUTTON25
expect FORM6 visible 1
focus EDIT13
key ctrl+a
type EDIT13 "USD/JPY\n,\n"
click BUTTON25
expect COMBO1 count 3
click BUTTON27
click BUTTON12
focus EDIT12
key ctrl+a
type EDIT12 "a\nx\\",y"
answer msgbox ok "登録エラー" "オプション１「指標」の項目内容の2行目は基本データ.TXTに書けません。\n「\\"」と「,」や前後の空白を一緒に使わないで下さい。"
click BUTTON21
expect FORM5 visible 1
click BUTTON22
click BUTTON28
click BUTTON33
SCRIPT
block "$w/基本データ.TXT" "グループ０１－３" | wc -l | grep -qx 22 || fail "too many: 20 items not stored"
block "$w/基本データ.TXT" "通貨ペア" | diff - <(printf '0300_通貨ペア, 2\nUSD/JPY\n","\n') || fail "too many: pairs"
block "$w/基本データ.TXT" "オプション１" | diff - <(printf '0300_オプション１, 1\nグループ名,指標\n雇用統計\n') ||
  fail "too many: the refused option was stored"

# --- The "CG選択" boxes: a cancelled folder dialog unticks the box and stores nothing; a
# chosen folder marks the list with "★" after "登録" and is written; "キャンセル" drops a
# folder chosen on the form; unticking a marked box clears its mark.
w=$(fresh chart_boxes)
mkdir -p "$w/cg/方向" "$w/cg/指標"
sj <"$diary_fixtures/sample_basic_data.txt" >"$w/基本データ.TXT"
run_editor "$w" <<SCRIPT || fail "chart boxes: exit status $?"
expect TEXT4 text "★方向"
expect TEXT5 text "MIDDLE"
click BUTTON1
expect CHECK2 checked 1
expect CHECK3 checked 0
answer file cancel "選択肢用のＣＧが保存されている場所は?"
tick CHECK3 1
expect CHECK3 checked 0
answer file "$w/cg/方向/DUMMY"
tick CHECK3 1
expect CHECK3 checked 1
click BUTTON18
expect TEXT5 text "MIDDLE"
click BUTTON1
expect CHECK3 checked 0
tick CHECK2 0
answer file "$w/cg/方向/a.bmp"
tick CHECK4 1
type EDIT6 "X"
click BUTTON17
expect TEXT4 text "方向"
expect TEXT6 text "★"
click BUTTON27
click BUTTON12
expect CHECK9 checked 0
answer file "$w/cg/指標/DUMMY"
tick CHECK9 1
click BUTTON21
expect TEXT38 text "★指標"
click BUTTON28
click BUTTON33
SCRIPT
block "$w/基本データ.TXT" "ＣＧ選択肢CGG" | diff - <(printf '0300_ＣＧ選択肢CGG, 1\n 3, 1,"%s/cg/方向/"\n' "$w") ||
  fail "chart boxes: group marks"
block "$w/基本データ.TXT" "ＣＧ選択肢CGO" | diff - <(printf '0300_ＣＧ選択肢CGO, 2\n 1,"%s/cg/指標/"\n 2,"/home/trader/cg/時間帯/"\n' "$w") ||
  fail "chart boxes: option marks"

# --- The timeframe table: "挿入登録" before row 1 and at "新規作成" (an append), "書換登録"
# of a row, "一行削除" on "新規作成" changing nothing and on a row removing it; "閉じる"
# refills the main form's combo.
w=$(fresh timeframes)
run_editor "$w" <<'SCRIPT' || fail "timeframes: exit status $?"
click BUTTON24
expect MAINFORM enabled 0
expect LIST1 count 4
expect LIST1 item 0 "１分足  　　１分足  　５分足相当  　１５分足相当"
expect LIST1 item 3 "新規作成"
expect BUTTON30 enabled 1
expect LIST1 selected 0
pick LIST1 1
expect EDIT14 text "５分足"
pick LIST1 0
expect EDIT14 text "１分足"
expect EDIT17 text "１５分足相当"
focus EDIT14
key ctrl+a
type EDIT14 "日足"
click BUTTON30
expect LIST1 count 5
expect LIST1 item 1 "１分足  　　１分足  　５分足相当  　１５分足相当"
pick LIST1 4
expect EDIT14 text ""
type EDIT14 "週足"
type EDIT15 "日足"
type EDIT16 "週足"
type EDIT17 "月足"
click BUTTON30
expect LIST1 count 6
expect LIST1 item 5 "新規作成"
pick LIST1 5
click BUTTON31
expect LIST1 count 6
pick LIST1 2
click BUTTON31
expect LIST1 count 5
pick LIST1 1
focus EDIT14
key ctrl+a
type EDIT14 "２分足"
click BUTTON29
click BUTTON32
expect MAINFORM enabled 1
expect COMBO3 count 5
expect COMBO3 item 1 "日足"
expect COMBO3 item 2 "２分足"
expect COMBO3 item 3 "１時間足"
expect COMBO3 item 4 "週足"
click BUTTON33
SCRIPT
block "$w/基本データ.TXT" "時間足" | diff - <(printf '%s\n' "0300_時間足, 4" "日足,１分足,５分足相当,１５分足相当" \
  "２分足,１分足,５分足相当,１５分足相当" "１時間足,１時間足,４時間足相当,日足相当" "週足,日足,週足,月足") ||
  fail "timeframes: rows"

# --- With 20 rows "新規作成" is not offered and "挿入登録" is disabled; deleting one row
# offers both again.
w=$(fresh twenty_rows)
sj <"$fixtures/twenty_timeframes.txt" >"$w/基本データ.TXT"
run_editor "$w" <<'SCRIPT' || fail "twenty rows: exit status $?"
click BUTTON24
expect LIST1 count 20
expect LIST1 item 19 "Ｔ２０　　Ｓ　Ｍ　Ｌ"
expect BUTTON30 enabled 0
pick LIST1 19
click BUTTON31
expect LIST1 count 20
expect LIST1 item 19 "新規作成"
expect BUTTON30 enabled 1
click BUTTON32
click BUTTON34
SCRIPT
echo "PASS"
