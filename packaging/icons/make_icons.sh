#!/usr/bin/env bash
# Renders the PNG sizes of the application icon from orvalta.svg (needs
# rsvg-convert, Debian package librsvg2-bin). The PNGs are committed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" orvalta.svg -o "orvalta-$size.png"
done
