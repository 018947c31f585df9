#!/bin/sh
# SPDX-FileCopyrightText: 2026 The K6QX tool authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test program with a home folder of its own, emptied first, so file
# dialogs and settings never touch the user's (~/.config/QtProject.conf) and
# no run sees what an earlier one left.
#   freshhome.sh HOME_DIR PROGRAM [ARGUMENTS...]
set -e
home=$1
shift
rm -rf "$home"
mkdir -p "$home/.config"
HOME=$home XDG_CONFIG_HOME=$home/.config exec "$@"
