#!/usr/bin/env bash
# The window on a real desktop: the program itself, on a virtual screen
# (Xvfb, 1280 x 1024) under a real window manager (openbox), driven as a
# teacher drives it (clicks, keys, restarts, log-out signals) with xdotool,
# and read as the teacher sees it: the frame's place and size (xwininfo,
# xprop), the lamp's pixels (ImageMagick's import) and the settings file.
#
# Usage: real_window_test.sh PROGRAM SESSION_MANAGER. The program is copied
# into a folder of its own, so its settings file lies there; the session
# manager (session_manager.cpp) logs it out. Starts Xvfb and openbox on a
# free display of their own, where the program's are the only windows, and
# stops them, and every program it started, at the end. tools/test.sh
# installs the tools it needs.
set -uo pipefail
program=$(realpath "$1")
session_manager=$(realpath "$2")

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
for tool in Xvfb openbox xdotool xwininfo xprop import convert; do
  command -v "$tool" > /dev/null || fail "$tool missing: tools/test.sh installs it"
done

work=$(mktemp -d)
app="$work/app"
ini="$app/fractions.ini"
mkdir -p "$app" "$work/home"
cp "$program" "$app/fractions"
started=()
# Forgets a program that ended, so that its number, free again, is never
# signalled at the end.
forget() {
  local kept=() p
  for p in "${started[@]}"; do
    [ "$p" = "$1" ] || kept+=("$p")
  done
  started=("${kept[@]}")
}
# Running: neither gone nor ended and waiting to be reaped.
running() {
  [ -r "/proc/$1/status" ] && ! grep -q '^State:[[:space:]]*Z' "/proc/$1/status" 2> /dev/null
}
cleanup() {
  local pid
  for pid in "${started[@]}"; do
    kill "$pid" 2> /dev/null
  done
  for pid in "${started[@]}"; do
    wait "$pid" 2> /dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT

# A free display: Xvfb picks it and writes its number once it listens.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
started+=($!)
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n 1 "$work/display")"
openbox --sm-disable > "$work/openbox.log" 2>&1 &
started+=($!)
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q 'window id' && break
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || fail "openbox did not start"

# In the sanitizer build: leaks of libraries below Qt are not ours.
export LSAN_OPTIONS="suppressions=$(dirname "$(realpath "$0")")/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

export HOME="$work/home"
unset XDG_CONFIG_HOME
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$work/runtime"

# --- The program -----------------------------------------------------------

pid=
win=

# start [VAR=value ...] [-- COMMAND PREFIX ...]: starts the program in its
# folder and waits until its window stands still.
start() {
  local env=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    env+=("$1")
    shift
  done
  [ "${1:-}" = "--" ] && shift
  (cd "$app" && exec env "${env[@]}" "$@" ./fractions > "$work/out.log" 2> "$work/err.log") &
  pid=$!
  started+=("$pid")
  win=
  for _ in $(seq 200); do
    win=$(xdotool search --name 'feuilles' 2> /dev/null | head -n 1)
    [ -n "$win" ] && xwininfo -id "$win" 2> /dev/null | grep -q IsViewable && break
    win=
    running "$pid" || fail "the program ended at start: $(cat "$work/err.log")"
    sleep 0.1
  done
  [ -n "$win" ] || fail "no window shown"
  wait_still
}

# Waits until the frame has kept its place and size for half a second.
wait_still() {
  local last= now same=0
  for _ in $(seq 200); do
    now=$(frame)
    if [ "$now" = "$last" ]; then
      same=$((same + 1))
      [ "$same" -ge 5 ] && return
    else
      same=0
      last=$now
    fi
    sleep 0.1
  done
  fail "the window does not stand still"
}

