#!/usr/bin/env bash
# Runs every method and the comparison of all of them on a copy of WORKBOOK
# with the batch tool, under Italian and C settings, and checks the files and
# the cograduation matrix against the independent computations beside this
# script.
set -euo pipefail
batch="$1"
workbook="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for style in it c; do
    locale=C.UTF-8
    [ "$style" = it ] && locale=it_IT.UTF-8
    copy="$work/$style/$(basename "$workbook")"
    mkdir -p "$(dirname "$copy")"
    cp "$workbook" "$copy"
    LC_ALL="$locale" "$batch" run "$copy" >/dev/null
    python3 "$here/check_methods.py" "$copy" "$style"
    LC_ALL="$locale" "$batch" compare "$copy" --all | python3 "$here/check_comparison.py" "$copy" "$style"
done
