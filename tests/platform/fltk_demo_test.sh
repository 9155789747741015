#!/usr/bin/env bash
# Real windows: starts the demo form on the FLTK backend under Xvfb, acts on it with
# xdotool as a user would (click a button, type Japanese into an edit, Tab, pick a list
# item, Shift+Tab, Enter on a button), saves a screenshot and checks the model's state
# the demo prints when "終了" is clicked.
#   fltk_demo_test.sh DEMO_PROGRAM OUTPUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/../support/xvfb_demo.sh"

# Window-relative points at the centres of the demo's controls (see demo_window.cpp).
wid=$(timeout 20 xdotool search --sync --onlyvisible --classname QuillDemo | head -1)
[[ -n "$wid" ]] || fail "no window of class QuillDemo appeared"
click() { xdotool mousemove --window "$wid" "$1" "$2" click 1; }

click 64 30                                   # BUTTON1
wait_for "notify click BUTTON1"
click 228 28                                  # into EDIT1
wait_for "notify focusin EDIT1"
xdotool type --delay 300 'ドル円'
xdotool type --delay 30 ' 105.25'
wait_for "notify change EDIT1" 10
xdotool key Tab                               # EDIT1 -> LIST1
wait_for "notify focusin LIST1"
click 228 79                                  # the second line of LIST1
wait_for "notify change LIST1"
xdotool key shift+Tab shift+Tab               # LIST1 -> EDIT1 -> BUTTON1
wait_for "notify focusin BUTTON1" 2
xdotool key Return                            # pressed on key-down, clicked on key-up
wait_for "notify click BUTTON1" 2

import -window root "$out/fltk_demo.png"
click 388 284                                 # DONE
wait $pid || fail "the demo ended with status $?"
trap - EXIT

expect() { grep -qxF -- "$1" "$log" || fail "expected the line '$1'"; }
expect "clicks BUTTON1 2"
expect "edit EDIT1 ドル円 105.25"
expect "edit-bytes EDIT1 8368838b897e203130352e3235"   # the model holds CP932
expect "list LIST1 selected 1"
echo "PASS: screenshot in $out/fltk_demo.png"