# The outer rectangle of the window (or of window $1), frame included:
# "left top width height".
frame() {
  local id=${1:-$win} x y w h extents l r t b
  read -r x y w h < <(xwininfo -id "$id" | awk '
    /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
    /Width:/ {w = $NF} /Height:/ {h = $NF} END {print x, y, w, h}')
  extents=$(xprop -id "$id" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ,)
  read -r l r t b <<< "${extents:-0 0 0 0}"
  echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

# The client area's corner on the screen: "x y".
client() {
  xwininfo -id "$win" | awk '/Absolute upper-left X/ {x = $NF}
    /Absolute upper-left Y/ {y = $NF} END {print x, y}'
}

# click_at X Y [BUTTON]: a click at a point of the client area.
click_at() {
  local cx cy
  read -r cx cy < <(client)
  xdotool mousemove $((cx + $1)) $((cy + $2)) sleep 0.1 click "${3:-1}"
  sleep 0.3
}

# drag X1 Y1 X2 Y2: the left button held from one point of the screen to
# another, through the middle, as a hand moves.
drag() {
  xdotool mousemove "$1" "$2" sleep 0.2 mousedown 1 sleep 0.2 \
    mousemove $((($1 + $3) / 2)) $((($2 + $4) / 2)) sleep 0.2 \
    mousemove "$3" "$4" sleep 0.2 mouseup 1
}

# Closes the window as the teacher does (Alt+F4 through openbox) and waits
# for the program to end.
close_window() {
  xdotool windowactivate --sync "$win" key alt+F4 2> /dev/null
  wait_end
}

wait_end() {
  for _ in $(seq 200); do
    running "$pid" || break
    sleep 0.1
  done
  running "$pid" && fail "the program is still running"
  wait "$pid" || fail "the program ended with status $?: $(cat "$work/err.log")"
  forget "$pid"
}

# The settings file as text (it is written in Windows-1252).
settings_text() {
  iconv -f WINDOWS-1252 -t UTF-8 "$ini" | tr -d '\r'
}

# A value of the settings file's main section.
setting() {
  settings_text | sed -n "s/^$1=//p" | head -n 1
}

# The normal place as the file keeps it, "left top width height".
stored_place() {
  setting NormPos | awk -F, '{print $1, $2, $3 - $1, $4 - $2}'
}

is_maximized() {
  local state
  state=$(xprop -id "$win" _NET_WM_STATE)
  [[ $state == *_NET_WM_STATE_MAXIMIZED_VERT* && $state == *_NET_WM_STATE_MAXIMIZED_HORZ* ]]
}

# A double click on the title bar, openbox's (un)maximize.
toggle_maximized() {
  local x y w h
  read -r x y w h < <(frame)
  xdotool mousemove $((x + w / 2)) $((y + 8)) sleep 0.1 click --repeat 2 --delay 80 1
  wait_still
}

expect_equal() {
  [ "$2" = "$3" ] || fail "$1: '$2', expected '$3'"
}

# --- The lamp ----------------------------------------------------------------

lamp_colour() {
  local cx cy w h
  read -r cx cy < <(client)
  read -r w h < <(xwininfo -id "$win" | awk '/Width:/ {w = $NF} /Height:/ {h = $NF} END {print w, h}')
  # The lamp keeps its distance to the right and bottom edges.
  import -window root -crop "1x1+$((cx + 784 + w - 798))+$((cy + 404 + h - 420))" \
    -depth 8 txt:- | sed -n 's/.*\(#[0-9A-F]\{6\}\).*/\1/p'
}

green="#008000"
red="#FF0000"

expect_lamp() {
  local colour
  for _ in $(seq 30); do
    colour=$(lamp_colour)
    [ "$colour" = "$2" ] && return
    sleep 0.1
  done
  fail "$1: the lamp is $colour, expected $2"
}

# The lamp keeps its colour a second after the action.
expect_lamp_stays() {
  sleep 1
  expect_lamp "$1" "$2"
}

wait_for_window() {  # wait_for_window NAME: a window of the program shows
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "$1" > /dev/null 2>&1 && return
    sleep 0.1
  done
  fail "no window '$1'"
}

# Waits for a popup (the list, a menu) over the window: a second window of
# the program on the screen.
wait_popup() {
  for _ in $(seq 100); do
    [ "$(xdotool search --onlyvisible --classname fractions 2> /dev/null | wc -l)" -ge 2 ] && return
    sleep 0.1
  done
  fail "no popup shown"
}

started_at=$SECONDS

# --- Restarts: place and size kept to the pixel ------------------------------

# First start: centred on the screen at the design size.
start
read -r x y w h < <(frame)
[ "$(xwininfo -id "$win" | awk '/Width:/ {w = $NF} /Height:/ {h = $NF} END {print w "x" h}')" = 798x420 ] ||
  fail "first start: not at the design size"
[ $((x - (1280 - w) / 2)) -eq 0 ] && [ $((y - (1024 - h) / 2)) -eq 0 ] ||
  fail "first start: $x $y $w $h is not centred"
expect_lamp "first start" "$green"
first=$(frame)
close_window
expect_equal "the stored place after the first start" "$(stored_place)" "$first"

# The smallest size is 640 x 400 with the frame: drag the frame's corner far
# up and left; then move the window by its title bar.
start
read -r x y w h < <(frame)
drag $((x + w - 2)) $((y + h - 2)) 100 100
wait_still
read -r x y w h < <(frame)
expect_equal "the smallest outer size" "$w $h" "640 400"
drag $((x + w / 2)) $((y + 8)) $((x + w / 2 + 173)) $((y + 8 + 91))
wait_still
placed=$(frame)
close_window
expect_equal "the stored place after a move" "$(stored_place)" "$placed"

for i in $(seq ${RESTARTS:-10}); do
  start
  expect_equal "normal restart $i" "$(frame)" "$placed"
  close_window
  expect_equal "stored place, normal restart $i" "$(stored_place)" "$placed"
done

# Maximized: ten restarts maximized, then back to the same normal place.
start
toggle_maximized
is_maximized || fail "the double click did not maximize"
close_window
for i in $(seq ${RESTARTS:-10}); do
  start
  is_maximized || fail "maximized restart $i: not maximized"
  close_window
  expect_equal "ShowCmd, maximized restart $i" "$(setting ShowCmd)" 3
  expect_equal "stored place, maximized restart $i" "$(stored_place)" "$placed"
done
start
toggle_maximized
expect_equal "back from maximized" "$(frame)" "$placed"

# Minimized, closed by the session (SIGTERM: a minimized window has no close
# button in sight): three starts minimized, then back to the normal place.
xdotool windowminimize --sync "$win"
sleep 0.5  # the program learns of it a moment later
kill -TERM "$pid"
wait_end
for i in 1 2 3; do
  expect_equal "ShowCmd, minimized start $i" "$(setting ShowCmd)" 2
  expect_equal "stored place, minimized start $i" "$(stored_place)" "$placed"
  (cd "$app" && exec ./fractions > /dev/null 2>&1) &
  pid=$!
  started+=("$pid")
  for _ in $(seq 100); do
    win=$(xdotool search --name 'feuilles' 2> /dev/null | head -n 1)
    [ -n "$win" ] && xprop -id "$win" WM_STATE 2> /dev/null | grep -q Iconic && break
    sleep 0.1
  done
  xprop -id "$win" WM_STATE | grep -q Iconic || fail "minimized start $i: not minimized"
  [ "$i" -lt 3 ] && kill -TERM "$pid" && wait_end
done
xdotool windowactivate --sync "$win" 2> /dev/null
wait_still
expect_equal "back from minimized" "$(frame)" "$placed"
close_window
expect_equal "ShowCmd after a normal close" "$(setting ShowCmd)" 1

# A place kept from a screen that is gone, or larger than this one, opens on
# this screen, no larger than it.
for stored in 5000,5000,5800,5445 0,0,30000,30000 -900,-50,-100,395; do
  printf '[TForm1]\r\nPixelsPerInch=96\r\nNormPos=%s\r\n' "$stored" > "$ini"
  start
  read -r x y w h < <(frame)
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1280 ] && [ $((y + h)) -le 1024 ] ||
    fail "stored place $stored opens at $x $y $w $h"
  close_window
done

# Screen scaling: centred on the screen and no larger than it, every side of
# the subject view's border drawn.
for scale in 2 1.5; do
  rm -f "$ini"
  start QT_SCALE_FACTOR=$scale
  read -r x y w h < <(frame)
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1280 ] && [ $((y + h)) -le 1024 ] ||
    fail "scale $scale: the window stands at $x $y $w $h"
  read -r cx cy < <(client)
  # The subject view ends at row 218 of the layout: look for its bottom line
  # around it, in the middle of the view.
  border=$(import -window root -crop "1x8+$((cx + w / 2))+$(awk "BEGIN {print int($cy + 218 * $scale) - 4}")" \
    -depth 8 txt:- | grep -c -v -e '#FFFFFF' -e '#EFEFEF' -e '^#')
  [ "$border" -ge 1 ] || fail "scale $scale: the subject view's bottom border is not drawn"
  close_window
