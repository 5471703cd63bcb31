#!/usr/bin/env bash
# Installs the Debian package on a fresh, minimal Debian 12 and checks that
# both programs start from the installed paths:
#   sudo scripts/check_deb.sh build/orvalta_*.deb [BASE_SYSTEM]
# Needs root, debootstrap and the network. BASE_SYSTEM (default
# /var/tmp/orvalta-bookworm) is made once with debootstrap; every check runs
# in a copy of it, so the package always meets a system that never saw it.
# ORVALTA_MIRROR chooses the Debian mirror. Exit 0 when every check passed.
set -euo pipefail

deb="${1:?Uso: check_deb.sh PACCHETTO.deb [SISTEMA_DI_BASE]}"
base="${2:-/var/tmp/orvalta-bookworm}"
mirror="${ORVALTA_MIRROR:-http://deb.debian.org/debian}"
[ -f "$deb" ] || { echo "Pacchetto non trovato: $deb" >&2; exit 1; }
command -v strings >/dev/null || { echo "Manca strings (apt-get install binutils)." >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "Serve root (chroot, debootstrap)." >&2; exit 1; }
# The paths the package must not mention: the build folder that cpack wrote
# it to and the sources that folder was configured from.
build_paths=("$(cd "$(dirname "$deb")" && pwd)")
if [ -f "${build_paths[0]}/CMakeCache.txt" ]; then
    build_paths+=("$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "${build_paths[0]}/CMakeCache.txt")")
fi
echo "Percorsi da non trovare: ${build_paths[*]}"

if [ ! -x "$base/usr/bin/apt-get" ]; then
    command -v debootstrap >/dev/null || { echo "Manca debootstrap (apt-get install debootstrap)." >&2; exit 1; }
    debootstrap --variant=minbase bookworm "$base" "$mirror"
fi

root="$(mktemp -d /var/tmp/orvalta-check.XXXXXX)"
cleanup() {
    umount "$root/proc" 2>/dev/null || true
    rm -rf --one-file-system "$root"
}
trap cleanup EXIT
cp -a "$base/." "$root/"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

failures=0
check() { # description, then the command; prints the outcome
    local what="$1"
    shift
    if "$@"; then echo "OK   $what"; else echo "FAIL $what" >&2; failures=$((failures + 1)); fi
}

echo "== apt-get install ./$(basename "$deb")"
in_root apt-get update -qq
in_root sh -c "cd /tmp && DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./$(basename "$deb")"

echo "== orvalta-batch"
check "orvalta-batch --version" in_root orvalta-batch --version
in_root sh -c 'mkdir -p /tmp/lavoro && cp /usr/share/orvalta/examples/regioni.xls /tmp/lavoro/'
check "orvalta-batch run sull'esempio installato" in_root orvalta-batch run /tmp/lavoro/regioni.xls
check "file dei risultati scritti" in_root test -s /tmp/lavoro/regioni.xls.outMPI+.csv
check "orvalta-batch compare --all" in_root orvalta-batch compare /tmp/lavoro/regioni.xls --all
check "orvalta-batch export" in_root orvalta-batch export /tmp/lavoro/regioni.xls /tmp/lavoro/risultati.xlsx
check "cartella dei risultati scritta" in_root test -s /tmp/lavoro/risultati.xlsx
# Its first sheet is the source matrix: reading it inflates a zip part.
check "orvalta-batch check sulla cartella esportata" in_root orvalta-batch check /tmp/lavoro/risultati.xlsx

echo "== orvalta"
check "orvalta --version" in_root orvalta --version
status=0
in_root sh -c 'QT_QPA_PLATFORM=offscreen timeout 5 orvalta' || status=$?
check "orvalta parte e resta aperto (uscita $status, attesa 124 da timeout)" test "$status" -eq 124

echo "== librerie e percorsi"
lacks() { # text, then the strings it must not contain
    local text="$1"
    shift
    local s
    for s in "$@"; do
        if grep -qaF -e "$s" <<<"$text"; then
            echo "  contiene: $s" >&2
            return 1
        fi
    done
}
for program in orvalta orvalta-batch; do
    libs="$(in_root ldd "/usr/bin/$program")"
    echo "$libs"
    check "ldd $program: nessuna libreria mancante" lacks "$libs" "not found"
    check "ldd $program: niente dalla cartella di compilazione" lacks "$libs" "${build_paths[@]}"
    check "$program non nomina la cartella di compilazione" \
        lacks "$(strings -a "$root/usr/bin/$program")" "${build_paths[@]}"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures controlli non riusciti." >&2
    exit 1
fi
echo "Tutti i controlli riusciti."
