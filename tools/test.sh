#!/usr/bin/env bash
# Installs what is needed, builds with warnings as errors, and runs every test suite: once in the
# ordinary build and once more under the address and undefined-behaviour sanitizers.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/tools/install-deps.sh"

# The server suites run against a private PostgreSQL cluster made for this run, unless ZORVIN_PG_HOST
# already names a server.
if [ -z "${ZORVIN_PG_HOST:-}" ]; then
    if pg_env=$(ZORVIN_PG_PORT=${ZORVIN_PG_PORT:-auto} bash "$here/tools/pg-test-server.sh" start); then
        eval "$pg_env"
        trap 'bash "$here/tools/pg-test-server.sh" stop' EXIT
    else
        echo "== The PostgreSQL test server did not start: the server suites skip (and fail under CI=true)"
    fi
fi

run_suite() {
    local build=$1
    shift
    BUILD_DIR=$build bash "$here/tools/build.sh" -DZORVIN_WERROR=ON "$@"
    local result=0
    (cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 900 -j "$(nproc)") || result=$?
    # The crash-safety suite's figures: kills, saves and rows checked.
    grep -h "crash safety:" "$build/Testing/Temporary/LastTest.log" 2>/dev/null || true
    return $result
}

status=0
echo "== Fuzzing the parsers, 20 s a target"
bash "$here/tools/fuzz.sh" 20 || status=$?
echo "== Tests"
run_suite "${BUILD_DIR:-$here/build-test}" -DCMAKE_BUILD_TYPE=RelWithDebInfo || status=$?
if [ "${ZORVIN_SKIP_SANITIZERS:-0}" != 1 ]; then
    echo "== Tests under the address and undefined-behaviour sanitizers"
    # The crash-safety suite's 200 kills ran in the ordinary build; here a shorter run looks for what the
    # sanitizers see.
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 ZORVIN_CRASH_KILLS=40 \
        run_suite "${SANITIZE_BUILD_DIR:-$here/build-sanitize}" -DCMAKE_BUILD_TYPE=Debug -DZORVIN_SANITIZE=ON \
        -DZORVIN_BUILD_BENCH=OFF || status=$?
fi
exit $status
