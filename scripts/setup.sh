#!/usr/bin/env bash
# Installs the Debian packages Orvalta needs (only those missing), then
# configures and builds the project in build/. Sourced by run.sh and test.sh.
set -euo pipefail

ORVALTA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ORVALTA_BUILD="${ORVALTA_BUILD:-$ORVALTA_ROOT/build}"

ORVALTA_PACKAGES=(
    build-essential cmake pkg-config
    qt6-base-dev libqt6test6 libqt6core5compat6 qt6-charts-dev qt6-svg-dev libqt6opengl6-dev
    libquazip1-qt6-dev libexpat1-dev libgsf-1-dev libisal-dev libgdal-dev
    fonts-dejavu-core qt6-translations-l10n python3
    qt6-tools-dev qt6-l10n-tools
)

# Only for the tests: the validators of the desktop entry and of the AppStream
# metadata, and the PDF text extraction that checks the report.
ORVALTA_TEST_PACKAGES=(
    desktop-file-utils appstream poppler-utils
)

# Only to write the sample workbooks again (examples/make_examples.py).
ORVALTA_EXAMPLE_PACKAGES=(
    python3-openpyxl python3-geopandas
)

orvalta_install_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installazione dei pacchetti mancanti: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

orvalta_build() {
    # ORVALTA_CMAKE_ARGS lets CI add options (warnings as errors) to every build.
    # shellcheck disable=SC2086
    cmake -S "$ORVALTA_ROOT" -B "$ORVALTA_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        ${ORVALTA_CMAKE_ARGS:-} "$@" >/dev/null
    echo "Compilazione in $ORVALTA_BUILD ..."
    if ! cmake --build "$ORVALTA_BUILD" -j"$(nproc)" >"$ORVALTA_BUILD/build.log" 2>&1; then
        tail -n 40 "$ORVALTA_BUILD/build.log" >&2
        echo "Compilazione non riuscita: il resoconto completo è in $ORVALTA_BUILD/build.log" >&2
        return 1
    fi
}
