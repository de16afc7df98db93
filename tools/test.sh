#!/usr/bin/env bash
# Installs what is needed, builds with warnings as errors, and runs every test suite.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/tools/install-deps.sh"
build=${BUILD_DIR:-$here/build-test}
BUILD_DIR=$build bash "$here/tools/build.sh" -DZORVIN_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 900 -j "$(nproc)"