done
echo "placement: $((SECONDS - started_at)) s"

# --- The instruction list: "E" deletes only a chosen item --------------------

# Points of the layout at the design size.
combo_arrow="728 42"
combo_field="300 42"
erase_button="782 41"
add_button="753 41"
title_field="400 15"
plus_button="93 404"
save_button="743 404"
preview_button="461 404"
choose_printer_button="433 404"
options_button="45 378"

items() {
  settings_text | sed -n '/^\[TForm1.Combo1_Items\]/,/^\[/p' | grep '^Item' | paste -sd'|'
}
all_three="Item0=Calculer (réponse irréductible)|Item1=Simplifier (réponse irréductible)|Item2=Réduire au plus petit dénominateur commun"

printf '[TForm1]\r\nCombo1_Text=Mon texte\r\n' > "$ini"
start
click_at $erase_button
close_window
expect_equal "E after a restored text" "$(items)" "$all_three"
expect_equal "the restored text" "$(setting Combo1_Text)" "Mon texte"

start
click_at $combo_field
xdotool key End type " bis"
click_at $erase_button
close_window
expect_equal "E after a typed text" "$(items)" "$all_three"
expect_equal "the typed text" "$(setting Combo1_Text)" "Mon texte bis"

# Chosen from the open list with the keys: the second item goes, the box
# still shows it.
start
click_at $combo_arrow
wait_popup
xdotool key Down Return
sleep 0.3
click_at $erase_button
click_at $erase_button
close_window
expect_equal "E after a chosen item" "$(items)" \
  "Item0=Calculer (réponse irréductible)|Item1=Réduire au plus petit dénominateur commun"
