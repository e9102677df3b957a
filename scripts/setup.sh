#!/usr/bin/env bash
# Installs what building, running and testing Zol needs on Debian 12, when it is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n libxkbcommon-dev
    qt6-l10n-tools qt6-tools-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libdeflate-dev zlib1g-dev libpng-dev
    fonts-noto-cjk
    desktop-file-utils libxml2-utils dpkg-dev file lintian
    clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    echo "Installing: ${missing[*]}"
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
