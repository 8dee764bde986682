#!/usr/bin/env bash
# The Debian package as a school's machine gets it: built by
# tools/package.sh, checked (lintian, desktop entry, AppStream, Depends, the
# manual page against --help), installed with apt-get, both programs run
# from /usr/bin (the window under an Xvfb of its own), then purged, after
# which nothing it installed or wrote may stay under /usr.
#
# Installs and purges a package: runs as root, or through sudo for those
# steps. Needs dpkg-dev, lintian, appstream, desktop-file-utils, man-db, xvfb,
# openbox, xdotool and x11-utils (tools/test.sh installs them).
set -euo pipefail
cd "$(dirname "$0")/../.."

# Under pipefail, "producer | grep -q" fails when grep stops reading early:
# long outputs are searched as here-strings instead.
fail() {
  echo "check_package: $*" >&2
  exit 1
}
step() { echo "== check_package: $*"; }

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
apt_get() {
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 "$@"
}

for tool in lintian appstreamcli desktop-file-validate man Xvfb openbox xdotool xprop; do
  command -v "$tool" > /dev/null || fail "$tool is missing"
done

work=$(mktemp -d)
xvfb_pid=
openbox_pid=
app_pid=
installed=no
cleanup() {
  for pid in $app_pid $openbox_pid $xvfb_pid; do
    kill "$pid" 2> /dev/null || true
  done
  if [ "$installed" = yes ]; then
    apt_get purge -y fractions > /dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# Fingerprint of what a package build must leave alone: the tracked and
# untracked files of the tree, and the configuration of build/.
tree_state() {
  if git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
    git status --porcelain --untracked-files=all
  fi
  for file in build/CMakeCache.txt build/build.ninja; do
    if [ -f "$file" ]; then sha256sum "$file"; fi
  done
}

step "building the package"
tree_state > "$work/tree.before"
bash tools/package.sh | tee "$work/package.out"
deb=$(realpath "$(tail -n 1 "$work/package.out")")
tree_state > "$work/tree.after"
diff -u "$work/tree.before" "$work/tree.after" ||
  fail "building the package changed the source tree or build/"

step "lintian"
lintian_status=0
lintian --fail-on error "$deb" || lintian_status=$?
[ "$lintian_status" -eq 0 ] || fail "lintian reports errors"

step "desktop entry and AppStream metainfo, as the package ships them"
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/fractions.desktop"
appstream_report=$(appstreamcli validate-tree --no-net "$work/root" 2>&1) || true
echo "$appstream_report"
grep -q 'fractions.metainfo.xml' <<< "$appstream_report" || fail "appstreamcli found no metainfo"
if grep -qE '^\s*E: ' <<< "$appstream_report"; then
  fail "the AppStream metainfo has errors"
fi
# The version where it is written by hand: the metainfo's releases, the
# manual pages' title lines.
upstream_version=$(dpkg-deb -f "$deb" Version | sed 's/-[^-]*$//')
grep -q "<release version=\"$upstream_version\"" "$work/root/usr/share/metainfo/fractions.metainfo.xml" ||
  fail "the metainfo has no release entry for version $upstream_version"
for page in fractions fractions-cli; do
  grep -q "^\.TH .* \"fractions $upstream_version\"" <<< "$(zcat "$work/root/usr/share/man/man1/$page.1.gz")" ||
    fail "the manual page $page(1) does not name version $upstream_version"
done

step "Depends"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
mapfile -t depends_names < <(tr ',|' '\n' <<< "$depends" | sed -E 's/\(.*\)//; s/[[:space:]]//g' |
  grep -v '^$' | sort -u)
# What only builds or tests use: compilers and build tools, headers, and the
# packages tools/test.sh installs for the tests alone.
read -r -a test_packages <<< "${FRACTIONS_EXTRA_PACKAGES:-}"
for name in "${depends_names[@]}"; do
  case "$name" in
    *-dev | gcc* | g++* | cpp* | clang* | llvm* | build-essential | cmake* | ninja-build | make | \
      pkg-config | pkgconf | libgtest* | libgmock* | googletest | libbenchmark* | libfuzzer*)
      fail "Depends names $name, which only builds need"
      ;;
  esac
  for test_package in "${test_packages[@]}"; do
    [ "$name" != "$test_package" ] || fail "Depends names $name, which only the tests need"
  done
done
# The Qt plug-ins the window cannot do without come in with the Qt library
# packages; dpkg-shlibdeps only sees the libraries.
needed=(fonts-liberation qt6-translations-l10n libqt6widgets6)
for plugin in platforms/libqxcb.so printsupport/libcupsprintersupport.so; do
  owner=$(dpkg -S "/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/qt6/plugins/$plugin")
  needed+=("${owner%%:*}")
done
for name in "${needed[@]}"; do
  grep -qx "$name" <<< "$(printf '%s\n' "${depends_names[@]}")" || fail "Depends lacks $name"
