#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build-fuzz) and runs each in turn for DURATION from
# its seed corpus in fuzz/corpus/<name>, with the dictionary fuzz/<name>.dict when there is one.
# DURATION is seconds (default 30) or a number followed by s, m or h: "scripts/fuzz.sh 2h tiled"
# runs the tiled target for two hours. What a target finds new is kept in build-fuzz/corpus/<name>,
# so each run goes on from where the last one stopped. A target's whole output goes to
# build-fuzz/logs/<name>.log (follow a long run with tail -f). Any finding stops that target and
# fails the run; the input that found it is left in build-fuzz/findings/<name>/. At the end each
# target's executions and executions per second are listed.
# Usage: scripts/fuzz.sh [DURATION] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
duration="${1:-30}"
shift || true
if [[ ! "$duration" =~ ^([0-9]+)([smh]?)$ ]] || [ "${BASH_REMATCH[1]}" -eq 0 ]; then
    echo "fuzz.sh: '$duration' is not a duration: seconds, or a number with s, m or h (90, 10m, 2h)" >&2
    exit 2
fi
case "${BASH_REMATCH[2]}" in
    m) seconds=$((10#${BASH_REMATCH[1]} * 60)) ;;
    h) seconds=$((10#${BASH_REMATCH[1]} * 3600)) ;;
    *) seconds=$((10#${BASH_REMATCH[1]})) ;;
esac
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(map_file config bitmap tiled)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DZOL_FUZZ=ON -DZOL_TESTS=OFF -DZOL_BENCH=OFF > /dev/null
cmake --build build-fuzz --target $(printf '%s_fuzzer ' "${targets[@]}")

export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
report=()
mkdir -p build-fuzz/logs
for name in "${targets[@]}"; do
    work="build-fuzz/corpus/$name"
    findings="build-fuzz/findings/$name"
    log="build-fuzz/logs/$name.log"
    mkdir -p "$work" "$findings"
    options=(-max_total_time="$seconds" -artifact_prefix="$findings/" -print_final_stats=1 -max_len=262144)
    [ -f "fuzz/$name.dict" ] && options+=(-dict="fuzz/$name.dict")
    echo "== $name: $seconds s, log in $log"
    started=$SECONDS
    result=ok
    if ! "build-fuzz/fuzz/${name}_fuzzer" "$work" "fuzz/corpus/$name" "${options[@]}" > "$log" 2>&1; then
        result="FINDING (see $findings)"
        status=1
    fi
    # The log's end without the dictionary libFuzzer recommends.
    grep -v -e '^"' -e '^######' "$log" | tail -n 15
    # libFuzzer's final statistics: executions over the seconds it ran.
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -n 1)
    [ -n "$took" ] || took=$((SECONDS - started))
    if [ -n "$runs" ] && [ "$took" -gt 0 ]; then
        report+=("$(printf '%-9s %10d executions in %6d s: %7d exec/s  %s' "$name" "$runs" "$took" $((runs / took)) "$result")")
    else
        report+=("$(printf '%-9s no statistics (see %s)  %s' "$name" "$log" "$result")")
    fi
    echo "== $name: $result"
done
echo "== executions per second"
printf '%s\n' "${report[@]}"
exit $status
