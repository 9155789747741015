#!/usr/bin/env bash
# Real windows: the diary starts under Xvfb on the run command's default data, the first
# start's two questions are accepted with Enter, and each of its eight windows is shown
# alone and saved as a screenshot (build/tests/diary_fltk_forms/<FORM>.png). Every caption is
# measured in its control's font and must fit the control.
#   diary_forms_test.sh PREVIEW_PROGRAM OUTPUT_FOLDER QUILLON_DATA
set -euo pipefail
data_tool=$3
work=$(mkdir -p "$2/work" && cd "$2/work" && pwd)
if [[ -z "${QUILL_IN_XVFB:-}" ]]; then
  rm -f "$work"/*.TXT "$work/next"
  "$data_tool" defaults "$work/基本データ.TXT"
fi
demo_cwd=$work
# The widest window, the closed-trade review, is 1301 pixels wide.
xvfb_screen=1400x900
source "$(dirname "$0")/../../support/xvfb_demo.sh"

# Accepts the save dialog of the first start: the proposed name in the working folder.
accept_dialog() {
  local id
  id=$(timeout 20 xdotool search --sync --onlyvisible --classname QuillFileDialog | head -1)
  [[ -n "$id" ]] || fail "no file dialog appeared"
  xdotool mousemove --window "$id" 5 5
  sleep 0.3
  import -window root "$out/$1.png"
  xdotool key Return
  # The next question may reuse the dialog's window: give this one time to go.
  sleep 1
}
accept_dialog first_start_basic_data
accept_dialog first_start_trade_folder

for form in MAINFORM FORM2 FORM3 FORM4 FORM5 FORM6 FORM7 FORM8; do
  wait_for "shown $form"
  sleep 0.5
  import -window root "$out/$form.png"
  : >"$work/next"
done
wait $pid || fail "the diary ended with status $?"
if grep -q '^clipped ' "$log"; then
  grep '^clipped ' "$log"
  fail "captions do not fit their controls"
fi
trap - EXIT
[[ -f $work/KANKYO.TXT ]] || fail "closing the main window wrote no KANKYO.TXT"
grep -q "$(printf '%s' "$work/" | iconv -f UTF-8 -t CP932)" "$work/KANKYO.TXT" || fail "KANKYO.TXT does not record the working folder"
echo "PASS: screenshots in $out"
