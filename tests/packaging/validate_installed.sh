#!/usr/bin/env bash
# Runs a desktop validator on the installed menu entry or software-centre data.
# Exits 77 (skipped) when the validator is not installed.
# usage: validate_installed.sh <cmake> <build dir> desktop|metainfo
set -euo pipefail
cmake=$1 build=$2 kind=$3
case $kind in
    desktop) tool=desktop-file-validate pattern='share/applications/*.desktop' ;;
    metainfo) tool=appstreamcli pattern='share/metainfo/*.metainfo.xml' ;;
    *) echo "unknown kind $kind" >&2; exit 2 ;;
esac
command -v "$tool" >/dev/null || { echo "$tool not installed: skipped"; exit 77; }
work=$(mktemp -d "${TMPDIR:-/tmp}/tarnwell-validate-XXXXXX")
trap 'rm -rf "$work"' EXIT
"$cmake" --install "$build" --prefix "$work" >/dev/null
files=("$work"/$pattern)
[ -f "${files[0]}" ] || { echo "FAIL: nothing installed as $pattern" >&2; exit 1; }
if [ "$kind" = desktop ]; then
    # It exits 0 on warnings: those fail here too.
    out=$(desktop-file-validate "${files[@]}" 2>&1) || { echo "$out"; exit 1; }
    [ -z "$out" ] || { echo "$out"; exit 1; }
else
    appstreamcli validate --no-net "${files[@]}"
    # The metainfo against the installed tree: its menu entry and icon.
    appstreamcli validate-tree --no-net "$work"
fi
