#!/usr/bin/env bash
# Prints a class set from the window on a real CUPS print system: a PDF
# queue (cups-pdf) made the default printer, 3 subjects and 1 answer key.
# CUPS must list four completed jobs "Sujet", "Sujet", "Sujet", "Corrigé",
# and every PDF the queue wrote must hold the worksheet's header and its
# exercise lines, drawn as text and lines rather than pasted as pictures. Then, with no default printer, printing must give the error and
# no job. Starts cupsd when it is not running (and stops it again), and
# removes its queue whatever happens. Runs cupsd and lpadmin as root, through
# sudo when not root already.
set -euo pipefail
export PATH="$PATH:/usr/sbin:/sbin"
program=$1
queue="fractions-test-$$"
# A cups-pdf instance of its own, writing each job to its own file here.
instance="fractionstest$$"
instance_conf="/etc/cups/cups-pdf-$instance.conf"
output_folder=$(mktemp -d)
questions=25   # the window's default

fail() { echo "FAIL: $*" >&2; exit 1; }

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  sudo -n true 2> /dev/null || fail "needs root, or sudo without a password, for cupsd and lpadmin"
  as_root=(sudo -n)
fi
for tool in cupsd lpadmin lpstat cupsenable cupsdisable ipptool pdfimages pdftotext; do
  command -v "$tool" > /dev/null || fail "$tool missing: tools/test.sh installs it"
done

started_cupsd=0
cleanup() {
  "${as_root[@]}" lpadmin -x "$queue" 2> /dev/null || true
  "${as_root[@]}" rm -f "$instance_conf"
  "${as_root[@]}" rm -rf "$output_folder"
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
"${as_root[@]}" lpadmin -d "$queue"

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
  ATTR keyword requested-attributes job-id,job-name
  DISPLAY job-id
  DISPLAY job-name
}
IPP
jobs_in() {
  ipptool -c -d "which=$1" -d "user=$(id -un)" "ipp://localhost/printers/$queue" "$jobs_test" |
    tail -n +2 | sort -n
}


"${as_root[@]}" cupsdisable "$queue"
result=$(QT_QPA_PLATFORM=offscreen "$program" 3 1)
echo "$result"
name=$(sed -n 's/^name: //p' <<< "$result")
grep -q '^ERROR' <<< "$result" && fail "printing failed: $result"
waiting=$(jobs_in not-completed)
titles=$(cut -d, -f2 <<< "$waiting" | paste -sd,)
[ "$titles" = "Sujet,Sujet,Sujet,Corrigé" ] || fail "jobs sent: '$titles'"

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
  "${as_root[@]}" rm -f "$pdf"
done

# No default printer: the error, and no job.
"${as_root[@]}" lpadmin -x "$queue"
if lpstat -d 2> /dev/null | grep -q "system default destination:"; then
  export CUPS_SERVER=/nonexistent/cups.sock  # another default here: hide it
fi
result=$(QT_QPA_PLATFORM=offscreen "$program" 1 1)
grep -qx "ERROR: Aucune imprimante par défaut sélectionnée." <<< "$result" ||
  fail "without a default printer: $result"
[ -z "$(find "$output_folder" -name '*.pdf')" ] || fail "a job was printed"
echo "PASS"
