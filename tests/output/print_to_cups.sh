#!/usr/bin/env bash
# Prints class sets from the window on a real CUPS print system, a PDF queue
# (cups-pdf):
# - installed but not the default: "CI" offers it, and cancelled,
#   "Imprimer" still says there is no default printer;
# - made the default and paused: 3 subjects and 1 answer key are sent as
#   four jobs "Sujet", "Sujet", "Sujet", "Corrigé" with a notice that the
#   queue holds them; once resumed, every PDF the queue wrote holds the
#   worksheet's header and its exercise lines, drawn as text and lines
#   rather than pasted as pictures, inside margins of 15 mm (the queue's
#   paper has no unprintable border); the preview asked for beforehand
#   shows the same margins, and its second page starts with the question
#   the printed second page starts with;
# - copy counts with a 0 give exactly their jobs;
# - a page range or a page set left in the printer by the print dialog,
#   whose range group stays hidden, cuts no job;
# - refusing jobs: the error names the printer and no job is sent;
# - removed, with no printer at all: the error, and no job.
# The program runs with a home folder of its own, so that a user's
# ~/.cups/lpoptions cannot send its jobs elsewhere. Starts cupsd when it is
# not running (and stops it again), and removes its queue whatever happens.
# Runs cupsd and lpadmin as root, through sudo when not root already.
set -euo pipefail
export PATH="$PATH:/usr/sbin:/sbin"
program=$1
queue="fractions-test-$$"
# A cups-pdf instance of its own, writing each job to its own file here.
instance="fractionstest$$"
instance_conf="/etc/cups/cups-pdf-$instance.conf"
output_folder=$(mktemp -d)
home=$(mktemp -d)
preview_folder=$(mktemp -d)
questions=25   # the window's default

fail() { echo "FAIL: $*" >&2; exit 1; }

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  sudo -n true 2> /dev/null || fail "needs root, or sudo without a password, for cupsd and lpadmin"
  as_root=(sudo -n)
fi
for tool in cupsd lpadmin lpstat cupsenable cupsdisable cupsaccept cupsreject cancel ipptool \
  pdfimages pdftotext pdfinfo; do
  command -v "$tool" > /dev/null || fail "$tool missing: tools/test.sh installs it"
done

started_cupsd=0
cleanup() {
  "${as_root[@]}" lpadmin -x "$queue" 2> /dev/null || true
  "${as_root[@]}" rm -f "$instance_conf"
  "${as_root[@]}" rm -rf "$output_folder"
  rm -rf "$home" "$preview_folder"
  if [ "$started_cupsd" -eq 1 ]; then
    "${as_root[@]}" pkill -x cupsd || true
  fi
}
trap cleanup EXIT

if ! lpstat -r 2> /dev/null | grep -q "is running"; then
  "${as_root[@]}" cupsd
  started_cupsd=1
  for _ in $(seq 50); do
    lpstat -r 2> /dev/null | grep -q "is running" && break
    sleep 0.2
  done
fi

chmod 755 "$output_folder"
printf 'Out %s\nLabel 2\n' "$output_folder" | "${as_root[@]}" tee "$instance_conf" > /dev/null
# Through PostScript made by pdftocairo, the PDFs the queue writes keep
# their text extractable (ghostscript's way turns fonts into Type 3 glyphs).
"${as_root[@]}" lpadmin -p "$queue" -E -v "cups-pdf:/$instance" -m lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd \
  -o pdftops-renderer-default=pdftocairo 2> /dev/null

# "id,title" of the queue's jobs in a given state, in job order. CUPS
# forgets a job's title a moment after the job completes: titles are read
# while the jobs wait in the stopped queue.
jobs_test=$(mktemp)
cat > "$jobs_test" <<'IPP'
{
  OPERATION Get-Jobs
  GROUP operation-attributes-tag
  ATTR charset attributes-charset utf-8
  ATTR naturalLanguage attributes-natural-language en
  ATTR uri printer-uri $uri
  ATTR name requesting-user-name $user
  ATTR keyword which-jobs $which
  ATTR keyword requested-attributes job-id,job-name,page-ranges,page-set
  DISPLAY job-id
  DISPLAY job-name
  DISPLAY page-ranges
  DISPLAY page-set
}
IPP
jobs_in() {
  ipptool -c -d "which=$1" -d "user=$(id -un)" "ipp://localhost/printers/$queue" "$jobs_test" |
    tail -n +2 | sort -n
}


run() {
  HOME="$home" QT_QPA_PLATFORM=offscreen "$program" "$@"
}
titles_waiting() { jobs_in not-completed | cut -d, -f2 | paste -sd,; }

