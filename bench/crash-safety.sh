#!/usr/bin/env bash
# The crash-safety run at full length: the crash-safety suite with 2000 kills of the worker (ctest runs
# 200). Builds first unless SKIP_BUILD=1. Usage: bench/crash-safety.sh [KILLS]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
if [ "${SKIP_BUILD:-0}" != 1 ]; then
    bash "$here/tools/install-deps.sh"
    BUILD_DIR=$build bash "$here/tools/build.sh" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
kills=${1:-2000}
echo "== Crash safety: $kills kills of a worker that saves, pairs and deletes"
start=$(date +%s)
# QtTest stops a test function after 5 minutes unless told otherwise; 2000 kills take about 10.
QTEST_FUNCTION_TIMEOUT=${QTEST_FUNCTION_TIMEOUT:-7200000} ZORVIN_CRASH_KILLS=$kills QT_QPA_PLATFORM=offscreen "$build/bin/store_tst_crashsafety" -maxwarnings 0
echo "$(( $(date +%s) - start )) s"
