#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# Real windows: the closed-trade review of QUILLON under Xvfb, as a trader uses it. The
# diary starts on a trade-data folder holding the archive closed_trades.txt (trade 5
# bought and settled in two steps, trade 6 sold at a loss, trade 7), and
# "整理データの表示" opens the review. Lines of the list of closed trades and of the
# settlement list are clicked; "クリップボードへ" puts the record text shown on the X11
# clipboard, where xclip reads it as another program would. Trade 5's orientation memo is
# typed into the memo window and stored, and the archive is checked byte for byte.
# Screenshots are saved in OUTPUT_FOLDER: the review with trade 5's entry
# (review_entry.png), with its second settlement (review_settlement.png), the memo window
# (memo_window.png), the stored memo (review_memo.png), both texts scrolled to their ends
# (review_scrolled.png) and trade 6's settlement at a loss (review_loss.png).
#   review_test.sh QUILLON OUTPUT_FOLDER FIXTURES
set -euo pipefail
fixtures=$(cd "$3" && pwd)
source "$(dirname "$0")/../support/diary_files.sh"
source "$(dirname "$0")/../support/closed_trades.sh"
work=$(mkdir -p "$2/work" && cd "$2/work" && pwd)
if [[ -z "${QUILL_IN_XVFB:-}" ]]; then
  rm -rf "$work"
  mkdir -p "$work/basic" "$work/trades"
  sj <"$fixtures/sample_basic_data.txt" >"$work/basic/基本データ.TXT"
  kankyo "$work/basic/" "$work/trades/" >"$work/KANKYO.TXT"
  sj <"$fixtures/closed_trades.txt" >"$work/trades/整理データ.TXT"
fi
demo_cwd=$work
# The review window stands at x 128 and is 1301 pixels wide.
xvfb_screen=1600x900
source "$(dirname "$0")/../../support/xvfb_demo.sh"
# shellcheck source=window_helpers.sh
source "$(dirname "$0")/window_helpers.sh"
archive=$work/trades/整理データ.TXT
command -v xclip >/dev/null || fail "xclip is not installed"

# click_line WINDOW X Y W N: a click on line N (from 1) of the list at X, Y (W wide), whose
# lines are $line_height pixels high inside its 2-pixel sunken border.
click_line() { xdotool mousemove --window "$1" $(($2 + $4 / 2)) $(($3 + 2 + ($5 - 1) * line_height + line_height / 2)) click 1; }

# clipboard_holds WHAT: the X11 clipboard holds the lines on stdin, each ending in CR LF.
# Another program asks the diary for it, as a trader's editor would.
clipboard_holds() {
  sed 's/|$//; s/$/\r/' >"$out/expected_clipboard.txt"
  timeout 10 xclip -o -selection clipboard -t UTF8_STRING >"$out/clipboard.txt" || fail "xclip read no clipboard"
  cmp -s "$out/clipboard.txt" "$out/expected_clipboard.txt" || {
    diff "$out/expected_clipboard.txt" "$out/clipboard.txt" | cat -A || true
    fail "the clipboard does not hold $1"
  }
}
same_file() {
  cmp -s "$1" "$2" || {
    diff <(utf8 "$2") <(utf8 "$1") || true
    fail "$3"
  }
}

# --- The start: the trade-data folder has no trades in progress, so the diary asks
# where their file goes and proposes the recorded folder's.
window QuillFileDialog >/dev/null
xdotool key Return
main=$(window PLV0WCMAINFORM)
click "$main" 468 324 168 30                      # BUTTON21 "整理データの表示"
review=$(window PLV0WCFORM5)
wait_until hidden PLV0WCMAINFORM || fail "the main window stays shown beside the review"

# --- Trade 5's entry, clicked in LIST2 (the list of "      5 : USD/JPY : 買い : ..."
# lines, trade 5 first), shows its record text in EDIT9.
line_height=17                                    # the fixed-pitch face at 10 points
click_line "$review" 228 30 456 1                 # LIST2, line 1
shot review_entry
click "$review" 228 108 78 18                     # BUTTON33 "クリップボードへ"
entry5_all | clipboard_holds "trade 5's entry text (EDIT9)"

# --- Its second settlement, clicked in LIST3, shows its record text in EDIT10 and its
# profit texts, while EDIT9 keeps the entry.
click_line "$review" 756 30 300 2                 # LIST3, line 2
shot review_settlement
click "$review" 756 108 78 18                     # BUTTON34 "クリップボードへ"
settlement5 | clipboard_holds "trade 5's second settlement text (EDIT10)"
click "$review" 228 108 78 18                     # BUTTON33
entry5_all | clipboard_holds "trade 5's entry text after the settlement was shown"

# --- The wheel over EDIT9 scrolls the entry's text down to its memo at the end, and the
# scroll bar of EDIT10 to the end of the settlement's text.
xdotool mousemove --window "$review" 420 280 click --repeat 10 --delay 50 5
xdotool mousemove --window "$review" 1130 400 click --repeat 30 --delay 20 1   # EDIT10's lower arrow
shot review_scrolled

# --- The orientation memo on trade 5's memo record: "見当識メモの編集" opens the memo
# window, a line is typed into it, and its "閉じる" stores it: the archive is rewritten
# with the memo in its memo record and every other byte as it was.
memo_line='ダマシに注意 wait for the pullback'
click_line "$review" 756 30 300 3                 # LIST3, line 3: the memo record
click "$review" 996 108 102 18                    # BUTTON49 "見当識メモの編集"
memo=$(window PLV0WCFORM4)
click "$memo" 24 18 498 396                       # EDIT1
xdotool type --delay 60 "$memo_line"
shot memo_window
click "$memo" 540 384 78 30                       # BUTTON14 "閉じる"
wait_until hidden PLV0WCFORM4 || fail "the memo window stayed open after its 閉じる"
with_memo 4 "$memo_line" <"$fixtures/closed_trades.txt" | sj >"$out/memo_expected.txt"
wait_until cmp -s "$archive" "$out/memo_expected.txt" ||
  same_file "$archive" "$out/memo_expected.txt" "the archive does not hold the typed memo as its layout gives it"
xdotool mousemove --window "$review" 5 5
click_line "$review" 756 30 300 3                 # LIST3, line 3, now "メモ（あり）"
shot review_memo
click "$review" 756 108 78 18                     # BUTTON34
printf '%s\n' "－－－－－－－　見当識　メ　　モ　－－－－－－－" "$memo_line" | clipboard_holds "the stored memo (EDIT10)"

# --- Trade 6, sold at a loss without target: its entry shows "未設定" for the target,
# and its settlement the two losses of -5000.
click_line "$review" 228 30 456 2                 # LIST2, line 2
click "$review" 228 108 78 18                     # BUTTON33
entry6 | clipboard_holds "trade 6's entry text (EDIT9)"
click_line "$review" 756 30 300 1                 # LIST3, line 1
shot review_loss

# --- "閉じる" gives the main window back and leaves the archive as the memo left it.
click "$review" 1146 6 78 30                      # BUTTON23 "閉じる"
window PLV0WCMAINFORM >/dev/null
wait_until hidden PLV0WCFORM5 || fail "the review stayed open after its 閉じる"
same_file "$archive" "$out/memo_expected.txt" "closing the review changed the archive"

kill "$pid"
wait "$pid" || true
trap - EXIT
echo "PASS: screenshots in $out"