# The smallest distances, in millimetres, of a PDF's words to the left, top,
# right and bottom edges of their pages.
margins_of() {
  pdftotext -bbox "$1" - | awk -F'"' '
    /<page / { w = $2; h = $4 }
    /<word / { l = m($2, l); t = m($4, t); r = m(w - $6, r); b = m(h - $8, b) }
    function m(v, old) { return (old == "" || v < old) ? v : old }
    END { printf "%.1f %.1f %.1f %.1f\n", l * 25.4 / 72, t * 25.4 / 72, r * 25.4 / 72, b * 25.4 / 72 }'
}
expect_margins() {
  local left top right bottom
  read -r left top right bottom < <(margins_of "$1")
  awk -v l="$left" -v t="$top" -v r="$right" -v b="$bottom" \
    'BEGIN { exit !(l >= 14.9 && l <= 16 && t >= 14.9 && r >= 14.9 && b >= 14.9) }' ||
    fail "$1: the margins are $left $top $right $bottom mm, not at least 15"
}
# The first exercise line's number on a page's text: "N°)".
first_question() { grep -oE '[0-9]+°\)' | head -n 1; }
cancel_all() { "${as_root[@]}" cancel -a "$queue" 2> /dev/null || true; }

# Installed, not the default.
if lpstat -d 2> /dev/null | grep -q "system default destination:"; then
  echo "note: this machine has a default printer; the check without one is left out"
else
  result=$(run 1 0 --dialog)
  grep -qx "DIALOG PRINTER: $queue" <<< "$result" || fail "CI without a default printer: $result"
  # The dialog chooses a printer; it prints nothing.
  grep -qx "ACCEPT BUTTON: Choisir" <<< "$result" || fail "CI's accept button: $result"
  grep -qx "ERROR: Aucune imprimante par défaut sélectionnée." <<< "$result" ||
    fail "printing after a cancelled choice: $result"
fi
"${as_root[@]}" lpadmin -d "$queue"

# Paused: the jobs wait, and the teacher is told. The preview comes first.
"${as_root[@]}" cupsdisable "$queue"
result=$(run 3 1 --preview "$preview_folder")
echo "$result"
name=$(sed -n 's/^name: //p' <<< "$result")
grep -q '^ERROR' <<< "$result" && fail "printing failed: $result"
grep -qx "NOTICE: L'imprimante « $queue » est en pause : les impressions attendront." <<< "$result" ||
  fail "no notice of the paused queue: $result"
waiting=$(jobs_in not-completed)
[ "$(titles_waiting)" = "Sujet,Sujet,Sujet,Corrigé" ] || fail "jobs sent: '$(titles_waiting)'"

"${as_root[@]}" cupsenable "$queue"
for _ in $(seq 300); do
  [ "$(jobs_in completed | cut -d, -f1)" = "$(cut -d, -f1 <<< "$waiting")" ] && break
  sleep 0.2
done
[ "$(jobs_in completed | cut -d, -f1)" = "$(cut -d, -f1 <<< "$waiting")" ] ||
  fail "not all four jobs completed: $(jobs_in all)"

mapfile -t pdfs < <(find "$output_folder" -name '*.pdf')
[ "${#pdfs[@]}" -eq 4 ] || fail "expected 4 PDFs in $output_folder, found ${#pdfs[@]}"
for pdf in "${pdfs[@]}"; do
  pictures=$(pdfimages -list "$pdf" | tail -n +3 | wc -l)
  [ "$pictures" -eq 0 ] || fail "$pdf holds $pictures pictures, not none"
  text=$(pdftotext "$pdf" -)
  grep -q "$name" <<< "$text" || fail "$pdf lacks the header '$name'"
  for number in $(seq "$questions"); do
    grep -qE "(^|[^0-9])$number°\)" <<< "$text" || fail "$pdf lacks the line '$number°)'"
  done
  expect_margins "$pdf"
  if ! grep -q "Corrigé" <<< "$(head -n 1 <<< "$text")"; then
    subject_pdf=$pdf
  fi
done

# The preview: a small copy of the printed subject, in the same margins
# (2 pixels a millimetre), neither too dark nor too large, and broken into
# pages as it prints.
image="$preview_folder/Image1.png"
dark=$(convert "$image" -colorspace Gray -threshold 50% -format '%[fx:1-mean]' info:)
read -r ink_width _ ink_left ink_top < <(convert "$image" -colorspace Gray -threshold 75% \
  -format '%@\n' info: | tr 'x+' '  ')
awk -v d="$dark" 'BEGIN { exit !(d >= 0.003 && d <= 0.08) }' || fail "the preview is $dark dark"
[ $((ink_left + ink_width)) -le 336 ] || fail "the preview's ink runs to $((ink_left + ink_width)) of 420"
[ "$ink_left" -ge 29 ] && [ "$ink_left" -le 32 ] && [ "$ink_top" -ge 29 ] ||
  fail "the preview's margins: ink from $ink_left, $ink_top"
