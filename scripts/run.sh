#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The K6QX tool authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the tool, k6qx-cli and the simulator
# (build/release) and starts the tool.
#   scripts/run.sh                 the tool alone
#   scripts/run.sh --sim [BAUD]    with the transmitter simulator, whose port
#                                  heads the tool's port list (BAUD paces it)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build/release"

"$top/scripts/deps.sh"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DK6_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target k6qx k6qx-cli k6qx-sim

if [ "${1:-}" = "--sim" ]; then
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    "$build/simulator/k6qx-sim" --baud "${2:-115200}" >"$fifo" &
    sim=$!
    trap 'kill $sim 2>/dev/null; rm -f "$fifo"' EXIT
    read -r simport <"$fifo"
    echo "Transmitter simulator on $simport"
    export K6QX_EXTRA_PORTS="$simport${K6QX_EXTRA_PORTS:+:$K6QX_EXTRA_PORTS}"
fi

# The action-bar images are looked up in images/ under the working directory.
cd "$top/src/gui"
"$build/src/app/k6qx"
