#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number
# of seconds (default 60), seeded with the test fixtures (the .xlsx ones also
# as uncompressed copies), the seeds of tests/fixtures/fuzz-seeds/<target>/
# (make_seeds.py: namespaces, foreign markup, long tokens) and the inputs
# that once crashed (tests/fixtures/fuzz-regressions/<target>/); the XML,
# .xlsx and .ods targets also with the words of tests/fuzz/xml.dict. A
# crash, leak or timeout stops the script with a non-zero status; the input
# is left in build-fuzz/artifacts/.
set -euo pipefail
seconds="${1:-60}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/setup.sh"
orvalta_install_packages "${ORVALTA_PACKAGES[@]}" clang libclang-rt-14-dev

build="$root/build-fuzz"
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_FUZZERS=ON -DBUILD_GUI=OFF -DBUILD_TESTING=OFF >/dev/null
targets=(fuzz_xls fuzz_xlsx fuzz_ods fuzz_csv fuzz_resultfile fuzz_record fuzz_xml fuzz_structure
    fuzz_composites)
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

rm -rf "$build/artifacts"
mkdir -p "$build/artifacts"
# Seed folders of each target, separated by spaces; the LibreOffice twins
# of the .ods and delimited-text targets are copied into one folder each.
twins="$build/seeds"
rm -rf "$twins"
mkdir -p "$twins/ods" "$twins/csv"
cp "$root"/tests/fixtures/twins/*.ods "$twins/ods/"
cp "$root"/tests/fixtures/twins/*.csv "$twins/csv/"
# Uncompressed ("stored") copies of the .xlsx fixtures: mutations of their
# bytes reach the XML instead of breaking the deflate stream, so they cover
# more of the reader in less time than the deflated originals.
stored="$build/seeds/xlsx-stored"
rm -rf "$stored"
mkdir -p "$stored"
python3 - "$root/tests/fixtures/xlsx" "$stored" <<'EOF'
import os, sys, zipfile
source, target = sys.argv[1:]
for name in sorted(os.listdir(source)):
    try:
        with zipfile.ZipFile(os.path.join(source, name)) as archive:
            entries = [(info.filename, archive.read(info)) for info in archive.infolist()]
    except (zipfile.BadZipFile, RuntimeError, NotImplementedError, OSError):
        continue  # not a zip, or entries that cannot be read back (encrypted)
    with zipfile.ZipFile(os.path.join(target, name), "w", zipfile.ZIP_STORED) as copy:
        for entry, data in entries:
            copy.writestr(entry, data)
EOF

# The XML parts of the .ods and .xlsx fixtures for the XML fuzzer, each after
# the byte that picks its chunk size.
xmlseeds="$build/seeds/xml"
rm -rf "$xmlseeds"
mkdir -p "$xmlseeds"
python3 - "$root/tests/fixtures" "$xmlseeds" <<'EOF'
import os, sys, zipfile
source, target = sys.argv[1:]
for folder in ("ods", "xlsx"):
    for name in sorted(os.listdir(os.path.join(source, folder))):
        try:
            with zipfile.ZipFile(os.path.join(source, folder, name)) as archive:
                for info in archive.infolist():
                    if info.filename.endswith(".xml") and info.file_size < 65536:
                        data = archive.read(info)
                        out = "%s-%s-%s" % (folder, name, info.filename.replace("/", "_"))
                        with open(os.path.join(target, out), "wb") as seed:
                            seed.write(bytes([len(data) % 7]) + data)
        except (zipfile.BadZipFile, RuntimeError, NotImplementedError, OSError, KeyError):
            continue
EOF

# Structures for the structure fuzzer, each after the byte that picks its
# format (even: delimited text, odd: .xlsx) and regional settings: two
# delimited ones, the Struttura sheets of the examples, the .xlsx fixtures.
structureseeds="$build/seeds/structure"
rm -rf "$structureseeds"
mkdir -p "$structureseeds"
python3 - "$root/examples" "$root/tests/fixtures" "$structureseeds" <<'EOF'
import os, sys
examples, fixtures, target = sys.argv[1:]
def seed(name, first, data):
    with open(os.path.join(target, name), "wb") as out:
        out.write(bytes([first]) + data)
seed("csv-c", 2, b"Elemento;Padre;Peso\r\nA;G1;1.5\r\n\r\nB;G1;3\r\nG1;;\r\n")
seed("csv-it", 0, b"Elemento,Padre,Peso\r\nA,G1,\"1,5\"\r\nB,G1,1,5\r\nC,G2,1e308\r\n")
for name in sorted(os.listdir(examples)):
    if "struttura" in name and name.endswith(".xlsx"):
        with open(os.path.join(examples, name), "rb") as data:
            seed(name, 1, data.read())
folder = os.path.join(fixtures, "xlsx")
for name in sorted(os.listdir(folder)):
    if name.endswith(".xlsx") and os.path.getsize(os.path.join(folder, name)) < 65536:
        with open(os.path.join(folder, name), "rb") as data:
            seed(name, 3, data.read())
EOF

# Definitions of composites for their fuzzer, after the byte that picks the
# format (even: delimited text, odd: .xlsx, its third sheet Metodi) and the
# regional settings: the examples with a Metodi sheet, and delimited ones
# with every kind of choice.
compositeseeds="$build/seeds/composites"
rm -rf "$compositeseeds"
mkdir -p "$compositeseeds"
python3 - "$root/examples" "$compositeseeds" <<'EOF'
import os, sys, zipfile
examples, target = sys.argv[1:]
def seed(name, first, data):
    with open(os.path.join(target, name), "wb") as out:
        out.write(bytes([first]) + data)
seed("csv-c", 2, b"Codice;Nome;Normalizzazione;Aggregazione;Costruzione\r\n"
     b"HDI;Indice di sviluppo umano;goalposts;geometric;upward\r\n"
     b"JRC;Indice in stile JRC;minmax(0,100);mean;per-level\r\n")
seed("csv-it", 0, b"aggregazione,CODICE,Normalizzazione,Nome\r\n"
     b"\"power(2)\",P2,\"zscore(100,10)\",Potenza\r\nmpi-,M_1,rank,\r\n"
     b"harmonic,t+,target,Obiettivo\r\nmpi+,r-1,percentile,\r\ngeometric,x,ratio,\r\n"
     b"mean,n,none,Nessuna\r\n")
for name in sorted(os.listdir(examples)):
    path = os.path.join(examples, name)
    if name.endswith(".xlsx"):
        with zipfile.ZipFile(path) as book:
            if b'name="Metodi"' not in book.read("xl/workbook.xml"):
                continue
        with open(path, "rb") as data:
            seed(name, 1, data.read())
EOF

declare -A seeds=(
    [fuzz_xls]="$root/tests/fixtures/xls"
    [fuzz_xlsx]="$root/tests/fixtures/xlsx"
    [fuzz_ods]="$root/tests/fixtures/ods $twins/ods"
    [fuzz_csv]="$root/tests/fixtures/csv $twins/csv"
    [fuzz_resultfile]="$root/tests/fixtures/resultfiles"
    [fuzz_record]="$root/tests/fixtures/record"
    [fuzz_xml]="$xmlseeds"
    [fuzz_structure]="$structureseeds"
    [fuzz_composites]="$compositeseeds"
)
status=0
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    regressions="$root/tests/fixtures/fuzz-regressions/$target"
    dirs=("$corpus")
    # shellcheck disable=SC2206
    for dir in ${seeds[$target]} "$root/tests/fixtures/fuzz-seeds/$target" "$regressions"; do
        [ -d "$dir" ] && dirs+=("$dir")
    done
    [ "$target" = fuzz_xlsx ] && dirs+=("$stored")
    options=()
    case "$target" in
    fuzz_xml | fuzz_xlsx | fuzz_ods) options+=("-dict=$root/tests/fuzz/xml.dict") ;;
    esac
    echo "== $target, ${seconds}s"
    ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0 LSAN_OPTIONS="suppressions=$root/tests/fuzz/lsan.supp" \
        "$build/tests/fuzz/$target" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=2048 -max_len=1048576 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$target-" "${options[@]}" "${dirs[@]}" 2>&1 |
        grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==|SUMMARY|artifact)|cov:' |
        tail -n 6 || true
    if ls "$build/artifacts/$target-"* >/dev/null 2>&1; then
        echo "$target: input che provoca un errore in $build/artifacts" >&2
        status=1
    fi
done
exit $status
