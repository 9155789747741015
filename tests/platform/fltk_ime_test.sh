#!/usr/bin/env bash
# Real windows with a real input method: ibus with its Anthy engine over XIM, under Xvfb.
# Into the demo form's edit a person types "nihongo", Space (convert) and Return (commit);
# the edit must then hold 日本語, under a plain locale (LANG=C, LC_ALL=C) as under a
# Japanese UTF-8 one. The demo prints the model's text when "終了" is clicked. A
# screenshot of each composition is saved as OUTPUT_FOLDER/<case>.png.
#   fltk_ime_test.sh DEMO_PROGRAM OUTPUT_FOLDER
set -euo pipefail
demo=$1
out=$2

if ! command -v xvfb-run >/dev/null; then
  echo "SKIP: xvfb-run is not installed (Debian package xvfb); the real-window test cannot run"
  exit 77
fi
# Everything else comes with scripts/packages.txt: a missing piece is a failure.
for tool in xdotool import xprop dbus-run-session ibus-daemon ibus dconf localedef; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/install-deps)"; exit 1; }
done
[[ -x /usr/libexec/ibus-engine-anthy ]] || { echo "FAIL: ibus-anthy is not installed"; exit 1; }
[[ -z $(env LD_PRELOAD=libnss_wrapper.so true 2>&1) ]] || { echo "FAIL: libnss-wrapper is not installed"; exit 1; }

mkdir -p "$out"
out=$(cd "$out" && pwd)
if [[ -z "${QUILL_IME_SESSION:-}" ]]; then
  # The input method's settings, caches and session bus belong to this run alone.
  rm -rf "$out/home"
  mkdir -p "$out/home"
  export HOME=$out/home XDG_CONFIG_HOME=$out/home/.config XDG_CACHE_HOME=$out/home/.cache
  export XDG_DATA_HOME=$out/home/.local/share NO_AT_BRIDGE=1
  # ibus's engines are Debian's Python programs: Debian's python3 comes first.
  export PATH=/usr/bin:/bin:$PATH
  exec env QUILL_IME_SESSION=1 dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

fail() {
  echo "FAIL: $*"
  for f in "$out"/*.out "$out"/*.err "$out/ibus.log"; do
    [[ -s "$f" ]] && { echo "--- $f"; cat "$f"; }
  done
  exit 1
}

# Waits up to SECONDS for a command to succeed: poll SECONDS COMMAND...
poll() {
  local tenths=$(($1 * 10))
  shift
  for _ in $(seq 1 "$tenths"); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# Anthy starts in Latin input; a Japanese user types in Hiragana (input mode 0).
dconf write /org/freedesktop/ibus/engine/anthy/common/input-mode 0
# Anthy keeps what it learns in the home folder of the user's passwd entry, whatever
# $HOME says: the input method runs with an entry whose home is this run's own.
printf '%s:x:%d:%d::%s:/bin/sh\n' "$(id -un)" "$(id -u)" "$(id -g)" "$HOME" >"$out/passwd"
printf '%s:x:%d:\n' "$(id -gn)" "$(id -g)" >"$out/group"
LD_PRELOAD=libnss_wrapper.so NSS_WRAPPER_PASSWD=$out/passwd NSS_WRAPPER_GROUP=$out/group \
  ibus-daemon --xim --replace >"$out/ibus.log" 2>&1 &
ibus_pid=$!
demo_pid=
cleanup() {
  [[ -z "$demo_pid" ]] || kill "$demo_pid" 2>/dev/null || true
  ibus exit >/dev/null 2>&1 || true
  kill "$ibus_pid" 2>/dev/null || true
}
trap cleanup EXIT
# Anthy as the engine of every input context. `ibus engine NAME` exits 1 even when it
# worked: what counts is the engine ibus then names.
anthy_engine() {
  ibus engine anthy >/dev/null 2>&1 || true
  [[ $(ibus engine 2>/dev/null) == anthy ]]
}
poll 30 anthy_engine || fail "ibus did not take the Anthy engine"
poll 30 sh -c "xprop -root XIM_SERVERS | grep -qF @server=ibus" || fail "ibus offers no XIM server"
export XMODIFIERS=@im=ibus

# A Japanese UTF-8 locale of the test's own (the machine need not have one generated).
mkdir -p "$out/locale"
japanese=(LANG=ja_JP.UTF-8 LOCPATH="$out/locale")
localedef -i ja_JP -f UTF-8 "$out/locale/ja_JP.UTF-8" >"$out/localedef.log" 2>&1 || true
if [[ $(env "${japanese[@]}" locale charmap 2>/dev/null) != UTF-8 ]]; then
  echo "ja_JP.UTF-8 could not be made here: C.UTF-8 stands for the user's UTF-8 locale"
  japanese=(LANG=C.UTF-8)
fi

# Focuses the demo's window; its id goes to $out/window.
focus_demo() {
  local wid
  wid=$(xdotool search --onlyvisible --classname QuillDemo 2>/dev/null | tail -1)
  [[ -n "$wid" ]] && xdotool windowfocus --sync "$wid" 2>/dev/null && echo "$wid" >"$out/window"
}

# Runs the demo with the locale variables given (and no others), types, and checks the edit.
type_japanese() {
  local name=$1
  shift
  local log=$out/$name.out
  poll 30 anthy_engine || fail "$name: ibus lost the Anthy engine"
  env -u LC_ALL -u LC_CTYPE -u LANG "$@" "$demo" >"$log" 2>"$out/$name.err" &
  demo_pid=$!
  # Without a window manager only this gives the window the keyboard (and the input
  # method its focus); the click then puts FLTK's focus into EDIT1. A window found while
  # the program is still setting up may be gone a moment later: find and focus again
  # until the focus holds.
  poll 20 focus_demo || fail "$name: no window of class QuillDemo took the focus"
  local wid
  wid=$(cat "$out/window")
  xdotool mousemove --window "$wid" 228 28 click 1
  poll 10 grep -qxF "notify focusin EDIT1" "$log" || fail "$name: EDIT1 never took the focus"
  xdotool type --delay 100 nihongo
  xdotool key space
  sleep 1  # for the picture only: the conversion on screen
  import -window root "$out/$name.png"
  xdotool key Return
  # The committed text comes at once; the demo gives up 30 s after its start.
  poll 5 grep -qxF "notify change EDIT1" "$log" || echo "$name: no text arrived in EDIT1"
  xdotool mousemove --window "$wid" 388 284 click 1   # DONE
  wait "$demo_pid" || fail "$name: the demo ended with status $?"
  demo_pid=
  # The next case must not find this window.
  poll 10 sh -c '! xdotool search --classname QuillDemo' || fail "$name: the demo's window stayed"
  grep -qxF "edit EDIT1 日本語" "$log" || fail "$name: EDIT1 holds '$(sed -n 's/^edit EDIT1 //p' "$log")', not 日本語"
  grep -qxF "edit-bytes EDIT1 93fa967b8cea" "$log" || fail "$name: the model does not hold 日本語 in CP932"
  echo "$name: 日本語 ($*)"
}

type_japanese plain_lang LANG=C
type_japanese plain_lc_all LC_ALL=C LANG=C.UTF-8
type_japanese japanese "${japanese[@]}"
echo "PASS: screenshots in $out"
