#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine and starts Orvalta. With no
# display, runs the batch tool on the bundled example instead.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/scripts/setup.sh"

orvalta_install_packages "${ORVALTA_PACKAGES[@]}"
orvalta_build

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$ORVALTA_BUILD/app/orvalta" "$@"
fi

echo "Nessun display: eseguo lo strumento batch sull'esempio examples/regioni.xlsx"
work="$(mktemp -d)"
cp "$ORVALTA_ROOT/examples/regioni.xlsx" "$work/"
"$ORVALTA_BUILD/batch/orvalta-batch" check "$work/regioni.xlsx"
status=0
"$ORVALTA_BUILD/batch/orvalta-batch" run "$work/regioni.xlsx" || status=$?
"$ORVALTA_BUILD/batch/orvalta-batch" compare "$work/regioni.xlsx" --all || status=$?
echo "File prodotti in $work:"
ls "$work"
exit $status
