#!/bin/bash
# Installs the build into a temporary prefix and checks that the installed program finds what it
# ships and opens a demo document. Usage: install-test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/tervane share/tervane/samples/expz.kpl share/tervane/help/index.html \
         share/tervane/help/gallery/expz.png share/tervane/tervane.svg \
         share/icons/hicolor/scalable/apps/tervane.svg share/applications/tervane.desktop \
         share/mime/packages/tervane.xml \
         share/icons/hicolor/scalable/mimetypes/application-x-tervane-document.svg; do
    [[ -e "$prefix/$f" ]] || { echo "missing after install: $f"; exit 1; }
done
grep -q '^Exec=tervane %f$' "$prefix/share/applications/tervane.desktop"
grep -q 'pattern="\*.kpl"' "$prefix/share/mime/packages/tervane.xml"

# Documents get an icon: the package names the installed one and a generic fallback, and the
# mime database built from it (when its tool is installed) carries both.
mime_icons() { # package file, database folder
    grep -q '<icon name="application-x-tervane-document"/>' "$1" || return 1
    grep -q '<generic-icon name="x-office-document"/>' "$1" || return 1
    command -v update-mime-database >/dev/null || return 0
    update-mime-database "$2" >/dev/null 2>&1 || return 1
    grep -qx 'application/x-tervane-document:application-x-tervane-document' "$2/icons" &&
        grep -qx 'application/x-tervane-document:x-office-document' "$2/generic-icons"
}
mime_icons "$prefix/share/mime/packages/tervane.xml" "$prefix/share/mime" ||
    { echo "the installed mime package declares no document icon"; exit 1; }

# The installed program looks in ../share/tervane beside itself.
paths=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/tervane" --paths)
grep -qx "samples: $prefix/share/tervane/samples" <<<"$paths" || { echo "$paths"; exit 1; }
grep -qx "help: $prefix/share/tervane/help" <<<"$paths" || { echo "$paths"; exit 1; }

# It opens a demo document and keeps running until stopped (124: stopped by the timeout, not
# crashed or exited with an error). Its association goes to a folder of this run.
XDG_DATA_HOME="$prefix/data" HOME="$prefix" QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x1024x24" sh -c \
    'timeout 5 "$1" "$2"; echo $? >"$3"' sh "$prefix/bin/tervane" \
    "$prefix/share/tervane/samples/expz.kpl" "$prefix/status"
status=$(cat "$prefix/status")
[[ $status -eq 124 ]] || { echo "the installed program ended with status $status"; exit 1; }
grep -q "^Exec=$prefix/bin/tervane %f$" "$prefix/data/applications/tervane.desktop"
# The association the program writes for the user carries the document icon too.
cmp -s "$prefix/share/tervane/tervane.svg" \
    "$prefix/data/icons/hicolor/scalable/mimetypes/application-x-tervane-document.svg" ||
    { echo "the program did not put the document icon in the user's icon theme"; exit 1; }
mime_icons "$prefix/data/mime/packages/tervane.xml" "$prefix/data/mime" ||
    { echo "the user's mime package declares no document icon"; exit 1; }
echo "installed and ran from $prefix"
