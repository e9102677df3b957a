#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build-fuzz) and runs each for SECONDS (default 30)
# from its seed corpus in fuzz/corpus/<name>. Any finding stops that target and fails the run;
# the input that found it is left in build-fuzz/findings/<name>/.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(map_file config bitmap tiled)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DZOL_FUZZ=ON -DZOL_TESTS=OFF -DZOL_BENCH=OFF > /dev/null
cmake --build build-fuzz --target $(printf '%s_fuzzer ' "${targets[@]}")

export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for name in "${targets[@]}"; do
    work="build-fuzz/corpus/$name"
    findings="build-fuzz/findings/$name"
    mkdir -p "$work" "$findings"
    echo "== $name: $seconds s"
    if ! "build-fuzz/fuzz/${name}_fuzzer" "$work" "fuzz/corpus/$name" -max_total_time="$seconds" \
        -artifact_prefix="$findings/" -print_final_stats=1 -max_len=262144 2>&1 | tail -n 25; then
        echo "== $name: FINDING (see $findings)"
        status=1
    fi
done
exit $status
