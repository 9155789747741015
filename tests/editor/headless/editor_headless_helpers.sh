# shellcheck shell=bash disable=SC2154
# Helpers of the editor's headless runs, sourced by their scripts. They expect $quillset
# (the program) and $out (the output folder, made and emptied by the caller).

fail() {
  echo "FAIL: $*"
  for f in "$out"/run.out "$out"/run.err; do [[ -f $f ]] && { echo "--- $f"; cat "$f"; }; done
  exit 1
}

# sj and utf8: the data files as fixtures.
# shellcheck source=../../diary/support/diary_files.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../diary/support/diary_files.sh"
# has_line FILE LINE: the file holds the line.
has_line() { utf8 "$1" | grep -Fx -- "$2" >/dev/null; }
# block FILE KEY: the lines of the list announced by the header "0300_KEY," up to the
# next header, comment or separator (awk reads on to the end: no broken pipe).
block() {
  utf8 "$1" | awk -v key="0300_$2," 'index($0, key) == 1 && !done { on = 1; print; next }
    on && (/^0[0-9][0-9][0-9]_/ || /^'"'"'/ || /^---/) { on = 0; done = 1 } on { print }'
}

# run_editor FOLDER SCRIPT: runs the editor in FOLDER with the script (UTF-8 on stdin),
# answering the location dialog with FOLDER's "基本データ.TXT" first.
run_editor() {
  local folder=$1
  {
    printf 'answer file "%s/基本データ.TXT" "基本データファイルを保存する場所は?"\n' "$folder"
    cat
  } >"$out/run.script"
  (cd "$folder" && "$quillset" --headless "$out/run.script") >"$out/run.out" 2>"$out/run.err"
}

# A fresh empty working folder.
fresh() {
  local w=$out/$1
  mkdir -p "$w"
  echo "$w"
}