expect_equal "the box after E" "$(setting Combo1_Text)" "Simplifier (réponse irréductible)"

# --- Options des exercices: ticked in the dialog, kept over restarts ---------

# "Grands caractères" and "Corrigé détaillé", the dialog's last two boxes,
# ticked with the keys as a teacher would; each close writes them again
# from what the start read, so two restarts keep them only if they are read.
rm -f "$ini"
start
click_at $options_button
wait_popup
xdotool key Tab Tab Tab Tab Tab Tab space Tab space Return
sleep 0.3
close_window
for i in 1 2 3; do
  expect_equal "GrandsCaracteres, close $i" "$(setting GrandsCaracteres)" 1
  expect_equal "CorrigeDetaille, close $i" "$(setting CorrigeDetaille)" 1
  [ "$i" -lt 3 ] && start && close_window
done

# --- The lamp with real popups and dialogs -----------------------------------

rm -f "$ini"
start
expect_lamp "first start" "$green"
click_at $title_field
xdotool key End type "x"
expect_lamp "a typed title" "$red"
click_at $combo_arrow
wait_popup
xdotool key Escape
expect_lamp_stays "the list closed with Escape" "$red"
click_at $combo_arrow
wait_popup
click_at $title_field
expect_lamp_stays "the list closed by a click outside" "$red"
click_at $title_field 3
wait_popup
xdotool key Escape
expect_lamp_stays "the edit menu closed" "$red"
# A tooltip: the pointer rests on a button, then leaves.
xdotool mousemove $(client | awk '{print $1 + 93, $2 + 404}') sleep 2 mousemove 0 0 sleep 0.3
expect_lamp_stays "a tooltip shown and gone" "$red"
# "CI": the print dialog, or the error box when there is no printer.
click_at $choose_printer_button
wait_for_window '^fractions$|Imprim'
xdotool key Escape
expect_lamp_stays "back from the printer's dialog or its error" "$red"
click_at $add_button
wait_for_window "Nouveau texte"
# The box: centred on the screen, frame included, and wide enough.
read -r x y w h < <(frame "$(xdotool search --onlyvisible --name 'Nouveau texte' | head -n 1)")
[ "$w" -ge 450 ] || fail "the \"Nouveau texte\" box is $w pixels wide"
[ $((2 * x + w - 1280)) -ge -2 ] && [ $((2 * x + w - 1280)) -le 2 ] &&
  [ $((2 * y + h - 1024)) -ge -2 ] && [ $((2 * y + h - 1024)) -le 2 ] ||
  fail "the \"Nouveau texte\" box stands at $x $y $w $h, not centred"
