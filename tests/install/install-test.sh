#!/usr/bin/env bash
# Installs a build into a temporary prefix and uses the installed program as a
# person would: under a virtual X server, keys typed by xdotool, nothing read
# from the build folder. Usage: install-test.sh BUILD_DIR LIBDIR
set -euo pipefail

build=$1
libdir=$2
work="$(mktemp -d)"
prefix="$work/prefix"
home="$work/home"
config="$home/config"
pexor_pid=
xvfb_pid=

cleanup() {
  [ -n "$pexor_pid" ] && kill "$pexor_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  chmod -R u+w "$work"
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "install test: $*" >&2
  [ -s "$work/pexor.log" ] && sed 's/^/  Pexor: /' "$work/pexor.log" >&2
  exit 1
}

files_under() {
  (cd "$1" && find . \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort)
}

# Width x height from a PNG's header, or nothing when it is not a PNG.
png_size() {
  local bytes
  read -ra bytes <<<"$(od -An -tu1 -w24 -N24 "$1")"
  [ "${bytes[*]:0:8}" = "137 80 78 71 13 10 26 10" ] || return 0
  echo "$(((bytes[16] << 24) | (bytes[17] << 16) | (bytes[18] << 8) | bytes[19]))x$(((bytes[20] << 24) | (bytes[21] << 16) | (bytes[22] << 8) | bytes[23]))"
}

# --- 1. The install tree, with and without DESTDIR -------------------------
icon_sizes="16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256"
expected="$( {
  printf '%s\n' bin/Pexor bin/pexor-render share/pexor/Pexor.chm \
    "$libdir/pexor/libpexorhelp.so" "$libdir/pexor/libpexorhelp.so.4" \
    "$libdir/pexor/libpexorhelp.so.4.74.9273.0" \
    share/applications/fr.pexor.Pexor.desktop share/metainfo/fr.pexor.Pexor.metainfo.xml \
    share/icons/hicolor/scalable/apps/fr.pexor.Pexor.svg \
    share/man/man1/Pexor.1.gz share/man/man1/pexor-render.1.gz \
    share/doc/pexor/copyright share/doc/pexor/changelog.gz
  for size in $icon_sizes; do echo "share/icons/hicolor/$size/apps/fr.pexor.Pexor.png"; done
} | LC_ALL=C sort)"

cmake --install "$build" --prefix "$prefix" >/dev/null
[ "$(files_under "$prefix")" = "$expected" ] ||
  fail "installed files differ from those expected:
$(diff <(echo "$expected") <(files_under "$prefix") || true)"
DESTDIR="$work/staged" cmake --install "$build" --prefix /opt/pexor >/dev/null
[ "$(files_under "$work/staged/opt/pexor")" = "$expected" ] ||
  fail "an install under DESTDIR differs from the plain one"

for size in $icon_sizes; do
  actual="$(png_size "$prefix/share/icons/hicolor/$size/apps/fr.pexor.Pexor.png")"
  [ "$actual" = "$size" ] || fail "the $size icon is '$actual'"
done
desktop-file-validate "$prefix/share/applications/fr.pexor.Pexor.desktop" ||
  fail "desktop-file-validate refuses the desktop entry"
# Offline: the screenshot's address is not fetched.
appstreamcli validate --no-net "$prefix/share/metainfo/fr.pexor.Pexor.metainfo.xml" >/dev/null ||
  fail "appstreamcli refuses the metainfo:
