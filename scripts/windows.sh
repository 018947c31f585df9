#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The K6QX tool authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds the tool for 64-bit Windows with MinGW-w64 against a static Qt
# built once into a cache folder outside the clone, then optionally tests it
# under Wine and packs the installer and the zip users download.
#   scripts/windows.sh                      build/windows/k6qx.exe
#   scripts/windows.sh --test               also the test programs, run under Wine, and
#                                           the installer, tested in a Wine prefix of its own
#   scripts/windows.sh --installer          also build/windows/k6qx-<version>-setup.exe
#   scripts/windows.sh --package            also the installer, the portable
#                                           build/windows/k6qx-<version>-win64.zip and
#                                           SHA256SUMS of both
#   scripts/windows.sh --qt                 only the static Qt (into the cache)
#   scripts/windows.sh --source             only build/windows/k6qx-<version>-source.tar.xz:
#                                           the source offer for the static programs
# Environment:
#   K6QX_CACHE_DIR   where the static Qt goes (default ~/.cache/k6qx)
#   K6QX_QT_PREFIX   a static Qt for Windows to use instead of building one
#   K6QX_SOURCES     folder searched first for the Qt source archives
#                    (default ../shared/third_party beside the clone); Qt
#                    Serial Port's is also kept in the repository's third_party/
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build/windows"

want_test=0 want_package=0 want_installer=0 qt_only=0 source_only=0
for arg in "$@"; do
    case "$arg" in
        --test) want_test=1 ;;
        --package) want_package=1 ;;
        --installer) want_installer=1 ;;
        --qt) qt_only=1 ;;
        --source) source_only=1 ;;
        *) echo "usage: $0 [--test] [--installer] [--package] [--qt] [--source]" >&2; exit 2 ;;
    esac
