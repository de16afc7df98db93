#!/usr/bin/env bash
# Installs every Debian package Zorvin needs to build, run and test. Safe to run again.
set -euo pipefail
packages=(
    cmake g++ ninja-build pkg-config
    qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql qt6-charts-dev qt6-translations-l10n
    libsqlite3-dev libxlsxwriter-dev zlib1g-dev libicu-dev
    postgresql postgresql-contrib
    xvfb xauth
    clang libclang-rt-14-dev
    dpkg-dev file desktop-file-utils appstream
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "== Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
