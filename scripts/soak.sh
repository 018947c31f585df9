#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The K6QX tool authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives k6qx-cli against the transmitter simulator on a faulty line for a
# while and counts what the command line reported, and whether it was true.
#   scripts/soak.sh [MINUTES]     default 2
# The simulator cycles through fault mixes (each fault alone, a few together,
# a clean phase); every operation is one of read -o, read --json,
# write --verify and verify. A wrong result is a reported success that is
# not so: values read that differ from the simulator's set, a write it did
# not take, a verify of a file it does not hold. Any wrong result, or a
# program ending on a signal or with a status beyond 0..2, fails the run.
# Builds k6qx-cli and k6qx-sim in build/test (configuring it if needed).
#   scripts/soak.sh --window [MINUTES]   the window itself, offscreen, against the
#                                        simulator in one process (default 1); it
#                                        prints its counts and the violations of
#                                        each invariant, and keeps the seed and
#                                        the steps in build/test/window-soak-steps.txt
#                                        on a violation
#   scripts/soak.sh --window --replay FILE   runs those steps again
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" = "--window" ]; then
    shift
    build="$top/build/test"
    if [ ! -f "$build/build.ninja" ]; then
        "$top/scripts/deps.sh" || exit 2
        cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 2
    fi
    cmake --build "$build" -j2 --target k6qx-window-soak >/dev/null || { echo "soak: build failed" >&2; exit 2; }
    args=(--steps "$build/window-soak-steps.txt")
    if [ "${1:-}" = "--replay" ]; then
        [ -n "${2:-}" ] || { echo "usage: $0 --window --replay FILE" >&2; exit 2; }
        args+=(--replay "$2")
    else
        wminutes=${1:-1}
        [[ "$wminutes" =~ ^[0-9]+([.][0-9]+)?$ ]] || { echo "usage: $0 --window [MINUTES]" >&2; exit 2; }
        args+=(--minutes "$wminutes")
    fi
    export QT_QPA_PLATFORM=offscreen
    exec "$build/tests/k6qx-window-soak" "${args[@]}" 2> >(grep -v "propagateSizeHints\|XDG_RUNTIME_DIR" >&2)
fi
minutes=${1:-2}
[[ "$minutes" =~ ^[0-9]+([.][0-9]+)?$ ]] || { echo "usage: $0 [MINUTES]" >&2; exit 2; }
build="$top/build/test"

if [ ! -f "$build/build.ninja" ]; then
    "$top/scripts/deps.sh" || exit 2
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 2
fi
cmake --build "$build" -j2 --target k6qx-cli k6qx-sim >/dev/null || { echo "soak: build failed" >&2; exit 2; }
cli="$build/src/cli/k6qx-cli"
simulator="$build/simulator/k6qx-sim"

work=$(mktemp -d "${TMPDIR:-/tmp}/k6qx-soak.XXXXXX")
# The entries every read and write keeps go with the run, not to the user's history.
export K6QX_HISTORY_DIR="$work/history"
sim_pid=""
stop_sim() {
    [ -n "$sim_pid" ] || return 0
    kill "$sim_pid" 2>/dev/null
    wait "$sim_pid" 2>/dev/null
    sim_pid=""
}
keep=0
finish() {
    stop_sim
    if [ "$keep" -eq 1 ]; then
        echo "soak: files of the run kept in $work" >&2
    else
        rm -rf "$work"
    fi
}
trap finish EXIT
trap 'exit 2' INT TERM

# name|simulator options
mixes=(
    "clean|"
    "stray|--stray-every 40"
    "drop|--drop 0.3"
    "corrupt|--corrupt 0.3"
    "cut|--cut-after 100"
    "gap|--frame-gap 30"
    "slow-gap|--frame-gap 90"
    "hang-up|--hang-up-after 400"
    "stray+drop+corrupt|--stray-every 60 --drop 0.1 --corrupt 0.1"
    "gap+drop+hang-up|--frame-gap 20 --drop 0.2 --hang-up-after 1000"
    "stray+gap+corrupt|--stray-every 30 --frame-gap 15 --corrupt 0.2"
)

