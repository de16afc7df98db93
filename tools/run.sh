#!/usr/bin/env bash
# Installs what is needed, builds, prepares the demo database and the settings file beside the program
# when there are none, and starts the program.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/tools/install-deps.sh"
bash "$here/tools/build.sh"
bin=${BUILD_DIR:-$here/build}/bin
admin="$bin/zorvin-admin"
if [ ! -f "$bin/Data/WBD.zdb" ]; then
    mkdir -p "$bin/Data"
    # Made for today, so that the memorable dates shown at start hold the coming week's birthdays.
    "$admin" seed "$bin/Data/WBD.zdb" --size demo --today "$(date +%d.%m.%Y)"
fi
if [ ! -f "$bin/Zorvin.ini" ]; then
    "$admin" write-ini FLASH --output "$bin/Zorvin.ini"
fi
"$admin" decode-ini "$bin/Zorvin.ini"
if [ -x "$bin/zorvin" ]; then
    exec "$bin/zorvin"
fi
echo "The database $bin/Data/WBD.zdb and the settings file $bin/Zorvin.ini are ready;"
echo "the desktop program is not part of this build yet."
