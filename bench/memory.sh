#!/bin/sh
# Peak memory and time of the batch tool on large workbooks, measured with
# /usr/bin/time -v on a release build (-DBUILD_BENCH=ON -DCMAKE_BUILD_TYPE=Release):
#   bench/memory.sh BUILD_DIR [WORK_DIR] [CASE...]
# Cases: run20k (run on 20,000 x 100), export20k (export of the same
# workbook's results, after an unmeasured run and comparison), check1m (check on 1,048,575 x 10),
# run1m (run on 1,048,575 x 10), compare1m (compare --all over its 1,048,575
# units, after run1m), check1m49 (check on 1,048,575 x 49), check20k,
# check20kods, check20kcsv (check on 20,000 x 100 as .xlsx, .ods and .csv
# with decimal commas, read under Italian settings). Without cases, all of
# them. The workbooks are written by gen_matrix into WORK_DIR (a
# temporary folder by default) and kept there for the next run.
set -eu

build=${1:?"Uso: bench/memory.sh CARTELLA_DI_BUILD [CARTELLA_DI_LAVORO] [CASO...]"}
work=${2:-${TMPDIR:-/tmp}/orvalta-memory}
[ $# -ge 2 ] && shift 2 || shift $#
cases=${*:-"run20k export20k check1m run1m compare1m check1m49 check20k check20kods check20kcsv"}

batch=$build/batch/orvalta-batch
gen=$build/bench/gen_matrix
for tool in "$batch" "$gen"; do
    [ -x "$tool" ] || { echo "manca $tool: compilare con -DBUILD_BENCH=ON" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "manca /usr/bin/time (pacchetto time)" >&2; exit 1; }
mkdir -p "$work"

# The workbook of UNITS x INDICATORS, written once (.xlsx unless a third
# argument names another extension).
workbook() {
    file=$work/matrice_$1x$2.${3:-xlsx}
    [ -f "$file" ] || "$gen" "$file" "$1" "$2"
    echo "$file"
}

# The settings the batch tool runs under.
locale=C

# Runs the batch tool under /usr/bin/time and prints one line:
# case, peak resident memory in MB, elapsed and CPU seconds, exit status.
measure() {
    name=$1
    shift
    log=$work/$name.time
    status=0
    LC_ALL=$locale /usr/bin/time -v -o "$log" "$batch" "$@" >"$work/$name.out" 2>"$work/$name.err" ||
        status=$?
    kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$log")
    elapsed=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$log")
    seconds=$(echo "$elapsed" | awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s }')
    cpu=$(awk -F': ' '/User time|System time/ { s += $2 } END { print s }' "$log")
    printf '%-10s %6d MB %8.2f s (CPU %.2f s)  uscita %d\n' "$name" $((kb / 1024)) "$seconds" "$cpu" "$status"
}

for c in $cases; do
    case $c in
    run20k) measure "$c" run "$(workbook 20000 100)" ;;
    export20k)
        file=$(workbook 20000 100)
        "$batch" run "$file" >/dev/null 2>&1 || true
        "$batch" compare "$file" --all >/dev/null 2>&1 || true
        measure "$c" export "$file" "$work/risultati_20000x100.xlsx"
        ;;
    check1m) measure "$c" check "$(workbook 1048575 10)" ;;
    run1m) measure "$c" run "$(workbook 1048575 10)" ;;
    compare1m) measure "$c" compare "$(workbook 1048575 10)" --all ;;
    check1m49) measure "$c" check "$(workbook 1048575 49)" ;;
    check20k) measure "$c" check "$(workbook 20000 100)" ;;
    check20kods) measure "$c" check "$(workbook 20000 100 ods)" ;;
    check20kcsv)
        locale=it_IT.UTF-8
        measure "$c" check "$(workbook 20000 100 csv)"
        locale=C
        ;;
    *) echo "caso sconosciuto: $c" >&2; exit 1 ;;
    esac
done