done

step "installing with apt-get"
# The dependencies first, so that the snapshot of /usr holds them and only
# the package itself comes and goes.
missing=()
for name in "${depends_names[@]}"; do
  dpkg-query -W -f='${Status}' "$name" 2> /dev/null | grep -q 'install ok installed' ||
    missing+=("$name")
done
if ((${#missing[@]} > 0)); then
  apt_get update
  apt_get install -y --no-install-recommends "${missing[@]}"
fi
find /usr -xdev 2> /dev/null | sort > "$work/usr.before"
installed=yes
(cd "$(dirname "$deb")" && apt_get install -y "./$(basename "$deb")")
dpkg -L fractions | grep -vx '/\.' | sort > "$work/listed"

step "fractions-cli from /usr/bin"
[ "$(command -v fractions-cli)" = /usr/bin/fractions-cli ] || fail "fractions-cli is not on the PATH"
/usr/bin/fractions-cli --type add --seed 1 --out "$work/feuille" > "$work/cli.out"
cat "$work/cli.out"
# The title line and one line per question, 25 by default.
[ "$(wc -l < "$work/cli.out")" -eq 26 ] || fail "fractions-cli did not list 25 questions"
for file in feuille.rtf feuille_Cor.rtf; do
  head -c 6 "$work/$file" | grep -q '{\\rtf1' || fail "$file is not RTF"
  [ "$(grep -o '\\pict' "$work/$file" | wc -l)" -ge 25 ] || fail "$file lacks its pictures"
done

step "the manual pages"
man_text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -P cat fractions-cli)
grep -q '^CODE DE RETOUR' <<< "$man_text" || fail "man fractions-cli does not answer in French"
grep -q '^FICHIERS' <<< "$(LC_ALL=C.UTF-8 man -P cat fractions)" || fail "man fractions does not answer"
# Every option the program knows is in its manual page, and no other.
/usr/bin/fractions-cli --help | grep -oE '^  --[a-z-]+' | sed 's/^ *//' | sort -u > "$work/help.options"
zcat /usr/share/man/man1/fractions-cli.1.gz | grep -A1 '^\.TP' | grep -oE '^\.B[IR]? \\-\\-[a-z\\-]+' |
  sed -E 's/^\.B[IR]? //; s/\\//g' | sort -u > "$work/man.options"
diff -u "$work/help.options" "$work/man.options" ||
  fail "the options of fractions-cli --help and of its manual page differ"

step "fractions from /usr/bin, under Xvfb"
# Xvfb picks a free display and writes its number to file descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 1 60); do
  [ -s "$work/display" ] && break
  sleep 0.5
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=":$(cat "$work/display")"
export DISPLAY
openbox > /dev/null 2>&1 &
openbox_pid=$!
# A window mapped while openbox is still starting may never show: wait for
# the window manager to announce itself first.
for _ in $(seq 1 120); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q 'window id' && break
  sleep 0.25
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || fail "openbox did not start"
mkdir -m 700 "$work/home" "$work/runtime"
(cd "$work" && exec env -u XDG_CONFIG_HOME HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
  /usr/bin/fractions) \
  > "$work/fractions.log" 2>&1 &
app_pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --class fractions | head -n 1) || true
[ -n "$window" ] || {
  cat "$work/fractions.log"
  fail "the window of /usr/bin/fractions did not show"
}
echo "window $window: $(xdotool getwindowname "$window")"
# Closed as a user closes it: the window manager asks, the program saves its
# settings and ends.
xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
for _ in $(seq 1 60); do
  kill -0 "$app_pid" 2> /dev/null || break
  sleep 0.5
done
kill -0 "$app_pid" 2> /dev/null && fail "the window did not close"
app_status=0
wait "$app_pid" || app_status=$?
app_pid=
cat "$work/fractions.log"
[ "$app_status" -eq 0 ] || fail "/usr/bin/fractions ended with status $app_status"
kill "$openbox_pid" "$xvfb_pid"
wait "$openbox_pid" "$xvfb_pid" 2> /dev/null || true
openbox_pid=
xvfb_pid=

step "purging"
apt_get purge -y fractions
installed=no
status=$(dpkg-query -W -f='${Status}' fractions 2> /dev/null) || true
case "$status" in
  "" | *" not-installed") ;;
  *) fail "fractions is still known to dpkg: $status" ;;
esac
find /usr -xdev 2> /dev/null | sort > "$work/usr.after"
left=$(comm -23 "$work/listed" "$work/usr.before" | while read -r path; do
  if [ -e "$path" ] || [ -L "$path" ]; then echo "$path"; fi
done)
[ -z "$left" ] || fail "the purge left what the package installed: $left"
new=$(comm -13 "$work/usr.before" "$work/usr.after")
[ -z "$new" ] || fail "new under /usr after the purge: $new"

step "the package installs, runs and leaves cleanly"
