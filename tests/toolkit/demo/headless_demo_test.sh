#!/usr/bin/env bash
# End-to-end runs of the demo program on the headless backend, fed by scripts.
#   headless_demo_test.sh DEMO_PROGRAM SCRIPT_FOLDER OUTPUT_FOLDER
set -euo pipefail
demo=$1
scripts=$2
out=$3
mkdir -p "$out"

fail() {
  echo "FAIL: $*"
  echo "--- output"; cat "$out/run.out"; echo "--- errors"; cat "$out/run.err"
  exit 1
}

# A whole run: the button, the edit, the checks, then the main form closed.
"$demo" --headless "$scripts/click_and_type.script" >"$out/run.out" 2>"$out/run.err" || fail "exit status $?"
diff -u - "$out/run.out" <<'OUT' || fail "unexpected output"
ready
button BUTTON1
edit EDIT1 ドル円
edit EDIT1 ドル円 105
end MAINFORM
OUT

# A line the user could not have carried out stops the run, naming the line.
status=0
"$demo" --headless "$scripts/disabled_button.script" >"$out/run.out" 2>"$out/run.err" || status=$?
[[ $status -ne 0 ]] || fail "a click on a disabled button ended with status 0"
grep -qxF "line 3: BUTTON2 is disabled" "$out/run.err" || fail "the message does not name line 3"

# A script that stops before the main form is closed leaves nobody to end the program.
printf 'click BUTTON1\n' >"$out/unfinished.script"
status=0
"$demo" --headless "$out/unfinished.script" >"$out/run.out" 2>"$out/run.err" || status=$?
[[ $status -ne 0 ]] || fail "an unfinished script ended with status 0"
grep -q "the script ended while the program was still waiting" "$out/run.err" || fail "no message for the unfinished script"
# A run-time error nobody traps ends the program through the fatal error report: its
# number on stderr, the message box answered by the script, then the report file under the
# state folder.
module=$(basename "$demo")
rm -rf "$out/state"
status=0
XDG_STATE_HOME="$out/state" "$demo" --headless "$scripts/uncaught_error.script" >"$out/run.out" 2>"$out/run.err" ||
  status=$?
[[ $status -ne 0 ]] || fail "an uncaught run-time error ended with status 0"
grep -q "^run-time error 1013 " "$out/run.err" || fail "no message for the uncaught run-time error"
report="$out/state/$module/fatal-error.txt"
[[ -f $report ]] || fail "no fatal error report at $report"
# The location code is the one stderr names, written with eight hex digits.
location=$(sed -n 's/^run-time error 1013 .* at 0x\([0-9a-f]*\)$/\1/p' "$out/run.err")
[[ -n $location ]] || fail "no location code on stderr"
diff -u - "$report" <<REPORT || fail "unexpected fatal error report"
XMODL=$module
XLINE=0
XMODE=no control of that name
XRTL=PLV0RN63
XADDR=$(printf '0x%08X' "$((16#$location))")
XCODE=1013
REPORT
[[ $(ls -A "$out/state/$module") == fatal-error.txt ]] || fail "something beside the report in its folder"
# Without an answer for the report's box the run stops at the box, naming it by the main
# form's caption, and keeps no report.
caption="取引日記 デモ"
grep -v '^answer msgbox' "$scripts/uncaught_error.script" >"$out/unanswered_report.script"
rm -rf "$out/state"
status=0
XDG_STATE_HOME="$out/state" "$demo" --headless "$out/unanswered_report.script" >"$out/run.out" \
  2>"$out/run.err" || status=$?
[[ $status -ne 0 && $status -lt 128 ]] || fail "the unanswered report box ended with status $status"
grep -q "^run-time error 1013 " "$out/run.err" || fail "no message for the uncaught run-time error"
grep -qF "the message box \"$caption\" was not answered" "$out/run.err" || fail "no message naming the report's box"
[[ ! -e "$out/state" ]] || fail "a report was kept although its box was not answered"
# The standard dialogs: each takes its answer from the script, in a folder holding a chart.
mkdir -p "$out/charts"
: >"$out/charts/chart.jpg"
charts=$(cd "$out/charts" && pwd)
(cd "$charts" && "$demo" --headless "$scripts/dialogs.script") >"$out/run.out" 2>"$out/run.err" || fail "exit status $?"
diff -u - "$out/run.out" <<OUT || fail "unexpected output of the dialogs"
ready
edit EDIT1 msgbox
msgbox 6
edit EDIT1 input
input 105.25
edit EDIT1 input
input cancel
edit EDIT1 open
open $charts/chart.jpg
edit EDIT1 font
font -1 ＭＳ ゴシック 9 0 -1 -1 0
edit EDIT1 font
font 0 IPAGothic 12 -1 0 0 0
edit EDIT1 color
color -1 00ff80
end MAINFORM
OUT
# A dialog the script did not answer ends the run and names the dialog.
printf 'type EDIT1 msgbox\nclose MAINFORM\n' >"$out/unanswered.script"
status=0
"$demo" --headless "$out/unanswered.script" >"$out/run.out" 2>"$out/run.err" || status=$?
[[ $status -ne 0 ]] || fail "an unanswered message box ended with status 0"
grep -q 'the message box "確認" was not answered' "$out/run.err" || fail "no message naming the unanswered box"
echo PASS
