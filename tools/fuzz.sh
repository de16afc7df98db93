#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang and runs each for SECONDS (20 by default; longer
# runs: tools/fuzz.sh 600). Starts from the seed corpus in tests/fuzz/corpus/ (new inputs go to a work
# folder, not into the repository) and prints the runs each target did. A crash, a hang or a sanitizer
# report stops with a non-zero exit; its input is left in the work folder as crash-*, leak-* or timeout-*:
# fix the bug and add the input to the target's corpus.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
build=${FUZZ_BUILD_DIR:-$here/build-fuzz}
work=${FUZZ_WORK_DIR:-$build/work}
cxx=${FUZZ_CXX:-$(command -v clang++ || true)}
if [ -z "$cxx" ]; then
    echo "== Fuzzing skipped: clang++ is not installed (apt-get install clang libclang-rt-14-dev)"
    exit 0
fi
cmake -S "$here/tests/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
status=0
for target in settings dialect dates phone cellname amount vcard; do
    mkdir -p "$work/$target"
    cp -n "$here/tests/fuzz/corpus/$target/"* "$work/$target/" 2>/dev/null || true
    echo "== fuzz_$target for $seconds s"
    log="$work/$target.log"
    if (cd "$work" && "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$work/$target-" "$work/$target") >"$log" 2>&1; then
        grep -E '^Done [0-9]+ runs' "$log" || tail -n 3 "$log"
    else
        status=1
        tail -n 40 "$log"
        echo "== fuzz_$target found a problem; its input: $(ls "$work"/"$target"-* 2>/dev/null | head -n 1)"
    fi
done
exit $status
