#!/usr/bin/env bash
# Installs what is missing, builds the tool and runs the whole test suite
# headless.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build/test"

"$top/scripts/deps.sh"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" -j2 --output-on-failure
