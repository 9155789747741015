#!/usr/bin/env bash
# Real windows: the editor starts under Xvfb on the diary's default basic data, the
# location question is accepted with Enter, and each of its seven forms is shown alone and
# saved as a screenshot (build/tests/editor_fltk_forms/<FORM>.png). Every caption is
# measured in its control's font and must fit the control; the file is left as it was.
#   editor_forms_test.sh PREVIEW_PROGRAM OUTPUT_FOLDER QUILLON_DATA
set -euo pipefail
data_tool=$3
work=$(mkdir -p "$2/work" && cd "$2/work" && pwd)
if [[ -z "${QUILL_IN_XVFB:-}" ]]; then
  rm -f "$work"/*.TXT "$work/next"
  "$data_tool" defaults "$work/基本データ.TXT"
fi
demo_cwd=$work
xvfb_screen=1280x800
source "$(dirname "$0")/../../support/xvfb_demo.sh"

before=$(md5sum "$work/基本データ.TXT")
id=$(timeout 20 xdotool search --sync --onlyvisible --classname QuillFileDialog | head -1)
[[ -n "$id" ]] || fail "no file dialog appeared"
xdotool mousemove --window "$id" 5 5
sleep 0.3
import -window root "$out/location_dialog.png"
xdotool key Return

for form in MAINFORM FORM2 FORM3 FORM4 FORM5 FORM6 FORM7; do
  wait_for "shown $form"
  sleep 0.5
  import -window root "$out/$form.png"
  : >"$work/next"
done
wait $pid || fail "the editor ended with status $?"
if grep -q '^clipped ' "$log"; then
  grep '^clipped ' "$log"
  fail "captions do not fit their controls"
fi
trap - EXIT
[[ $(md5sum "$work/基本データ.TXT") == "$before" ]] || fail "the preview wrote 基本データ.TXT"
echo "PASS: screenshots in $out"
