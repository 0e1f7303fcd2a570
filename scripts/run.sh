#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs Marvello on the example shipping label.
# Without a display the program says so and describes the label instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/src/marvello "${1:-examples/spedizione.eti}"