done
version=$(sed -n 's/^project([A-Za-z0-9]* VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")

triplet=x86_64-w64-mingw32
qt_version=6.4.2
jobs=${K6QX_JOBS:-2}

# --- what the machine needs ---------------------------------------------------
"$top/scripts/deps.sh" g++-mingw-w64-x86-64-posix wine64 xvfb xauth dpkg-dev patch perl xz-utils curl ca-certificates \
    nsis icoutils python3
wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64

gcc_version=$($triplet-g++-posix -v 2>&1 | sed -n 's/^gcc version \([0-9.]*\).*/\1/p')
cache=${K6QX_CACHE_DIR:-$HOME/.cache/k6qx}
sources=${K6QX_SOURCES:-$top/../shared/third_party}

# Qt's configuration: everything the tool and its tests use (Core, Gui,
# Widgets, Test, the windows and offscreen platforms), nothing else. The
# third-party libraries are Qt's bundled copies, linked in statically.
# Debian's repacked sources lack the wintab header, hence no tablet events.
qt_options=(
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF
    -DFEATURE_tabletevent=OFF -DFEATURE_jpeg=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_libpng=OFF
    -DFEATURE_system_doubleconversion=OFF
)
recipe=$(printf '%s\n' "${qt_options[@]}" "patch-isSoftwareGl" | sha256sum | cut -c1-8)
qt_prefix=${K6QX_QT_PREFIX:-$cache/qt-$qt_version-$triplet-gcc$gcc_version-static-$recipe}

# --- sources ------------------------------------------------------------------
# Accepted archives, by SHA-256: Qt's release archives, Debian's repack of
# qtbase, and the git-archive copy of Qt Serial Port kept beside the clone.
qtbase_release_sha=a88bc6cedbb34878a49a622baa79cace78cfbad4f95fdbd3656ddb21c705525d
qtbase_debian_sha=4f14b89a9463a540fd84a6718b8519a2297119b454ef547721015a9e9019ae9e
serialport_shas=(336d95919037800184b3c3de8ccb6f62954b20f3756c05adce8d5010504340fa
                 3fcdc849771022d67a1b22efbd9531ae83377c6c2698e3f195df960e512c24f7)
qt_url=https://download.qt.io/archive/qt/6.4/$qt_version/submodules

sha_ok() { # file sha...
    local f=$1; shift
    local have; have=$(sha256sum "$f" | cut -d' ' -f1)
    for s in "$@"; do [ "$have" = "$s" ] && return 0; done
    echo "$f: SHA-256 $have is not one of the accepted ones" >&2
    return 1
}

# The qtbase source archives the build takes, one path a line: Qt's release
# archive, or Debian's source package (.dsc, then the two archives it lists,
# with Debian's security fixes). Looked for beside the clone and in the
# cache first; else Debian's source package is fetched (apt checks its
# signature), else Qt's release archive. Every archive is checked by SHA-256.
find_qtbase() {
    local downloads="$cache/downloads"
    mkdir -p "$downloads"
    local release="qtbase-everywhere-src-$qt_version.tar.xz"
    for dir in "$sources" "$downloads"; do
        if [ -f "$dir/$release" ]; then
            sha_ok "$dir/$release" "$qtbase_release_sha"
            echo "$dir/$release"
            return
        fi
    done
    local dsc=""
    for dir in "$sources" "$downloads"; do
        dsc=$(ls "$dir"/qt6-base_"$qt_version"+dfsg-*.dsc 2>/dev/null | tail -n 1 || true)
        [ -n "$dsc" ] && [ -f "$dir/$qtbase_orig" ] && break
        dsc=""
    done
    if [ -z "$dsc" ] && ensure_deb_src && (cd "$downloads" && apt-get source --download-only -qq qt6-base >&2); then
        dsc=$(ls "$downloads"/qt6-base_"$qt_version"+dfsg-*.dsc | tail -n 1)
    fi
    if [ -n "$dsc" ]; then
        local dir debian listed
        dir=$(dirname "$dsc") debian=$(basename "$dsc" .dsc).debian.tar.xz
        sha_ok "$dir/$qtbase_orig" "$qtbase_debian_sha"
        listed=$(sed -n "s/^ \([0-9a-f]\{64\}\) [0-9]* $debian\$/\1/p" "$dsc")
        sha_ok "$dir/$debian" "$listed"
        printf '%s\n' "$dsc" "$dir/$qtbase_orig" "$dir/$debian"
        return
    fi
    curl -fL --retry 3 -o "$downloads/$release.part" "$qt_url/$release"
    mv "$downloads/$release.part" "$downloads/$release"
    sha_ok "$downloads/$release" "$qtbase_release_sha"
    echo "$downloads/$release"
}
qtbase_orig="qt6-base_$qt_version+dfsg.orig.tar.xz"

# Puts the qtbase source tree at $2, from the archives find_qtbase named ($1).
unpack_qtbase() { # archives dest
    local dest=$2 archives=()
    mapfile -t archives <<<"$1"
    mkdir -p "$dest"
    if [ ${#archives[@]} -eq 1 ]; then
        tar xJf "${archives[0]}" -C "$dest" --strip-components=1
        return
    fi
    tar xJf "${archives[1]}" -C "$dest" --strip-components=1
    tar xJf "${archives[2]}" -C "$dest"
    # Upstream fixes only (security, platform detection); Debian's own
    # packaging patches are about its Linux build.
    sed -n '/^# Debian specific/q;/^[^#]/p' "$dest/debian/patches/series" | while read -r p; do
        patch -d "$dest" -p1 -s <"$dest/debian/patches/$p"
    done
}

ensure_deb_src() {
    grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/ && return 0
    [ "$(id -u)" -eq 0 ] || { echo "no deb-src entry for apt (needs root to add one)" >&2; return 1; }
    # deb822 form: a one-line deb-src entry clashes with the Signed-By of
    # Debian's own deb822 list and breaks apt.
    cat >/etc/apt/sources.list.d/k6qx-src.sources <<'EOS'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOS
    apt-get update -qq
}

# Qt Serial Port's source archive: beside the clone, in the repository's
# third_party/, in the cache, else Qt's release archive.
find_serialport() {
    local name="qtserialport-everywhere-src-$qt_version.tar.xz" archive=""
    for dir in "$sources" "$top/third_party" "$cache/downloads"; do
        [ -f "$dir/$name" ] && { archive="$dir/$name"; break; }
    done
    if [ -z "$archive" ]; then
        mkdir -p "$cache/downloads"
        curl -fL --retry 3 -o "$cache/downloads/$name.part" "$qt_url/$name"
        mv "$cache/downloads/$name.part" "$cache/downloads/$name"
        archive="$cache/downloads/$name"
    fi
    sha_ok "$archive" "${serialport_shas[@]}"
    echo "$archive"
}

# How Qt is configured, as build_qt runs it and as the source offer states
# it: sets qt_configure to cmake's arguments for part $1 (qtbase or
# qtserialport) with source $2, build folder $3, install prefix $4 and the
# toolchain file $5.
qt_configure_args() { # part source build prefix toolchain
    local host=(-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
    qt_configure=(-S "$2" -B "$3" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$5")
    case "$1" in
        qtbase) qt_configure+=("${host[@]}" -DCMAKE_INSTALL_PREFIX="$4" "${qt_options[@]}") ;;
        qtserialport) qt_configure+=(-DK6QX_QT_PREFIX="$4" "${host[@]}" -DCMAKE_PREFIX_PATH="$4"
                                     -DCMAKE_INSTALL_PREFIX="$4" -DCMAKE_BUILD_TYPE=Release
                                     -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF) ;;
    esac
}
# With OpenGL off, the Windows platform plugin still asks for the dynamic
# OpenGL feature in one place; that question only makes sense with OpenGL.
qt_gl_fix='s/#if QT_CONFIG\(dynamicgl\)(\n    return QOpenGLStaticContext)/#if QT_CONFIG(opengl) \&\& QT_CONFIG(dynamicgl)$1/'
qt_gl_file=src/plugins/platforms/windows/qwindowswindow.cpp

# --- the static Qt ----------------------------------------------------------------
# Built in a scratch folder and renamed into place only when complete, so an
# interrupted build is never taken for a finished one.
build_qt() {
    local work="$qt_prefix.partial"
    rm -rf "$work" && mkdir -p "$work"
    local started=$SECONDS
    echo "Building static Qt $qt_version for $triplet into $qt_prefix (takes a while)"
    local qtbase serialport toolchain="$top/cmake/mingw-w64-x86_64.cmake"
    qtbase=$(find_qtbase)
    serialport=$(find_serialport)
    unpack_qtbase "$qtbase" "$work/src/qtbase"
    perl -0pi -e "$qt_gl_fix" "$work/src/qtbase/$qt_gl_file"
    grep -q 'QT_CONFIG(opengl) && QT_CONFIG(dynamicgl)' "$work/src/qtbase/$qt_gl_file"
    qt_configure_args qtbase "$work/src/qtbase" "$work/build/qtbase" "$work/qt" "$toolchain"
    cmake "${qt_configure[@]}"
    cmake --build "$work/build/qtbase" -j"$jobs"
    cmake --install "$work/build/qtbase" >/dev/null

    mkdir -p "$work/src/qtserialport"
    tar xJf "$serialport" -C "$work/src/qtserialport" --strip-components=1
    qt_configure_args qtserialport "$work/src/qtserialport" "$work/build/qtserialport" "$work/qt" "$toolchain"
    cmake "${qt_configure[@]}"
    cmake --build "$work/build/qtserialport" -j"$jobs"
    cmake --install "$work/build/qtserialport" >/dev/null
    # Which archives this Qt was built from, for the source offer.
    printf '%s\n' "$qtbase" "$serialport" | xargs -d '\n' sha256sum | sed 's|  .*/|  |' >"$work/qt/k6qx-sources.sha256"

    # Qt's CMake files are relocatable, but a few text files name the folder
    # they were installed into; point them at the final one.
    grep -rlIF "$work/qt" "$work/qt" | while read -r f; do
        sed -i "s|$work/qt|$qt_prefix|g" "$f"
    done
    echo "$((SECONDS - started))" >"$work/qt/build-seconds"
    rm -rf "$qt_prefix"
    mv "$work/qt" "$qt_prefix"
    rm -rf "$work"
    echo "Static Qt built in $(( (SECONDS - started) / 60 )) min: $qt_prefix"
}

# --- the source offer ----------------------------------------------------------
# What a distributor publishes beside the static programs, as Qt's LGPL asks:
# the project at this commit, the Qt source archives the static Qt is built
# from, and how it is configured and built.
write_source() {
    local name="k6qx-$version-source"
    local out="$build/$name.tar.xz" stage="$build/source/$name"
    local commit; commit=$(git -C "$top" rev-parse HEAD)
    git -C "$top" diff --quiet HEAD -- ||
        echo "warning: the work tree has changes not committed; $name.tar.xz holds commit $commit without them" >&2
    rm -rf "$build/source" && mkdir -p "$stage/qt"
    git -C "$top" archive --prefix="k6qx-$version/" HEAD | tar xf - -C "$stage"
    local qtbase serialport
    qtbase=$(find_qtbase)
    serialport=$(find_serialport)
    printf '%s\n' "$qtbase" "$serialport" | xargs -d '\n' cp -t "$stage/qt"
    if [ -f "$qt_prefix/k6qx-sources.sha256" ]; then
        (cd "$stage/qt" && sha256sum --quiet -c "$qt_prefix/k6qx-sources.sha256") ||
            { echo "the static Qt in $qt_prefix was built from other archives than these" >&2; return 1; }
    fi
    cp "$top/cmake/mingw-w64-x86_64.cmake" "$stage/qt/"
    (cd "$stage/qt" && sha256sum -- * >SHA256SUMS)
    local archives=() base_src=qtbase-src prefix=/opt/qt-$qt_version-static
    mapfile -t archives <<<"$qtbase"
    {
        echo "K6QX tool $version: the source of its Windows programs"
        echo
        echo "k6qx-$version/"
        echo "    the tool's source at commit $commit (git archive)"
        echo "qt/"
        echo "    what the static Qt $qt_version in the programs is built from (SHA-256 in"
        echo "    qt/SHA256SUMS), and the CMake toolchain file mingw-w64-x86_64.cmake"
        echo "    (MinGW-w64, GCC $gcc_version, posix threads)"
        echo
        echo "Rebuilding on Debian 12 (amd64; packages are installed with apt as needed):"
        echo
        echo "    tar xJf $name.tar.xz && cd $name"
        echo "    K6QX_SOURCES=\"\$PWD/qt\" k6qx-$version/scripts/windows.sh --package"
        echo
        echo "builds the static Qt as below, then the programs, into k6qx-$version/build/windows/."
        echo
        echo "How the static Qt is built (scripts/windows.sh, build_qt), from this folder:"
        echo
        if [ ${#archives[@]} -eq 1 ]; then
            echo "1. qtbase: unpack $(basename "${archives[0]}") into $base_src/."
        else
            echo "1. qtbase: unpack $(basename "${archives[1]}") into $base_src/, then"
            echo "   $(basename "${archives[2]}") over it, and apply the patches that"
            echo "   debian/patches/series lists above its line \"# Debian specific\" (patch -p1)."
        fi
        echo "2. One change to qtbase (the dynamic OpenGL question of the Windows platform"
        echo "   plugin only makes sense with OpenGL, which is off):"
        echo "   perl -0pi -e '$qt_gl_fix' $base_src/$qt_gl_file"
        echo "3. Configure, build and install:"
        qt_configure_args qtbase "$base_src" build-qtbase "$prefix" qt/mingw-w64-x86_64.cmake
        echo "   cmake $(printf '%q ' "${qt_configure[@]}")"
        echo "   cmake --build build-qtbase && cmake --install build-qtbase"
        echo "4. Qt Serial Port: unpack $(basename "$serialport") into qtserialport-src/, then"
        qt_configure_args qtserialport qtserialport-src build-qtserialport "$prefix" qt/mingw-w64-x86_64.cmake
        echo "   cmake $(printf '%q ' "${qt_configure[@]}")"
        echo "   cmake --build build-qtserialport && cmake --install build-qtserialport"
        echo
        echo "Both configure steps run with Debian 12's Qt $qt_version host tools (qt6-base-dev)."
    } >"$stage/BUILD.txt"
    tar --sort=name --owner=0 --group=0 --numeric-owner -C "$build/source" -cf - "$name" |
        xz -T"$jobs" -3 >"$out.part"
    mv "$out.part" "$out"
    rm -rf "$build/source"
    echo "$out: $(( $(stat -c %s "$out") / 1024 )) KiB"
}

if [ "$source_only" -eq 1 ]; then
    write_source
    exit 0
fi

[ -d "$qt_prefix" ] || build_qt
[ "$qt_only" -eq 1 ] && exit 0

# --- Wine -------------------------------------------------------------------------
# A private prefix under the build folder, an X display of its own (Wine
# needs one for the message windows of Qt's event loop even offscreen), and
# the Linux simulator on a pseudo-terminal linked in as COM ports.
wine_dir="$build/wine"
export WINEPREFIX="$wine_dir/prefix" WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
helpers=()
stop_helpers() {
    for pid in "${helpers[@]}"; do kill "$pid" 2>/dev/null || true; done
    "$(dirname "$wine")/wineserver" -k 2>/dev/null || true
}

start_display() {
    mkdir -p "$wine_dir"
    local fifo="$wine_dir/display"
    rm -f "$fifo" && mkfifo "$fifo"
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$fifo" 2>"$wine_dir/xvfb.log" &
    helpers+=($!)
    local n
    read -r -t 20 n <"$fifo" || { echo "Xvfb did not start (see $wine_dir/xvfb.log)" >&2; return 1; }
    export DISPLAY=":$n"
}

prepare_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX"
        timeout 300 "$wine" wineboot -i >"$wine_dir/wineboot.log" 2>&1
    fi
    # Offscreen, Qt draws with FreeType from one folder: the faces the form
    # falls back to, as on Linux.
    mkdir -p "$wine_dir/fonts"
    ln -sf /usr/share/fonts/truetype/wqy/wqy-microhei.ttc /usr/share/fonts/truetype/liberation/LiberationSansNarrow-*.ttf \
        "$wine_dir/fonts/"
}

start_simulator() {
    local sim=$1 dir="$wine_dir/sim"
    rm -rf "$dir" && mkdir -p "$dir"
    mkfifo "$dir/port"
    "$sim" --state "$dir/state" --hang-up-on "$dir/hang-up" >"$dir/port" 2>"$dir/log" &
    helpers+=($!)
    local pty
    read -r -t 10 pty <"$dir/port" || { echo "the simulator did not start (see $dir/log)" >&2; return 1; }
    rm -f "$WINEPREFIX"/dosdevices/com{5,7,12,17}
    ln -s "$pty" "$WINEPREFIX/dosdevices/com5"
    ln -s "$pty" "$WINEPREFIX/dosdevices/com12"
    export K6QX_TEST_COM_PORTS="COM5;COM12" K6QX_TEST_SIM_STATE="Z:$dir/state" K6QX_TEST_SIM_HANGUP="Z:$dir/hang-up"
}

run_wine_tests() {
    # The simulator is the Linux program.
    local host="$build/host"
    cmake -S "$top" -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DK6_BUILD_TESTS=OFF >/dev/null
    cmake --build "$host" -j"$jobs" --target k6qx-sim
    trap stop_helpers EXIT
    start_display
    prepare_prefix
    start_simulator "$host/simulator/k6qx-sim"
    export QT_QPA_FONTDIR="Z:$wine_dir/fonts"
    # The Wine server and the prefix's services (winedevice) run for the
    # whole run, started here with no test's output: started by the first
    # test program, they would inherit ctest's pipe for that program's
    # output, and ctest would wait for them (until the test's time-out) long
    # after the program ended.
    "$(dirname "$wine")/wineserver" -p </dev/null >/dev/null 2>&1 || true
    timeout 120 "$wine" wineboot </dev/null >/dev/null 2>&1 || true
    # Every test has its own TIMEOUT (tests/CMakeLists.txt: 120 s, longer for
    # the two file-dialog programs, which are slow under Wine); ctest's
    # --timeout would only fill in for a test without one.
    # Each run starts from no remembered settings, as a fresh user would
    # (the prefix is kept between runs; each test has its own file).
    rm -rf "$tree/tests/settings"
    ctest --test-dir "$tree" -j"$jobs" --output-on-failure
    # Both pages as the Windows platform plugin draws them.
    rm -rf "$build/screenshots"
    QT_QPA_PLATFORM=windows timeout 120 "$wine" "$tree/k6qx-screenshots.exe" "Z:$build/screenshots"
    echo "Screenshots: $build/screenshots/page0.png, page1.png"
}

# --- the program ----------------------------------------------------------------
tree="$build/tree"
tests=OFF
[ "$want_test" -eq 1 ] && tests=ON
cmake -S "$top" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" -DK6QX_QT_PREFIX="$qt_prefix" \
    -DCMAKE_PREFIX_PATH="$qt_prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" -DK6_BUILD_TESTS=$tests >/dev/null
programs=(k6qx)
# The command-line program, once the project has one. The target list is
# captured whole first: grep -q leaving early would hand the build tool
# SIGPIPE, and under pipefail the check would then fail at random.
target_list=$(cmake --build "$tree" --target help)
grep '^k6qx-cli:' <<<"$target_list" >/dev/null && programs+=(k6qx-cli)
targets=("${programs[@]}")
[ "$want_test" -eq 1 ] && targets=(all)
cmake --build "$tree" -j"$jobs" --target "${targets[@]}"
# Stripped copies of earlier runs are removed first, so a program that was
# not built this time is never packed from a stale copy.
for p in k6qx k6qx-cli; do rm -f "$build/$p.exe"; done
for p in "${programs[@]}"; do
    exe=$(find "$tree" -name "$p.exe" -not -path '*/CMakeFiles/*' -print -quit)
    [ -n "$exe" ] || { echo "$p.exe was not built (no $p.exe under $tree)" >&2; exit 1; }
    $triplet-strip -o "$build/$p.exe" "$exe"
    echo "$build/$p.exe: $(( $(stat -c %s "$build/$p.exe") / 1024 )) KiB"
done

# --- what is shipped --------------------------------------------------------------
# One staged folder is what both the installer and the zip carry.
stage="$build/stage/k6qx-$version-win64"
stage_files() {
    rm -rf "$build/stage" && mkdir -p "$stage/images"
    for p in k6qx k6qx-cli; do
        [ -f "$build/$p.exe" ] || { echo "cannot pack: $build/$p.exe is missing" >&2; exit 1; }
        cp "$build/$p.exe" "$stage/"
    done
    cp "$top"/src/gui/images/{Receive,open,Send2,save,verify}.png "$stage/images/"
    # Notepad reads UTF-8 with a byte-order mark and CRLF line ends.
    { printf '\xef\xbb\xbf'; sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$top/packaging/windows/readme-zh.txt"; } >"$stage/说明.txt"
    for f in LICENSE THIRD-PARTY-NOTICES.txt; do sed 's/$/\r/' "$top/$f" >"$stage/$f"; done
}

# The installer's file list, from the staged folder: what K6_INSTALL_FILES
# puts in and K6_REMOVE_FILES takes away again, file by file.
nsis_file_macros() {
    local rel
    echo '!macro K6_INSTALL_FILES'
    while read -r rel; do
        echo "    SetOutPath \"\$INSTDIR${rel:+\\${rel//\//\\}}\""
        find "$stage/$rel" -mindepth 1 -maxdepth 1 -type f | LC_ALL=C sort | sed 's/^/    File "/;s/$/"/'
    done < <(cd "$stage" && find . -type d | sed 's|^\./\?||' | LC_ALL=C sort)
    echo '!macroend'
    echo '!macro K6_REMOVE_FILES'
    (cd "$stage" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) | while read -r rel; do
        echo "    Delete \"\$INSTDIR\\${rel//\//\\}\""
    done
    (cd "$stage" && find . -mindepth 1 -type d | sed 's|^\./||' | LC_ALL=C sort -r) | while read -r rel; do
        echo "    RMDir \"\$INSTDIR\\${rel//\//\\}\""
    done
    echo '!macroend'
}

installer="$build/k6qx-$version-setup.exe"
build_installer() {
    local dir="$build/installer" size major minor patch tweak
    rm -rf "$dir" && mkdir -p "$dir"
    nsis_file_macros >"$dir/files.nsh"
    size=$(du -sk "$stage" | cut -f1)
    IFS=. read -r major minor patch tweak <<<"$version"
    rm -f "$installer"
    # makensis names the files in the locale's encoding (and crashes on 说明.txt
    # in the C locale).
    LC_ALL=C.UTF-8 makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DVERSION4="$major.${minor:-0}.${patch:-0}.${tweak:-0}" \
        -DFILES="$dir/files.nsh" -DSIZE_KB="$size" -DTOP="$top" -DOUTFILE="$installer.part" \
        "$top/packaging/windows/k6qx.nsi"
    mv "$installer.part" "$installer"
    echo "$installer: $(( $(stat -c %s "$installer") / 1024 )) KiB"
}

if [ "$want_installer" -eq 1 ] || [ "$want_test" -eq 1 ] || [ "$want_package" -eq 1 ]; then
    stage_files
    build_installer
fi

# --- tests under Wine -------------------------------------------------------------
if [ "$want_test" -eq 1 ]; then
    run_wine_tests
    # The installer and the programs' resources, in a Wine prefix of their own.
    "$top/scripts/windows-install-test.sh" "$installer" "$stage" "$version"
fi

# --- the zip ----------------------------------------------------------------------
# Written with Python's zipfile, which marks every name that is not ASCII as
# UTF-8 (general-purpose bit 11), so Windows' own unzip shows 说明.txt as
# such; the names are read back to make sure.
if [ "$want_package" -eq 1 ]; then
    zip="$build/k6qx-$version-win64.zip"
    rm -f "$zip"
    python3 "$top/scripts/zip-folder.py" "$zip" "$stage"
    python3 - "$zip" "$(basename "$stage")/说明.txt" <<'EOF'
import sys, zipfile
names = {i.filename: i.flag_bits for i in zipfile.ZipFile(sys.argv[1]).infolist()}
bad = [n for n, flags in names.items() if not n.isascii() and not flags & 0x800]
if sys.argv[2] not in names or bad:
    sys.exit(f"{sys.argv[1]}: {sys.argv[2]} missing or names without the UTF-8 flag: {bad} in {sorted(names)}")
EOF
    echo "$zip: $(( $(stat -c %s "$zip") / 1024 )) KiB"
    (cd "$build" && sha256sum "$(basename "$zip")" "$(basename "$installer")" >SHA256SUMS)
    echo "$build/SHA256SUMS"
fi
