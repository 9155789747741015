#!/usr/bin/env bash
# The bitmap demo on the headless backend: the script checks the stretched chart's pixels
# in the picture's redraw buffer.
#   headless_bitmap_test.sh DEMO_PROGRAM SCRIPT OUTPUT_FOLDER
set -euo pipefail
demo=$1
script=$2
mkdir -p "$3"
out=$(cd "$3" && pwd)
cd "$out"
"$demo" --headless "$script" >"$out/run.out" 2>"$out/run.err" || {
  echo "FAIL: exit status $?"; cat "$out/run.err"; exit 1; }
grep -qxF "uncovered" "$out/run.out" || { echo "FAIL: the cover never went"; cat "$out/run.out"; exit 1; }
echo PASS
