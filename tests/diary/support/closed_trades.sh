# shellcheck shell=bash
# The closed-trade archive tests/diary/headless/closed_trades.txt as the review shows it:
# the record texts of its trades, and the archive with an orientation memo written into
# it, shared by the headless and the real-window review tests (sourced).

# The record texts of the fixture, each line ending in CR LF; a "|" at the end of a line
# only shows where its blanks end.
entry5() {
  cat <<'TXT'
2026/03/02_09:06:00 : USD/JPY  買い          |
                      110.50   2枚  10000通貨
2026/03/02_09:03:00 : 111.20   ←決済目標価格
2026/03/02_09:02:00 : 109.80   ←損切り価格
2026/03/02_09:05:00エントリー
－－－－－－－－－－－－－－－－－－－－－－－
      基本時間足   　５分足
TXT
}
entry5_all() {
  entry5
  cat <<'TXT'


トレンド分析

2026/03/02_09:01:00　方向　上昇

                   　１５分足相当　未設定


サポート

                   　水平線　未設定


2026/03/02_09:04:00　指標　雇用統計

                   　時間帯　未設定
－－－－－－－　メ　　モ　－－－－－－－－－－
押し目買い
TXT
}
# With "未設定項目は表示しない": group 3, where nothing is chosen, and every "未設定" choice
# are left out.
entry5_set_only() {
  entry5
  cat <<'TXT'


トレンド分析

2026/03/02_09:01:00　方向　上昇


2026/03/02_09:04:00　指標　雇用統計
－－－－－－－　メ　　モ　－－－－－－－－－－
押し目買い
TXT
}
# With group 1 and option 2 deselected in the item list.
entry5_selected() {
  entry5
  cat <<'TXT'


サポート

                   　水平線　未設定


2026/03/02_09:04:00　指標　雇用統計
－－－－－－－　メ　　モ　－－－－－－－－－－
押し目買い
TXT
}
# The second settlement of trade 5: its own date-times, price, side and lots.
settlement5() {
  cat <<'TXT'
2026/03/02_11:00:00 : USD/JPY  売り          |
                      111.30   1枚  10000通貨
2026/03/02_09:03:00 : 111.20   ←決済目標価格
2026/03/02_09:02:00 : 109.80   ←損切り価格
2026/03/02_10:59:00決済
－－－－－－－－－－－－－－－－－－－－－－－
      基本時間足   　５分足


トレンド分析

                   　方向　未設定

                   　１５分足相当　未設定


                   　指標　未設定

                   　時間帯　未設定
TXT
}
# Trade 6's entry has no target (nor its set date-time) and no memo.
entry6() {
  cat <<'TXT'
2026/03/03_14:00:00 : EUR/JPY  売り          |
                      160.00   1枚  10000通貨
                    : 未設定   ←決済目標価格
2026/03/03_13:50:00 : 160.30   ←損切り価格
2026/03/03_13:59:00エントリー
－－－－－－－－－－－－－－－－－－－－－－－
      基本時間足   　１時間足


トレンド分析

2026/03/03_13:40:00　方向　下降

2026/03/03_13:41:00　４時間足相当　押し目


                   　指標　未設定

2026/03/03_13:45:00　時間帯　ロンドン
TXT
}
# Trade 7's entry: stop-loss and target of "0" as the trade window stores them when
# nothing was entered, and only group 2, whose sub-item 0 is chosen.
entry7() {
  cat <<'TXT'
2026/03/04_09:00:00 : AUD/JPY  買い          |
                      80.00    1枚  10000通貨
                    : 0.0      ←決済目標価格
                    : 0.0      ←損切り価格
2026/03/04_08:59:00エントリー
－－－－－－－－－－－－－－－－－－－－－－－
      基本時間足   　１分足


時間軸

2026/03/04_08:50:00　上位足　日足

                   　下位足　未設定

TXT
}
memo6() {
  cat <<'TXT'
－－－－－－－　見当識　メ　　モ　－－－－－－－
損切りが遅れた
次は早めに
TXT
}

# The archive with an orientation memo: the fixture (UTF-8 on stdin) with the memo
# record RECORD (counted from 1) holding the memo LINES.
with_memo() {
  local record=$1
  shift
  LC_ALL=C awk -v r="$record" -v memo="$(printf '%s\n' "$@")" '
    BEGIN { count = split(memo, lines, "\n") }
    $0 == "********** ここから **********" { n++ }
    n == r && $0 == "0300_メモ, 0" { print "0300_メモ, " count; charts = 5; next }
    { print }
    charts > 0 && --charts == 0 { for (i = 1; i <= count; i++) print lines[i] }'
}
