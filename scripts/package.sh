#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The K6QX tool authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package build/package/k6qx_<version>_amd64.deb with CPack
# (Release build in build/package) and checks what it ships: the desktop
# entry with desktop-file-validate, the metainfo with appstreamcli, the
# package with lintian. Install it with
#   sudo apt-get install ./build/package/k6qx_*.deb
#   scripts/package.sh            build and check
#   scripts/package.sh --no-check build only
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build/package"
check=1
[ "${1:-}" = "--no-check" ] && check=0

# dpkg-shlibdeps (dpkg-dev) and file compute the library dependencies.
extra=(dpkg-dev file)
[ $check -eq 1 ] && extra+=(desktop-file-utils appstream lintian)
"$top/scripts/deps.sh" "${extra[@]}"

# Debian's own compiler and linker flags, hardening included.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DK6_BUILD_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build" -j2 --target k6qx-installed
rm -f "$build"/k6qx_*.deb
(cd "$build" && cpack -G DEB --config CPackConfig.cmake)
deb=$(ls "$build"/k6qx_*_amd64.deb)
echo "Built $deb"
[ $check -eq 1 ] || exit 0

desktop-file-validate "$top/packaging/linux/com.korvan.K6QX.desktop"
appstreamcli validate --no-net "$build/packaging/linux/com.korvan.K6QX.metainfo.xml"
# The tags kept, and why, are listed in packaging/linux/lintian-kept-tags.
lintian --fail-on error,warning --suppress-tags-from-file "$top/packaging/linux/lintian-kept-tags" "$deb"
echo "Checked $deb"
