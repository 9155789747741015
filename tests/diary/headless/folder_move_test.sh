#!/usr/bin/env bash
# Moving the trade-data folder (the main window's "データフォルダの移動") end to end on the
# headless backend: two trades in progress with charts in several slots and an archive
# naming some of the old chart folder's images (one of them in another letter case); the
# new folder then holds the trades and their charts byte for byte, the old one exactly the
# images closed trades name, the marker and no trades, and opens for viewing only. Then a
# folder without an archive, the overwrite question answered No and Yes, the moves that
# must stop with the old folder untouched, and the move killed between each two writes.
#   folder_move_test.sh QUILLON CHART_BMP FIXTURES OUTPUT_FOLDER
set -euo pipefail
quillon=$1
chart_bmp=$2
fixtures=$3
out=$4
rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)

# shellcheck source-path=SCRIPTDIR source=headless_helpers.sh
source "$(dirname "$0")/headless_helpers.sh"

inprogress=取引中データ.TXT
archive=整理データ.TXT
marker=移転しました.TXT

# with_charts SPEC...: the trade file on stdin (UTF-8) with chart names put in; each SPEC
# is RECORD:SLOT:NAME, SLOT a header of a one-line chart field ("損切り価格", "グループ０１",
# "オプション２") or memo1..memo5.
with_charts() {
  LC_ALL=C awk -v spec="$*" '
    BEGIN { n = split(spec, items, " "); for (i = 1; i <= n; i++) { split(items[i], f, ":"); set[f[1] ":" f[2]] = f[3] } }
    $0 == "********** ここから **********" { rec++ }
    memo > 0 { k = 6 - memo; memo--; key = rec ":memo" k; print (key in set) ? set[key] : $0; next }
    /^0300_メモ,/ { memo = 5 }
    /^0300_[^,]*,$/ { key = rec ":" substr($0, 6, length($0) - 6); if (key in set) { print $0 set[key]; next } }
    { print }'
}

# The trades: trade 13 (open) and trade 14 (held), their charts in five kinds of slot;
# shared.bmp is named by both, both.jpg by trade 14 and the archive, gone.bmp by trade 14
# and not there.
trade_charts="1:損切り価格:stop13.bmp 1:memo1:memo13.jpg 1:memo3:shared.bmp 1:グループ０１:group13.jpg
  1:オプション１:opt13.bmp 2:損切り価格:stop14.jpg 2:memo2:memo14.bmp 2:memo4:shared.bmp
  2:オプション２:both.jpg 2:memo5:gone.bmp"
# The archive names closed1.bmp as "Closed1.BMP", and closed2.jpg, closed3.BMP, both.jpg.
archive_charts="1:損切り価格:Closed1.BMP 3:memo2:closed2.jpg 4:損切り価格:closed3.BMP 2:memo1:both.jpg"
trade_images="stop13.bmp memo13.jpg shared.bmp group13.jpg opt13.bmp stop14.jpg memo14.bmp both.jpg"
archive_images="closed1.bmp closed2.jpg closed3.BMP both.jpg"
# Images nothing names, and files that are not images by their names.
stray_images="stray1.bmp STRAY2.JPG"
not_images="notes.txt pic.jpeg"

# Each image of its own size, so that no two have the same bytes.
img=$out/images
mkdir -p "$img"
size=10
for image in $trade_images closed1.bmp closed2.jpg closed3.BMP $stray_images; do
  size=$((size + 1))
  "$chart_bmp" "$size" 7 "$img/$image"
done
echo "not an image" >"$img/notes.txt"
echo "not listed" >"$img/pic.jpeg"
"$chart_bmp" 3 3 "$img/other.bmp"