$(appstreamcli validate --no-net "$prefix/share/metainfo/fr.pexor.Pexor.metainfo.xml")"
for page in "$prefix"/share/man/man1/*.gz; do
  warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done

# The program folder has no write bit: the readings file must go to the
# user's configuration folder, root included.
chmod -R a-w "$prefix"

# --- 2. The installed program under a virtual X server ----------------------
mkdir -p "$home/tmp" "$home/runtime" "$config"
chmod 700 "$home/runtime"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb gave no display"

display="$(head -n1 "$work/display")"
export DISPLAY=":$display"
export HOME="$home" XDG_CONFIG_HOME="$config" XDG_RUNTIME_DIR="$home/runtime" TMPDIR="$home/tmp"
export LC_ALL=C.UTF-8 TZ=UTC

QT_QPA_PLATFORM=xcb "$prefix/bin/Pexor" /DEBUG >"$work/pexor.log" 2>&1 &
pexor_pid=$!

# The id of the program's visible window of that exact title, once shown.
window_of() {
  timeout 20 xdotool search --sync --all --onlyvisible --pid "$pexor_pid" --name "^$1\$" |
    head -n1 || true
}

# Waits until no window of that title is shown.
window_gone() {
  for _ in $(seq 100); do
    xdotool search --all --onlyvisible --pid "$pexor_pid" --name "^$1\$" >/dev/null || return 0
    sleep 0.1
  done
  return 1
}

main="$(window_of 'Pexor v1\.0')"
[ -n "$main" ] || fail "the main window did not open"
xdotool windowfocus --sync "$main"

# --- 3. One reading: row, TP, INR, then the date confirmed with Enter -------
xdotool type --delay 20 1
xdotool key Tab
xdotool type --delay 20 75
xdotool key Tab
xdotool type --delay 20 2,5
xdotool key Tab
xdotool type --delay 20 05122026
xdotool key Return

# The help, found through the installed folders.
xdotool key F1
[ -n "$(window_of 'Aide de Pexor')" ] || fail "F1 opened no help window"
grep -qF "$prefix/$libdir/pexor/libpexorhelp.so" "/proc/$pexor_pid/maps" ||
  fail "the help viewer was not loaded from $prefix/$libdir/pexor"
for fd in "/proc/$pexor_pid"/fd/*; do readlink "$fd" || true; done | grep -qxF "$prefix/share/pexor/Pexor.chm" ||
  fail "the help window does not show $prefix/share/pexor/Pexor.chm"

# Quit, answer "Non": nothing is saved and the program goes on.
ask_to_quit() {
  xdotool windowfocus --sync "$main"
  xdotool key alt+f
  xdotool key q
  box="$(window_of Confirmation)"
  [ -n "$box" ] || fail "quitting asked nothing"
  xdotool windowfocus --sync "$box"
}
ask_to_quit
xdotool key Escape
window_gone Confirmation || fail "Esc did not close the confirmation"
kill -0 "$pexor_pid" 2>/dev/null || fail "the program ended on \"Non\""
[ ! -e "$config/Pexor/Pexor.ini" ] || fail "\"Non\" saved the readings"

# Quit, answer "Oui" (Enter): the readings are saved and the program ends,
# help window and all.
ask_to_quit
xdotool key Return
for _ in $(seq 200); do
  kill -0 "$pexor_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pexor_pid" 2>/dev/null && fail "the program still runs after \"Oui\""
status=0
wait "$pexor_pid" || status=$?
pexor_pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"

# --- 4. The reading, in the user's configuration folder ---------------------
ini="$config/Pexor/Pexor.ini"
[ -f "$ini" ] || fail "no readings file at $ini"
for line in 'Date1=05/12/2026' 'TP1=75' 'INR1=2,5'; do
  grep -qxF "$line"$'\r' "$ini" || fail "$ini lacks $line: $(cat -A "$ini")"
done
[ ! -e "$prefix/bin/Pexor.ini" ] || fail "a readings file was written beside the program"

# --- 5. The start-up report names the installed program and its viewer ------
# Root may still write beside the program; anyone else gets the temporary folder.
report="$prefix/bin/HHDebug.txt"
[ -f "$report" ] || report="$TMPDIR/HHDebug.txt"
[ -f "$report" ] || fail "/DEBUG wrote no HHDebug.txt"
tab=$'\t'
for line in "_ModuleDir =        $tab$prefix/bin" "_hhInstalled =      ${tab}YES" \
  "_hhVerStr =         ${tab}4.74.9273.0"; do
  grep -qxF "$line"$'\r' "$report" || fail "the report lacks '$line':
$(cat "$report")"
done

# --- 6. The installed pexor-render draws the same readings ------------------
unset QT_QPA_PLATFORM
"$prefix/bin/pexor-render" "$work/curve.png" || fail "pexor-render failed"
[ "$(png_size "$work/curve.png")" = 336x256 ] || fail "pexor-render wrote no 336 x 256 PNG"
: >"$work/empty.ini"
"$prefix/bin/pexor-render" --ini "$work/empty.ini" "$work/empty.png" || fail "pexor-render failed"
! cmp -s "$work/curve.png" "$work/empty.png" || fail "pexor-render did not draw the saved reading"

echo "install test: passed"
