#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts Tarvenix: on the attached keyboard, or on the
# simulated keyboard when none is attached. TARVENIX_LAYOUT=UK starts the UK build.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"

layout=${TARVENIX_LAYOUT:-US}
app="build/$layout/Tarvenix"

# The keyboard shows up as a HID device 1209:0001 (bus:vendor:product.instance in sysfs).
if ! ls /sys/bus/hid/devices/ 2>/dev/null | grep -qi ':1209:0001\.'; then
    echo "No Norvane KALVOR Keyboard 4200 attached: starting on the simulated keyboard."
    export TARVENIX_DEVICE=simulated
fi
exec "$app"