xdotool type "Texte essai"
xdotool key Return
expect_lamp "back from the \"Nouveau texte\" box" "$green"

click_at $plus_button
click_at $title_field
xdotool key End type "y"
expect_lamp "a typed title after a run" "$red"
click_at $save_button
wait_for_window "Enregistrer"
xdotool key Escape
expect_lamp_stays "back from the save dialog" "$red"
click_at $preview_button
wait_for_window "Aperçu"
# A click into the pane, then one into the subject view, which the pane
# (centred on the screen) leaves uncovered.
preview=$(xdotool search --onlyvisible --name 'Aperçu' | head -n 1)
read -r px py < <(xwininfo -id "$preview" | awk '/Absolute upper-left X/ {x = $NF}
  /Absolute upper-left Y/ {y = $NF} END {print x, y}')
xdotool mousemove $((px + 200)) $((py + 200)) sleep 0.1 click 1
sleep 0.3
click_at 50 150
expect_lamp "back from the preview pane" "$green"
close_window

# --- The preview: a small copy of the page, on every screen ------------------

# A teacher's own files of the preview's names in the working folder (here
# the program's, as the home folder is when it starts from a menu) survive a
# close without a preview, and closes after one, which still shows. The
# preview's first page, taken from the screen (420 x 594 pixels times the
# screen's scale), has 0.3 to 8 % dark pixels and its ink inside the 15 mm
# margins, ending before 80 % of its width: on the screen's default
# resolution, at 96 and at 144 dots per inch (where Qt scales by 1.5).
scale=1
scaled() { awk -v s="$scale" -v v="$1" 'BEGIN { print int(v * s + 0.5) }'; }

check_preview_page() {
  local preview x y w h m dark ink_w ink_h ink_x ink_y
  preview=$(xdotool search --onlyvisible --name 'Aperçu' | head -n 1)
  xdotool windowmove --sync "$preview" 0 0 windowsize --sync "$preview" "$(scaled 493)" "$(scaled 660)"
  sleep 0.5
  read -r x y < <(xwininfo -id "$preview" | awk '/Absolute upper-left X/ {x = $NF}
    /Absolute upper-left Y/ {y = $NF} END {print x, y}')
  w=$(scaled 420) h=$(scaled 594) m=$(scaled 30)
  # Image1 stands at 25, 45 of the pane's content, inside a frame of 1.
  import -window root -crop "${w}x${h}+$((x + 1 + $(scaled 25)))+$((y + 1 + $(scaled 45)))" "$work/page.png"
  dark=$(convert "$work/page.png" -colorspace Gray -threshold 50% -format '%[fx:1-mean]' info:)
  read -r ink_w ink_h ink_x ink_y < <(convert "$work/page.png" -colorspace Gray -threshold 75% \
    -format '%@\n' info: | tr 'x+' '  ')
  awk -v d="$dark" 'BEGIN { exit !(d >= 0.003 && d <= 0.08) }' || fail "$1: the preview is $dark dark"
  [ $((ink_x - m)) -ge -3 ] && [ $((ink_x - m)) -le 3 ] && [ $((ink_y - m)) -ge -3 ] &&
    [ $((ink_y + ink_h)) -le $((h - m + 3)) ] && [ $((10 * (ink_x + ink_w))) -le $((8 * w)) ] ||
    fail "$1: the preview's ink stands at $ink_x $ink_y ${ink_w}x$ink_h of ${w}x$h"
}

expect_teachers_files() {
  [ "$(cat "$app/TWFile.txt")" = "mes notes" ] && [ "$(cat "$app/Temp0.EMF")" = "mon dessin" ] &&
    [ ! -e "$app/Temp1.EMF" ] || fail "$1: the teacher's own files changed"
}

printf 'mes notes' > "$app/TWFile.txt"
printf 'mon dessin' > "$app/Temp0.EMF"
rm -f "$ini"
start
close_window
expect_teachers_files "a close without a preview"
for dpi in "" 96 144; do
  scale=1
  [ "$dpi" = 144 ] && scale=1.5
  rm -f "$ini"
  start ${dpi:+QT_FONT_DPI=$dpi}
  click_at "$(scaled 93)" "$(scaled 404)"
  click_at "$(scaled 461)" "$(scaled 404)"
  wait_for_window "Aperçu"
  check_preview_page "screen ${dpi:-default} dpi"
  close_window
  expect_teachers_files "a close after a preview, screen ${dpi:-default} dpi"
done
rm -f "$app/TWFile.txt" "$app/Temp0.EMF"

# --- Log-out signals close as the teacher's own close --------------------------

# SIGHUP with the preview's files left in the folder: settings saved, files
# gone.
rm -f "$ini"
start
click_at $title_field
xdotool key End type " 5B"
click_at $plus_button
click_at $preview_button
wait_for_window "Aperçu"
[ -e "$app/Temp0.EMF" ] || fail "no preview file to remove"
kill -HUP "$pid"
wait_end
[ ! -e "$app/Temp0.EMF" ] && [ ! -e "$app/TWFile.txt" ] || fail "SIGHUP left the preview's files"
setting eTitre1_Text | grep -q 'Classe : 5B$' || fail "SIGHUP lost the title: $(setting eTitre1_Text)"

# SIGTERM while the "Nouveau texte" box is open: the box gives way.
start
click_at $title_field
xdotool key End type " 6C"
click_at $add_button
wait_for_window "Nouveau texte"
kill -TERM "$pid"
wait_end
setting eTitre1_Text | grep -q 'Classe : 5B 6C$' ||
  fail "SIGTERM with a dialog open lost the title: $(setting eTitre1_Text)"

# A settings file that cannot be written: the message goes to standard
# error, no box holds the end up.
rm -f "$ini"
mkdir "$ini"
start
click_at $add_button
wait_for_window "Nouveau texte"
kill -TERM "$pid"
wait_end
grep -q "Impossible d'écrire dans $ini" "$work/err.log" ||
  fail "the settings' write error was not reported: $(cat "$work/err.log")"
rmdir "$ini"

# The desktop's log-out: the session manager asks the program to save itself
# for a shutdown, then the session ends at once.
rm -f "$ini"
start -- "$session_manager"
click_at $title_field
xdotool key End type " 7D"
click_at $plus_button
click_at $preview_button
wait_for_window "Aperçu"
kill -USR1 "$pid"
wait_end
[ ! -e "$app/Temp0.EMF" ] && [ ! -e "$app/TWFile.txt" ] || fail "the log-out left the preview's files"
setting eTitre1_Text | grep -q 'Classe : 7D$' || fail "the log-out lost the title: $(setting eTitre1_Text)"

# --- A read-only program folder: its settings are read, the user's written ---

if unshare -m true 2> /dev/null; then
  printf '[TForm1]\r\nspSujets_Value=7\r\n' > "$ini"
  cp "$ini" "$work/beside.ini"
  start -- unshare -m sh -c 'mount --bind -o ro "$0" "$0" && exec "$@"' "$app"
  close_window
  user_ini="$HOME/.config/fractions/fractions.ini"
  tr -d '\r' < "$user_ini" | grep -qx 'spSujets_Value=7' ||
    fail "read-only folder: the settings beside the program were not read"
  cmp -s "$ini" "$work/beside.ini" || fail "read-only folder: the file beside the program changed"
else
  echo "SKIP: no mount namespace here for the read-only folder"
fi

echo "PASS ($((SECONDS - started_at)) s)"
