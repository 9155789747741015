# shellcheck shell=bash disable=SC2154
# Helpers of the headless end-to-end runs, sourced by their scripts. They expect $quillon
# (the program) and $out (the output folder, made and emptied by the caller).

fail() {
  echo "FAIL: $*"
  for f in "$out"/run.out "$out"/run.err; do [[ -f $f ]] && { echo "--- $f"; cat "$f"; }; done
  exit 1
}

# sj, utf8 and kankyo: the diary's files as fixtures.
# shellcheck source=../support/diary_files.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/diary_files.sh"
# has_line FILE LINE: the file holds the line (grep reads on to the end: no broken pipe).
has_line() { utf8 "$1" | grep -Fx -- "$2" >/dev/null; }

# run_diary FOLDER SCRIPT: runs the diary in FOLDER with the script (UTF-8 on stdin).
run_diary() {
  local folder=$1
  cat >"$out/run.script"
  (cd "$folder" && "$quillon" --headless "$out/run.script") >"$out/run.out" 2>"$out/run.err"
}

# A fresh working folder with a basic-data folder and a trade-data folder in it.
fresh() {
  local w=$out/$1
  mkdir -p "$w/basic" "$w/trades"
  echo "$w"
}

