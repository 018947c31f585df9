#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The K6QX tool authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into build/fuzz and runs each for SECONDS
# (default 30) on a scratch copy of its seed corpus in fuzz/corpus.
# Fails when a target crashes; the crashing inputs are kept in
# build/fuzz/crashes/<target>/.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build/fuzz"
seconds=${1:-30}
targets=(fuzz_frames fuzz_records fuzz_hexlisting)

case "$seconds" in
    '' | *[!0-9]* | 0) echo "usage: $0 [SECONDS]  (a whole number of seconds, at least 1)" >&2; exit 2 ;;
esac

"$top/scripts/deps.sh" clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DK6_BUILD_FUZZ=ON -DK6_SANITIZE=ON -DK6_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=()
for t in "${targets[@]}"; do
    mkdir -p "$work/$t/corpus" "$work/$t/artifacts"
    cp -R "$top/fuzz/corpus/$t/." "$work/$t/corpus/"
    echo "== $t: ${seconds}s"
    status=0
    "$build/fuzz/$t" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$work/$t/artifacts/" "$work/$t/corpus" >"$work/$t/log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$t/log" | tail -n 1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/$t/log" | tail -n 1)
    if [ "$status" -ne 0 ]; then
        failed+=("$t")
        mkdir -p "$build/crashes/$t"
        cp -R "$work/$t/artifacts/." "$build/crashes/$t/"
        tail -n 60 "$work/$t/log"
        echo "== $t FAILED (exit $status); inputs kept in $build/crashes/$t/"
    else
        echo "== $t passed: ${runs:-?} runs, ${rate:-?} exec/s, corpus $(ls "$work/$t/corpus" | wc -l) inputs"
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "Crashed: ${failed[*]}" >&2
    exit 1
fi
