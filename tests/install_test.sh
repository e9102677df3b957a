#!/usr/bin/env bash
# The desktop package: installing the build into a fresh prefix gives exactly the expected
# files, the desktop entry and the MIME type pass their validators and make *.zol a Zol map,
# the installed programs tell their version and usage without a display, and the Debian
# package declares what the programs need and passes lintian without an error or a warning.
# Usage: install_test.sh BUILD_DIR EXPECTED_FILE_LIST VERSION
set -euo pipefail
build=$1
expected=$2
version=$3
fail() { echo "$*"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" > /dev/null
(cd "$work/prefix" && find . -type f | sort) > "$work/files"
diff -u "$expected" "$work/files"

# Hints (two main categories, say) count too.
hints=$(desktop-file-validate "$work/prefix/share/applications/zol.desktop")
[ -z "$hints" ] || fail "$hints"
xmllint --noout "$work/prefix/share/mime/packages/zol.xml"
update-mime-database "$work/prefix/share/mime"
grep -qx '50:application/x-zol-map:\*\.zol' "$work/prefix/share/mime/globs2"
update-desktop-database "$work/prefix/share/applications"
grep -qx 'application/x-zol-map=zol.desktop;' "$work/prefix/share/applications/mimeinfo.cache"
for size in 16 32 48 64 128 256; do
    file "$work/prefix/share/icons/hicolor/${size}x${size}/apps/zol.png" | grep -q "PNG image data, $size x $size"
done

for program in zol zol-tool; do
    answer=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/prefix/bin/$program" --version)
    [ "$answer" = "$program $version" ] || fail "$program --version says '$answer', not '$program $version'"
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/prefix/bin/$program" --help > "$work/help"
    grep -q "^usage: $program " "$work/help" || fail "$program --help gives no usage"
done
zcat "$work/prefix/share/doc/zol/changelog.gz" > "$work/changelog"
[ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" = "$version" ] ||
    fail "the changelog's newest entry is not version $version"

# A permissive umask (common with a group per user) must not reach the package's folders.
(cd "$work" && umask 002 && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" > /dev/null)
deb=$(ls "$work"/deb/zol_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in qt6-qpa-plugins libqt6widgets6 libqt6gui6 libqt6core6 libdeflate0 zlib1g; do
    grep -q "$needed" <<< "$depends" || fail "the package does not depend on $needed: $depends"
done
dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sed 's|^\./usr|.|' | sort > "$work/packaged"
diff -u "$expected" "$work/packaged"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package is not version $version"
lintian --fail-on error,warning "$deb" 2> "$work/lintian-stderr" ||
    { cat "$work/lintian-stderr"; fail "lintian finds fault with the package"; }
echo "install and package: ok"
