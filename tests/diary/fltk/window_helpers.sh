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
