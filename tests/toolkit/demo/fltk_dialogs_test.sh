#!/usr/bin/env bash
# Real windows: the standard dialogs of the demo program on the FLTK backend under Xvfb.
# A message box (Yes/No, exclamation), the input box, the open dialog, the font dialog and
# the colour chooser are opened from the program's command, answered with the keyboard
# through xdotool, and the program prints what it got back. A screenshot of each dialog is
# saved.
#   fltk_dialogs_test.sh DEMO_PROGRAM OUTPUT_FOLDER
set -euo pipefail
# The open dialog lists chart.jpg under "(*.JPG,*.BMP)" and leaves notes.txt out. It
# leaves out the folder "jürgen" and the file "😀.jpg" too: CP932 cannot hold their names.
charts=$(mkdir -p "$2/charts" && cd "$2/charts" && pwd)
: >"$charts/chart.jpg"
: >"$charts/notes.txt"
: >"$charts/😀.jpg"
mkdir -p "$charts/2024" "$charts/jürgen"
demo_cwd=$charts
source "$(dirname "$0")/../../support/xvfb_demo.sh"

# A dialog window by its class; the pointer goes onto it so that keys reach it.
dialog() {
  local id
  id=$(timeout 20 xdotool search --sync --onlyvisible --classname "$1" | head -1)
  [[ -n "$id" ]] || fail "no window of class $1 appeared"
  xdotool mousemove --window "$id" 5 5
  sleep 0.3
  echo "$id"
}

wid=$(timeout 20 xdotool search --sync --classname PLV0WCMAINFORM | head -1)
[[ -n "$wid" ]] || fail "no window of class PLV0WCMAINFORM appeared"
wait_for "ready"
ask() {
  xdotool mousemove --window "$wid" 228 28 click 1   # into EDIT1
  xdotool type --delay 80 "$1"
}

ask msgbox
box=$(dialog QuillMessageBox)
import -window root "$out/message_box.png"
xdotool key Tab Return                                # from はい to いいえ, pressed
wait_for "msgbox 6"

ask input
box=$(dialog QuillInputBox)
xdotool type --delay 80 '105.25'
import -window root "$out/input_box.png"
xdotool key Return
wait_for "input 105.25"

ask open
box=$(dialog QuillFileDialog)
xdotool type --delay 80 'chart.jpg'
import -window root "$out/file_dialog.png"
xdotool key Return
wait_for "open $charts/chart.jpg"

# Typed, such a name is refused in the status line (the program would get "?" for its
# characters and stop at error 55) and the dialog stays open on its folder: a normal file
# is still chosen there.
ask open
box=$(dialog QuillFileDialog)
for name in '😀.jpg' 'jürgen'; do
  xdotool key ctrl+a BackSpace
  xdotool type --delay 80 "$name"
  xdotool key Return
done
sleep 0.3
import -window root "$out/file_dialog_refused.png"
xdotool key ctrl+a BackSpace
xdotool type --delay 80 'chart.jpg'
xdotool key Return
wait_for "open $charts/chart.jpg" 2

ask input
box=$(dialog QuillInputBox)
xdotool key Escape
wait_for "input cancel"

# The font dialog starts at IPAGothic 12 bold with the face list focused: Tab to the size,
# 16 over it, Tab past the size list and bold to italic, ticked; Return is OK.
ask font
box=$(dialog QuillFontDialog)
xdotool key Tab
xdotool type --delay 80 '16'
xdotool key Tab Tab Tab space
sleep 0.3
import -window root "$out/font_dialog.png"
xdotool key Return
wait_for "font -1 IPAGothic 16 -1 -1 0 0"

# The colour chooser starts at black; Return takes it.
ask color
box=$(dialog QuillColorChooser)
import -window root "$out/color_chooser.png"
xdotool key Return
wait_for "color -1 000000"

xdotool mousemove --window "$wid" 328 194 click 1    # BUTTON3 "終了"
wait $pid || fail "the demo ended with status $?"
trap - EXIT
echo "PASS: screenshots in $out (message_box.png, input_box.png, file_dialog.png, file_dialog_refused.png," \
  "font_dialog.png, color_chooser.png)"
