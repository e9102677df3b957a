#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a normal build and once with
# AddressSanitizer and UndefinedBehaviorSanitizer (any sanitizer report fails the run); then
# runs each fuzz target for 30 seconds (any finding fails the run).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)

scripts/build.sh build
(cd build && ctest --output-on-failure -j "$jobs")

scripts/build.sh build-asan -DZOL_SANITIZE=ON -DZOL_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd build-asan && ctest --output-on-failure -j "$jobs")

scripts/fuzz.sh 30
