#!/bin/sh
# SPDX-FileCopyrightText: 2026 The K6QX tool authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Packs the hicolor renderings of the application icon (../linux/icons, made
# by ../linux/make-icons.sh from src/gui/images/svg/app.svg) into app.ico,
# the icon of the Windows programs: 16 to 128 pixels as bitmaps, 256 as PNG
# (the form Windows expects for that size).
# Needs icotool (Debian package icoutils).
set -eu
cd "$(dirname "$0")"
icons=../linux/icons
icotool --create --output app.ico \
    "$icons/16.png" "$icons/32.png" "$icons/48.png" "$icons/64.png" "$icons/128.png" \
    --raw="$icons/256.png"
