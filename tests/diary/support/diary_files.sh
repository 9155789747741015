# The diary's files as fixtures, shared by the end-to-end tests (sourced).

# A fixture written as the diary writes its files: Shift-JIS with CR LF line ends.
sj() { iconv -f UTF-8 -t CP932 | sed 's/$/\r/'; }
# A file's text in UTF-8 with plain line ends, for messages and greps.
utf8() { iconv -f CP932 -t UTF-8 "$1" | sed 's/\r$//'; }

# The KANKYO.TXT the diary writes for windows at their resource places, the chart window
# at the screen's corner (where the start-up puts it), and the given folders.
kankyo() {
  local basic=$1 trade=$2 chart=${3:-} backup=${4:-}
  {
    cat <<TXT
---------------------------------
'ここから下は各項目の数値のみ変更可能
'ヘッダー部分は変更禁止
---------------------------------
0300_メイン・ウインドウ,5
Ｘ座標位置, 173
Ｙ座標位置, 454
---------------------------------
0300_ＣＧ用ウインドウ,5
横サイズ, 400
縦サイズ, 300
Ｘ座標位置, 0
Ｙ座標位置, 0
倍率, 1
---------------------------------
0300_取引基本設定・ウインドウ,5
Ｘ座標位置, 206
Ｙ座標位置, 324
---------------------------------
0300_オプション設定・ウインドウ,5
Ｘ座標位置, 173
Ｙ座標位置, 779
---------------------------------
0300_メモ・ウインドウ,5
Ｘ座標位置, 345
Ｙ座標位置, 212
---------------------------------
0300_整理データ表示・ウインドウ,5
Ｘ座標位置, 128
Ｙ座標位置, 237
---------------------------------
0300_基本データ設定格納パス,"$basic"
---------------------------------
0300_取引中データ設定格納パス,"$trade"
---------------------------------
0300_基チャートＣＧ設定格納パス,"$chart"
---------------------------------
TXT
    if [[ -n $backup ]]; then
      printf '0300_バックアップ格納パス,"%s"\n---------------------------------\n' "$backup"
    fi
    printf '\n'
  } | sj
}
