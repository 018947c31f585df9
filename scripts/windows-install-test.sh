#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The K6QX tool authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Tests the Windows installer in a fresh Wine prefix, and the icon, version
# information and manifest of the programs it carries. scripts/windows.sh
# --test runs it:
#   scripts/windows-install-test.sh SETUP.EXE STAGED-FOLDER VERSION
# STAGED-FOLDER holds exactly what the installer installs. Every check is
# counted; the run fails when one did.
set -euo pipefail
setup=$1 stage=$2 version=$3
top=$(cd "$(dirname "$0")/.." && pwd)
wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
work="$top/build/windows/wine-install"
# The host's menus stay as they are: no menu entries from the shortcuts.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=C.UTF-8
trap '"$(dirname "$wine")/wineserver" -k 2>/dev/null || true' EXIT

passed=0 failed=0
check() { # what command...
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $what" >&2
    fi
}
equal() { [ "$1" = "$2" ] || { echo "  got \"$1\", expected \"$2\"" >&2; return 1; }; }
contains_utf16() { # file text: the text in the file as UTF-16 (how a .lnk keeps its arguments)
    python3 -c 'import sys; sys.exit(sys.argv[2].encode("utf-16-le") not in open(sys.argv[1], "rb").read())' "$1" "$2"
}

# --- the programs' resources ----------------------------------------------------------
# The VERSIONINFO strings as NAME=VALUE lines: each is its name, padding and
# its value, in UTF-16.
version_strings() {
    wrestool -x --raw --type=16 "$1" | python3 -c '
import re, sys
text = sys.stdin.buffer.read().decode("utf-16-le", "replace")
for key in ("ProductName", "ProductVersion", "FileVersion", "FileDescription", "LegalCopyright", "OriginalFilename"):
    found = re.search(key + "\0+([^\0]+)", text)
    if found:
        print(f"{key}={found.group(1)}")'
}
# The widths in the icon group (0 is 256).
icon_sizes() {
    wrestool -x --raw --type=14 "$1" | python3 -c '
import struct, sys
data = sys.stdin.buffer.read()
count = struct.unpack_from("<H", data, 4)[0]
print(" ".join(str(data[6 + 14 * i] or 256) for i in range(count)))'
}
for program in k6qx k6qx-cli; do
    exe="$stage/$program.exe"
    resources=$(wrestool -l "$exe")
    check "$program.exe: icon of 16 to 256 pixels" equal "$(icon_sizes "$exe")" "16 32 48 64 128 256"
    strings=$(version_strings "$exe")
    check "$program.exe: ProductVersion" equal "$(sed -n 's/^ProductVersion=//p' <<<"$strings")" "$version"
    check "$program.exe: FileVersion" equal "$(sed -n 's/^FileVersion=//p' <<<"$strings")" "$version"
    check "$program.exe: OriginalFilename" equal "$(sed -n 's/^OriginalFilename=//p' <<<"$strings")" "$program.exe"
    check "$program.exe: ProductName" equal "$(sed -n 's/^ProductName=//p' <<<"$strings")" "K6QX 调参软件"
    check "$program.exe: FileDescription" grep -q '^FileDescription=K6QX .' <<<"$strings"
    check "$program.exe: LegalCopyright names the licence" grep -q '^LegalCopyright=.*GPL-3.0-or-later' <<<"$strings"
    check "$program.exe: one manifest" equal "$(grep -c -- '--type=24 ' <<<"$resources")" 1
    manifest=$(wrestool -x --raw --type=24 "$exe")
    for setting in '>PerMonitorV2<' 'level="asInvoker"' '>UTF-8</activeCodePage>' '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
        check "$program.exe: manifest has $setting" grep -qF "$setting" <<<"$manifest"
    done
done

