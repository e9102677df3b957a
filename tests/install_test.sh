#!/usr/bin/env bash
# The desktop package: installing the build into a fresh prefix gives exactly the expected
# files, the desktop entry and the MIME type pass their validators and make *.zol a Zol map,
# and the Debian package declares what the programs need.
# Usage: install_test.sh BUILD_DIR EXPECTED_FILE_LIST
set -euo pipefail
build=$1
expected=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" > /dev/null
(cd "$work/prefix" && find . -type f | sort) > "$work/files"
diff -u "$expected" "$work/files"

desktop-file-validate "$work/prefix/share/applications/zol.desktop"
xmllint --noout "$work/prefix/share/mime/packages/zol.xml"
update-mime-database "$work/prefix/share/mime"
grep -qx '50:application/x-zol-map:\*\.zol' "$work/prefix/share/mime/globs2"
update-desktop-database "$work/prefix/share/applications"
grep -qx 'application/x-zol-map=zol.desktop;' "$work/prefix/share/applications/mimeinfo.cache"
for size in 16 32 48 64 128 256; do
    file "$work/prefix/share/icons/hicolor/${size}x${size}/apps/zol.png" | grep -q "PNG image data, $size x $size"
done

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" > /dev/null)
deb=$(ls "$work"/deb/zol_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in qt6-qpa-plugins libqt6widgets6 libqt6gui6 libqt6core6 libdeflate0 zlib1g; do
    grep -q "$needed" <<< "$depends" || { echo "the package does not depend on $needed: $depends"; exit 1; }
done
dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sed 's|^\./usr|.|' | sort > "$work/packaged"
diff -u "$expected" "$work/packaged"
echo "install and package: ok"
