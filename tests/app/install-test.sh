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
         share/mime/packages/tervane.xml; do
    [[ -e "$prefix/$f" ]] || { echo "missing after install: $f"; exit 1; }
done
grep -q '^Exec=tervane %f$' "$prefix/share/applications/tervane.desktop"
grep -q 'pattern="\*.kpl"' "$prefix/share/mime/packages/tervane.xml"

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
echo "installed and ran from $prefix"