printed_second=$(pdftotext -f 2 -l 2 "$subject_pdf" - | first_question)
preview_second=$(sed 's/<[^>]*>//g' "$preview_folder/Temp1.EMF" | first_question)
[ -n "$printed_second" ] && [ "$preview_second" = "$printed_second" ] ||
  fail "the preview's second page starts with '$preview_second', the printed one with '$printed_second'"
"${as_root[@]}" rm -f "${pdfs[@]}"

# "Sujets différents": three different subjects, then their three keys in
# the same order, each key with its subject's name; the second and third
# marked as such.
result=$(run 3 1 --variants)
grep -q '^ERROR' <<< "$result" && fail "printing a set failed: $result"
for _ in $(seq 300); do
  [ "$(find "$output_folder" -name '*.pdf' | wc -l)" -eq 6 ] && [ -z "$(titles_waiting)" ] && break
  sleep 0.2
done
mapfile -t pdfs < <(find "$output_folder" -name '*.pdf' | sed -E 's/.*job_([0-9]+).*/\1 &/' | sort -n |
  cut -d' ' -f2-)
[ "${#pdfs[@]}" -eq 6 ] || fail "a set of 3 subjects and 3 keys gave ${#pdfs[@]} PDFs"
headers=()
for pdf in "${pdfs[@]}"; do
  headers+=("$(pdftotext -l 1 "$pdf" - | head -1)")
  expect_margins "$pdf"  # printed without a preview first
done
for k in 0 1 2; do
  subject_name=${headers[$k]%% *}
  [ "${headers[$((k + 3))]%% *}" = "$subject_name" ] ||
    fail "key $((k + 1)) is not its subject's: '${headers[$((k + 3))]}' for '${headers[$k]}'"
  if [ "$k" -gt 0 ]; then
    grep -q " - Sujet $((k + 1))/3 - " <<< "${headers[$k]}" || fail "subject $((k + 1)): ${headers[$k]}"
    grep -q " - Corrigé $((k + 1))/3 - " <<< "${headers[$((k + 3))]}" ||
      fail "key $((k + 1)): ${headers[$((k + 3))]}"
  fi
done
bodies=$(for pdf in "${pdfs[@]:0:3}"; do pdftotext "$pdf" - | tail -n +2 | md5sum; done | sort -u | wc -l)
[ "$bodies" -eq 3 ] || fail "the three subjects are not all different"
"${as_root[@]}" rm -f "${pdfs[@]}"

# Copy counts with a 0, and a page range and a page set left in the
# printer: held jobs.
"${as_root[@]}" cupsdisable "$queue"
for counts in "2 0 Sujet,Sujet" "0 2 Corrigé,Corrigé"; do
  read -r subjects answer_keys expected <<< "$counts"
  result=$(run "$subjects" "$answer_keys" --dialog)
  grep -q '^ERROR' <<< "$result" && fail "printing $subjects and $answer_keys failed: $result"
  grep -qx "RANGE GROUP: hidden" <<< "$result" || fail "the dialog offers a page range: $result"
  [ "$(titles_waiting)" = "$expected" ] ||
    fail "$subjects subjects and $answer_keys answer keys sent '$(titles_waiting)'"
  ranges=$(jobs_in not-completed | cut -d, -f3,4 | tr -d ',\n')
  [ -z "$ranges" ] || fail "jobs printed with a page range or a page set: $ranges"
  cancel_all
done
"${as_root[@]}" cupsenable "$queue"

# Refusing jobs: an error naming the printer, and no job.
"${as_root[@]}" cupsreject "$queue"
result=$(run 3 1)
grep -qx "ERROR: L'imprimante « $queue » a refusé l'impression : aucune impression envoyée sur 4." \
  <<< "$result" || fail "a refusing queue: $result"
[ -z "$(titles_waiting)" ] || fail "jobs sent to a refusing queue: $(titles_waiting)"
"${as_root[@]}" cupsaccept "$queue"

# No printer at all: the error, and no job.
"${as_root[@]}" lpadmin -x "$queue"
if lpstat -d 2> /dev/null | grep -q "system default destination:"; then
  export CUPS_SERVER=/nonexistent/cups.sock  # another default here: hide it
fi
result=$(run 1 1)
grep -qx "ERROR: Aucune imprimante par défaut sélectionnée." <<< "$result" ||
  fail "without a default printer: $result"
[ -z "$(find "$output_folder" -name '*.pdf')" ] || fail "a job was printed"
echo "PASS"
