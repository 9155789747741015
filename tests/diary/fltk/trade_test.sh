#!/usr/bin/env bash
# Real windows: one trade typed into QUILLON under Xvfb, as a trader does it. The diary
# starts in a fresh working folder with the default basic data and a KANKYO.TXT, so that
# only the trade-data folder is asked. "新規取引" opens the trade window; the price goes in
# through the input box, pair, side and timeframe are picked in their combo boxes, the
# entry is stamped and "取引開始" starts the trade. The trade's line in the main window's
# list opens its settlement, which is priced, stamped and settled. The files tell what the
# diary did; screenshots of the filled trade window, the main window with the trade's line
# and the settlement screen are saved in OUTPUT_FOLDER.
#   trade_test.sh QUILLON OUTPUT_FOLDER QUILLON_DATA
set -euo pipefail
data_tool=$3
source "$(dirname "$0")/../support/diary_files.sh"
work=$(mkdir -p "$2/work" && cd "$2/work" && pwd)
if [[ -z "${QUILL_IN_XVFB:-}" ]]; then
  rm -rf "$work"
  mkdir -p "$work/basic" "$work/trades"
  "$data_tool" defaults "$work/basic/基本データ.TXT"
  kankyo "$work/basic/" "$work/trades/" >"$work/KANKYO.TXT"
fi
demo_cwd=$work
# The trade window reaches down to y 866.
xvfb_screen=1400x900
source "$(dirname "$0")/../../support/xvfb_demo.sh"
# shellcheck source=window_helpers.sh
source "$(dirname "$0")/window_helpers.sh"
trades=$work/trades

# after TEXT LINE: the line that follows LINE in TEXT.
after() { awk -v line="$2" 'found { print; exit } $0 == line { found = 1 }' <<<"$1"; }
stamp='"[0-9]{4}/[0-9]{2}/[0-9]{2}_[0-9]{2}:[0-9]{2}:[0-9]{2}"'

# --- The start: the trade-data folder dialog proposes the recorded folder's file.
window QuillFileDialog "取引中データファイルを保存する場所は?" >/dev/null
xdotool key Return
main=$(window PLV0WCMAINFORM)
[[ -d $trades/FXCG ]] || fail "the chart folder was not made in the trade-data folder"

# --- A new trade, its entry typed in and started.
click "$main" 30 324 78 30                        # BUTTON50 "新規取引"
answer_yes "確認メッセージ"
trade=$(window PLV0WCFORM3 "新規取引 　＜＜＜　取引ナンバー１　＞＞＞")
wait_until hidden PLV0WCMAINFORM || fail "the main window stays shown beside the trade window"
enter_price "$trade" 110.50
pick "$trade" 6 36 96 1                           # COMBO2: USD/JPY
pick "$trade" 108 36 72 2                         # COMBO3: 買い
pick "$trade" 192 36 108 2                        # COMBO4: ５分足
click "$trade" 912 12 150 24                      # BUTTON32 "エントリー 日時確定"
sleep 0.5
import -window root "$out/trade_entry.png"
click "$trade" 936 444 78 30                      # BUTTON12 "取引開始"
answer_yes "確認メッセージ"
wait_until hidden PLV0WCFORM3 || fail "the trade window stayed open after the start"
main=$(window PLV0WCMAINFORM)
entry=$(record "$trades/取引中データ.TXT" 1)
for line in "0300_取引ナンバー, 1" "0300_処理区分, 0" "0300_通貨ペア,1_USD/JPY" "0300_売買項目,2_買い" \
  "0300_価格,110.50" "0300_注文枚数, 10" "0300_注文残枚数, 10" "0300_通貨単位, 10000" "0300_基本時間足,2_５分足"; do
  has_line "$entry" "$line" "the started trade in 取引中データ.TXT"
done
[[ $(after "$entry" '0300_取引状況, 0') =~ ^取引中,$stamp$ ]] || fail "the trade is not in progress:"$'\n'"$entry"
[[ $(after "$entry" '0300_日時確定, 0') =~ ^$stamp$ ]] || fail "the entry was not stamped:"$'\n'"$entry"
# The trade took number 1, and the backup step kept it in the basic data (digit code 49).
counter=$(utf8 "$work/basic/基本データ.TXT" | sed -n 1p)
[[ $counter == '0300_取引ナンバー,49' ]] || fail "the basic data do not hold trade number 1: $counter"
sleep 0.5
import -window root "$out/main_with_trade.png"

# --- The trade's line opens its settlement, which is priced, stamped and settled.
click "$main" 12 116 810 14                       # LIST1, line 1
trade=$(window PLV0WCFORM3 "決済取引 　＜＜＜　取引ナンバー１　＞＞＞　　エントリー価格：１１０．５０")
enter_price "$trade" 111.25
click "$trade" 912 12 150 24                      # BUTTON32 "決済 日時確定"
sleep 0.5
import -window root "$out/settlement.png"
click "$trade" 936 444 78 30                      # BUTTON12 "決済"
answer_yes "確認メッセージ"
wait_until hidden PLV0WCFORM3 || fail "the trade window stayed open after the settlement"
window PLV0WCMAINFORM >/dev/null
sleep 0.5
import -window root "$out/main_after_settlement.png"

# The closed trade is in the archive: its entry, its settlement with the profit of
# 0.75 yen on 10 lots of 10000, and a memo record; nothing is left in progress.
archive=$trades/整理データ.TXT
[[ -f $archive ]] || fail "no 整理データ.TXT after the settlement"
entry=$(record "$archive" 1)
settlement=$(record "$archive" 2)
memo=$(record "$archive" 3)
[[ -z $(record "$archive" 4) ]] || fail "整理データ.TXT holds more than the trade's three records"
for line in "0300_取引ナンバー, 1" "0300_処理区分, 0" "0300_価格,110.50" "0300_売買項目,2_買い"; do
  has_line "$entry" "$line" "the archived entry"
done
for line in "0300_取引ナンバー, 1" "0300_処理区分, 1" "0300_通貨ペア,1_USD/JPY" "0300_売買項目,1_売り" \
  "0300_価格,111.25" "0300_決済枚数, 10" "0300_注文残枚数, 0" "0300_基本損益, 0.75" "0300_損益額, 75000"; do
  has_line "$settlement" "$line" "the archived settlement"
done
[[ $(after "$settlement" '0300_取引状況, 0') =~ ^決済,$stamp$ ]] || fail "the settlement is not done:"$'\n'"$settlement"
[[ $(after "$memo" '0300_取引状況, 0') == 'メモ,""' ]] || fail "no memo record after the trade:"$'\n'"$memo"
left=$(utf8 "$trades/取引中データ.TXT")
[[ $left != *取引ナンバー* ]] || fail "取引中データ.TXT still holds a trade:"$'\n'"$left"

kill "$pid"
wait "$pid" || true
trap - EXIT
echo "PASS: screenshots in $out (trade_entry.png, main_with_trade.png, settlement.png, main_after_settlement.png)"
