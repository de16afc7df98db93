#!/usr/bin/env bash
# Builds the Debian package of Zorvin: installs what is needed, makes a release build in build-package/,
# packs it with CPack, checks the package with lintian (which must report no errors) and prints the path
# of the .deb, which it leaves in the repository's folder:
#   bash tools/package.sh && sudo apt install ./zorvin_*.deb
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${PACKAGE_BUILD_DIR:-$here/build-package}
{
    bash "$here/tools/install-deps.sh"
    if ! command -v lintian >/dev/null; then
        echo "== Installing: lintian"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends lintian
    fi
    BUILD_DIR=$build bash "$here/tools/build.sh" -DCMAKE_BUILD_TYPE=Release -DZORVIN_WERROR=ON \
        -DZORVIN_BUILD_TESTS=OFF -DZORVIN_BUILD_BENCH=OFF "-DCMAKE_EXE_LINKER_FLAGS=-Wl,-z,relro -Wl,-z,now"
    rm -rf "$build/package"
    (cd "$build" && cpack -G DEB -B "$build/package")
} >&2
deb=$(find "$build/package" -maxdepth 1 -name 'zorvin_*.deb' | head -n 1)
if [ -z "$deb" ]; then
    echo "CPack made no package in $build/package" >&2
    exit 1
fi
# Errors fail the script; warnings and notes are shown.
lintian --info --display-info "$deb" >&2
cp "$deb" "$here/"
echo "$here/$(basename "$deb")"