# --- a fresh prefix -------------------------------------------------------------------
rm -rf "$work" && mkdir -p "$work"
echo "Creating the Wine prefix $WINEPREFIX"
timeout 300 "$wine" wineboot -i >"$work/wineboot.log" 2>&1
users="$WINEPREFIX/drive_c/users"
home=$(find "$users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)
# Wine links Desktop, Documents ... to the host's folders; the shortcuts must
# not land there.
for link in "$home"/*; do
    if [ -L "$link" ]; then rm "$link" && mkdir "$link"; fi
done
localappdata="$home/AppData/Local"
windows_path() { "$wine" winepath -w "$1" 2>/dev/null | tr -d '\r'; }

key='Software\Microsoft\Windows\CurrentVersion\Uninstall\K6QX'
# The uninstall key's values as exported (reg query would print them in the
# console's code page, where Chinese does not fit): a string's text, a
# number as dword:HEX.
export_key() { # root
    rm -f "$work/key.reg"
    "$wine" reg export "$1\\$key" "$(windows_path "$work")\\key.reg" /y >/dev/null 2>&1 || true
}
reg_value() { # name
    [ -f "$work/key.reg" ] || return 0
    python3 - "$work/key.reg" "$1" <<'EOF'
import re, sys
for line in open(sys.argv[1], encoding="utf-16").read().splitlines():
    found = re.fullmatch(r'"%s"=(?:"(.*)"|(dword:[0-9a-f]+))' % re.escape(sys.argv[2]), line)
    if found:
        print(re.sub(r'\\(.)', r'\1', found.group(1)) if found.group(1) is not None else found.group(2))
EOF
}
has_key() { "$wine" reg query "$1\\$key" >/dev/null 2>&1; }
lacks_key() { ! has_key "$1"; }
# Wine quotes every argument with a space, and NSIS then no longer sees /D=
# or _?= (each takes the rest of the line, spaces and all): the command line
# goes through cmd whole, the program named by its short path.
run() { # program arguments...
    local program; program=$("$wine" winepath -s "$(windows_path "$1")" 2>/dev/null | tr -d '\r')
    shift
    timeout 120 "$wine" cmd /c "$program $*" >>"$work/wine.log" 2>&1
}

# Every staged file in folder $1 with the same bytes, or (with "gone") none of them.
files_there() { # folder [gone]
    local rel bad=0
    while read -r rel; do
        if [ "${2:-}" = gone ]; then
            [ ! -e "$1/$rel" ] || { echo "  left behind: $rel" >&2; bad=1; }
        else
            cmp -s "$stage/$rel" "$1/$rel" || { echo "  missing or different: $rel" >&2; bad=1; }
        fi
    done < <(cd "$stage" && find . -type f | sed 's|^\./||')
    return $bad
}

links=("K6QX 调参软件.lnk" "K6QX Tuning Tool (English).lnk")
# One install, upgrade and uninstall in a scope: $1 user or machine.
install_cycle() {
    local scope=$1 root folder menu desktop options=()
    if [ "$scope" = user ]; then
        root=HKCU folder="$localappdata/Programs/K6QX"
        menu="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs" desktop="$home/Desktop"
    else
        root=HKLM folder="$WINEPREFIX/drive_c/Program Files/K6QX" options=(/ALLUSERS)
        menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs" desktop="$users/Public/Desktop"
    fi
    local dosfolder; dosfolder=$(windows_path "$folder")

    check "$scope: silent install" run "$setup" /S "${options[@]}"
    check "$scope: every file in $dosfolder" files_there "$folder"
    check "$scope: the uninstaller in place" test -f "$folder/uninstall.exe"
    for link in "${links[@]}" ; do
        check "$scope: Start menu has $link" test -f "$menu/$link"
    done
    check "$scope: desktop shortcut" test -f "$desktop/${links[0]}"
    check "$scope: the English shortcut passes --lang en" contains_utf16 "$menu/${links[1]}" "--lang en"
    check "$scope: the shortcut starts in the program's folder" contains_utf16 "$menu/${links[0]}" "$dosfolder"
    export_key $root
    check "$scope: DisplayName" equal "$(reg_value DisplayName)" "K6QX 调参软件"
    check "$scope: DisplayVersion" equal "$(reg_value DisplayVersion)" "$version"
    check "$scope: Publisher" equal "$(reg_value Publisher)" "Korvan电子"
    check "$scope: DisplayIcon" equal "$(reg_value DisplayIcon)" "$dosfolder\\k6qx.exe,0"
    check "$scope: InstallLocation" equal "$(reg_value InstallLocation)" "$dosfolder"
    check "$scope: UninstallString" equal "$(reg_value UninstallString)" "\"$dosfolder\\uninstall.exe\""
    check "$scope: QuietUninstallString" equal "$(reg_value QuietUninstallString)" "\"$dosfolder\\uninstall.exe\" /S"
    check "$scope: EstimatedSize" grep -qE '^dword:0*[1-9a-f]' <<<"$(reg_value EstimatedSize)"
    local other=HKLM; [ $root = HKLM ] && other=HKCU
    check "$scope: no uninstall key in $other" lacks_key $other
    check "$scope: installed k6qx-cli.exe --version" equal \
        "$(timeout 60 "$wine" "$folder/k6qx-cli.exe" --version 2>/dev/null | head -n 1 | tr -d '\r')" "k6qx-cli $version"

    # A second install over the first: in place, whole again.
    rm -f "$folder/说明.txt"
    check "$scope: second silent install" run "$setup" /S "${options[@]}"
    check "$scope: every file in place after the second install" files_there "$folder"

    # The history and a file of the user's stay; everything installed goes.
    local history="$localappdata/k6qx/history/20261208-120304-005-read-COM3.dat"
    mkdir -p "$(dirname "$history")" && head -c 162 /dev/urandom >"$history"
    echo "mine" >"$folder/我的参数.dat"
    check "$scope: silent uninstall" run "$folder/uninstall.exe" /S "_?=$dosfolder"
    check "$scope: no installed file left" files_there "$folder" gone
    # Run in place (_?=), the uninstaller cannot remove itself: it stays, as
    # NSIS documents, and is removed here.
    rm -f "$folder/uninstall.exe"
    check "$scope: only the user's file left in the folder" equal "$(ls -A "$folder")" "我的参数.dat"
    for link in "${links[@]}" ; do
        check "$scope: $link removed" test ! -e "$menu/$link"
    done
    check "$scope: desktop shortcut removed" test ! -e "$desktop/${links[0]}"
    check "$scope: uninstall key removed" lacks_key $root
    check "$scope: the parameter history kept" test -s "$history"
    rm -rf "$folder"
}

install_cycle user
install_cycle machine

# Installed elsewhere (/D=), a later install without it goes to the same folder.
custom="$WINEPREFIX/drive_c/Tools/K6QX 2"
check "custom folder: silent install with /D=" run "$setup" /S "/D=$(windows_path "$WINEPREFIX/drive_c")Tools\\K6QX 2"
rm -f "$custom/说明.txt"
check "custom folder: second install without /D=" run "$setup" /S
check "custom folder: upgraded in place" files_there "$custom"
check "custom folder: nothing in the default folder" test ! -e "$localappdata/Programs/K6QX"
check "custom folder: silent uninstall" run "$custom/uninstall.exe" /S "_?=$(windows_path "$custom")"
check "custom folder: no installed file left" files_there "$custom" gone

echo "Installer and resources under Wine: $passed checks passed, $failed failed ($SECONDS s)"
[ "$failed" -eq 0 ]
