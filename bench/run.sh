#!/usr/bin/env bash
# Builds Zorvin (optimised, with debug information) and runs the benchmarks. The large and huge data sets
# are made once and kept in the build folder (bench-data/); a run works on copies of them.
# Extra arguments go to zorvin-bench (--runs-scale N, --no-huge, --analyze, --data DIR, --quick-find: only the
# quick find rows).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/tools/install-deps.sh"
build=${BUILD_DIR:-$here/build}
BUILD_DIR=$build bash "$here/tools/build.sh" -DCMAKE_BUILD_TYPE=RelWithDebInfo
status=0
"$build/bin/zorvin-bench" --data "$build/bench-data" "$@" || status=$?
echo
echo "== Opening a 300 000-row list through the grid's model"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/bin/zorvin-bench-list" "$build/bench-data/list-300000.zdb" || status=$?
echo
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/bin/zorvin-bench-photo" || status=$?
echo
echo "== The memorable dates at start on the large data set"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/bin/zorvin-bench-alarm" "$build/bench-data/alarm-large.zdb" || status=$?
echo
echo "== The people-list report and a dossier on the large data set"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/bin/zorvin-bench-report" "$build/bench-data/report-large.zdb" || status=$?
echo
echo "== The events list and the event card on 100 000 events"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/bin/zorvin-bench-events" "$build/bench-data/events-100000.zdb" || status=$?
echo
echo "== How two people 12 generations apart are related, on a generated family of 100 000 people"
"$build/bin/zorvin-bench-kinship" "$build/bench-data/kinship-100000.zdb" || status=$?
echo
echo "== The balances of 10 accounts with 320 000 operations, recomputed in the background"
"$build/bin/zorvin-bench-balances" "$build/bench-data/balances-320000.zdb" || status=$?
echo
echo "== The totals under the finance list, the \"Финансы\" list and its report, on 320 000 operations"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/bin/zorvin-bench-buchsum" "$build/bench-data/finance-320000.zdb" || status=$?
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/bin/zorvin-bench-buchlist" "$build/bench-data/finance-320000.zdb" || status=$?
echo
echo "== vCard: the export of the large data set's 20 000 people, the import of 10 000 cards"
"$build/bin/zorvin-bench-vcard" "$build/bench-data/vcard-large.zdb" || status=$?
exit $status
