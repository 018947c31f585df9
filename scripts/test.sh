#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The K6QX tool authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the tool and runs the whole test suite
# headless.
#   scripts/test.sh              the normal build (build/test)
#   scripts/test.sh --sanitize   the same suite built with AddressSanitizer and
#                                UndefinedBehaviorSanitizer (build/sanitize);
#                                any report fails the run
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

"$top/scripts/deps.sh"
export QT_QPA_PLATFORM=offscreen

if [ "${1:-}" = "--sanitize" ]; then
    build="$top/build/sanitize"
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DK6_SANITIZE=ON >/dev/null
    export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
else
    build="$top/build/test"
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2
ctest --test-dir "$build" -j2 --output-on-failure
