#!/bin/sh
# Time and peak memory of the Monte Carlo over a structure on 20,000 x 100 in
# ten dimensions, with /usr/bin/time -v, interleaving the batch tools given
# (an earlier build first, say) so that a loaded machine weighs on each alike:
#   bench/montecarlo_dimensions.sh WORK_DIR ROUNDS BATCH [BATCH...]
# The workbook, its structure and its composite JRC are written by
# bench/make_dimensions.py into WORK_DIR once. Cases: the nine with weights
# and an indicator left out, and the composite with three normalisations and
# two aggregations (skipped for a tool that does not know the options).
set -eu

work=${1:?"Uso: bench/montecarlo_dimensions.sh CARTELLA ROUNDS BATCH [BATCH...]"}
rounds=${2:?}
shift 2
here=$(dirname "$0")
mkdir -p "$work"
[ -f "$work/m.csv" ] || python3 "$here/make_dimensions.py" "$work/m.csv"

measure() {
    name=$1
    batch=$2
    shift 2
    log=$work/$name.time
    status=0
    LC_ALL=C.UTF-8 /usr/bin/time -v -o "$log" "$batch" montecarlo "$work/m.csv" "$@" \
        >"$work/$name.out" 2>"$work/$name.err" || status=$?
    kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$log")
    elapsed=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$log")
    seconds=$(echo "$elapsed" | awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s }')
    user=$(sed -n 's/.*User time (seconds): //p' "$log")
    load=$(cut -d' ' -f1 /proc/loadavg)
    printf '%-10s %-40s %5d MB %8.2f s wall %7.2f s user  load %s  uscita %d\n' "$name" "$batch" \
        $((kb / 1024)) "$seconds" "$user" "$load" "$status"
}

r=1
while [ "$r" -le "$rounds" ]; do
    for batch in "$@"; do
        measure nine "$batch" --all --weights 0.25 --leave-out --runs 1000
        if "$batch" help montecarlo 2>&1 | grep -q normalisations; then
            measure composite "$batch" --methods JRC --normalisations minmax,zscore,rank \
                --aggregations mean,geometric --weights 0.25 --runs 1000
        fi
    done
    r=$((r + 1))
done