# move_folder NAME [ARCHIVE_TOO]: a working folder ($w) with the old trade-data folder
# old/ (the trades, the archive unless ARCHIVE_TOO is "no", every image above in FXCG), an
# empty new/ and a copy buffer; a snapshot of old/ in $w.before.
move_folder() {
  local name
  w=$(fresh "$1")
  mkdir -p "$w/old/FXCG" "$w/new"
  rmdir "$w/trades"
  sj <"$fixtures/sample_basic_data.txt" >"$w/basic/基本データ.TXT"
  kankyo "$w/basic/" "$w/old/" >"$w/KANKYO.TXT"
  # shellcheck disable=SC2086
  with_charts $trade_charts <"$fixtures/open_and_held_trades.txt" | sj >"$w/old/$inprogress"
  if [[ ${2:-} != no ]]; then
    # shellcheck disable=SC2086
    with_charts $archive_charts <"$fixtures/closed_trades.txt" | sj >"$w/old/$archive"
  fi
  for name in $trade_images closed1.bmp closed2.jpg closed3.BMP $stray_images $not_images; do
    cp "$img/$name" "$w/old/FXCG/"
  done
  printf 'copy buffer\r\n' >"$w/basic/コピーデータ.TXT"
  rm -rf "$w.before"
  cp -a "$w/old" "$w.before"
}

# The in-progress file the new folder must hold: the old one with gone.bmp dropped.
expected_trades=$out/expected_trades.txt
# shellcheck disable=SC2086
with_charts ${trade_charts/2:memo5:gone.bmp/} <"$fixtures/open_and_held_trades.txt" | sj >"$expected_trades"

