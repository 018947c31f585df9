#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The K6QX tool authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the benchmark in Release and prints the
# tool's performance figures as a Markdown table on stdout (progress on
# stderr). Arguments name the sections to run (startup decode records
# endtoend responsiveness); none runs them all.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build/bench"

"$top/scripts/deps.sh"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DK6_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target k6qx-bench >&2
QT_QPA_PLATFORM=offscreen "$build/bench/k6qx-bench" "$@"
