#!/usr/bin/env bash
# Installs what is missing, builds, and shows the sample map with the command-line tool.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
build/cli/zol-tool check examples/*.zol
