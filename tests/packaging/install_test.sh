#!/usr/bin/env bash
# Installs the build into a throw-away prefix, as a package lays it out, then
# checks that the installed program finds its installed help page and that the
# menu entry's command starts it (offscreen, until its first paint).
# usage: install_test.sh <cmake> <build dir> <source dir> <locate_help_page> <version>
set -euo pipefail
cmake=$1 build=$2 source=$3 locate=$4 version=$5
work=$(mktemp -d "${TMPDIR:-/tmp}/tarnwell-install-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

[ "$(ls "$prefix/bin")" = TarnwellFree ] || fail "bin/ holds more than the program: $(ls "$prefix/bin")"
page=$("$locate" "$prefix/bin")
case $page in "$prefix"/share/*) ;; *) fail "help page looked up at $page, not in the installed data" ;; esac
cmp -s "$page" "$source/data/help.html" || fail "no installed help page at $page"
holidays=$prefix/share/tarnwell-free/calendars/us-federal-holidays.ics
cmp -s "$holidays" "$source/data/calendars/us-federal-holidays.ics" || fail "no installed holiday calendar at $holidays"

# The package takes its version from the project; the software-centre data
# is written by hand and must name the same release.
metainfo=("$prefix"/share/metainfo/*.metainfo.xml)
grep -q "<release version=\"$version\"" "${metainfo[0]}" || fail "no release $version in ${metainfo[0]}"
grep -q "<caption>" "${metainfo[0]}" || fail "no screenshot caption in ${metainfo[0]}"

desktop=("$prefix"/share/applications/*.desktop)
[ ${#desktop[@]} = 1 ] && [ -f "${desktop[0]}" ] || fail "expected one installed .desktop file"
# The menu entry's command, field codes (%f, %U, ...) dropped.
read -ra command <<<"$(sed -n 's/^Exec=//p' "${desktop[0]}" | sed 's/ *%[a-zA-Z]//g')"
[ ${#command[@]} -gt 0 ] || fail "no Exec line in ${desktop[0]}"

home=$work/home
mkdir -p "$home/.config" "$home/.local/share" "$home/.cache" "$work/run"
chmod 700 "$work/run"
rc=0
env -i PATH="$prefix/bin:/usr/bin:/bin" LANG=C.UTF-8 HOME="$home" \
    XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$work/run" \
    QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='qt.qpa.*=false' \
    TARNWELL_EXIT_AFTER_FIRST_PAINT=1 \
    timeout 60 "${command[@]}" || rc=$?
# A second copy or a start-up error shows a message box and waits on it until
# the timeout (124); a missing library or platform plugin ends it non-zero.
[ "$rc" = 0 ] || fail "'${command[*]}' did not reach its first paint (exit $rc)"
echo "installed program found $page and painted its first window"
