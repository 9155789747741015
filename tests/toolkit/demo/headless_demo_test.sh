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
# A run-time error nobody traps ends the program with its number on stderr.
status=0
"$demo" --headless "$scripts/uncaught_error.script" >"$out/run.out" 2>"$out/run.err" || status=$?
[[ $status -ne 0 ]] || fail "an uncaught run-time error ended with status 0"
grep -q "^run-time error 1013 " "$out/run.err" || fail "no message for the uncaught run-time error"
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
