#!/usr/bin/env bash
# Real windows: a run-time error nobody traps ends the demo program on the FLTK backend
# through the fatal error report. The report's message box (a modal window of its own,
# captioned with the main form's caption) is answered with Enter; then the program ends
# non-zero and the report file is under the state folder. A screenshot of the box is saved.
#   fltk_fatal_report_test.sh DEMO_PROGRAM OUTPUT_FOLDER
set -euo pipefail
state=$(mkdir -p "$2" && cd "$2" && pwd)/state
[[ -n "${QUILL_IN_XVFB:-}" ]] && rm -rf "$state"
export XDG_STATE_HOME=$state
source "$(dirname "$0")/../../support/xvfb_demo.sh"

wid=$(timeout 20 xdotool search --sync --classname PLV0WCMAINFORM | head -1)
[[ -n "$wid" ]] || fail "no window of class PLV0WCMAINFORM appeared"
wait_for "ready"
xdotool mousemove --window "$wid" 228 28 click 1     # into EDIT1
# Every keystroke reaches the program: "find " is typed last, in front of the name, so that
# no shorter text asks for a control first.
xdotool type --delay 80 'NOSUCH'
xdotool key Home
xdotool type --delay 80 'find '
box=$(timeout 20 xdotool search --sync --onlyvisible --classname QuillMessageBox | head -1)
[[ -n "$box" ]] || fail "no message box appeared"
[[ $(xdotool getwindowname "$box") == "取引日記 デモ" ]] || fail "the box's caption is '$(xdotool getwindowname "$box")'"
[[ ! -e "$state" ]] || fail "the report was kept before the box was answered"
xdotool mousemove --window "$box" 5 5
sleep 0.3
import -window root "$out/fatal_report.png"
xdotool key Return
status=0
wait $pid || status=$?
trap - EXIT
[[ $status -ne 0 && $status -lt 128 ]] || fail "the demo ended with status $status"
grep -q "^run-time error 1013 " "$out/demo.err" || fail "no message for the uncaught run-time error"
report="$state/$(basename "$demo")/fatal-error.txt"
[[ -f $report ]] || fail "no fatal error report at $report"
grep -qxF "XCODE=1013" "$report" || fail "the report does not name error 1013"
echo "PASS: screenshot in $out/fatal_report.png"