sim_args=()
sim_runs=0
port=""
crashes=0
# Starts the simulator with the current phase's options; its set is then the
# factory set again.
start_sim() {
    stop_sim
    sim_runs=$((sim_runs + 1))
    local dir="$work/sim"
    rm -rf "$dir" && mkdir -p "$dir"
    mkfifo "$dir/port"
    "$simulator" --state "$dir/state" --dump "$dir/set.dat" "${sim_args[@]}" >"$dir/port" 2>"$dir/log" &
    sim_pid=$!
    port=""
    read -r -t 10 port <"$dir/port"
    [ -n "$port" ] || { echo "soak: the simulator did not start (see $dir/log)" >&2; keep=1; exit 2; }
}
# A simulator that hung up (a fault) is started again; one that ended by
# itself is a crash.
sim_ready() {
    if ! kill -0 "$sim_pid" 2>/dev/null; then
        wait "$sim_pid"
        echo "soak: the simulator ended by itself (status $?, see $work/sim/log)" >&2
        crashes=$((crashes + 1))
        sim_pid=""
        start_sim
    elif grep -q 'fault: hanging up' "$work/sim/log" || [ ! -e "$port" ]; then
        start_sim
    fi
}
accepted() { sed -n 's/^accepted //p' "$work/sim/state"; }

# The two files written in turn: the simulator's factory set (A) and the same
# with three values changed (B), so a write that was not taken shows.
sim_args=()
start_sim
cp "$work/sim/set.dat" "$work/A.dat"
stop_sim
a=$(cat "$work/A.dat")
# S: EPA_L1 (25..26) 95; T: BCdelay0 (81 + 37) 60, the dual rate UP (81 + 55) 70.
printf '%s' "${a:0:25}6F${a:27:91}4C${a:120:16}56${a:138}" >"$work/B.dat"
if [ "$("$cli" --lang en diff "$work/A.dat" "$work/B.dat" | tail -n 1)" != "3 values differ" ]; then
    echo "soak: cannot make the second parameter file" >&2
    "$cli" diff "$work/A.dat" "$work/B.dat" >&2
    keep=1
    exit 2
fi
# read cannot learn the dual-rate channel; it is asked for the one the files name.
channel=$(( ${a:135:1} + 1 ))

# The names of differing values between two files, one a line.
differing() {
    "$cli" diff --json "$1" "$2" | sed -n 's/^    "\([^"]*\)": \[$/\1/p'
}
# read fills the dual-rate switch (DRMix), which the answer does not carry,
# with the window's starting value.
read_differs() {
    [ -n "$(differing "$1" "$work/sim/set.dat" | grep -vx DRMix)" ]
}

declare -A failed_by=()
declare -A wrong_by=()
operations=0 ok=0 failed=0 wrong=0
phase_ops=0 phase_ok=0 phase_failed=0 phase_wrong=0
mix_name=""
last_written="$work/A.dat"

# Kind of a reported failure: from the exit status and the first line on
# stderr. Status 1 with a line on stderr (or from read, which compares
# nothing) says that part of the answer is missing; without one, that values
# differ.
failure_kind() { # status stderr-file operation
    local line
    line=$(head -n 1 "$2" | tr '[:upper:]' '[:lower:]')
    case "$1:$3:$line" in
        1:read-*|1:*:?*) echo missing ;;
        1:*) echo differences ;;
        *"could not be backed up"*) echo no-backup ;;
        *"did not report"*|*"reported no parameters"*) echo timeout ;;
        *"no two of"*) echo unconfirmed ;;
        *"was lost"*) echo lost ;;
        *"cannot open"*) echo open ;;
        *"writing to the serial port failed"*) echo write-failed ;;
        *"out of range"*) echo out-of-range ;;
        *) echo other ;;
    esac
}

note_wrong() { # what
    wrong=$((wrong + 1))
    phase_wrong=$((phase_wrong + 1))
    wrong_by[$mix_name]=$(( ${wrong_by[$mix_name]:-0} + 1 ))
    keep=1
    local n=$wrong
    cp "$work/sim/set.dat" "$work/wrong-$n-set.dat"
    cp "$work/sim/log" "$work/wrong-$n-sim.log"
    echo "soak: WRONG [$mix_name] $1 (files: $work/wrong-$n-*)" >&2
}

