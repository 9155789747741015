# shellcheck shell=bash
# Shared by the diary's real-window tests, sourced after tests/support/xvfb_demo.sh (which
# gives `fail`): finding the diary's windows with xdotool, clicking into their controls
# and answering its questions.

# Polls until the command succeeds (10 seconds at most).
wait_until() {
  for _ in $(seq 1 100); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
shown() { xdotool search --onlyvisible --classname "$1" >/dev/null; }
hidden() { ! shown "$1"; }
titled() { [[ $(xdotool search --onlyvisible --classname "$1" getwindowname 2>/dev/null) == "$2" ]]; }

# The shown window of class CLASS, titled TITLE when one is given; the pointer goes onto
# it so that keys reach it. Called as $(window ...), it reports a failure on stderr.
window() {
  local id
  id=$(timeout 20 xdotool search --sync --onlyvisible --classname "$1" | head -1) || true
  [[ -n "$id" ]] || fail "no window of class $1 appeared" >&2
  if [[ -n "${2:-}" ]]; then
    wait_until titled "$1" "$2" ||
      fail "the window of class $1 is titled '$(xdotool getwindowname "$id")', expected '$2'" >&2
  fi
  xdotool mousemove --window "$id" 5 5
  sleep 0.3
  echo "$id"
}

# click WINDOW X Y W H: a click into the middle of the control at X, Y (W x H) of the form.
click() { xdotool mousemove --window "$1" $(($2 + $4 / 2)) $(($3 + $5 / 2)) click 1; }

# The Yes/No question titled TITLE, answered with Enter (Yes is the focused button).
answer_yes() {
  window QuillMessageBox "$1" >/dev/null
  xdotool key Return
  wait_until hidden QuillMessageBox || fail "the question '$1' stayed open"
}

# The number of shown top-level windows without a name: open drop-down menus.
menus() { xdotool search --onlyvisible --maxdepth 1 --name '^$' 2>/dev/null | wc -l; }

# enter_price FORM3 TEXT: clicks the caption "価　　格", types TEXT into the diary's input
# box FORM7 and presses its OK.
enter_price() {
  click "$1" 318 12 108 18
  local box
  box=$(window PLV0WCFORM7 "価格の入力")
  xdotool type --delay 80 "$2"
  click "$box" 36 84 66 30
  wait_until hidden PLV0WCFORM7 || fail "the input box stayed open after OK"
  xdotool mousemove --window "$1" 5 5
}

# pick FORM3 X Y W DOWN: opens the combo box at X, Y (W wide) with a click and goes DOWN
# items down from "未設定" with the arrow key; Enter takes the item.
pick() {
  local before
  before=$(menus)
  click "$1" "$2" "$3" "$4" 24
  wait_until test "$(menus)" -gt "$before" || fail "the combo box at $2, $3 opened no list"
  for _ in $(seq 1 "$5"); do xdotool key Down; done
  xdotool key Return
  wait_until test "$(menus)" -eq "$before" || fail "the list of the combo box at $2, $3 stayed open"
}

# No reader of a file's text stops early (grep -q, head): under pipefail the writer's
# broken pipe would fail the test.
# record FILE N: the lines of the Nth record (from 1) of a trade file, in UTF-8.
record() { utf8 "$1" | awk -v n="$2" '/^\*+ ここから/ { r++ } r == n'; }

has_line() { grep -xF -- "$2" <<<"$1" >/dev/null || fail "$3 has no line '$2'"$'\n'"$1"; }

# shot NAME: a screenshot of the whole screen into the output folder $out of xvfb_demo.sh.
# shellcheck disable=SC2154
shot() {
  sleep 0.5
  import -window root "$out/$1.png"
}

# colour SHOT X Y: the screen pixel as RRGGBB.
colour() {
  convert "$out/$1.png" -crop "1x1+$2+$3" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -1 | tr -d '#'
}
