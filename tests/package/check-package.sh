#!/usr/bin/env bash
# check-package.sh BUILD: packs BUILD with CPack, unpacks the .deb into a scratch root and checks what a
# desktop finds there. Exit 77 (skipped) where there are no Debian package tools.
set -uo pipefail
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    echo "FAIL: cpack"
    exit 1
fi
deb=$(find "$scratch/out" -maxdepth 1 -name 'zorvin_*.deb' | head -n 1)
[ -n "$deb" ] || { echo "FAIL: no zorvin_*.deb"; exit 1; }
root=$scratch/root
dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb -x"; exit 1; }

# The package's name, its libraries and the database drivers the programs load by name.
[ "$(dpkg-deb -f "$deb" Package)" = zorvin ] || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libqt6sql6 libqt6sql6-sqlite libqt6sql6-psql; do
    grep -Eq "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep: $depends"
done

for program in zorvin zorvin-admin; do
    [ -x "$root/usr/bin/$program" ] || fail "/usr/bin/$program"
    gzip -t "$root/usr/share/man/man1/$program.1.gz" 2>/dev/null || fail "manual page of $program"
done

# The menu entry: what it starts and the icon it names are in the package.
desktop=$(find "$root/usr/share/applications" -name '*.desktop' 2>/dev/null | head -n 1)
if [ -z "$desktop" ]; then
    fail "no menu entry"
else
    entry() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
    exec_name=$(entry Exec | cut -d' ' -f1)
    [ -x "$root/usr/bin/$exec_name" ] || fail "Exec=$exec_name is not in /usr/bin"
    icon=$(entry Icon)
    for size in 48x48 128x128; do
        png=$root/usr/share/icons/hicolor/$size/apps/$icon.png
        [ -f "$png" ] || { fail "icon $size"; continue; }
        [ "$(file -b "$png" | grep -o '[0-9]* x [0-9]*')" = "${size/x/ x }" ] || fail "icon $size is $(file -b "$png")"
    done
    [ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "scalable icon"
    grep -q '^Categories=.*Office;' "$desktop" || fail "category Office"
    grep -q '^Categories=.*ContactManagement;' "$desktop" || fail "category ContactManagement"
    grep -q '^Name\[ru\]=' "$desktop" || fail "Russian name"
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$desktop" || fail "desktop-file-validate"
    fi
    # The metainfo launches this menu entry and names the same icon.
    metainfo=$(find "$root/usr/share/metainfo" -name '*.metainfo.xml' 2>/dev/null | head -n 1)
    if [ -z "$metainfo" ]; then
        fail "no metainfo"
    else
        grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" \
            || fail "the metainfo does not launch $(basename "$desktop")"
        grep -q "<icon type=\"stock\">$icon</icon>" "$metainfo" || fail "the metainfo names another icon"
        [ "$(basename "$metainfo" .metainfo.xml)" = "$(basename "$desktop" .desktop)" ] || fail "metainfo name"
        if command -v appstreamcli >/dev/null; then
            appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
        fi
    fi
fi

# The help document where the installed program looks for it: share/zorvin beside its bin folder.
help=$root/usr/share/zorvin/Help/Help_Zorvin_Base_1_0.pdf
if [ "$(head -c 5 "$help" 2>/dev/null)" != "%PDF-" ]; then
    fail "help document"
elif ! grep -aEq '/Type */Page([^s]|$)' "$help" || ! grep -aq '/Subtype */Image' "$help"; then
    fail "the help document has no pages or no pictures"
fi
[ -f "$root/usr/share/doc/zorvin/copyright" ] || fail "copyright"
gzip -t "$root/usr/share/doc/zorvin/changelog.gz" 2>/dev/null || fail "change log"

# The unpacked administration command runs from the scratch root.
"$root/usr/bin/zorvin-admin" create-db "$scratch/t.zdb" >/dev/null || fail "the packed zorvin-admin does not run"

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "package $(basename "$deb"): all checks passed"
