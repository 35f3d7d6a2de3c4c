#!/usr/bin/env bash
# Builds the number text's fuzz targets into build/fuzz and runs each for SECONDS (default 60) on
# a scratch copy of its corpus; on any failure prints it with its input and exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build/fuzz
status=0
for run in read_text:4096 round_trip:8; do  # target and longest input: round_trip reads a double
    target=${run%:*}
    work=$build/$target.run
    rm -rf "$work" && mkdir -p "$work/crash" && cp -r "fuzz/corpus/$target" "$work/corpus"
    # Undefined behaviour aborts too, so that libFuzzer keeps the input that caused it.
    clang++-14 -std=c++17 -ffp-contract=off -g -O1 -Wall -Wextra -Werror -I. \
        -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
        "fuzz/$target.cpp" platform/number_text.cpp -o "$build/$target"
    echo "=== fuzz: $target for ${seconds}s"
    # Numbers take microseconds to read and write: 10 s is a hang (libFuzzer waits 20 min).
    if "$build/$target" -max_total_time="$seconds" -max_len="${run#*:}" -timeout=10 \
        -artifact_prefix="$work/crash/" "$work/corpus" >"$work/log" 2>&1; then
        tail -n 1 "$work/log"
    else
        status=1
        sed -n '/^FAILED\|ERROR\|runtime error\|ALARM/,$p' "$work/log"  # ends with the input
        echo "=== $target FAILED; its whole output: $work/log"
    fi
done
exit "$status"
