#!/usr/bin/env bash
# Configures and builds into the given directory (default: build). Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build}"
shift || true
cmake -S . -B "$dir" -G Ninja "$@"
cmake --build "$dir"
