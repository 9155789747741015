# shellcheck shell=bash disable=SC2154
# Helpers of the headless end-to-end runs, sourced by their scripts. They expect $quillon
# (the program) and $out (the output folder, made and emptied by the caller).

fail() {
  echo "FAIL: $*"
  for f in "$out"/run.out "$out"/run.err; do [[ -f $f ]] && { echo "--- $f"; cat "$f"; }; done
  exit 1
}

# A fixture written as the diary writes its files: Shift-JIS with CR LF line ends.
sj() { iconv -f UTF-8 -t CP932 | sed 's/$/\r/'; }
# A file's text in UTF-8 with plain line ends, for messages and greps.
utf8() { iconv -f CP932 -t UTF-8 "$1" | sed 's/\r$//'; }
# has_line FILE LINE: the file holds the line (grep reads on to the end: no broken pipe).
has_line() { utf8 "$1" | grep -Fx -- "$2" >/dev/null; }

# run_diary FOLDER SCRIPT: runs the diary in FOLDER with the script (UTF-8 on stdin).
run_diary() {
  local folder=$1
  cat >"$out/run.script"
  (cd "$folder" && "$quillon" --headless "$out/run.script") >"$out/run.out" 2>"$out/run.err"
}

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

# A fresh working folder with a basic-data folder and a trade-data folder in it.
fresh() {
  local w=$out/$1
  mkdir -p "$w/basic" "$w/trades"
  echo "$w"
}

