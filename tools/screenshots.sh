#!/usr/bin/env bash
# Makes the pictures the README opens with, from the real program, so that
# they can be made again whenever the program changes:
#   docs/window.png         the window after a click on "+", as a teacher sees it
#                           (Xvfb, 1280 x 1024, under the openbox window manager)
#   docs/subject.png        page 1 of a subject, as fractions-cli --pdf writes it
#   docs/answer-key.png     page 1 of its worked answer key
#
# Usage: tools/screenshots.sh [BUILD_DIR]   (default: build; build it first)
# Needs Xvfb, openbox, xdotool, x11-utils, ImageMagick and poppler-utils
# (tools/test.sh installs them). Starts a virtual screen and a window
# manager of its own, runs the program from a fresh folder (so with its
# default settings), and stops everything it started at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build}")
docs="$root/docs"

# The sheet the pages show, with its worked answer key (the subject is the
# same with or without it).
sheet_options=(--type add --count 25 --seed 20261207)
key_options=(--worked)
dpi=80 # an A4 page 661 x 935 pixels: readable, and small in the README

fail() {
  echo "screenshots: $*" >&2
  exit 1
}
for tool in Xvfb openbox xdotool xwininfo xprop import convert pdftoppm; do
  command -v "$tool" > /dev/null || fail "$tool missing: tools/test.sh installs it"
done
for program in fractions fractions-cli; do
  [ -x "$build/bin/$program" ] || fail "$build/bin/$program missing: build first"
done

work=$(mktemp -d)
started=()
cleanup() {
  local pid
  for pid in "${started[@]}"; do
    kill "$pid" 2> /dev/null || true
  done
  for pid in "${started[@]}"; do
    wait "$pid" 2> /dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$docs"

# --- The pages --------------------------------------------------------------

# Every picture is written without ImageMagick's dates, so that pictures
# made again from the same program are the same files.
#
# Page 1 of a PDF, as PNG: rendered at three times the resolution, then
# shrunk by averaging, as a viewer zoomed out shows it. Rendered straight at
# 80 dots per inch, poppler draws bars a hair thinner than a dot as stubs.
render_first_page() {
  pdftoppm -r "$((3 * dpi))" -png -f 1 -l 1 -singlefile "$1" "$work/page"
  convert "$work/page.png" -scale 33.3333% -strip "$2"
}

"$build/bin/fractions-cli" "${sheet_options[@]}" "${key_options[@]}" --out "$work/sheet" --pdf \
  > /dev/null
render_first_page "$work/sheet.pdf" "$docs/subject.png"
render_first_page "$work/sheet_Cor.pdf" "$docs/answer-key.png"

# --- The window -------------------------------------------------------------

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
started+=($!)
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
display=$(head -n 1 "$work/display")
export DISPLAY=":$display"
openbox --sm-disable > "$work/openbox.log" 2>&1 &
started+=($!)
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q 'window id' && break
  sleep 0.1
done

# A fresh folder and home: the window's default settings, whatever the
# user's own are.
mkdir -p "$work/app" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
cp "$build/bin/fractions" "$work/app/fractions"
(cd "$work/app" && HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
  exec ./fractions > "$work/program.log" 2>&1) &
started+=($!)
win=
for _ in $(seq 200); do
  win=$(xdotool search --onlyvisible --name 'feuilles' 2> /dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || fail "the window did not show: $(cat "$work/program.log")"
sleep 1.5

# "+" stands at (93, 404) of the window's 798 x 420 design; the pointer
# then moves off the buttons, so that none shows its hover frame.
xdotool mousemove --window "$win" 93 404 click 1
sleep 1.5
xdotool mousemove --window "$win" 400 300
sleep 0.5

# The window with its frame: the client's place on the screen, widened by
# the frame's extents (left, right, top, bottom) that openbox announces.
geometry=$(xwininfo -id "$win")
x=$(sed -n 's/.*Absolute upper-left X: *\(-*[0-9]*\).*/\1/p' <<< "$geometry")
y=$(sed -n 's/.*Absolute upper-left Y: *\(-*[0-9]*\).*/\1/p' <<< "$geometry")
width=$(sed -n 's/^ *Width: *\([0-9]*\).*/\1/p' <<< "$geometry")
height=$(sed -n 's/^ *Height: *\([0-9]*\).*/\1/p' <<< "$geometry")
read -r left right top bottom < <(xprop -id "$win" _NET_FRAME_EXTENTS | sed 's/.*=//; s/,/ /g')
import -window root "$work/screen.png"
convert "$work/screen.png" \
  -crop "$((width + left + right))x$((height + top + bottom))+$((x - left))+$((y - top))" \
  +repage -strip "$docs/window.png"
echo "screenshots: $docs/window.png, $docs/subject.png, $docs/answer-key.png"
