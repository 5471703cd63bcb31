#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine, builds, and runs every test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/scripts/setup.sh"

orvalta_install_packages "${ORVALTA_PACKAGES[@]}" "${ORVALTA_TEST_PACKAGES[@]}"
orvalta_build -DBUILD_TESTING=ON
cd "$ORVALTA_BUILD"
ctest --output-on-failure -j"$(nproc)" "$@"
