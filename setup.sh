#!/usr/bin/env bash
# Installs what Pagewright needs on Debian 12 and builds it into ./build. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    build-essential cmake pkg-config libzip-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libreoffice-writer-nogui libreoffice-dev libreoffice-dev-common
    qt6-translations-l10n fonts-noto-cjk
    poppler-utils python3-uno
    xvfb xauth procps
)

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo=sudo; fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
