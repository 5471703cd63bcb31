#!/usr/bin/env bash
# The same matrix saved as .xls, .xlsx, .ods and delimited text gives, with
# the batch tool, the same statistics (check) and byte-identical result and
# comparison files (run, compare --all), under Italian and C settings. The
# delimited text is the one saved under the settings it is read with.
#   same_results.sh ORVALTA-BATCH EXAMPLES-FOLDER TWINS-FOLDER
set -euo pipefail
batch="$1"
examples="$2"
twins="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
status=0
for style in it c; do
    locale=C.UTF-8
    csv="$twins/regioni.csv"
    if [ "$style" = it ]; then
        locale=it_IT.UTF-8
        csv="$twins/regioni_it_pv.csv"
    fi
    first=""
    for source in "$examples/regioni.xls" "$examples/regioni.xlsx" "$twins/regioni.ods" "$csv"; do
        name="$(basename "$source")"
        dir="$work/$style/$name"
        mkdir -p "$dir"
        cp "$source" "$dir/$name"
        # The statistics, without the line naming the workbook.
        LC_ALL="$locale" "$batch" check "$dir/$name" | tail -n +2 >"$dir/check.txt"
        LC_ALL="$locale" "$batch" run "$dir/$name" >/dev/null
        LC_ALL="$locale" "$batch" compare "$dir/$name" --all >"$dir/compare.txt"
        # Result files by what follows the workbook's name; the record names
        # the workbook and its hash, so it is only counted.
        mkdir -p "$dir/out"
        [ -f "$dir/$name.registro.json" ] || { echo "$style $name: no record" >&2; status=1; }
        for file in "$dir/$name".*; do
            [ "$file" = "$dir/$name.registro.json" ] && continue
            cp "$file" "$dir/out/${file#"$dir/$name".}"
        done
        cp "$dir/check.txt" "$dir/compare.txt" "$dir/out/"
        count=$(find "$dir/out" -type f | wc -l)
        if [ "$count" -ne 22 ]; then
            echo "$style $name: $count files instead of 22" >&2
            status=1
        fi
        if [ -z "$first" ]; then
            first="$dir/out"
        elif ! diff -r "$first" "$dir/out" >&2; then
            echo "$style $name: different from $(basename "$(dirname "$first")")" >&2
            status=1
        fi
    done
done
[ $status -eq 0 ] && echo "same results from .xls, .xlsx, .ods and delimited text, Italian and C settings"
exit $status
