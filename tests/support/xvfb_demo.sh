# Shared by the real-window tests: sourced by a script called as SCRIPT DEMO_PROGRAM
# OUTPUT_FOLDER. Checks the tools, runs the script again under its own Xvfb, starts the
# demo program (in the folder $demo_cwd when the script sets it) with its output in
# OUTPUT_FOLDER/demo.out, and gives the script `fail` and `wait_for LINE [COUNT]` (polling
# the demo's output, not a fixed sleep). `out` is the output folder's absolute path.
demo=$1
out=$2

if ! command -v xvfb-run >/dev/null; then
  echo "SKIP: xvfb-run is not installed (Debian package xvfb); the real-window test cannot run"
  exit 77
fi
for tool in xdotool import; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (xdotool, imagemagick)"; exit 1; }
done
if [[ -z "${QUILL_IN_XVFB:-}" ]]; then
  exec env QUILL_IN_XVFB=1 xvfb-run -a -s "-screen 0 ${xvfb_screen:-1024x768}x24" "$0" "$@"
fi

mkdir -p "$out"
out=$(cd "$out" && pwd)
log=$out/demo.out
(cd "${demo_cwd:-.}" && exec "$demo") >"$log" 2>"$out/demo.err" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

fail() {
  echo "FAIL: $*"
  echo "--- demo output"; cat "$log"; echo "--- demo errors"; cat "$out/demo.err"
  exit 1
}

# Waits until the demo has printed LINE at least COUNT times.
wait_for() {
  local line=$1 count=${2:-1}
  for _ in $(seq 1 100); do
    [[ $(grep -cxF -- "$line" "$log" || true) -ge $count ]] && return 0
    sleep 0.1
  done
  fail "the demo never printed '$line' ($count times)"
}