# --- Script lines.
begin() { printf 'answer file "%s" "取引中データファイルを保存する場所は?"\n' "${1:-取引中データ.TXT}"; }
# move TARGET [ANSWER...]: the move into TARGET's folder, with the answers of the messages
# it shows after the folder dialog.
move() {
  printf 'answer file "%s" "取引中データファイルを保存する場所は?"\n' "$1"
  shift
  if (($#)); then printf '%s\n' "$@"; fi
  echo 'click MAINFORM.BUTTON22'
}
end_run() { echo 'close MAINFORM'; }
# The trade list of the two trades and "新規取引", and the buttons of a working folder.
working() {
  echo 'expect MAINFORM.LIST1 count 3'
  echo 'expect MAINFORM.LIST1 item 2 "新規取引"'
  for c in LIST1 BUTTON22 BUTTON50; do echo "expect MAINFORM.$c enabled 1"; done
}

# files FOLDER: the names in FOLDER, sorted, on one line.
files() { (cd "$1" && find . -mindepth 1 -maxdepth 1 -printf '%f\n' | LC_ALL=C sort | tr '\n' ' '); }
sorted() { printf '%s\n' "$@" | LC_ALL=C sort | tr '\n' ' '; }
# same_images FOLDER NAME...: FOLDER holds each image with the bytes it was made with.
same_images() {
  local folder=$1 name
  shift
  for name in "$@"; do cmp -s "$img/$name" "$folder/$name" || return 1; done
}
# recorded_folder: the trade-data folder KANKYO.TXT names.
recorded_folder() { utf8 "$w/KANKYO.TXT" | sed -n 's/^0300_取引中データ設定格納パス,"\(.*\)"$/\1/p'; }
# untouched WHAT: old/ is as it was, and nothing of the trades is in new/.
untouched() {
  diff -r "$w.before" "$w/old" >"$out/diff.txt" || { cat "$out/diff.txt"; fail "$1: the old folder was changed"; }
  [[ ! -e $w/new/$inprogress ]] || fail "$1: the new folder has a trade file"
  [[ -e $w/basic/コピーデータ.TXT ]] || fail "$1: the copy buffer was deleted"
  [[ $(recorded_folder) == "$w/old/" ]] || fail "$1: KANKYO.TXT names $(recorded_folder)"
}

# --- The move: the new folder holds the trades (gone.bmp dropped, written through the
# trade store) and every image they name; the old one keeps exactly the images the
# archive names (closed1.bmp under its other case), the files that are not images and the
# marker; the copy buffer is gone and the diary goes on with the new folder's trades. The
# old folder then starts view only.
move_folder move
run_diary "$w" <<SCRIPT || fail "move: exit status $?"
$(begin)
$(working)
$(move "$w/new/取引中データ.TXT")
$(working)
expect MAINFORM.BUTTON21 enabled 0
$(end_run)
SCRIPT
cmp -s "$expected_trades" "$w/new/$inprogress" || {
  diff <(utf8 "$expected_trades") <(utf8 "$w/new/$inprogress") || true
  fail "move: the new trade file"
}
# shellcheck disable=SC2086
[[ $(files "$w/new/FXCG") == $(sorted $trade_images) ]] || fail "move: the new chart folder holds $(files "$w/new/FXCG")"
# shellcheck disable=SC2086
same_images "$w/new/FXCG" $trade_images || fail "move: an image's copy differs"
# shellcheck disable=SC2086
[[ $(files "$w/old/FXCG") == $(sorted $archive_images $not_images) ]] ||
  fail "move: the old chart folder holds $(files "$w/old/FXCG")"
# shellcheck disable=SC2086
same_images "$w/old/FXCG" $archive_images || fail "move: a closed trade's image changed"
[[ $(files "$w/old") == $(sorted FXCG "$archive" "$marker") ]] || fail "move: the old folder holds $(files "$w/old")"
cmp -s "$w.before/$inprogress" "$w/old/$marker" || fail "move: the marker is not the old trade file"
cmp -s "$w.before/$archive" "$w/old/$archive" || fail "move: the archive changed"
[[ ! -e $w/basic/コピーデータ.TXT ]] || fail "move: the copy buffer was left"
[[ $(recorded_folder) == "$w/new/" ]] || fail "move: KANKYO.TXT names $(recorded_folder)"
run_diary "$w" <<SCRIPT || fail "move: the old folder's start exit status $?"
$(begin "$w/old/取引中データ.TXT")
answer msgbox ok "取引不能警告" "指定したフォルダ内には取引中のデータが移転している為\n存在しませんので、整理データを見る事しかできません。"
expect MAINFORM.LIST1 enabled 0
expect MAINFORM.BUTTON22 enabled 0
expect MAINFORM.BUTTON50 enabled 0
expect MAINFORM.BUTTON21 enabled 1
$(end_run)
SCRIPT
run_diary "$w" <<SCRIPT || fail "move: the new folder's start exit status $?"
$(begin "$w/new/取引中データ.TXT")
$(working)
$(end_run)
SCRIPT

# --- Without an archive every image of the old chart folder goes once the trades' are
# copied; the files that are not images stay.
move_folder no_archive no
run_diary "$w" <<SCRIPT || fail "no archive: exit status $?"
$(begin)
$(move "$w/new/取引中データ.TXT")
$(working)
$(end_run)
SCRIPT
# shellcheck disable=SC2086
same_images "$w/new/FXCG" $trade_images || fail "no archive: an image's copy differs"
# shellcheck disable=SC2086
[[ $(files "$w/old/FXCG") == $(sorted $not_images) ]] || fail "no archive: the old chart folder holds $(files "$w/old/FXCG")"
[[ $(files "$w/old") == $(sorted FXCG "$marker") ]] || fail "no archive: the old folder holds $(files "$w/old")"

# --- The new chart folder holds other stop13.bmp and memo13.jpg: No keeps its stop13.bmp
# (the trade names it) and the old one stays in the old folder, as its copy was never
# made; Yes replaces memo13.jpg, whose old copy goes. An image the new folder holds with
# the same bytes already is not asked about.
move_folder overwrite
mkdir -p "$w/new/FXCG"
cp "$img/other.bmp" "$w/new/FXCG/stop13.bmp"
cp "$img/other.bmp" "$w/new/FXCG/memo13.jpg"
cp "$img/opt13.bmp" "$w/new/FXCG/opt13.bmp"
run_diary "$w" <<SCRIPT || fail "overwrite: exit status $?"
$(begin)
$(move "$w/new/取引中データ.TXT" \
  'answer msgbox yes "チャート画像 memo13.jpg の転送エラー" "既に転送先フォルダー内に存在しています。上書きしますか？"' \
  'answer msgbox no "チャート画像 stop13.bmp の転送エラー" "既に転送先フォルダー内に存在しています。上書きしますか？"')
$(working)
$(end_run)
SCRIPT
cmp -s "$img/other.bmp" "$w/new/FXCG/stop13.bmp" || fail "overwrite: No replaced stop13.bmp"
same_images "$w/new/FXCG" memo13.jpg opt13.bmp || fail "overwrite: Yes did not copy memo13.jpg"
same_images "$w/old/FXCG" stop13.bmp || fail "overwrite: the old stop13.bmp went without a copy"
[[ ! -e $w/old/FXCG/memo13.jpg ]] || fail "overwrite: the old memo13.jpg stayed after its copy"
[[ $(utf8 "$w/new/$inprogress" | grep -c '^0300_損切り価格,stop13.bmp$') == 1 ]] ||
  fail "overwrite: the trade does not name stop13.bmp"

# --- Moves that must stop: each leaves the old folder as it was, the copy buffer, and
# KANKYO.TXT naming the old folder, and the diary goes on with the old folder's trades.
#   NAME | what is made first | the answer line the stop shows
stop_cases=$(
  cat <<'CASES'
image_is_folder|mkdir -p "$w/new/FXCG/group13.jpg"|answer msgbox ok "データフォルダの移動エラー"
chart_folder_is_file|touch "$w/new/FXCG"|answer msgbox ok "データフォルダの移動エラー"
same_folder|ln -s "$w/old" "$w/new/link"; target="$w/new/link/取引中データ.TXT"|answer msgbox ok "データフォルダの移動エラー" "移動先が今のデータフォルダと同じです。\nデータフォルダの移動は中止しました。元のフォルダの取引とチャートＣＧはそのまま使えます。"
same_chart_folder|ln -s "$w/old/FXCG" "$w/new/FXCG"|answer msgbox ok "データフォルダの移動エラー" "移動先のチャートＣＧフォルダが今のものと同じです。\nデータフォルダの移動は中止しました。元のフォルダの取引とチャートＣＧはそのまま使えます。"
other_trades|sj <"$fixtures/open_and_held_trades.txt" >"$w/new/$inprogress"|answer msgbox ok "データフォルダの移動エラー" "移動先のフォルダには別の取引中データがあります。\nデータフォルダの移動は中止しました。元のフォルダの取引とチャートＣＧはそのまま使えます。"
moved_away|touch "$w/new/$marker"|answer msgbox ok "データフォルダの移動エラー"
CASES
)
while IFS='|' read -r name setup answer; do
  move_folder "stop_$name"
  target="$w/new/取引中データ.TXT"
  eval "$setup"
  rm -f "$out/new_before.txt"
  if [[ -e $w/new/$inprogress ]]; then cp "$w/new/$inprogress" "$out/new_before.txt"; fi
  run_diary "$w" <<SCRIPT || fail "$name: exit status $?"
$(begin)
$(move "$target" "$answer")
$(working)
expect MAINFORM.BUTTON21 enabled 1
$(end_run)
SCRIPT
  if [[ -e $out/new_before.txt ]]; then
    cmp -s "$out/new_before.txt" "$w/new/$inprogress" || fail "$name: the new folder's own trade file changed"
    rm "$w/new/$inprogress"
  fi
  untouched "$name"
done <<<"$stop_cases"

# A disk that fills up on the way: with room for four images, and for all eight but not
# the trade file. This needs a small tmpfs, which only root can mount; elsewhere it is
# left out, and the failing copies above stand for it.
full_disk() {
  local pages=$1
  move_folder "full_disk_$pages"
  rmdir "$w/new"
  mkdir "$w/new"
  mount -t tmpfs -o "size=$((pages * 4))k" tmpfs "$w/new" 2>/dev/null || return 1
  mounted+=("$w/new")
  run_diary "$w" <<SCRIPT || fail "full disk ($pages pages): exit status $?"
$(begin)
$(move "$w/new/取引中データ.TXT" 'answer msgbox ok "データフォルダの移動エラー"')
$(working)
$(end_run)
SCRIPT
  untouched "full disk ($pages pages)"
  # The disk filled where it was meant to: among the images, or after the last of them.
  copies=$(find "$w/new/FXCG" -type f | wc -l)
  echo "full disk ($pages pages): $copies images copied" >>"$out/full_disk.txt"
  if [[ $2 == all ]]; then
    [[ $copies == 8 ]] || fail "full disk ($pages pages): $copies images copied, not all 8"
  else
    ((copies > 0 && copies < 8)) || fail "full disk ($pages pages): $copies images copied, not some"
  fi
  umount "$w/new"
}
mounted=()
trap '[[ ${#mounted[@]} == 0 ]] || umount "${mounted[@]}" 2>/dev/null || true' EXIT
if full_disk 4 some; then
  full_disk 8 all
else
  echo "folder move: no tmpfs could be mounted (not root): the full-disk cases are left out"
fi

# A chart name with a folder in it stops the move before the folder is asked for.
move_folder refused_name
# shellcheck disable=SC2086
with_charts ${trade_charts/1:損切り価格:stop13.bmp/1:損切り価格:../stop13.bmp} <"$fixtures/open_and_held_trades.txt" |
  sj >"$w/old/$inprogress"
cp "$w/old/$inprogress" "$w.before/$inprogress"
has_line "$w/old/$inprogress" "0300_損切り価格,../stop13.bmp" || fail "refused name: the fixture was not changed"
run_diary "$w" <<SCRIPT || fail "refused name: exit status $?"
$(begin)
answer msgbox ok "チャートＣＧエラー"
click MAINFORM.BUTTON22
$(working)
$(end_run)
SCRIPT
untouched "refused name"

# Cancelling the folder dialog ends the program, with nothing of the move done.
move_folder cancel
cp "$w/KANKYO.TXT" "$out/kankyo_before.txt"
run_diary "$w" <<SCRIPT || fail "cancel: exit status $?"
$(begin)
answer file cancel "取引中データファイルを保存する場所は?"
click MAINFORM.BUTTON22
SCRIPT
cmp -s "$out/kankyo_before.txt" "$w/KANKYO.TXT" || fail "cancel: KANKYO.TXT was written"
untouched cancel

# --- The move killed (SIGKILL) at each point between two of its writes, then a start on
# the folder KANKYO.TXT proposes. Before KANKYO.TXT names the new folder the old one is
# proposed and is still whole and working, and moving again completes the move; after it
# the new folder is proposed and holds every trade and chart. Either way no image a trade
# or the archive names is lost. before-trade-file and after-trade-file are the trade
# store's points, met as the new trade file (gone.bmp dropped) is written.
#   POINT | the folder proposed afterwards
kill_points="move-before-copy old
move-inside-chart-copy old
move-after-chart-copy old
before-trade-file old
after-trade-file old
move-after-trade-file old
move-after-environment new
move-after-marker new
move-inside-delete new
move-after-delete new
move-after-copy-buffer new"
# complete WHAT: the end state of a whole move.
complete() {
  cmp -s "$expected_trades" "$w/new/$inprogress" || fail "$1: the new trade file"
  # shellcheck disable=SC2086
  same_images "$w/new/FXCG" $trade_images || fail "$1: an image's copy differs"
  # shellcheck disable=SC2086
  [[ $(files "$w/old/FXCG") == $(sorted $archive_images $not_images) ]] ||
    fail "$1: the old chart folder holds $(files "$w/old/FXCG")"
  [[ ! -e $w/old/$inprogress && -e $w/old/$marker ]] || fail "$1: the old folder is not marked"
}
while read -r point proposed; do
  move_folder "kill_$point"
  status=0
  { QUILLON_KILL_AT=$point run_diary "$w" < <(begin; move "$w/new/取引中データ.TXT") || status=$?; } 2>>"$out/killed.txt"
  [[ $status == 137 ]] || fail "kill at $point: the run ended with status $status, not by SIGKILL"
  # Nothing a trade or the archive names is gone from where it is needed.
  # shellcheck disable=SC2086
  same_images "$w/old/FXCG" $archive_images || fail "kill at $point: a closed trade's image was lost"
  [[ $(recorded_folder) == "$w/$proposed/" ]] || fail "kill at $point: KANKYO.TXT names $(recorded_folder)"
  if [[ $proposed == old ]]; then
    cmp -s "$w.before/$inprogress" "$w/old/$inprogress" || fail "kill at $point: the old trade file changed"
    [[ ! -e $w/old/$marker ]] || fail "kill at $point: the old folder was marked"
    # shellcheck disable=SC2086
    same_images "$w/old/FXCG" $trade_images || fail "kill at $point: a trade's image left the old folder"
    run_diary "$w" <<SCRIPT || fail "kill at $point: the restart and the second move exit status $?"
$(begin)
$(working)
$(move "$w/new/取引中データ.TXT")
$(working)
$(end_run)
SCRIPT
    complete "kill at $point, moved again"
  else
    cmp -s "$expected_trades" "$w/new/$inprogress" || fail "kill at $point: the new trade file"
    # shellcheck disable=SC2086
    same_images "$w/new/FXCG" $trade_images || fail "kill at $point: an image's copy differs"
    run_diary "$w" <<SCRIPT || fail "kill at $point: restart exit status $?"
$(begin)
$(working)
$(end_run)
SCRIPT
  fi
done <<<"$kill_points"

echo "folder move: all cases passed"
