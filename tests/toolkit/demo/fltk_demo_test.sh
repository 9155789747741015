#!/usr/bin/env bash
# Real windows: the demo program on the FLTK backend under Xvfb. xdotool clicks the button
# and types Japanese into the edit; the program's handlers read what arrived through the
# toolkit and print it. A screenshot is saved, then "終了" ends the program.
#   fltk_demo_test.sh DEMO_PROGRAM OUTPUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/../../support/xvfb_demo.sh"

# The runtime's form windows have the class "PLV0WC" + the form name.
wid=$(timeout 20 xdotool search --sync --classname PLV0WCMAINFORM | head -1)
[[ -n "$wid" ]] || fail "no window of class PLV0WCMAINFORM appeared"
wait_for "ready"
# Points relative to the client area, at the centres of the controls of MAINFORM.form.
click() { xdotool mousemove --window "$wid" "$1" "$2" click 1; }

click 64 30                                   # BUTTON1
wait_for "button BUTTON1"
click 228 28                                  # into EDIT1
xdotool type --delay 80 'ドル円'
wait_for "edit EDIT1 ドル円"

import -window root "$out/toolkit_demo.png"
click 328 194                                 # BUTTON3 "終了"
wait $pid || fail "the demo ended with status $?"
trap - EXIT
grep -qxF "end MAINFORM" "$log" || fail "MAINFORM_END did not run"
echo "PASS: screenshot in $out/toolkit_demo.png"