# One operation; its status decides the counts.
run_op() { # kind
    local kind=$1 out="$work/out" err="$work/err" status before file
    rm -f "$out.dat" "$out.json"
    sim_ready
    case "$kind" in
        read-file)
            timeout 30 "$cli" --lang en read "$port" --dual-rate-channel "$channel" -o "$out.dat" >/dev/null 2>"$err" ;;
        read-json)
            timeout 30 "$cli" --lang en read "$port" --dual-rate-channel "$channel" --json >"$out.json" 2>"$err" ;;
        write)
            file=$work/B.dat
            [ "$last_written" = "$work/B.dat" ] && file=$work/A.dat
            last_written=$file
            before=$(accepted)
            timeout 30 "$cli" --lang en write "$port" "$file" --verify >/dev/null 2>"$err" ;;
        verify)
            file=$last_written
            timeout 30 "$cli" --lang en verify "$port" "$file" >/dev/null 2>"$err" ;;
    esac
    status=$?
    operations=$((operations + 1))
    phase_ops=$((phase_ops + 1))
    if [ "$status" -gt 2 ]; then
        crashes=$((crashes + 1))
        keep=1
        echo "soak: CRASH [$mix_name] $kind ended with status $status: $(head -n 1 "$err")" >&2
        return
    fi
    if [ "$status" -ne 0 ]; then
        failed=$((failed + 1))
        phase_failed=$((phase_failed + 1))
        local why
        why=$(failure_kind "$status" "$err" "$kind")
        failed_by[$why]=$(( ${failed_by[$why]:-0} + 1 ))
        echo "$mix_name $kind status $status ($why): $(head -n 1 "$err")" >>"$work/failures"
        [ "$why" = other ] && echo "soak: [$mix_name] $kind failed with status $status: $(head -n 1 "$err")" >&2
        return
    fi
    ok=$((ok + 1))
    phase_ok=$((phase_ok + 1))
    case "$kind" in
        read-file)
            if read_differs "$out.dat"; then
                cp "$out.dat" "$work/wrong-$((wrong + 1))-read.dat"
                note_wrong "read -o gave $(differing "$out.dat" "$work/sim/set.dat" | grep -vx DRMix | tr '\n' ' ')"
            fi ;;
        read-json)
            # The same values as the set, printed the same way.
            if ! diff -q <(grep -v '"DRMix"' "$out.json") \
                    <("$cli" show --json "$work/sim/set.dat" | grep -v '"DRMix"') >/dev/null; then
                cp "$out.json" "$work/wrong-$((wrong + 1))-read.json"
                note_wrong "read --json gave other values than the simulator holds"
            fi ;;
        write)
            if [ "$(accepted)" -le "$before" ]; then
                note_wrong "write --verify of $(basename "$file") succeeded, but the simulator accepted no records"
            elif [ -n "$(differing "$file" "$work/sim/set.dat")" ]; then
                note_wrong "write --verify of $(basename "$file") succeeded, but the simulator holds other values"
            fi ;;
        verify)
            if [ -n "$(differing "$file" "$work/sim/set.dat")" ]; then
                note_wrong "verify of $(basename "$file") succeeded, but the simulator holds other values"
            fi ;;
    esac
}

total_s=$(awk -v m="$minutes" 'BEGIN { printf "%d", m * 60 }')
phase_s=$(( total_s / ${#mixes[@]} ))
[ "$phase_s" -lt 5 ] && phase_s=5
[ "$phase_s" -gt 60 ] && phase_s=60
ops=(read-file write read-json verify)
started=$SECONDS
phase=0
while [ $((SECONDS - started)) -lt "$total_s" ]; do
    mix=${mixes[$((phase % ${#mixes[@]}))]}
    mix_name=${mix%%|*}
    read -r -a sim_args <<<"${mix#*|} --seed $phase"
    start_sim
    phase_ops=0 phase_ok=0 phase_failed=0 phase_wrong=0
    phase_end=$((SECONDS + phase_s))
    [ "$phase_end" -gt $((started + total_s)) ] && phase_end=$((started + total_s))
    i=0
    while [ "$SECONDS" -lt "$phase_end" ]; do
        run_op "${ops[$((i % ${#ops[@]}))]}"
        i=$((i + 1))
    done
    echo "soak: phase $mix_name (${sim_args[*]}): $phase_ops operations, $phase_ok ok, $phase_failed failed, $phase_wrong wrong"
    phase=$((phase + 1))
done
stop_sim

kinds=""
for k in timeout lost missing differences no-backup unconfirmed out-of-range open write-failed other; do
    [ -n "${failed_by[$k]:-}" ] && kinds+="${kinds:+, }$k ${failed_by[$k]}"
done
wrongs=""
for m in "${!wrong_by[@]}"; do wrongs+="${wrongs:+, }$m ${wrong_by[$m]}"; done
elapsed=$(awk -v s=$((SECONDS - started)) 'BEGIN { printf "%.1f", s / 60 }')
echo "soak: $elapsed min, $operations operations, $ok ok, $failed failed${kinds:+ ($kinds)}," \
     "$wrong wrong${wrongs:+ ($wrongs)}, $crashes crashes"
[ "$wrong" -eq 0 ] && [ "$crashes" -eq 0 ]
